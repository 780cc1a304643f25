// Hangman: the secret word and mask, the board, the end of a game.
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

    // A won and a lost game: the message over the finished board, then a fresh game.
    void endOfGame_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("solution");
        QTest::addColumn<QList<int>>("parts");
        QTest::addColumn<QStringList>("logged");
        using G = Gallows;
        // A repeated miss counts twice; the gallows stay beside the freed figure.
        QTest::newRow("won") << "derHund.jpg"
                             << "XXHUND"
                             << "Galgenspiel | Hallo Lena !\r\rDu hast 4 Versuche benötigt!\r"
                                "Weiter zur nächsten Runde ...\r\r"
                             << "" << QList<int>{G::Figur2, G::Figur3, G::Bild1,  G::Figur7,
                                                 G::Linie7, G::Linie8, G::Linie9, G::Linie10}
                             << QStringList{"Hund"};
        // A damaged picture gives an empty frame, and the game goes on.
        QTest::newRow("lost") << "dieMaus.jpg"
                              << "BCDEFGHIJK"
                              << "Galgenspiel | Du hast leider verloren!\r\r"
                              << "Maus" << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}
                              << QStringList{};
    }
    void endOfGame() {
        QFETCH(QString, entry);
        QFETCH(QString, keys);
        QFETCH(QString, box);
        QFETCH(QString, solution);
        QFETCH(QList<int>, parts);
        QFETCH(QStringList, logged);
        WindowFixture f({entry});
        FakeProgram &p = f.p;
        if (logged.isEmpty())
            f.dir.addFile(entry, "damaged");
        else
            f.dir.addPicture(entry);
        p.state().setNameField("Lena");
        auto *w = f.open<galgen>(ScreenId::Galgen);
        auto *mask = control<QLabel>(w, "Bezeichnung1");
        auto *answer = control<QLabel>(w, "Bezeichnung2");
        QCOMPARE(mask->text(), QString(" _ _ _ _"));
        QCOMPARE(p.randomRec.seeds.size(), 1);
        for (QChar c : keys.chopped(1))
            click(w, c);
        QVERIFY(p.dialogsRec.boxes.isEmpty());

        QString shownSolution;
        QList<int> shownParts;
        bool frame = false;
        p.dialogsRec.onShow = [&](const RecordingDialogs::Box &) {
            shownSolution = answer->isVisible() ? answer->text() : QString();
            for (Gallows::Part part : figure(w)->shownParts())
                shownParts << part;
            frame = control(w, "Image1")->isVisible() &&
                    control<FramedImage>(w, "Image1")->picture().isNull() == logged.isEmpty();
        };
        click(w, keys.back());
        QCOMPARE(f.boxes(), 1);
        QCOMPARE(f.box(), box);
        QCOMPARE(shownSolution, solution);
        QCOMPARE(shownParts, parts);
        QVERIFY(frame);
        QCOMPARE(p.log(LogList::Galgen), logged);
        // Reset: the next game is drawn, nothing shown, no key highlighted.
        QVERIFY(figure(w)->shownParts().isEmpty());
        QVERIFY(!control(w, "Image1")->isVisible() && !answer->isVisible());
        QVERIFY(board(w)->selectedItems().isEmpty());
        QCOMPARE(mask->text(), QString(" _ _ _ _"));
        QCOMPARE(p.randomRec.seeds.size(), 2);
    }

    // Only a press and a release on the same key plays it; the rest leaves the board alone.
    // Steps on a key: p press, r release, c click, d double click (upper case: right
    // button), m move; > and _ are the arrow key and the space bar.
    void onlyWholeClicksPlay_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("misses");
        QTest::addColumn<QString>("marked");
        QTest::newRow("click") << "cF" << 1 << "F";
        QTest::newRow("press F, release G") << "pF mG rG" << 0 << "";
        QTest::newRow("over G and back to F") << "pF mG mF rF" << 1 << "F";
        QTest::newRow("right button") << "CF" << 0 << "";
        QTest::newRow("double click") << "cF pF dF rF" << 2 << "";
        QTest::newRow("space bar") << "_" << 0 << "";
        QTest::newRow("arrow and space") << "> _" << 0 << "";
    }
    void onlyWholeClicksPlay() {
        QFETCH(QString, steps);
        QFETCH(int, misses);
        QFETCH(QString, marked);
        WindowFixture f({"derHund.jpg"});
        auto *w = f.open<galgen>(ScreenId::Galgen);
        QWidget *v = board(w)->viewport();
        for (const QString &s : steps.split(' ')) {
            if (s == ">" || s == "_") {
                QTest::keyClick(board(w), s == ">" ? Qt::Key_Right : Qt::Key_Space);
                continue;
            }
            const auto action = QTest::MouseAction(QString("prcdm").indexOf(s[0].toLower()));
            const Qt::MouseButton button = s[0] == 'm'      ? Qt::NoButton
                                           : s[0].isUpper() ? Qt::RightButton
                                                            : Qt::LeftButton;
            const QPoint at = board(w)->visualItemRect(key(w, s[1])).center();
            QTest::mouseEvent(action, v, button, {}, at);
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
        QVERIFY(!board(w)->hasFocus());
        QCOMPARE(look('X'), x);
        QTest::keyClick(w, Qt::Key_Tab);
        QTest::keyClick(w, Qt::Key_Tab);
        QVERIFY(!board(w)->hasFocus());
        QCOMPARE(look('A'), a);
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
