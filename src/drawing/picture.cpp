#include "drawing/picture.h"

#include "drawing/picturecache.h"
#include "drawing/wmf/wmfpicture.h"
#include "files/safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <limits>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <mutex>
#include <sys/stat.h>

namespace {

std::atomic<long> g_decodes{0};

/// Opens a regular file for reading without ever blocking: a FIFO, a device
/// or a socket named like a picture is refused before anything waits on it.
/// `stamp` names the file's present content (for the picture cache).
bool openRegular(const QString &path, QFile &file, QString *stamp = nullptr) {
    const files::Info info = files::openForReading(path, file, std::numeric_limits<qint64>::max());
    if (info.status != files::Status::Ok)
        return false;
    if (stamp)
        *stamp = QStringLiteral("%1|%2|%3|%4|%5.%6")
                     .arg(QFileInfo(path).absoluteFilePath())
                     .arg(info.device)
                     .arg(info.inode)
                     .arg(info.size)
                     .arg(info.mtimeSec)
                     .arg(info.mtimeNsec);
    return true;
}

/// Bounds the full-size images being decoded at once, in bytes: a decode
/// waits until its image fits beside the others (one that alone fills the
/// whole allowance runs by itself).
class DecodeGate {
public:
    static constexpr qint64 kBytes = kMaxPicturePixels * 4;

    class Pass {
    public:
        Pass(DecodeGate &g, qint64 bytes) : m_gate(g), m_bytes(std::min(bytes, kBytes)) {
            std::unique_lock lock(m_gate.m_mutex);
            m_gate.m_free.wait(lock, [this] { return m_gate.m_inUse + m_bytes <= kBytes; });
            m_gate.m_inUse += m_bytes;
        }
        ~Pass() {
            {
                const std::lock_guard lock(m_gate.m_mutex);
                m_gate.m_inUse -= m_bytes;
            }
            m_gate.m_free.notify_all();
        }
        Pass(const Pass &) = delete;
        Pass &operator=(const Pass &) = delete;

    private:
        DecodeGate &m_gate;
        qint64 m_bytes;
    };

private:
    std::mutex m_mutex;
    std::condition_variable m_free;
    qint64 m_inUse = 0;
};

DecodeGate g_gate;

void configure(QImageReader &reader) {
#ifdef __GLIBC__
    // Full-size decodes are large and short-lived. glibc raises its mmap
    // threshold after freeing such a block, so the next ones would come from
    // the heap and stay resident after free; a fixed threshold hands every
    // large image back to the system when it goes.
    static const bool fixedThreshold = mallopt(M_MMAP_THRESHOLD, 1024 * 1024) != 0;
    Q_UNUSED(fixedThreshold);
#endif
    reader.setAllocationLimit(int(kMaxPicturePixels * 4 / (1024 * 1024)) + 1);
}

/// The pixels a full decode allocates. A GIF decoder fills the whole
/// logical screen, which the header gives apart from the image size that
/// the reader reports.
QSize fullDecodeSize(QIODevice &file, QSize imageSize) {
    const QByteArray head = file.peek(10);
    if (head.size() == 10 && head.startsWith("GIF8")) {
        const QSize screen(uchar(head[6]) | uchar(head[7]) << 8, uchar(head[8]) | uchar(head[9])
                                                                                      << 8);
        return imageSize.expandedTo(screen);
    }
    return imageSize;
}

bool withinCap(QSize pixels) {
    return pixels.isValid() && !pixels.isEmpty() &&
           qint64(pixels.width()) * pixels.height() <= kMaxPicturePixels;
}

/// JPEG, GIF and BMP through QImageReader, decoded at the size a drawing
/// needs and kept in the program's picture cache.
class RasterPicture final : public PictureData {
public:
    RasterPicture(QString path, QString stamp, QByteArray format, QSize pixels, QSize decoded)
        : m_path(std::move(path)), m_stamp(std::move(stamp)), m_format(std::move(format)),
          m_pixels(pixels), m_decoded(decoded) {}

    QSize naturalTwips() const override { return m_pixels * 15; }

    void draw(QPainter &painter, const QRectF &target) const override {
        if (target.isEmpty())
            return;
        const QRectF device = painter.transform().mapRect(target);
        const QSize want(qMax(1, qRound(device.width())), qMax(1, qRound(device.height())));
        const QImage img = image(want, true);
        if (img.isNull())
            return;
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(target, img);
        painter.restore();
    }

    QImage image(QSize want, bool keep) const override {
        // Never upscale while decoding; the painter stretches the rest.
        want = want.boundedTo(m_decoded).expandedTo(QSize(1, 1));
        PictureCache &cache = PictureCache::global();
        QImage img = cache.find(m_stamp, want);
        if (!img.isNull() || m_failed)
            return img;
        img = decode(want);
        if (img.isNull()) {
            m_failed = true; // deleted or damaged since start: draw nothing from now on
            return img;
        }
        if (keep)
            cache.insert(m_stamp, img);
        return img;
    }

private:
    QImage decode(QSize want) const {
        QFile file;
        if (!openRegular(m_path, file))
            return QImage();
        QImageReader reader(&file, m_format);
        configure(reader);
        const QSize full = reader.size();
        const QSize allocated = fullDecodeSize(file, full);
        if (!withinCap(full) || !withinCap(allocated))
            return QImage();
        QImage img;
        ++g_decodes;
        if (want.boundedTo(full) != full && reader.supportsOption(QImageIOHandler::ScaledSize)) {
            want = want.boundedTo(full);
            reader.setScaledSize(want);
            const DecodeGate::Pass pass(g_gate, qint64(want.width()) * want.height() * 4);
            reader.read(&img);
            return img;
        }
        // GIF and BMP decode only at full size: hold the memory that takes,
        // and keep nothing of the full image beyond this function.
        const DecodeGate::Pass pass(g_gate, qint64(allocated.width()) * allocated.height() * 4);
        if (!reader.read(&img))
            return QImage();
        want = want.boundedTo(img.size());
        if (img.size() != want)
            img = img.scaled(want, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return img;
    }

    QString m_path;
    QString m_stamp;
    QByteArray m_format;
    QSize m_pixels;
    QSize m_decoded; // what a full decode gives (a GIF's whole logical screen)
    mutable std::atomic<bool> m_failed{false};
};

/// An image decoded beforehand, drawn stretched.
class HeldPicture final : public PictureData {
public:
    HeldPicture(QImage image, QSize twips) : m_image(std::move(image)), m_twips(twips) {}
    QSize naturalTwips() const override { return m_twips; }
    void draw(QPainter &painter, const QRectF &target) const override {
        if (target.isEmpty())
            return;
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(target, m_image);
        painter.restore();
    }
    QImage image(QSize, bool) const override { return m_image; }

private:
    QImage m_image;
    QSize m_twips;
};

/// A metafile too large to hold in memory is read again for each drawing;
/// it draws only while its name still leads to a regular file.
class GuardedPicture final : public PictureData {
public:
    GuardedPicture(std::shared_ptr<const PictureData> inner, QString path)
        : m_inner(std::move(inner)), m_path(std::move(path)) {}
    QSize naturalTwips() const override { return m_inner->naturalTwips(); }
    bool isVector() const override { return m_inner->isVector(); }
    void draw(QPainter &painter, const QRectF &target) const override {
        if (isRegularFile(m_path))
            m_inner->draw(painter, target);
    }

private:
    std::shared_ptr<const PictureData> m_inner;
    QString m_path;
};

/// Metafiles up to this size are read once and played from memory.
constexpr qint64 kHeldMetafileBytes = 4 * 1024 * 1024;

QThreadPool &decodePool() {
    // Two decodes at a time: enough to use both cores of a small machine,
    // few enough that the full-size images in flight stay small.
    static QThreadPool *pool = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(std::clamp(QThread::idealThreadCount(), 1, 2));
        p->setExpiryTimeout(2000);
        return p;
    }();
    return *pool;
}

} // namespace

bool isRegularFile(const QString &fileName) {
    struct stat st;
    return ::stat(QFile::encodeName(fileName).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

Picture Picture::load(const QString &fileName) {
    Picture p;
    p.m_fileName = fileName;
    if (fileName.isEmpty())
        return p;
    QFile file;
    QString stamp;
    if (!openRegular(fileName, file, &stamp))
        return p;
    const QByteArray suffix = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (suffix == "wmf") {
        if (file.size() <= kHeldMetafileBytes) {
            p.d = wmf::pictureFromData(file.readAll());
        } else {
            file.close();
            if (auto inner = wmf::openPicture(fileName))
                p.d = std::make_shared<GuardedPicture>(std::move(inner), fileName);
        }
        return p;
    }
    QImageReader reader(&file, suffix);
    configure(reader);
    const QSize size = reader.size(); // header only
    const QSize decoded = fullDecodeSize(file, size);
    if (!withinCap(size) || !withinCap(decoded))
        return p;
    p.d = std::make_shared<RasterPicture>(fileName, stamp, suffix, size, decoded);
    return p;
}

Picture Picture::fromImage(const QImage &image, QSize naturalTwips, const QString &fileName) {
    Picture p;
    p.m_fileName = fileName;
    if (!image.isNull())
        p.d = std::make_shared<HeldPicture>(image, naturalTwips);
    return p;
}

QSize Picture::naturalTwips() const {
    return d ? d->naturalTwips() : QSize();
}

void Picture::draw(QPainter &painter, const QRectF &target) const {
    if (d)
        d->draw(painter, target);
}

QImage Picture::render(const QSize &pixels) const {
    QImage img(pixels, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    if (d) {
        QPainter p(&img);
        d->draw(p, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    return img;
}

QImage Picture::image(const QSize &pixels, bool keep) const {
    return d && !pixels.isEmpty() ? d->image(pixels, keep) : QImage();
}

std::vector<QImage> Picture::decodeAll(const std::vector<DecodeJob> &jobs, bool keep) {
    std::vector<QImage> out(jobs.size());
    QThreadPool &pool = decodePool();
    if (jobs.size() < 2 || pool.maxThreadCount() < 2) {
        for (size_t i = 0; i < jobs.size(); ++i)
            out[i] = jobs[i].picture.image(jobs[i].pixels, keep);
        return out;
    }
    QSemaphore done;
    QImage *results = out.data();
    for (size_t i = 0; i < jobs.size(); ++i)
        pool.start([&jobs, &done, results, i, keep] {
            results[i] = jobs[i].picture.image(jobs[i].pixels, keep);
            done.release();
        });
    done.acquire(int(jobs.size()));
    return out;
}

long Picture::decodeCount() {
    return g_decodes.load();
}
