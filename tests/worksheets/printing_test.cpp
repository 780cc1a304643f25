// A page printed through the default printer arrives as one page. Runs
// against a cups-pdf queue (.ci/printer-setup start) and skips otherwise, so
// that it never prints on paper.

#include "worksheets/drucken1.h"
#include "worksheettest.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QThread>

namespace {

/// Where cups-pdf puts its files: the "Out" line of its configuration, ~/PDF by default.
QString cupsPdfOut() {
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        while (!conf.atEnd()) {
            const QString line = QString::fromUtf8(conf.readLine()).trimmed();
            if (line.startsWith(QLatin1String("Out ")))
                out = line.mid(4).trimmed();
        }
    }
    out.replace(QLatin1String("${HOME}"), QDir::homePath());
    return out;
}

QMap<QString, QDateTime> pdfsIn(const QString &dir) {
    QMap<QString, QDateTime> files;
    for (QDirIterator it(dir, {QStringLiteral("*.pdf")}, QDir::Files); it.hasNext();) {
        const QString f = it.next();
        files.insert(f, QFileInfo(f).lastModified());
    }
    return files;
}

/// Runs a CUPS admin command on the queue; false when it is missing or refused.
bool queueCommand(const QString &command, const QString &queue) {
    QProcess p;
    p.start(command, {queue});
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

/// Puts the queue back into service however the test ends.
struct QueueRestorer {
    QString queue;
    ~QueueRestorer() {
        QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), queue});
        queueCommand(QStringLiteral("cupsaccept"), queue);
        queueCommand(QStringLiteral("cupsenable"), queue);
    }
};

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private slots:
    void realPrinter() {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            QSKIP("No print server with a default printer runs; `.ci/printer-setup start` "
                  "sets one up with cups-pdf.");
        if (!info.makeAndModel().contains(QLatin1String("CUPS-PDF"), Qt::CaseInsensitive))
            QSKIP("The default printer is not a cups-pdf queue; not printing on paper.");
        if (!wt::havePdfTools())
            QSKIP("pdfinfo (poppler-utils) not installed");
        const QString outDir = cupsPdfOut();
        const auto before = pdfsIn(outDir);

        WindowFixture f;
        f.p.setOption(Option::Druckerausgabe, true);
        wt::addPictures(f.dir, f.p, 9);
        auto *w = f.open<drucken1>(ScreenId::Drucken1);
        wt::press(w, "Command5"); // the program's own print path
        QCOMPARE(f.box(), "Kalimbo (Lernkärtchen) | Die Lernkärtchen werden gedruckt ...\r\r");
        QVERIFY(QDir(f.dir.path()).entryList({"*.pdf"}).isEmpty()); // no fallback file

        QString arrived;
        for (int i = 0; i < 300 && arrived.isEmpty(); ++i) {
            QThread::msleep(100);
            const auto now = pdfsIn(outDir);
            for (auto it = now.begin(); it != now.end(); ++it)
                if (!before.contains(it.key()) || before.value(it.key()) != it.value())
                    arrived = it.key();
        }
        QVERIFY2(!arrived.isEmpty(), qPrintable("no PDF arrived in " + outDir));
        // cups-pdf writes the file in steps: wait until its size settles.
        qint64 size = -1;
        for (int i = 0; i < 50; ++i) {
            QThread::msleep(100);
            const qint64 s = QFileInfo(arrived).size();
            if (s > 0 && s == size)
                break;
            size = s;
        }
        QCOMPARE(wt::pdfPages(arrived), 1);
        QVERIFY2(QFileInfo(arrived).size() > 2000, qPrintable(QString::number(size)));
        QFile::remove(arrived);
    }

    // A queue that refuses jobs must not be reported as printing; a stopped
    // queue takes the job but the teacher learns that it waits.
    void unavailableQueue_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("printed");
        QTest::addColumn<QString>("says");
        QTest::newRow("rejecting") << "cupsreject" << false << "keine Druckaufträge an";
        QTest::newRow("stopped") << "cupsdisable" << true << "Drucker ist angehalten";
    }
    void unavailableQueue() {
        QFETCH(QString, command);
        QFETCH(bool, printed);
        QFETCH(QString, says);
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull() ||
            !info.makeAndModel().contains(QLatin1String("CUPS-PDF"), Qt::CaseInsensitive))
            QSKIP("No cups-pdf default queue; `.ci/printer-setup start` sets one up.");
        const QString queue = info.printerName();
        QueueRestorer restore{queue};
        if (!queueCommand(command, queue))
            QSKIP("Not allowed to change the print queue here.");

        WindowFixture f;
        f.p.setOption(Option::Druckerausgabe, true);
        wt::addPictures(f.dir, f.p, 9);
        auto *w = f.open<drucken1>(ScreenId::Drucken1);
        wt::press(w, "Command5");
        QCOMPARE(f.boxes(), 1);
        const QString box = f.box();
        QCOMPARE(box.contains("Die Lernkärtchen werden gedruckt ..."), printed);
        QVERIFY2(box.contains(says), qPrintable(box));
        QCOMPARE(f.p.dialogsRec.last().icon, printed ? Dialogs::Information : Dialogs::Warning);
        QVERIFY(QDir(f.dir.path()).entryList({"*.pdf"}).isEmpty());
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
