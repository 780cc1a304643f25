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
