// The catch game: scattering, catching in order, the clock, and the window's keys.
#include "games/fang.h"
#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/twips.h"
#include "support/fakeprogram.h"

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
        QTest::newRow("plain") << "Hund"
                               << "Hund";
        QTest::newRow("empty") << ""
                               << "Wortfange";
        QTest::newRow("100 letters") << QString(100, 'a') << QString(100, 'a');
        QTest::newRow("101 letters") << QString(101, 'a') << "Wortfange";
    }
    void preparedWord() {
        QFETCH(QString, word);
        QFETCH(QString, prepared);
        CatchGame g;
        g.prepare(word);
        QCOMPARE(g.word(), prepared);
        QCOMPARE(g.player(), QPoint(9, 6));
        QVERIFY(!g.running());
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

    void blanksAreCaughtAtOnce() {
        ScriptedRandom r;
        cells(r, {{0, 0}, {4, 4}, {1, 0}});
        CatchGame g;
        g.prepare("A b");
        g.start(r);
        g.setPlayer(QPoint(0, 0));
        QCOMPARE(g.check(), 2);
        QCOMPARE(g.caught(), QString("A "));
        QCOMPARE(g.next(), QString("b"));
        QCOMPARE(g.cell(0), QPoint(1, 0));
    }

    void jumpsFollowTheInterval() {
        ScriptedRandom r;
        CatchGame g;
        g.prepare("Hund");
        g.start(r);
        QList<int> jumps;
        for (int s = 1; s <= 15; ++s)
            if (g.tick(s < 7 ? 3 : 15, r))
                jumps << g.seconds();
        QCOMPARE(jumps, (QList<int>{3, 6, 15}));
    }

    void keysReachTheWindowFirst() {
        FakeProgram p;
        p.setNouns({"derHund.jpg", "dieMaus.jpg"});
        p.showScreen(ScreenId::Fang);
        auto *w = screenAs<fang>(p, ScreenId::Fang);
        QVERIFY(w);
        QCOMPARE(w->Label1->text(), QString("Freund"));
        QCOMPARE(w->List1->count(), 1);
        w->List1->setCurrentRow(0);
        w->List1->setFocus();
        QTest::keyClick(w->List1, Qt::Key_Up);
        QTest::keyClick(w->List1, Qt::Key_Left);
        QCOMPARE(w->game.player(), QPoint(8, 5));
        QCOMPARE(w->List1->currentRow(), 0);
        QTest::keyClick(w->HBildlauf1, Qt::Key_Right);
        QTest::keyClick(w->HBildlauf1, Qt::Key_Down);
        QCOMPARE(w->game.player(), QPoint(9, 6));
        QCOMPARE(w->HBildlauf1->value(), 10);
        QCOMPARE(twips::left(w->Bezeichnung8), 3600);

        QTest::mouseClick(w->Bild5, Qt::LeftButton);
        QVERIFY(w->Zeit1->isActive());
        QVERIFY(w->Bezeichnung8->isVisible());
        QTest::keyClick(w->HBildlauf1, Qt::Key_Escape);
        QCOMPARE(p.menuShows, 1);
        QVERIFY(!w->isVisible());
        QVERIFY(!w->Zeit1->isActive());
        QVERIFY(!w->Bezeichnung8->isVisible());
    }

    void wholeGameWithABlank() {
        FakeProgram p;
        p.name = "Tom";
        p.setNouns({"dasAb c.jpg"});
        p.showScreen(ScreenId::Fang);
        auto *w = screenAs<fang>(p, ScreenId::Fang);
        QCOMPARE(w->bezeichnung3->text(), QString("A"));
        QCOMPARE(w->Bezeichnung5->text(), QString("b c"));
        QCOMPARE(w->Bezeichnung6->text(), QString("0"));
        cells(p.randomRec, {{8, 6}, {7, 6}, {0, 0}, {6, 6}});
        QTest::mouseClick(w->Bild5, Qt::LeftButton);
        p.clockRec.tick();
        p.clockRec.tick();
        QCOMPARE(w->Bezeichnung6->text(), QString("2"));
        QTest::keyClick(w, Qt::Key_Left);
        QCOMPARE(w->bezeichnung4->text(), QString("A"));
        QCOMPARE(w->bezeichnung3->text(), QString("b"));
        QTest::keyClick(w, Qt::Key_Left);
        QCOMPARE(w->bezeichnung4->text(), QString("Ab "));
        QCOMPARE(w->bezeichnung3->text(), QString("c"));
        QVERIFY(p.dialogsRec.boxes.isEmpty());
        QTest::keyClick(w, Qt::Key_Left);
        QCOMPARE(p.dialogsRec.boxes.size(), 1);
        QCOMPARE(p.dialogsRec.last().title, QString("Wortfange"));
        QCOMPARE(p.dialogsRec.last().text,
                 QString("Hallo Tom !\r\rDu hast es in 2 Sekunden geschafft.\r"));
        QCOMPARE(p.log(LogList::Fange), QStringList{"Ab c"});
        // Ready again with the next word from the refilled list.
        QVERIFY(!w->Zeit1->isActive());
        QVERIFY(!w->Bezeichnung8->isVisible());
        QCOMPARE(w->Bezeichnung6->text(), QString("0"));
        QCOMPARE(w->game.word(), QString("Ab c"));
        QCOMPARE(w->game.player(), QPoint(9, 6));
    }

    void changedIntervalAndChoiceWhilePlaying() {
        FakeProgram p;
        p.setNouns({"derHund.jpg", "dieMaus.jpg", "dasEi.jpg"});
        p.randomRec.pushIndex(2, 3); // Ei
        p.showScreen(ScreenId::Fang);
        auto *w = screenAs<fang>(p, ScreenId::Fang);
        QCOMPARE(w->game.word(), QString("Ei"));
        w->HBildlauf1->setValue(3);
        QCOMPARE(w->Bezeichnung15->text(), QString("3"));
        QTest::mouseClick(w->Bild5, Qt::LeftButton);
        QList<int> jumps;
        for (int s = 1; s <= 15; ++s) {
            if (s == 7)
                w->HBildlauf1->setValue(15);
            const int before = p.randomRec.calls;
            p.clockRec.tick();
            if (p.randomRec.calls > before)
                jumps << s;
            QVERIFY(w->game.cell(0) != w->game.player()); // a jump never lands on the player
        }
        QCOMPARE(jumps, (QList<int>{3, 6, 15}));
        QCOMPARE(w->Bezeichnung6->text(), QString("15"));

        QListWidgetItem *maus = w->List1->item(1);
        QCOMPARE(maus->text(), QString("Maus"));
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {},
                          w->List1->visualItemRect(maus).center());
        QVERIFY(!w->Zeit1->isActive());
        QVERIFY(!w->Bezeichnung8->isVisible());
        QCOMPARE(w->game.word(), QString("Maus"));
        QCOMPARE(w->Bezeichnung6->text(), QString("0"));
        QCOMPARE(w->List1->count(), 1);
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {},
                          w->List1->visualItemRect(w->List1->item(0)).center());
        QCOMPARE(w->game.word(), QString("Hund"));
        QCOMPARE(w->List1->count(), 3); // emptied, so filled again at once
    }
};

QTEST_MAIN(FangTest)
#include "fang_test.moc"
