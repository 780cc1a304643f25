// Paging through the picture list: pages stay full, wrap both ways, and the
// number strip shows the cards' positions in the picture list.

#include "core/pages.h"
#include "worksheets/drucken1.h"
#include "worksheets/drucken2.h"
#include "worksheettest.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

class PagesTest : public QObject {
    Q_OBJECT
private slots:
    void arithmetic_data() {
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
    void arithmetic() {
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
            QVERIFY(p >= 0);
            QVERIFY(p + n <= qMax(count, n));
        }
    }

    void windowPaging_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("offset");
        QTest::newRow("drucken1, 12") << int(ScreenId::Drucken1) << 12 << 700 << 350;
        QTest::newRow("drucken2, 20") << int(ScreenId::Drucken2) << 20 << 400 << 200;
    }
    void windowPaging() {
        QFETCH(int, id);
        QFETCH(int, count);
        QFETCH(int, step);
        QFETCH(int, offset);
        WindowFixture f;
        const QStringList names = wt::addPictures(f.dir, f.p, count);
        auto *w = f.open<WorksheetFrame>(ScreenId(id));
        const int n = w->pageSize();
        QCOMPARE(w->pageStart(), 0);
        QCOMPARE(w->cards(), names.mid(0, n));

        QTest::mouseClick(control<QPushButton>(w, "Command6"), Qt::LeftButton);
        const int last = count - n;
        QCOMPARE(w->pageStart(), last);
        QCOMPARE(w->cards(), names.mid(last, n));
        RecordingSurface strip;
        w->drawNumbers(strip);
        const auto numbers = wt::texts(strip);
        QCOMPARE(numbers.size(), n);
        QCOMPARE(numbers.first().first, QStringLiteral(" %1").arg(last + 1));
        QCOMPARE(numbers.first().second, QPoint(10, step - offset));
        QCOMPARE(numbers.last().first, QStringLiteral(" %1").arg(count));
        QCOMPARE(numbers.last().second, QPoint(10, n * step - offset));

        QTest::mouseClick(control<QPushButton>(w, "Command6"), Qt::LeftButton);
        QCOMPARE(w->pageStart(), 0);
        QTest::mouseClick(control<QPushButton>(w, "Command7"), Qt::LeftButton);
        QCOMPARE(w->pageStart(), last);
        // The picture list holds every file; after the preview its first entry is selected.
        QCOMPARE(control<QListWidget>(w, "Bilder1")->count(), count);
        QCOMPARE(control<QListWidget>(w, "Bilder1")->currentRow(), 0);
        QCOMPARE(control<QListWidget>(w, "Liste1")->currentRow(), n - 1);
    }

    void fewerPicturesThanAPage() {
        // The main menu does not open the window so; if it ever does, nothing breaks.
        WindowFixture f;
        const QStringList names = wt::addPictures(f.dir, f.p, 5);
        auto *w = f.open<WorksheetFrame>(ScreenId::Drucken2);
        QCOMPARE(w->cards(), names);
        QTest::mouseClick(control<QPushButton>(w, "Command6"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(w, "Command7"), Qt::LeftButton);
        QCOMPARE(w->pageStart(), 0);
        RecordingSurface page;
        w->pageRoutine(page, w->page());
        QCOMPARE(wt::pictures(page).size(), 5);
    }

    void activationStartsAtTheFirstPage() {
        WindowFixture f;
        const QStringList names = wt::addPictures(f.dir, f.p, 12);
        auto *w = f.open<drucken1>(ScreenId::Drucken1);
        QTest::mouseClick(control<QPushButton>(w, "Command6"), Qt::LeftButton);
        QCOMPARE(w->pageStart(), 3);
        // Abbruch, a new picture file, and back: the window starts afresh.
        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCOMPARE(f.p.menuShows, 1);
        QCOMPARE(control<QListWidget>(w, "Bilder1")->count(), 0);
        f.dir.addPicture("derAal.bmp");
        f.p.setNouns(QStringList{"derAal.bmp"} + names);
        f.open<drucken1>(ScreenId::Drucken1);
        QCOMPARE(w->pageStart(), 0);
        QCOMPARE(w->cards().first(), QStringLiteral("derAal.bmp"));
        QCOMPARE(control<QListWidget>(w, "Bilder1")->count(), 13);
    }
};

QTEST_MAIN(PagesTest)
#include "pages_test.moc"
