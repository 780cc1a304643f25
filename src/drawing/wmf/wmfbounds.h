#pragma once
// The size of a plain metafile that names none: the bounds of what it
// draws, found by playing it with the one player onto a device that paints
// nothing and only collects them.

#include <QByteArrayView>
#include <QRectF>

namespace wmf {

struct Header;

/// Bounds of what the records of data draw (fills, outlines with the width
/// of pens wider than a pixel, text boxes, bitmaps), in the pixels that a
/// frame of one unit each at the origin maps them to: MM_TEXT units as they
/// are, the metric and English modes by their size. Clipping is not looked
/// at. Empty when nothing is drawn.
QRectF drawnBounds(QByteArrayView data, const Header &header);

} // namespace wmf
