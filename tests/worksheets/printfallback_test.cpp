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

        wt::press(w, "Command5");
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
        wt::press(w, "Command5");
        pdfs = QDir(dir.path()).entryList({"*.pdf"}, QDir::Files, QDir::Name);
        QCOMPARE(pdfs.size(), 2);
        QCOMPARE(QFileInfo(dir.filePath(first)).size(), firstSize);
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
