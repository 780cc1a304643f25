// Memory: the deal, the pool, turning cards, and a whole game in the window.
#include "core/random.h"
#include "games/gamewidgets.h"
#include "games/memo.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"
#include "ui/twips.h"

#include <QPushButton>
#include <QRegion>
#include <QTest>

static const QStringList kNine = {"derAal.jpg",  "derBaum.jpg", "dieCola.jpg",
                                  "dasDach.jpg", "dieEnte.jpg", "derFisch.jpg",
                                  "dieGans.jpg", "derHund.jpg", "derIgel.jpg"};

class MemoTest : public QObject {
    Q_OBJECT

    // Draws Igel first, then always the first of the pool, then the inserts.
    static void scriptDeal(ScriptedRandom &r, int insertAt) {
        r.pushIndex(8, 9);
        for (int n = 8; n >= 1; --n)
            r.pushIndex(0, n);
        for (int j = 0; j < 9; ++j)
            r.pushIndex(insertAt, 9);
    }
    // The cover of card k.
    static QWidget *cover(memo *w, int k) {
        return control(w, ("Bezeichnung" + QByteArray::number(k)).constData());
    }

private slots:
    void deal_data() {
        QTest::addColumn<int>("insertAt");
        QTest::addColumn<QString>("cards");
        QTest::newRow("all at the front") << 0
                                          << "Igel Hund Gans Fisch Ente Dach Cola Baum Aal Igel "
                                             "Aal Baum Cola Dach Ente Fisch Gans Hund";
        QTest::newRow("all at the ninth place") << 8
                                                << "Igel Aal Baum Cola Dach Ente Fisch Gans Igel "
                                                   "Hund Gans Fisch Ente Dach Cola Baum Aal Hund";
    }
    void deal() {
        QFETCH(int, insertAt);
        QFETCH(QString, cards);
        FakeProgram p;
        scriptDeal(p.randomRec, insertAt);
        MemoryGame g;
        g.deal(kNine, p.randomRec, p.clockRec);
        QCOMPARE(p.randomRec.seeds, QList<quint32>{Random::seedFor(p.clockRec.seconds)});
        QCOMPARE(g.cards(), cards.split(' '));
        QCOMPARE(g.gameWords().join(' '), "Aal Baum Cola Dach Ente Fisch Gans Hund Igel");
    }

    void poolRotation_data() {
        QTest::addColumn<int>("nouns");
        QTest::addColumn<bool>("secondDealRefills");
        QTest::newRow("9 nouns") << 9 << true;
        QTest::newRow("17 nouns") << 17 << true;
        QTest::newRow("18 nouns") << 18 << false;
    }
    void poolRotation() {
        QFETCH(int, nouns);
        QFETCH(bool, secondDealRefills);
        QStringList list;
        for (int i = 0; i < nouns; ++i)
            list << QString("derW%1.jpg").arg(QChar('a' + i));
        FakeProgram p;
        MemoryGame g;
        g.deal(list, p.randomRec, p.clockRec);
        const QStringList first = g.gameWords();
        QCOMPARE(g.pool().size(), nouns - 9);
        g.deal(QStringList(list.mid(0, 9)), p.randomRec, p.clockRec); // the list changed meanwhile
        bool overlap = false;
        for (const QString &w : g.gameWords())
            overlap |= first.contains(w);
        if (secondDealRefills)
            QCOMPARE(g.pool().size(), 0); // refilled from the changed list
        else
            QVERIFY(!overlap); // still the old rotation
    }

    void duplicateNounsMatchAnyTwo() {
        QStringList list = kNine.mid(0, 7);
        list << "derSee.jpg"
             << "dieSee.gif";
        FakeProgram p;
        MemoryGame g;
        g.deal(list, p.randomRec, p.clockRec);
        QList<int> see;
        for (int k = 1; k <= 18; ++k)
            if (g.cards()[k - 1] == "See")
                see << k;
        QCOMPARE(see.size(), 4);
        QVERIFY(g.click(see[0]).matched == false);
        QVERIFY(g.click(see[3]).matched);
        QVERIFY(!g.click(see[2]).matched);
        QVERIFY(g.click(see[1]).matched);
    }

    void wholeGameInTheWindow() {
        WindowFixture f(kNine);
        f.p.state().setNameField("Ida");
        scriptDeal(f.p.randomRec, 0);
        auto *w = f.open<memo>(ScreenId::Memo);
        const QString startBox = "Nomen-Memory | Merke dir die Lage der Wörter gut.\r"
                                 "Klicke danach auf den Startknopf!\r\r";
        QCOMPARE(f.box(), startBox);
        for (int k = 1; k <= 18; ++k)
            QVERIFY(!w->coverShown(k));
        auto *start = control<QPushButton>(w, "Command3");
        QVERIFY(start->isVisible());

        // The words are written onto the window: card 1 holds "Igel".
        const QImage &img = control<Canvas>(w, "board")->image();
        auto inked = [&](int k) {
            const QPoint o = memo::cardOrigin(k);
            const QRect r(QPoint(o.x() / 15 + 4, o.y() / 15 + 4),
                          QPoint((o.x() + 2000) / 15 - 1, (o.y() + 600) / 15 - 1));
            return r.width() * r.height() - countColour(img, QColor(192, 192, 255), r);
        };
        QVERIFY(inked(1) > 20);

        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(!start->isVisible());
        for (int k = 1; k <= 18; ++k)
            QVERIFY(w->coverShown(k));

        auto clickCard = [&](int k) { QTest::mouseClick(cover(w, k), Qt::LeftButton); };
        clickCard(1); // Igel
        clickCard(2); // Hund: no pair, both stay open
        QVERIFY(!w->coverShown(1) && !w->coverShown(2));
        clickCard(10); // Igel: closes the two, opens this one
        QVERIFY(w->coverShown(1) && w->coverShown(2) && !w->coverShown(10));
        clickCard(1); // the pair
        QVERIFY(w->game().found(1) && w->game().found(10) && !w->game().found(2));
        const QPoint frame = memo::cardOrigin(1) / 15;
        QCOMPARE(img.pixelColor(frame), QColor(128, 128, 128));
        QVERIFY(img.pixelColor(memo::cardOrigin(3) / 15) != QColor(128, 128, 128));

        int inkUnderBox = -1;
        f.p.dialogsRec.onShow = [&](const RecordingDialogs::Box &b) {
            if (b.title == "Memory")
                inkUnderBox = inked(5);
        };
        const QStringList cards = w->game().cards();
        for (int k = 2; k <= 9; ++k) {
            clickCard(k);
            clickCard(cards.indexOf(cards[k - 1], 9) + 1);
        }
        QCOMPARE(f.p.log(LogList::Memory), (QStringList{"Aal", "Baum", "Cola", "Dach", "Ente",
                                                        "Fisch", "Gans", "Hund", "Igel"}));
        QCOMPARE(f.boxes(), 3);
        QCOMPARE(f.box(1), "Memory | Hallo Ida !\r\rPrima, du hast es geschafft!\r");
        QVERIFY(inkUnderBox > 20);    // the writing stays under the message
        QCOMPARE(f.box(2), startBox); // the next game at once
        QVERIFY(start->isVisible());
        QCOMPARE(f.p.randomRec.seeds.size(), 2);
    }

    // Every cover hides its whole word: nothing is written outside the cards.
    void coversHideLongWords() {
        const QStringList nouns =
            QString("derAal.jpg dieBahnhofsuhr.jpg dieMMMMMMMMMMMMMM.jpg derWellensittich.jpg "
                    "dieStraßenbahnhaltestelle.jpg dieDonaudampfschifffahrtsgesellschaft.jpg "
                    "derSchmetterlingsflügel.jpg dasKinderkarussell.jpg "
                    "derWWWWWWWWWWWWWWWWWWWW.jpg")
                .split(' ');
        WindowFixture f(nouns);
        auto *w = f.open<memo>(ScreenId::Memo);
        const QImage &img = control<Canvas>(w, "board")->image();
        QRegion cards;
        for (int k = 1; k <= 18; ++k)
            cards += cover(w, k)->geometry().adjusted(1, 1, -1, -1);
        int outside = 0;
        for (int y = 0; y < twips::px(6840); ++y)
            for (int x = 0; x < img.width(); ++x)
                outside +=
                    !cards.contains(QPoint(x, y)) && img.pixelColor(x, y) != QColor(192, 192, 255);
        QCOMPARE(outside, 0);
    }

    void wordPoints_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("smaller");
        QTest::newRow("short") << "Aal" << false;
        QTest::newRow("eleven letters") << "Bahnhofsuhr" << false;
        QTest::newRow("22 letters") << "Straßenbahnhaltestelle" << true;
        QTest::newRow("wide letters") << "Mmmmmmmmmmmmmm" << true;
        QTest::newRow("64 letters") << QString(64, 'w') << true;
    }
    void wordPoints() {
        QFETCH(QString, word);
        QFETCH(bool, smaller);
        Canvas c;
        Surface &s = c.surface();
        s.setFont("Verdana", memo::kPoints, true);
        const double points = memo::wordPoints(s, word, 4935);
        QCOMPARE(points < memo::kPoints, smaller);
        QVERIFY(points > 1);
        QCOMPARE(s.fontPoints(), memo::kPoints); // the board's font stays
        s.setFont("Verdana", points, true);
        int width = 0;
        for (QChar ch : word)
            width += s.textWidth(QString(ch) + ' ');
        QVERIFY2(width <= 4935, qPrintable(QString::number(width)));
    }

    void abbruchKeepsThePool() {
        QStringList list = kNine;
        for (int i = 0; i < 9; ++i)
            list << QString("derZ%1.jpg").arg(QChar('a' + i));
        WindowFixture f(list);
        auto *w = f.open<memo>(ScreenId::Memo);
        QCOMPARE(w->game().pool().size(), 9);
        QTest::mouseClick(control(w, "Command1"), Qt::LeftButton);
        QCOMPARE(f.p.menuShows, 1);
        QVERIFY(w->game().cards().isEmpty());
        QCOMPARE(w->game().pool().size(), 9);
        f.p.showScreen(ScreenId::Memo);
        QCOMPARE(w->game().pool().size(), 0); // the second game came from the rest
        QCOMPARE(w->game().cards().size(), 18);
    }
};

QTEST_MAIN(MemoTest)
#include "memo_test.moc"
