#pragma once
// Bitmaps embedded in metafile records: device-independent bitmaps (DIB) and
// the old device-dependent Bitmap16. Sizes, palettes and pixel data are
// checked against the bytes of the record before anything is allocated.

#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QRgb>

namespace wmf {

/// Largest bitmap we decode, in pixels.
constexpr qint64 kMaxBitmapPixels = 64LL * 1024 * 1024;

/// Decodes a packed DIB (header, colour table, bits): 1, 4, 8, 16, 24 and 32
/// bits per pixel, uncompressed or with bit fields. Compressed DIBs (RLE,
/// JPEG, PNG) are not drawn. With DIB_PAL_COLORS the colour table holds
/// indexes into logicalPalette. Returns a null image for anything unusable or
/// over pixelCap.
QImage decodeDib(QByteArrayView dib, int colorUsage, const QList<QRgb> &logicalPalette,
                 qint64 pixelCap = kMaxBitmapPixels);

/// Decodes a Bitmap16 (10-byte header, then top-down rows of widthBytes):
/// monochrome (0 = foreground, 1 = background), 24 and 32 bits per pixel.
QImage decodeBitmap16(QByteArrayView bitmap, QRgb foreground, QRgb background,
                      qint64 pixelCap = kMaxBitmapPixels);

} // namespace wmf
