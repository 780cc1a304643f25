// The worksheet frame's paging: the buttons move through the picture list,
// the number strip shows the cards' places in it, and every activation
// starts again at the first page.

#include "worksheets/drucken1.h"
#include "worksheets/drucken2.h"
#include "worksheettest.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class PagingTest : public QObject {
    Q_OBJECT
private slots:
    void buttonsAndNumbers_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("offset");
        QTest::newRow("drucken1, 12") << int(ScreenId::Drucken1) << 12 << 700 << 350;
        QTest::newRow("drucken2, 20") << int(ScreenId::Drucken2) << 20 << 400 << 200;
    }
    void buttonsAndNumbers() {
        QFETCH(int, id);
        QFETCH(int, count);
        QFETCH(int, step);
        QFETCH(int, offset);
        WindowFixture f;
        const QStringList names = wt::addPictures(f.dir, f.p, count);
        auto *w = f.open<WorksheetFrame>(ScreenId(id));
        const int n = w->pageSize(), last = count - n;
        wt::press(w, "Command6");
        QCOMPARE(w->pageStart(), last);
        QCOMPARE(w->cards(), names.mid(last, n));
        QCOMPARE(control<QLabel>(w, "Label1")->text(), QString::number(last));
        RecordingSurface strip;
        w->drawNumbers(strip);
        const auto numbers = wt::texts(strip);
        QCOMPARE(numbers.size(), n);
        QCOMPARE(numbers.first(),
                 qMakePair(QStringLiteral(" %1").arg(last + 1), QPoint(10, step - offset)));
        QCOMPARE(numbers.last(),
                 qMakePair(QStringLiteral(" %1").arg(count), QPoint(10, n * step - offset)));
        wt::press(w, "Command7");
        QCOMPARE(w->pageStart(), 0);
        // The lists show the page; after the preview the last card is selected
        // and the picture list is back at its first entry.
        auto *liste = control<QListWidget>(w, "Liste1");
        QCOMPARE(liste->count(), n);
        QCOMPARE(liste->item(n - 1)->text(), names[n - 1]);
        QCOMPARE(liste->currentRow(), n - 1);
        QCOMPARE(control<QListWidget>(w, "Bilder1")->currentRow(), 0);
    }

    void fewerPicturesThanAPage() {
        // The main menu does not open the window so; if it ever does, nothing breaks.
        WindowFixture f;
        const QStringList names = wt::addPictures(f.dir, f.p, 5);
        auto *w = f.open<WorksheetFrame>(ScreenId::Drucken2);
        QCOMPARE(w->cards(), names);
        wt::press(w, "Command6");
        wt::press(w, "Command7");
        QCOMPARE(w->pageStart(), 0);
        RecordingSurface page;
        w->pageRoutine(page, w->page());
        QCOMPARE(wt::pictures(page).size(), 5);
    }

    void activationStartsAtTheFirstPage() {
        WindowFixture f;
        const QStringList names = wt::addPictures(f.dir, f.p, 12);
        auto *w = f.open<drucken1>(ScreenId::Drucken1);
        wt::press(w, "Command6");
        // Abbruch, a new picture file, and back: the window starts afresh.
        wt::press(w, "Command1");
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

QTEST_MAIN(PagingTest)
#include "paging_test.moc"
