// Sound-exercise cards: default and chosen sounds, the three sound buttons,
// marking letters in Text1, sounds across exchange, printing and paging,
// and the tiling of the preview and the printed cards.

#include "drawing/picture.h"
#include "worksheets/drucken2.h"
#include "worksheettest.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
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
        QCOMPARE(text1->text(), drucken2::nounOf(entry));
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
        QCOMPARE(wt::textAt(preview, "SCH"),
                 QPoint(200 + 1300 * (k % 4), 100 + 1600 * (k / 4) + 1250));
        const RecordingSurface page = printed(w);
        QVERIFY(wt::textAt(page, "Sch").x() > 0);
        QVERIFY(wt::textAt(page, "sch").x() > 0);
        QCOMPARE(w->sounds()[k], QStringLiteral("SCH")); // printing keeps the sound
    }

    void exchangeKeepsTheSound() {
        WindowFixture f;
        drucken2 *w = open(f); // 20 pictures, page 0 holds the first 16
        auto *liste = control<QListWidget>(w, "Liste1");
        auto *bilder = control<QListWidget>(w, "Bilder1");
        liste->setCurrentRow(3);
        wt::press(w, "inlaut"); // BAUM: "A"
        QCOMPARE(w->sounds()[3], QStringLiteral("A"));
        bilder->setCurrentRow(18); // not on the page
        liste->setCurrentRow(3);
        wt::press(w, "Command3");
        QCOMPARE(w->cards()[3], bilder->item(18)->text());
        QCOMPARE(w->sounds()[3], QStringLiteral("A"));
        QCOMPARE(w->pageStart(), 0);
        // Activation brings the page and the default sounds back.
        wt::press(w, "Command1");
        f.open<drucken2>(ScreenId::Drucken2);
        QCOMPARE(w->cards()[3], QStringLiteral("derBAUM.bmp"));
        QCOMPARE(w->sounds()[3], QStringLiteral("B"));
    }

    // The default sounds and the tiling of the preview and the printed cards.
    void tiling() {
        WindowFixture f;
        drucken2 *w = open(f);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(w->sounds().value(i), drucken2::nounOf(w->cards()[i]).left(1).toUpper());
        QCOMPARE(control<QLineEdit>(w, "Text1")->text(),
                 drucken2::nounOf(w->cards()[15])); // the last card drawn
        RecordingSurface preview;
        w->previewRoutine(preview, w->page());
        const auto pb = wt::boxes(preview);
        QCOMPARE(pb.size(), 32);
        QCOMPARE(pb[0], QRect(QPoint(100, 100), QPoint(1400, 1700)));
        QCOMPARE(pb[30], QRect(QPoint(4000, 4900), QPoint(5300, 6500)));
        QCOMPARE(wt::pictures(preview)[5], QRect(1500 + 200, 1700 + 500, 700, 700));

        const RecordingSurface page = printed(w);
        const auto b = wt::boxes(page);
        QCOMPARE(b.size(), 32);
        QSet<int> tiles; // 16 different places on a 4 x 4 grid: no gaps, no overlaps
        for (int i = 0; i < 32; i += 2) {
            QCOMPARE(b[i].size(), QSize(2401, 3801)); // corner to corner: 2400 x 3800
            const int col = (b[i].left() - 1000) / 2400, row = (b[i].top() - 500) / 3800;
            QCOMPARE(b[i].topLeft(), QPoint(1000 + 2400 * col, 500 + 3800 * row));
            QVERIFY(col >= 0 && col < 4 && row >= 0 && row < 4);
            tiles << row * 4 + col;
            QCOMPARE(b[i + 1], QRect(QPoint(b[i].left() + 1400, b[i].top() + 3300),
                                     QPoint(b[i].left() + 2150, b[i].top() + 3600)));
        }
        QCOMPARE(tiles.size(), 16);
        // The writing lines of card 0: spacing 180, 240, 180.
        const auto l = wt::lines(page);
        QCOMPARE(l[0], QLine(1200, 700, 3200, 700));
        QCOMPARE(QList<int>({l[1].y1(), l[2].y1(), l[3].y1()}), QList<int>({880, 1120, 1300}));
        QCOMPARE(l[4], QLine(1200, 700, 1200, 1300));
        QCOMPARE(wt::pictures(page)[0], QRect(1500, 1500, 1500, 1700));
        for (const auto &op : wt::opsOf(page, wt::Op::Text))
            QVERIFY(op.points == 18.0 && !op.bold);
        const int katze = cardOf(w, "dieKatze.bmp");
        const int x = 1000 + 2400 * (katze % 4), y = 500 + 3800 * (katze / 4);
        QCOMPARE(wt::textAt(page, "K"), QPoint(x + 200, y + 2900));
        QCOMPARE(wt::textAt(page, "k"), QPoint(x + 200, y + 3250));
    }

    void eachPictureDecodedOncePerDrawing() {
        WindowFixture f;
        for (int i = 0; i < 16; ++i) {
            f.p.nouns << QStringLiteral("dasFoto%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
            f.dir.addPicture(f.p.nouns.last(), QSize(800, 600), QColor(0, 0, 200));
        }
        f.p.files = f.p.nouns;
        f.p.options[Option::Druckerausgabe] = true;
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
