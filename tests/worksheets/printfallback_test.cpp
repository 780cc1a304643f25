// Without a reachable print server the page goes into a new PDF file in the
// working directory, named after the worksheet and the time, never
// overwriting an earlier one; the closing message tells its name.

#include "worksheets/drucken2.h"
#include "worksheettest.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

class PrintFallbackTest : public QObject {
    Q_OBJECT
private slots:
    void noPrinterWritesPdf() {
        QVERIFY(!printing::hasDefaultPrinter());
        WindowFixture f;
        PictureDir &dir = f.dir;
        f.p.options[Option::Druckerausgabe] = true;
        wt::addPictures(dir, f.p, 16);
        auto *w = f.open<drucken2>(ScreenId::Drucken2);
        const QStringList cards = w->cards();

        QTest::mouseClick(control<QPushButton>(w, "Command5"), Qt::LeftButton);
        QStringList pdfs = QDir(dir.path()).entryList({"*.pdf"}, QDir::Files, QDir::Name);
        QCOMPARE(pdfs.size(), 1);
        const QString first = pdfs.first();
        QVERIFY2(QRegularExpression("^Lautuebungen-\\d{8}-\\d{6}\\.pdf$").match(first).hasMatch(),
                 qPrintable(first));
        QVERIFY(
            f.box().startsWith("Kalimbo (Lautkärtchen) | Die Lautübungen werden gedruckt ...\r\r"));
        QVERIFY(f.box().contains(first));
        QCOMPARE(f.p.dialogsRec.last().icon, Dialogs::Information);
        QCOMPARE(w->cards(), cards);
        const qint64 firstSize = QFileInfo(dir.filePath(first)).size();

        // Printed again within the same second: a second file, the first untouched.
        QTest::mouseClick(control<QPushButton>(w, "Command5"), Qt::LeftButton);
        pdfs = QDir(dir.path()).entryList({"*.pdf"}, QDir::Files, QDir::Name);
        QCOMPARE(pdfs.size(), 2);
        QCOMPARE(QFileInfo(dir.filePath(first)).size(), firstSize);

        if (!wt::havePdfTools())
            QSKIP("pdftotext/pdfinfo (poppler-utils) not installed");
        QCOMPARE(wt::pdfPages(dir.filePath(first)), 1);
        // The sixteen sounds, capitalised and in lower case, on the page.
        const auto words = wt::pdfWords(dir.filePath(first));
        QCOMPARE(words.size(), 32);
        const double m = wt::kMarginTw;
        // Card 5 (column 1, row 1): its capital at (1000 + 2400 + 200, 500 + 3800 + 2900).
        bool found = false;
        for (const auto &wd : words)
            if (qAbs(wd.twips.left() - (3600 + m)) < 120 && qAbs(wd.twips.top() - (7200 + m)) < 200)
                found = wd.text == drucken2::defaultSound(cards[5]);
        QVERIFY(found);
    }
};

int main(int argc, char **argv) {
    // A print server that cannot be reached: no default printer.
    qputenv("CUPS_SERVER", "/nonexistent/kalimbo-test/cups.sock");
    QApplication app(argc, argv);
    PrintFallbackTest t;
    return QTest::qExec(&t, argc, argv);
}
#include "printfallback_test.moc"
