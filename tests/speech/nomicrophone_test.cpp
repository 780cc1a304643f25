// Without a sound server (so without any input device) the microphone says
// so in German, both when looked up and when asked to record, and never
// hangs.

#include "speech/microphone.h"

#include <QSignalSpy>
#include <QtTest>

class NoMicrophoneTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Before anything in the process touches sound.
        qputenv("PULSE_SERVER", "unix:/nonexistent/kalimbo-no-server");
    }

    void saysWhy() {
        Microphone mic;
        QSignalSpy answer(&mic, &SoundInput::available);
        QSignalSpy failed(&mic, &SoundInput::failed);
        mic.lookUp();
        QVERIFY(answer.wait(5000));
        QCOMPARE(answer.first().at(0).toBool(), false);
        QCOMPARE(answer.first().at(1).toString(), QString("Kein Mikrofon gefunden."));
        mic.start(1000);
        QVERIFY(failed.wait(5000));
        QCOMPARE(failed.first().at(0).toString(), QString("Kein Mikrofon gefunden."));
    }
};

QTEST_GUILESS_MAIN(NoMicrophoneTest)
#include "nomicrophone_test.moc"
