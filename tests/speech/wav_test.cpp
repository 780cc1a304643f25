// A teacher's recording as stored: the silence around the word trimmed by
// the level of short windows with a margin kept, and a WAV file whose header
// tells the truth about what follows it.

#include "speech/wav.h"

#include <QtEndian>
#include <QtTest>
#include <cmath>

namespace {

// Sound described as pieces: milliseconds of silence (0), of quiet noise
// (a level under the threshold) or of a loud tone.
struct Piece {
    int ms;
    int amplitude; // 0 silence, < 400 noise, else a 440 Hz tone
};

constexpr int kRate = 8000;

Pcm made(const QList<Piece> &pieces, int channels = 1) {
    Pcm pcm;
    pcm.rate = kRate;
    pcm.channels = channels;
    quint32 seed = 7;
    for (const Piece &p : pieces)
        for (int i = 0; i < kRate * p.ms / 1000; ++i) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int((seed >> 16) % 201) - 100; // -100 .. 100
            const qint16 v =
                p.amplitude == 0 ? 0
                : p.amplitude < 400
                    ? qint16(noise * p.amplitude / 100)
                    : qint16(p.amplitude * std::sin(2 * M_PI * 440 * i / double(kRate)));
            for (int c = 0; c < channels; ++c)
                pcm.samples.append(reinterpret_cast<const char *>(&v), 2);
        }
    return pcm;
}

quint32 u32(const QByteArray &b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray &b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

} // namespace

class WavTest : public QObject {
    Q_OBJECT
private slots:
    void trimSilence_data() {
        QTest::addColumn<QList<Piece>>("pieces");
        QTest::addColumn<int>("fromMs"); // where the kept sound starts in the input
        QTest::addColumn<int>("keptMs"); // -1: nothing kept
        QTest::newRow("empty input") << QList<Piece>{} << 0 << -1;
        QTest::newRow("silence only") << QList<Piece>{{500, 0}} << 0 << -1;
        QTest::newRow("quiet noise only") << QList<Piece>{{500, 300}} << 0 << -1;
        QTest::newRow("tone in the middle")
            << QList<Piece>{{300, 0}, {200, 12000}, {300, 0}} << 220 << 360;
        QTest::newRow("noise at the ends")
            << QList<Piece>{{300, 300}, {200, 12000}, {300, 250}} << 220 << 360;
        QTest::newRow("tone from the first sample")
            << QList<Piece>{{200, 12000}, {300, 0}} << 0 << 280;
        QTest::newRow("margin cut by the end")
            << QList<Piece>{{300, 0}, {200, 12000}, {30, 0}} << 220 << 310;
        QTest::newRow("the pause inside a word stays")
            << QList<Piece>{{200, 0}, {100, 12000}, {300, 0}, {100, 9000}, {200, 0}} << 120 << 660;
    }
    void trimSilence() {
        QFETCH(QList<Piece>, pieces);
        QFETCH(int, fromMs);
        QFETCH(int, keptMs);
        for (int channels : {1, 2}) {
            const Pcm in = made(pieces, channels);
            const Pcm out = wav::trimSilence(in);
            QCOMPARE(out.rate, kRate);
            QCOMPARE(out.channels, channels);
            if (keptMs < 0) {
                QVERIFY(out.isEmpty());
                continue;
            }
            QCOMPARE(out.frames(), qint64(kRate) * keptMs / 1000);
            // The very samples of the input, not a copy of something else.
            const qsizetype at = qsizetype(kRate) * fromMs / 1000 * 2 * channels;
            QCOMPARE(out.samples, in.samples.mid(at, out.samples.size()));
        }
    }

    void trimIgnoresAnOddByte() {
        Pcm pcm = made({{100, 0}, {100, 12000}, {100, 0}});
        pcm.samples.append('\x7f');
        const Pcm out = wav::trimSilence(pcm);
        QCOMPARE(out.samples.size() % 2, 0);
        QCOMPARE(out.frames(), qint64(kRate) * 260 / 1000);
    }

    void encode_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<QByteArray>("samples");
        QTest::addColumn<int>("dataBytes");
        QTest::newRow("mono") << 1 << QByteArray("\x01\x00\xff\x7f\x00\x80", 6) << 6;
        QTest::newRow("odd byte count") << 1 << QByteArray("\x01\x00\xff\x7f\x00", 5) << 4;
        QTest::newRow("no samples") << 1 << QByteArray() << 0;
        QTest::newRow("stereo, half a frame at the end")
            << 2 << QByteArray("\x01\x00\x02\x00\x03\x00\x04\x00\x05\x00", 10) << 8;
    }
    void encode() {
        QFETCH(int, channels);
        QFETCH(QByteArray, samples);
        QFETCH(int, dataBytes);
        Pcm pcm;
        pcm.rate = 22050;
        pcm.channels = channels;
        pcm.samples = samples;
        const QByteArray f = wav::encode(pcm);
        QCOMPARE(f.size(), 44 + dataBytes);
        QCOMPARE(f.left(4), QByteArray("RIFF"));
        QCOMPARE(u32(f, 4), quint32(36 + dataBytes));
        QCOMPARE(f.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(u32(f, 16), 16u);                           // fmt chunk size
        QCOMPARE(u16(f, 20), quint16(1));                    // PCM
        QCOMPARE(u16(f, 22), quint16(channels));             //
        QCOMPARE(u32(f, 24), 22050u);                        // rate
        QCOMPARE(u32(f, 28), quint32(22050 * 2 * channels)); // bytes a second
        QCOMPARE(u16(f, 32), quint16(2 * channels));         // bytes a frame
        QCOMPARE(u16(f, 34), quint16(16));                   // bits
        QCOMPARE(f.mid(36, 4), QByteArray("data"));
        QCOMPARE(u32(f, 40), quint32(dataBytes));
        QCOMPARE(f.mid(44), samples.left(dataBytes));
    }

    void encodeNeedsARate() {
        Pcm pcm;
        pcm.samples = QByteArray(10, '\1');
        QVERIFY(wav::encode(pcm).isEmpty());
    }

    void meterLevel_data() {
        QTest::addColumn<QList<qint16>>("samples");
        QTest::addColumn<int>("level");
        QTest::newRow("nothing") << QList<qint16>{} << 0;
        QTest::newRow("silence") << QList<qint16>{0, 0, 0} << 0;
        QTest::newRow("full scale, negative") << QList<qint16>{10, -32768, 3} << 100;
        QTest::newRow("-30 dB") << QList<qint16>{1036, -200} << 50;
        QTest::newRow("under -60 dB") << QList<qint16>{20, -20} << 0;
    }
    void meterLevel() {
        QFETCH(QList<qint16>, samples);
        QFETCH(int, level);
        const auto *bytes = reinterpret_cast<const char *>(samples.constData());
        QCOMPARE(wav::meterLevel(bytes, samples.size() * 2), level);
        // A trailing odd byte is no sample.
        QByteArray odd(bytes, samples.size() * 2);
        odd.append('\x7f');
        QCOMPARE(wav::meterLevel(odd.constData(), odd.size()), level);
    }
};

QTEST_GUILESS_MAIN(WavTest)
#include "wav_test.moc"
