#include "menufixture.h"

#include "app/extrasdialog.h"
#include "core/extras.h"
#include "core/settings.h"
#include "log/verlauf.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

class ExtrasTest : public QObject {
    Q_OBJECT
private slots:
    void offUntilATeacherTurnsThemOn() {
        QTemporaryDir dir;
        QSettings empty(dir.filePath("none.ini"), QSettings::IniFormat);
        QCOMPARE(Extras::load(empty), Extras());
        Extras on;
        on.speakWords = on.practiseMistakes = on.cardBox = true;
        QVERIFY(on.save(empty));
        QSettings again(dir.filePath("none.ini"), QSettings::IniFormat);
        QCOMPARE(Extras::load(again), on);
        // A folder where the file should go.
        QDir().mkdir(dir.filePath("Kalimbo.ini"));
        QSettings blocked(dir.filePath("Kalimbo.ini"), QSettings::IniFormat);
        QVERIFY(!on.save(blocked));
    }

    // Qt would wait on a FIFO for good, read a huge file whole and write
    // through a link: only a small regular file (or none) is used.
    void userFileUsedOnlyWhenSmallAndRegular_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("used");
        QTest::newRow("none yet") << "none" << true;
        QTest::newRow("regular") << "regular" << true;
        QTest::newRow("fifo") << "fifo" << false;
        QTest::newRow("link to a fifo") << "fifo link" << false;
        QTest::newRow("link to /dev/zero") << "zero link" << false;
        QTest::newRow("link to a regular file") << "link" << false;
        QTest::newRow("1 GB sparse") << "huge" << false;
    }
    void userFileUsedOnlyWhenSmallAndRegular() {
        QFETCH(QString, kind);
        QFETCH(bool, used);
        QTemporaryDir dir;
        const QString path = dir.filePath("Kalimbo.ini");
        const QString other = dir.filePath("other");
        const QByteArray stored = "[Extras]\nWoerterVorlesen=true\n";
        auto write = [](const QString &p, const QByteArray &b) {
            QFile f(p);
            return f.open(QIODevice::WriteOnly) && f.write(b) == b.size();
        };
        if (kind == "regular")
            QVERIFY(write(path, stored));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "fifo link")
            QVERIFY(::mkfifo(QFile::encodeName(other).constData(), 0600) == 0 &&
                    QFile::link(other, path));
        else if (kind == "zero link")
            QVERIFY(QFile::link("/dev/zero", path));
        else if (kind == "link")
            QVERIFY(write(other, stored) && QFile::link(other, path));
        else if (kind == "huge")
            QVERIFY(write(path, stored) && QFile(path).resize(qint64(1) << 30));
        const QString usable = Extras::usableFile(path);
        QCOMPARE(usable == path, used);
        QSettings settings(usable, QSettings::IniFormat);
        Extras on;
        on.keepRecords = true;
        QCOMPARE(Extras::load(settings).speakWords, kind == "regular");
        QCOMPARE(on.save(settings), used);
        if (kind == "link")
            QCOMPARE(QFileInfo(path).isSymLink(), true);
    }

    // What a stored file means: the "Silbenfarben" a teacher turned on before
    // "Silbenbögen" existed still colours the syllables; colours that are no
    // palette index fall back to blue and red.
    void storedSyllableSwitches_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("arcs");
        QTest::addColumn<bool>("colours");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("nothing stored") << QByteArray() << false << false << 9 << 12;
        QTest::newRow("Silbenfarben of an earlier version")
            << QByteArray("[Extras]\nSilbenfarben=true\n") << false << true << 9 << 12;
        QTest::newRow("Silbenboegen")
            << QByteArray("[Extras]\nSilbenboegen=true\n") << true << false << 9 << 12;
        QTest::newRow("own colours") << QByteArray("[Extras]\nSilbenfarbe1=0\nSilbenfarbe2=15\n")
                                     << false << false << 0 << 15;
        QTest::newRow("colours out of range")
            << QByteArray("[Extras]\nSilbenfarbe1=16\nSilbenfarbe2=rot\n") << false << false << 9
            << 12;
    }
    void storedSyllableSwitches() {
        QFETCH(QByteArray, ini);
        QFETCH(bool, arcs);
        QFETCH(bool, colours);
        QFETCH(int, first);
        QFETCH(int, second);
        QTemporaryDir dir;
        QFile f(dir.filePath("Kalimbo.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
        f.close();
        QSettings settings(f.fileName(), QSettings::IniFormat);
        const Extras e = Extras::load(settings);
        QCOMPARE(e.syllableArcs, arcs);
        QCOMPARE(e.syllableColours, colours);
        QCOMPARE(e.syllableColour1, first);
        QCOMPARE(e.syllableColour2, second);
        QCOMPARE(e.showsSyllables(), arcs || colours);
    }

    // One way of showing syllables at a time.
    void syllableSwitchesExcludeEachOther() {
        Extras extras;
        extras.syllableColours = true;
        ExtrasDialog d(extras, {});
        auto *arcs = control<QCheckBox>(&d, "SyllableArcs");
        auto *colours = control<QCheckBox>(&d, "SyllableColours");
        QVERIFY(colours->isChecked() && !arcs->isChecked());
        arcs->click();
        QVERIFY(extras.syllableArcs && !extras.syllableColours && !colours->isChecked());
        colours->click();
        QVERIFY(!extras.syllableArcs && extras.syllableColours && !arcs->isChecked());
        colours->click();
        QVERIFY(!extras.showsSyllables());
    }

    // The switches change the program's state at once, survive a restart and
    // leave KALIMBO.INI exactly as the six options write it.
    void switchesSurviveARestartOutsideTheSettingsFile() {
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        Form1 *m = f.menu();
        QTimer::singleShot(0, [&] {
            auto *d = m->findChild<ExtrasDialog *>();
            QVERIFY(d);
            control<QCheckBox>(d, "SyllableColours")->click();
            d->accept();
        });
        control<QPushButton>(m, "ExtrasButton")->click();
        QVERIFY(f.program->extras().syllableColours);
        QVERIFY(!f.program->extras().speakWords);
        QVERIFY(f.dialogs.boxes.isEmpty());

        f.dialogs.answers << true;
        control<QPushButton>(m, "Command1")->click();
        QFile ini(settings::kFileName);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll().count("\r\n"), 10);

        KalimboProgram second(f.dialogs, f.random, f.clock);
        QVERIFY(second.extras().syllableColours);
        QVERIFY(Extras().save()); // leave the shared test configuration clean
    }

    // What the dialog tells besides its switches, and what it greys out with
    // the reason beside it, also when records are switched on or off in it.
    void dialogSaysWhatHolds_data() {
        QTest::addColumn<bool>("records");
        QTest::addColumn<bool>("sound");
        QTest::newRow("records off, a sound output") << false << true;
        QTest::newRow("records on, no sound output") << true << false;
    }
    void dialogSaysWhatHolds() {
        QFETCH(bool, records);
        QFETCH(bool, sound);
        MenuFixture f;
        QVERIFY(f.startWith(3));
        f.changeExtras([records](Extras &e) { e.keepRecords = records; });
        f.program->hasSoundDevice = [sound] { return sound; };
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto *d = f.menu()->findChild<ExtrasDialog *>();
            QVERIFY(d);
            QCoreApplication::processEvents(); // the sound output is asked once it shows
            auto state = [&] {
                QString texts;
                for (QLabel *l : d->findChildren<QLabel *>())
                    if (l->isVisibleTo(d))
                        texts += l->text().remove(QChar(0x200B)) + "\n";
                return QStringList{
                    QString::number(control(d, "PractiseMistakes")->isEnabled()),
                    QString::number(control(d, "PractiseNeedsRecords")->isVisibleTo(d)),
                    QString::number(control(d, "CardBox")->isEnabled()),
                    QString::number(control(d, "CardBoxNeedsRecords")->isVisibleTo(d)),
                    QString::number(control(d, "History")->isEnabled()),
                    QString::number(control(d, "HistoryNeedsRecords")->isVisibleTo(d)),
                    QString::number(control(d, "NoSound")->isVisibleTo(d)),
                    QString::number(texts.contains(
                        QDir::toNativeSeparators(QDir::current().absoluteFilePath("Protokolle")))),
                    QString::number(texts.contains("gelten nur für das Benutzerkonto")),
                    QString::number(d->minimumSize() == d->maximumSize()),
                    // The switches scroll on a short screen; "Schließen" is always there.
                    QString::number(
                        d->height() <= d->screen()->availableGeometry().height() &&
                        d->rect().contains(QRect(control(d, "Close")->mapTo(d, QPoint()),
                                                 control(d, "Close")->size())))};
            };
            seen << d->windowTitle() << state().join(' ');
            control<QCheckBox>(d, "KeepRecords")->click();
            seen << state().join(' ');
            d->accept();
        });
        control<QPushButton>(f.menu(), "ExtrasButton")->click();
        const QString on = "1 0 1 0 1 0 " + QString::number(!sound) + " 1 1 1 1";
        const QString off = "0 1 0 1 0 1 " + QString::number(!sound) + " 1 1 1 1";
        QCOMPARE(seen, (QStringList{"Kalimbo (Extras)", records ? on : off, records ? off : on}));
        QVERIFY(Extras().save()); // leave the shared test configuration clean
    }

    // "Verlauf ..." and the worksheet buttons at the dialog's end open their
    // windows over the hidden main menu; their "Abbruch" comes back to the dialog.
    void openedFromExtrasGoesBackThere_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Verlauf") << "History" << int(ScreenId::Verlauf) << "Kalimbo (Verlauf)";
        QTest::newRow("Schreiblinien")
            << "WritingLines" << int(ScreenId::Schreiblinien) << "Kalimbo (Schreiblinien)";
        QTest::newRow("Anlauttabelle")
            << "SoundTable" << int(ScreenId::Anlauttabelle) << "Kalimbo (Anlauttabelle)";
    }
    void openedFromExtrasGoesBackThere() {
        QFETCH(QString, button);
        QFETCH(int, screen);
        QFETCH(QString, caption);
        MenuFixture f;
        QVERIFY(f.startWith(3));
        if (button == "History")
            f.changeExtras([](Extras &e) { e.keepRecords = true; });
        f.program->hasSoundDevice = [] { return true; };
        QTimer::singleShot(0, [&] {
            control<QPushButton>(f.menu()->findChild<ExtrasDialog *>(), qPrintable(button))
                ->click();
        });
        control<QPushButton>(f.menu(), "ExtrasButton")->click();
        QWidget *opened = f.program->existing(ScreenId(screen));
        QVERIFY(opened && opened->isVisible() && !f.menu()->isVisible());
        QCOMPARE(opened->windowTitle(), caption);
        if (auto *report = qobject_cast<Verlauf *>(opened))
            QTRY_VERIFY(!report->isReading());
        int reopened = 0;
        QTimer watch;
        watch.callOnTimeout([&] {
            auto *d = f.menu()->findChild<ExtrasDialog *>();
            if (d && d->isVisible() && f.menu()->isVisible() && !opened->isVisible()) {
                ++reopened;
                d->accept();
            }
        });
        watch.start(10);
        QTest::mouseClick(control<QPushButton>(opened, "Command1"), Qt::LeftButton);
        QTRY_COMPARE(reopened, 1);
        QVERIFY(!f.program->existing(ScreenId::Form11));
    }

    // The button in the options panel keeps its distance from the switches
    // and buttons around it.
    void extrasButtonHasRoom() {
        MenuFixture f;
        QVERIFY(f.startWith(3));
        QWidget *button = f.get("ExtrasButton");
        QStringList close;
        for (QWidget *w : button->parentWidget()->findChildren<QWidget *>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            if (w == button || !(qobject_cast<QCheckBox *>(w) || qobject_cast<QPushButton *>(w)))
                continue;
            const QRect a = button->geometry(), b = w->geometry();
            const int dx = std::max(a.left() - b.right(), b.left() - a.right()) - 1;
            const int dy = std::max(a.top() - b.bottom(), b.top() - a.bottom()) - 1;
            if (std::max(dx, dy) < 6)
                close << w->objectName() + " " + QString::number(std::max(dx, dy)) + " px";
        }
        QVERIFY2(close.isEmpty(), qPrintable(close.join(", ")));
    }
};

QTEST_MAIN(ExtrasTest)
#include "extras_test.moc"
