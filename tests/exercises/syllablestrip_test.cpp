// "Silbenfarben" in the exercises and on the worksheets: the strip and the
// printed nouns stay exactly as they were while the switch is off, and show
// the syllables of the teacher's list when it is on.

#include "drawing/surface.h"
#include "drawing/wordstrip.h"
#include "exercises/Form2.h"
#include "support/windowfixture.h"
#include "syllables/syllabifier.h"
#include "ui/canvas.h"
#include "worksheets/drucken1.h"
#include "worksheets/drucken3.h"

#include <QFile>
#include <QPushButton>
#include <QTest>

namespace {

using Op = RecordingSurface::Op;

// No patterns: the syllables come from the teacher's list alone and load at once.
void prepare(WindowFixture &f, bool on, bool loaded) {
    QFile list(f.dir.filePath(QStringLiteral("silben.TXT")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("Ameise=A-mei-se\n");
    list.close();
    f.p.syllablePatternFile = f.dir.filePath(QStringLiteral("none.dic"));
    f.p.extras.syllableColours = on;
    if (loaded)
        f.p.syllables().hasPatterns();
}

QString describe(const Op &op) {
    QString s;
    QDebug(&s) << op.kind << op.rect << op.text << op.colour << op.points << op.bold;
    return s;
}

} // namespace

class SyllableStripTest : public QObject {
    Q_OBJECT
private slots:
    void exerciseStrip_data() {
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("firstArcs");
        QTest::newRow("off") << false << true << false;
        QTest::newRow("on") << true << true << true;
        // The first word does not wait for the patterns; the next one has them.
        QTest::newRow("on, still loading") << true << false << false;
    }
    void exerciseStrip() {
        QFETCH(bool, on);
        QFETCH(bool, loaded);
        QFETCH(bool, firstArcs);
        WindowFixture f({"dieAmeise.jpg"});
        prepare(f, on, loaded);
        auto *w = f.open<Form2>(ScreenId::Form2);
        auto *strip = control<Canvas>(w, "Picture1");
        const QImage shown = strip->image();

        auto expected = [&](bool arcs) {
            const QList<int> breaks{1, 4};
            wordstrip::draw(strip->surface(), QStringLiteral("Ameise"), f.p.vowel, f.p.consonant,
                            wordstrip::Style::Spaced, arcs ? &breaks : nullptr);
            return strip->image();
        };
        QCOMPARE(shown, expected(firstArcs));
        QVERIFY(expected(true) != expected(false)); // the arcs are there to see

        QTRY_VERIFY(f.p.syllables().ready());
        control<QPushButton>(w, "Command2")->click(); // the next noun (the same one again)
        QCOMPARE(strip->image(), expected(on));
    }

    void printedNouns_data() {
        QTest::addColumn<int>("screen");
        QTest::newRow("learning cards") << int(ScreenId::Drucken1);
        QTest::newRow("writing sheet") << int(ScreenId::Drucken3);
    }
    void printedNouns() {
        QFETCH(int, screen);
        WindowFixture f;
        for (const char *n : {"derHund.bmp", "dieAmeise.bmp"})
            f.dir.addPicture(n, QSize(16, 12), QColor(0, 0, 200));
        f.p.setNouns({"derHund.bmp", "dieAmeise.bmp"});
        prepare(f, false, true);
        auto *w = f.open<WorksheetFrame>(ScreenId(screen));
        for (const bool paper : {false, true}) {
            auto run = [&](bool on) {
                f.p.extras.syllableColours = on;
                RecordingSurface s;
                s.setFont(QStringLiteral("Verdana"), 16, false);
                paper ? w->pageRoutine(s, w->page()) : w->previewRoutine(s, w->page());
                return s.ops;
            };
            const QList<Op> off = run(false);
            const QList<Op> on = run(true);

            // Ameise gets three arcs, Hund one, each of sixteen thin black strokes
            // hanging under its word; everything else is drawn as without.
            QStringList before;
            QRect ameise;
            for (const Op &op : off) {
                before << describe(op);
                if (op.text == QStringLiteral("Ameise"))
                    ameise = op.rect;
            }
            int arcs = 0, underAmeise = 0;
            QStringList rest;
            for (const Op &op : on) {
                if (op.kind != Op::Line || before.contains(describe(op))) {
                    rest << describe(op);
                    continue;
                }
                ++arcs;
                const QRect r = op.rect.normalized();
                QCOMPARE(op.colour, QColor(Qt::black));
                underAmeise += r.left() >= ameise.left() && r.right() <= ameise.right() + 1 &&
                               r.top() > ameise.top() + ameise.height() / 2 &&
                               r.bottom() < ameise.top() + 2 * ameise.height();
            }
            QCOMPARE(arcs, 4 * 16);
            QCOMPARE(underAmeise, 3 * 16);
            QCOMPARE(rest, before);
        }
    }
};

QTEST_MAIN(SyllableStripTest)
#include "syllablestrip_test.moc"
