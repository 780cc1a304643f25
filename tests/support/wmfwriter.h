#pragma once
// Writes Windows Metafiles record by record, for tests, the fuzz corpus and
// the bundled samples. Parameters are given in the natural order (x before y,
// left, top, right, bottom); the writer stores them in the file's order.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>

class WmfWriter {
public:
    /// A placeable file with the given bounding box and units per inch.
    static WmfWriter placeable(int left, int top, int right, int bottom, int unitsPerInch = 1440);
    /// A plain file (standard header only).
    static WmfWriter plain() { return WmfWriter(); }

    /// A raw record, for damaged files and anything without a helper.
    WmfWriter &recordBytes(std::uint16_t function, const QByteArray &params);

    // Device context
    WmfWriter &setMapMode(int mode) { return words(0x0103, {mode}); }
    WmfWriter &setWindowOrg(int x, int y) { return words(0x020B, {y, x}); }
    WmfWriter &setWindowExt(int x, int y) { return words(0x020C, {y, x}); }
    WmfWriter &setViewportOrg(int x, int y) { return words(0x020D, {y, x}); }
    WmfWriter &setViewportExt(int x, int y) { return words(0x020E, {y, x}); }
    WmfWriter &offsetWindowOrg(int x, int y) { return words(0x020F, {y, x}); }
    WmfWriter &scaleWindowExt(int xNum, int xDen, int yNum, int yDen) {
        return words(0x0410, {yDen, yNum, xDen, xNum});
    }
    WmfWriter &saveDC() { return words(0x001E, {}); }
    WmfWriter &restoreDC(int n) { return words(0x0127, {n}); }
    WmfWriter &setBkMode(int mode) { return words(0x0102, {mode}); }
    WmfWriter &setBkColor(QColor c) { return colour(0x0201, c, {}); }
    WmfWriter &setTextColor(QColor c) { return colour(0x0209, c, {}); }
    WmfWriter &setTextAlign(int align) { return words(0x012E, {align}); }
    WmfWriter &setPolyFillMode(int mode) { return words(0x0106, {mode}); }
    WmfWriter &setROP2(int rop) { return words(0x0104, {rop}); }
    WmfWriter &intersectClipRect(int l, int t, int r, int b) { return words(0x0416, {b, r, t, l}); }
    WmfWriter &excludeClipRect(int l, int t, int r, int b) { return words(0x0415, {b, r, t, l}); }

    // Objects (each create takes the lowest free slot)
    WmfWriter &createPen(int style, int width, QColor c);
    WmfWriter &createBrush(int style, QColor c, int hatch = 0);
    WmfWriter &createFont(int height, const QByteArray &face, int weight = 400, int charset = 0,
                          int escapement = 0, bool italic = false, bool underline = false);
    WmfWriter &createDibPatternBrush(const QByteArray &dib);
    WmfWriter &selectObject(int index) { return words(0x012D, {index}); }
    WmfWriter &deleteObject(int index);

    // Drawing
    WmfWriter &moveTo(int x, int y) { return words(0x0214, {y, x}); }
    WmfWriter &lineTo(int x, int y) { return words(0x0213, {y, x}); }
    WmfWriter &rectangle(int l, int t, int r, int b) { return words(0x041B, {b, r, t, l}); }
    WmfWriter &roundRect(int l, int t, int r, int b, int w, int h) {
        return words(0x061C, {h, w, b, r, t, l});
    }
    WmfWriter &ellipse(int l, int t, int r, int b) { return words(0x0418, {b, r, t, l}); }
    WmfWriter &arc(std::uint16_t function, int l, int t, int r, int b, QPoint start, QPoint end) {
        return words(function, {end.y(), end.x(), start.y(), start.x(), b, r, t, l});
    }
    WmfWriter &polygon(const QList<QPoint> &pts) { return points(0x0324, pts); }
    WmfWriter &polyline(const QList<QPoint> &pts) { return points(0x0325, pts); }
    WmfWriter &polyPolygon(const QList<QList<QPoint>> &polys);
    WmfWriter &setPixel(int x, int y, QColor c) { return colour(0x041F, c, {y, x}); }
    WmfWriter &patBlt(int x, int y, int w, int h, std::uint32_t rop = 0x00F00021);
    WmfWriter &textOut(int x, int y, const QByteArray &text);
    WmfWriter &extTextOut(int x, int y, const QByteArray &text, int options = 0,
                          QRect rect = QRect(), const QList<std::int16_t> &dx = {});
    WmfWriter &stretchDib(int x, int y, int w, int h, const QByteArray &dib,
                          std::uint32_t rop = 0x00CC0020);
    WmfWriter &dibStretchBlt(int x, int y, int w, int h, const QByteArray &dib,
                             std::uint32_t rop = 0x00CC0020);
    WmfWriter &dibBitBlt(int x, int y, const QByteArray &dib, std::uint32_t rop = 0x00CC0020);

    /// The file: headers (with size, largest record, object count and
    /// checksum filled in) and the records, ended by an EOF record unless
    /// withEof is false.
    QByteArray bytes(bool withEof = true) const;
    bool save(const QString &path) const;

    /// The records of a whole file as a plain file without SetWindowExt,
    /// so that it is sized by what it draws.
    static QByteArray unsized(const QByteArray &file);

    /// A packed DIB of the image at 1, 4, 8 or 24 bits per pixel (the palette
    /// for <= 8 bits is made of the image's colours, at most 2^bits of them).
    static QByteArray dib(const QImage &image, int bits);

    // Valid pictures that are slow to draw, in a 1000 x 1000 placeable frame
    // (tests of the work budget, the benchmark, fuzz seeds).
    /// count ellipses drawn with a solid pen penWidth units wide.
    static QByteArray manyEllipses(int count, int penWidth);
    /// count PolyPolygon records, each of two zigzag polygons of points / 2
    /// points, outlined with a pen penWidth units wide.
    static QByteArray bigPolyPolygons(int count, int points, int penWidth);
    /// count StretchDib records of one 24-bit DIB of w x h pixels.
    static QByteArray bigDibs(int count, int w, int h);

    // Shapes that reach far beyond a frame x frame placeable picture around
    // the origin (frame at most 32767): points drawn at random (from seed)
    // over the whole 16-bit range.
    /// One polygon of that many points, filled, outlined with a pen penWidth
    /// units wide (0: the thinnest).
    static QByteArray randomPolygon(int points, int frame, int penWidth, quint32 seed = 1);
    /// count records, each a small shape of every kind in turn (polygon,
    /// polyline, line, rectangle, ellipse, rounded rectangle, pie,
    /// polypolygon), pen penWidth units wide.
    static QByteArray farShapes(int count, int frame, int penWidth, quint32 seed = 1);

private:
    WmfWriter &words(std::uint16_t function, const QList<int> &params);
    WmfWriter &colour(std::uint16_t function, QColor c, const QList<int> &after);
    WmfWriter &points(std::uint16_t function, const QList<QPoint> &pts);
    WmfWriter &create(std::uint16_t function, const QByteArray &params);
    WmfWriter &blt(std::uint16_t function, std::uint32_t rop, const QList<int> &params,
                   const QByteArray &dib);

    bool m_placeable = false;
    int m_bbox[4] = {0, 0, 0, 0};
    int m_inch = 1440;
    QByteArray m_records;
    QList<bool> m_used;
    std::uint32_t m_maxRecordWords = 3;
};
