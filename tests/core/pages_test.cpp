// Paging through the picture list: pages stay full, wrap both ways, and a
// list shorter than a page stays on its one page.

#include "core/pages.h"

#include <QTest>

class PagesTest : public QObject {
    Q_OBJECT
private slots:
    void paging_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("moves"); // '>' next, '<' previous
        QTest::addColumn<QList<int>>("starts");
        QTest::newRow("exactly one page") << 9 << 9 << ">><<" << QList<int>{0, 0, 0, 0};
        QTest::newRow("12 of 9 forward") << 12 << 9 << ">>>" << QList<int>{3, 0, 3};
        QTest::newRow("12 of 9 back") << 12 << 9 << "<<" << QList<int>{3, 0};
        QTest::newRow("20 of 16") << 20 << 16 << "><<" << QList<int>{4, 0, 4};
        QTest::newRow("30 of 9 forward") << 30 << 9 << ">>>>" << QList<int>{9, 18, 21, 0};
        QTest::newRow("30 of 9 back") << 30 << 9 << "<<<<" << QList<int>{21, 12, 3, 0};
        QTest::newRow("fewer than a page") << 5 << 9 << "><" << QList<int>{0, 0};
    }
    void paging() {
        QFETCH(int, count);
        QFETCH(int, n);
        QFETCH(QString, moves);
        QFETCH(QList<int>, starts);
        int p = pages::next(-n, count, n);
        QCOMPARE(p, 0);
        for (int i = 0; i < moves.size(); ++i) {
            p = moves[i] == QLatin1Char('>') ? pages::next(p, count, n)
                                             : pages::previous(p, count, n);
            QCOMPARE(p, starts[i]);
        }
    }
};

QTEST_GUILESS_MAIN(PagesTest)
#include "pages_test.moc"
