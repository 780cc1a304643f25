#include "drawing/wmf/wmfdib.h"

#include "drawing/wmf/wmfformat.h"

#include <bit>
#include <cstdint>

namespace wmf {

namespace {

std::uint16_t le16(const uchar *p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t le32(const uchar *p) {
    return le16(p) | (std::uint32_t(le16(p + 2)) << 16);
}

/// One colour channel of a bit-field pixel, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (mask) {
            shift = std::countr_zero(mask);
            max = mask >> shift;
        }
    }
    int get(std::uint32_t px) const {
        if (!max)
            return 0;
        return int((std::uint64_t((px & mask) >> shift) * 255 + max / 2) / max);
    }
};

} // namespace

QImage decodeDib(QByteArrayView dib, int colorUsage, const QList<QRgb> &logicalPalette,
                 qint64 pixelCap) {
    const auto *p = reinterpret_cast<const uchar *>(dib.data());
    const qint64 n = dib.size();
    if (n < 12)
        return {};
    const std::uint32_t headerSize = le32(p);
    qint64 width = 0, height = 0;
    int bits = 0;
    std::uint32_t compression = 0, colorsUsed = 0;
    int entryBytes = 4;
    if (headerSize == 12) { // BITMAPCOREHEADER
        width = le16(p + 4);
        height = le16(p + 6);
        bits = le16(p + 10);
        entryBytes = 3;
    } else if (headerSize >= 40 && headerSize <= 1024 && qint64(headerSize) <= n) {
        width = std::int32_t(le32(p + 4));
        height = std::int32_t(le32(p + 8));
        bits = le16(p + 14);
        compression = le32(p + 16);
        colorsUsed = le32(p + 32);
    } else {
        return {};
    }
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || width * height > pixelCap)
        return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return {};
    const bool bitFields = compression == 3;
    if (compression != 0 && !(bitFields && (bits == 16 || bits == 32)))
        return {}; // RLE, JPEG and PNG bitmaps are not drawn

    qint64 at = headerSize;
    // Bit-field masks follow a 40-byte header; larger headers hold them inside.
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bits == 32)
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (bitFields) {
        const qint64 maskAt = 40;
        if (n < maskAt + 12)
            return {};
        for (int i = 0; i < 3; ++i)
            masks[i] = le32(p + maskAt + 4 * i);
        if (headerSize == 40)
            at += 12;
    }

    // Colour table: colorsUsed entries, or the full table for <= 8 bits.
    qint64 entries = colorsUsed;
    if (entries == 0 && bits <= 8)
        entries = qint64(1) << bits;
    if (colorUsage == DIB_PAL_COLORS)
        entryBytes = 2;
    if (entries > 65536 || at + entries * entryBytes > n)
        return {};
    QList<QRgb> table;
    if (bits <= 8) {
        const qint64 used = qMin<qint64>(entries, qint64(1) << bits);
        table.reserve(used);
        for (qint64 i = 0; i < used; ++i) {
            const uchar *e = p + at + i * entryBytes;
            if (entryBytes == 2) {
                const int idx = le16(e);
                table.append(idx < logicalPalette.size() ? logicalPalette[idx] : qRgb(0, 0, 0));
            } else {
                table.append(qRgb(e[2], e[1], e[0]));
            }
        }
    }
    at += entries * entryBytes;

    const qint64 stride = ((width * bits + 31) / 32) * 4;
    if (stride * height > n - at)
        return {};

    QImage img(int(width), int(height), QImage::Format_RGB32);
    if (img.isNull())
        return {};
    const Channel r(masks[0]), g(masks[1]), b(masks[2]);
    const int w = int(width);
    for (qint64 y = 0; y < height; ++y) {
        const uchar *row = p + at + stride * (topDown ? y : height - 1 - y);
        auto *out = reinterpret_cast<QRgb *>(img.scanLine(int(y)));
        switch (bits) {
        case 1:
        case 4:
        case 8: {
            const int perByte = 8 / bits;
            const int mask = (1 << bits) - 1;
            for (int x = 0; x < w; ++x) {
                const int shift = (perByte - 1 - x % perByte) * bits;
                const int idx = (row[x / perByte] >> shift) & mask;
                out[x] = idx < table.size() ? table[idx] : qRgb(0, 0, 0);
            }
            break;
        }
        case 16:
            for (int x = 0; x < w; ++x) {
                const std::uint32_t px = le16(row + 2 * x);
                out[x] = qRgb(r.get(px), g.get(px), b.get(px));
            }
            break;
        case 24:
            for (int x = 0; x < w; ++x)
                out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
            break;
        case 32:
            for (int x = 0; x < w; ++x) {
                const std::uint32_t px = le32(row + 4 * x);
                out[x] = qRgb(r.get(px), g.get(px), b.get(px));
            }
            break;
        }
    }
    return img;
}

QImage decodeBitmap16(QByteArrayView bitmap, QRgb foreground, QRgb background, qint64 pixelCap) {
    const auto *p = reinterpret_cast<const uchar *>(bitmap.data());
    const qint64 n = bitmap.size();
    if (n < 10)
        return {};
    const qint64 width = std::int16_t(le16(p + 2));
    const qint64 height = std::int16_t(le16(p + 4));
    const qint64 widthBytes = le16(p + 6);
    const int planes = p[8];
    const int bits = p[9];
    if (width <= 0 || height <= 0 || width * height > pixelCap || planes != 1)
        return {};
    if (bits != 1 && bits != 24 && bits != 32)
        return {};
    if (widthBytes < (width * bits + 7) / 8 || widthBytes * height > n - 10)
        return {};
    QImage img(int(width), int(height), QImage::Format_RGB32);
    if (img.isNull())
        return {};
    for (qint64 y = 0; y < height; ++y) {
        const uchar *row = p + 10 + widthBytes * y;
        auto *out = reinterpret_cast<QRgb *>(img.scanLine(int(y)));
        for (qint64 x = 0; x < width; ++x) {
            if (bits == 1)
                out[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? background : foreground;
            else
                out[x] =
                    qRgb(row[x * (bits / 8) + 2], row[x * (bits / 8) + 1], row[x * (bits / 8)]);
        }
    }
    return img;
}

} // namespace wmf
