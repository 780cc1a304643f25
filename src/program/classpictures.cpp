#include "program/classpictures.h"

#include "records/recordstore.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QStandardPaths>

namespace classpictures {

const QString kFolder = QStringLiteral("Klasse");

namespace {

/// Larger than any picture we keep, small enough to decode at once.
constexpr int kMostPixelsSide = 4 * kSide;

files::Folder openFolder(const QString &home, bool create, files::Info *info) {
    if (create) {
        // The settings folder may not exist yet: made one level, no link followed.
        const QFileInfo h(home);
        files::Folder(files::Folder::open(h.path(), h.fileName(), true, info));
    }
    return files::Folder::open(home, kFolder, create, info);
}

} // namespace

QString home(bool besidePictures) {
    if (besidePictures)
        return QDir::currentPath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Kalimbo");
}

QString fileNameFor(const QString &name) {
    QString file = records::RecordStore::fileNameFor(name);
    file.chop(4); // ".csv"
    return file + QStringLiteral(".jpg");
}

QByteArray read(const QString &home, const QString &name) {
    files::Info info;
    const files::Folder folder = openFolder(home, false, &info);
    if (!folder.isOpen())
        return {};
    QFile file;
    if (folder.openForReading(fileNameFor(name), file, kCap).status != files::Status::Ok)
        return {};
    return file.readAll();
}

QImage load(const QString &home, const QString &name) {
    QByteArray bytes = read(home, name);
    if (bytes.isEmpty())
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(4);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMostPixelsSide || size.height() > kMostPixelsSide)
        return {};
    return reader.read();
}

files::Info store(const QString &home, const QString &name, const QByteArray &jpeg) {
    files::Info info;
    const files::Folder folder = openFolder(home, !jpeg.isEmpty(), &info);
    if (!folder.isOpen())
        return jpeg.isEmpty() && info.status == files::Status::Missing
                   ? files::Info{files::Status::Ok}
                   : info;
    if (jpeg.isEmpty()) {
        if (folder.remove(fileNameFor(name)))
            return files::Info{files::Status::Ok};
        info.status = files::Status::Failed;
        return info;
    }
    return folder.replace(fileNameFor(name), jpeg);
}

pictureimport::Prepared prepareFile(const QString &path) {
    pictureimport::Prepared p = pictureimport::prepareFile(path, kSide);
    if (p.ok() && p.suffix != QLatin1String("jpg")) {
        // A metafile is kept as the picture it draws.
        p.bytes.clear();
        QBuffer out(&p.bytes);
        out.open(QIODevice::WriteOnly);
        QImageWriter writer(&out, "jpeg");
        writer.setQuality(pictureimport::kJpegQuality);
        if (!writer.write(p.preview.convertToFormat(QImage::Format_RGB32)))
            p.bytes.clear();
        p.suffix = QStringLiteral("jpg");
    }
    return p;
}

QImage round(const QImage &image, int diameter) {
    QImage out(diameter, diameter, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (image.isNull())
        return out;
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath circle;
    circle.addEllipse(QRectF(0, 0, diameter, diameter));
    p.setClipPath(circle);
    // The middle of the picture fills the circle.
    const QSize fill = image.size().scaled(diameter, diameter, Qt::KeepAspectRatioByExpanding);
    p.drawImage(QRect(QPoint((diameter - fill.width()) / 2, (diameter - fill.height()) / 2), fill),
                image);
    return out;
}

} // namespace classpictures
