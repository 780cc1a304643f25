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
        QCOMPARE(w->currentEntry(), QStringLiteral("Feder"));
        QCOMPARE(w->workingList().size(), 9);
        // Distractors are the first two of the other nine, sorted with the target.
        QCOMPARE(w->offer(), (QStringList{"Affe", "Birne", "Feder"}));
        QCOMPARE(w->offerIndex(), 0);
        control<QPushButton>(w, "Command6")->click();
        control<QPushButton>(w, "Command6")->click();
        QTest::mouseClick(control<Canvas>(w, "Picture1"), Qt::LeftButton);
        QCOMPARE(f.p.log(LogList::Wortwahl), QStringList{"Feder"});
        QCOMPARE(f.boxes(), 1);
        QCOMPARE(f.box(), "Lösung | Hallo Gast !\r\rDas Wort ist richtig, weiter nun!\r\r");
        QCOMPARE(w->currentEntry(), QStringLiteral("Affe")); // drawn from all ten again
        QCOMPARE(w->workingList().size(), 9);
        QCOMPARE(w->offer(), (QStringList{"Affe", "Birne", "Dach"}));
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
        QCOMPARE(w->currentEntry(), target);
        QCOMPARE(w->offer(), (QStringList{"Ball", "Ball", "Dieb"}));
        for (int i = 0; i < steps; ++i)
            control<QPushButton>(w, "Command6")->click();
        QTest::mouseClick(control<PictureFrame>(w, "Image1"), Qt::LeftButton);
        QCOMPARE(f.p.log(LogList::Wortwahl), QStringList{target});
    }

    void wordChoiceScrollKeepsTarget() {
        WindowFixture f(kTen);
        f.dir.addPicture("dieFeder.jpg", QSize(30, 60));
        f.p.randomRec.pushIndex(4, 10);
        auto *w = f.open<Form5>(ScreenId::Form5);
        QCOMPARE(control<QLabel>(w, "Label3")->text(), QStringLiteral("3 Wörter"));
        control<QPushButton>(w, "Command6")->click();
        const int calls = f.p.randomRec.calls;
        control<QScrollBar>(w, "HScroll1")->setValue(6);
        QCOMPARE(control<QLabel>(w, "Label3")->text(), QStringLiteral(" 6 Wörter"));
        QCOMPARE(w->currentEntry(), QStringLiteral("Feder"));
        QCOMPARE(w->offer(), (QStringList{"Affe", "Birne", "Dach", "Esel", "Feder", "Gras"}));
        QCOMPARE(w->offerIndex(), 0);
        QCOMPARE(f.p.randomRec.calls, calls);                             // no new draw
        QVERIFY(!control<PictureFrame>(w, "Image2")->picture().isNull()); // the picture stays
        control<QScrollBar>(w, "HScroll1")->setValue(10);
        QCOMPARE(w->offer().size(), 10);
        control<QPushButton>(w, "Command1")->click();
        QVERIFY(control<PictureFrame>(w, "Image1")->picture().isNull() &&
                control<PictureFrame>(w, "Image2")->picture().isNull() &&
                w->measuredPicture().isNull());
    }

    void wordChoiceStepWraps() {
        WindowFixture f(kTen);
        f.p.randomRec.pushIndex(9, 10); // derLöwe
        auto *w = f.open<Form5>(ScreenId::Form5);
        QCOMPARE(w->offer(), (QStringList{"Affe", "Birne", "Löwe"}));
        control<QPushButton>(w, "Command5")->click();
        QCOMPARE(w->offerIndex(), 2);
        control<QPushButton>(w, "Command6")->click();
        QCOMPARE(w->offerIndex(), 0);
        QTest::mouseClick(control<Canvas>(w, "Picture1"), Qt::LeftButton); // "Affe": wrong, silent
        QCOMPARE(f.boxes(), 0);
        QVERIFY(f.p.log(LogList::Wortwahl).isEmpty());
        QCOMPARE(w->currentEntry(), QStringLiteral("Löwe"));
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
        QCOMPARE(w->currentEntry(), QStringLiteral("Hund"));
        const QString pick = distractor.isEmpty() ? QStringLiteral("derHund.jpg") : distractor;
        QVERIFY(w->offer().contains(pick));
        while (w->offer().value(w->offerIndex()) != pick)
            control<QPushButton>(w, "Command6")->click();
        QCOMPARE(w->measuredPicture().fileName(), pick);
        QTest::mouseClick(control<PictureFrame>(w, "Image1"), Qt::LeftButton);
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
        QCOMPARE(w->currentEntry(), QStringLiteral("Esel"));
        // Offered pictures are the files themselves, sorted.
        QCOMPARE(w->offer(), (QStringList{"derAffe.jpg", "derEsel.jpg", "dieBirne.jpg"}));
        control<QScrollBar>(w, "HScroll1")->setValue(4);
        QCOMPARE(control<QLabel>(w, "Label3")->text(), QStringLiteral(" 4 Wörter"));
        QCOMPARE(w->currentEntry(), QStringLiteral("Affe"));
        QCOMPARE(w->offer().size(), 4);
        QVERIFY(f.p.log(LogList::Bildwahl).isEmpty());
        // A right choice without confirmations moves on silently.
        while (w->offer().value(w->offerIndex()) != "derAffe.jpg")
            control<QPushButton>(w, "Command5")->click();
        QTest::mouseClick(control<Canvas>(w, "Picture1"), Qt::LeftButton);
        QCOMPARE(f.p.log(LogList::Bildwahl), QStringList{"Affe"});
        QCOMPARE(f.boxes(), 0);
    }

    void fewNounsNeverOverrun() {
        // Opened on fewer nouns than the largest offer needs: the offer shrinks.
        WindowFixture f({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg"});
        auto *w5 = f.open<Form5>(ScreenId::Form5);
        control<QScrollBar>(w5, "HScroll1")->setValue(10);
        QCOMPARE(w5->offer().size(), 3);
        auto *w6 = f.open<Form6>(ScreenId::Form6);
        control<QScrollBar>(w6, "HScroll1")->setValue(10);
        QCOMPARE(w6->offer().size(), 3);
    }
};

QTEST_MAIN(ExChoiceTest)
#include "exchoice_test.moc"
