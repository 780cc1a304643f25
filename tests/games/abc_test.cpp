// ABC ordering: the draw of five entries, the order with umlauts, swaps by
// dropping frames, and the solved state.
#include "core/random.h"
#include "games/Form8.h"
#include "games/gamewidgets.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

static const QStringList kSix = {"derApfel.jpg", "dieÄpfel.jpg", "derBär.jpg",
                                 "derHund.jpg",  "dieMaus.jpg",  "dasZelt.jpg"};

class AbcTest : public QObject {
    Q_OBJECT

    static FramedImage *image(Form8 *w, int k) {
        return control<FramedImage>(w, ("Image" + QByteArray::number(k)).constData());
    }
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
        QCOMPARE(g.entries(), (QStringList{"dasZelt.jpg", "derBär.jpg", "derApfel.jpg",
                                           "dieÄpfel.jpg", "dieMaus.jpg"}));
        QCOMPARE(g.currentOrder(), (QStringList{"Zelt", "Bär", "Apfel", "Äpfel", "Maus"}));
        QCOMPARE(g.targetOrder(), (QStringList{"Apfel", "Äpfel", "Bär", "Maus", "Zelt"}));
    }

    // "N e u" twice within one second deals anew; the same instant deals the same.
    void dealsWithinOneSecondDiffer() {
        QStringList nouns;
        for (int i = 0; i < 40; ++i)
            nouns << QStringLiteral("derHund%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        SystemRandom random;
        ManualClock clock;
        QList<QStringList> deals;
        for (double t : {36000.25, 36000.75, 36000.25}) {
            clock.seconds = t;
            AbcGame g;
            g.start(nouns, random, clock);
            deals << g.entries();
        }
        QVERIFY(deals[0] != deals[1]);
        QCOMPARE(deals[2], deals[0]);
    }

    // The order is checked only after a drop, and two entries with one noun
    // count as right in either order.
    void solvedAfterTheRightDrops_data() {
        QTest::addColumn<QStringList>("nouns");
        QTest::addColumn<QList<int>>("draw");
        QTest::addColumn<QList<QPoint>>("swaps"); // frames, 0-based
        const QStringList see = {"derSee.jpg", "dieSee.gif", "derAal.jpg", "derBus.jpg",
                                 "dieUhr.jpg"};
        QTest::newRow("drawn in order, dropped on itself")
            << kSix.mid(0, 5) << QList<int>{0, 1, 2, 3, 4} << QList<QPoint>{{2, 2}};
        QTest::newRow("same noun, der first") // Aal See See Bus Uhr, Aal Bus See See Uhr
            << see << QList<int>{0, 1, 2, 3, 4} << QList<QPoint>{{0, 2}, {1, 3}};
        QTest::newRow("same noun, die first")
            << see << QList<int>{1, 0, 2, 3, 4} << QList<QPoint>{{0, 2}, {1, 3}};
    }
    void solvedAfterTheRightDrops() {
        QFETCH(QStringList, nouns);
        QFETCH(QList<int>, draw);
        QFETCH(QList<QPoint>, swaps);
        FakeProgram p;
        for (int i : draw)
            p.randomRec.pushIndex(i, 5);
        AbcGame g;
        g.start(nouns, p.randomRec, p.clockRec);
        for (const QPoint &s : swaps) {
            QVERIFY(!g.solved());
            QVERIFY(g.swap(s.x(), s.y()));
        }
        QVERIFY(g.solved());
    }

    void windowGame() {
        WindowFixture f(kSix);
        const QColor colours[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        for (int i = 0; i < 4; ++i)
            f.dir.addPicture(kSix[i], QSize(40, 30), colours[i]);
        f.dir.addFile(kSix[4], "damaged");      // an empty frame; the game goes on
        script(f.p.randomRec, {1, 0, 2, 3, 4}); // Äpfel Apfel Bär Hund Maus
        auto *w = f.open<Form8>(ScreenId::Form8);
        auto *solution = control<Canvas>(w, "Picture1");
        auto *line = control<QLabel>(w, "Label3");
        QVERIFY(!solution->isVisible());
        QCOMPARE(image(w, 1)->toolTip(), QString("Äpfel"));
        QVERIFY(image(w, 5)->picture().isNull());
        const Picture apfel = image(w, 2)->picture(), aepfel = image(w, 1)->picture();

        QTest::mouseClick(image(w, 3), Qt::LeftButton); // a drop on itself: checked, not yet right
        QVERIFY(!solution->isVisible());

        emit image(w, 1)->dropped(image(w, 2));
        QVERIFY(image(w, 1)->picture() == apfel && image(w, 2)->picture() == aepfel);
        QCOMPARE(image(w, 1)->toolTip() + image(w, 2)->toolTip(), QString("ApfelÄpfel"));
        QVERIFY(solution->isVisible() && line->isVisible());
        QCOMPARE(line->text(), QString("Du hast es geschafft, klicke auf den Neu-Knopf . . ."));
        QCOMPARE(f.p.log(LogList::Abc), QStringList{"Apfel Äpfel Bär Hund Maus "});
        // Red initials, green rest.
        const QImage img = solution->image();
        QVERIFY(countColour(img, QColor(255, 0, 0)) > 20 &&
                countColour(img, QColor(0, 128, 0)) > 20);

        emit image(w, 4)->dropped(image(w, 5)); // solved: ignored
        QCOMPARE(image(w, 4)->toolTip(), QString("Hund"));
        QCOMPARE(f.p.log(LogList::Abc).size(), 1);

        QTest::mouseClick(control(w, "Command4"), Qt::LeftButton);
        QCOMPARE(line->text(), QString(" A B C D E F G H I J K L M N O P Q R S T U V W X Y Z "));
        QTest::mouseClick(control(w, "Command2"), Qt::LeftButton);
        QVERIFY(!solution->isVisible() && !line->isVisible());
        QCOMPARE(f.p.randomRec.seeds.size(), 2);

        QTest::mouseClick(control(w, "Command1"), Qt::LeftButton);
        QCOMPARE(f.p.menuShows, 1);
        for (int k = 1; k <= 5; ++k)
            QVERIFY(image(w, k)->picture().isNull());
    }
};

QTEST_MAIN(AbcTest)
#include "abc_test.moc"
