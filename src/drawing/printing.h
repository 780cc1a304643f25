#pragma once
// One printed page, drawn in twips from the top-left corner of the printable
// area. The same drawing routine serves the printer, a PDF file and (through
// any other Surface) the screen preview and tests. Where no printer is
// installed the page goes into a new PDF file in the working directory,
// created without following a link (the folder is often a class share).

#include "drawing/surface.h"

#include <QDateTime>
#include <QDir>
#include <QString>
#include <functional>

namespace printing {

/// The surface a page routine gets while printing: it knows how many device
/// pixels a twip is, so pictures can be prepared at the size they will take.
class PageSurface final : public PainterSurface {
public:
    PageSurface(QPainter *painter, double pixelsPerTwip)
        : PainterSurface(painter), m_pixelsPerTwip(pixelsPerTwip) {}
    double paperPixelsPerTwip() const override { return m_pixelsPerTwip; }

private:
    double m_pixelsPerTwip;
};

/// Draws the page; the surface's print position starts at 0, 0.
using PageRoutine = std::function<void(Surface &)>;

struct Outcome {
    enum Kind { Printed, SavedAsPdf, Failed };
    Kind kind = Failed;
    /// The PDF written (SavedAsPdf, or printToPdf), with its folder.
    QString file;
    /// What went wrong (Failed), in German for the message box.
    QString error;
    /// Printed, but the page waits: the queue is stopped (German, may be empty).
    QString notice = {};
    bool ok() const { return kind != Failed; }
};

/// True when the system knows a default printer.
bool hasDefaultPrinter();

/// Sends a finished PDF file to the print queue `printer`; Failed (with the
/// print server's reason) when the queue does not take the job.
Outcome submitPdf(const QString &printer, const QString &pdfFile, const QString &documentName);

/// Prints one page on the default printer without a dialog. Without a
/// default printer the page is written as a PDF into `fallbackDir` as
/// "<stem>-yyyyMMdd-hhmmss.pdf", with "-2", "-3", ... before ".pdf" when
/// such a file exists already, so an earlier page is never overwritten.
Outcome printPage(const QString &documentName, const QString &stem, const PageRoutine &page,
                  const QDir &fallbackDir = QDir::current());

/// The one message for a page that went into a PDF file for want of a
/// printer: the file's name and its whole folder.
QString savedAsPdfText(const Outcome &out);

/// Writes one page as a PDF file (A4 portrait, 10 mm margins).
Outcome printToPdf(const QString &fileName, const QString &documentName, const PageRoutine &page,
                   int dpi = 300);

} // namespace printing
