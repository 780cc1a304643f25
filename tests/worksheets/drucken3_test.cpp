// Writing worksheets: the writing-line sets on screen and on paper. Their
// texts, boxes and pictures are checked with the other worksheets.

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
    // Each row has two sets of four writing lines, closed at both ends: the
    // left end first, then the lines from top to bottom, then the right end.
    void writingLines_data() {
        QTest::addColumn<bool>("paper");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("step");
        QTest::addColumn<QList<int>>("ys"); // the first row's upper and lower set
        QTest::newRow("preview") << false << 2300 << 5200 << 700
                                 << QList<int>{140, 220, 320, 400, 480, 560, 660, 740};
        QTest::newRow("paper") << true << 5800 << 11000 << 1500
                               << QList<int>{1100, 1250, 1500, 1650, 1850, 2000, 2250, 2400};
    }
    void writingLines() {
        QFETCH(bool, paper);
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(int, step);
        QFETCH(QList<int>, ys);
        WindowFixture f;
        drucken3 *w = open(f);
        RecordingSurface s;
        if (paper) {
            wt::printInto(w, s);
            wt::press(w, "Command5");
        } else {
            w->previewRoutine(s, w->page());
        }
        const auto l = wt::lines(s);
        for (int row : {0, 8}) {
            QList<QLine> expected;
            for (int set = 0; set < 2; ++set) {
                const auto y = [&](int j) { return ys[4 * set + j] + step * row; };
                expected << QLine(left, y(0), left, y(3));
                for (int j = 0; j < 4; ++j)
                    expected << QLine(left, y(j), right, y(j));
                expected << QLine(right, y(0), right, y(3));
            }
            QCOMPARE(l.mid(12 * row, 12), expected);
        }
    }
};

QTEST_MAIN(Drucken3Test)
#include "drucken3_test.moc"
