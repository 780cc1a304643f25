// Hangman: the secret word and mask, the board, a won and a lost game.
#include "games/galgen.h"
#include "games/gamewidgets.h"
#include "support/windowfixture.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class GalgenTest : public QObject {
    Q_OBJECT

    static LetterBoard *board(galgen *w) { return control<LetterBoard>(w, "Liste1"); }
    static Gallows *figure(galgen *w) { return control<Gallows>(w, "figure"); }
    static QListWidgetItem *key(galgen *w, QChar letter) {
        for (int i = 0; i < board(w)->count(); ++i)
            if (board(w)->item(i)->text().at(1) == letter)
                return board(w)->item(i);
        return nullptr;
    }
    static void click(galgen *w, QChar letter) { clickItem(board(w), key(w, letter)); }

private slots:
    // The secret word from the entry, the mask after some keys, and the result.
    static void row(const char *name, const char *entry, const char *secret, const char *keys,
                    const char *mask, int misses = 0, bool won = false) {
        QTest::newRow(name) << QString(entry) << QString(secret) << QString(keys) << QString(mask)
                            << misses << won;
    }
    void masks_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("secret");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("misses");
        QTest::addColumn<bool>("won");
        row("start", "derHund.jpg", "Hund", "", " _ _ _ _");
        row("first letter keeps case", "derHund.jpg", "Hund", "H", " H _ _ _");
        row("lower-case file", "derhund.jpg", "hund", "H", " h _ _ _");
        row("capitals", "derFUSSBALL.wmf", "Fussball", "", " _ _ _ _ _ _ _ _");
        row("no extension", "dasEi", "Ei", "E", " E _");
        row("all places at once", "derBall.jpg", "Ball", "L", " _ _ l l");
        row("umlaut key", "dieÄpfel.JPG", "Äpfel", "Ä", " Ä _ _ _ _");
        row("sharp s", "derFuß.jpg", "Fuß", "ß", " _ _ ß");
        row("miss twice counts twice", "derHund.jpg", "Hund", "XX", " _ _ _ _", 2);
        row("keyless characters shown at once", "dasT-Shirt 2.jpg", "T-shirt 2", "",
            " _ - _ _ _ _ _   2");
        row("keyless noun can be won", "dasT-Shirt.jpg", "T-shirt", "TSHIR", " T - s h i r t", 0,
            true);
    }
    void masks() {
        QFETCH(QString, entry);
        QFETCH(QString, secret);
        QFETCH(QString, letters);
        QFETCH(QString, mask);
        QFETCH(int, misses);
        QFETCH(bool, won);
        Hangman h;
        h.start(entry);
        QCOMPARE(h.secret(), secret);
        Hangman::Outcome last = Hangman::Outcome::Hit;
        for (QChar c : letters)
            last = h.play(c);
        QCOMPARE(h.mask(), mask);
        QCOMPARE(h.misses(), misses);
        QCOMPARE(last == Hangman::Outcome::Won, won);
    }

    void boardIsFilledColumnByColumn() {
        WindowFixture f({"derHund.jpg"});
        auto *w = f.open<galgen>(ScreenId::Galgen);
        QCOMPARE(board(w)->count(), 30);
        QString top, bottom;
        for (int i = 0; i < 30; ++i) {
            const QRect r = board(w)->visualItemRect(board(w)->item(i));
            QVERIFY2(board(w)->viewport()->rect().contains(r), qPrintable(QString::number(i)));
            (r.top() == 0 ? top : bottom) += board(w)->item(i)->text().at(1);
        }
        QCOMPARE(top, QString("ABCDEFGHIJKLMNO"));
        QCOMPARE(bottom, QString("PQRSTUVWXYZÄÖÜß"));
        QCOMPARE(board(w)->item(0)->text(), QString(" A "));
    }

    void wonGame() {
        WindowFixture f({"derHund.jpg"});
        FakeProgram &p = f.p;
        f.dir.addPicture("derHund.jpg");
        p.name = "Lena";
        auto *w = f.open<galgen>(ScreenId::Galgen);
        QCOMPARE(control<QLabel>(w, "Bezeichnung1")->text(), QString(" _ _ _ _"));
        QCOMPARE(p.randomRec.seeds.size(), 1);

        click(w, 'X');
        click(w, 'X'); // the highlight goes again, and it is a second miss
        QCOMPARE(figure(w)->shownParts(), (QList<Gallows::Part>{Gallows::Figur2, Gallows::Figur3}));
        click(w, 'H');
        click(w, 'U');
        click(w, 'N');
        QVERIFY(p.dialogsRec.boxes.isEmpty());

        bool pictureShown = false;
        QList<Gallows::Part> parts;
        p.dialogsRec.onShow = [&](const RecordingDialogs::Box &) {
            pictureShown = control(w, "Image1")->isVisible() &&
                           !control<FramedImage>(w, "Image1")->picture().isNull();
            parts = figure(w)->shownParts();
        };
        click(w, 'D');
        QCOMPARE(f.boxes(), 1);
        QCOMPARE(f.box(), "Galgenspiel | Hallo Lena !\r\rDu hast 4 Versuche benötigt!\r"
                          "Weiter zur nächsten Runde ...\r\r");
        QVERIFY(pictureShown);
        // The gallows drawn so far stay beside the freed figure until the reset.
        QCOMPARE(parts, (QList<Gallows::Part>{Gallows::Figur2, Gallows::Figur3, Gallows::Bild1,
                                              Gallows::Figur7, Gallows::Linie7, Gallows::Linie8,
                                              Gallows::Linie9, Gallows::Linie10}));
        QCOMPARE(p.log(LogList::Galgen), QStringList{"Hund"});
        // Reset: the next game is drawn, nothing shown, no key highlighted.
        QVERIFY(figure(w)->shownParts().isEmpty());
        QVERIFY(!control(w, "Image1")->isVisible());
        QVERIFY(board(w)->selectedItems().isEmpty());
        QCOMPARE(control<QLabel>(w, "Bezeichnung1")->text(), QString(" _ _ _ _"));
        QCOMPARE(p.randomRec.seeds.size(), 2);
    }

    // Only a press and a release on the same key plays it; the rest leaves the board alone.
    void onlyWholeClicksPlay_data() {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<int>("misses");
        QTest::addColumn<QString>("marked");
        QTest::newRow("click") << "click F" << 1 << "F";
        QTest::newRow("press F, release G") << "press F, release G" << 0 << "";
        QTest::newRow("over G and back to F") << "press F, move G, release F" << 1 << "F";
        QTest::newRow("right button") << "right F" << 0 << "";
        QTest::newRow("double click") << "double F" << 2 << "";
        QTest::newRow("space bar") << "space" << 0 << "";
        QTest::newRow("arrow and space") << "right arrow, space" << 0 << "";
    }
    void onlyWholeClicksPlay() {
        QFETCH(QString, gesture);
        QFETCH(int, misses);
        QFETCH(QString, marked);
        WindowFixture f({"derHund.jpg"});
        auto *w = f.open<galgen>(ScreenId::Galgen);
        QWidget *v = board(w)->viewport();
        const QPoint F = board(w)->visualItemRect(key(w, 'F')).center();
        const QPoint G = board(w)->visualItemRect(key(w, 'G')).center();
        if (gesture == "click F") {
            QTest::mouseClick(v, Qt::LeftButton, {}, F);
        } else if (gesture == "press F, release G") {
            QTest::mousePress(v, Qt::LeftButton, {}, F);
            QTest::mouseMove(v, G);
            QTest::mouseRelease(v, Qt::LeftButton, {}, G);
        } else if (gesture == "press F, move G, release F") {
            QTest::mousePress(v, Qt::LeftButton, {}, F);
            QTest::mouseMove(v, G);
            QTest::mouseMove(v, F);
            QTest::mouseRelease(v, Qt::LeftButton, {}, F);
        } else if (gesture == "right F") {
            QTest::mouseClick(v, Qt::RightButton, {}, F);
        } else if (gesture == "double F") {
            QTest::mouseClick(v, Qt::LeftButton, {}, F);
            QTest::mousePress(v, Qt::LeftButton, {}, F);
            QTest::mouseDClick(v, Qt::LeftButton, {}, F);
            QTest::mouseRelease(v, Qt::LeftButton, {}, F);
        } else {
            if (gesture.startsWith("right arrow"))
                QTest::keyClick(board(w), Qt::Key_Right);
            QTest::keyClick(board(w), Qt::Key_Space);
        }
        QCOMPARE(w->game().misses(), misses);
        QString keys;
        for (const QListWidgetItem *k : board(w)->selectedItems())
            keys += k->text().trimmed();
        QCOMPARE(keys, marked);
    }

    // No key may look used before it is played: the board never holds the
    // focus, so no current-key frame is drawn on "A" or on the last key.
    void noKeyLooksUsedUnplayed() {
        WindowFixture f({"derHund.jpg"});
        auto *w = f.open<galgen>(ScreenId::Galgen);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto look = [w](QChar c) {
            return board(w)->viewport()->grab(board(w)->visualItemRect(key(w, c))).toImage();
        };
        const QImage a = look('A'), x = look('X');
        QVERIFY(!board(w)->hasFocus());
        // Nor does the exit button wait for a stray space bar.
        QVERIFY(!control(w, "Befehl1")->hasFocus());
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w,
                        Qt::Key_Space);
        QVERIFY(w->isVisible());
        board(w)->clearFocus(); // a focus frame at the start would go now
        QCOMPARE(look('A'), a);
        click(w, 'X');
        QVERIFY(look('X') != x);
        click(w, 'X'); // unmarked again, after two misses
        QCOMPARE(w->game().misses(), 2);
        QVERIFY(!board(w)->hasFocus());
        QCOMPARE(look('X'), x);
        QTest::keyClick(w, Qt::Key_Tab);
        QTest::keyClick(w, Qt::Key_Tab);
        QVERIFY(!board(w)->hasFocus());
        QCOMPARE(look('A'), a);
    }

    void lostGame() {
        WindowFixture f({"dieMaus.jpg"});
        FakeProgram &p = f.p;
        f.dir.addFile("dieMaus.jpg", "damaged"); // an empty frame, and the game goes on
        auto *w = f.open<galgen>(ScreenId::Galgen);
        const QString wrong = "BCDEFGHIJK";
        for (int i = 0; i < 9; ++i)
            click(w, wrong[i]);
        QCOMPARE(figure(w)->shownParts().size(), 9);
        QVERIFY(p.dialogsRec.boxes.isEmpty());
        QString solution;
        bool tenth = false;
        p.dialogsRec.onShow = [&](const RecordingDialogs::Box &) {
            solution = control<QLabel>(w, "Bezeichnung2")->isVisible()
                           ? control<QLabel>(w, "Bezeichnung2")->text()
                           : QString();
            tenth = figure(w)->shown(Gallows::Linie5) && control(w, "Image1")->isVisible();
        };
        click(w, wrong[9]);
        QCOMPARE(f.boxes(), 1);
        QCOMPARE(f.box(), "Galgenspiel | Du hast leider verloren!\r\r");
        QCOMPARE(solution, QString("Maus"));
        QVERIFY(tenth);
        QVERIFY(p.log(LogList::Galgen).isEmpty());
        QVERIFY(!control<QLabel>(w, "Bezeichnung2")->isVisible());
        QVERIFY(figure(w)->shownParts().isEmpty());
    }

    void poolIsSortedAndAbbruchUsesUpANoun() {
        WindowFixture f({"dieMaus.jpg", "derÄrmel.jpg", "derBär.jpg"});
        FakeProgram &p = f.p;
        p.randomRec.pushIndex(0, 3); // first of the sorted pool
        auto *w = f.open<galgen>(ScreenId::Galgen);
        QCOMPARE(w->game().secret(), QString("Ärmel"));
        QCOMPARE(w->wordPool(), (QStringList{"derBär.jpg", "dieMaus.jpg"}));
        p.randomRec.pushIndex(1, 2);
        QTest::mouseClick(control(w, "Befehl1"), Qt::LeftButton);
        QCOMPARE(p.menuShows, 1);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->wordPool(), QStringList{"derBär.jpg"}); // Maus went unplayed
        p.showScreen(ScreenId::Galgen);
        QCOMPARE(w->game().secret(), QString("Bär"));
        QVERIFY(w->wordPool().isEmpty());
    }
};

QTEST_MAIN(GalgenTest)
#include "galgen_test.moc"
