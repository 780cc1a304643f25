// Word choice and picture choice: refill below 10, the offer and its order,
// stepping with wrap-around, the scroll bar, choosing by click.

#include "exercises/Form5.h"
#include "exercises/Form6.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

static const QStringList kTen = {"derAffe.jpg",  "dieBirne.jpg", "dasDach.jpg", "derEsel.jpg",
                                 "dieFeder.jpg", "dasGras.jpg",  "derHut.jpg",  "dieInsel.jpg",
                                 "dasKind.jpg",  "derLöwe.jpg"};

class ExChoiceTest : public QObject {
    Q_OBJECT
private slots:
    void wordChoiceWithTenNouns() {
        WindowFixture f(kTen);
        f.p.options[Option::Bestaetigungen] = false; // this screen praises anyway
        f.p.randomRec.pushIndex(4, 10);              // dieFeder
        f.p.randomRec.pushIndex(0, 10);              // after a refill: derAffe again possible
        auto *w = f.open<Form5>(ScreenId::Form5);
        QCOMPARE(w->Label1, QStringLiteral("Feder"));
        QCOMPARE(w->List1.size(), 9);
        // Distractors are the first two of the other nine, sorted with the target.
        QCOMPARE(w->List2, (QStringList{"Affe", "Birne", "Feder"}));
        QCOMPARE(w->List2Index, 0);
        w->Command6->click();
        w->Command6->click();
        QTest::mouseClick(w->Picture1, Qt::LeftButton);
        QCOMPARE(f.p.log(LogList::Wortwahl), QStringList{"Feder"});
        QCOMPARE(f.boxes(), 1);
        QCOMPARE(f.box(), "Lösung | Hallo Gast !\r\rDas Wort ist richtig, weiter nun!\r\r");
        QCOMPARE(w->Label1, QStringLiteral("Affe")); // drawn from all ten again
        QCOMPARE(w->List1.size(), 9);
        QCOMPARE(w->List2, (QStringList{"Affe", "Birne", "Dach"}));
    }

    void wordChoiceTargetRuleAndTwins_data() {
        QTest::addColumn<int>("draw");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("steps");
        QTest::newRow("article goes once only") << 2 << "Dieb" << 2;
        QTest::newRow("the other twin is right")
            << 0 << "Ball" << 1; // drew the .gif, picks the .jpg
    }

    void wordChoiceTargetRuleAndTwins() {
        QFETCH(int, draw);
        QFETCH(QString, target);
        QFETCH(int, steps);
        WindowFixture f(QStringList{"derBall.gif", "derBall.jpg", "derDieb.jpg"} + kTen);
        f.p.randomRec.pushIndex(draw, 13);
        auto *w = f.open<Form5>(ScreenId::Form5);
        QCOMPARE(w->Label1, target);
        QCOMPARE(w->List2, (QStringList{"Ball", "Ball", "Dieb"}));
        for (int i = 0; i < steps; ++i)
            w->Command6->click();
        QTest::mouseClick(w->Image1, Qt::LeftButton);
        QCOMPARE(f.p.log(LogList::Wortwahl), QStringList{target});
    }

    void wordChoiceScrollKeepsTarget() {
        WindowFixture f(kTen);
        f.dir.addPicture("dieFeder.jpg", QSize(30, 60));
        f.p.randomRec.pushIndex(4, 10);
        auto *w = f.open<Form5>(ScreenId::Form5);
        QCOMPARE(w->Label3->text(), QStringLiteral("3 Wörter"));
        w->Command6->click();
        const int calls = f.p.randomRec.calls;
        w->HScroll1->setValue(6);
        QCOMPARE(w->Label3->text(), QStringLiteral(" 6 Wörter"));
        QCOMPARE(w->Label1, QStringLiteral("Feder"));
        QCOMPARE(w->List2, (QStringList{"Affe", "Birne", "Dach", "Esel", "Feder", "Gras"}));
        QCOMPARE(w->List2Index, 0);
        QCOMPARE(f.p.randomRec.calls, calls);    // no new draw
        QVERIFY(!w->Image2->picture().isNull()); // the picture stays
        w->HScroll1->setValue(10);
        QCOMPARE(w->List2.size(), 10);
        w->Command1->click();
        QVERIFY(w->Image1->picture().isNull() && w->Image2->picture().isNull() &&
                w->Image3.isNull());
    }

    void wordChoiceStepWraps() {
        WindowFixture f(kTen);
        f.p.randomRec.pushIndex(9, 10); // derLöwe
        auto *w = f.open<Form5>(ScreenId::Form5);
        QCOMPARE(w->List2, (QStringList{"Affe", "Birne", "Löwe"}));
        w->Command5->click();
        QCOMPARE(w->List2Index, 2);
        w->Command6->click();
        QCOMPARE(w->List2Index, 0);
        QTest::mouseClick(w->Picture1, Qt::LeftButton); // "Affe": wrong, silent
        QCOMPARE(f.boxes(), 0);
        QVERIFY(f.p.log(LogList::Wortwahl).isEmpty());
        QCOMPARE(w->Label1, QStringLiteral("Löwe"));
    }

    void pictureChoiceContainment_data() {
        QTest::addColumn<QString>("distractor");
        QTest::addColumn<bool>("right");
        QTest::newRow("same file") << "" << true;
        QTest::newRow("contains the noun") << "derHundekorb.jpg" << true;
        QTest::newRow("other extension") << "DERHUND.GIF" << true;
        QTest::newRow("other noun") << "dieKatze.jpg" << false;
    }

    void pictureChoiceContainment() {
        QFETCH(QString, distractor);
        QFETCH(bool, right);
        QStringList nouns = QStringList{"derHund.jpg"} + kTen;
        if (!distractor.isEmpty())
            nouns.insert(1, distractor);
        WindowFixture f(nouns);
        f.p.randomRec.pushIndex(0, int(nouns.size()));
        auto *w = f.open<Form6>(ScreenId::Form6);
        QCOMPARE(w->Label1, QStringLiteral("Hund"));
        const QString pick = distractor.isEmpty() ? QStringLiteral("derHund.jpg") : distractor;
        QVERIFY(w->List2.contains(pick));
        while (w->List2.value(w->List2Index) != pick)
            w->Command6->click();
        QCOMPARE(w->Image3.fileName(), pick);
        QTest::mouseClick(w->Image1, Qt::LeftButton);
        QCOMPARE(f.p.log(LogList::Bildwahl), right ? QStringList{"Hund"} : QStringList());
        QCOMPARE(f.box(),
                 right ? "Lösung | Hallo Gast !\r\rDas Bild ist richtig, weiter nun!\r\r" : "");
    }

    void pictureChoiceScrollDrawsNewNoun() {
        WindowFixture f(kTen);
        f.p.options[Option::Bestaetigungen] = false;
        f.p.randomRec.pushIndex(3, 10); // derEsel
        f.p.randomRec.pushIndex(0, 10); // derAffe (refill below 10)
        auto *w = f.open<Form6>(ScreenId::Form6);
        QCOMPARE(w->Label1, QStringLiteral("Esel"));
        // Offered pictures are the files themselves, sorted.
        QCOMPARE(w->List2, (QStringList{"derAffe.jpg", "derEsel.jpg", "dieBirne.jpg"}));
        w->HScroll1->setValue(4);
        QCOMPARE(w->Label3->text(), QStringLiteral(" 4 Wörter"));
        QCOMPARE(w->Label1, QStringLiteral("Affe"));
        QCOMPARE(w->List2.size(), 4);
        QVERIFY(f.p.log(LogList::Bildwahl).isEmpty());
        // A right choice without confirmations moves on silently.
        while (w->List2.value(w->List2Index) != "derAffe.jpg")
            w->Command5->click();
        QTest::mouseClick(w->Picture1, Qt::LeftButton);
        QCOMPARE(f.p.log(LogList::Bildwahl), QStringList{"Affe"});
        QCOMPARE(f.boxes(), 0);
    }

    void fewNounsNeverOverrun() {
        // Opened on fewer nouns than the largest offer needs: the offer shrinks.
        WindowFixture f({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg"});
        auto *w5 = f.open<Form5>(ScreenId::Form5);
        w5->HScroll1->setValue(10);
        QCOMPARE(w5->List2.size(), 3);
        auto *w6 = f.open<Form6>(ScreenId::Form6);
        w6->HScroll1->setValue(10);
        QCOMPARE(w6->List2.size(), 3);
    }
};

QTEST_MAIN(ExChoiceTest)
#include "exchoice_test.moc"
