// ABC ordering: the draw of five entries, the order with umlauts, swaps by
// dropping frames, and the solved state.
#include "games/Form8.h"
#include "games/gamewidgets.h"
#include "platform/canvas.h"
#include "support/fakeprogram.h"
#include "support/picturedir.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

static const QStringList kSix = {"derApfel.jpg", "dieÄpfel.jpg", "derBär.jpg",
                                 "derHund.jpg",  "dieMaus.jpg",  "dasZelt.jpg"};

class AbcTest : public QObject {
    Q_OBJECT

    // Draws the entries of kSix at these indexes, one draw each.
    static void script(ScriptedRandom &r, const QList<int> &indexes) {
        for (int i : indexes)
            r.pushIndex(i, int(kSix.size()));
    }

private slots:
    void fiveDifferentEntries() {
        FakeProgram p;
        script(p.randomRec, {5, 5, 2, 0, 2, 1, 4});
        AbcGame g;
        g.start(kSix, p.randomRec, p.clockRec);
        QCOMPARE(p.randomRec.seeds.size(), 1);
        QCOMPARE(g.entries, (QStringList{"dasZelt.jpg", "derBär.jpg", "derApfel.jpg",
                                         "dieÄpfel.jpg", "dieMaus.jpg"}));
        QCOMPARE(g.current, (QStringList{"Zelt", "Bär", "Apfel", "Äpfel", "Maus"}));
        QCOMPARE(g.target, (QStringList{"Apfel", "Äpfel", "Bär", "Maus", "Zelt"}));
    }

    void checkedOnlyAfterADrop() {
        FakeProgram p;
        script(p.randomRec, {0, 1, 2, 3, 4});
        AbcGame g;
        g.start(kSix, p.randomRec, p.clockRec);
        QVERIFY(!g.solved()); // in order, but nothing was dropped yet
        QVERIFY(g.swap(2, 2));
        QVERIFY(g.solved());
        QCOMPARE(g.logLine(), QString("Apfel Äpfel Bär Hund Maus "));
        QVERIFY(!g.swap(0, 1)); // solved: drops do nothing
        QCOMPARE(g.current.first(), QString("Apfel"));
    }

    void sameNounEitherOrder_data() {
        QTest::addColumn<QList<int>>("draw");
        QTest::newRow("der first") << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("die first") << QList<int>{1, 0, 2, 3, 4};
    }
    void sameNounEitherOrder() {
        QFETCH(QList<int>, draw);
        const QStringList list = {"derSee.jpg", "dieSee.gif", "derAal.jpg", "derBus.jpg",
                                  "dieUhr.jpg"};
        ScriptedRandom r;
        for (int i : draw)
            r.pushIndex(i, 5);
        FakeProgram p;
        AbcGame g;
        g.start(list, r, p.clockRec);
        QVERIFY(g.swap(0, 2)); // Aal See See Bus Uhr
        QVERIFY(!g.solved());
        QVERIFY(g.swap(1, 3)); // Aal Bus See See Uhr
        QVERIFY(g.solved());
    }

    void windowGame() {
        PictureDir dir;
        const QColor colours[5] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
        for (int i = 0; i < 4; ++i)
            dir.addPicture(kSix[i], QSize(40, 30), colours[i]);
        dir.addFile(kSix[4], "damaged"); // an empty frame; the game goes on
        FakeProgram p;
        p.setNouns(kSix);
        script(p.randomRec, {1, 0, 2, 3, 4}); // Äpfel Apfel Bär Hund Maus
        p.showScreen(ScreenId::Form8);
        auto *w = screenAs<Form8>(p, ScreenId::Form8);
        QVERIFY(w);
        QVERIFY(!w->Picture1->isVisible());
        QCOMPARE(w->Image[1]->toolTip(), QString("Äpfel"));
        QCOMPARE(w->Image[2]->toolTip(), QString("Apfel"));
        QVERIFY(w->Image[5]->picture().isNull());
        const Picture apfel = w->Image[2]->picture();
        const Picture aepfel = w->Image[1]->picture();

        QTest::mouseClick(w->Image[3], Qt::LeftButton); // a drop on itself: checked, not yet right
        QVERIFY(!w->Picture1->isVisible());

        emit w->Image[1]->dropped(w->Image[2]);
        QCOMPARE(w->Image[1]->picture(), apfel);
        QCOMPARE(w->Image[2]->picture(), aepfel);
        QCOMPARE(w->Image[1]->toolTip(), QString("Apfel"));
        QCOMPARE(w->Image[2]->toolTip(), QString("Äpfel"));
        QVERIFY(w->Picture1->isVisible());
        QVERIFY(w->Label3->isVisible());
        QCOMPARE(w->Label3->text(),
                 QString("Du hast es geschafft, klicke auf den Neu-Knopf . . ."));
        QCOMPARE(p.log(LogList::Abc), QStringList{"Apfel Äpfel Bär Hund Maus "});

        // Red initials, green rest.
        const QImage img = w->Picture1->image();
        int red = 0, green = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                red += c == QColor(255, 0, 0);
                green += c == QColor(0, 128, 0);
            }
        QVERIFY(red > 20 && green > 20);

        emit w->Image[4]->dropped(w->Image[5]); // solved: ignored
        QCOMPARE(w->Image[4]->toolTip(), QString("Hund"));
        QCOMPARE(p.log(LogList::Abc).size(), 1);

        QTest::mouseClick(w->Command4, Qt::LeftButton);
        QCOMPARE(w->Label3->text(),
                 QString(" A B C D E F G H I J K L M N O P Q R S T U V W X Y Z "));
        QTest::mouseClick(w->Command2, Qt::LeftButton);
        QVERIFY(!w->Picture1->isVisible());
        QVERIFY(!w->Label3->isVisible());
        QCOMPARE(p.randomRec.seeds.size(), 2);

        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QCOMPARE(p.menuShows, 1);
        for (int k = 1; k <= 5; ++k)
            QVERIFY(w->Image[k]->picture().isNull());
    }
};

QTEST_MAIN(AbcTest)
#include "abc_test.moc"
