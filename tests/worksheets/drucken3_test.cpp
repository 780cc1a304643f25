// Writing worksheets: "der die das" with single blanks on screen and two on
// paper, the boxes around the left part only, and the writing-line sets.

#include "worksheets/drucken3.h"
#include "worksheettest.h"

#include <QPushButton>
#include <QTest>

class Drucken3Test : public QObject {
    Q_OBJECT

    static drucken3 *open(WindowFixture &f) {
        return wt::openSheet<drucken3>(f, ScreenId::Drucken3,
                                       {"derHund.bmp", "dieKatze.bmp", "dasHAUS.bmp", "derBaum.bmp",
                                        "dieMaus.bmp", "dasEi.bmp", "derZug.bmp", "dieUhr.bmp",
                                        "dasAuto.bmp"});
    }

private slots:
    void preview() {
        WindowFixture f;
        drucken3 *w = open(f);
        RecordingSurface s;
        w->previewRoutine(s, w->page());
        const auto t = wt::texts(s);
        QCOMPARE(t.size(), 18);
        QCOMPARE(t[0], qMakePair(QStringLiteral("der die das"), QPoint(200, 150)));
        QCOMPARE(t[1], qMakePair(QStringLiteral("Auto"), QPoint(200, 550)));
        QCOMPARE(t[5].first, QStringLiteral("Haus"));
        QCOMPARE(wt::pictures(s)[8], QRect(1400, 5700, 700, 700));
        // Row 0: the left end, four lines top to bottom, the right end; then the lower set.
        const auto l = wt::lines(s);
        QCOMPARE(l.size(), 9 * 12);
        const QList<QLine> row0 = {
            QLine(2300, 140, 2300, 400), QLine(2300, 140, 5200, 140), QLine(2300, 220, 5200, 220),
            QLine(2300, 320, 5200, 320), QLine(2300, 400, 5200, 400), QLine(5200, 140, 5200, 400),
            QLine(2300, 480, 2300, 740), QLine(2300, 480, 5200, 480), QLine(2300, 560, 5200, 560),
            QLine(2300, 660, 5200, 660), QLine(2300, 740, 5200, 740), QLine(5200, 480, 5200, 740)};
        QCOMPARE(l.mid(0, 12), row0);
        const auto b = wt::boxes(s);
        QCOMPARE(b.size(), 9);
        QCOMPARE(b.last(), QRect(QPoint(100, 5700), QPoint(2200, 6400)));
    }

    void printedPage() {
        WindowFixture f;
        drucken3 *w = open(f);
        RecordingSurface s;
        wt::printInto(w, s);
        wt::press(w, "Command5");
        const auto t = wt::texts(s);
        QCOMPARE(t.size(), 18);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(t[2 * i].first, QStringLiteral("der  die  das")); // whatever the article
            QCOMPARE(t[2 * i].second, QPoint(1200, 1500 * (i + 1) - 400));
            QCOMPARE(t[2 * i + 1].second, QPoint(1200, 1500 * (i + 1) + 400));
        }
        QCOMPARE(wt::pictures(s)[0], QRect(3800, 1100, 1300, 1300));
        const auto b = wt::boxes(s);
        QCOMPARE(b.size(), 9);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(b[i], QRect(QPoint(1000, 1500 * (i + 1) - 500),
                                 QPoint(5400, 1500 * (i + 1) + 1000)));
        // The writing lines stand outside the boxes, from 5800 to 11000.
        const auto l = wt::lines(s);
        QCOMPARE(l.size(), 9 * 12);
        QList<int> ys;
        for (const QLine &line : l) {
            QVERIFY(line.x1() >= 5800 && line.x2() <= 11000);
            if (line.y1() == line.y2() && line.y1() < 2500)
                ys << line.y1() - 1500;
        }
        QCOMPARE(ys, (QList<int>{-400, -250, 0, 150, 350, 500, 750, 900}));
        QCOMPARE(l[0], QLine(5800, 1100, 5800, 1650));
        QCOMPARE(l[5], QLine(11000, 1100, 11000, 1650));
        QCOMPARE(f.box(), "Kalimbo(Schreibübungen) | Das Arbeitsblatt wird gedruckt ...\r\r");
    }
};

QTEST_MAIN(Drucken3Test)
#include "drucken3_test.moc"
