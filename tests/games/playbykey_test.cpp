// Every game without a mouse: the ABC pictures dragged by touch (no system
// drag), a tap naming the noun for two seconds, Space picking a picture up
// and putting it down, the keys 1/2/3 on the article screens, Space turning
// a memory card, the letter carpet by arrows and Space; and the names a
// screen reader says for symbol buttons.
#include "exercises/Form3.h"
#include "exercises/Form4.h"
#include "games/Form7.h"
#include "games/Form8.h"
#include "games/gamewidgets.h"
#include "games/memo.h"
#include "support/windowfixture.h"
#include "ui/a11y.h"
#include "ui/canvas.h"

#include <QLabel>
#include <QPointingDevice>
#include <QPushButton>
#include <QTest>

static const QStringList kFive = {"derApfel.jpg", "dieÄpfel.jpg", "derBär.jpg", "derHund.jpg",
                                  "dieMaus.jpg"};

class PlayByKeyTest : public QObject {
    Q_OBJECT

    static FramedImage *image(Form8 *w, int k) {
        return control<FramedImage>(w, ("Image" + QByteArray::number(k)).constData());
    }
    static Form8 *abc(WindowFixture &f) {
        for (int i : {1, 0, 2, 3, 4}) // Äpfel Apfel Bär Hund Maus
            f.p.randomRec.pushIndex(i, 5);
        auto *w = f.open<Form8>(ScreenId::Form8);
        w->activateWindow();
        return w;
    }
    // Hund among the fillers (as the carpet's own test lays it out):
    // d u h U x x ... x H n x, cells going down the columns.
    static void scriptHund(ScriptedRandom &r) {
        QList<QPoint> d = {{0, 1}, {8, 30}, {4, 5}, {23, 30}, {0, 5}};
        for (int i = 0; i < 19; ++i)
            d << QPoint(27, 30) << QPoint(1, 5);
        d << QPoint(20, 21) << QPoint(0, 22) << QPoint(22, 23) << QPoint(0, 24);
        for (const QPoint &p : d)
            r.pushIndex(p.x(), p.y());
    }
    static void keys(QWidget *w, const QList<Qt::Key> &ks) {
        for (Qt::Key k : ks)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, k);
    }
    static QPoint centreIn(QWidget *window, QWidget *w) {
        return w->mapTo(window, w->rect().center());
    }

private slots:
    void spokenNames_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("back") << "<<"
                              << "Zurück";
        QTest::newRow("forward") << ">>"
                                 << "Weiter";
        QTest::newRow("close") << "X"
                               << "Schließen";
        QTest::newRow("spaced") << "A l l e"
                                << "Alle";
        QTest::newRow("spaced capitals") << "A B C"
                                         << "ABC";
        QTest::newRow("spaced dots") << "Abbruch . . ."
                                     << "Abbruch";
        QTest::newRow("dots") << "Lehrer ..."
                              << "Lehrer";
        QTest::newRow("spaced with dots") << "H i l f e . . ."
                                          << "Hilfe";
        QTest::newRow("leading blank") << " mit Bild"
                                       << "mit Bild";
        QTest::newRow("reads well") << "Begleiter"
                                    << "";
        QTest::newRow("two words stay") << "Bild und Wort"
                                        << "";
        QTest::newRow("exclamation stays") << "Fertig!"
                                           << "";
        QTest::newRow("only dots") << "..."
                                   << "";
    }
    void spokenNames() {
        QFETCH(QString, text);
        QFETCH(QString, spoken);
        QCOMPARE(a11y::spokenName(text), spoken);
    }

    // A finger drags picture 1 onto picture 2: the two change places, and
    // only the window's own copy of the picture followed the finger.
    void touchDragSwaps() {
        WindowFixture f(kFive);
        Form8 *w = abc(f);
        const Picture first = image(w, 1)->picture(), second = image(w, 2)->picture();
        QPointingDevice *touch = QTest::createTouchDevice();
        const QPoint from = centreIn(w, image(w, 1)), to = centreIn(w, image(w, 2));
        QTest::touchEvent(w, touch).press(0, from, w);
        for (int i = 1; i <= 4; ++i) {
            QTest::touchEvent(w, touch).move(0, from + (to - from) * i / 4, w);
            QVERIFY(ImageView::held() == image(w, 1));
        }
        QTest::touchEvent(w, touch).release(0, to, w);
        QVERIFY(!ImageView::held());
        QVERIFY(image(w, 1)->picture() == second && image(w, 2)->picture() == first);
        QCOMPARE(image(w, 1)->toolTip() + image(w, 2)->toolTip(), QString("ApfelÄpfel"));
        QCOMPARE(f.p.log(LogList::Abc).size(), 1); // solved
    }

    // A drag that ends outside every picture changes nothing.
    void dragOffThePicturesChangesNothing() {
        WindowFixture f(kFive);
        Form8 *w = abc(f);
        const Picture first = image(w, 1)->picture();
        QTest::mousePress(image(w, 1), Qt::LeftButton);
        QTest::mouseMove(image(w, 1), image(w, 1)->rect().center() + QPoint(0, 200));
        QTest::mouseRelease(image(w, 1), Qt::LeftButton, {},
                            image(w, 1)->rect().center() + QPoint(0, 200));
        QVERIFY(image(w, 1)->picture() == first);
        QVERIFY(!ImageView::held());
    }

    // A tap shows the noun under its picture for two seconds; a mouse click,
    // which has the tooltip, shows nothing.
    void tapShowsTheNoun() {
        WindowFixture f(kFive);
        Form8 *w = abc(f);
        auto *noun = control<QLabel>(w, "TapNoun");
        QTest::mouseClick(image(w, 3), Qt::LeftButton);
        QVERIFY(!noun->isVisible());
        QPointingDevice *touch = QTest::createTouchDevice();
        const QPoint at = centreIn(w, image(w, 3));
        QTest::touchEvent(w, touch).press(0, at, w);
        QTest::touchEvent(w, touch).release(0, at, w);
        QVERIFY(noun->isVisible());
        QCOMPARE(noun->text(), QString("Bär"));
        QCOMPARE(noun->geometry().top(), image(w, 3)->geometry().bottom() + 1);
        QCOMPARE(noun->geometry().left(), image(w, 3)->geometry().left());
        QTest::qWait(1500);
        QVERIFY(noun->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!noun->isVisible(), 2000);
    }

    // Tab to a picture, Space picks it up, Space on another puts it there.
    void spacePicksUpAndPutsDown() {
        WindowFixture f(kFive);
        Form8 *w = abc(f);
        QVERIFY(QTest::qWaitForWindowActive(w));
        const Picture first = image(w, 1)->picture(), second = image(w, 2)->picture();
        image(w, 1)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(image(w, 1), Qt::Key_Space);
        QVERIFY(ImageView::held() == image(w, 1));
        QTest::keyClick(w, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), image(w, 2));
        QTest::keyClick(image(w, 2), Qt::Key_Space);
        QVERIFY(!ImageView::held());
        QVERIFY(image(w, 1)->picture() == second && image(w, 2)->picture() == first);
        QCOMPARE(f.p.log(LogList::Abc).size(), 1);
    }

    // Keys 1, 2 and 3 are the answer buttons from top to bottom.
    void numberKeysAnswer_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("logged");
        QTest::newRow("der") << int(ScreenId::Form3) << int(Qt::Key_1) << true << "Hund";
        QTest::newRow("die") << int(ScreenId::Form3) << int(Qt::Key_2) << false << "";
        QTest::newRow("das") << int(ScreenId::Form3) << int(Qt::Key_3) << false << "";
        QTest::newRow("ein") << int(ScreenId::Form4) << int(Qt::Key_1) << false << "";
        QTest::newRow("einen") << int(ScreenId::Form4) << int(Qt::Key_3) << true << "Hund";
        QTest::newRow("4 is nothing") << int(ScreenId::Form3) << int(Qt::Key_4) << false << "";
    }
    void numberKeysAnswer() {
        QFETCH(int, screen);
        QFETCH(int, key);
        QFETCH(bool, right);
        QFETCH(QString, logged);
        WindowFixture f({"derHund.jpg"});
        const ScreenId id = ScreenId(screen);
        f.p.showScreen(id);
        QWidget *w = f.p.screen(id);
        QVERIFY(w);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w,
                        Qt::Key(key));
        const LogList log = id == ScreenId::Form3 ? LogList::Begleiter : LogList::Ergaenzen;
        QCOMPARE(f.p.log(log).join(""), logged);
        QCOMPARE(f.box().contains("Fehler"), !right && key != Qt::Key_4);
    }

    // Space on a card turns it over as a click does.
    void spaceTurnsAMemoryCard() {
        WindowFixture f({"derHund.jpg", "dieMaus.jpg", "dasHaus.jpg", "derBär.jpg", "dieUhr.jpg",
                         "dasEi.jpg", "derAal.jpg", "dieKuh.jpg", "dasBoot.jpg"});
        auto *w = f.open<memo>(ScreenId::Memo);
        control<QPushButton>(w, "Command3")->click(); // "Start"
        auto *card = control<PressLabel>(w, "Bezeichnung4");
        QVERIFY(card->isVisible());
        QCOMPARE(card->focusPolicy(), Qt::TabFocus);
        card->setFocus(Qt::TabFocusReason);
        QTest::keyClick(card, Qt::Key_Space);
        QVERIFY(!card->isVisible());
    }

    // A whole carpet by keys: the first arrow shows the cursor on the first
    // cell, arrows stop at the edges, Space chooses as a click does (a wrong
    // letter changes nothing), Return on the solution brings the next carpet.
    void carpetByKeys() {
        WindowFixture f({"derHund.jpg"});
        f.dir.addPicture("derHund.jpg", QSize(200, 100));
        scriptHund(f.p.randomRec);
        scriptHund(f.p.randomRec);
        auto *w = f.open<Form7>(ScreenId::Form7);
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto *board = control<QWidget>(w, "bild1");
        QCOMPARE(QApplication::focusWidget(), board);
        QCOMPARE(w->cursorCell(), -1);
        const QImage untouched = control<Canvas>(w, "bild1")->image().copy();

        keys(w, {Qt::Key_Down});
        QCOMPARE(w->cursorCell(), 0);
        keys(w, {Qt::Key_Left, Qt::Key_Up});
        QCOMPARE(w->cursorCell(), 0);
        QCOMPARE(control<Canvas>(w, "bild1")->image(), untouched); // the cursor is no drawing
        keys(w, {Qt::Key_Down, Qt::Key_Space});                    // u before H: wrong
        QCOMPARE(w->cursorCell(), 1);
        QVERIFY(w->carpet().foundLetters().isEmpty());
        QCOMPARE(control<Canvas>(w, "bild1")->image(), untouched);

        const QList<Qt::Key> toH = {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right,
                                    Qt::Key_Right, Qt::Key_Down,  Qt::Key_Space};
        keys(w, toH);
        QCOMPARE(w->cursorCell(), 22);
        QCOMPARE(w->carpet().foundLetters(), QStringList{"H"});
        keys(w, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up,
                 Qt::Key_Return}); // u
        keys(w, {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down,
                 Qt::Key_Down, Qt::Key_Enter}); // n
        QCOMPARE(w->carpet().foundLetters(), (QStringList{"H", "u", "n"}));
        QVERIFY(!w->solutionShown());
        keys(w, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up,
                 Qt::Key_Up, Qt::Key_Space}); // d
        QVERIFY(w->solutionShown());
        QCOMPARE(f.p.log(LogList::Teppich), QStringList{"Hund"});
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(w, "Picture1"));

        keys(w, {Qt::Key_Return});
        QVERIFY(!w->solutionShown());
        QCOMPARE(f.p.randomRec.seeds.size(), 2);
        QVERIFY(w->carpet().foundLetters().isEmpty());
        QCOMPARE(QApplication::focusWidget(), board);
        QCOMPARE(w->cursorCell(), 0); // where the last letter was found

        // The mouse takes over: the cursor goes.
        QTest::mouseClick(board, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(w->cursorCell(), -1);
    }
};

QTEST_MAIN(PlayByKeyTest)
#include "playbykey_test.moc"
