#include "platform/picture.h"

#include "platform/wmf/wmfpicture.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <atomic>
#include <mutex>

namespace {

std::atomic<long> g_decodes{0};

/// JPEG, GIF and BMP through QImageReader. The decoded image is cached at the
/// size last asked for, so a repaint never decodes again.
class RasterPicture final : public PictureData {
public:
    RasterPicture(QString path, QSize pixels) : m_path(std::move(path)), m_pixels(pixels) {}

    QSize naturalTwips() const override { return m_pixels * 15; }

    void draw(QPainter &painter, const QRectF &target) const override
    {
        if (target.isEmpty())
            return;
        const QRectF device = painter.transform().mapRect(target);
        QSize want(qMax(1, qRound(device.width())), qMax(1, qRound(device.height())));
        // Never upscale while decoding; the painter stretches the rest.
        want = want.boundedTo(m_pixels);
        const QImage &img = decoded(want);
        if (img.isNull())
            return;
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(target, img);
        painter.restore();
    }

private:
    const QImage &decoded(QSize want) const
    {
        // A cached image at least as large as wanted (and not huge beyond it) serves.
        // A full decode serves every size; a scaled one serves sizes up to it,
        // and not much smaller ones (they would draw blurred and cost memory).
        if (!m_cache.isNull() && m_cache.width() >= want.width() &&
            m_cache.height() >= want.height() &&
            (m_cacheFull ||
             (m_cache.width() <= want.width() * 2 && m_cache.height() <= want.height() * 2)))
            return m_cache;
        if (m_failed)
            return m_cache;
        QImageReader reader(m_path);
        reader.setAllocationLimit(int(kMaxPicturePixels * 4 / (1024 * 1024)) + 1);
        const bool scaled = want != m_pixels && reader.supportsOption(QImageIOHandler::ScaledSize);
        if (scaled)
            reader.setScaledSize(want);
        QImage img;
        ++g_decodes;
        if (!reader.read(&img)) {
            m_failed = true; // deleted or damaged since start: draw nothing from now on
            m_cache = QImage();
            return m_cache;
        }
        m_cache = img;
        m_cacheFull = !scaled;
        return m_cache;
    }

    QString m_path;
    QSize m_pixels;
    mutable QImage m_cache;
    mutable bool m_failed = false;
    mutable bool m_cacheFull = false;
};

} // namespace

Picture Picture::load(const QString &fileName)
{
    Picture p;
    p.m_fileName = fileName;
    if (fileName.isEmpty())
        return p;
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("wmf")) {
        p.d = wmf::openPicture(fileName);
        return p;
    }
    QImageReader reader(fileName);
    const QSize size = reader.size(); // header only
    if (!size.isValid() || size.isEmpty() ||
        qint64(size.width()) * size.height() > kMaxPicturePixels)
        return p;
    p.d = std::make_shared<RasterPicture>(fileName, size);
    return p;
}

QSize Picture::naturalTwips() const { return d ? d->naturalTwips() : QSize(); }

void Picture::draw(QPainter &painter, const QRectF &target) const
{
    if (d)
        d->draw(painter, target);
}

QImage Picture::render(const QSize &pixels) const
{
    QImage img(pixels, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    if (d) {
        QPainter p(&img);
        d->draw(p, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    return img;
}

long Picture::decodeCount() { return g_decodes.load(); }
