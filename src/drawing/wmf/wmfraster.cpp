#include "drawing/wmf/wmfraster.h"

#include <algorithm>
#include <cmath>

namespace wmf {

namespace {

/// Cells the converter's first memory pool holds: a band of rows is split in
/// halves until its cells fit, each split wasting the pass that overflowed.
constexpr double kBandCells = 340;
constexpr double kFirstBandRows = 42; // rows of a band before any split
constexpr double kUprightStep = 0.05; // a row of an upright edge, against a step

/// The part of the segment a-b inside rect as parameters t0 <= t1 in 0..1;
/// false when none of it is inside.
bool clipSegment(QPointF a, QPointF b, const QRectF &rect, double *t0, double *t1) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double lo = 0, hi = 1;
    auto side = [&](double p, double q) { // p * t <= q
        if (p == 0)
            return q >= 0;
        const double r = q / p;
        if (p < 0) {
            if (r > hi)
                return false;
            lo = std::max(lo, r);
        } else {
            if (r < lo)
                return false;
            hi = std::min(hi, r);
        }
        return true;
    };
    if (!side(-dx, a.x() - rect.left()) || !side(dx, rect.right() - a.x()) ||
        !side(-dy, a.y() - rect.top()) || !side(dy, rect.bottom() - a.y()))
        return false;
    *t0 = lo;
    *t1 = hi;
    return true;
}

/// One Sutherland-Hodgman pass: the polygon cut at one side of a rectangle.
/// inside(p) tells the kept side, cross(a, b) where a-b meets the line.
template <typename Inside, typename Cross>
void clipSide(const QPolygonF &in, QPolygonF *out, Inside inside, Cross cross) {
    out->clear();
    if (in.isEmpty())
        return;
    QPointF prev = in.last();
    bool prevIn = inside(prev);
    for (const QPointF &cur : in) {
        const bool curIn = inside(cur);
        if (curIn != prevIn)
            out->append(cross(prev, cur));
        if (curIn)
            out->append(cur);
        prev = cur;
        prevIn = curIn;
    }
}

QPointF atX(QPointF a, QPointF b, double x) {
    return QPointF(x, a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
}

QPointF atY(QPointF a, QPointF b, double y) {
    return QPointF(a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()), y);
}

/// Counts the work edge by edge, once the rendered rows and columns are known.
class Counter {
public:
    Counter(const QTransform &t, double l, double top, double r, double bottom,
            const QRectF &device)
        : m_t(t),
          m_region(QPointF(std::max(l, device.left()), std::max(top, device.top())),
                   QPointF(std::min(r, device.right()), std::min(bottom, device.bottom()))) {
        // (Not QRectF::intersected: a line has no area, but it has cells.)
        m_empty = m_region.width() < 0 || m_region.height() < 0;
        if (!m_empty) {
            m_w.rows = m_region.height() + 1;
            m_w.columns = m_region.width() + 1;
        }
    }

    QPointF map(QPointF p) const {
        return QPointF(p.x() * m_t.m11() + p.y() * m_t.m21() + m_t.dx(),
                       p.x() * m_t.m12() + p.y() * m_t.m22() + m_t.dy());
    }

    /// The edge a-b, in device pixels; a curve's control lines are not
    /// straight: the converter walks the pieces it cuts the curve into.
    void edge(QPointF a, QPointF b, bool straight = true) {
        // Every pass looks at every edge. Those wholly above or below the
        // rows are skipped; the others are walked from end to end.
        ++m_w.edges;
        if (m_empty || std::max(a.y(), b.y()) < m_region.top() ||
            std::min(a.y(), b.y()) > m_region.bottom())
            return;
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        // Level edges take no steps and upright ones a cheap one per row;
        // the others step through every row and every cell they cross.
        const double steps = !straight ? std::abs(dx) + std::abs(dy)
                             : dy == 0 ? 0
                             : dx == 0 ? std::abs(dy) * kUprightStep
                                       : std::abs(dx) + std::abs(dy);
        double t0 = 0, t1 = 0;
        if (clipSegment(a, b, m_region, &t0, &t1)) {
            const double part = t1 - t0;
            m_w.crossings += std::abs(dy) * part;
            m_w.cells += steps * part;
            m_w.length += std::hypot(dx, dy) * part;
        }
        // Every band the edge's rows meet walks all of it.
        const double spanned = std::min(std::max(a.y(), b.y()), m_region.bottom()) -
                               std::max(std::min(a.y(), b.y()), m_region.top());
        m_w.walk += steps;
        m_w.walkSpan += steps * spanned;
    }

    RasterWork result() const { return m_w; }

private:
    QTransform m_t;
    QRectF m_region;
    bool m_empty = false;
    RasterWork m_w;
};

RasterWork endless() {
    RasterWork w;
    w.edges = w.walk = w.walkSpan = w.cells = w.crossings = w.length = w.rows = w.columns = 1e300;
    return w;
}

/// Bounds on the device of points, as left, top, right, bottom; false for a
/// point that does not map to a finite one.
template <typename Points>
bool deviceBounds(const Points &points, const QTransform &t, double b[4]) {
    b[0] = b[1] = INFINITY;
    b[2] = b[3] = -INFINITY;
    for (const auto &p : points) {
        const double x = p.x() * t.m11() + p.y() * t.m21() + t.dx();
        const double y = p.x() * t.m12() + p.y() * t.m22() + t.dy();
        if (!std::isfinite(x) || !std::isfinite(y))
            return false;
        b[0] = std::min(b[0], x), b[2] = std::max(b[2], x);
        b[1] = std::min(b[1], y), b[3] = std::max(b[3], y);
    }
    return true;
}

} // namespace

RasterWork rasterWork(const QList<QPolygonF> &polys, bool closed, const QTransform &toDevice,
                      const QRectF &device) {
    // The converter renders the rows and columns of the bounds of all the
    // outlines drawn together on the device.
    double b[4] = {INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const QPolygonF &poly : polys) {
        double pb[4];
        if (!deviceBounds(poly, toDevice, pb))
            return endless();
        b[0] = std::min(b[0], pb[0]), b[1] = std::min(b[1], pb[1]);
        b[2] = std::max(b[2], pb[2]), b[3] = std::max(b[3], pb[3]);
    }
    Counter c(toDevice, b[0], b[1], b[2], b[3], device);
    for (const QPolygonF &poly : polys) {
        if (poly.isEmpty())
            continue;
        const qsizetype edges = closed ? poly.size() : poly.size() - 1;
        QPointF a = c.map(poly[0]);
        for (qsizetype i = 0; i < edges; ++i) {
            const QPointF next = c.map(poly[(i + 1) % poly.size()]);
            c.edge(a, next);
            a = next;
        }
    }
    return c.result();
}

RasterWork rasterWork(const QPainterPath &path, const QTransform &toDevice, const QRectF &device) {
    const int n = path.elementCount();
    if (n == 0)
        return {};
    struct Elements {
        const QPainterPath &p;
        struct It {
            const QPainterPath &p;
            int i;
            QPointF operator*() const { return p.elementAt(i); }
            It &operator++() { return ++i, *this; }
            bool operator!=(const It &o) const { return i != o.i; }
        };
        It begin() const { return {p, 0}; }
        It end() const { return {p, p.elementCount()}; }
    };
    double b[4];
    if (!deviceBounds(Elements{path}, toDevice, b))
        return endless();
    Counter c(toDevice, b[0], b[1], b[2], b[3], device);
    // Curves count as the lines through their control points; every
    // subpath is closed, as a fill closes it.
    QPointF start, prev;
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element &e = path.elementAt(i);
        const QPointF p = c.map(e);
        if (e.isMoveTo()) {
            if (i > 0)
                c.edge(prev, start);
            start = p;
        } else {
            c.edge(prev, p, e.isLineTo());
        }
        prev = p;
    }
    c.edge(prev, start);
    return c.result();
}

double rasterPasses(const RasterWork &w) {
    // Cells left of the columns gather in one per row.
    const double cells = std::min(w.cells, w.rows * w.columns) + w.rows;
    // A band holds one row at least: a row too full for the pool doubles it.
    return std::min(std::max(1.0, w.rows),
                    std::max(1.0, w.rows / kFirstBandRows) + 2 * cells / kBandCells);
}

QPolygonF clipPolygon(const QPolygonF &poly, const QRectF &rect) {
    QPolygonF a, b;
    const double l = rect.left(), r = rect.right(), t = rect.top(), btm = rect.bottom();
    clipSide(
        poly, &a, [&](QPointF p) { return p.x() >= l; },
        [&](QPointF p, QPointF q) { return atX(p, q, l); });
    clipSide(
        a, &b, [&](QPointF p) { return p.x() <= r; },
        [&](QPointF p, QPointF q) { return atX(p, q, r); });
    clipSide(
        b, &a, [&](QPointF p) { return p.y() >= t; },
        [&](QPointF p, QPointF q) { return atY(p, q, t); });
    clipSide(
        a, &b, [&](QPointF p) { return p.y() <= btm; },
        [&](QPointF p, QPointF q) { return atY(p, q, btm); });
    // Runs back and forth along one side become one edge: they enclose
    // nothing, and every edge costs the converter a look in every pass.
    a.clear();
    auto alongSide = [&](QPointF p, QPointF q, QPointF u) {
        return (p.x() == q.x() && q.x() == u.x() && (p.x() == l || p.x() == r)) ||
               (p.y() == q.y() && q.y() == u.y() && (p.y() == t || p.y() == btm));
    };
    for (const QPointF &p : std::as_const(b)) {
        while (a.size() >= 2 && alongSide(a[a.size() - 2], a.last(), p))
            a.removeLast();
        if (a.isEmpty() || a.last() != p)
            a.append(p);
    }
    return a.size() >= 3 ? a : QPolygonF();
}

QList<QPolygonF> clipPolyline(const QPolygonF &line, const QRectF &rect) {
    QList<QPolygonF> runs;
    QPolygonF run;
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        const QPointF a = line[i], b = line[i + 1];
        double t0 = 0, t1 = 0;
        if (!clipSegment(a, b, rect, &t0, &t1)) {
            if (run.size() > 1)
                runs.append(run);
            run.clear();
            continue;
        }
        const QPointF from = t0 > 0 ? a + (b - a) * t0 : a;
        const QPointF to = t1 < 1 ? a + (b - a) * t1 : b;
        if (run.isEmpty() || t0 > 0) {
            if (run.size() > 1)
                runs.append(run);
            run = QPolygonF{from};
        }
        run.append(to);
        if (t1 < 1) {
            runs.append(run);
            run.clear();
        }
    }
    if (run.size() > 1)
        runs.append(run);
    return runs;
}

} // namespace wmf
