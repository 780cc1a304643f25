#pragma once
// Pictures loaded by file name relative to the working directory.
// A picture knows its natural size in twips from the file header alone and
// draws stretched into any rectangle on any painter, decoding raster data at
// the resolution that target needs. A missing or damaged file gives a null
// picture, which draws nothing (an empty frame).

#include <QRectF>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;
class QImage;

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

    bool operator==(const Picture &o) const { return d == o.d; }

    /// How many raster decodes ran in this process (for tests and benchmarks).
    static long decodeCount();

private:
    std::shared_ptr<const PictureData> d;
    QString m_fileName;
};

/// Largest raster picture we decode, in pixels (larger images are refused as
/// damaged; the cap bounds memory for hostile files).
constexpr long long kMaxPicturePixels = 64LL * 1024 * 1024;
