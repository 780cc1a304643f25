#include "menufixture.h"

#include "app/extrasdialog.h"
#include "core/extras.h"
#include "core/settings.h"

#include <QCheckBox>
#include <QFile>
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
        on.speakWords = on.practiseMistakes = true;
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

    // The switches change the program's state at once, survive a restart and
    // leave KALIMBO.INI exactly as the classic options write it.
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
        QVERIFY(f.program->extras.syllableColours);
        QVERIFY(!f.program->extras.speakWords);
        QVERIFY(f.dialogs.boxes.isEmpty());

        f.dialogs.answers << true;
        control<QPushButton>(m, "Command1")->click();
        QFile ini(settings::kFileName);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll().count("\r\n"), 10);

        KalimboProgram second(f.dialogs, f.random, f.clock);
        QVERIFY(second.extras.syllableColours);
        second.extras = Extras();
        QVERIFY(second.extras.save()); // leave the shared test configuration clean
    }
};

QTEST_MAIN(ExtrasTest)
#include "extras_test.moc"
