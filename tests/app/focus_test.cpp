// Tab reaches only what can be seen: the main menu's panels parked outside
// the window are hidden as long as they are out, and shown where they are
// in. The catch game's list marks no entry beforehand, neither when the
// window opens nor after a word was picked from it.

#include "menufixture.h"

#include "games/fang.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

class FocusTest : public QObject {
    Q_OBJECT
private slots:
    // Rows: the buttons clicked first; the controls Tab must reach then.
    void tabSkipsPanelsThatAreOut_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("reached");
        QTest::newRow("every panel out") << QStringList() << QStringList{"Command1", "Command14"};
        QTest::newRow("options in") << QStringList{"Command21"}
                                    << QStringList{"Check2", "Check7", "ExtrasButton", "Command29"};
        QTest::newRow("options high")
            << QStringList{"Command21", "Command23"} << QStringList{"Check3", "Command27"};
        QTest::newRow("name in") << QStringList{"Command9"} << QStringList{"Text1", "Command25"};
        QTest::newRow("letters in") << QStringList{"Command21", "Check4", "Command8"}
                                    << QStringList{"Command26", "Command7"};
    }
    void tabSkipsPanelsThatAreOut() {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, reached);
        MenuFixture f;
        Form1 *m = f.startWith(20);
        QVERIFY(m);
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m));
        for (const QString &c : clicks)
            f.click(qPrintable(c));
        QStringList unseen, names;
        for (int step = 0; step < 80; ++step) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m,
                            Qt::Key_Tab);
            QWidget *w = QApplication::focusWidget();
            QVERIFY(w);
            names << w->objectName();
            const QRect inWindow(w->mapTo(m, QPoint(0, 0)), w->size());
            if (!w->isVisible() || !m->rect().intersects(inWindow))
                unseen << w->objectName();
        }
        unseen.removeDuplicates();
        QVERIFY2(unseen.isEmpty(), qPrintable(unseen.join(", ")));
        for (const QString &r : reached)
            QVERIFY2(names.contains(r), qPrintable(r));
    }

    void catchListMarksNoEntry() {
        WindowFixture f({"dasAuto.jpg", "dasBoot.jpg", "dasBrot.jpg", "dasBuch.jpg", "dasEi.jpg"});
        auto *w = f.open<fang>(ScreenId::Fang);
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto *list = control<QListWidget>(w, "List1");
        auto marked = [list] {
            return list->currentIndex().isValid() || !list->selectedItems().isEmpty();
        };
        list->setFocus(Qt::TabFocusReason); // as Tab gives it
        QVERIFY(!marked());
        const QString picked = list->item(1)->text();
        clickItem(list, list->item(1));
        QCOMPARE(w->game().word(), picked);
        QVERIFY(!marked());
        QCOMPARE(list->count(), 3);
    }
};

QTEST_MAIN(FocusTest)
#include "focus_test.moc"
