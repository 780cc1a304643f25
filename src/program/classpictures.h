#pragma once
// The children's pictures of the class list: one small JPEG per name in a
// folder "Klasse" beside where the list is kept (the program's own settings
// folder, or the picture folder next to Klasse.txt). The list stays one name
// a line, so a PC without the pictures shows the names alone.

#include "drawing/pictureimport.h"
#include "files/safefile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace classpictures {

/// The longer side of a kept picture, in pixels.
constexpr int kSide = 128;
/// A kept picture is a few kilobytes; anything far larger is none of ours.
constexpr qint64 kCap = 256 * 1024;
/// The folder of the pictures, inside `home`.
extern const QString kFolder;

/// Where the "Klasse" folder sits: the picture folder (the working
/// directory) when the list is kept beside the pictures, else the program's
/// own settings folder.
QString home(bool besidePictures);
/// The picture's file name for a child's name, made safe as the records
/// make names safe.
QString fileNameFor(const QString &name);

/// The child's picture; a null image when there is none, or when it is no
/// small regular picture file (a link, a FIFO, too large, broken). Small
/// enough to be decoded on the window thread.
QImage load(const QString &home, const QString &name);
/// The kept file's bytes (empty when there is none), to carry it elsewhere.
QByteArray read(const QString &home, const QString &name);
/// Keeps `jpeg` as the child's picture, replacing any; empty bytes remove
/// it. Never follows a link. Ok, or the reason it failed.
files::Info store(const QString &home, const QString &name, const QByteArray &jpeg);

/// A picture file the teacher chose, as a JPEG of at most kSide pixels:
/// plain work, meant for a worker thread (a photo takes its time).
pictureimport::Prepared prepareFile(const QString &path);

/// The picture cut to a circle `diameter` pixels wide (its middle, filled).
QImage round(const QImage &image, int diameter);

} // namespace classpictures
