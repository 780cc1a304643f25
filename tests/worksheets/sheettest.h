#pragma once
// Helpers for the full-page sheets: their settings reset, printing into a
// recording or a PDF, and a printed page rendered at 300 dpi to measure.

#include "drawing/surface.h"
#include "support/windowfixture.h"
#include "worksheets/sheetwindow.h"

#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace st {

/// The sheets start from their defaults (the settings file outlives a test).
inline void resetSettings() {
    QSettings &s = sheet::userSettings();
    s.remove(QStringLiteral("Schreiblinien"));
    s.remove(QStringLiteral("Anlauttabelle"));
    s.sync();
}

/// Printing draws into `page` instead of reaching a printer.
inline void printInto(SheetWindow *w, RecordingSurface &page, int *calls = nullptr) {
    w->printTarget = [&page, calls](const QString &, const QString &,
                                    const printing::PageRoutine &routine) {
        if (calls)
            ++*calls;
        routine(page);
        return printing::Outcome{printing::Outcome::Printed, {}, {}};
    };
}

/// Printing writes this PDF file (A4, 10 mm margins).
inline void printToFile(SheetWindow *w, const QString &file) {
    w->printTarget = [file](const QString &doc, const QString &, const printing::PageRoutine &r) {
        return printing::printToPdf(file, doc, r);
    };
}

inline bool canRender() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

/// The first page of a PDF as pdftoppm renders it at `dpi`.
inline QImage rendered(const QString &pdf, int dpi = 300) {
    QTemporaryDir tmp;
    const QString stem = tmp.filePath(QStringLiteral("page"));
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                       QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                       QStringLiteral("1"), pdf, stem});
    for (const QString &name : QDir(tmp.path()).entryList({QStringLiteral("page*.png")}))
        return QImage(tmp.filePath(name)).convertToFormat(QImage::Format_RGB32);
    return QImage();
}

/// Millimetres on the sheet's page to pixels of the paper at `dpi` (the
/// printable area starts 10 mm in).
inline double px(double mmOnPage, int dpi = 300) {
    return (mmOnPage + 10) / 25.4 * dpi;
}
inline double mm(double pixels, int dpi = 300) {
    return pixels * 25.4 / dpi;
}

/// What the recording saw of one kind.
inline QList<RecordingSurface::Op> opsOf(const RecordingSurface &s, RecordingSurface::Op::Kind k) {
    QList<RecordingSurface::Op> out;
    for (const auto &op : s.ops)
        if (op.kind == k)
            out << op;
    return out;
}

/// Two recordings drew the same, operation by operation.
inline bool sameOps(const RecordingSurface &a, const RecordingSurface &b) {
    if (a.ops.size() != b.ops.size())
        return false;
    for (qsizetype i = 0; i < a.ops.size(); ++i) {
        const auto &x = a.ops[i];
        const auto &y = b.ops[i];
        if (x.kind != y.kind || x.rect != y.rect || x.text != y.text || x.colour != y.colour ||
            x.outline != y.outline || x.family != y.family || x.points != y.points ||
            x.bold != y.bold)
            return false;
    }
    return true;
}

} // namespace st
