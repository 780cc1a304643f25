// A sound server that takes the connection and never answers (the look-up of
// the sound device then waits half a minute): no request waits for it, every
// request still ends after its time limit, and the player goes at once. In a
// process of its own, as the sound server is chosen once per process.

#include "speech/speechplayer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <cstdlib>
#include <sys/socket.h>
#include <sys/un.h>

class SpeechHangTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_server = -1; // listens, and never accepts, reads or answers

private slots:
    void initTestCase() {
        const QByteArray socket = QFile::encodeName(m_dir.filePath(QStringLiteral("native")));
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        QVERIFY(size_t(socket.size()) < sizeof(address.sun_path));
        qstrcpy(address.sun_path, socket.constData());
        m_server = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(m_server >= 0);
        QCOMPARE(::bind(m_server, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        QCOMPARE(::listen(m_server, 16), 0);
        qputenv("PULSE_SERVER", "unix:" + socket);
    }

    void nothingWaits() {
        QElapsedTimer longest;
        qint64 waited = 0;
        auto timed = [&](auto call) {
            longest.start();
            call();
            waited = qMax(waited, longest.elapsed());
        };
        auto player = std::make_unique<SpeechPlayer>();
        QSignalSpy done(player.get(), &SpeechPlayer::finished);
        timed([&] { player->speak(QStringLiteral("der Hund")); });
        timed([&] { player->speakAfter(QStringLiteral("die Katze")); });
        QVERIFY(done.wait(SpeechPlayer::kStartLimitMs + 2000));
        QVERIFY(!player->isSpeaking());
        timed([&] { player->speak(QStringLiteral("der Hund")); });
        timed([&] { player->stop(); });
        timed([&] { QVERIFY(!SpeechPlayer::hasDevice(100)); });
        timed([&] { QCOMPARE(SpeechPlayer::device(), SpeechPlayer::Device::Unknown); });
        timed([&] { player.reset(); });
        QVERIFY2(waited < 250, qPrintable(QString::number(waited)));
    }
};

// Qt Multimedia's own statics wait for the look-up at exit, which would end
// only at the server's time-out; the test ends without them.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    SpeechHangTest test;
    const int failed = QTest::qExec(&test, argc, argv);
    std::fflush(nullptr);
    std::_Exit(failed);
}

#include "speechhang_test.moc"
