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

    // "Silbenbögen" keeps the letters' colours and draws black arcs;
    // "Silbenfarben" colours the syllables by turns, each arc in its colour.
    void syllables_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QList<int>>("breaks");
        QTest::addColumn<bool>("coloured");
        QTest::addColumn<QString>("mask"); // c, v: letter colours; 1, 2: syllable colours
        QTest::addColumn<int>("syllableCount");
        QTest::addColumn<int>("style");
        for (int style : {int(wordstrip::Style::Spaced), int(wordstrip::Style::Unspaced),
                          int(wordstrip::Style::Trailing)}) {
            const QByteArray tag = QByteArray(" style ") + QByteArray::number(style);
            auto row = [&](const char *name, const char *word, QList<int> breaks, bool coloured,
                           const char *mask, int count) {
                QTest::newRow(name + tag)
                    << QString(word) << breaks << coloured << QString(mask) << count << style;
            };
            row("Ameise, arcs", "Ameise", {1, 4}, false, "vcvvcv", 3);
            row("Ameise, colours", "Ameise", {1, 4}, true, "122211", 3);
            // p, g and y hang lowest; the arcs go below them.
            row("Papagei, arcs", "Papagei", {2, 4}, false, "cvcvcvv", 3);
            row("one syllable", "Hund", {}, true, "1111", 1);
            row("breaks out of order and range", "Banane", {4, 0, 2, 2, 6, -1, 99}, true, "112211",
                3);
        }
    }
    void syllables() {
        QFETCH(QString, word);
        QFETCH(QList<int>, breaks);
        QFETCH(bool, coloured);
        QFETCH(QString, mask);
        QFETCH(int, syllableCount);
        QFETCH(int, style);
        const auto st = wordstrip::Style(style);
        wordstrip::Syllables syl;
        syl.breaks = breaks;
        syl.coloured = coloured;
        syl.first = palette::colour(1);
        syl.second = palette::colour(4);
        RecordingSurface plain, with;
        for (RecordingSurface *s : {&plain, &with})
            s->setFont("Verdana", 36, true);
        wordstrip::draw(plain, word, 12, 10, st);
        wordstrip::draw(with, word, 12, 10, st, &syl);

        // Every letter stands where it stands without syllables, in the same
        // font, so clicks on the strip still find their letter.
        QCOMPARE(shapes(with), shapes(plain));
        QString seen;
        QList<QRect> letters;
        for (const Op &op : with.ops) {
            if (op.kind != Op::Text || op.text == " ")
                continue;
            letters << op.rect;
            seen += op.colour == palette::colour(10)   ? 'c'
                    : op.colour == palette::colour(12) ? 'v'
                    : op.colour == syl.first           ? '1'
                    : op.colour == syl.second          ? '2'
                                                       : '?';
        }
        QCOMPARE(seen, mask);
        QCOMPARE(with.printPosition(), plain.printPosition());
        QCOMPARE(with.lineWidth(), plain.lineWidth());

        // One arc per syllable under its own letters, below the letters'
        // descenders and inside the lowest strip (1095 twips).
        const QList<Arc> arcs = arcsOf(with);
        QCOMPARE(arcs.size(), syllableCount);
        QList<int> edges{0};
        for (int b : breaks)
            if (b > 0 && b < word.size() && !edges.contains(b))
                edges << b;
        std::sort(edges.begin(), edges.end());
        edges << int(word.size());
        for (int k = 0; k < arcs.size(); ++k) {
            const QRect first = letters[edges[k]];
            const QRect last = letters[edges[k + 1] - 1];
            QVERIFY(arcs[k].left >= first.left() && arcs[k].right <= last.right() + 1);
            QVERIFY(arcs[k].right - arcs[k].left > first.width() / 2);
            QCOMPARE(arcs[k].colour, !coloured    ? QColor(Qt::black)
                                     : k % 2 == 0 ? syl.first
                                                  : syl.second);
            QVERIFY2(arcs[k].top > with.textHeight(), "an arc runs into the descenders");
            QVERIFY(arcs[k].bottom > arcs[k].top && arcs[k].bottom < 1095);
        }
    }

    // On paper the word is printed whole (arcs) or by syllables in their
    // colours at the places the whole word has; the arcs keep clear of the
    // card's line, below the descenders where there is room.
    void onPaper_data() {
        QTest::addColumn<bool>("coloured");
        QTest::addColumn<int>("room"); // from the word's top to the card's line
        QTest::addColumn<bool>("belowLetters");
        for (bool coloured : {false, true}) {
            const char *tag = coloured ? "colours" : "arcs";
            QTest::newRow(QByteArray(tag) + ", room") << coloured << 1500 << true;
            // The writing sheet's preview leaves a few twips below the letters.
            QTest::newRow(QByteArray(tag) + ", tight") << coloured << 230 << false;
        }
    }
    void onPaper() {
        QFETCH(bool, coloured);
        QFETCH(int, room);
        QFETCH(bool, belowLetters);
        RecordingSurface s;
        s.setFont("Verdana", room > 1000 ? 32 : 8.25);
        s.setLineWidth(7);
        s.setTextColour(Qt::darkGreen);
        const QString word = "Papagei";
        RecordingSurface whole = s;
        whole.text(1500, 1300, word);
        wordstrip::Syllables syl;
        syl.breaks = {2, 4};
        syl.coloured = coloured;
        wordstrip::printSyllables(s, 1500, 1300, word, syl, 1300 + room);
        QCOMPARE(s.printPosition(), whole.printPosition());
        QCOMPARE(s.lineWidth(), 7);
        QCOMPARE(s.textColour(), QColor(Qt::darkGreen));

        QStringList texts;
        for (const Op &op : s.ops)
            if (op.kind == Op::Text) {
                texts << op.text;
                QCOMPARE(op.rect.left(), 1500 + s.textWidth(word.left(word.indexOf(op.text))));
                QCOMPARE(op.rect.top(), 1300);
            }
        const QStringList expected = coloured ? QStringList{"Pa", "pa", "gei"} : QStringList{word};
        QCOMPARE(texts, expected);

        const QList<Arc> arcs = arcsOf(s);
        QCOMPARE(arcs.size(), 3);
        const QList<int> edges{0, 2, 4, 7};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(arcs[k].colour, !coloured ? QColor(Qt::black)
                                     : k == 1  ? syl.second
                                               : syl.first);
            QVERIFY(arcs[k].left >= 1500 + s.textWidth(word.left(edges[k])) &&
                    arcs[k].right <= 1500 + s.textWidth(word.left(edges[k + 1])));
            QVERIFY2(arcs[k].bottom + 2 * qMax(15, s.lineWidth()) <= 1300 + room,
                     "an arc touches the card's line");
            QVERIFY(arcs[k].top > 1300 + s.textHeight() / 2);
            if (belowLetters)
                QVERIFY(arcs[k].top > 1300 + s.textHeight());
        }
        // A one-syllable word gets one arc; an empty word nothing.
        RecordingSurface one;
        one.setFont("Verdana", 16);
        wordstrip::printSyllables(one, 0, 0, "Hund", {});
        QCOMPARE(arcsOf(one).size(), 1);
        wordstrip::printSyllables(one, 0, 0, QString(), {});
        QCOMPARE(arcsOf(one).size(), 1);
    }

    // A syllable whose letters stand in two boxes (the catch game's word row)
    // gets one arc in two pieces, nothing drawn in the gap between.
    void arcAcrossBoxes() {
        RecordingSurface s;
        s.setFont("MS Sans Serif", 18, true);
        const wordstrip::Pieces split{{100, 400}, {1000, 1300}};
        wordstrip::arcsUnder(s, {split, {{1400, 2000}}}, {Qt::red, Qt::blue}, 15, 100);
        const QList<Arc> arcs = arcsOf(s);
        QCOMPARE(arcs.size(), 3);
        QCOMPARE(arcs[0].colour, QColor(Qt::red));
        QCOMPARE(arcs[1].colour, QColor(Qt::red));
        QCOMPARE(arcs[2].colour, QColor(Qt::blue));
        QVERIFY(arcs[0].left > 100 && arcs[0].right == 400);
        QVERIFY(arcs[1].left == 1000 && arcs[1].right < 1300);
        for (const Op &op : s.ops)
            QVERIFY(op.rect.normalized().right() <= 400 || op.rect.normalized().left() >= 1000);
        // The halves meet where the arc runs on: at its lowest point.
        QCOMPARE(arcs[0].bottom, arcs[1].bottom);
        for (const Arc &a : arcs)
            QVERIFY(a.top >= 15 && a.bottom + 2 * 15 <= 100);
    }
};

QTEST_MAIN(WordStripTest)
#include "wordstrip_test.moc"
