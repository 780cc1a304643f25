// Learning cards and the frame they share with the other worksheets:
// preview and printed positions, exchange, clipboard, printing and its
// confirmation, a PDF page checked with pdftotext, a failing print job.

#include "ui/canvas.h"
#include "worksheets/drucken1.h"
#include "worksheettest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList kNames = {"derBAUM.bmp", "derHund.bmp",  "dieKatze.bmp", "dasAuto.bmp",
                            "dieMaus.bmp", "derTisch.bmp", "dieSonne.bmp", "dasHaus.bmp",
                            "derZug.bmp",  "dieBlume.bmp", "dasEi.bmp"};

drucken1 *open(WindowFixture &f, bool printer = true) {
    wt::setPictures(f.dir, f.p, kNames);
    f.p.options[Option::Druckerausgabe] = printer;
    return f.open<drucken1>(ScreenId::Drucken1);
}

} // namespace

class Drucken1Test : public QObject {
    Q_OBJECT
private slots:
    void previewPositions() {
        WindowFixture f;
        drucken1 *w = open(f);
        // Sorted by file name: Auto, Ei, Haus (das), BAUM, Hund, Tisch, Zug (der), Blume, Katze.
        // Drawing reads the page alone and leaves the window as it is.
        auto *liste = control<QListWidget>(w, "Liste1");
        auto *bilder = control<QListWidget>(w, "Bilder1");
        liste->setCurrentRow(3);
        bilder->setCurrentRow(5);
        RecordingSurface s;
        w->previewRoutine(s, w->page());
        QCOMPARE(liste->currentRow(), 3);
        QCOMPARE(bilder->currentRow(), 5);
        const auto t = wt::texts(s);
        QCOMPARE(t.size(), 18);
        QCOMPARE(t[0], qMakePair(QStringLiteral("Auto"), QPoint(300, 200)));
        QCOMPARE(t[1], qMakePair(QStringLiteral("das"), QPoint(3200, 200)));
        QCOMPARE(t[6], qMakePair(QStringLiteral("Baum"), QPoint(300, 2300)));
        QCOMPARE(t[11], qMakePair(QStringLiteral("der"), QPoint(3200, 3700)));
        QCOMPARE(t[16], qMakePair(QStringLiteral("Katze"), QPoint(300, 5800)));
        const auto pics = wt::pictures(s), b = wt::boxes(s);
        QCOMPARE(pics.size(), 9);
        QCOMPARE(pics[8], QRect(4200, 5700, 700, 700));
        QCOMPARE(b.size(), 9);
        QCOMPARE(b.first(), QRect(QPoint(100, 100), QPoint(5200, 800)));
        QCOMPARE(b.last(), QRect(QPoint(100, 5700), QPoint(5200, 6400)));
    }

    void printedPage() {
        WindowFixture f;
        drucken1 *w = open(f);
        RecordingSurface s;
        int calls = 0;
        wt::printInto(w, s, &calls);
        wt::press(w, "Command5");
        QCOMPARE(calls, 1);
        QCOMPARE(wt::textAt(s, "Baum"), QPoint(1500, 6000 - 200));
        QCOMPARE(wt::textAt(s, "Hund"), QPoint(1500, 7500 - 200));
        const auto t = wt::texts(s);
        QCOMPARE(t[1], qMakePair(QStringLiteral("d a s"), QPoint(6500, 1300)));
        QCOMPARE(t[11].first, QStringLiteral("d e r"));
        for (const auto &op : wt::opsOf(s, wt::Op::Text))
            QVERIFY(op.points == 32.0 && !op.bold && op.colour == QColor(Qt::black));
        QCOMPARE(wt::pictures(s).first(), QRect(8500, 1100, 1300, 1300));
        const auto b = wt::boxes(s);
        QCOMPARE(b.size(), 9);
        QCOMPARE(b.first(), QRect(QPoint(1000, 1000), QPoint(11000, 2500)));
        QCOMPARE(b.last(), QRect(QPoint(1000, 13000), QPoint(11000, 14500)));
        for (int i = 1; i < b.size(); ++i)
            QCOMPARE(b[i].top(), b[i - 1].bottom()); // no gaps between the strips
        QVERIFY(wt::lines(s).isEmpty());             // no fold line
        QCOMPARE(f.boxes(), 1);
        QCOMPARE(f.box(), "Kalimbo (Lernkärtchen) | Die Lernkärtchen werden gedruckt ...\r\r");
        QCOMPARE(f.p.dialogsRec.last().icon, Dialogs::Information);
    }

    // With "Druckerausgabe ein" off the teacher is asked first; No prints
    // nothing, and a job that fails says so and leaves the page as it was.
    void printOutcomes_data() {
        QTest::addColumn<bool>("printer");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("target"); // "" records the page, else a PDF path
        QTest::addColumn<int>("calls");
        QTest::addColumn<QString>("says");
        const QString ask = "Kalimbo (Lernkärtchen drucken) | Der Drucker wurde unter Optionen "
                            "deaktiviert.\rWollen Sie trotzdem drucken, ist das Gerät ein?\r\r";
        const QString done = "Kalimbo (Lernkärtchen) | Die Lernkärtchen werden gedruckt ...\r\r";
        QTest::newRow("off, No") << false << QList<bool>{false} << "" << 0 << ask;
        QTest::newRow("off, Yes") << false << QList<bool>{true} << "" << 1 << done;
        QTest::newRow("on, failing job")
            << true << QList<bool>{} << "/nonexistent-kalimbo-dir/sub/x.pdf" << 0
            << "Kalimbo (Lernkärtchen) | Die Seite konnte nicht gedruckt werden.\r";
    }
    void printOutcomes() {
        QFETCH(bool, printer);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, target);
        QFETCH(int, calls);
        QFETCH(QString, says);
        WindowFixture f;
        drucken1 *w = open(f, printer);
        wt::press(w, "Command6");
        const QStringList before = w->cards();
        RecordingSurface s;
        int jobs = 0;
        if (target.isEmpty())
            wt::printInto(w, s, &jobs);
        else
            wt::printToFile(w, target);
        f.p.dialogsRec.answers << answers;
        wt::press(w, "Command5");
        if (!printer) {
            const auto &question = f.p.dialogsRec.boxes.first();
            QVERIFY(question.yesNo && question.defaultNo);
        }
        QCOMPARE(jobs, calls);
        QCOMPARE(f.boxes(), int(answers.size()) + (answers.value(0, true) ? 1 : 0));
        QVERIFY2(f.box().startsWith(says), qPrintable(f.box()));
        if (!target.isEmpty())
            QCOMPARE(f.p.dialogsRec.last().icon, Dialogs::Warning);
        QCOMPARE(w->cards(), before);
        QCOMPARE(w->pageStart(), 2);
        QVERIFY(w->isVisible());
    }

    void exchange() {
        WindowFixture f;
        drucken1 *w = open(f);
        wt::press(w, "Command6");
        QCOMPARE(w->pageStart(), 2);
        const QStringList before = w->cards();
        // The source, entry 2 of the picture list, is on the page already.
        auto *bilder = control<QListWidget>(w, "Bilder1");
        auto *liste = control<QListWidget>(w, "Liste1");
        bilder->setCurrentRow(2);
        liste->setCurrentRow(4);
        wt::press(w, "Command3");
        QCOMPARE(f.box(), "Bild einfügen | Das Bild ist schon vorhanden!\r\r");
        QCOMPARE(w->cards(), before);

        // Entry 0 is not: card 4 takes it, the page start stays.
        f.p.dialogsRec.clear();
        bilder->setCurrentRow(0);
        liste->setCurrentRow(4);
        wt::press(w, "Command3");
        QCOMPARE(f.boxes(), 0);
        QStringList expected = before;
        expected[4] = bilder->item(0)->text();
        QCOMPARE(w->cards(), expected);
        QCOMPARE(w->pageStart(), 2);
        RecordingSurface s;
        w->previewRoutine(s, w->page());
        QCOMPARE(wt::texts(s)[8].first, QStringLiteral("Auto"));
        // The next page change drops the exchange.
        wt::press(w, "Command6");
        wt::press(w, "Command7");
        QCOMPARE(w->cards(), before);
    }

    // The clipboard gets the preview as drawn; a picture file changed or gone
    // meanwhile shows at the next activation.
    void clipboardAndReload() {
        WindowFixture f;
        drucken1 *w = open(f);
        auto *preview = control<Canvas>(w, "Picture1");
        auto firstCard = [preview] {
            return QColor(preview->snapshot().pixel(4550 / 15, 450 / 15));
        };
        QGuiApplication::clipboard()->clear();
        wt::press(w, "Command8");
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), preview->size()); // not the number strip
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
                 preview->snapshot().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(QColor(copied.pixel(100 / 15, 300 / 15)), QColor(Qt::black)); // a box outline
        QCOMPARE(firstCard(), QColor(0, 0, 200));
        QCOMPARE(f.box(), "Kalimbo(Ablage) | Die Seite wurde in die Ablage kopiert.\r");

        wt::press(w, "Command1");
        f.dir.addPicture("dasAuto.bmp", QSize(20, 20), QColor(0, 200, 0));
        f.open<drucken1>(ScreenId::Drucken1);
        QCOMPARE(firstCard(), QColor(0, 200, 0));
        // A file that has gone leaves an empty rectangle; the page is drawn all the same.
        wt::press(w, "Command1");
        f.dir.remove("dasAuto.bmp");
        f.open<drucken1>(ScreenId::Drucken1);
        QCOMPARE(firstCard(), QColor(Qt::white));
        QCOMPARE(w->cards().first(), QStringLiteral("dasAuto.bmp"));
    }

    void pdfPage() {
        if (!wt::havePdfTools())
            QSKIP("pdftotext/pdfinfo (poppler-utils) not installed");
        WindowFixture f;
        drucken1 *w = open(f);
        QTemporaryDir out;
        const QString file = out.filePath("cards.pdf");
        wt::printToFile(w, file);
        wt::press(w, "Command5");
        QCOMPARE(wt::pdfPages(file), 1);
        const auto words = wt::pdfWords(file);
        QCOMPARE(words.size(), 9 * 4);
        const double m = wt::kMarginTw;
        const QRectF baum = wt::find(words, "Baum");
        QVERIFY2(!baum.isNull(), "noun not found on the page");
        QVERIFY(qAbs(baum.left() - (1500 + m)) < 120);
        QVERIFY2(qAbs(baum.top() - (5800 + m)) < 200, qPrintable(QString::number(baum.top() - m)));
        QVERIFY(baum.height() > 450 && baum.height() < 900);               // 32 pt: about 640 twips
        QVERIFY(qAbs(wt::find(words, "Katze").top() - (13300 + m)) < 200); // ninth strip
        int spacedD = 0;
        for (const auto &wd : words) {
            QVERIFY(wd.twips.bottom() < 14500 + m);
            spacedD += wd.text == "d" && qAbs(wd.twips.left() - (6500 + m)) < 120;
        }
        QCOMPARE(spacedD, 9); // every card's article, letter-spaced, left at 6500
    }
};

QTEST_MAIN(Drucken1Test)
#include "drucken1_test.moc"
