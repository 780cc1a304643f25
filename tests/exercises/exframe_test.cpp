// The exercise frame as the reading screen uses it: passes without repeats,
// leaving and closing, the placement of the single frame, missing pictures,
// the picture switch and the word strip.

#include "exercises/Form2.h"
#include "platform/canvas.h"
#include "platform/twips.h"
#include "support/fakeprogram.h"
#include "support/picturedir.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSet>
#include <QtTest>

class ExFrameTest : public QObject {
    Q_OBJECT
private slots:
    void passHasNoRepeats();
    void abbruchKeepsPassTitleBarStartsNew();
    void placement_data();
    void placement();
    void missingOrDamagedPicture_data();
    void missingOrDamagedPicture();
    void pictureSwitchFollowsMenuBothWays();
    void holdingMouseShowsPicturesWhenOff();
    void helpText();
    void stripColoursAndLongNounCut();
};

static Form2 *openForm2(FakeProgram &p) {
    p.showScreen(ScreenId::Form2);
    return screenAs<Form2>(p, ScreenId::Form2);
}

void ExFrameTest::passHasNoRepeats() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg"});
    p.randomRec.script << 0.99 << 0.0 << 0.5 << 0.4; // last: first of the new pass
    Form2 *w = openForm2(p);
    for (int i = 0; i < 3; ++i)
        w->Command2->click();
    const QStringList lesen = p.log(LogList::Lesen);
    QCOMPARE(lesen, (QStringList{"Haus", "Hund", "Katze", "Katze"}));
    QCOMPARE(w->List1.size(), 2); // the new pass took one
    QCOMPARE(w->Label1, QStringLiteral("die Katze"));
}

void ExFrameTest::abbruchKeepsPassTitleBarStartsNew() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg"});
    Form2 *w = openForm2(p);
    QCOMPARE(w->List1.size(), 2);
    w->Command1->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(p.menuShows, 1);
    QVERIFY(w->Image1->picture().isNull() && w->Image3.isNull());
    QCOMPARE(openForm2(p), w); // same window, same pass
    QCOMPARE(w->List1.size(), 1);

    w->closeByTitleBar();
    QCOMPARE(p.menuShows, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!p.existing(ScreenId::Form2));
    Form2 *fresh = openForm2(p);
    QCOMPARE(fresh->List1.size(), 2); // a new pass
}

void ExFrameTest::placement_data() {
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QRect>("frame"); // twips
    QTest::newRow("small") << QSize(200, 134) << QRect(3900, 1695, 3000, 2010);
    QTest::newRow("wide squeezed") << QSize(534, 200) << QRect(2760, 1200, 5280, 3000);
    QTest::newRow("tall squeezed") << QSize(100, 400) << QRect(4650, 60, 1500, 5280);
    QTest::newRow("huge") << QSize(4000, 3000) << QRect(2760, 60, 5280, 5280);
}

void ExFrameTest::placement() {
    QFETCH(QSize, pixels);
    QFETCH(QRect, frame);
    PictureDir dir;
    dir.addPicture("derHund.jpg", pixels);
    FakeProgram p;
    p.setNouns({"derHund.jpg"});
    p.options[Option::BilderBeiNomen] = true;
    Form2 *w = openForm2(p);
    QCOMPARE(w->Image1->twipsRect(), frame);
    QCOMPARE(w->Image1->geometry(),
             twips::pxRect(frame.left(), frame.top(), frame.width(), frame.height()));
    QVERIFY(!w->Image1->picture().isNull());
    QVERIFY(w->Image2->picture().isNull());
    QCOMPARE(int(p.pictureWidth), qMin(32767, pixels.width() * 15));
    QCOMPARE(int(p.pictureHeight), qMin(32767, pixels.height() * 15));
}

void ExFrameTest::missingOrDamagedPicture_data() {
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("damaged") << QByteArray("\xFF\xD8\xFF garbage", 12);
}

void ExFrameTest::missingOrDamagedPicture() {
    QFETCH(QByteArray, bytes);
    PictureDir dir;
    if (!bytes.isEmpty())
        dir.addFile("derHund.jpg", bytes);
    dir.addPicture("dieKatze.jpg");
    FakeProgram p;
    p.setNouns({"derHund.jpg", "dieKatze.jpg"});
    p.options[Option::BilderBeiNomen] = true;
    p.randomRec.pushIndex(0, 2);
    Form2 *w = openForm2(p);
    QCOMPARE(w->Label1, QStringLiteral("der Hund"));
    QVERIFY(w->Image1->isPlaceholder());
    QCOMPARE(w->Image1->twipsRect(), QRect(2760, 60, 5280, 5280)); // centred on (5400, 2700)
    QCOMPARE(int(p.pictureWidth), 0);
    w->grab(); // painting the placeholder must not fail
    w->Command2->click();
    QCOMPARE(p.log(LogList::Lesen), (QStringList{"Hund", "Katze"}));
    QVERIFY(!w->Image1->isPlaceholder());
    QVERIFY(!w->Image1->picture().isNull());
}

void ExFrameTest::pictureSwitchFollowsMenuBothWays() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg"});
    p.options[Option::BilderBeiNomen] = true;
    Form2 *w = openForm2(p);
    QVERIFY(w->Check1->isChecked());
    QVERIFY(w->Image1->isVisible());

    w->Check1->click(); // the child
    QVERIFY(!p.option(Option::BilderBeiNomen));
    QVERIFY(!w->Image1->isVisible() && !w->Image2->isVisible());

    w->setPictureSwitch(true); // the teacher on the main menu
    QVERIFY(w->Check1->isChecked());
    QVERIFY(p.option(Option::BilderBeiNomen));
    QVERIFY(w->Image1->isVisible());

    // Coming back takes the main menu's value again.
    w->Command1->click();
    p.options[Option::BilderBeiNomen] = false;
    openForm2(p);
    QVERIFY(!w->Check1->isChecked());
    QVERIFY(!w->Image1->isVisible());
}

void ExFrameTest::holdingMouseShowsPicturesWhenOff() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg"});
    Form2 *w = openForm2(p);
    QVERIFY(!w->Check1->isChecked());
    QVERIFY(!w->Image1->isVisible());
    QTest::mousePress(w->Picture1, Qt::LeftButton);
    QVERIFY(w->Image1->isVisible());
    QTest::mouseRelease(w->Picture1, Qt::LeftButton);
    QVERIFY(!w->Image1->isVisible());
    QCOMPARE(p.log(LogList::Lesen).size(), 1); // the strip shows the noun regardless

    w->Check1->setChecked(true);
    QTest::mousePress(w->Picture1, Qt::LeftButton);
    QTest::mouseRelease(w->Picture1, Qt::LeftButton);
    QVERIFY(w->Image1->isVisible());
}

void ExFrameTest::helpText() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg"});
    Form2 *w = openForm2(p);
    w->Command3->click();
    QCOMPARE(p.dialogsRec.boxes.size(), 1);
    QCOMPARE(p.dialogsRec.last().title, QStringLiteral("Hilfe zu Nomen"));
    const QString text = p.dialogsRec.last().text;
    QCOMPARE(text.count(QLatin1Char('\r')), 8);
    QVERIFY(text.startsWith("Auf der Startseite kann unter Optionen\reine dauerhafte"));
    QVERIFY(text.endsWith("dem Textfenster wieder einblenden. Mit\rLoslassen der Maus blenden "
                          "diese aus.\r\r"));
    QCOMPARE(p.log(LogList::Lesen).size(), 1); // help draws nothing
}

static int countColour(const QImage &img, const QColor &c, int fromX = 0) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = fromX; x < img.width(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}

void ExFrameTest::stripColoursAndLongNounCut() {
    PictureDir dir;
    FakeProgram p;
    const QString longNoun = "dieDonaudampfschifffahrtsgesellschaftskapitänsmütze-2.jpg";
    p.setNouns({longNoun});
    p.back = QColor(255, 255, 0);
    p.vowel = 12;    // light red
    p.consonant = 1; // blue
    Form2 *w = openForm2(p);
    const QImage img = w->Picture1->image();
    QCOMPARE(w->Picture1->size(), twips::pxRect(120, 5640, 10575, 1095).size());
    QCOMPARE(img.pixelColor(2, 2), QColor(255, 255, 0));
    QVERIFY(countColour(img, QColor(255, 0, 0)) > 0);
    QVERIFY(countColour(img, QColor(0, 0, 128)) > 0);
    // The word runs past the right edge: letters reach the last columns.
    const int edge = img.width() - img.width() / 20;
    QVERIFY(countColour(img, QColor(0, 0, 128), edge) + countColour(img, QColor(255, 0, 0), edge) >
            0);
    QCOMPARE(p.log(LogList::Lesen).value(0),
             QStringLiteral("Donaudampfschifffahrtsgesellschaftskapitänsmütze-2"));
}

QTEST_MAIN(ExFrameTest)
#include "exframe_test.moc"
