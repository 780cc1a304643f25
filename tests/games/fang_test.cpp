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

    // The controls the tests watch.
    struct View {
        explicit View(fang *w)
            : list(control<QListWidget>(w, "List1")),
              interval(control<QScrollBar>(w, "HBildlauf1")), field(control(w, "Bild5")),
              seconds(control<QLabel>(w, "Bezeichnung6")),
              marker(control<QLabel>(w, "Bezeichnung8")), clock(control<Ticker>(w, "Zeit1")) {}
        QListWidget *list;
        QScrollBar *interval;
        QWidget *field;
        QLabel *seconds, *marker;
        Ticker *clock;
        // Waiting for the start click: no clock, no marker, no seconds counted.
        bool ready() const {
            return !clock->isActive() && !marker->isVisible() && seconds->text() == "0";
        }
    };

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
        const View v(w);
        QCOMPARE(control<QLabel>(w, "Label1")->text(), QString("Freund"));
        QCOMPARE(v.list->count(), 1);
        v.list->setCurrentRow(0);
        v.list->setFocus();
        QTest::keyClick(v.list, Qt::Key_Up);
        QTest::keyClick(v.list, Qt::Key_Left);
        QCOMPARE(w->game().player(), QPoint(8, 5));
        QCOMPARE(v.list->currentRow(), 0);
        QTest::keyClick(v.interval, Qt::Key_Right);
        QTest::keyClick(v.interval, Qt::Key_Down);
        QCOMPARE(w->game().player(), QPoint(9, 6));
        QCOMPARE(v.interval->value(), 10);
        QCOMPARE(twips::left(v.marker), 3600);

        QTest::mouseClick(v.field, Qt::LeftButton);
        QVERIFY(v.clock->isActive() && v.marker->isVisible());
        QTest::keyClick(v.interval, Qt::Key_Escape);
        QCOMPARE(f.p.menuShows, 1);
        QVERIFY(!w->isVisible() && v.ready());
    }

    void wholeGameWithABlank() {
        WindowFixture f({"dasAb c.jpg"});
        f.p.state().setNameField("Tom");
        auto *w = f.open<fang>(ScreenId::Fang);
        const View v(w);
        auto *caught = control<QLabel>(w, "bezeichnung4");
        auto *next = control<QLabel>(w, "bezeichnung3");
        QCOMPARE(next->text(), QString("A"));
        QCOMPARE(control<QLabel>(w, "Bezeichnung5")->text(), QString("b c"));
        QVERIFY(v.ready());
        cells(f.p.randomRec, {{8, 6}, {7, 6}, {0, 0}, {6, 6}});
        QTest::mouseClick(v.field, Qt::LeftButton);
        f.p.clockRec.tick();
        f.p.clockRec.tick();
        QCOMPARE(v.seconds->text(), QString("2"));
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
        QVERIFY(v.ready());
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
        QListWidget *list = View(w).list;
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
        const View v(w);
        QCOMPARE(w->game().word(), QString("Ei"));
        v.interval->setValue(3);
        QCOMPARE(control<QLabel>(w, "Bezeichnung15")->text(), QString("3"));
        QTest::mouseClick(v.field, Qt::LeftButton);
        QList<int> jumps;
        for (int s = 1; s <= 15; ++s) {
            if (s == 7)
                v.interval->setValue(15);
            const int before = f.p.randomRec.calls;
            f.p.clockRec.tick();
            if (f.p.randomRec.calls > before)
                jumps << s;
            QVERIFY(w->game().cell(0) != w->game().player()); // a jump never lands on the player
        }
        QCOMPARE(jumps, (QList<int>{3, 6, 15}));
        QCOMPARE(v.seconds->text(), QString("15"));

        QCOMPARE(v.list->item(1)->text(), QString("Maus"));
        clickItem(v.list, v.list->item(1)); // another noun stops the game
        QVERIFY(v.ready());
        QCOMPARE(w->game().word(), QString("Maus"));
        QCOMPARE(v.list->count(), 1);
        clickItem(v.list, v.list->item(0));
        QCOMPARE(w->game().word(), QString("Hund"));
        QCOMPARE(v.list->count(), 3); // emptied, so filled again at once
    }
};

QTEST_MAIN(FangTest)
#include "fang_test.moc"
