#include "core/palette.h"
#include "drawing/surface.h"
#include "drawing/wordstrip.h"

#include <QGuiApplication>
#include <QTest>

using Op = RecordingSurface::Op;

namespace {

struct Arc {
    int left, right, top, bottom;
    QColor colour;
};

// Line ops joined end to end make one arc.
QList<Arc> arcsOf(const RecordingSurface &s) {
    QList<Arc> arcs;
    QPoint end(-1, -1);
    for (const Op &op : s.ops) {
        if (op.kind != Op::Line)
            continue;
        const QPoint a = op.rect.topLeft();
        const QPoint b = op.rect.bottomRight();
        if (arcs.isEmpty() || a != end)
            arcs.push_back({a.x(), a.x(), a.y(), a.y(), op.colour});
        Arc &arc = arcs.last();
        arc.left = qMin(arc.left, qMin(a.x(), b.x()));
        arc.right = qMax(arc.right, qMax(a.x(), b.x()));
        arc.top = qMin(arc.top, qMin(a.y(), b.y()));
        arc.bottom = qMax(arc.bottom, qMax(a.y(), b.y()));
        if (op.colour != arc.colour)
            arc.colour = QColor(); // one arc, one colour
        end = b;
    }
    return arcs;
}

// Per letter: c in the consonant colour, v in the vowel colour, ? otherwise.
QString colourMask(const RecordingSurface &s, int consonant, int vowel) {
    QString mask;
    for (const Op &op : s.ops)
        if (op.kind == Op::Text && op.text != " ")
            mask += op.colour == palette::colour(consonant) ? 'c'
                    : op.colour == palette::colour(vowel)   ? 'v'
                                                            : '?';
    return mask;
}

// Where and how each text is drawn, without its colour.
QStringList shapes(const RecordingSurface &s) {
    QStringList out;
    for (const Op &op : s.ops)
        if (op.kind == Op::Text)
            QDebug(&out.emplace_back()) << op.text << op.rect << op.family << op.points << op.bold;
    return out;
}

} // namespace

class WordStripTest : public QObject {
    Q_OBJECT
private slots:
    void lettersInTheirColours_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("vowelMask"); // v = vowel colour, c = consonant colour
        for (const auto &[word, mask] :
             {std::pair{"Hund", "cvcc"}, {"Äpfel", "vccvc"}, {"yß-1", "cccc"}})
            QTest::newRow(word) << QString(word) << QString(mask); // y and ß are consonants
    }
    void lettersInTheirColours() {
        QFETCH(QString, word);
        QFETCH(QString, vowelMask);
        RecordingSurface s;
        wordstrip::draw(s, word, 15, 0);
        QCOMPARE(s.ops.first().kind, Op::Fill);
        QCOMPARE(colourMask(s, 0, 15), vowelMask);
        QCOMPARE(s.printedText(),
                 " " + QStringList(word.split(QString(), Qt::SkipEmptyParts)).join(" ") + " ");
    }

    void syllables_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QList<int>>("breaks");
        QTest::addColumn<QString>("mask"); // c = consonant colour, v = vowel colour, per letter
        QTest::addColumn<int>("style");
        for (int style : {int(wordstrip::Style::Spaced), int(wordstrip::Style::Unspaced)}) {
            const QByteArray tag = style ? " unspaced" : " spaced";
            QTest::newRow("Ameise" + tag) << "Ameise" << QList<int>{1, 4} << "cvvvcc" << style;
            QTest::newRow("one syllable" + tag) << "Hund" << QList<int>{} << "cccc" << style;
            QTest::newRow("breaks out of order and range" + tag)
                << "Banane" << QList<int>{4, 0, 2, 2, 6, -1, 99} << "ccvvcc" << style;
        }
    }
    void syllables() {
        QFETCH(QString, word);
        QFETCH(QList<int>, breaks);
        QFETCH(QString, mask);
        QFETCH(int, style);
        const auto st = wordstrip::Style(style);
        RecordingSurface plain, syl;
        for (RecordingSurface *s : {&plain, &syl})
            s->setFont("Verdana", 36, true);
        wordstrip::draw(plain, word, 12, 10, st);
        wordstrip::draw(syl, word, 12, 10, st, &breaks);

        // Every letter stands where it stands without syllables, in the same
        // font, so clicks on the strip still find their letter.
        QCOMPARE(shapes(syl), shapes(plain));
        QCOMPARE(colourMask(syl, 10, 12), mask);
        QList<QRect> letters;
        for (const Op &op : syl.ops)
            if (op.kind == Op::Text && op.text != " ")
                letters << op.rect;
        // The strip starts at its left edge, the spaced form after one blank,
        // and all of it stays on the first line.
        QCOMPARE(letters.first().left(), st == wordstrip::Style::Spaced ? syl.textWidth(" ") : 0);
        for (const QRect &r : letters)
            QCOMPARE(r.top(), 0);
        if (st == wordstrip::Style::Unspaced)
            QCOMPARE(plain.printedText(), word);
        QCOMPARE(syl.printPosition(), plain.printPosition());
        QCOMPARE(syl.lineWidth(), plain.lineWidth());

        // One arc per syllable, in its colour, under its own letters only,
        // below the baseline and inside the lowest strip (1095 twips).
        const QList<Arc> arcs = arcsOf(syl);
        int syllables = 1;
        for (int i = 1; i < mask.size(); ++i)
            syllables += mask[i] != mask[i - 1] ? 1 : 0;
        QCOMPARE(arcs.size(), syllables);
        int first = 0;
        for (const Arc &arc : arcs) {
            int last = first;
            while (last + 1 < mask.size() && mask[last + 1] == mask[first])
                ++last;
            QVERIFY(arc.left >= letters[first].left() && arc.right <= letters[last].right() + 1);
            QVERIFY(arc.right - arc.left > letters[first].width() / 2);
            QCOMPARE(arc.colour, palette::colour(mask[first] == 'c' ? 10 : 12));
            QVERIFY(arc.top > syl.textHeight() * 3 / 4 && arc.bottom > arc.top &&
                    arc.bottom < 1095);
            first = last + 1;
        }
    }

    void arcsOnPaper() {
        RecordingSurface s;
        s.setFont("Verdana", 32);
        s.setLineWidth(7);
        const QString word = "Elefant";
        s.text(1500, 1300, word);
        const QPoint after = s.printPosition();
        wordstrip::syllableArcs(s, 1500, 1300, word, {1, 3});
        QCOMPARE(s.printPosition(), after);
        QCOMPARE(s.lineWidth(), 7);
        const QList<Arc> arcs = arcsOf(s);
        QCOMPARE(arcs.size(), 3);
        const QList<int> edges{0, 1, 3, 7};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(arcs[k].colour, QColor(Qt::black));
            QVERIFY(arcs[k].left >= 1500 + s.textWidth(word.left(edges[k])) &&
                    arcs[k].right <= 1500 + s.textWidth(word.left(edges[k + 1])));
            // Under the word, well inside the card's 1500-twip strip.
            QVERIFY(arcs[k].top > 1300 + s.textHeight() * 3 / 4 &&
                    arcs[k].bottom < 1300 + s.textHeight() + 300);
        }
        // A one-syllable word gets one arc; an empty word none.
        RecordingSurface one;
        one.setFont("Verdana", 16);
        wordstrip::syllableArcs(one, 0, 0, "Hund", {});
        QCOMPARE(arcsOf(one).size(), 1);
        wordstrip::syllableArcs(one, 0, 0, QString(), {});
        QCOMPARE(arcsOf(one).size(), 1);
    }
};

QTEST_MAIN(WordStripTest)
#include "wordstrip_test.moc"
