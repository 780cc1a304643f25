// Syllables on every strip and on paper: "Silbenbögen" (arcs, the letters in
// their own colours) and "Silbenfarben" (the syllables in two colours with
// arcs). Everything stays exactly as it was while both are off, and a strip
// drawn while the patterns still load shows its syllables once they are in.

#include "drawing/surface.h"
#include "drawing/wordstrip.h"
#include "exercises/Form2.h"
#include "games/fang.h"
#include "games/memo.h"
#include "support/windowfixture.h"
#include "syllables/syllabifier.h"
#include "ui/canvas.h"
#include "ui/twips.h"
#include "worksheets/drucken1.h"
#include "worksheets/drucken3.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

using Op = RecordingSurface::Op;

enum Mode { Off, Arcs, Colours };

void setMode(FakeProgram &p, int mode) {
    p.changeExtras([&](Extras &e) { e.syllableArcs = mode == Arcs; });
    p.changeExtras([&](Extras &e) { e.syllableColours = mode == Colours; });
}

// No patterns: the syllables come from the teacher's list alone, and the
// "loading" ends as soon as the loader finds the pattern file missing.
void prepare(WindowFixture &f, int mode, bool loaded) {
    QFile list(f.dir.filePath(QStringLiteral("silben.TXT")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    for (const char *line : {"Ameise=A-mei-se", "Papagei=Pa-pa-gei", "Igel=I-gel", "Tiger=Ti-ger",
                             "Banane=Ba-na-ne", "Kamel=Ka-mel", "Zebra=Ze-bra", "Rabe=Ra-be"})
        list.write(QByteArray(line) + '\n');
    list.close();
    f.p.setSyllablePatternFile(f.dir.filePath(QStringLiteral("none.dic")));
    setMode(f.p, mode);
    if (loaded)
        f.p.syllables().hasPatterns();
}

QString describe(const Op &op) {
    QString s;
    QDebug(&s) << op.kind << op.rect << op.text << op.colour << op.points << op.bold;
    return s;
}

wordstrip::Syllables shown(int mode, QList<int> breaks) {
    wordstrip::Syllables s;
    s.breaks = breaks;
    s.coloured = mode == Colours;
    s.first = QColor(0, 0, 255);
    s.second = QColor(255, 0, 0);
    return s;
}

QRect pxRect(const QRect &tw) {
    return twips::pxRect(tw.left(), tw.top(), tw.width(), tw.height());
}

} // namespace

class SyllableStripTest : public QObject {
    Q_OBJECT
private slots:
    void exerciseStrip_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("off") << int(Off) << true;
        QTest::newRow("arcs") << int(Arcs) << true;
        QTest::newRow("colours") << int(Colours) << true;
        // The first word does not wait for the patterns, and shows its
        // syllables once they are in, without a click.
        QTest::newRow("arcs, still loading") << int(Arcs) << false;
        QTest::newRow("colours, still loading") << int(Colours) << false;
    }
    void exerciseStrip() {
        QFETCH(int, mode);
        QFETCH(bool, loaded);
        WindowFixture f({"dieAmeise.jpg"});
        prepare(f, mode, loaded);
        auto *w = f.open<Form2>(ScreenId::Form2);
        auto *strip = control<Canvas>(w, "Picture1");
        const QImage first = strip->image();

        auto expected = [&](bool syllables) {
            const wordstrip::Syllables s = shown(mode, {1, 4});
            wordstrip::draw(strip->surface(), QStringLiteral("Ameise"), f.p.vowelColour(),
                            f.p.consonantColour(), wordstrip::Style::Spaced,
                            syllables ? &s : nullptr);
            return strip->image();
        };
        const QImage plain = expected(false);
        const QImage withSyllables = expected(mode != Off);
        QCOMPARE(first, loaded ? withSyllables : plain);
        if (mode != Off)
            QVERIFY(withSyllables != plain);

        // The strip on show is drawn again by itself once the patterns are in.
        if (!loaded) {
            QCOMPARE(expected(false), plain); // as it was shown
            QTRY_COMPARE(strip->image(), withSyllables);
        }
        control<QPushButton>(w, "Command2")->click(); // the next noun (the same one again)
        QCOMPARE(strip->image(), withSyllables);
    }

    // Memory: every card shows its arcs under the word and above the frame a
    // found pair gets, all of it hidden by its cover; the words written
    // while the patterns load get them when they are in.
    void memoryCards_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("arcs") << int(Arcs) << true;
        QTest::newRow("colours") << int(Colours) << true;
        QTest::newRow("arcs, still loading") << int(Arcs) << false;
    }
    void memoryCards() {
        QFETCH(int, mode);
        QFETCH(bool, loaded);
        WindowFixture f({"dieAmeise.jpg", "derPapagei.jpg", "derIgel.jpg", "derTiger.jpg",
                         "dieBanane.jpg", "dasKamel.jpg", "dasZebra.jpg", "derRabe.jpg",
                         "derHund.jpg"});
        prepare(f, mode, loaded);
        auto *w = f.open<memo>(ScreenId::Memo);
        auto *board = control<Canvas>(w, "board");
        QCOMPARE(w->game().cards().size(), 18);
        const QColor arc = mode == Colours ? QColor(0, 0, 255) : QColor(Qt::black);
        auto arcsOnEveryCard = [&] {
            for (int k = 1; k <= 18; ++k) {
                const QPoint o = memo::cardOrigin(k);
                // Below the letters' middle, above the frame line (600) by a pixel.
                if (!countColour(board->image(), arc, pxRect(QRect(o.x(), o.y() + 300, 5175, 270))))
                    return false;
            }
            return true;
        };
        if (!loaded) {
            QVERIFY(!arcsOnEveryCard());
            QTRY_VERIFY(f.p.syllables().ready());
        }
        QTRY_VERIFY(arcsOnEveryCard());
        // Whatever the syllables change lies under the covers; nothing
        // touches the frame line.
        const QImage on = board->image();
        setMode(f.p, Off);
        emit f.p.events().syllablesReady(); // the same cards drawn again, plain
        const QImage off = board->image();
        QRegion covers;
        for (int k = 1; k <= 18; ++k) {
            const QPoint o = memo::cardOrigin(k);
            covers += pxRect(QRect(o.x(), o.y(), 5175, 615));
            QCOMPARE(countColour(on, arc, pxRect(QRect(o.x(), o.y() + 585, 5175, 45))), 0);
        }
        int changed = 0;
        for (int y = 0; y < on.height(); ++y)
            for (int x = 0; x < on.width(); ++x)
                if (on.pixel(x, y) != off.pixel(x, y)) {
                    ++changed;
                    QVERIFY2(covers.contains(QPoint(x, y)), "a syllable shows beside its cover");
                }
        QVERIFY(changed > 0);
    }

    // The catch game: arcs under the word row, a syllable whose letters stand
    // in two boxes with a piece in each, in the syllable colours with
    // "Silbenfarben"; nothing new while syllables are off.
    void catchGameRow_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("off") << int(Off);
        QTest::newRow("arcs") << int(Arcs);
        QTest::newRow("colours") << int(Colours);
    }
    void catchGameRow() {
        QFETCH(int, mode);
        WindowFixture f({"dieAmeise.jpg"});
        prepare(f, mode, true);
        auto *w = f.open<fang>(ScreenId::Fang);
        auto *arcs = control<Canvas>(w, "WordArcs");
        QCOMPARE(arcs->isVisible(), mode != Off);
        if (mode == Off)
            return;
        auto *next = control<QLabel>(w, "bezeichnung3");
        auto *after = control<QLabel>(w, "Bezeichnung5");
        QCOMPARE(next->text() + after->text(), QString("Ameise"));
        // A | mei | se: the first under the next letter's box, the others
        // under the rest, each in its colour.
        const QImage img = arcs->image();
        auto under = [&](const QLabel *box, int from, int to) {
            const QFontMetrics fm(box->font());
            const int left = box->x() - arcs->x() + fm.horizontalAdvance(box->text().left(from));
            const int right = box->x() - arcs->x() + fm.horizontalAdvance(box->text().left(to));
            return QRect(left, 0, right - left, img.height());
        };
        const QColor first = mode == Colours ? QColor(0, 0, 255) : QColor(Qt::black);
        const QColor second = mode == Colours ? QColor(255, 0, 0) : QColor(Qt::black);
        QVERIFY(countColour(img, first, under(next, 0, 1)) > 0);
        QVERIFY(countColour(img, second, under(after, 0, 3)) > 0);
        QVERIFY(countColour(img, first, under(after, 3, 5)) > 0);
        QCOMPARE(countColour(img, first, QRect(0, 0, next->x() - arcs->x(), img.height())), 0);
        // Clear of the row's frame above and the bar below.
        QVERIFY(arcs->y() >= twips::px(5895) && arcs->geometry().bottom() < twips::px(6000));
    }

    // On paper and in the preview: the noun in the syllable colours or
    // whole, arcs in the syllable colours or black, clear of the card's
    // line, below the descenders on paper; everything else as without.
    void printedNouns_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("mode");
        for (int mode : {int(Arcs), int(Colours)}) {
            const QByteArray tag = mode == Arcs ? ", arcs" : ", colours";
            QTest::newRow("learning cards" + tag) << int(ScreenId::Drucken1) << mode;
            QTest::newRow("writing sheet" + tag) << int(ScreenId::Drucken3) << mode;
        }
    }
    void printedNouns() {
        QFETCH(int, screen);
        QFETCH(int, mode);
        WindowFixture f;
        for (const char *n : {"derHund.bmp", "derPapagei.bmp"})
            f.dir.addPicture(n, QSize(16, 12), QColor(0, 0, 200));
        f.p.setNouns({"derHund.bmp", "derPapagei.bmp"});
        prepare(f, Off, true);
        auto *w = f.open<WorksheetFrame>(ScreenId(screen));
        for (const bool paper : {false, true}) {
            auto run = [&](int m) {
                setMode(f.p, m);
                RecordingSurface s;
                s.setFont(QStringLiteral("Verdana"), paper ? 16 : 8.25, false);
                paper ? w->pageRoutine(s, w->page()) : w->previewRoutine(s, w->page());
                return s;
            };
            const RecordingSurface off = run(Off);
            const RecordingSurface on = run(mode);

            QStringList before;
            QRect papagei;
            QList<QRect> cards;
            for (const Op &op : off.ops) {
                before << describe(op);
                if (op.text == QStringLiteral("Papagei"))
                    papagei = op.rect;
                if (op.kind == Op::Box)
                    cards << op.rect;
            }
            QStringList rest;
            QStringList pieces;
            int arcs = 0;
            for (const Op &op : on.ops) {
                if (op.kind == Op::Text && QStringLiteral("Papagei").contains(op.text) &&
                    op.text != QStringLiteral("Papagei") && mode == Colours) {
                    pieces << op.text;
                    QCOMPARE(op.colour, pieces.size() == 2 ? QColor(255, 0, 0) : QColor(0, 0, 255));
                    continue;
                }
                if (op.kind != Op::Line || before.contains(describe(op))) {
                    rest << describe(op);
                    continue;
                }
                ++arcs;
                const QRect r = op.rect.normalized();
                if (mode == Arcs)
                    QCOMPARE(op.colour, QColor(Qt::black));
                // Clear of the line of the card it belongs to.
                const auto card = std::find_if(cards.begin(), cards.end(), [&](const QRect &c) {
                    return c.contains(r.topLeft());
                });
                QVERIFY(card != cards.end());
                QVERIFY2(r.bottom() + 15 < card->bottom(), "an arc touches the card's line");
                if (paper && card->contains(papagei.topLeft()))
                    QVERIFY2(r.top() > papagei.bottom(), "an arc runs into the descenders");
            }
            // Papagei gets three arcs, Hund one, each of sixteen strokes.
            QCOMPARE(arcs, 4 * 16);
            if (mode == Colours) {
                QCOMPARE(pieces, QStringList({"Pa", "pa", "gei"}));
                QVERIFY(rest.size() == before.size() - 1);
            } else {
                QCOMPARE(rest, before);
            }
        }
    }
};

QTEST_MAIN(SyllableStripTest)
#include "syllablestrip_test.moc"
