#include "support/wmfwriter.h"

#include <QFile>
#include <QHash>
#include <QRect>
#include <QtEndian>

namespace {

void put16(QByteArray &b, int v) {
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
void put32(QByteArray &b, std::uint32_t v) {
    put16(b, int(v & 0xFFFF));
    put16(b, int(v >> 16));
}
std::uint32_t colorRef(QColor c) {
    return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) |
           (std::uint32_t(c.blue()) << 16);
}
QByteArray words(const QList<int> &w) {
    QByteArray b;
    for (int v : w)
        put16(b, v);
    return b;
}
QByteArray padded(QByteArray text) {
    if (text.size() % 2)
        text.append('\0');
    return text;
}

} // namespace

WmfWriter WmfWriter::placeable(int left, int top, int right, int bottom, int unitsPerInch) {
    WmfWriter w;
    w.m_placeable = true;
    w.m_bbox[0] = left, w.m_bbox[1] = top, w.m_bbox[2] = right, w.m_bbox[3] = bottom;
    w.m_inch = unitsPerInch;
    return w;
}

WmfWriter WmfWriter::plain() {
    return WmfWriter();
}

WmfWriter &WmfWriter::recordBytes(std::uint16_t function, const QByteArray &params) {
    QByteArray p = padded(params);
    const std::uint32_t size = std::uint32_t(3 + p.size() / 2);
    m_offsets.append(int(m_records.size()));
    put32(m_records, size);
    put16(m_records, function);
    m_records.append(p);
    m_maxRecordWords = qMax(m_maxRecordWords, size);
    return *this;
}

WmfWriter &WmfWriter::record(std::uint16_t function, const QList<std::int16_t> &w) {
    QByteArray b;
    for (std::int16_t v : w)
        put16(b, v);
    return recordBytes(function, b);
}

WmfWriter &WmfWriter::setMapMode(int mode) {
    return recordBytes(0x0103, words({mode}));
}
WmfWriter &WmfWriter::setWindowOrg(int x, int y) {
    return recordBytes(0x020B, words({y, x}));
}
WmfWriter &WmfWriter::setWindowExt(int x, int y) {
    return recordBytes(0x020C, words({y, x}));
}
WmfWriter &WmfWriter::setViewportOrg(int x, int y) {
    return recordBytes(0x020D, words({y, x}));
}
WmfWriter &WmfWriter::setViewportExt(int x, int y) {
    return recordBytes(0x020E, words({y, x}));
}
WmfWriter &WmfWriter::offsetWindowOrg(int x, int y) {
    return recordBytes(0x020F, words({y, x}));
}
WmfWriter &WmfWriter::scaleWindowExt(int xNum, int xDen, int yNum, int yDen) {
    return recordBytes(0x0410, words({yDen, yNum, xDen, xNum}));
}
WmfWriter &WmfWriter::saveDC() {
    return recordBytes(0x001E, {});
}
WmfWriter &WmfWriter::restoreDC(int n) {
    return recordBytes(0x0127, words({n}));
}
WmfWriter &WmfWriter::setBkMode(int mode) {
    return recordBytes(0x0102, words({mode}));
}
WmfWriter &WmfWriter::setBkColor(QColor c) {
    QByteArray b;
    put32(b, colorRef(c));
    return recordBytes(0x0201, b);
}
WmfWriter &WmfWriter::setTextColor(QColor c) {
    QByteArray b;
    put32(b, colorRef(c));
    return recordBytes(0x0209, b);
}
WmfWriter &WmfWriter::setTextAlign(int align) {
    return recordBytes(0x012E, words({align}));
}
WmfWriter &WmfWriter::setPolyFillMode(int mode) {
    return recordBytes(0x0106, words({mode}));
}
WmfWriter &WmfWriter::setROP2(int rop) {
    return recordBytes(0x0104, words({rop}));
}
WmfWriter &WmfWriter::intersectClipRect(int l, int t, int r, int b) {
    return recordBytes(0x0416, words({b, r, t, l}));
}
WmfWriter &WmfWriter::excludeClipRect(int l, int t, int r, int b) {
    return recordBytes(0x0415, words({b, r, t, l}));
}

namespace {
int takeSlot(QList<bool> &used) {
    for (int i = 0; i < used.size(); ++i)
        if (!used[i]) {
            used[i] = true;
            return i;
        }
    used.append(true);
    return int(used.size() - 1);
}
} // namespace

WmfWriter &WmfWriter::createPen(int style, int width, QColor c) {
    QByteArray b = words({style, width, 0});
    put32(b, colorRef(c));
    takeSlot(m_used);
    m_maxObjects = qMax(m_maxObjects, int(m_used.size()));
    return recordBytes(0x02FA, b);
}

WmfWriter &WmfWriter::createBrush(int style, QColor c, int hatch) {
    QByteArray b = words({style});
    put32(b, colorRef(c));
    put16(b, hatch);
    takeSlot(m_used);
    m_maxObjects = qMax(m_maxObjects, int(m_used.size()));
    return recordBytes(0x02FC, b);
}

WmfWriter &WmfWriter::createFont(int height, const QByteArray &face, int weight, int charset,
                                 int escapement, bool italic, bool underline) {
    QByteArray b = words({height, 0, escapement, escapement, weight});
    b.append(char(italic));
    b.append(char(underline));
    b.append(char(0)); // strike out
    b.append(char(charset));
    b.append(char(0)); // out precision
    b.append(char(0)); // clip precision
    b.append(char(0)); // quality
    b.append(char(0)); // pitch and family
    QByteArray name = face.left(31);
    name.append('\0');
    b.append(name);
    takeSlot(m_used);
    m_maxObjects = qMax(m_maxObjects, int(m_used.size()));
    return recordBytes(0x02FB, b);
}

WmfWriter &WmfWriter::createDibPatternBrush(const QByteArray &dib) {
    QByteArray b = words({5, 0}); // BS_DIBPATTERN, DIB_RGB_COLORS
    b.append(dib);
    takeSlot(m_used);
    m_maxObjects = qMax(m_maxObjects, int(m_used.size()));
    return recordBytes(0x0142, b);
}

WmfWriter &WmfWriter::selectObject(int index) {
    return recordBytes(0x012D, words({index}));
}

WmfWriter &WmfWriter::deleteObject(int index) {
    if (index >= 0 && index < m_used.size())
        m_used[index] = false;
    return recordBytes(0x01F0, words({index}));
}

WmfWriter &WmfWriter::moveTo(int x, int y) {
    return recordBytes(0x0214, words({y, x}));
}
WmfWriter &WmfWriter::lineTo(int x, int y) {
    return recordBytes(0x0213, words({y, x}));
}
WmfWriter &WmfWriter::rectangle(int l, int t, int r, int b) {
    return recordBytes(0x041B, words({b, r, t, l}));
}
WmfWriter &WmfWriter::roundRect(int l, int t, int r, int b, int w, int h) {
    return recordBytes(0x061C, words({h, w, b, r, t, l}));
}
WmfWriter &WmfWriter::ellipse(int l, int t, int r, int b) {
    return recordBytes(0x0418, words({b, r, t, l}));
}
WmfWriter &WmfWriter::arc(std::uint16_t function, int l, int t, int r, int b, QPoint start,
                          QPoint end) {
    return recordBytes(function, words({end.y(), end.x(), start.y(), start.x(), b, r, t, l}));
}

WmfWriter &WmfWriter::polygon(const QList<QPoint> &pts) {
    QByteArray b = words({int(pts.size())});
    for (QPoint p : pts)
        b.append(words({p.x(), p.y()}));
    return recordBytes(0x0324, b);
}

WmfWriter &WmfWriter::polyline(const QList<QPoint> &pts) {
    QByteArray b = words({int(pts.size())});
    for (QPoint p : pts)
        b.append(words({p.x(), p.y()}));
    return recordBytes(0x0325, b);
}

WmfWriter &WmfWriter::polyPolygon(const QList<QList<QPoint>> &polys) {
    QByteArray b = words({int(polys.size())});
    for (const auto &poly : polys)
        put16(b, int(poly.size()));
    for (const auto &poly : polys)
        for (QPoint p : poly)
            b.append(words({p.x(), p.y()}));
    return recordBytes(0x0538, b);
}

WmfWriter &WmfWriter::setPixel(int x, int y, QColor c) {
    QByteArray b;
    put32(b, colorRef(c));
    b.append(words({y, x}));
    return recordBytes(0x041F, b);
}

WmfWriter &WmfWriter::patBlt(int x, int y, int w, int h, std::uint32_t rop) {
    QByteArray b;
    put32(b, rop);
    b.append(words({h, w, y, x}));
    return recordBytes(0x061D, b);
}

WmfWriter &WmfWriter::textOut(int x, int y, const QByteArray &text) {
    QByteArray b = words({int(text.size())});
    b.append(padded(text));
    b.append(words({y, x}));
    return recordBytes(0x0521, b);
}

WmfWriter &WmfWriter::extTextOut(int x, int y, const QByteArray &text, int options, QRect rect,
                                 const QList<std::int16_t> &dx) {
    QByteArray b = words({y, x, int(text.size()), options});
    if (options & 0x0006)
        b.append(words({rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}));
    b.append(padded(text));
    for (std::int16_t d : dx)
        put16(b, d);
    return recordBytes(0x0A32, b);
}

WmfWriter &WmfWriter::stretchDib(int x, int y, int w, int h, const QByteArray &dib,
                                 std::uint32_t rop) {
    const int dw = qFromLittleEndian<std::int32_t>(dib.constData() + 4);
    const int dh = qAbs(qFromLittleEndian<std::int32_t>(dib.constData() + 8));
    QByteArray b;
    put32(b, rop);
    b.append(words({0, dh, dw, 0, 0, h, w, y, x}));
    b.append(dib);
    return recordBytes(0x0F43, b);
}

WmfWriter &WmfWriter::dibStretchBlt(int x, int y, int w, int h, const QByteArray &dib,
                                    std::uint32_t rop) {
    const int dw = qFromLittleEndian<std::int32_t>(dib.constData() + 4);
    const int dh = qAbs(qFromLittleEndian<std::int32_t>(dib.constData() + 8));
    QByteArray b;
    put32(b, rop);
    b.append(words({dh, dw, 0, 0, h, w, y, x}));
    b.append(dib);
    return recordBytes(0x0B41, b);
}

WmfWriter &WmfWriter::dibBitBlt(int x, int y, const QByteArray &dib, std::uint32_t rop) {
    const int dw = qFromLittleEndian<std::int32_t>(dib.constData() + 4);
    const int dh = qAbs(qFromLittleEndian<std::int32_t>(dib.constData() + 8));
    QByteArray b;
    put32(b, rop);
    b.append(words({0, 0, dh, dw, y, x}));
    b.append(dib);
    return recordBytes(0x0940, b);
}

QByteArray WmfWriter::bytes(bool withEof) const {
    QByteArray recs = m_records;
    if (withEof)
        recs.append(QByteArray::fromHex("030000000000"));
    QByteArray out;
    if (m_placeable) {
        QByteArray ph;
        put32(ph, 0x9AC6CDD7u);
        put16(ph, 0);
        for (int v : m_bbox)
            put16(ph, v);
        put16(ph, m_inch);
        put32(ph, 0);
        std::uint16_t sum = 0;
        for (int i = 0; i < 20; i += 2)
            sum ^= std::uint16_t(uchar(ph[i]) | (uchar(ph[i + 1]) << 8));
        put16(ph, sum);
        out.append(ph);
    }
    put16(out, 1);      // memory metafile
    put16(out, 9);      // header words
    put16(out, 0x0300); // version
    put32(out, std::uint32_t(9 + recs.size() / 2));
    put16(out, m_maxObjects);
    put32(out, m_maxRecordWords);
    put16(out, 0);
    out.append(recs);
    return out;
}

bool WmfWriter::save(const QString &path) const {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes()) >= 0 && f.flush();
}

QList<int> WmfWriter::recordOffsets() const {
    const int head = (m_placeable ? 22 : 0) + 18;
    QList<int> out;
    for (int o : m_offsets)
        out.append(head + o);
    return out;
}

QByteArray WmfWriter::dib(const QImage &src, int bits) {
    const QImage img = src.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    QList<QRgb> palette;
    QHash<QRgb, int> index;
    if (bits <= 8) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb c = img.pixel(x, y) | 0xFF000000u;
                if (!index.contains(c) && palette.size() < (1 << bits)) {
                    index.insert(c, int(palette.size()));
                    palette.append(c);
                }
            }
    }
    const int stride = ((w * bits + 31) / 32) * 4;
    QByteArray b;
    put32(b, 40);
    put32(b, std::uint32_t(w));
    put32(b, std::uint32_t(h)); // bottom-up
    put16(b, 1);
    put16(b, bits);
    put32(b, 0);
    put32(b, std::uint32_t(stride * h));
    put32(b, 2835);
    put32(b, 2835);
    put32(b, bits <= 8 ? std::uint32_t(palette.size()) : 0);
    put32(b, 0);
    for (QRgb c : palette) {
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append(char(0));
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = img.pixel(x, y) | 0xFF000000u;
            if (bits == 24) {
                row[3 * x] = char(qBlue(c));
                row[3 * x + 1] = char(qGreen(c));
                row[3 * x + 2] = char(qRed(c));
            } else {
                const int i = index.value(c, 0);
                const int perByte = 8 / bits;
                const int shift = (perByte - 1 - x % perByte) * bits;
                row[x / perByte] = char(uchar(row[x / perByte]) | (i << shift));
            }
        }
        b.append(row);
    }
    return b;
}

namespace {
WmfWriter heavyStart(int penWidth) {
    WmfWriter w = WmfWriter::placeable(0, 0, 1000, 1000, 1000);
    w.setWindowOrg(0, 0).setWindowExt(1000, 1000);
    w.createPen(0, penWidth, Qt::darkBlue).selectObject(0);
    w.createBrush(0, Qt::yellow).selectObject(1);
    return w;
}
} // namespace

QByteArray WmfWriter::manyEllipses(int count, int penWidth) {
    WmfWriter w = heavyStart(penWidth);
    for (int i = 0; i < count; ++i) {
        const int x = (i * 37) % 800, y = (i * 91) % 800;
        w.ellipse(x, y, x + 200, y + 200);
    }
    return w.bytes();
}

QByteArray WmfWriter::bigPolyPolygons(int count, int points, int penWidth) {
    WmfWriter w = heavyStart(penWidth);
    QList<QList<QPoint>> polys(2);
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < points / 2; ++i)
            polys[k].append(QPoint(i * 1000 / qMax(1, points / 2), k * 500 + (i % 2) * 500));
    for (int i = 0; i < count; ++i)
        w.polyPolygon(polys);
    return w.bytes();
}

QByteArray WmfWriter::bigDibs(int count, int w, int h) {
    WmfWriter out = heavyStart(1);
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
    const QByteArray d = dib(img, 24);
    for (int i = 0; i < count; ++i)
        out.stretchDib(0, 0, 1000, 1000, d);
    return out.bytes();
}
