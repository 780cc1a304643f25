// The catch game: scattering, catching in order, the clock, and the window's keys.
#include "core/clock.h"
#include "games/fang.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"
#include "ui/twips.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

class FangTest : public QObject {
    Q_OBJECT

    static void cells(ScriptedRandom &r, const QList<QPoint> &list) {
        for (const QPoint &c : list) {
            r.pushIndex(c.x(), CatchGame::kColumns);
            r.pushIndex(c.y(), CatchGame::kRows);
        }
    }

private slots:
    void preparedWord_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("prepared");
        for (const auto &[word, prepared] : {std::pair{QString("Hund"), QString("Hund")},
                                             {QString(), QString("Wortfange")},
                                             {QString(100, 'a'), QString(100, 'a')},
                                             {QString(101, 'a'), QString("Wortfange")}})
            QTest::newRow(qPrintable(QString::number(word.size()))) << word << prepared;
    }
    void preparedWord() {
        QFETCH(QString, word);
        QFETCH(QString, prepared);
        CatchGame g;
        g.prepare(word);
        QCOMPARE(g.word(), prepared);
    }

    void scatterAvoidsPlayerAndOtherLetters() {
        ScriptedRandom r;
        cells(r, {{9, 6}, {0, 0}, {0, 0}, {1, 0}});
        CatchGame g;
        g.prepare("Ei");
        g.scatter(r);
        QCOMPARE(g.cell(0), QPoint(0, 0));
        QCOMPARE(g.cell(1), QPoint(1, 0));
        QCOMPARE(r.calls, 8);
    }

    void onlyTheFirstLetterIsCaught() {
        ScriptedRandom r;
        cells(r, {{0, 0}, {1, 0}, {5, 5}, {2, 0}});
        CatchGame g;
        g.prepare("Ball");
        g.setPlayer(QPoint(0, 0)); // a move before the start stays
        QCOMPARE(g.check(), 0);    // the clock is stopped
        g.setPlayer(QPoint(9, 6));
        g.start(r);
        g.setPlayer(QPoint(0, 0));
        QCOMPARE(g.check(), 1);
        g.setPlayer(QPoint(2, 0)); // the second l: nothing yet
        QCOMPARE(g.check(), 0);
        QCOMPARE(g.move(-1, 0), 1); // on to the a
        QCOMPARE(g.caught(), QString("Ba"));
        g.setPlayer(QPoint(2, 0)); // still the other l's cell
        QCOMPARE(g.check(), 0);
        g.setPlayer(QPoint(5, 5));
        QCOMPARE(g.check(), 1);
        QCOMPARE(g.check(), 0); // the second l keeps its own cell
        g.setPlayer(QPoint(2, 0));
        QCOMPARE(g.check(), 1);
        QVERIFY(g.completed());
        QVERIFY(!g.running());
    }

    void keysReachTheWindowFirst() {
        WindowFixture f({"derHund.jpg", "dieMaus.jpg"});
        auto *w = f.open<fang>(ScreenId::Fang);
        auto *list = control<QListWidget>(w, "List1");
        auto *name = control<QLabel>(w, "Label1");
        auto *interval = control<QScrollBar>(w, "HBildlauf1");
        auto *field = control(w, "Bild5");
        auto *marker = control<QLabel>(w, "Bezeichnung8");
        auto *clock = control<Ticker>(w, "Zeit1");
        QCOMPARE(name->text(), QString("Freund"));
        QCOMPARE(list->count(), 1);
        list->setCurrentRow(0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Left);
        QCOMPARE(w->game().player(), QPoint(8, 5));
        QCOMPARE(list->currentRow(), 0);
        QTest::keyClick(interval, Qt::Key_Right);
        QTest::keyClick(interval, Qt::Key_Down);
        QCOMPARE(w->game().player(), QPoint(9, 6));
        QCOMPARE(interval->value(), 10);
        QCOMPARE(twips::left(marker), 3600);

        QTest::mouseClick(field, Qt::LeftButton);
        QVERIFY(clock->isActive());
        QVERIFY(marker->isVisible());
        QTest::keyClick(interval, Qt::Key_Escape);
        QCOMPARE(f.p.menuShows, 1);
        QVERIFY(!w->isVisible());
        QVERIFY(!clock->isActive());
        QVERIFY(!marker->isVisible());
    }

    void wholeGameWithABlank() {
        WindowFixture f({"dasAb c.jpg"});
        f.p.name = "Tom";
        auto *w = f.open<fang>(ScreenId::Fang);
        auto *seconds = control<QLabel>(w, "Bezeichnung6");
        auto *field = control(w, "Bild5");
        auto *marker = control<QLabel>(w, "Bezeichnung8");
        auto *caught = control<QLabel>(w, "bezeichnung4");
        auto *next = control<QLabel>(w, "bezeichnung3");
        auto *after = control<QLabel>(w, "Bezeichnung5");
        auto *clock = control<Ticker>(w, "Zeit1");
        QCOMPARE(next->text(), QString("A"));
        QCOMPARE(after->text(), QString("b c"));
        QCOMPARE(seconds->text(), QString("0"));
        cells(f.p.randomRec, {{8, 6}, {7, 6}, {0, 0}, {6, 6}});
        QTest::mouseClick(field, Qt::LeftButton);
        f.p.clockRec.tick();
        f.p.clockRec.tick();
        QCOMPARE(seconds->text(), QString("2"));
        QTest::keyClick(w, Qt::Key_Left);
        QCOMPARE(caught->text(), QString("A"));
        QCOMPARE(next->text(), QString("b"));
        QTest::keyClick(w, Qt::Key_Left);
        QCOMPARE(caught->text(), QString("Ab "));
        QCOMPARE(next->text(), QString("c"));
        QVERIFY(!f.boxes());
        QTest::keyClick(w, Qt::Key_Left);
        QCOMPARE(f.boxes(), 1);
        QCOMPARE(f.box(), "Wortfange | Hallo Tom !\r\rDu hast es in 2 Sekunden geschafft.\r");
        QCOMPARE(f.p.log(LogList::Fange), QStringList{"Ab c"});
        // Ready again with the next word from the refilled list.
        QVERIFY(!clock->isActive());
        QVERIFY(!marker->isVisible());
        QCOMPARE(seconds->text(), QString("0"));
        QCOMPARE(w->game().word(), QString("Ab c"));
        QCOMPARE(w->game().player(), QPoint(9, 6));
    }

    // The second click of a double click lands on the entry that moved up.
    void doubleClickChoosesOneNoun_data() {
        QTest::addColumn<bool>("pressBeforeDoubleClick"); // the windowing system's order
        QTest::newRow("press, double click, release") << true;
        QTest::newRow("double click, release") << false;
    }
    void doubleClickChoosesOneNoun() {
        QFETCH(bool, pressBeforeDoubleClick);
        WindowFixture f({"derApfel.jpg", "derBall.jpg", "derHund.jpg", "dieMaus.jpg"});
        f.p.randomRec.pushIndex(0, 4); // Apfel
        auto *w = f.open<fang>(ScreenId::Fang);
        auto *list = control<QListWidget>(w, "List1");
        QCOMPARE(list->item(0)->text(), QString("Ball"));
        const QPoint at = list->visualItemRect(list->item(0)).center();
        QWidget *v = list->viewport();
        QTest::mouseClick(v, Qt::LeftButton, {}, at);
        QCOMPARE(w->game().word(), QString("Ball"));
        QCOMPARE(list->item(0)->text(), QString("Hund")); // now under the pointer
        if (pressBeforeDoubleClick)
            QTest::mousePress(v, Qt::LeftButton, {}, at);
        QTest::mouseDClick(v, Qt::LeftButton, {}, at);
        QTest::mouseRelease(v, Qt::LeftButton, {}, at);
        QCOMPARE(w->game().word(), QString("Ball"));
        QCOMPARE(list->count(), 2);
        QTest::mouseClick(v, Qt::LeftButton, {}, at); // a later click plays again
        QCOMPARE(w->game().word(), QString("Hund"));
        QCOMPARE(list->count(), 1);
    }

    void changedIntervalAndChoiceWhilePlaying() {
        WindowFixture f({"derHund.jpg", "dieMaus.jpg", "dasEi.jpg"});
        f.p.randomRec.pushIndex(2, 3); // Ei
        auto *w = f.open<fang>(ScreenId::Fang);
        auto *list = control<QListWidget>(w, "List1");
        auto *seconds = control<QLabel>(w, "Bezeichnung6");
        auto *interval = control<QScrollBar>(w, "HBildlauf1");
        auto *intervalShown = control<QLabel>(w, "Bezeichnung15");
        auto *field = control(w, "Bild5");
        auto *marker = control<QLabel>(w, "Bezeichnung8");
        auto *clock = control<Ticker>(w, "Zeit1");
        QCOMPARE(w->game().word(), QString("Ei"));
        interval->setValue(3);
        QCOMPARE(intervalShown->text(), QString("3"));
        QTest::mouseClick(field, Qt::LeftButton);
        QList<int> jumps;
        for (int s = 1; s <= 15; ++s) {
            if (s == 7)
                interval->setValue(15);
            const int before = f.p.randomRec.calls;
            f.p.clockRec.tick();
            if (f.p.randomRec.calls > before)
                jumps << s;
            QVERIFY(w->game().cell(0) != w->game().player()); // a jump never lands on the player
        }
        QCOMPARE(jumps, (QList<int>{3, 6, 15}));
        QCOMPARE(seconds->text(), QString("15"));

        QListWidgetItem *maus = list->item(1);
        QCOMPARE(maus->text(), QString("Maus"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(maus).center());
        QVERIFY(!clock->isActive());
        QVERIFY(!marker->isVisible());
        QCOMPARE(w->game().word(), QString("Maus"));
        QCOMPARE(seconds->text(), QString("0"));
        QCOMPARE(list->count(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QCOMPARE(w->game().word(), QString("Hund"));
        QCOMPARE(list->count(), 3); // emptied, so filled again at once
    }
};

QTEST_MAIN(FangTest)
#include "fang_test.moc"
