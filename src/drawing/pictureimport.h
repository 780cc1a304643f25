#pragma once
// Turning a picture a teacher brings into one the noun listing reads: any of
// JPEG, PNG, GIF, BMP, SVG, WebP or TIFF becomes a JPEG of at most 600 pixels
// on its longer side, upright, transparency on white; a WMF stays as it is,
// byte for byte. Plain work, safe on any thread.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace pictureimport {

/// The longer side of a saved picture, in pixels.
constexpr int kMaxSide = 600;
constexpr int kJpegQuality = 90;

struct Prepared {
    QByteArray bytes; // the file to save; empty when refused
    QString suffix;   // "jpg" or "wmf"
    QImage preview;   // what the teacher sees before saving
    QString problem;  // why it was refused (German), naming the source
    bool ok() const { return problem.isEmpty() && !bytes.isEmpty(); }
};

/// Prepares the picture held in `bytes`; `name` is what the teacher knows it
/// as (a file name, or "Zwischenablage"). `maxSide` bounds the longer side.
Prepared prepare(const QByteArray &bytes, const QString &name, int maxSide = kMaxSide);

/// Reads the file through the careful path (any size above the import cap is
/// refused) and prepares it.
Prepared prepareFile(const QString &path, int maxSide = kMaxSide);

/// True when an SVG refers to anything outside itself (files, web
/// addresses, external entities); such a picture is refused unread.
bool svgReachesOut(const QByteArray &svg);

} // namespace pictureimport
