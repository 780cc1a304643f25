// The class list kept beside the pictures, and a picture per child of it:
// chosen in "Klasse ...", kept as a small JPEG in "Klasse/" beside where the
// list is kept, shown round on the child's name button; anything but a small
// regular picture shows the name alone.

#include "app/classdialog.h"
#include "app/extrasdialog.h"
#include "core/classlist.h"
#include "menufixture.h"
#include "program/classpictures.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTimer>
#include <sys/stat.h>

namespace {

/// Opens "Klasse ..." from the Extras and runs `edit` in the class dialog,
/// which then is accepted.
void editClass(MenuFixture &f, const std::function<void(ClassDialog *)> &edit) {
    QTimer::singleShot(0, [&] {
        auto *extras = f.menu()->findChild<ExtrasDialog *>();
        QVERIFY(extras);
        QTimer::singleShot(0, [&, extras] {
            auto *d = extras->findChild<ClassDialog *>();
            QVERIFY(d);
            edit(d);
            control<QPushButton>(d, "OK")->click();
            extras->accept();
        });
        control<QPushButton>(extras, "Klasse")->click();
    });
    f.click("ExtrasButton");
}

/// The picture of the name button of child i (1-based), null when none.
QImage buttonFace(MenuFixture &f, int i) {
    f.click("Command9"); // the name panel shows the class again
    auto *area = f.menu()->findChild<QScrollArea *>("Klasse");
    auto *b =
        area ? area->widget()->findChild<QPushButton *>(QStringLiteral("Kind%1").arg(i)) : nullptr;
    f.click("Command9");
    return b && !b->icon().isNull() ? b->icon().pixmap(b->iconSize()).toImage() : QImage();
}

void writeJpeg(const QString &path, QSize size, const QColor &colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path, "JPEG"));
}

} // namespace

class ClassPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QVERIFY(Extras().save()); } // the shared test configuration stays clean

    // Chosen in the dialog, kept small beside the list, found again by the
    // buttons; a name unsafe as a file name is kept under the records' safe name.
    void chosenKeptAndShown_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("beside");
        QTest::newRow("beside the pictures") << "Mia" << true;
        QTest::newRow("unsafe name") << "../Ole/..:*?" << true;
        QTest::newRow("reserved name") << "con" << true;
        QTest::newRow("settings folder") << "Zoë Pictures Test" << false;
    }
    void chosenKeptAndShown() {
        QFETCH(QString, name);
        QFETCH(bool, beside);
        MenuFixture f;
        QVERIFY(f.startWith(3));
        QTemporaryDir elsewhere;
        const QString photo = elsewhere.filePath("foto.jpg");
        writeJpeg(photo, QSize(1600, 1200), Qt::blue);
        f.dialogs.chosenFiles << photo;
        editClass(f, [&](ClassDialog *d) {
            control<QPlainTextEdit>(d, "Namen")->setPlainText("Ben\n" + name);
            control<QCheckBox>(d, "NebenDenBildern")->setChecked(beside);
            control<QListWidget>(d, "Kinder")->setCurrentRow(1);
            control<QPushButton>(d, "Bild")->click();
            QTRY_VERIFY(!d->isBusy());
            QVERIFY(!d->pictureOf(name).isNull());
            QVERIFY(d->pictureOf("Ben").isNull());
        });
        QCOMPARE(f.dialogs.fileDialogs, QStringList{"Bild für " + name});
        const QString home = classpictures::home(beside);
        const QString file = classpictures::fileNameFor(name);
        QVERIFY(!file.contains('/') && !file.startsWith('.'));
        const QString path = home + "/Klasse/" + file;
        QImageReader kept(path);
        QCOMPARE(kept.format(), QByteArray("jpeg"));
        QCOMPARE(kept.size(), QSize(128, 96));
        QCOMPARE(classpictures::load(home, name).size(), QSize(128, 96));
        QVERIFY(buttonFace(f, 1).isNull()); // Ben has none: his name alone
        const QImage face = buttonFace(f, 2);
        QVERIFY(!face.isNull());
        // Round: the corner is clear, the middle is the photo's blue.
        QCOMPARE(qAlpha(face.pixel(0, 0)), 0);
        QVERIFY(qBlue(face.pixel(face.width() / 2, face.height() / 2)) > 200);

        // "Ohne Bild" takes it away again.
        editClass(f, [&](ClassDialog *d) {
            control<QListWidget>(d, "Kinder")->setCurrentRow(1);
            control<QPushButton>(d, "OhneBild")->click();
        });
        QVERIFY(!QFile::exists(path));
        QVERIFY(buttonFace(f, 2).isNull());
    }

    // Written in the dialog to Klasse.txt beside the pictures, the list is
    // what a second program on the class share shows.
    void listBesideThePicturesReachesAnotherPc() {
        MenuFixture f;
        QVERIFY(f.startWith(3));
        editClass(f, [](ClassDialog *d) {
            control<QPlainTextEdit>(d, "Namen")->setPlainText("Mia\nBen\n\nBEN\n");
            control<QCheckBox>(d, "NebenDenBildern")->setChecked(true);
        });
        QCOMPARE(f.program->state().classNames(), QStringList({"Mia", "Ben"}));
        QCOMPARE(classlist::read(QDir::currentPath()), QStringList({"Mia", "Ben"}));

        // Another PC changes the file: this one shows it when the panel opens.
        QVERIFY(classlist::write(QDir::currentPath(), {"Mia", "Ben", "Ole"}));
        KalimboProgram second(f.dialogs, f.random, f.clock);
        second.onEnd = [] {};
        QVERIFY(second.start());
        QCOMPARE(second.state().classNames(), QStringList({"Mia", "Ben", "Ole"}));
        f.click("Command9");
        QCOMPARE(f.program->state().classNames(), QStringList({"Mia", "Ben", "Ole"}));
    }

    // The list moved beside the pictures takes its pictures along, so a
    // second PC of the share shows them.
    void picturesMoveWithTheList() {
        MenuFixture f;
        QVERIFY(f.startWith(3));
        const QString settings = classpictures::home(false);
        QVERIFY(QDir().mkpath(settings + "/Klasse"));
        const QString name = "Moving Pictures Test";
        QVERIFY(classpictures::store(settings, name, QByteArray()).status == files::Status::Ok);
        writeJpeg(settings + "/Klasse/" + classpictures::fileNameFor(name), QSize(64, 64),
                  Qt::green);
        editClass(f,
                  [&](ClassDialog *d) { control<QPlainTextEdit>(d, "Namen")->setPlainText(name); });
        QVERIFY(!buttonFace(f, 1).isNull());
        editClass(f, [&](ClassDialog *d) {
            QVERIFY(!d->pictureOf(name).isNull());
            control<QCheckBox>(d, "NebenDenBildern")->setChecked(true);
        });
        QVERIFY(
            QFile::exists(QDir::current().filePath("Klasse/" + classpictures::fileNameFor(name))));
        QVERIFY(classpictures::store(settings, name, QByteArray()).status == files::Status::Ok);
        KalimboProgram second(f.dialogs, f.random, f.clock);
        second.onEnd = [] {};
        QVERIFY(second.start());
        QCOMPARE(second.state().classNames(), QStringList{name});
        QVERIFY(!classpictures::load(classpictures::home(true), name).isNull());
    }

    // Whatever a pupil put in the picture's place shows the name alone, at
    // once; keeping a new picture replaces a link and never writes through it.
    void onlyASmallRegularPicture_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to a picture") << "link";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("too large") << "large";
        QTest::newRow("huge in pixels") << "pixels";
        QTest::newRow("broken") << "broken";
    }
    void onlyASmallRegularPicture() {
        QFETCH(QString, kind);
        MenuFixture f;
        QVERIFY(f.startWith(3));
        QVERIFY(QDir().mkdir("Klasse"));
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath("fremd.jpg");
        writeJpeg(target, QSize(64, 64), Qt::red);
        const QString place = QDir::current().filePath("Klasse/Mia.jpg");
        if (kind == "link")
            QVERIFY(QFile::link(target, place));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(place).constData(), 0600), 0);
        else if (kind == "folder")
            QVERIFY(QDir().mkdir(place));
        else if (kind == "large") {
            QFile big(place);
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.resize(classpictures::kCap + 1));
        } else if (kind == "pixels")
            writeJpeg(place, QSize(4000, 20), Qt::red);
        else {
            QFile broken(place);
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write("\xFF\xD8\xFF\xE0 no picture");
        }
        QElapsedTimer clock;
        clock.start();
        QVERIFY(classpictures::load(QDir::currentPath(), "Mia").isNull());
        QVERIFY(classlist::write(QDir::currentPath(), {"Mia"}));
        f.changeExtras([](Extras &e) { e.classBesidePictures = true; });
        QVERIFY(buttonFace(f, 1).isNull());
        QVERIFY(clock.elapsed() < 5000); // a FIFO never waits for a writer
        if (kind != "link")
            return;
        QByteArray jpeg;
        {
            QFile own(target);
            QVERIFY(own.open(QIODevice::ReadOnly));
            jpeg = own.readAll();
        }
        const QByteArray before = jpeg;
        jpeg.append("own");
        QCOMPARE(classpictures::store(QDir::currentPath(), "Mia", jpeg).status, files::Status::Ok);
        QFile outside(target);
        QVERIFY(outside.open(QIODevice::ReadOnly));
        QCOMPARE(outside.readAll(), before);
        QVERIFY(!QFileInfo(place).isSymLink());
    }
};

QTEST_MAIN(ClassPicturesTest)
#include "classpictures_test.moc"
