// The microphone as the word manager uses it, against a private sound server
// whose default source is a 440 Hz tone: found, recorded with the level
// following the sound, ended by "Stopp" or by its length limit. Skips where
// no sound server can run here.

#include "speech/microphone.h"
#include "speech/wav.h"
#include "support/soundserver.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

class MicrophoneTest : public QObject {
    Q_OBJECT
    std::unique_ptr<SoundServer> m_server;

    bool pactl(const QStringList &args) {
        QProcess p;
        p.start("pactl", QStringList{"--server=" + m_server->address()} + args);
        return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    }

private slots:
    void initTestCase() {
        m_server = std::make_unique<SoundServer>();
        if (!m_server->ok())
            QSKIP(qPrintable(m_server->why()));
        QVERIFY(pactl(
            {"load-module", "module-sine-source", "source_name=kalimbo_tone", "frequency=440"}));
        QVERIFY(pactl({"set-default-source", "kalimbo_tone"}));
    }

    void found() {
        Microphone mic;
        QSignalSpy answer(&mic, &SoundInput::available);
        mic.lookUp();
        QVERIFY(answer.wait(5000));
        QCOMPARE(answer.first().at(0).toBool(), true);
        QCOMPARE(answer.first().at(1).toString(), QString());
    }

    void recordsUntilStopped_data() {
        QTest::addColumn<int>("limitMs");
        QTest::addColumn<int>("stopAfterMs"); // 0: not stopped, the limit ends it
        QTest::newRow("stopped") << 10000 << 1000;
        QTest::newRow("ends by itself") << 600 << 0;
    }
    void recordsUntilStopped() {
        QFETCH(int, limitMs);
        QFETCH(int, stopAfterMs);
        Microphone mic;
        QSignalSpy levels(&mic, &SoundInput::level);
        QSignalSpy done(&mic, &SoundInput::recorded);
        QSignalSpy failed(&mic, &SoundInput::failed);
        mic.start(limitMs);
        if (stopAfterMs > 0) {
            QTest::qWait(stopAfterMs);
            // The meter moves while it records (a loaded machine's sound
            // server may take a moment longer to hand over the first piece).
            QTRY_VERIFY_WITH_TIMEOUT(levels.count() > 0, 5000);
            mic.stop();
        }
        QVERIFY(done.wait(5000));
        QCOMPARE(failed.count(), 0);
        const Pcm pcm = done.first().at(0).value<Pcm>();
        QCOMPARE(pcm.channels, 1);
        QCOMPARE(pcm.rate, Microphone::kRate);
        const qint64 ms = pcm.durationUs() / 1000;
        // The test server's tone source hands over its first two seconds at
        // once, so a stop cuts somewhere after them, long before the limit.
        if (stopAfterMs > 0)
            QVERIFY2(ms > 200 && ms < limitMs / 2, qPrintable(QString::number(ms)));
        else
            QCOMPARE(ms, qint64(limitMs)); // counted in samples, not by a timer
        // The tone, heard in the meter and kept whole by the trimming.
        QVERIFY(levels.count() > 0);
        int loudest = 0;
        for (const auto &args : std::as_const(levels))
            loudest = qMax(loudest, args.at(0).toInt());
        QVERIFY2(loudest > 50, qPrintable(QString::number(loudest)));
        QVERIFY(wav::trimSilence(pcm).frames() > pcm.frames() * 9 / 10);
    }
};

QTEST_GUILESS_MAIN(MicrophoneTest)
#include "microphone_test.moc"
