#include "drawing/pictureimport.h"

#include "drawing/picture.h"
#include "drawing/wmf/wmfpicture.h"
#include "files/safefile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>

namespace pictureimport {

namespace {

QString refused(const QString &name, const QString &why) {
    return QStringLiteral("„%1“ kann nicht übernommen werden: %2").arg(name, why);
}

bool isWmf(const QByteArray &b) {
    // Placeable header, or a plain memory/disk metafile header.
    return b.startsWith(QByteArrayLiteral("\xD7\xCD\xC6\x9A")) ||
           b.startsWith(QByteArrayLiteral("\x01\x00\x09\x00\x00\x03")) ||
           b.startsWith(QByteArrayLiteral("\x02\x00\x09\x00\x00\x03"));
}

bool isHeif(const QByteArray &b) {
    if (b.size() < 12 || b.mid(4, 4) != "ftyp")
        return false;
    const QByteArray brand = b.mid(8, 4);
    return brand.startsWith("hei") || brand.startsWith("hev") || brand == "mif1" ||
           brand == "msf1" || brand == "avif";
}

bool looksLikeSvg(const QByteArray &b) {
    const QByteArray head = b.left(4096).trimmed();
    return head.startsWith("<?xml") || head.startsWith("<svg") || head.contains("<svg");
}

/// The pixels a full decode allocates: a GIF fills its whole logical screen.
QSize decodeSize(const QByteArray &b, QSize image) {
    if (b.size() >= 10 && b.startsWith("GIF8"))
        return image.expandedTo(
            QSize(uchar(b[6]) | uchar(b[7]) << 8, uchar(b[8]) | uchar(b[9]) << 8));
    return image;
}

} // namespace

bool svgReachesOut(const QByteArray &svg) {
    // External entities and DTDs would be fetched by name.
    if (svg.contains("<!ENTITY") || svg.contains("SYSTEM") || svg.contains("PUBLIC"))
        return true;
    // Every reference must stay inside the file ("#id") or carry its data.
    static const QRegularExpression href(
        QStringLiteral(R"re((?:href|src)\s*=\s*["']\s*([^"']*))re"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression url(QStringLiteral(R"re(url\(\s*["']?\s*([^)"'\s]*))re"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromUtf8(svg);
    for (const QRegularExpression *re : {&href, &url}) {
        auto it = re->globalMatch(text);
        while (it.hasNext()) {
            const QString target = it.next().captured(1).trimmed();
            if (!target.startsWith(QLatin1Char('#')) &&
                !target.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
                return true;
        }
    }
    return text.contains(QLatin1String("@import"), Qt::CaseInsensitive);
}

Prepared prepare(const QByteArray &bytes, const QString &name, int maxSide) {
    Prepared p;
    if (bytes.isEmpty()) {
        p.problem = refused(name, QStringLiteral("die Datei ist leer."));
        return p;
    }
    if (isWmf(bytes)) {
        const auto wmf = wmf::pictureFromData(bytes);
        const QSize twips = wmf ? wmf->naturalTwips() : QSize();
        if (twips.isEmpty()) {
            p.problem = refused(name, QStringLiteral("die WMF-Datei ist beschädigt."));
            return p;
        }
        p.bytes = bytes;
        p.suffix = QStringLiteral("wmf");
        QSize size = twips / 15;
        size.scale(maxSide, maxSide, Qt::KeepAspectRatio);
        p.preview = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        p.preview.fill(Qt::white);
        QPainter painter(&p.preview);
        wmf->draw(painter, QRectF(QPointF(0, 0), QSizeF(p.preview.size())));
        return p;
    }
    if (isHeif(bytes)) {
        p.problem = refused(name, QStringLiteral("HEIC-Bilder kann Kalimbo nicht lesen. Bitte "
                                                 "das Bild am Telefon als JPEG speichern."));
        return p;
    }
    const bool svg = looksLikeSvg(bytes);
    if (svg && svgReachesOut(bytes)) {
        p.problem = refused(name, QStringLiteral("das SVG-Bild verweist auf andere Dateien."));
        return p;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, svg ? QByteArray("svg") : QByteArray());
    reader.setAllocationLimit(int(kMaxPicturePixels * 4 / (1024 * 1024)) + 1);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        p.problem = refused(name, QStringLiteral("das ist kein Bild, das Kalimbo lesen kann."));
        return p;
    }
    const QSize size = reader.size(); // from the header alone
    const QSize full = decodeSize(bytes, size);
    if (!svg && (!size.isValid() || size.isEmpty())) {
        p.problem = refused(name, QStringLiteral("das Bild ist beschädigt."));
        return p;
    }
    if (!svg && qint64(full.width()) * full.height() > kMaxPicturePixels) {
        p.problem = refused(name, QStringLiteral("das Bild ist zu groß (mehr als %1 Millionen "
                                                 "Bildpunkte).")
                                      .arg(kMaxPicturePixels / 1000000));
        return p;
    }
    QSize target = size.isValid() && !size.isEmpty() ? size : QSize(maxSide, maxSide);
    if (target.width() > maxSide || target.height() > maxSide || svg)
        target.scale(maxSide, maxSide, Qt::KeepAspectRatio);
    reader.setScaledSize(target);
    const QImage decoded = reader.read();
    if (decoded.isNull()) {
        p.problem = refused(
            name, QStringLiteral("das Bild ist beschädigt (%1).").arg(reader.errorString()));
        return p;
    }
    QImage flat(decoded.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, decoded);
    }
    QBuffer out(&p.bytes);
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(kJpegQuality);
    writer.setOptimizedWrite(true);
    if (!writer.write(flat)) {
        p.bytes.clear();
        p.problem = refused(name, writer.errorString());
        return p;
    }
    p.suffix = QStringLiteral("jpg");
    p.preview = flat;
    return p;
}

Prepared prepareFile(const QString &path, int maxSide) {
    const QString name = QFileInfo(path).fileName();
    const files::Contents c = files::readSmall(path, files::kImportCap);
    if (!c.ok()) {
        Prepared p;
        p.problem = refused(name, files::describe(c.info));
        return p;
    }
    return prepare(c.bytes, name, maxSide);
}

} // namespace pictureimport
