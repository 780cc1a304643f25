// The synthetic voice without any sound device: German words become PCM of
// a length that fits a spoken word, and a cancelled word stops early.

#include "speech/synthesizer.h"

#include <QtTest>
#include <cstdlib>

namespace {

double seconds(const QByteArray &pcm) {
    return double(pcm.size() / 2) / Synthesizer::instance().sampleRate();
}

int peak(const QByteArray &pcm) {
    const auto *s = reinterpret_cast<const qint16 *>(pcm.constData());
    int p = 0;
    for (qsizetype i = 0; i < pcm.size() / 2; ++i)
        p = qMax(p, std::abs(int(s[i])));
    return p;
}

} // namespace

class SynthesizerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(Synthesizer::instance().load());
        QVERIFY(Synthesizer::instance().sampleRate() >= 8000);
    }

    void words_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("der Hund") << QStringLiteral("der Hund");
        QTest::newRow("sharp s") << QStringLiteral("die Straße");
    }

    void words() {
        QFETCH(QString, text);
        const QByteArray pcm = Synthesizer::instance().synthesize(text);
        QCOMPARE(pcm.size() % 2, 0);
        // Two syllables take a good part of a second; far less is a cut-off,
        // far more a voice reading the letters one by one.
        QVERIFY2(seconds(pcm) > 0.3 && seconds(pcm) < 3.0,
                 qPrintable(QString::number(seconds(pcm))));
        QVERIFY(peak(pcm) > 1000); // sound, not silence
    }

    // Two words take longer than one: the text reaches the voice whole,
    // umlauts included (a broken encoding drops or spells them).
    void textArrivesWhole() {
        const double one = seconds(Synthesizer::instance().synthesize(QStringLiteral("Küken")));
        const double two =
            seconds(Synthesizer::instance().synthesize(QStringLiteral("Küken Küken Küken")));
        QVERIFY2(two > 2 * one, qPrintable(QStringLiteral("%1 %2").arg(one).arg(two)));
    }

    void nothingToSay() {
        QVERIFY(Synthesizer::instance().synthesize(QString()).isEmpty());
        QVERIFY(Synthesizer::instance().synthesize(QStringLiteral("  ")).isEmpty());
    }

    // A restarted word must not wait for the old one to be synthesised.
    void cancelStopsEarly() {
        const QString text = QStringLiteral("der Hund und die Katze und das Küken und die Straße");
        const QByteArray full = Synthesizer::instance().synthesize(text);
        std::atomic<bool> cancel{true};
        const QByteArray cut = Synthesizer::instance().synthesize(text, &cancel);
        QVERIFY2(cut.size() < full.size() / 2,
                 qPrintable(QStringLiteral("%1 of %2").arg(cut.size()).arg(full.size())));
    }
};

QTEST_GUILESS_MAIN(SynthesizerTest)
#include "synthesizer_test.moc"
