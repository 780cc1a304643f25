// Hearing the word: time from the click's request to the first sample handed
// to the sound device, for the synthetic voice and for a recording, on first
// use (the voice and the device open then) and later. Needs a sound server
// (run under PulseAudio, e.g. with a null sink); without one only the
// synthesis is measured. Targets: under 500 ms first, under 150 ms later.

#include "speech/speechplayer.h"
#include "speech/synthesizer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <algorithm>

namespace {

// A 16-bit mono WAV file of the given PCM.
bool writeWav(const QString &path, const QByteArray &pcm, int rate) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    auto u32 = [&](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        f.write(reinterpret_cast<const char *>(&le), 4);
    };
    auto u16 = [&](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        f.write(reinterpret_cast<const char *>(&le), 2);
    };
    f.write("RIFF");
    u32(36 + quint32(pcm.size()));
    f.write("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(quint32(rate));
    u32(quint32(rate) * 2);
    u16(2);
    u16(16);
    f.write("data");
    u32(quint32(pcm.size()));
    f.write(pcm);
    return true;
}

// Milliseconds from speak() to the first sample taken by the device; -1 on timeout.
double once(SpeechPlayer &p, const QString &text, const QString &recording) {
    QElapsedTimer t;
    double ms = -1;
    p.onFirstSample = [&] {
        if (ms < 0)
            ms = t.nsecsElapsed() / 1e6;
    };
    t.start();
    p.speak(text, recording);
    while (ms < 0 && t.elapsed() < 5000)
        QTest::qWait(1);
    p.stop();
    QTest::qWait(50);
    return ms;
}

void report(const char *what, double first, QList<double> later) {
    std::sort(later.begin(), later.end());
    qInfo("%-22s first %7.1f ms   later: median %6.1f ms, worst %6.1f ms (%d runs)", what, first,
          later.isEmpty() ? -1.0 : later[later.size() / 2], later.isEmpty() ? -1.0 : later.last(),
          int(later.size()));
}

} // namespace

class SpeechBench : public QObject {
    Q_OBJECT
private slots:
    void clickToFirstSample() {
        const bool device = SpeechPlayer::hasDevice();
        if (!device) {
            // The synthesis alone, which is most of the first use.
            QElapsedTimer t;
            t.start();
            Synthesizer::instance().synthesize(QStringLiteral("der Hund"));
            const double first = t.nsecsElapsed() / 1e6;
            QList<double> later;
            for (int i = 0; i < 10; ++i) {
                t.restart();
                Synthesizer::instance().synthesize(QStringLiteral("der Hund"));
                later << t.nsecsElapsed() / 1e6;
            }
            report("synthesis only", first, later);
            QSKIP("no sound device: run under PulseAudio for the whole path");
        }
        SpeechPlayer player;
        const double first = once(player, QStringLiteral("der Hund"), QString());
        QList<double> later;
        for (int i = 0; i < 10; ++i)
            later << once(player, QStringLiteral("die Katze"), QString());
        report("synthetic voice", first, later);

        QTemporaryDir dir;
        const QString wav = dir.filePath(QStringLiteral("derHund.wav"));
        QVERIFY(writeWav(wav, Synthesizer::instance().synthesize(QStringLiteral("der Hund")),
                         Synthesizer::instance().sampleRate()));
        const double firstRec = once(player, QStringLiteral("der Hund"), wav);
        QList<double> laterRec;
        for (int i = 0; i < 10; ++i)
            laterRec << once(player, QStringLiteral("der Hund"), wav);
        report("recording (WAV)", firstRec, laterRec);
    }
};

QTEST_GUILESS_MAIN(SpeechBench)
#include "speech_bench.moc"
