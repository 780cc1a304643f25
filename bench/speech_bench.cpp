// Hearing the word, measured where it is heard: at the sound server. Plays
// into a private PulseAudio server with a null sink and records its monitor
// (tools/deps.sh installs both). Prints, for the synthetic voice and for a
// teacher's recording, the time from the click's request to the first
// sample the server plays, on first use (the voice loads, the recording is
// decoded, the device opens) and later; and whether ten clicks 1.1 s apart
// are all heard, each to its end. Skips where the server cannot run.

#include "speech/speechplayer.h"
#include "speech/synthesizer.h"
#include "support/soundserver.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kRate = 22050;
constexpr int kLoud = 300;
constexpr int kGapMs = 250;

// Milliseconds from speak() to the first sample played; -1 when none came.
double clickToSound(SpeechPlayer &p, MonitorRecorder &monitor, const QString &text,
                    const QString &recording) {
    const qint64 from = monitor.samples().size() / 2;
    const qint64 clicked = monitor.clock().nsecsElapsed();
    p.speak(text, recording);
    double ms = -1;
    QElapsedTimer waited;
    waited.start();
    while (ms < 0 && waited.elapsed() < 5000) {
        QTest::qWait(2);
        const QByteArray s = monitor.samples();
        const auto *v = reinterpret_cast<const qint16 *>(s.constData());
        for (qint64 i = from; i < s.size() / 2 && ms < 0; ++i)
            if (std::abs(int(v[i])) > kLoud)
                ms = (monitor.playedAtNs(i) - clicked) / 1e6;
    }
    QTest::qWait(1500); // heard to its end, and silence again
    return ms;
}

void report(const char *what, double first, QList<double> later) {
    std::sort(later.begin(), later.end());
    qInfo("%-18s click to sound: first %6.1f ms, later median %6.1f ms, worst %6.1f ms (%d)", what,
          first, later[later.size() / 2], later.last(), int(later.size()));
}

// Ten clicks 1.1 s apart: how many were heard, and the shortest and longest
// heard against the sound's own length.
void tenClicks(const char *what, const SoundServer &server, SpeechPlayer &p, const QString &text,
               const QString &recording, qint64 expectedMs) {
    MonitorRecorder monitor(server, kRate);
    QVERIFY(monitor.start());
    for (int i = 0; i < 10; ++i) {
        p.speak(text, recording);
        QTest::qWait(1100);
    }
    QTest::qWait(1000);
    monitor.stop();
    const auto runs = monitor.runs(kLoud, kGapMs);
    qint64 shortest = 1 << 30, longest = 0;
    for (const auto &r : runs) {
        shortest = qMin(shortest, r.length * 1000 / kRate);
        longest = qMax(longest, r.length * 1000 / kRate);
    }
    qInfo("%-18s ten clicks 1.1 s apart: %d heard, %lld to %lld ms of %lld ms", what,
          int(runs.size()), runs.isEmpty() ? 0 : shortest, longest, expectedMs);
}

} // namespace

class SpeechBench : public QObject {
    Q_OBJECT
    std::unique_ptr<SoundServer> m_server;

private slots:
    void initTestCase() {
        m_server = std::make_unique<SoundServer>();
        if (!m_server->ok())
            QSKIP(qPrintable(m_server->why()));
    }

    void clickToSound() {
        QTemporaryDir dir;
        const QString wav = dir.filePath(QStringLiteral("derHund.wav"));
        MonitorRecorder monitor(*m_server, kRate);
        QVERIFY(monitor.start());
        SpeechPlayer player;
        const QString text = QStringLiteral("der Hund");
        const double first = ::clickToSound(player, monitor, text, QString());
        QList<double> later;
        for (int i = 0; i < 10; ++i)
            later << ::clickToSound(player, monitor, QStringLiteral("die Katze"), QString());
        report("synthetic voice", first, later);

        const QByteArray voice = Synthesizer::instance().synthesize(text);
        Pcm pcm;
        pcm.samples = voice;
        pcm.rate = Synthesizer::instance().sampleRate();
        QFile f(wav);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(wavBytes(pcm)) > 0);
        f.close();
        const double firstRec = ::clickToSound(player, monitor, text, wav);
        QList<double> laterRec;
        for (int i = 0; i < 10; ++i)
            laterRec << ::clickToSound(player, monitor, text, wav);
        report("recording (WAV)", firstRec, laterRec);
        monitor.stop();

        const auto runs = runsOf(voice, pcm.rate, kLoud, kGapMs);
        QCOMPARE(runs.size(), 1);
        const qint64 length = runs[0].length * 1000 / pcm.rate;
        tenClicks("synthetic voice", *m_server, player, text, QString(), length);
        tenClicks("recording (WAV)", *m_server, player, text, wav, length);
    }
};

QTEST_GUILESS_MAIN(SpeechBench)
#include "speech_bench.moc"
