// The exercise frame: passes without repeats, a noun list that changes while
// the window is open, leaving and closing, the placement of the reading
// screen's frame, the landscape or portrait frame, missing pictures, the
// picture switch and the word strip.

#include "exercises/Form2.h"
#include "exercises/Form3.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

static const QStringList kThree = {"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg"};

class ExFrameTest : public QObject {
    Q_OBJECT
private slots:
    void passHasNoRepeats() {
        WindowFixture f(kThree);
        f.p.randomRec.script << 0.99 << 0.0 << 0.5 << 0.4; // last: first of the new pass
        auto *w = f.open<Form2>(ScreenId::Form2);
        for (int i = 0; i < 3; ++i)
            control<QPushButton>(w, "Command2")->click();
        QCOMPARE(f.p.log(LogList::Lesen), (QStringList{"Haus", "Hund", "Katze", "Katze"}));
    }

    void abbruchKeepsPassTitleBarStartsNew() {
        WindowFixture f(kThree);
        auto *w = f.open<Form2>(ScreenId::Form2);
        control<QPushButton>(w, "Command1")->click();
        QVERIFY(!w->isVisible());
        QCOMPARE(f.p.menuShows, 1);
        QCOMPARE(f.open<Form2>(ScreenId::Form2), w); // same window, same pass
        QCOMPARE(w->workingList().size(), 1);

        w->closeByTitleBar();
        QCOMPARE(f.p.menuShows, 2);
        WindowFixture::flushDeletes();
        QVERIFY(!f.p.existing(ScreenId::Form2));
        QCOMPARE(f.open<Form2>(ScreenId::Form2)->workingList().size(), 2); // a new pass
    }

    // The noun list changes while the window is open: a noun whose picture
    // has gone is never drawn again, while a filter alone reaches the pass at
    // its refill (as ever); a new noun comes with the next pass.
    void nounListChangesWhileOpen_data() {
        QTest::addColumn<bool>("pictureGone");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("picture gone")
            << true << QStringList{"Hund", "Haus", "Hund", "Haus", "Auto"};
        QTest::newRow("filtered out")
            << false << QStringList{"Hund", "Katze", "Haus", "Hund", "Haus", "Auto"};
    }
    void nounListChangesWhileOpen() {
        QFETCH(bool, pictureGone);
        QFETCH(QStringList, shown);
        WindowFixture f(kThree);
        f.p.randomRec.script = QList<double>(shown.size(), 0.0); // the first entry left
        auto *w = f.open<Form2>(ScreenId::Form2);
        const QStringList now{"derHund.jpg", "dasHaus.jpg", "dasAuto.jpg"};
        if (pictureGone)
            f.p.setNouns(now);
        else
            f.p.state().setNouns(now, kThree + QStringList{"dasAuto.jpg"});
        while (f.p.log(LogList::Lesen).size() < shown.size())
            control<QPushButton>(w, "Command2")->click();
        QCOMPARE(f.p.log(LogList::Lesen), shown);
    }

    void placement_data() {
        QTest::addColumn<QSize>("pixels"); // empty: missing, 1x1: damaged
        QTest::addColumn<QRect>("frame");  // twips
        QTest::newRow("small") << QSize(200, 134) << QRect(3900, 1695, 3000, 2010);
        QTest::newRow("wide squeezed") << QSize(534, 200) << QRect(2760, 1200, 5280, 3000);
        QTest::newRow("tall squeezed") << QSize(100, 400) << QRect(4650, 60, 1500, 5280);
        QTest::newRow("huge") << QSize(4000, 3000) << QRect(2760, 60, 5280, 5280);
        // No picture: an empty frame centred on (5400, 2700), and the next noun comes.
        QTest::newRow("missing") << QSize() << QRect(2760, 60, 5280, 5280);
        QTest::newRow("damaged") << QSize(1, 1) << QRect(2760, 60, 5280, 5280);
    }

    void placement() {
        QFETCH(QSize, pixels);
        QFETCH(QRect, frame);
        const bool none = pixels.width() < 2;
        WindowFixture f({"derHund.jpg", "dieKatze.jpg"});
        if (pixels == QSize(1, 1))
            f.dir.addFile("derHund.jpg", QByteArray("\xFF\xD8\xFF garbage", 12));
        else if (!none)
            f.dir.addPicture("derHund.jpg", pixels);
        f.dir.addPicture("dieKatze.jpg");
        f.p.setOption(Option::BilderBeiNomen, true);
        f.p.randomRec.pushIndex(0, 2);
        auto *w = f.open<Form2>(ScreenId::Form2);
        QCOMPARE(control<PictureFrame>(w, "Image1")->twipsRect(), frame);
        QCOMPARE(control<PictureFrame>(w, "Image1")->isPlaceholder(), none);
        w->grab(); // painting (also the placeholder) must not fail
        control<QPushButton>(w, "Command2")->click();
        QCOMPARE(f.p.log(LogList::Lesen), (QStringList{"Hund", "Katze"}));
        QVERIFY(!control<PictureFrame>(w, "Image1")->isPlaceholder() &&
                !control<PictureFrame>(w, "Image1")->picture().isNull());
    }

    void frameByOrientation_data() {
        QTest::addColumn<QSize>("pixels"); // empty: missing
        QTest::addColumn<bool>("landscape");
        QTest::newRow("square") << QSize(50, 50) << true;
        QTest::newRow("tall") << QSize(40, 60) << false;
        // Both sides beyond 32767 twips: the stored size is clipped, the orientation is not.
        QTest::newRow("tall photo") << QSize(2400, 3200) << false;
        QTest::newRow("missing") << QSize() << true;
    }

    void frameByOrientation() {
        QFETCH(QSize, pixels);
        QFETCH(bool, landscape);
        WindowFixture f({"derHund.jpg"});
        if (!pixels.isEmpty())
            f.dir.addPicture("derHund.jpg", pixels);
        auto *w = f.open<Form3>(ScreenId::Form3);
        auto *image1 = control<PictureFrame>(w, "Image1");
        auto *image2 = control<PictureFrame>(w, "Image2");
        QCOMPARE(!image1->picture().isNull() || image1->isPlaceholder(), landscape);
        QCOMPARE(!image2->picture().isNull(), !landscape);
        QCOMPARE(f.p.pictureSize(), (pixels * 15).boundedTo({32767, 32767}).expandedTo({0, 0}));
        control<QPushButton>(w, "Command1")->click(); // leaving lets the picture go
        QVERIFY(image1->picture().isNull() && image2->picture().isNull() &&
                w->measuredPicture().isNull());
    }

    // The child's switch and the teacher's option are one (the menu's side in
    // form1_test); holding the mouse on the strip shows the picture while the switch is off.
    void pictureSwitch() {
        WindowFixture f(kThree);
        auto *w = f.open<Form2>(ScreenId::Form2);
        auto *check = control<QCheckBox>(w, "Check1");
        auto *image = control<PictureFrame>(w, "Image1");
        auto *strip = control<Canvas>(w, "Picture1");
        QVERIFY(!check->isChecked() && !image->isVisible());
        QTest::mousePress(strip, Qt::LeftButton);
        QVERIFY(image->isVisible());
        QTest::mouseRelease(strip, Qt::LeftButton);
        QVERIFY(!image->isVisible());

        check->click();
        QVERIFY(f.p.option(Option::BilderBeiNomen) && image->isVisible());
        QTest::mousePress(strip, Qt::LeftButton);
        QTest::mouseRelease(strip, Qt::LeftButton);
        QVERIFY(image->isVisible());
        check->click();
        QVERIFY(!f.p.option(Option::BilderBeiNomen) && !image->isVisible());
    }

    void helpText() {
        WindowFixture f(kThree);
        control<QPushButton>(f.open<Form2>(ScreenId::Form2), "Command3")->click();
        const QString text = f.box();
        QCOMPARE(text.count(QLatin1Char('\r')), 8);
        QVERIFY(text.startsWith("Hilfe zu Nomen | Auf der Startseite kann unter Optionen\reine "));
        QVERIFY(text.endsWith("wieder einblenden. Mit\rLoslassen der Maus blenden diese aus.\r\r"));
        QCOMPARE(f.p.log(LogList::Lesen).size(), 1); // help draws nothing
    }

    void stripColoursAndLongNounCut() {
        WindowFixture f({"dieDonaudampfschifffahrtsgesellschaftskapitänsmütze-2.jpg"});
        f.p.state().setColours(12, 1, QColor(255, 255, 0)); // light red vowels, blue consonants
        auto *w = f.open<Form2>(ScreenId::Form2);
        const QImage img = control<Canvas>(w, "Picture1")->image();
        QCOMPARE(img.pixelColor(2, 2), QColor(255, 255, 0));
        QVERIFY(countColour(img, QColor(255, 0, 0)) > 0 && countColour(img, QColor(0, 0, 128)) > 0);
        // The word runs past the right edge: letters reach the last columns.
        const QRect edge(img.width() - img.width() / 20, 0, img.width(), img.height());
        QVERIFY(countColour(img, QColor(0, 0, 128), edge) +
                countColour(img, QColor(255, 0, 0), edge));
        QCOMPARE(f.p.log(LogList::Lesen).value(0),
                 QStringLiteral("Donaudampfschifffahrtsgesellschaftskapitänsmütze-2"));
    }
};

QTEST_MAIN(ExFrameTest)
#include "exframe_test.moc"
