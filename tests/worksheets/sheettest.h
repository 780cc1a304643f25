#pragma once
// Helpers for the full-page sheets: their settings reset, a printed page
// rendered at 300 dpi to measure, and two drawings compared; printing into
// a recording or a PDF as for the other worksheets.

#include "drawing/surface.h"
#include "support/windowfixture.h"
#include "worksheets/sheetwindow.h"
#include "worksheettest.h"

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

using wt::opsOf;
using wt::printInto;
using wt::printToFile;

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
