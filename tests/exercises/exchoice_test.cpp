// Word choice and picture choice: refill below 10, the offer and its order,
// stepping with wrap-around, the scroll bar, choosing by click.

#include "exercises/Form5.h"
#include "exercises/Form6.h"
#include "platform/canvas.h"
#include "support/fakeprogram.h"
#include "support/picturedir.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

class ExChoiceTest : public QObject {
    Q_OBJECT
private slots:
    void wordChoiceWithTenNouns();
    void wordChoiceTargetRuleAndTwins();
    void wordChoiceScrollKeepsTarget();
    void wordChoiceStepWraps();
    void pictureChoiceContainment_data();
    void pictureChoiceContainment();
    void pictureChoiceScrollDrawsNewNoun();
    void fewNounsNeverOverrun();
};

static const QStringList kTen = {"derAffe.jpg",  "dieBirne.jpg", "dasDach.jpg", "derEsel.jpg",
                                 "dieFeder.jpg", "dasGras.jpg",  "derHut.jpg",  "dieInsel.jpg",
                                 "dasKind.jpg",  "derLöwe.jpg"};

void ExChoiceTest::wordChoiceWithTenNouns() {
    PictureDir dir;
    FakeProgram p;
    p.options[Option::Bestaetigungen] = false; // this screen praises anyway
    p.setNouns(kTen);
    p.randomRec.pushIndex(4, 10); // dieFeder
    p.randomRec.pushIndex(0, 10); // after a refill: derAffe again possible
    p.showScreen(ScreenId::Form5);
    auto *w = screenAs<Form5>(p, ScreenId::Form5);
    QCOMPARE(w->Label1, QStringLiteral("Feder"));
    QCOMPARE(w->List1.size(), 9);
    // Distractors are the first two of the other nine, sorted with the target.
    QCOMPARE(w->List2, (QStringList{"Affe", "Birne", "Feder"}));
    QCOMPARE(w->List2Index, 0);
    w->Command6->click();
    w->Command6->click();
    QTest::mouseClick(w->Picture1, Qt::LeftButton);
    QCOMPARE(p.log(LogList::Wortwahl), QStringList{"Feder"});
    QCOMPARE(p.dialogsRec.boxes.size(), 1);
    QCOMPARE(p.dialogsRec.last().title, QStringLiteral("Lösung"));
    QCOMPARE(p.dialogsRec.last().text,
             QStringLiteral("Hallo Gast !\r\rDas Wort ist richtig, weiter nun!\r\r"));
    QCOMPARE(w->Label1, QStringLiteral("Affe")); // drawn from all ten again
    QCOMPARE(w->List1.size(), 9);
    QCOMPARE(w->List2, (QStringList{"Affe", "Birne", "Dach"}));
}

void ExChoiceTest::wordChoiceTargetRuleAndTwins() {
    PictureDir dir;
    FakeProgram p;
    QStringList nouns = kTen;
    nouns.prepend("derDieb.jpg");
    nouns.prepend("derBall.jpg");
    nouns.prepend("derBall.gif");
    p.setNouns(nouns);
    p.randomRec.pushIndex(2, 13); // derDieb
    p.showScreen(ScreenId::Form5);
    auto *w = screenAs<Form5>(p, ScreenId::Form5);
    QCOMPARE(w->Label1, QStringLiteral("Dieb")); // the article goes once only
    QCOMPARE(w->List2, (QStringList{"Ball", "Ball", "Dieb"}));
    w->Command1->click();
    QVERIFY(w->Image1->picture().isNull() && w->Image3.isNull());

    // Either copy of a twin noun is right.
    FakeProgram q;
    q.setNouns(nouns);
    q.randomRec.pushIndex(0, 13); // derBall.gif
    q.showScreen(ScreenId::Form5);
    auto *v = screenAs<Form5>(q, ScreenId::Form5);
    QCOMPARE(v->List2, (QStringList{"Ball", "Ball", "Dieb"}));
    v->Command6->click();
    QTest::mouseClick(v->Image1, Qt::LeftButton);
    QCOMPARE(q.log(LogList::Wortwahl), QStringList{"Ball"});
}

void ExChoiceTest::wordChoiceScrollKeepsTarget() {
    PictureDir dir;
    dir.addPicture("dieFeder.jpg", QSize(30, 60));
    FakeProgram p;
    p.setNouns(kTen);
    p.randomRec.pushIndex(4, 10);
    p.showScreen(ScreenId::Form5);
    auto *w = screenAs<Form5>(p, ScreenId::Form5);
    QCOMPARE(w->Label3->text(), QStringLiteral("3 Wörter"));
    w->Command6->click();
    const int calls = p.randomRec.calls;
    w->HScroll1->setValue(6);
    QCOMPARE(w->Label3->text(), QStringLiteral(" 6 Wörter"));
    QCOMPARE(w->Label1, QStringLiteral("Feder"));
    QCOMPARE(w->List2, (QStringList{"Affe", "Birne", "Dach", "Esel", "Feder", "Gras"}));
    QCOMPARE(w->List2Index, 0);
    QCOMPARE(p.randomRec.calls, calls);      // no new draw
    QVERIFY(!w->Image2->picture().isNull()); // the picture stays
    w->HScroll1->setValue(10);
    QCOMPARE(w->List2.size(), 10);
    QCOMPARE(w->HScroll1->minimum(), 3);
    QCOMPARE(w->HScroll1->maximum(), 10);
}

void ExChoiceTest::wordChoiceStepWraps() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns(kTen);
    p.randomRec.pushIndex(9, 10); // derLöwe
    p.showScreen(ScreenId::Form5);
    auto *w = screenAs<Form5>(p, ScreenId::Form5);
    QCOMPARE(w->List2, (QStringList{"Affe", "Birne", "Löwe"}));
    w->Command5->click();
    QCOMPARE(w->List2Index, 2);
    w->Command6->click();
    QCOMPARE(w->List2Index, 0);
    QTest::mouseClick(w->Picture1, Qt::LeftButton); // "Affe": wrong, silent
    QVERIFY(p.dialogsRec.boxes.isEmpty());
    QVERIFY(p.log(LogList::Wortwahl).isEmpty());
    QCOMPARE(w->Label1, QStringLiteral("Löwe"));
}

void ExChoiceTest::pictureChoiceContainment_data() {
    QTest::addColumn<QString>("distractor");
    QTest::addColumn<bool>("right");
    QTest::newRow("same file") << "" << true;
    QTest::newRow("contains the noun") << "derHundekorb.jpg" << true;
    QTest::newRow("other extension") << "DERHUND.GIF" << true;
    QTest::newRow("other noun") << "dieKatze.jpg" << false;
}

void ExChoiceTest::pictureChoiceContainment() {
    QFETCH(QString, distractor);
    QFETCH(bool, right);
    PictureDir dir;
    FakeProgram p;
    p.options[Option::Bestaetigungen] = true;
    QStringList nouns = kTen;
    nouns.prepend("derHund.jpg");
    if (!distractor.isEmpty())
        nouns.insert(1, distractor);
    p.setNouns(nouns);
    p.randomRec.pushIndex(0, int(nouns.size()));
    p.showScreen(ScreenId::Form6);
    auto *w = screenAs<Form6>(p, ScreenId::Form6);
    QCOMPARE(w->Label1, QStringLiteral("Hund"));
    const QString pick = distractor.isEmpty() ? QStringLiteral("derHund.jpg") : distractor;
    QVERIFY(w->List2.contains(pick));
    while (w->List2.value(w->List2Index) != pick)
        w->Command6->click();
    QCOMPARE(w->Image3.fileName(), pick);
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QCOMPARE(p.log(LogList::Bildwahl), right ? QStringList{"Hund"} : QStringList());
    QCOMPARE(p.dialogsRec.boxes.size(), right ? 1 : 0);
    if (right)
        QCOMPARE(p.dialogsRec.last().text,
                 QStringLiteral("Hallo Gast !\r\rDas Bild ist richtig, weiter nun!\r\r"));
}

void ExChoiceTest::pictureChoiceScrollDrawsNewNoun() {
    PictureDir dir;
    FakeProgram p;
    p.options[Option::Bestaetigungen] = false;
    p.setNouns(kTen);
    p.randomRec.pushIndex(3, 10); // derEsel
    p.randomRec.pushIndex(0, 10); // derAffe (refill below 10)
    p.showScreen(ScreenId::Form6);
    auto *w = screenAs<Form6>(p, ScreenId::Form6);
    QCOMPARE(w->Label1, QStringLiteral("Esel"));
    // Offered pictures are the files themselves, sorted.
    QCOMPARE(w->List2, (QStringList{"derAffe.jpg", "derEsel.jpg", "dieBirne.jpg"}));
    w->HScroll1->setValue(4);
    QCOMPARE(w->Label3->text(), QStringLiteral(" 4 Wörter"));
    QCOMPARE(w->Label1, QStringLiteral("Affe"));
    QCOMPARE(w->List2.size(), 4);
    QVERIFY(p.log(LogList::Bildwahl).isEmpty());
    // A right choice without confirmations moves on silently.
    while (w->List2.value(w->List2Index) != "derAffe.jpg")
        w->Command5->click();
    QTest::mouseClick(w->Picture1, Qt::LeftButton);
    QCOMPARE(p.log(LogList::Bildwahl), QStringList{"Affe"});
    QVERIFY(p.dialogsRec.boxes.isEmpty());
}

void ExChoiceTest::fewNounsNeverOverrun() {
    // Opened on fewer nouns than the largest offer needs: the offer shrinks.
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg"});
    p.showScreen(ScreenId::Form5);
    auto *w5 = screenAs<Form5>(p, ScreenId::Form5);
    w5->HScroll1->setValue(10);
    QCOMPARE(w5->List2.size(), 3);
    p.showScreen(ScreenId::Form6);
    auto *w6 = screenAs<Form6>(p, ScreenId::Form6);
    w6->HScroll1->setValue(10);
    QCOMPARE(w6->List2.size(), 3);
}

QTEST_MAIN(ExChoiceTest)
#include "exchoice_test.moc"
