#include "drawing/wmf/wmfreader.h"

#include "drawing/wmf/wmfbounds.h"
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
    // is that extent at the window origin set before it. Only record headers
    // are read for it; nothing is played.
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
    // (files that draw in device units, text most often, set none), as the
    // player draws it: all of the file is played onto a device that only
    // measures. Nothing drawn, or more than a million pixels: refused.
    if (!wholeFile && !reader.atEof())
        return HeaderResult::NeedMore;
    const QRectF b = drawnBounds(data, h);
    if ((b.width() <= 0 && b.height() <= 0) || !(b.width() < 1e6 && b.height() < 1e6))
        return HeaderResult::Bad;
    h.drawnFrame = true;
    h.frameOrigin = QPointF(0, 0);
    h.frameShift = b.topLeft();
    h.frameExtent = QPointF(qMax(1.0, std::ceil(b.width())), qMax(1.0, std::ceil(b.height())));
    h.frameUnitTwips = 15.0;
    h.naturalTwips = QSize(twipsOf(h.frameExtent.x(), 15.0), twipsOf(h.frameExtent.y(), 15.0));
    *out = h;
    return HeaderResult::Ok;
}

} // namespace wmf
