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
        ExtrasDialog d(extras);
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
