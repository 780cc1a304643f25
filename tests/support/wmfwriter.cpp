#include "support/wmfwriter.h"

#include <QFile>
#include <QHash>
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
QByteArray wordBytes(const QList<int> &w) {
    QByteArray b;
    for (int v : w)
        put16(b, v);
    return b;
}
QByteArray colorRef(QColor c) {
    QByteArray b;
    put32(b, std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) |
                 (std::uint32_t(c.blue()) << 16));
    return b;
}
QByteArray padded(QByteArray text) {
    if (text.size() % 2)
        text.append('\0');
    return text;
}
/// Width and height of a packed DIB with a 40-byte header.
QSize dibSize(const QByteArray &dib) {
    return QSize(qFromLittleEndian<std::int32_t>(dib.constData() + 4),
                 qAbs(qFromLittleEndian<std::int32_t>(dib.constData() + 8)));
}

} // namespace

WmfWriter WmfWriter::placeable(int left, int top, int right, int bottom, int unitsPerInch) {
    WmfWriter w;
    w.m_placeable = true;
    w.m_bbox[0] = left, w.m_bbox[1] = top, w.m_bbox[2] = right, w.m_bbox[3] = bottom;
    w.m_inch = unitsPerInch;
    return w;
}

WmfWriter &WmfWriter::recordBytes(std::uint16_t function, const QByteArray &params) {
    const QByteArray p = padded(params);
    const std::uint32_t size = std::uint32_t(3 + p.size() / 2);
    put32(m_records, size);
    put16(m_records, function);
    m_records.append(p);
    m_maxRecordWords = qMax(m_maxRecordWords, size);
    return *this;
}

WmfWriter &WmfWriter::words(std::uint16_t function, const QList<int> &params) {
    return recordBytes(function, wordBytes(params));
}

WmfWriter &WmfWriter::colour(std::uint16_t function, QColor c, const QList<int> &after) {
    return recordBytes(function, colorRef(c) + wordBytes(after));
}

WmfWriter &WmfWriter::points(std::uint16_t function, const QList<QPoint> &pts) {
    QByteArray b = wordBytes({int(pts.size())});
    for (QPoint p : pts)
        b.append(wordBytes({p.x(), p.y()}));
    return recordBytes(function, b);
}

WmfWriter &WmfWriter::create(std::uint16_t function, const QByteArray &params) {
    // The object takes the lowest free slot; the header counts every slot used.
    const qsizetype slot = m_used.indexOf(false);
    if (slot < 0)
        m_used.append(true);
    else
        m_used[slot] = true;
    return recordBytes(function, params);
}

WmfWriter &WmfWriter::createPen(int style, int width, QColor c) {
    return create(0x02FA, wordBytes({style, width, 0}) + colorRef(c));
}

WmfWriter &WmfWriter::createBrush(int style, QColor c, int hatch) {
    return create(0x02FC, wordBytes({style}) + colorRef(c) + wordBytes({hatch}));
}

WmfWriter &WmfWriter::createFont(int height, const QByteArray &face, int weight, int charset,
                                 int escapement, bool italic, bool underline) {
    QByteArray b = wordBytes({height, 0, escapement, escapement, weight});
    // italic, underline, strike out, charset, then precisions, quality, pitch
    b.append(char(italic)).append(char(underline)).append(char(0)).append(char(charset));
    b.append(QByteArray(4, '\0'));
    b.append(face.left(31)).append('\0');
    return create(0x02FB, b);
}

WmfWriter &WmfWriter::createDibPatternBrush(const QByteArray &dib) {
    return create(0x0142, wordBytes({5, 0}) + dib); // BS_DIBPATTERN, DIB_RGB_COLORS
}

WmfWriter &WmfWriter::deleteObject(int index) {
    if (index >= 0 && index < m_used.size())
        m_used[index] = false;
    return words(0x01F0, {index});
}

WmfWriter &WmfWriter::polyPolygon(const QList<QList<QPoint>> &polys) {
    QByteArray b = wordBytes({int(polys.size())});
    for (const auto &poly : polys)
        put16(b, int(poly.size()));
    for (const auto &poly : polys)
        for (QPoint p : poly)
            b.append(wordBytes({p.x(), p.y()}));
    return recordBytes(0x0538, b);
}

WmfWriter &WmfWriter::patBlt(int x, int y, int w, int h, std::uint32_t rop) {
    return blt(0x061D, rop, {h, w, y, x}, {});
}

WmfWriter &WmfWriter::textOut(int x, int y, const QByteArray &text) {
    return recordBytes(0x0521, wordBytes({int(text.size())}) + padded(text) + wordBytes({y, x}));
}

WmfWriter &WmfWriter::extTextOut(int x, int y, const QByteArray &text, int options, QRect rect,
                                 const QList<std::int16_t> &dx) {
    QByteArray b = wordBytes({y, x, int(text.size()), options});
    if (options & 0x0006)
        b.append(wordBytes({rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}));
    b.append(padded(text));
    for (std::int16_t d : dx)
        put16(b, d);
    return recordBytes(0x0A32, b);
}

WmfWriter &WmfWriter::stretchDib(int x, int y, int w, int h, const QByteArray &dib,
                                 std::uint32_t rop) {
    const QSize s = dibSize(dib);
    return blt(0x0F43, rop, {0, s.height(), s.width(), 0, 0, h, w, y, x}, dib);
}

WmfWriter &WmfWriter::dibStretchBlt(int x, int y, int w, int h, const QByteArray &dib,
                                    std::uint32_t rop) {
    const QSize s = dibSize(dib);
    return blt(0x0B41, rop, {s.height(), s.width(), 0, 0, h, w, y, x}, dib);
}

WmfWriter &WmfWriter::dibBitBlt(int x, int y, const QByteArray &dib, std::uint32_t rop) {
    const QSize s = dibSize(dib);
    return blt(0x0940, rop, {0, 0, s.height(), s.width(), y, x}, dib);
}

WmfWriter &WmfWriter::blt(std::uint16_t function, std::uint32_t rop, const QList<int> &params,
                          const QByteArray &dib) {
    QByteArray b;
    put32(b, rop);
    return recordBytes(function, b + wordBytes(params) + dib);
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
    put16(out, int(m_used.size()));
    put32(out, m_maxRecordWords);
    put16(out, 0);
    out.append(recs);
    return out;
}

QByteArray WmfWriter::unsized(const QByteArray &file) {
    const qsizetype start =
        file.size() >= 4 && qFromLittleEndian<quint32>(file.constData()) == 0x9AC6CDD7u ? 22 : 0;
    QByteArray out = file.mid(start, 18);
    for (qsizetype at = start + 18; at + 6 <= file.size();) {
        const qsizetype bytes = qsizetype(qFromLittleEndian<quint32>(file.constData() + at)) * 2;
        if (bytes < 6 || at + bytes > file.size())
            break;
        if (qFromLittleEndian<quint16>(file.constData() + at + 4) != 0x020C)
            out.append(file.mid(at, bytes));
        at += bytes;
    }
    return out;
}

bool WmfWriter::save(const QString &path) const {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes()) >= 0 && f.flush();
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

namespace {
/// Points at random over the whole 16-bit range, the same for a seed on
/// every machine.
class FarPoints {
public:
    explicit FarPoints(quint32 seed) : m_seed(seed) {}
    int coordinate() {
        m_seed = m_seed * 1103515245u + 12345u;
        return int((m_seed >> 8) & 0xFFFF) - 32768;
    }
    QPoint point() { return QPoint(coordinate(), coordinate()); }
    QList<QPoint> points(int n) {
        QList<QPoint> out;
        for (int i = 0; i < n; ++i)
            out.append(point());
        return out;
    }

private:
    quint32 m_seed;
};

/// A frame x frame placeable picture around the origin.
WmfWriter farStart(int frame, int penWidth) {
    const int half = frame / 2;
    WmfWriter w = WmfWriter::placeable(-half, -half, frame - half, frame - half, 1440);
    w.setWindowOrg(-half, -half).setWindowExt(frame, frame);
    w.createPen(0, penWidth, Qt::darkBlue).selectObject(0);
    w.createBrush(0, Qt::yellow).selectObject(1);
    return w;
}
} // namespace

QByteArray WmfWriter::randomPolygon(int points, int frame, int penWidth, quint32 seed) {
    FarPoints far(seed);
    return farStart(frame, penWidth).polygon(far.points(points)).bytes();
}

QByteArray WmfWriter::farShapes(int count, int frame, int penWidth, quint32 seed) {
    FarPoints far(seed);
    WmfWriter w = farStart(frame, penWidth);
    for (int i = 0; i < count; ++i) {
        const QPoint a = far.point(), b = far.point();
        switch (i % 8) {
        case 0:
            w.polygon(far.points(8));
            break;
        case 1:
            w.polyline(far.points(6));
            break;
        case 2:
            w.lineTo(a.x(), a.y());
            break;
        case 3:
            w.rectangle(a.x(), a.y(), b.x(), b.y());
            break;
        case 4:
            w.ellipse(a.x(), a.y(), b.x(), b.y());
            break;
        case 5:
            w.roundRect(a.x(), a.y(), b.x(), b.y(), 3000, 3000);
            break;
        case 6:
            w.arc(0x081A, a.x(), a.y(), b.x(), b.y(), far.point(), far.point()); // Pie
            break;
        default:
            w.polyPolygon({far.points(5), far.points(5)});
            break;
        }
    }
    return w.bytes();
}
