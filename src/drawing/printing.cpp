#include "drawing/printing.h"

#include "drawing/surface.h"
#include "files/safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cups/cups.h>
#include <unistd.h>

namespace printing {

namespace {

/// Runs the page routine on a started printer and ends the job.
Outcome run(QPrinter &printer, const PageRoutine &page) {
    Outcome out;
    QPainter painter;
    if (!painter.begin(&printer)) {
        out.error = QStringLiteral("Der Druckauftrag konnte nicht gestartet werden.");
        return out;
    }
    // The painter's origin is the top-left corner of the printable area.
    const double scale = printer.resolution() / 1440.0;
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PageSurface surface(&painter, scale);
    surface.setPrintPosition(0, 0);
    if (page)
        page(surface);
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted) {
        out.error = QStringLiteral("Der Druckauftrag ist fehlgeschlagen.");
        return out;
    }
    out.kind = Outcome::Printed;
    return out;
}

/// Writes the page into a PDF file laid out as `layout`.
Outcome writePdf(const QString &fileName, const QString &documentName, const PageRoutine &page,
                 const QPageLayout &layout, int dpi) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setDocName(documentName);
    printer.setResolution(dpi);
    printer.setPageLayout(layout);
    Outcome out = run(printer, page);
    if (out.ok() && !QFileInfo::exists(fileName)) {
        out.kind = Outcome::Failed;
        out.error = QStringLiteral("Die Datei konnte nicht geschrieben werden.");
    }
    out.file = fileName;
    return out;
}

/// What the print server says about a queue.
struct QueueState {
    bool known = false;
    bool accepting = true;
    bool stopped = false;
};

/// "name" or "name/instance" as Qt names a CUPS destination.
QueueState queueState(const QString &printer) {
    QueueState st;
    const QByteArray name = printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = printer.section(QLatin1Char('/'), 1).toLocal8Bit();
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest)
        return st;
    st.known = true;
    if (const char *v =
            cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options))
        st.accepting = qstrcmp(v, "false") != 0;
    // IPP printer-state 5: stopped (cupsdisable); jobs are queued but not printed.
    if (const char *v = cupsGetOption("printer-state", dest->num_options, dest->options))
        st.stopped = qstrcmp(v, "5") == 0;
    cupsFreeDests(1, dest);
    return st;
}

/// The print server's reason in German (its own text is English).
QString printServerReason(ipp_status_t status) {
    switch (status) {
    case IPP_STATUS_ERROR_NOT_FOUND:
        return QStringLiteral("Der Druckserver kennt diesen Drucker nicht.");
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        return QStringLiteral("Der Druckserver lässt dieses Benutzerkonto nicht drucken.");
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_TIMEOUT:
    case IPP_STATUS_ERROR_INTERNAL: // also a server that cannot be reached
        return QStringLiteral("Der Druckserver ist nicht erreichbar oder gestört.");
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return QStringLiteral("Der Drucker nimmt zurzeit keine Druckaufträge an.");
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
        return QStringLiteral("Der Drucker kann die Seite nicht verarbeiten.");
    case IPP_STATUS_ERROR_DEVICE:
        return QStringLiteral("Der Drucker meldet einen Gerätefehler.");
    default:
        return QStringLiteral("Der Druckserver meldet den Fehler %1.")
            .arg(QString::number(int(status), 16).prepend(QStringLiteral("0x")));
    }
}

/// Copies the finished PDF `from` into a new file in `dir`, named after
/// `stem` and `when`; nothing there is overwritten and no link is followed.
Outcome placePdf(const QString &from, const QDir &dir, const QString &stem, const QDateTime &when) {
    Outcome out;
    const QString folder = QDir::toNativeSeparators(dir.absolutePath());
    auto fail = [&](const files::Info &why) {
        out.kind = Outcome::Failed;
        out.error = QStringLiteral("Es ist kein Drucker eingerichtet, und im Ordner\r") + folder +
                    QStringLiteral("\rkann keine PDF-Datei angelegt werden:\r") +
                    files::describe(why);
        return out;
    };
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return fail({files::Status::Failed, EIO});
    files::Info info;
    const files::Folder target =
        files::Folder::open(dir.absolutePath(), QStringLiteral("."), false, &info);
    if (!target.isOpen())
        return fail(info);
    const QString base = stem + QLatin1Char('-') + when.toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString name;
    int fd = -1;
    for (int n = 1; fd < 0 && n <= 100; ++n) {
        name = base + (n > 1 ? QLatin1Char('-') + QString::number(n) : QString()) +
               QStringLiteral(".pdf");
        fd = target.createNew(name, &info);
        if (fd < 0 && info.error != EEXIST)
            return fail(info);
    }
    if (fd < 0)
        return fail(info);
    qint64 written = 0;
    int error = 0;
    while (error == 0 && !source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError)
            error = EIO;
        else
            error = files::appendWhole(fd, chunk, written);
        written += chunk.size();
    }
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    ::close(fd);
    if (error != 0) {
        target.remove(name);
        return fail({files::Status::Failed, error});
    }
    out.kind = Outcome::SavedAsPdf;
    out.file = dir.absoluteFilePath(name);
    return out;
}

} // namespace

QString savedAsPdfText(const Outcome &out) {
    const QFileInfo file(out.file);
    return QStringLiteral("Es ist kein Drucker eingerichtet.\rDie Seite steht deshalb in der "
                          "PDF-Datei\r") +
           file.fileName() + QStringLiteral("\rim Ordner\r") +
           QDir::toNativeSeparators(file.absolutePath()) + QStringLiteral("\r");
}

Outcome submitPdf(const QString &printer, const QString &pdfFile, const QString &documentName) {
    Outcome out;
    const QueueState st = queueState(printer);
    if (st.known && !st.accepting) {
        out.error = QStringLiteral("Der Drucker nimmt zurzeit keine Druckaufträge an.");
        return out;
    }
    const QByteArray name = printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const int job = cupsPrintFile(name.constData(), QFile::encodeName(pdfFile).constData(),
                                  documentName.toUtf8().constData(), 0, nullptr);
    if (job <= 0) {
        out.error = QStringLiteral("Der Druckauftrag hat die Warteschlange des Druckers nicht "
                                   "erreicht.");
        out.error += QStringLiteral("\r") + printServerReason(cupsLastError());
        return out;
    }
    out.kind = Outcome::Printed;
    if (st.stopped)
        out.notice = QStringLiteral("Der Drucker ist angehalten; die Seite wartet in seiner "
                                    "Warteschlange.");
    return out;
}

bool hasDefaultPrinter() {
    return !QPrinterInfo::defaultPrinter().isNull();
}

Outcome printToPdf(const QString &fileName, const QString &documentName, const PageRoutine &page,
                   int dpi) {
    Outcome out = writePdf(fileName, documentName, page,
                           QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter),
                           dpi);
    if (!out.ok())
        out.error += QStringLiteral("\r") + QDir::toNativeSeparators(fileName);
    else
        out.kind = Outcome::SavedAsPdf;
    out.file = fileName;
    return out;
}

Outcome printPage(const QString &documentName, const QString &stem, const PageRoutine &page,
                  const QDir &fallbackDir) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        // A plain QPrinter would silently become a nameless PDF printer here.
        // The page is drawn into a private folder first: Qt opens its output
        // by name, which would follow a link a pupil left in the class folder.
        QTemporaryDir tmp;
        if (!tmp.isValid()) {
            Outcome out;
            out.error = QStringLiteral("Der Druckauftrag konnte nicht vorbereitet werden.");
            return out;
        }
        const QString file = tmp.filePath(QStringLiteral("seite.pdf"));
        const Outcome drawn = printToPdf(file, documentName, page);
        if (!drawn.ok())
            return drawn;
        return placePdf(file, fallbackDir, stem, QDateTime::currentDateTime());
    }
    // Qt's own print path hands the job to the server and ignores its answer:
    // draw into a PDF with the printer's paper and margins and submit it here.
    const QPrinter native(info, QPrinter::HighResolution);
    Outcome out;
    QTemporaryDir tmp;
    if (!tmp.isValid()) {
        out.error = QStringLiteral("Der Druckauftrag konnte nicht vorbereitet werden.");
    } else {
        const QString file = tmp.filePath(QStringLiteral("seite.pdf"));
        out = writePdf(file, documentName, page, native.pageLayout(), native.resolution());
        if (out.ok())
            out = submitPdf(info.printerName(), file, documentName);
    }
    if (!out.ok())
        out.error += QStringLiteral("\r") + info.printerName();
    return out;
}

} // namespace printing
