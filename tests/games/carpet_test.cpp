// The letter carpet: fillers and insertion, the click mapping, long and
// double-letter nouns, and the window's cells, strip and solution panel.
#include "core/nouns.h"
#include "games/Form7.h"
#include "games/gamewidgets.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class CarpetTest : public QObject {
    Q_OBJECT

    // Hund among the fillers h, U and 19 x: d u h U x*18 H n x. Each draw is an index
    // out of a size: the noun; filler letter and case; then H and n before the last
    // filler, u and d at the front.
    static QList<QPoint> hundDraws() {
        QList<QPoint> d = {{0, 1}, {8, 30}, {4, 5}, {23, 30}, {0, 5}};
        for (int i = 0; i < 19; ++i)
            d << QPoint(27, 30) << QPoint(1, 5);
        return d << QPoint(20, 21) << QPoint(0, 22) << QPoint(22, 23) << QPoint(0, 24);
    }
    static void script(ScriptedRandom &r, const QList<QPoint> &draws) {
        for (const QPoint &d : draws)
            r.pushIndex(d.x(), d.y());
    }
    // The centre of cell k in the carpet's pixels.
    static QPoint cellCentre(int k) {
        const QPoint o = Carpet::cellOrigin(k);
        return QPoint(twips::px(o.x() + 1000), twips::px(o.y() + 500));
    }

private slots:
    // The noun's letters among fillers; a filler's case is drawn, but ß has no capital, and
    // a noun of 25 letters needs no filler and keeps its first letter last.
    void fillersAndInsertion_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QList<QPoint>>("draws");
        QTest::addColumn<QString>("carpet");
        QTest::addColumn<int>("calls");
        QTest::newRow("Hund") << "derHund.jpg" << hundDraws() << "duhUxxxxxxxxxxxxxxxxxxHnx" << 47;
        QTest::newRow("sharp s") << "dasAbcdefghijklmnopqrstuvwx.jpg"
                                 << QList<QPoint>{{0, 1}, {21, 30}, {0, 5}}
                                 << "ltcjmbnewigArpdfxouskqvhß" << 27;
        QTest::newRow("25 letters") << "dasAbcdefghijklmnopqrstuvwxy.jpg" << QList<QPoint>()
                                    << "skxbilmdvhfqocenwgtyrpujA" << 26;
    }
    void fillersAndInsertion() {
        QFETCH(QString, entry);
        QFETCH(QList<QPoint>, draws);
        QFETCH(QString, carpet);
        QFETCH(int, calls);
        FakeProgram p;
        script(p.randomRec, draws);
        Carpet c;
        QCOMPARE(c.build({entry}, p.randomRec, p.clockRec), entry);
        QCOMPARE(p.randomRec.seeds.size(), 1);
        QCOMPARE(c.carpetLetters(), carpet.split("", Qt::SkipEmptyParts));
        QCOMPARE(p.randomRec.calls, calls);
        QCOMPARE(c.wordLetters().join(""), nouns::nounOf(entry));
        QCOMPARE(c.poolFiles(), QStringList{entry}); // emptied, so filled again
    }

    void clickMapping_data() {
        QTest::addColumn<QPoint>("twips");
        QTest::addColumn<int>("cell");
        QTest::newRow("first") << QPoint(0, 0) << 0;
        QTest::newRow("first, far corner") << QPoint(1999, 999) << 0;
        QTest::newRow("second row") << QPoint(0, 1000) << 1;
        QTest::newRow("second column") << QPoint(2000, 0) << 5;
        QTest::newRow("beyond the last full cell") << QPoint(9974, 4934) << 24;
        QTest::newRow("last row, first column") << QPoint(10, 4900) << 4;
        QTest::newRow("outside") << QPoint(10000, 0) << -1;
    }
    void clickMapping() {
        QFETCH(QPoint, twips);
        QFETCH(int, cell);
        QCOMPARE(Carpet::cellAt(twips), cell);
    }

    // Every letter the noun needs is among the 25 cells: a double letter comes twice from
    // one cell, and a noun longer than the carpet keeps only its own letters, moved.
    void nounStaysSolvable_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("double letter") << "derBall.jpg" << 1u;
        QTest::newRow("30 letters") << "dieStraßenbahnhaltestellenschild.jpg" << 1u;
        QTest::newRow("38 letters") << "dieDonaudampfschifffahrtsgesellschaft.jpg" << 7u;
        QTest::newRow("25 different letters") << "dasAbcdefghijklmnopqrstuvwxyy.jpg" << 3u;
    }
    void nounStaysSolvable() {
        QFETCH(QString, entry);
        QFETCH(quint32, seed);
        SystemRandom r;
        r.reseed(seed);
        Carpet c;
        c.layOut(nouns::nounOf(entry), r);
        const QStringList word = c.wordLetters();
        QCOMPARE(c.carpetLetters().size(), qMax(25, int(word.size())));
        if (word.size() > 25) {
            QStringList sortedLetters = c.carpetLetters(), sortedWord = word;
            sortedLetters.sort();
            sortedWord.sort();
            QCOMPARE(sortedLetters, sortedWord);
        }
        const QStringList visible = c.carpetLetters().mid(0, 25);
        Carpet::Result last = Carpet::Result::Wrong;
        for (const QString &l : word) {
            last = c.click(visible.indexOf(l));
            QVERIFY2(last != Carpet::Result::Wrong, qPrintable(l));
        }
        QCOMPARE(last, Carpet::Result::Solved);
    }

    void windowGame() {
        WindowFixture f({"derHund.jpg"});
        f.dir.addPicture("derHund.jpg", QSize(200, 100));
        script(f.p.randomRec, hundDraws());
        auto *w = f.open<Form7>(ScreenId::Form7);
        QCOMPARE(control<QLabel>(w, "Label1")->text(), QString("H u n d "));
        auto *board = control<Canvas>(w, "bild1");
        const QImage &img = board->image();
        QCOMPARE(img.pixelColor(cellCentre(0) + QPoint(30, 0)), QColor(0, 255, 255));
        QCOMPARE(img.pixelColor(cellCentre(1) + QPoint(30, 0)), QColor(255, 255, 0));
        QCOMPARE(img.pixelColor(twips::px(2000), cellCentre(0).y()), QColor(Qt::black));

        auto press = [&](int k, Qt::MouseButton b = Qt::LeftButton) {
            QTest::mouseClick(board, b, {}, cellCentre(k));
        };
        const QImage before = img.copy();
        press(1); // u before H, h for H: nothing at all
        press(2);
        QCOMPARE(board->image(), before);
        QVERIFY(w->carpet().foundLetters().isEmpty());
        press(22, Qt::RightButton); // any button counts
        QCOMPARE(board->image().pixelColor(cellCentre(22) + QPoint(30, 0)), QColor(255, 0, 0));
        QCOMPARE(w->carpet().foundLetters(), QStringList{"H"});
        QVERIFY(countColour(control<Canvas>(w, "bild2")->image(), QColor(255, 0, 0),
                            QRect(0, 0, 60, 9999)) > 0);
        press(3); // U for u
        press(1);
        press(23);
        QCOMPARE(w->carpet().foundLetters(), (QStringList{"H", "u", "n"}));
        QVERIFY(!w->solutionShown());
        press(0);
        QVERIFY(w->solutionShown());
        QCOMPARE(f.p.log(LogList::Teppich), QStringList{"Hund"});

        QTest::mouseClick(control(w, "Label4"), Qt::LeftButton);
        QVERIFY(!w->solutionShown());
        QCOMPARE(f.p.randomRec.seeds.size(), 2);
        QVERIFY(w->carpet().foundLetters().isEmpty());
    }

    // The solved noun stands whole in the panel beside its picture's frame;
    // short ones keep their place and size. No pixels: a damaged picture file.
    void solutionShowsTheWholeNoun_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QSize>("frame");
        const QSize wide(6120, 4575), tall(4575, 6120);
        const QString strasse = "dieStraßenbahnhaltestelle.jpg";
        QTest::newRow("short") << "derHund.jpg" << QSize(200, 100) << false << wide;
        QTest::newRow("short beside portrait") << "dieMaus.jpg" << QSize(100, 200) << false << tall;
        QTest::newRow("damaged picture") << "derHund.jpg" << QSize() << false << wide;
        QTest::newRow("long") << strasse << QSize(200, 100) << true << wide;
        QTest::newRow("long beside portrait") << strasse << QSize(100, 200) << true << tall;
        QTest::newRow("very long beside portrait")
            << "dieDonaudampfschifffahrtsgesellschaft.jpg" << QSize(100, 200) << true << tall;
    }
    void solutionShowsTheWholeNoun() {
        QFETCH(QString, entry);
        QFETCH(QSize, pixels);
        QFETCH(bool, moved);
        QFETCH(QSize, frame);
        WindowFixture f({entry});
        if (pixels.isEmpty())
            f.dir.addFile(entry, "no picture");
        else
            f.dir.addPicture(entry, pixels);
        auto *w = f.open<Form7>(ScreenId::Form7);
        const QStringList visible = w->carpet().carpetLetters().mid(0, 25);
        const QStringList word = w->carpet().wordLetters();
        for (const QString &l : word)
            w->carpetPressed(Carpet::cellOrigin(int(visible.indexOf(l))) + QPoint(1000, 500));
        QVERIFY(w->solutionShown());
        auto *l = control<QLabel>(w, "Label4");
        QCOMPARE(l->text(), nouns::nounOf(entry));
        QVERIFY(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width());
        QVERIFY(control(w, "Picture1")->rect().contains(l->geometry()));
        auto *picture = control<ImageView>(w, "Image2");
        QVERIFY(!l->geometry().intersects(picture->geometry()));
        QCOMPARE(QSize(twips::width(picture), twips::height(picture)), frame);
        QCOMPARE(picture->picture().isNull(), pixels.isEmpty());
        QCOMPARE(twips::top(l), 5640);
        QCOMPARE(twips::left(l) != 8520, moved);
        if (!moved)
            QCOMPARE(l->font(), controls::verdana(24, true));
    }

    void abbruchAndHelp() {
        WindowFixture f({"derHund.jpg", "dieMaus.jpg"});
        auto *w = f.open<Form7>(ScreenId::Form7);
        QTest::mouseClick(control(w, "Command2"), Qt::LeftButton);
        QCOMPARE(f.p.dialogsRec.lastText(), QString("Klicke die Buchstaben des angezeigten\rWortes "
                                                    "in der richtigen Reihenfolge an.\r\r"));
        QCOMPARE(w->carpet().poolFiles().size(), 1);
        QTest::mouseClick(control(w, "Command1"), Qt::LeftButton);
        QCOMPARE(f.p.menuShows, 1);
        QVERIFY(w->carpet().carpetLetters().isEmpty());
        f.open<Form7>(ScreenId::Form7); // the pool is filled afresh
        QCOMPARE(w->carpet().poolFiles().size(), 1);
        QCOMPARE(w->carpet().carpetLetters().size(), 25);
    }
};

QTEST_MAIN(CarpetTest)
#include "carpet_test.moc"
