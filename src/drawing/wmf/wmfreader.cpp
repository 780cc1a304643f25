#include "drawing/wmf/wmfreader.h"

#include "drawing/wmf/wmfformat.h"

#include <QtMath>
#include <cmath>
#include <cstdlib>

namespace wmf {

double twipsPerUnit(int mapMode) {
    switch (mapMode) {
    case MM_LOMETRIC:
        return 1440.0 / 254.0;
    case MM_HIMETRIC:
        return 1440.0 / 2540.0;
    case MM_LOENGLISH:
        return 14.4;
    case MM_HIENGLISH:
        return 1.44;
    case MM_TWIPS:
        return 1.0;
    default:
        return 15.0; // text, isotropic, anisotropic: a 96-dpi pixel
    }
}

namespace {

std::uint16_t le16(const uchar *p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t le32(const uchar *p) {
    return le16(p) | (std::uint32_t(le16(p + 2)) << 16);
}

int twipsOf(double units, double twipsEach) {
    const double t = std::abs(units) * twipsEach;
    return qMax(1, int(qMin(t + 0.5, 1e9)));
}

/// Bounds, in device pixels, of what a plain file without a window extent
/// draws: shapes, lines, text (its box estimated from the last font's
/// height) and bitmaps, mapped by the origins and the mapping mode as the
/// player maps them. Empty when nothing is drawn.
QRectF drawnBounds(QByteArrayView data, qsizetype start) {
    int mapMode = MM_TEXT;
    QPointF winOrg, vpOrg, cp;
    int textAlign = 0;
    double em = 16; // the default font, 12 points
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool any = false;
    auto add = [&](QPointF a, QPointF b) {
        double k = 1, ky = 1;
        if (mapMode >= MM_LOMETRIC && mapMode <= MM_TWIPS) {
            k = twipsPerUnit(mapMode) / 15.0;
            ky = -k;
        }
        const QPointF da((a.x() - winOrg.x()) * k + vpOrg.x(),
                         (a.y() - winOrg.y()) * ky + vpOrg.y());
        const QPointF db((b.x() - winOrg.x()) * k + vpOrg.x(),
                         (b.y() - winOrg.y()) * ky + vpOrg.y());
        // By hand: QRectF's union drops rectangles of no size (points, lines).
        for (const QPointF &p : {da, db}) {
            x0 = any ? qMin(x0, p.x()) : p.x();
            y0 = any ? qMin(y0, p.y()) : p.y();
            x1 = any ? qMax(x1, p.x()) : p.x();
            y1 = any ? qMax(y1, p.y()) : p.y();
            any = true;
        }
    };
    auto addText = [&](QPointF at, int len) {
        const double w = len * em * 0.6, h = em * 1.2;
        double dx = 0, dy = 0;
        if ((textAlign & TA_HMASK) == TA_RIGHT)
            dx = -w;
        else if ((textAlign & TA_HMASK) == TA_CENTER)
            dx = -w / 2;
        if ((textAlign & TA_VMASK) == TA_BASELINE)
            dy = -em;
        else if ((textAlign & TA_VMASK) == TA_BOTTOM)
            dy = -h;
        add(at + QPointF(dx, dy), at + QPointF(dx + w, dy + h));
    };
    auto pt = [](const Record &r, qsizetype w) { return QPointF(r.s(w + 1), r.s(w)); };
    RecordReader reader(data, start);
    Record r;
    while (reader.next(&r)) {
        switch (r.function) {
        case SetMapMode:
            if (r.has(1) && r.u(0) >= MM_TEXT && r.u(0) <= MM_ANISOTROPIC)
                mapMode = r.u(0);
            break;
        case SetWindowOrg:
            if (r.has(2))
                winOrg = pt(r, 0);
            break;
        case SetViewportOrg:
            if (r.has(2))
                vpOrg = pt(r, 0);
            break;
        case OffsetWindowOrg:
            if (r.has(2))
                winOrg += pt(r, 0);
            break;
        case OffsetViewportOrg:
            if (r.has(2))
                vpOrg += pt(r, 0);
            break;
        case SetTextAlign:
            if (r.has(1))
                textAlign = r.u(0);
            break;
        case CreateFontIndirect:
            if (r.has(1) && r.s(0) != 0)
                em = std::abs(double(r.s(0)));
            break;
        case MoveTo:
            if (r.has(2))
                cp = pt(r, 0);
            break;
        case LineTo:
            if (r.has(2)) {
                add(cp, pt(r, 0));
                cp = pt(r, 0);
            }
            break;
        case Rectangle:
        case Ellipse:
        case RoundRect:
        case Arc:
        case Pie:
        case Chord: {
            const qsizetype at = r.function == RoundRect                            ? 2
                                 : r.function == Rectangle || r.function == Ellipse ? 0
                                                                                    : 4;
            if (r.has(at + 4))
                add(pt(r, at + 2), pt(r, at));
            break;
        }
        case Polygon:
        case Polyline: {
            const qsizetype n = r.has(1) ? r.s(0) : 0;
            for (qsizetype i = 0; i < n && r.has(1 + 2 * i + 2); ++i)
                add(QPointF(r.s(1 + 2 * i), r.s(2 + 2 * i)),
                    QPointF(r.s(1 + 2 * i), r.s(2 + 2 * i)));
            break;
        }
        case PolyPolygon: {
            const qsizetype polys = r.has(1) ? r.u(0) : 0;
            qsizetype total = 0;
            for (qsizetype i = 0; i < polys; ++i)
                total += r.u(1 + i);
            const qsizetype first = 1 + polys;
            for (qsizetype i = 0; i < total && r.has(first + 2 * i + 2); ++i) {
                const QPointF p(r.s(first + 2 * i), r.s(first + 2 * i + 1));
                add(p, p);
            }
            break;
        }
        case TextOut:
            if (r.has(1) && r.s(0) > 0) {
                const qsizetype strWords = (qsizetype(r.s(0)) + 1) / 2;
                if (r.has(1 + strWords + 2))
                    addText(pt(r, 1 + strWords), r.s(0));
            }
            break;
        case ExtTextOut:
            if (r.has(4)) {
                if (r.s(2) > 0)
                    addText(pt(r, 0), r.s(2));
                if ((r.u(3) & ETO_OPAQUE) && r.has(8))
                    add(QPointF(r.s(4), r.s(5)), QPointF(r.s(6), r.s(7)));
            }
            break;
        case SetPixel:
            if (r.has(4))
                add(pt(r, 2), pt(r, 2) + QPointF(1, 1));
            break;
        case PatBlt:
        case BitBlt:
        case DibBitBlt:
        case StretchBlt:
        case DibStretchBlt:
        case StretchDib: {
            // Destination x, y, width, height: the last four words before
            // the bitmap (the first six for PatBlt, the only form without one).
            qsizetype d = 0;
            if (r.function == PatBlt)
                d = 2;
            else if (r.function == StretchDib)
                d = 7;
            else if (r.function == StretchBlt || r.function == DibStretchBlt)
                d = r.words() == (r.function >> 8) ? 7 : 6;
            else
                d = r.words() == (r.function >> 8) ? 5 : 4;
            if (r.function == BitBlt || r.function == DibBitBlt) {
                if (r.words() == (r.function >> 8) && r.has(d + 4))
                    add(pt(r, d + 2), pt(r, d + 2) + QPointF(r.s(d + 1), r.s(d)));
                else if (r.has(8))
                    add(QPointF(r.s(7), r.s(6)), QPointF(r.s(7) + r.s(5), r.s(6) + r.s(4)));
            } else if (r.has(d + 4)) {
                add(pt(r, d + 2), pt(r, d + 2) + QPointF(r.s(d + 1), r.s(d)));
            }
            break;
        }
        default:
            break;
        }
    }
    return any ? QRectF(QPointF(x0, y0), QPointF(x1, y1)) : QRectF();
}

} // namespace

bool RecordReader::next(Record *r) {
    if (m_done)
        return false;
    const qsizetype left = m_data.size() - m_pos;
    if (left < 6 || m_count >= kMaxRecords) {
        m_done = true;
        m_damaged = left > 0 || m_count >= kMaxRecords;
        return false;
    }
    const auto *p = reinterpret_cast<const uchar *>(m_data.data()) + m_pos;
    const std::uint32_t sizeWords = le32(p);
    const std::uint16_t fn = le16(p + 4);
    if (fn == EOF_) {
        m_done = true;
        m_eof = true;
        return false;
    }
    // 3 words is the smallest record (size and function, no parameters).
    if (sizeWords < 3 || qint64(sizeWords) * 2 > left) {
        m_done = true;
        m_damaged = true;
        return false;
    }
    r->function = fn;
    r->params = p + 6;
    r->paramBytes = qsizetype(sizeWords) * 2 - 6;
    r->offset = m_pos;
    m_pos += qsizetype(sizeWords) * 2;
    ++m_count;
    return true;
}

HeaderResult readHeader(QByteArrayView data, bool wholeFile, Header *out) {
    Header h;
    const auto *p = reinterpret_cast<const uchar *>(data.data());
    const qsizetype n = data.size();
    auto need = [&](qsizetype bytes) { return n >= bytes; };
    auto shortData = [&] { return wholeFile ? HeaderResult::Bad : HeaderResult::NeedMore; };

    qsizetype at = 0;
    if (!need(4))
        return shortData();
    if (le32(p) == kPlaceableKey) {
        if (!need(kPlaceableHeaderBytes))
            return shortData();
        h.placeable = true;
        h.bboxLeft = std::int16_t(le16(p + 6));
        h.bboxTop = std::int16_t(le16(p + 8));
        h.bboxRight = std::int16_t(le16(p + 10));
        h.bboxBottom = std::int16_t(le16(p + 12));
        h.unitsPerInch = le16(p + 14);
        // The checksum at offset 20 is not checked: many writers get it wrong.
        at = kPlaceableHeaderBytes;
    }
    if (!need(at + kStandardHeaderBytes))
        return shortData();
    const uchar *s = p + at;
    h.type = le16(s);
    h.headerWords = le16(s + 2);
    h.version = le16(s + 4);
    h.sizeWords = le32(s + 6);
    h.numObjects = le16(s + 10);
    h.maxRecordWords = le32(s + 12);
    if ((h.type != 1 && h.type != 2) || h.headerWords != 9 ||
        (h.version != 0x0100 && h.version != 0x0300))
        return HeaderResult::Bad;
    h.recordsOffset = at + kStandardHeaderBytes;

    if (h.placeable) {
        // Natural size: bounding box x 1440 / units per inch.
        const int w = std::abs(int(h.bboxRight) - int(h.bboxLeft));
        const int ht = std::abs(int(h.bboxBottom) - int(h.bboxTop));
        if (h.unitsPerInch == 0 || w == 0 || ht == 0)
            return HeaderResult::Bad;
        h.frameOrigin = QPointF(qMin(h.bboxLeft, h.bboxRight), qMin(h.bboxTop, h.bboxBottom));
        h.frameExtent = QPointF(w, ht);
        const double twipsEach = 1440.0 / h.unitsPerInch;
        h.frameUnitTwips = twipsEach;
        h.naturalTwips = QSize(twipsOf(w, twipsEach), twipsOf(ht, twipsEach));
        *out = h;
        return HeaderResult::Ok;
    }

    // A plain file has no size of its own. Our rule: the extent of the first
    // SetWindowExt record (with both extents non-zero) within the first
    // kSizeScanBytes, converted to twips by the mapping mode set before it
    // (MM_TEXT if none; isotropic, anisotropic and text units count as 96-dpi
    // pixels, the metric and English modes by their physical unit). Its frame
    // is that extent at the window origin set before it. No such record: the
    // file is refused. Only record headers are read; nothing is played.
    int mapMode = MM_TEXT;
    QPointF org(0, 0);
    RecordReader reader(data, h.recordsOffset);
    Record r;
    while (reader.next(&r)) {
        if (r.offset >= kSizeScanBytes)
            break;
        if (r.function == SetMapMode && r.has(1)) {
            mapMode = r.u(0);
        } else if (r.function == SetWindowOrg && r.has(2)) {
            org = QPointF(r.s(1), r.s(0));
        } else if (r.function == SetWindowExt && r.has(2)) {
            const int ey = r.s(0), ex = r.s(1);
            if (ex == 0 || ey == 0)
                continue;
            h.frameOrigin = org;
            h.frameExtent = QPointF(ex, ey);
            const double twipsEach = twipsPerUnit(mapMode);
            h.frameUnitTwips = twipsEach;
            h.naturalTwips = QSize(twipsOf(ex, twipsEach), twipsOf(ey, twipsEach));
            // Fixed modes draw y upwards: the frame runs from the origin up.
            if (mapMode >= MM_LOMETRIC && mapMode <= MM_TWIPS)
                h.frameExtent = QPointF(std::abs(ex), -std::abs(ey));
            *out = h;
            return HeaderResult::Ok;
        }
    }
    // No extent: the picture is as large as what it draws, in device pixels
    // (files that draw in device units, text most often, set none). That
    // needs all of the file.
    if (!wholeFile && !reader.atEof())
        return HeaderResult::NeedMore;
    const QRectF b = drawnBounds(data, h.recordsOffset);
    if ((b.width() <= 0 && b.height() <= 0) || !(b.width() < 1e6 && b.height() < 1e6))
        return HeaderResult::Bad;
    h.frameOrigin = QPointF(0, 0);
    h.frameShift = b.topLeft();
    h.frameExtent = QPointF(qMax(1.0, std::ceil(b.width())), qMax(1.0, std::ceil(b.height())));
    h.frameUnitTwips = 15.0;
    h.naturalTwips = QSize(twipsOf(h.frameExtent.x(), 15.0), twipsOf(h.frameExtent.y(), 15.0));
    *out = h;
    return HeaderResult::Ok;
}

} // namespace wmf
