// Learning cards and the frame they share with the other worksheets:
// preview and printed positions, exchange, clipboard, printing and its
// confirmation, a PDF page checked with pdftotext, a failing print job.

#include "platform/canvas.h"
#include "worksheets/drucken1.h"
#include "worksheettest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList kNames = {"derBAUM.bmp", "derHund.bmp", "dieKatze.bmp", "dasAuto.bmp",
                            "dieMaus.bmp", "derTisch.bmp", "dieSonne.bmp", "dasHaus.bmp",
                            "derZug.bmp", "dieBlume.bmp", "dasEi.bmp"};

struct Printed {
    int calls = 0;
    RecordingSurface page;
};

} // namespace

class Drucken1Test : public QObject {
    Q_OBJECT

    drucken1 *open(PictureDir &dir, FakeProgram &program)
    {
        wt::setPictures(dir, program, kNames);
        program.showScreen(ScreenId::Drucken1);
        return screenAs<drucken1>(program, ScreenId::Drucken1);
    }
    void record(drucken1 *w, Printed &printed)
    {
        w->printTarget = [&printed](const QString &, const QString &,
                                    const printing::PageRoutine &page) {
            ++printed.calls;
            page(printed.page);
            return printing::Outcome{printing::Outcome::Printed, {}, {}};
        };
    }

private slots:
    void previewPositions()
    {
        PictureDir dir;
        FakeProgram program;
        drucken1 *w = open(dir, program);
        // Sorted by file name: Auto, Ei, Haus (das), BAUM, Hund, Tisch, Zug (der), Blume, Katze.
        RecordingSurface s;
        w->previewRoutine(s);
        const auto t = wt::texts(s);
        QCOMPARE(t.size(), 18);
        QCOMPARE(t[0], qMakePair(QStringLiteral("Auto"), QPoint(300, 200)));
        QCOMPARE(t[1], qMakePair(QStringLiteral("das"), QPoint(3200, 200)));
        QCOMPARE(t[2], qMakePair(QStringLiteral("Ei"), QPoint(300, 900)));
        QCOMPARE(t[6], qMakePair(QStringLiteral("Baum"), QPoint(300, 2300)));
        QCOMPARE(t[11], qMakePair(QStringLiteral("der"), QPoint(3200, 3700)));
        QCOMPARE(t[16], qMakePair(QStringLiteral("Katze"), QPoint(300, 5800)));
        const auto pics = wt::pictures(s);
        QCOMPARE(pics.size(), 9);
        QCOMPARE(pics[0], QRect(4200, 100, 700, 700));
        QCOMPARE(pics[8], QRect(4200, 5700, 700, 700));
        const auto b = wt::boxes(s);
        QCOMPARE(b.size(), 9);
        QCOMPARE(b.first(), QRect(QPoint(100, 100), QPoint(5200, 800)));
        QCOMPARE(b.last(), QRect(QPoint(100, 5700), QPoint(5200, 6400)));
        // The last card drawn stays selected, the picture list is back at its first entry.
        QCOMPARE(w->Liste1->currentRow(), 8);
        QCOMPARE(w->Bilder1->currentRow(), 0);
    }

    void printedPage()
    {
        PictureDir dir;
        FakeProgram program;
        program.options[Option::Druckerausgabe] = true;
        drucken1 *w = open(dir, program);
        Printed printed;
        record(w, printed);
        QTest::mouseClick(w->Command5, Qt::LeftButton);
        QCOMPARE(printed.calls, 1);
        const RecordingSurface &s = printed.page;
        QCOMPARE(wt::textAt(s, "Baum"), QPoint(1500, 6000 - 200));
        QCOMPARE(wt::textAt(s, "Hund"), QPoint(1500, 7500 - 200));
        const auto t = wt::texts(s);
        QCOMPARE(t[1].first, QStringLiteral("d a s"));
        QCOMPARE(t[1].second, QPoint(6500, 1300));
        QCOMPARE(t[11].first, QStringLiteral("d e r"));
        for (const auto &op : wt::opsOf(s, wt::Op::Text)) {
            QCOMPARE(op.points, 32.0);
            QVERIFY(!op.bold);
            QCOMPARE(op.colour, QColor(Qt::black));
        }
        QCOMPARE(wt::pictures(s).first(), QRect(8500, 1100, 1300, 1300));
        const auto b = wt::boxes(s);
        QCOMPARE(b.size(), 9);
        QCOMPARE(b.first(), QRect(QPoint(1000, 1000), QPoint(11000, 2500)));
        QCOMPARE(b.last(), QRect(QPoint(1000, 13000), QPoint(11000, 14500)));
        for (int i = 1; i < b.size(); ++i)
            QCOMPARE(b[i].top(), b[i - 1].bottom()); // no gaps between the strips
        QVERIFY(wt::lines(s).isEmpty()); // no fold line
        QCOMPARE(w->Liste1->currentRow(), 8);
        QCOMPARE(w->Bilder1->currentRow(), 0);
        QCOMPARE(program.dialogsRec.boxes.size(), 1);
        QCOMPARE(program.dialogsRec.last().text,
                 QStringLiteral("Die Lernkärtchen werden gedruckt ...\r\r"));
        QCOMPARE(program.dialogsRec.last().title, QStringLiteral("Kalimbo (Lernkärtchen)"));
        QCOMPARE(program.dialogsRec.last().icon, Dialogs::Information);
    }

    void confirmation_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("No prints nothing") << false;
        QTest::newRow("Yes prints") << true;
    }
    void confirmation()
    {
        QFETCH(bool, answer);
        PictureDir dir;
        FakeProgram program; // "Druckerausgabe ein" is off
        drucken1 *w = open(dir, program);
        Printed printed;
        record(w, printed);
        program.dialogsRec.answers << answer;
        QTest::mouseClick(w->Command5, Qt::LeftButton);
        const auto &ask = program.dialogsRec.boxes.first();
        QVERIFY(ask.yesNo);
        QVERIFY(ask.defaultNo);
        QCOMPARE(ask.text, QStringLiteral("Der Drucker wurde unter Optionen deaktiviert.\r"
                                          "Wollen Sie trotzdem drucken, ist das Gerät ein?\r\r"));
        QCOMPARE(ask.title, QStringLiteral("Kalimbo (Lernkärtchen drucken)"));
        QCOMPARE(printed.calls, answer ? 1 : 0);
        QCOMPARE(program.dialogsRec.boxes.size(), answer ? 2 : 1);
    }

    void exchange()
    {
        PictureDir dir;
        FakeProgram program;
        drucken1 *w = open(dir, program);
        QTest::mouseClick(w->Command6, Qt::LeftButton);
        QCOMPARE(w->pageStart(), 2);
        const QStringList before = w->cards();
        // The source, entry 2 of the picture list, is on the page already.
        w->Bilder1->setCurrentRow(2);
        w->Liste1->setCurrentRow(4);
        QTest::mouseClick(w->Command3, Qt::LeftButton);
        QCOMPARE(program.dialogsRec.lastText(), QStringLiteral("Das Bild ist schon vorhanden!\r\r"));
        QCOMPARE(program.dialogsRec.last().title, QStringLiteral("Bild einfügen"));
        QCOMPARE(w->cards(), before);

        // Entry 0 is not: card 4 takes it, the page start stays.
        program.dialogsRec.clear();
        w->Bilder1->setCurrentRow(0);
        w->Liste1->setCurrentRow(4);
        QTest::mouseClick(w->Command3, Qt::LeftButton);
        QVERIFY(program.dialogsRec.boxes.isEmpty());
        QStringList expected = before;
        expected[4] = w->Bilder1->item(0)->text();
        QCOMPARE(w->cards(), expected);
        QCOMPARE(w->pageStart(), 2);
        RecordingSurface s;
        w->previewRoutine(s);
        QCOMPARE(wt::texts(s)[8].first, QStringLiteral("Auto"));
        // The next page change drops the exchange.
        QTest::mouseClick(w->Command6, Qt::LeftButton);
        QTest::mouseClick(w->Command7, Qt::LeftButton);
        QCOMPARE(w->cards(), before);
    }

    void clipboardGetsThePreview()
    {
        PictureDir dir;
        FakeProgram program;
        drucken1 *w = open(dir, program);
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(w->Command8, Qt::LeftButton);
        const QImage copied = QGuiApplication::clipboard()->image();
        QVERIFY(!copied.isNull());
        const QImage preview = w->Picture1->snapshot();
        QCOMPARE(copied.size(), w->Picture1->size()); // not the number strip
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
                 preview.convertToFormat(QImage::Format_RGB32));
        // The preview is drawn: a box outline and the blue picture of the first card.
        QCOMPARE(QColor(copied.pixel(100 / 15, 300 / 15)), QColor(Qt::black));
        QCOMPARE(QColor(copied.pixel(4550 / 15, 450 / 15)), QColor(0, 0, 200));
        QCOMPARE(program.dialogsRec.lastText(),
                 QStringLiteral("Die Seite wurde in die Ablage kopiert.\r"));
        QCOMPARE(program.dialogsRec.last().title, QStringLiteral("Kalimbo(Ablage)"));
    }

    void changedFileIsReloaded()
    {
        PictureDir dir;
        FakeProgram program;
        drucken1 *w = open(dir, program);
        auto pixelOfFirstCard = [w] {
            return QColor(w->Picture1->snapshot().pixel(4550 / 15, 450 / 15));
        };
        QCOMPARE(pixelOfFirstCard(), QColor(0, 0, 200));
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        dir.addPicture("dasAuto.bmp", QSize(20, 20), QColor(0, 200, 0));
        program.showScreen(ScreenId::Drucken1);
        QCOMPARE(pixelOfFirstCard(), QColor(0, 200, 0));
        // A file that has gone leaves an empty rectangle; the page is drawn all the same.
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        dir.remove("dasAuto.bmp");
        program.showScreen(ScreenId::Drucken1);
        QCOMPARE(pixelOfFirstCard(), QColor(Qt::white));
        QCOMPARE(w->cards().first(), QStringLiteral("dasAuto.bmp"));
    }

    void pdfPage()
    {
        if (!wt::havePdfTools())
            QSKIP("pdftotext/pdfinfo (poppler-utils) not installed");
        PictureDir dir;
        FakeProgram program;
        program.options[Option::Druckerausgabe] = true;
        drucken1 *w = open(dir, program);
        QTemporaryDir out;
        const QString file = out.filePath("cards.pdf");
        w->printTarget = [&file](const QString &doc, const QString &,
                                 const printing::PageRoutine &page) {
            return printing::printToPdf(file, doc, page);
        };
        QTest::mouseClick(w->Command5, Qt::LeftButton);
        QCOMPARE(wt::pdfPages(file), 1);
        const auto words = wt::pdfWords(file);
        auto find = [&](const QString &text) {
            for (const auto &wd : words)
                if (wd.text == text)
                    return wd.twips;
            return QRectF();
        };
        const double m = wt::kMarginTw;
        const QRectF baum = find("Baum");
        QVERIFY2(!baum.isNull(), "noun not found on the page");
        QVERIFY(qAbs(baum.left() - (1500 + m)) < 120);
        QVERIFY2(qAbs(baum.top() - (5800 + m)) < 200, qPrintable(QString::number(baum.top() - m)));
        // 32 pt text: about 640 twips high.
        QVERIFY(baum.height() > 450 && baum.height() < 900);
        const QRectF katze = find("Katze"); // ninth strip, 1500 * 9 - 200
        QVERIFY(qAbs(katze.top() - (13300 + m)) < 200);
        int spacedD = 0;
        for (const auto &wd : words) {
            QVERIFY(wd.twips.bottom() < 14500 + m);
            if (wd.text == "d" && qAbs(wd.twips.left() - (6500 + m)) < 120)
                ++spacedD;
        }
        QCOMPARE(spacedD, 9); // every card's article, letter-spaced, left at 6500
        QVERIFY(words.size() == 9 * 4);
    }

    void failingJob()
    {
        PictureDir dir;
        FakeProgram program;
        program.options[Option::Druckerausgabe] = true;
        drucken1 *w = open(dir, program);
        QTest::mouseClick(w->Command6, Qt::LeftButton);
        const QStringList before = w->cards();
        w->printTarget = [](const QString &doc, const QString &, const printing::PageRoutine &page) {
            return printing::printToPdf("/nonexistent-kalimbo-dir/sub/x.pdf", doc, page);
        };
        QTest::mouseClick(w->Command5, Qt::LeftButton);
        QCOMPARE(program.dialogsRec.boxes.size(), 1);
        QVERIFY(program.dialogsRec.lastText().startsWith("Die Seite konnte nicht gedruckt werden.\r"));
        QCOMPARE(program.dialogsRec.last().icon, Dialogs::Warning);
        QCOMPARE(w->cards(), before);
        QCOMPARE(w->pageStart(), 2);
        QVERIFY(w->isVisible());
    }
};

QTEST_MAIN(Drucken1Test)
#include "drucken1_test.moc"
