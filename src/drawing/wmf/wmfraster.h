#pragma once
// What Qt's antialiasing scan converter does with an outline, for the
// player's work estimate, and the trimming of outlines that reach far
// beyond the frame. The converter steps through every scan line and cell of
// each edge that reaches the rows it renders, also where the edge lies
// outside the clip, and it renders those rows in bands: the more cells a
// band holds, the more bands, and every band walks the whole outline again.

#include <QList>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>

namespace wmf {

/// The converter's work for an outline, in device pixels.
struct RasterWork {
    double edges = 0;     // edges of the outline, looked at in every pass
    double walk = 0;      // scan lines and cells stepped along the edges, clipped or not
    double walkSpan = 0;  // each edge's steps times the rendered rows it spans
    double cells = 0;     // cells visited inside the rendered rows and columns
    double crossings = 0; // scan lines crossed inside them
    double length = 0;    // length inside them (what a thin pen draws)
    double rows = 0;      // rows rendered: the outline's height on the device
    double columns = 0;   // columns rendered: its width on the device
};

/// The work for polys (logical units, closed or open outlines drawn
/// together, as the subpaths of one path), drawn through toDevice on a
/// device whose pixels are device. Non-finite points count as endless.
RasterWork rasterWork(const QList<QPolygonF> &polys, bool closed, const QTransform &toDevice,
                      const QRectF &device);

/// The same for a path (a region, say): curves count as the lines through
/// their control points, every subpath closed.
RasterWork rasterWork(const QPainterPath &path, const QTransform &toDevice, const QRectF &device);

/// Scan-converter passes over an outline with this work: one per band.
double rasterPasses(const RasterWork &w);

/// poly cut to rect (the same units): every point inside rect keeps its
/// winding number, so the fill inside rect stays the same for both fill
/// rules. Outside excursions become runs along rect's sides. Empty when
/// nothing of poly covers rect.
QPolygonF clipPolygon(const QPolygonF &poly, const QRectF &rect);

/// The runs of an open polyline inside rect, in order.
QList<QPolygonF> clipPolyline(const QPolygonF &line, const QRectF &rect);

} // namespace wmf
