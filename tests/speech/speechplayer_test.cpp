// The real voice never hangs the program: whatever the sound device (none in
// the test run) or the recording (missing here), what was asked for ends and
// is reported once; a stop leaves nothing behind.

#include "speech/speechplayer.h"

#include <QSignalSpy>
#include <QtTest>

class SpeechPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void requestsEnd_data() {
        QTest::addColumn<QString>("recording");
        QTest::newRow("voice") << QString();
        QTest::newRow("missing recording") << QStringLiteral("/nonexistent/derHund.wav");
    }

    void requestsEnd() {
        QFETCH(QString, recording);
        SpeechPlayer p;
        QSignalSpy done(&p, &SpeechPlayer::finished);
        p.speak(QStringLiteral("der Hund"), recording);
        p.speakAfter(QStringLiteral("die Katze"));
        QVERIFY(p.isSpeaking());
        QVERIFY(done.wait(10000));
        QTest::qWait(100);
        QCOMPARE(done.count(), 1); // the queued word came after, not as a second end
        QVERIFY(!p.isSpeaking());
    }

    void stopLeavesNothing() {
        SpeechPlayer p;
        QSignalSpy done(&p, &SpeechPlayer::finished);
        p.speak(QStringLiteral("der Hund"));
        p.speakAfter(QStringLiteral("die Katze"));
        p.stop();
        QVERIFY(!p.isSpeaking());
        QTest::qWait(300);
        QCOMPARE(done.count(), 0);
    }
};

QTEST_GUILESS_MAIN(SpeechPlayerTest)
#include "speechplayer_test.moc"
