#include "drawing/printing.h"

#include "drawing/surface.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace printing {

namespace {

/// Runs the page routine on a started printer and ends the job.
Outcome run(QPrinter &printer, const PageRoutine &page)
{
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

} // namespace

bool hasDefaultPrinter() { return !QPrinterInfo::defaultPrinter().isNull(); }

QString freshPdfName(const QDir &dir, const QString &stem, const QDateTime &when)
{
    const QString base = stem + QLatin1Char('-') + when.toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString name = base + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(dir.filePath(name)); ++n)
        name = base + QLatin1Char('-') + QString::number(n) + QStringLiteral(".pdf");
    return name;
}

Outcome printToPdf(const QString &fileName, const QString &documentName, const PageRoutine &page,
                   int dpi)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setDocName(documentName);
    printer.setResolution(dpi);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    Outcome out = run(printer, page);
    if (out.ok() && !QFileInfo::exists(fileName)) {
        out.kind = Outcome::Failed;
        out.error = QStringLiteral("Die Datei konnte nicht geschrieben werden.");
    }
    if (!out.ok())
        out.error += QStringLiteral("\r") + QDir::toNativeSeparators(fileName);
    else
        out.kind = Outcome::SavedAsPdf;
    out.file = fileName;
    return out;
}

Outcome printPage(const QString &documentName, const QString &stem, const PageRoutine &page,
                  const QDir &fallbackDir)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        // A plain QPrinter would silently become a nameless PDF printer here.
        const QString name = freshPdfName(fallbackDir, stem, QDateTime::currentDateTime());
        Outcome out = printToPdf(fallbackDir.filePath(name), documentName, page);
        out.file = name;
        return out;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(documentName);
    Outcome out = run(printer, page);
    if (!out.ok())
        out.error += QStringLiteral("\r") + info.printerName();
    return out;
}

} // namespace printing
