// Learning cards and the frame they share with the other worksheets: where
// each worksheet draws on screen and on paper, exchange, clipboard, printing
// and its confirmation, a PDF page checked with pdftotext, a failing print job.

#include "ui/canvas.h"
#include "worksheets/drucken1.h"
#include "worksheettest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// Sorted as the file list sorts them; the first nine make the cards' page.
const QStringList kNames = {"dasAuto.bmp",  "dasEi.bmp",    "dasHaus.bmp",  "derBAUM.bmp",
                            "derHund.bmp",  "derTisch.bmp", "derZug.bmp",   "dieBlume.bmp",
                            "dieKATZE.bmp", "dieMaus.bmp",  "dieSonne.bmp", "dieUhr.bmp",
                            "dieZange.bmp", "dieZiege.bmp", "dieZunge.bmp", "dieZwiebel.bmp"};

drucken1 *open(WindowFixture &f, bool printer = true) {
    wt::setPictures(f.dir, f.p, kNames);
    f.p.setOption(Option::Druckerausgabe, printer);
    return f.open<drucken1>(ScreenId::Drucken1);
}

/// A box outline from corner to corner.
QRect corners(int x1, int y1, int x2, int y2) {
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

using Texts = QList<QPair<QString, QPoint>>;

} // namespace

class Drucken1Test : public QObject {
    Q_OBJECT
private slots:
    // First and last text, box and picture of each worksheet on screen and on
    // paper; how many texts, lines, boxes and pictures; the printed font and message.
    void geometry_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<Texts>("texts");
        QTest::addColumn<QList<QRect>>("boxes");    // the first and the last
        QTest::addColumn<QList<QRect>>("pictures"); // the first and the last
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<double>("points"); // 0: the preview
        QTest::addColumn<QString>("says");
        auto row = [](const char *name, ScreenId id, const Texts &texts, const QList<QRect> &boxes,
                      const QList<QRect> &pictures, const QList<int> &counts, double points = 0,
                      const char *says = "") {
            QTest::newRow(name) << int(id) << texts << boxes << pictures << counts << points
                                << QString(says);
        };
        row("cards, preview", ScreenId::Drucken1, {{"Auto", {300, 200}}, {"die", {3200, 5800}}},
            {corners(100, 100, 5200, 800), corners(100, 5700, 5200, 6400)},
            {{4200, 100, 700, 700}, {4200, 5700, 700, 700}}, {18, 0, 9, 9});
        row("cards, paper", ScreenId::Drucken1, {{"Auto", {1500, 1300}}, {"d i e", {6500, 13300}}},
            {corners(1000, 1000, 11000, 2500), corners(1000, 13000, 11000, 14500)},
            {{8500, 1100, 1300, 1300}, {8500, 13100, 1300, 1300}}, {18, 0, 9, 9}, 32,
            "Kalimbo (Lernkärtchen) | Die Lernkärtchen werden gedruckt ...\r\r");
        row("sounds, preview", ScreenId::Drucken2, {{"A", {200, 1350}}, {"Z", {4100, 6150}}},
            {corners(100, 100, 1400, 1700), corners(4750, 6200, 5200, 6400)},
            {{400, 600, 700, 700}, {4300, 5400, 700, 700}}, {16, 128, 32, 16});
        row("sounds, paper", ScreenId::Drucken2, {{"A", {1200, 3400}}, {"z", {8400, 15150}}},
            {corners(1000, 500, 3400, 4300), corners(9600, 15200, 10350, 15500)},
            {{1500, 1500, 1500, 1700}, {8700, 12900, 1500, 1700}}, {32, 128, 32, 16}, 18,
            "Kalimbo (Lautkärtchen) | Die Lautübungen werden gedruckt ...\r\r");
        row("writing, preview", ScreenId::Drucken3,
            {{"der die das", {200, 150}}, {"Katze", {200, 6150}}},
            {corners(100, 100, 2200, 800), corners(100, 5700, 2200, 6400)},
            {{1400, 100, 700, 700}, {1400, 5700, 700, 700}}, {18, 108, 9, 9});
        row("writing, paper", ScreenId::Drucken3,
            {{"der  die  das", {1200, 1100}}, {"Katze", {1200, 13900}}},
            {corners(1000, 1000, 5400, 2500), corners(1000, 13000, 5400, 14500)},
            {{3800, 1100, 1300, 1300}, {3800, 13100, 1300, 1300}}, {18, 108, 9, 9}, 16,
            "Kalimbo(Schreibübungen) | Das Arbeitsblatt wird gedruckt ...\r\r");
    }
    void geometry() {
        QFETCH(int, id);
        QFETCH(Texts, texts);
        QFETCH(QList<QRect>, boxes);
        QFETCH(QList<QRect>, pictures);
        QFETCH(QList<int>, counts);
        QFETCH(double, points);
        QFETCH(QString, says);
        WindowFixture f;
        auto *w = wt::openSheet<WorksheetFrame>(f, ScreenId(id), kNames);
        RecordingSurface s;
        if (points > 0) {
            wt::printInto(w, s);
            wt::press(w, "Command5");
            QCOMPARE(f.box(), says);
            for (const auto &op : wt::opsOf(s, wt::Op::Text))
                QVERIFY(op.points == points && !op.bold && op.colour == QColor(Qt::black));
        } else {
            // Drawing reads the page alone and leaves the window as it is.
            auto *liste = control<QListWidget>(w, "Liste1");
            auto *bilder = control<QListWidget>(w, "Bilder1");
            liste->setCurrentRow(3);
            bilder->setCurrentRow(5);
            w->previewRoutine(s, w->page());
            QCOMPARE(QPoint(liste->currentRow(), bilder->currentRow()), QPoint(3, 5));
        }
        const auto t = wt::texts(s);
        const auto b = wt::boxes(s), p = wt::pictures(s);
        QCOMPARE(
            (QList<int>{int(t.size()), int(wt::lines(s).size()), int(b.size()), int(p.size())}),
            counts);
        QCOMPARE((Texts{t.first(), t.last()}), texts);
        QCOMPARE((QList<QRect>{b.first(), b.last()}), boxes);
        QCOMPARE((QList<QRect>{p.first(), p.last()}), pictures);
        // The cards (each with its sound box on drucken2) follow one another
        // without gaps: nine strips, or sixteen cards on a 4 x 4 grid.
        const int n = w->pageSize(), per = int(b.size()) / n, cols = n == 16 ? 4 : 1;
        const QSize card = b[0].size() - QSize(1, 1);
        for (int i = 0; i < n; ++i)
            QCOMPARE(b[per * i],
                     b[0].translated(i % cols * card.width(), i / cols * card.height()));
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
        QCOMPARE(w->pageStart(), 7);
        QVERIFY(w->isVisible());
    }

    void exchange() {
        WindowFixture f;
        drucken1 *w = open(f);
        wt::press(w, "Command6");
        const QStringList before = w->cards();
        // The source, entry 8 of the picture list, is on the page already.
        auto *bilder = control<QListWidget>(w, "Bilder1");
        auto *liste = control<QListWidget>(w, "Liste1");
        bilder->setCurrentRow(8);
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
        QCOMPARE(w->pageStart(), 7);
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
        const QImage copied = QGuiApplication::clipboard()->image(); // without the number strip
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
        QVERIFY(qAbs(baum.left() - (1500 + m)) < 120);
        QVERIFY(qAbs(baum.top() - (5800 + m)) < 200);
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
