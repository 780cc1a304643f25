// Without a reachable print server the page goes into a new PDF file in the
// working directory, named after the worksheet (or the report and its child)
// and the time, never over an earlier file nor through a link a pupil left
// there. One message names the file and its whole folder, for worksheets and
// report alike; a folder that takes no file is told in German.

#include "log/verlauf.h"
#include "records/recordstore.h"
#include "support/filesystems.h"
#include "worksheets/drucken2.h"
#include "worksheettest.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

using records::RecordStore;

namespace {

QString pdfMessage(const QString &title, const QString &folder, const QString &file) {
    return title + " | Es ist kein Drucker eingerichtet.\rDie Seite steht deshalb in der " +
           "PDF-Datei\r" + file + "\rim Ordner\r" + QDir::toNativeSeparators(folder) + "\r";
}

QStringList pdfsIn(const QString &dir) {
    return QDir(dir).entryList({"*.pdf"}, QDir::Files | QDir::System, QDir::Name);
}

} // namespace

class PrintFallbackTest : public QObject {
    Q_OBJECT
private slots:
    void noPrinterWritesPdf() {
        QVERIFY(!printing::hasDefaultPrinter());
        WindowFixture f;
        PictureDir &dir = f.dir;
        f.p.setOption(Option::Druckerausgabe, true);
        wt::addPictures(dir, f.p, 16);
        auto *w = f.open<drucken2>(ScreenId::Drucken2);
        const QStringList cards = w->cards();

        wt::press(w, "Command5");
        QStringList pdfs = pdfsIn(dir.path());
        QCOMPARE(pdfs.size(), 1);
        const QString first = pdfs.first();
        QVERIFY2(QRegularExpression("^Lautuebungen-\\d{8}-\\d{6}\\.pdf$").match(first).hasMatch(),
                 qPrintable(first));
        // Nothing is printed, so the closing message does not say it is.
        QCOMPARE(f.box(), pdfMessage("Kalimbo (Lautkärtchen)", dir.path(), first));
        QCOMPARE(f.boxes(), 1);
        QCOMPARE(f.p.dialogsRec.last().icon, Dialogs::Information);
        QCOMPARE(w->cards(), cards);
        const qint64 firstSize = QFileInfo(dir.filePath(first)).size();

        // Printed again within the same second: a second file, the first untouched.
        wt::press(w, "Command5");
        pdfs = pdfsIn(dir.path());
        QCOMPARE(pdfs.size(), 2);
        QCOMPARE(QFileInfo(dir.filePath(first)).size(), firstSize);
    }

    void reportNamesItsChild() {
        WindowFixture f;
        RecordStore store(f.dir.filePath("Protokolle"));
        f.p.recordStore = &store;
        f.p.setChild("Ben Müller/2");
        store.append(f.p.nameLabel(), {"begleiter", "derHund.jpg", false, "die"});
        auto *v = f.open<Verlauf>(ScreenId::Verlauf);
        QTRY_VERIFY(!v->isReading());
        wt::press(v, "Command2");
        const QStringList pdfs = pdfsIn(f.dir.path());
        QCOMPARE(pdfs.size(), 1);
        QVERIFY2(QRegularExpression("^Verlauf-Ben_Müller_2-\\d{8}-\\d{6}\\.pdf$")
                     .match(pdfs.first())
                     .hasMatch(),
                 qPrintable(pdfs.first()));
        QCOMPARE(f.box(), pdfMessage("Kalimbo (Verlauf)", f.dir.path(), pdfs.first()));
        QCOMPARE(f.p.dialogsRec.last().icon, Dialogs::NoIcon);
    }

    // Links named as the next files would be: none is followed, the page
    // goes into a file of the next free name.
    void linksAreNotFollowed() {
        WindowFixture f;
        f.p.setOption(Option::Druckerausgabe, true);
        wt::addPictures(f.dir, f.p, 16);
        auto *w = f.open<drucken2>(ScreenId::Drucken2);
        QTemporaryDir elsewhere;
        const QDateTime now = QDateTime::currentDateTime();
        for (int s = 0; s < 5; ++s)
            QVERIFY(
                QFile::link(elsewhere.filePath(QString("target%1.pdf").arg(s)),
                            f.dir.filePath("Lautuebungen-" +
                                           now.addSecs(s).toString("yyyyMMdd-hhmmss") + ".pdf")));
        wt::press(w, "Command5");
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files), QStringList());
        QStringList regular;
        for (const QFileInfo &fi :
             QDir(f.dir.path()).entryInfoList({"*.pdf"}, QDir::Files | QDir::System))
            if (!fi.isSymLink())
                regular << fi.fileName();
        QCOMPARE(regular.size(), 1);
        QVERIFY2(regular.first().endsWith("-2.pdf"), qPrintable(regular.first()));
        QVERIFY(f.box().contains(regular.first()));
    }

    // A print queue the server does not take the page for: the reason in German.
    void printServerReasonInGerman() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("page.pdf");
        QVERIFY(printing::printToPdf(pdf, "Seite", [](Surface &) {}).ok());
        const printing::Outcome out = printing::submitPdf("Kalimbo-nirgends", pdf, "Seite");
        QVERIFY(!out.ok());
        QCOMPARE(out.error,
                 QString("Der Druckauftrag hat die Warteschlange des Druckers nicht "
                         "erreicht.\rDer Druckserver ist nicht erreichbar oder gestört."));
    }

    // A folder that takes no file: the reason in German, and no half file left.
    void folderThatTakesNoFile_data() {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only") << "read-only"
                                   << "Der Datenträger ist schreibgeschützt.";
        QTest::newRow("full") << "full"
                              << "Der Datenträger ist voll.";
    }
    void folderThatTakesNoFile() {
        QFETCH(QString, trouble);
        QFETCH(QString, reason);
        TmpfsMount fs(64 * 1024);
        if (!fs.mounted())
            QSKIP(fs.reason().constData());
        QVERIFY(trouble == "full" ? fs.fill() : fs.makeReadOnly());
        WindowFixture f;
        f.p.setOption(Option::Druckerausgabe, true);
        wt::addPictures(f.dir, f.p, 16);
        auto *w = f.open<drucken2>(ScreenId::Drucken2);
        w->printTarget = [&fs](const QString &doc, const QString &stem,
                               const printing::PageRoutine &page) {
            return printing::printPage(doc, stem, page, QDir(fs.path()));
        };
        wt::press(w, "Command5");
        QCOMPARE(f.box(), "Kalimbo (Lautkärtchen) | Die Seite konnte nicht gedruckt werden.\r"
                          "Es ist kein Drucker eingerichtet, und im Ordner\r" +
                              QDir::toNativeSeparators(fs.path()) +
                              "\rkann keine PDF-Datei angelegt werden:\r" + reason + "\r");
        QCOMPARE(pdfsIn(fs.path()), QStringList());
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
