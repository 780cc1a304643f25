// Sound-exercise cards: default and chosen sounds, the three sound buttons,
// marking letters in Text1, sounds across exchange, printing and paging,
// the printed writing lines, and decoding each picture once.

#include "core/nouns.h"
#include "drawing/picture.h"
#include "worksheets/drucken2.h"
#include "worksheettest.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

QStringList sixteen() {
    return {"dasAuto.bmp",  "dasEi.bmp",       "dasHaus.bmp",  "derBAUM.bmp",    "derElefant.bmp",
            "derHund.bmp",  "derTisch.bmp",    "derZug.bmp",   "dieBlume.bmp",   "dieKatze.bmp",
            "dieMaus.bmp",  "dieSCHAUFEL.bmp", "dieSonne.bmp", "dieTür.bmp",     "dieUhr.bmp",
            "dieÄpfel.bmp", "dieZange.bmp",    "dieZiege.bmp", "dieZwiebel.bmp", "dieZunge.bmp"};
}

int cardOf(drucken2 *w, const QString &entry) {
    return w->cards().indexOf(entry);
}

} // namespace

class Drucken2Test : public QObject {
    Q_OBJECT

    static drucken2 *open(WindowFixture &f) {
        return wt::openSheet<drucken2>(f, ScreenId::Drucken2, sixteen());
    }
    static RecordingSurface printed(drucken2 *w) {
        RecordingSurface rec;
        wt::printInto(w, rec);
        wt::press(w, "Command5");
        return rec;
    }

private slots:
    void soundButtons_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("middle");
        QTest::addColumn<QString>("last");
        auto row = [](const char *entry, const char *first, const char *middle, const char *last) {
            QTest::newRow(entry) << QString(entry) << QString(first) << QString(middle)
                                 << QString(last);
        };
        row("derElefant.bmp", "E", "f", "t");
        row("dieKatze.bmp", "K", "a", "e");
        row("dieSCHAUFEL.bmp", "S", "A", "L"); // the file's case is kept
        row("dieÄpfel.bmp", "Ä", "p", "l");
    }
    void soundButtons() {
        QFETCH(QString, entry);
        QFETCH(QString, first);
        QFETCH(QString, middle);
        QFETCH(QString, last);
        // Halves round to the even neighbour; a one-letter noun offers its letter.
        QCOMPARE(drucken2::middlePosition(9), 4);
        QCOMPARE(drucken2::middlePosition(11), 6);
        QCOMPARE(drucken2::middlePosition(1), 1);
        WindowFixture f;
        drucken2 *w = open(f);
        const int k = cardOf(w, entry);
        QVERIFY(k >= 0);
        auto *text1 = control<QLineEdit>(w, "Text1");
        control<QListWidget>(w, "Liste1")->setCurrentRow(k);
        QCOMPARE(control<QListWidget>(w, "Laute1")->currentRow(), k);
        QCOMPARE(control<QPushButton>(w, "anlaut")->text(), first);
        QCOMPARE(control<QPushButton>(w, "inlaut")->text(), middle);
        QCOMPARE(control<QPushButton>(w, "auslaut")->text(), last);
        QCOMPARE(text1->text(), nouns::stemOf(entry));
        QVERIFY(!text1->hasSelectedText());

        wt::press(w, "auslaut");
        QCOMPARE(w->sounds().at(k), last);
        wt::press(w, "Command7"); // a page change: defaults again
        wt::press(w, "Command6");
        QCOMPARE(w->sounds().at(k), drucken2::defaultSound(entry));
    }

    void markedLetters() {
        WindowFixture f;
        drucken2 *w = open(f);
        const int k = cardOf(w, "dieSCHAUFEL.bmp");
        auto *liste = control<QListWidget>(w, "Liste1");
        auto *text1 = control<QLineEdit>(w, "Text1");
        liste->setCurrentRow(k);
        // A click without marking anything leaves the sound.
        QTest::mouseClick(text1, Qt::LeftButton);
        QCOMPARE(w->sounds()[k], QStringLiteral("S"));
        // Marking SCH and letting the mouse button up takes it.
        liste->setCurrentRow(k);
        text1->setSelection(0, 3);
        QTest::mouseRelease(text1, Qt::LeftButton);
        QCOMPARE(w->sounds()[k], QStringLiteral("SCH"));
        RecordingSurface preview;
        w->previewRoutine(preview, w->page());
        QVERIFY(wt::hasText(preview, "SCH")); // unchanged on screen
        const RecordingSurface page = printed(w);
        QVERIFY(wt::hasText(page, "Sch"));
        QVERIFY(wt::hasText(page, "sch"));
        QCOMPARE(w->sounds()[k], QStringLiteral("SCH")); // printing keeps the sound
    }

    void exchangeKeepsTheSound() {
        WindowFixture f;
        drucken2 *w = open(f); // 20 pictures, page 0 holds the first 16
        auto *liste = control<QListWidget>(w, "Liste1");
        auto *bilder = control<QListWidget>(w, "Bilder1");
        liste->setCurrentRow(3);
        wt::press(w, "inlaut");    // BAUM: "A"
        bilder->setCurrentRow(18); // not on the page
        liste->setCurrentRow(3);
        wt::press(w, "Command3");
        QCOMPARE(w->cards()[3], bilder->item(18)->text());
        QCOMPARE(w->sounds()[3], QStringLiteral("A"));
        // Activation brings the page and the default sounds back.
        wt::press(w, "Command1");
        f.open<drucken2>(ScreenId::Drucken2);
        QCOMPARE(w->cards()[3], QStringLiteral("derBAUM.bmp"));
        QCOMPARE(w->sounds()[3], QStringLiteral("B"));
    }

    // A fresh page: each card's sound is its noun's first letter, and the
    // last card drawn is the selected one. Printed writing lines: spacing 180, 240, 180.
    void defaultSoundsAndWritingLines() {
        WindowFixture f;
        drucken2 *w = open(f);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(w->sounds().value(i), nouns::stemOf(w->cards()[i]).left(1).toUpper());
        QCOMPARE(control<QLineEdit>(w, "Text1")->text(), nouns::stemOf(w->cards()[15]));
        const auto l = wt::lines(printed(w));
        QCOMPARE(l.mid(0, 6), (QList<QLine>{{1200, 700, 3200, 700},
                                            {1200, 880, 3200, 880},
                                            {1200, 1120, 3200, 1120},
                                            {1200, 1300, 3200, 1300},
                                            {1200, 700, 1200, 1300},
                                            {3200, 700, 3200, 1300}}));
    }

    void eachPictureDecodedOncePerDrawing() {
        WindowFixture f;
        QStringList nouns;
        for (int i = 0; i < 16; ++i) {
            nouns << QStringLiteral("dasFoto%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
            f.dir.addPicture(nouns.last(), QSize(800, 600), QColor(0, 0, 200));
        }
        f.p.setNouns(nouns);
        f.p.setOption(Option::Druckerausgabe, true);
        long before = Picture::decodeCount();
        auto *w = f.open<drucken2>(ScreenId::Drucken2);
        QCOMPARE(Picture::decodeCount() - before, 16L);
        before = Picture::decodeCount();
        wt::press(w, "anlaut"); // redraws: the decoded pictures serve
        QCOMPARE(Picture::decodeCount() - before, 0L);
        wt::press(w, "Command1"); // away and back, files unchanged
        f.open<drucken2>(ScreenId::Drucken2);
        QCOMPARE(Picture::decodeCount() - before, 0L);
        QTemporaryDir out;
        wt::printToFile(w, out.filePath("p.pdf"));
        before = Picture::decodeCount();
        wt::press(w, "Command5");
        QCOMPARE(Picture::decodeCount() - before, 16L); // once more, at the printer's resolution
        before = Picture::decodeCount();
        w->vorschau(); // printing kept the preview's images
        QCOMPARE(Picture::decodeCount() - before, 0L);
    }
};

QTEST_MAIN(Drucken2Test)
#include "drucken2_test.moc"
