#pragma once
// Pictures loaded by file name relative to the working directory.
// A picture knows its natural size in twips from the file header alone and
// draws stretched into any rectangle on any painter, decoding raster data at
// the resolution that target needs. A missing or damaged file, or anything
// that is not a regular file, gives a null picture, which draws nothing (an
// empty frame). Decoded pixels live in the program's one PictureCache.

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

class QPainter;

/// What a picture format provides. Raster formats live in picture.cpp, the
/// Windows Metafile player in wmf/.
class PictureData {
public:
    virtual ~PictureData() = default;
    virtual QSize naturalTwips() const = 0;
    /// Draws the picture stretched into target (in the painter's coordinates).
    virtual void draw(QPainter &painter, const QRectF &target) const = 0;
    /// True for vector formats (they stay sharp at any scale).
    virtual bool isVector() const { return false; }
    /// Raster formats: the picture decoded at about `pixels` (never larger
    /// than the file); null for vector formats.
    virtual QImage image(QSize pixels, bool keep) const {
        Q_UNUSED(pixels);
        Q_UNUSED(keep);
        return QImage();
    }
};

class Picture {
public:
    Picture() = default;
    /// Opens the file and reads its header; never decodes pixels here.
    static Picture load(const QString &fileName);

    bool isNull() const { return !d; }
    /// Natural size in twips (raster: pixels x 15); empty for a null picture.
    QSize naturalTwips() const;
    QString fileName() const { return m_fileName; }
    bool isVector() const { return d && d->isVector(); }

    /// Draws stretched into target; a null picture draws nothing.
    void draw(QPainter &painter, const QRectF &target) const;
    /// Renders into a new image of the given pixel size (transparent where
    /// the picture leaves the background).
    QImage render(const QSize &pixels) const;
    /// A raster picture decoded at `pixels` (bounded by its natural size),
    /// taken from the picture cache or decoded and, if `keep`, put there.
    /// Formats that only decode at full size are scaled down at once and the
    /// full image dropped. Null for vector and null pictures.
    QImage image(const QSize &pixels, bool keep = true) const;

    /// A picture that draws an image decoded beforehand (printing draws the
    /// page's pictures from images decoded side by side).
    static Picture fromImage(const QImage &image, QSize naturalTwips, const QString &fileName);

    struct DecodeJob;
    /// Decodes raster pictures side by side on a small pool of threads (the
    /// number of threads and the full-size images in flight are bounded, so
    /// memory stays bounded). Returns the images in job order.
    static std::vector<QImage> decodeAll(const std::vector<DecodeJob> &jobs, bool keep);

    bool operator==(const Picture &o) const { return d == o.d; }

    /// How many raster decodes ran in this process (for tests and benchmarks).
    static long decodeCount();

private:
    std::shared_ptr<const PictureData> d;
    QString m_fileName;
};

struct Picture::DecodeJob {
    Picture picture;
    QSize pixels;
};

/// Largest raster picture we decode, in pixels (larger images are refused as
/// damaged; the cap bounds memory for hostile files). Full-size decodes in
/// flight at once never exceed this many pixels together.
constexpr long long kMaxPicturePixels = 64LL * 1024 * 1024;

/// True for a regular file or a link to one (never blocks, unlike open()).
bool isRegularFile(const QString &fileName);
