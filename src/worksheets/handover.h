#pragma once
// What every worksheet window hands over alike, whatever its page: the page
// to the printer (asked first while the printer is switched off, told after
// how it went), to the clipboard, the help, the font chooser, and the
// pictures a drawing needs, decoded ahead side by side.

#include "drawing/picture.h"
#include "drawing/printing.h"

#include <QHash>
#include <QStringList>
#include <functional>

class Program;
class Screen;
class Surface;
class QImage;

namespace handover {

/// Where a printed page goes.
using PrintTarget = std::function<printing::Outcome(
    const QString &documentName, const QString &stem, const printing::PageRoutine &page)>;

/// The default printer, or without one a PDF file beside the pictures.
PrintTarget defaultPrinter();

/// True when printing may go on: the printer is on, or the teacher says to
/// print anyway.
bool printerConfirmed(Program &program, const QString &title);
/// Tells how printing went: the error, the PDF file written in the
/// printer's place (every one of `pdfFiles` when several pages went to
/// files), or `closingText`.
void reportPrinted(Program &program, const printing::Outcome &out, const QString &closingText,
                   const QString &title, const QStringList &pdfFiles = {});
/// Puts the page on the clipboard and says so.
void copyPage(Program &program, const QImage &page);
void showHelp(Program &program, const QString &title, const QStringList &lines);
/// Opens the font chooser beside `caller`, which stays visible; false
/// where there is none.
bool openFontChooser(Program &program, Screen *caller);

/// The raster pictures a drawing routine draws, decoded beforehand on the
/// processor's cores at the device size each will take.
class PreparedPictures {
public:
    /// A dry run of `routine` tells which pictures go where. `keep`: the
    /// images also go into the picture cache.
    void decode(const std::function<void(Surface &)> &routine, double pixelsPerTwip, bool keep);
    /// The picture decoded for the drawing under way, else loaded.
    Picture picture(const QString &entry) const;
    void clear() { m_pictures.clear(); }

private:
    QHash<QString, Picture> m_pictures;
};

} // namespace handover
