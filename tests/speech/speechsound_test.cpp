// What reaches the sound server: every word and every replay of a recording
// is heard whole, click after click; a recording that cannot be played
// leaves the word to the voice, and no request keeps the caller waiting.
// Plays into a private PulseAudio server with a null sink and records its
// monitor; skips where that cannot run.

#include "speech/speechplayer.h"
#include "speech/synthesizer.h"
#include "support/soundserver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

constexpr int kRate = 22050;
constexpr int kLoud = 300;  // well above the silence, well below any word
constexpr int kGapMs = 250; // longer than any pause inside a word

qint64 ms(qint64 samples) {
    return samples * 1000 / kRate;
}

// The lengths in ms of what was heard.
QList<qint64> heard(const MonitorRecorder &monitor) {
    QList<qint64> out;
    for (const auto &r : monitor.runs(kLoud, kGapMs))
        out << ms(r.length);
    return out;
}

void write(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class SpeechSoundTest : public QObject {
    Q_OBJECT
    std::unique_ptr<SoundServer> m_server;
    QTemporaryDir m_dir;
    qint64 m_voiceMs = 0; // how long "der Hund" sounds

    // Runs requests while the monitor records; returns what was heard.
    template <class Requests> QList<qint64> listen(Requests requests) {
        MonitorRecorder monitor(*m_server, kRate);
        if (!monitor.start())
            return {-1};
        QTest::qWait(200);
        requests();
        QTest::qWait(1500);
        monitor.stop();
        return heard(monitor);
    }

private slots:
    void initTestCase() {
        m_server = std::make_unique<SoundServer>();
        if (!m_server->ok())
            QSKIP(qPrintable(m_server->why()));
        QVERIFY(SpeechPlayer::hasDevice());
        QTRY_COMPARE(SpeechPlayer::device(), SpeechPlayer::Device::Present);
        const QByteArray voice = Synthesizer::instance().synthesize(QStringLiteral("der Hund"));
        const auto runs = runsOf(voice, Synthesizer::instance().sampleRate(), kLoud, kGapMs);
        QCOMPARE(runs.size(), 1);
        m_voiceMs = ms(runs[0].length);
        QVERIFY2(m_voiceMs > 300 && m_voiceMs < 1000, qPrintable(QString::number(m_voiceMs)));
    }

    // Ten clicks 1.1 s apart, as a child clicks the picture: all ten heard,
    // each to its end, the first one included.
    void everyClickHeardWhole_data() {
        QTest::addColumn<QString>("recording");
        QTest::addColumn<int>("length");
        QTest::newRow("voice") << QString() << 0;
        QTest::newRow("recording") << QStringLiteral("derHund.wav") << 600;
    }

    void everyClickHeardWhole() {
        QFETCH(QString, recording);
        QFETCH(int, length);
        if (!recording.isEmpty()) {
            recording = m_dir.filePath(recording);
            write(recording, wavBytes(tone(length)));
        }
        const qint64 expected = length ? length : m_voiceMs;
        SpeechPlayer player;
        const QList<qint64> got = listen([&] {
            for (int i = 0; i < 10; ++i) {
                player.speak(QStringLiteral("der Hund"), recording);
                QTest::qWait(1100);
            }
        });
        QCOMPARE(got.size(), 10);
        for (qint64 l : got)
            QVERIFY2(qAbs(l - expected) <= 30,
                     qPrintable(QStringLiteral("heard %1 ms of %2 ms").arg(l).arg(expected)));
    }

    // What a pupil may leave under a recording's name: the voice says the
    // word instead, and neither the request nor a stop waits for the file.
    void unplayableRecordingLeavesTheVoice_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("random bytes") << QStringLiteral("derHund.mp3");
        QTest::newRow("fifo") << QStringLiteral("derHund.ogg");
        QTest::newRow("link to a fifo") << QStringLiteral("derHund.opus");
        QTest::newRow("link to /dev/zero") << QStringLiteral("dieKuh.wav");
    }

    void unplayableRecordingLeavesTheVoice() {
        QFETCH(QString, name);
        const QString file = m_dir.filePath(name);
        QFile::remove(file);
        const QByteArray tag = QTest::currentDataTag();
        if (tag == "random bytes") {
            QByteArray noise(20000, 0);
            for (qsizetype i = 0; i < noise.size(); ++i)
                noise[i] = char((i * 7919 + i / 3) & 0xff);
            write(file, noise);
        } else if (tag == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (tag == "link to a fifo") {
            const QString fifo = m_dir.filePath(QStringLiteral("pipe"));
            QFile::remove(fifo);
            QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
            QVERIFY(QFile::link(fifo, file));
        } else {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), file));
        }
        SpeechPlayer player;
        QElapsedTimer longest;
        qint64 waited = 0;
        auto timed = [&](auto call) {
            longest.start();
            call();
            waited = qMax(waited, longest.elapsed());
        };
        const QList<qint64> got = listen([&] {
            for (int i = 0; i < 2; ++i) {
                timed([&] { player.speak(QStringLiteral("der Hund"), file); });
                QTest::qWait(1100);
            }
            timed([&] { player.stop(); });
        });
        QVERIFY2(waited < 250, qPrintable(QString::number(waited)));
        QCOMPARE(got.size(), 2);
        for (qint64 l : got)
            QVERIFY2(qAbs(l - m_voiceMs) <= 30, qPrintable(QString::number(l)));
    }
};

QTEST_GUILESS_MAIN(SpeechSoundTest)
#include "speechsound_test.moc"
