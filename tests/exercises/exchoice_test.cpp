// Word choice and picture choice: refill below 10, the offer and its order,
// stepping with wrap-around, the scroll bar.

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
        f.p.randomRec.pushIndex(4, 10); // dieFeder
        f.p.randomRec.pushIndex(0, 10); // after a refill: derAffe again possible
        auto *w = f.open<Form5>(ScreenId::Form5);
        QCOMPARE(w->shownEntry(), QStringLiteral("Feder"));
        QCOMPARE(w->workingList().size(), 9);
        // Distractors are the first two of the other nine, sorted with the target.
        QCOMPARE(w->offer(), (QStringList{"Affe", "Birne", "Feder"}));
        control<QPushButton>(w, "Command6")->click();
        control<QPushButton>(w, "Command6")->click();
        QTest::mouseClick(control<Canvas>(w, "Picture1"), Qt::LeftButton);
        QCOMPARE(w->shownEntry(), QStringLiteral("Affe")); // drawn from all ten again
        QCOMPARE(w->workingList().size(), 9);
        QCOMPARE(w->offer(), (QStringList{"Affe", "Birne", "Dach"}));
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
        QCOMPARE(w->shownEntry(), QStringLiteral("Feder"));
        QCOMPARE(w->offer(), (QStringList{"Affe", "Birne", "Dach", "Esel", "Feder", "Gras"}));
        QCOMPARE(f.p.randomRec.calls, calls);                             // no new draw
        QVERIFY(!control<PictureFrame>(w, "Image2")->picture().isNull()); // the picture stays
        control<QScrollBar>(w, "HScroll1")->setValue(10);
        QCOMPARE(w->offer().size(), 10);
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
    }

    void pictureChoiceScrollDrawsNewNoun() {
        WindowFixture f(kTen);
        f.p.setOption(Option::Bestaetigungen, false);
        f.p.randomRec.pushIndex(3, 10); // derEsel
        f.p.randomRec.pushIndex(0, 10); // derAffe (refill below 10)
        auto *w = f.open<Form6>(ScreenId::Form6);
        QCOMPARE(w->shownEntry(), QStringLiteral("Esel"));
        // Offered pictures are the files themselves, sorted.
        QCOMPARE(w->offer(), (QStringList{"derAffe.jpg", "derEsel.jpg", "dieBirne.jpg"}));
        control<QScrollBar>(w, "HScroll1")->setValue(4);
        QCOMPARE(control<QLabel>(w, "Label3")->text(), QStringLiteral(" 4 Wörter"));
        QCOMPARE(w->shownEntry(), QStringLiteral("Affe"));
        QCOMPARE(w->offer().size(), 4);
        QVERIFY(f.p.log(LogList::Bildwahl).isEmpty());
    }

    void fewNounsNeverOverrun() {
        // Opened on fewer nouns than the largest offer needs: the offer shrinks.
        WindowFixture f({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg"});
        for (ScreenId id : {ScreenId::Form5, ScreenId::Form6}) {
            auto *w = f.open<ChoiceScreen>(id);
            control<QScrollBar>(w, "HScroll1")->setValue(10);
            QCOMPARE(w->offer().size(), 3);
        }
    }
};

QTEST_MAIN(ExChoiceTest)
#include "exchoice_test.moc"
