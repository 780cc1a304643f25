#include "platform/surface.h"
#include "words/palette.h"
#include "words/wordstrip.h"

#include <QGuiApplication>
#include <QTest>

using Op = RecordingSurface::Op;

class WordStripTest : public QObject {
    Q_OBJECT
private slots:
    void lettersInTheirColours_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("vowelMask"); // v = vowel colour, c = consonant colour
        QTest::newRow("Hund") << "Hund" << "cvcc";
        QTest::newRow("Äpfel") << "Äpfel" << "vccvc";
        QTest::newRow("Spielzeug") << "Spielzeug" << "ccvvccvvc";
        QTest::newRow("y and ß are consonants") << "yß-1" << "cccc";
    }
    void lettersInTheirColours()
    {
        QFETCH(QString, word);
        QFETCH(QString, vowelMask);
        RecordingSurface s;
        wordstrip::draw(s, word, 15, 0);
        QCOMPARE(s.ops.first().kind, Op::Fill);
        QStringList letters;
        QString mask;
        for (const Op &op : s.ops) {
            if (op.kind != Op::Text || op.text == " ")
                continue;
            letters << op.text;
            mask += op.colour == palette::colour(15) ? 'v' : 'c';
            if (mask.back() == 'c')
                QCOMPARE(op.colour, palette::colour(0));
        }
        QCOMPARE(letters.join(QString()), word);
        QCOMPARE(mask, vowelMask);
        QCOMPARE(s.printedText(), " " + QStringList(word.split(QString(), Qt::SkipEmptyParts)).join(" ") + " ");
    }

    void spacedAndUnspacedPositions()
    {
        RecordingSurface spaced, tight;
        spaced.setFont("Verdana", 36, true);
        tight.setFont("Verdana", 36, true);
        wordstrip::draw(spaced, "Hund", 12, 10);
        wordstrip::draw(tight, "Hund", 12, 10, wordstrip::Style::Unspaced);
        QCOMPARE(tight.printedText(), QString("Hund"));
        auto firstLetter = [](const RecordingSurface &s) {
            for (const Op &op : s.ops)
                if (op.kind == Op::Text && op.text == "H")
                    return op.rect.left();
            return -1;
        };
        // The strip starts at its left edge; the spaced form after one blank.
        QCOMPARE(firstLetter(tight), 0);
        QCOMPARE(firstLetter(spaced), spaced.textWidth(" "));
        // Everything stays on the first line.
        for (const Op &op : spaced.ops)
            if (op.kind == Op::Text)
                QCOMPARE(op.rect.top(), 0);
    }
};

QTEST_MAIN(WordStripTest)
#include "wordstrip_test.moc"
