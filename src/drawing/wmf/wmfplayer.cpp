#include "drawing/wmf/wmfplayer.h"

#include "drawing/wmf/wmfdib.h"
#include "drawing/wmf/wmfformat.h"
#include "drawing/wmf/wmfraster.h"
#include "drawing/wmf/wmfreader.h"
#include "drawing/wmf/wmftext.h"

#include <QElapsedTimer>
#include <QFont>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QtMath>
#include <cmath>
#include <memory>
#include <queue>
#include <vector>

// Records deliberately not drawn: FloodFill and ExtFloodFill (they need to read
// back the device), SetTextJustification, SetRelAbs, SetLayout, SetMapperFlags
// and Escape (no visible effect for our pictures), RLE/JPEG/PNG-compressed DIBs,
// colour Bitmap16 below 24 bits. Unknown records are skipped by their size.

namespace wmf {

namespace {

constexpr int kMaxObjects = 4096;                        // object table cap
constexpr int kMaxSaveDepth = 256;                       // SaveDC stack cap
constexpr qint64 kMaxPatternPixels = 16LL * 1024 * 1024; // all pattern brushes of a play
constexpr qint64 kMaxRegionRects = 1000000;              // all regions of a play
constexpr double kMaxTextPixels = 100000;                // larger text is not drawn
constexpr double kMaxDashedLength = 200000;              // longer dashed outlines go solid
constexpr double kMaxCachedGlyphPixels = 256;            // larger text is drawn as outlines
constexpr long kMaxAntialiasedRecords = 5000;            // larger pictures draw aliased

// Estimated costs against kWorkBudget (see wmfplayer.h), measured on the
// raster engine: stroking costs per point and more with a wide pen, filling
// and stroking per device pixel, text per glyph and its size.
constexpr double kRecordCost = 0.02;
constexpr double kShapeCost = 3; // a shape's setting up in Qt
constexpr double kCurveCost = 4; // and more for one of Qt's arcs
constexpr double kPointCost = 0.1;
constexpr double kWidePenPointCost = 2; // the stroker's joins, per point
constexpr double kPenPointCost = 0.05;  // and more per pen pixel
constexpr double kPixelCost = 0.0005;   // filled area
// The scan converter (see wmfraster.h), measured as thread time on the
// raster engine and kept on the safe side: the busiest shapes came out at
// 0.9 to 1.1 of their estimate, the lighter ones at half of it.
constexpr double kStepCost = 0.02;      // a scan line or cell it steps through
constexpr double kEdgePassCost = 0.01;  // an edge, in each pass
constexpr double kSortCost = 0.0006;    // per cell and cell before it in its row
constexpr double kLinePixelCost = 0.01; // a thin pen's line, per device pixel
constexpr double kTrimAbove = 1000;     // shapes costlier than this may be trimmed
constexpr double kTrimMargin = 4;       // device pixels kept around the target
constexpr double kTrimPointCost = 0.2;  // cutting a shape, per point
constexpr double kVectorShapeCost = 20; // a shape on a vector device (printing)
constexpr double kVectorPointCost = 2;
constexpr double kGlyphCost = 1;
constexpr double kOutlinePixelCost = 0.01; // glyphs drawn as outlines
// Making a glyph's outline, whatever its size: 15 to 18 us on the raster
// engine, and about 80 us a glyph written out as a path on paper (PDF).
constexpr double kOutlineGlyphCost = 18;
constexpr double kVectorOutlineGlyphCost = 80;
// The raster engine caches glyphs only below this size; larger ones it
// fills as outlines itself, every time.
constexpr double kRasterCachedGlyphPixels = 64;
constexpr double kDecodePixelCost = 0.02;
constexpr double kImagePixelCost = 0.005; // scaled image on the device
constexpr int kClockEvery = 16;           // records between looks at the clock (screens only)

struct FontSpec {
    int height = 0; // < 0: em height, > 0: cell height, 0: default
    int width = 0;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    int charset = DEFAULT_CHARSET;
    QString face;
    // Cache of the last font built at one pixel size.
    mutable int cachedPx = -1;
    mutable QFont cachedFont;
    mutable double cellToEm = 0;
};

struct Object {
    enum Kind { Empty, Pen, Brush, Font, Palette, Region } kind = Empty;
    QPen pen;
    QBrush brush;
    bool hatched = false;     // brush: a hatch pattern (its gaps take the background)
    bool insideFrame = false; // pen: PS_INSIDEFRAME
    std::shared_ptr<FontSpec> font;
    std::shared_ptr<QList<QRgb>> palette;
    std::shared_ptr<QPainterPath> region; // logical units
};

struct Dc {
    int mapMode = MM_ANISOTROPIC;
    QPointF winOrg, winExt{1, 1}, vpOrg, vpExt{1, 1};
    QPointF cp;
    QColor textColor = Qt::black, bkColor = Qt::white;
    int bkMode = OPAQUE;
    int textAlign = 0;
    int polyFill = ALTERNATE;
    int rop2 = R2_COPYPEN;
    int stretchMode = 1;
    int charExtra = 0;
    QPen pen{QBrush(Qt::black), 0};
    QBrush brush{Qt::white};
    bool brushHatched = false;
    std::shared_ptr<FontSpec> font;
    std::shared_ptr<QList<QRgb>> palette;
    bool clipSet = false;
    QPainterPath clip; // caller coordinates
};

double sign(double v) {
    return v < 0 ? -1.0 : 1.0;
}

class Player {
public:
    Player(const Header &h, QPainter &p, const QRectF &target, bool antialiased,
           const PlayLimits &limits)
        : m_header(h), m_p(p), m_target(target), m_limits(limits), m_antialiasing(antialiased) {
        m_base = p.worldTransform();
        m_deviceClip = m_base.mapRect(target);
        if (p.device()) {
            m_device = QRectF(0, 0, p.device()->width(), p.device()->height());
            m_deviceClip &= m_device;
        } else {
            m_device = m_deviceClip;
        }
        m_raster = p.paintEngine() && p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
        // Pixel costs only where pixels are made (PDF, for one, records vectors).
        m_pixels = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster;
        m_frameToCaller = QTransform::fromTranslate(-h.frameShift.x(), -h.frameShift.y());
        m_frameToCaller *= QTransform::fromScale(target.width() / std::abs(h.frameExtent.x()),
                                                 target.height() / std::abs(h.frameExtent.y()));
        m_frameToCaller *= QTransform::fromTranslate(target.left(), target.top());
        m_dc.winOrg = h.frameOrigin;
        if (!h.drawnFrame) { // else both stay at one unit: measured so, drawn so
            m_dc.winExt = h.frameExtent;
            m_dc.vpExt = QPointF(std::abs(h.frameExtent.x()), std::abs(h.frameExtent.y()));
        }
        m_slots.resize(qMin<int>(h.numObjects, kMaxObjects));
        m_nextUnused = 0;

        QPainterPath t;
        t.addRect(target);
        m_baseClip = p.hasClipping() ? p.clipPath().intersected(t) : t;
        p.setClipRect(target, Qt::IntersectClip);
        p.setRenderHint(QPainter::Antialiasing, m_antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        m_antialiased = m_antialiasing;
        p.setBackgroundMode(Qt::TransparentMode);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        updateTransform();
    }

    PlayResult run(QByteArrayView data) {
        PlayResult res;
        RecordReader reader(data, m_header.recordsOffset);
        Record r;
        // The clock only backs up the estimate on a screen; paper has none.
        const bool clocked = m_pixels && m_limits.screenNanos > 0;
        QElapsedTimer clock;
        clock.start();
        while (!m_cut && reader.next(&r)) {
            m_work += kRecordCost;
            if (!dispatch(r))
                ++res.ignored;
            if (m_work > m_limits.work)
                m_cut = true;
            if (clocked && reader.count() % kClockEvery == 0 &&
                clock.nsecsElapsed() > m_limits.screenNanos)
                m_cut = res.timedOut = true;
        }
        res.records = reader.count();
        res.damaged = reader.damaged();
        res.cut = m_cut;
        res.trimmed = m_trimmed;
        res.work = m_work;
        return res;
    }

private:
    // ---- mapping ----------------------------------------------------------
    void updateTransform() {
        double sx = 1, sy = 1;
        const Dc &d = m_dc;
        switch (d.mapMode) {
        case MM_ANISOTROPIC:
            sx = d.vpExt.x() / d.winExt.x();
            sy = d.vpExt.y() / d.winExt.y();
            break;
        case MM_ISOTROPIC: {
            const double ax = d.vpExt.x() / d.winExt.x(), ay = d.vpExt.y() / d.winExt.y();
            const double m = qMin(std::abs(ax), std::abs(ay));
            sx = m * sign(ax);
            sy = m * sign(ay);
            break;
        }
        case MM_LOMETRIC:
        case MM_HIMETRIC:
        case MM_LOENGLISH:
        case MM_HIENGLISH:
        case MM_TWIPS: {
            const double k = twipsPerUnit(d.mapMode) / m_header.frameUnitTwips;
            sx = k;
            sy = -k;
            break;
        }
        default: // MM_TEXT and unknown modes: one unit per frame unit
            break;
        }
        const QTransform toFrame(sx, 0, 0, sy, d.vpOrg.x() - d.winOrg.x() * sx,
                                 d.vpOrg.y() - d.winOrg.y() * sy);
        m_logical = toFrame * m_frameToCaller;
        m_usable = std::isfinite(m_logical.m11()) && std::isfinite(m_logical.m22()) &&
                   std::isfinite(m_logical.dx()) && std::isfinite(m_logical.dy()) &&
                   m_logical.m11() != 0 && m_logical.m22() != 0;
        const QTransform full = m_logical * m_base;
        m_deviceScale = std::sqrt(std::abs(full.determinant()));
        m_widestScale =
            qMax(std::hypot(full.m11(), full.m12()), std::hypot(full.m21(), full.m22()));
        m_transformDirty = true;
        m_stateDirty = true; // pen widths depend on the scale
    }

    void applyTransform() {
        if (m_transformDirty) {
            m_p.setWorldTransform(m_logical * m_base);
            m_transformDirty = false;
        }
    }

    void applyClip() {
        m_p.setWorldTransform(m_base);
        m_transformDirty = true;
        m_p.setClipPath(m_dc.clipSet ? m_dc.clip : m_baseClip, Qt::ReplaceClip);
    }

    QPainterPath clipNow() const { return m_dc.clipSet ? m_dc.clip : m_baseClip; }

    // ---- colours and objects ---------------------------------------------
    QColor colorRef(std::uint32_t c) const {
        if ((c >> 24) == 0x01) { // PALETTEINDEX
            const int idx = int(c & 0xFFFF);
            if (m_dc.palette && idx < m_dc.palette->size())
                return QColor::fromRgb(m_dc.palette->at(idx));
            return Qt::black;
        }
        return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    }

    // Creation takes the lowest free slot, as the format requires.
    void addObject(Object o) {
        int idx = -1;
        if (!m_freed.empty() && m_freed.top() < m_nextUnused) {
            idx = m_freed.top();
            m_freed.pop();
        } else {
            while (m_nextUnused < int(m_slots.size()) &&
                   m_slots[m_nextUnused].kind != Object::Empty)
                ++m_nextUnused;
            if (m_nextUnused >= kMaxObjects)
                return; // table full: the object is dropped, later indexes stay as they were
            if (m_nextUnused >= int(m_slots.size()))
                m_slots.resize(m_nextUnused + 1);
            idx = m_nextUnused++;
        }
        m_slots[idx] = std::move(o);
    }

    Object *object(int idx) {
        if (idx < 0 || idx >= int(m_slots.size()) || m_slots[idx].kind == Object::Empty)
            return nullptr;
        return &m_slots[idx];
    }

    // ---- drawing state ----------------------------------------------------
    /// Sets pen, brush and raster op for a shape; false when nothing is drawn.
    bool prepare(bool fill) {
        if (!m_usable || m_dc.rop2 == R2_NOP)
            return false;
        applyTransform();
        if (m_stateDirty) {
            QPen pen = m_dc.pen;
            QBrush brush = m_dc.brush;
            QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
            switch (m_dc.rop2) {
            case R2_BLACK:
                pen.setColor(Qt::black);
                if (brush.style() != Qt::NoBrush)
                    brush.setColor(Qt::black);
                break;
            case R2_WHITE:
                pen.setColor(Qt::white);
                if (brush.style() != Qt::NoBrush)
                    brush.setColor(Qt::white);
                break;
            case R2_NOT:
                mode = QPainter::RasterOp_NotDestination;
                break;
            case R2_XORPEN:
                mode = QPainter::RasterOp_SourceXorDestination;
                break;
            case R2_NOTXORPEN:
                mode = QPainter::RasterOp_NotSourceXorDestination;
                break;
            case R2_MASKPEN:
                mode = QPainter::RasterOp_SourceAndDestination;
                break;
            case R2_MERGEPEN:
                mode = QPainter::RasterOp_SourceOrDestination;
                break;
            case R2_NOTCOPYPEN:
                mode = QPainter::RasterOp_NotSource;
                break;
            default:
                break; // the rarer modes draw as copy
            }
            if (!m_raster)
                mode = QPainter::CompositionMode_SourceOver;
            setMode(mode);
            // Pens thinner than a device pixel draw one pixel wide, as on Windows
            // (and the cosmetic stroker is much faster).
            if (!pen.isCosmetic() && pen.widthF() * m_deviceScale < 1.0)
                pen.setWidthF(0);
            m_p.setPen(pen);
            m_preparedBrush = deviceBrush(brush);
            m_p.setBrush(fill ? m_preparedBrush : QBrush(Qt::NoBrush));
            m_filling = fill;
            const bool opaqueHatch = m_dc.brushHatched && m_dc.bkMode == OPAQUE;
            if (opaqueHatch)
                m_p.setBackground(m_dc.bkColor);
            if (opaqueHatch != m_opaqueBackground) {
                m_p.setBackgroundMode(opaqueHatch ? Qt::OpaqueMode : Qt::TransparentMode);
                m_opaqueBackground = opaqueHatch;
            }
            m_stateDirty = false;
        } else if (fill != m_filling) {
            // Lines take the brush off; the next shape puts it back.
            m_p.setBrush(fill ? m_preparedBrush : QBrush(Qt::NoBrush));
            m_filling = fill;
        }
        return true;
    }

    /// Bitmap patterns tile in device pixels, as on Windows, whatever the
    /// mapping (Qt would scale them with the world transform).
    QBrush deviceBrush(QBrush brush) const {
        if (brush.style() == Qt::TexturePattern) {
            const QTransform full = m_logical * m_base;
            if (full.m11() != 0 && full.m22() != 0 && std::isfinite(full.m11()) &&
                std::isfinite(full.m22()))
                brush.setTransform(QTransform::fromScale(1 / full.m11(), 1 / full.m22()));
        }
        return brush;
    }

    /// Composition mode and antialiasing, set only when they change.
    void setMode(QPainter::CompositionMode mode) {
        if (mode != m_mode) {
            m_p.setCompositionMode(mode);
            m_mode = mode;
        }
        // Raster operations on blended edge pixels would give fringes.
        const bool aa = m_antialiasing && mode == QPainter::CompositionMode_SourceOver;
        if (aa != m_antialiased) {
            m_p.setRenderHint(QPainter::Antialiasing, aa);
            m_antialiased = aa;
        }
    }

    /// Dashed outlines of enormous length would make the dasher run for ages.
    void limitDashes(const QRectF &logicalBounds) {
        if (m_dc.pen.style() == Qt::SolidLine || m_dc.pen.style() == Qt::NoPen)
            return;
        const QRectF dev = m_logical.mapRect(logicalBounds);
        const double scale = std::abs(m_base.m11()) + std::abs(m_base.m22());
        if ((dev.width() + dev.height()) * qMax(1.0, scale) > kMaxDashedLength) {
            QPen pen = m_p.pen();
            pen.setStyle(Qt::SolidLine);
            m_p.setPen(pen);
            m_stateDirty = true;
        }
    }

    /// A rounded rectangle (an ellipse when the radii are half the sides) as a
    /// polygon with as many corners as its size on the device needs. On raster
    /// devices this is several times faster than Qt's curves for the small
    /// shapes clip-art is made of; vector devices keep the true curves.
    const QPolygonF &roundedPolygon(const QRectF &rc, double rx, double ry) {
        const QRectF dev = (m_logical * m_base).mapRect(QRectF(0, 0, rx, ry));
        const double arcPx = M_PI / 2 * (dev.width() + dev.height()) / 2; // a quarter
        const int perQuarter = qBound(2, int(arcPx / 2.5), 90);
        QPolygonF &poly = m_poly; // reused: no allocation per shape
        poly.clear();
        const QPointF centres[4] = {{rc.right() - rx, rc.bottom() - ry},
                                    {rc.left() + rx, rc.bottom() - ry},
                                    {rc.left() + rx, rc.top() + ry},
                                    {rc.right() - rx, rc.top() + ry}};
        const double step = M_PI / 2 / perQuarter;
        const double cs = std::cos(step), sn = std::sin(step);
        double x = 1, y = 0; // unit vector, turned by step each point
        for (int q = 0; q < 4; ++q) {
            for (int i = 0; i <= perQuarter; ++i) {
                poly.append(centres[q] + QPointF(rx * x, ry * y));
                if (i < perQuarter) {
                    const double nx = x * cs - y * sn;
                    y = x * sn + y * cs;
                    x = nx;
                }
            }
            // Snap to the axis at the end of each quarter, so errors do not add up.
            const double ax[4] = {0, -1, 0, 1}, ay[4] = {1, 0, -1, 0};
            x = ax[q], y = ay[q];
        }
        return poly;
    }

    // ---- work budget -------------------------------------------------------
    /// Adds units to the work done; false when they do not fit the budget:
    /// then nothing more is drawn and play ends after this record.
    bool charge(double units) {
        if (m_cut || !(m_work + units <= m_limits.work)) {
            m_cut = true;
            return false;
        }
        m_work += units;
        return true;
    }

    double penPixels() const {
        if (m_dc.pen.style() == Qt::NoPen)
            return 0;
        return qMax(1.0, m_dc.pen.widthF() * m_deviceScale);
    }

    /// A pen's width for the work its outline makes: where a mapping
    /// stretches one axis more than the other, a wide pen is as wide as
    /// along the stretched one.
    double penWorkPixels(double width) const {
        return width * m_deviceScale < 1.0 ? 1.0 : width * m_widestScale;
    }

    /// The visible part of logical bounds on the device.
    QRectF deviceRect(const QRectF &logicalBounds) const {
        return (m_logical * m_base).mapRect(logicalBounds).intersected(m_deviceClip);
    }

    /// What the scan converter does for outlines drawn together on this
    /// device.
    RasterWork work(const QList<QPolygonF> &polys, bool closed) const {
        return rasterWork(polys, closed, m_logical * m_base, m_device);
    }

    /// Units for the scan converter's work: every band it renders walks the
    /// edges that reach its rows, and every cell is sorted into its row.
    static double convertCost(const RasterWork &w) {
        const double rows = qMax(1.0, w.rows);
        const double passes = rasterPasses(w);
        const double steps = w.walk + w.walkSpan * passes / rows;
        const double perRow = qMin(w.cells / rows, w.columns);
        return steps * kStepCost + w.edges * passes * kEdgePassCost + w.cells * perRow * kSortCost;
    }

    /// The outline a wide pen fills: both sides of every edge, widened by
    /// the pen, with a join at every point (as measured on the stroker's
    /// outlines of polygons and ellipses).
    static RasterWork strokeWork(RasterWork w, double pen, double points) {
        const double joins = points * pen * 1.3;
        w.edges = 5 * w.edges;
        w.walk = 2 * w.walk + joins;
        w.walkSpan = 2 * w.walkSpan + joins * pen / 3;
        w.cells = 2 * w.cells + joins;
        w.crossings *= 2;
        w.rows += pen;
        w.columns += pen;
        return w;
    }

    /// Cost of a shape of the given points whose outlines make the converter
    /// do w, drawn with the current pen, filled or not. Vector devices
    /// (printing) only record the outline.
    bool affordShape(const QRectF &logicalBounds, double points, const RasterWork &w, bool fill) {
        if (!m_pixels)
            return charge(kVectorShapeCost + points * kVectorPointCost);
        return charge(shapeCost(logicalBounds, points, w, fill));
    }

    double shapeCost(const QRectF &logicalBounds, double points, const RasterWork &w,
                     bool fill) const {
        const double pen = m_dc.pen.style() == Qt::NoPen ? 0 : penWorkPixels(m_dc.pen.widthF());
        double units = kShapeCost + points * kPointCost;
        if (fill) {
            const QRectF dev = deviceRect(logicalBounds);
            units += convertCost(w) + dev.width() * dev.height() * kPixelCost;
        }
        // A wide pen's outline is filled as a shape of its own; a thin one
        // is drawn line by line, clipped.
        if (pen > 1)
            units += points * (kWidePenPointCost + kPenPointCost * pen) +
                     convertCost(strokeWork(w, pen, points));
        else if (pen > 0)
            units += points * kPointCost + w.length * kLinePixelCost;
        return units;
    }

    /// Logical rectangle that shapes reaching far beyond the target are cut
    /// to: the target on the device with room for the pen's joins and the
    /// blended edge pixels. Empty where the mapping turns or the pen is
    /// dashed (its dashes would move).
    QRectF trimRect() const {
        const QTransform t = m_logical * m_base;
        const Qt::PenStyle style = m_p.pen().style();
        if (t.m12() != 0 || t.m21() != 0 || !t.isInvertible() ||
            (style != Qt::SolidLine && style != Qt::NoPen))
            return QRectF();
        const double m = kTrimMargin + 3 * penPixels();
        return t.inverted().mapRect(m_deviceClip.adjusted(-m, -m, m, m));
    }

    /// A shape far beyond the target makes the converter walk all of its
    /// edges, visible or not. When that is costly, the shape is cut to
    /// the trim rectangle first; the fill inside the target stays the
    /// same. True when polys (closed outlines, or the runs of a line) were cut.
    bool trim(QList<QPolygonF> *polys, bool closed, bool fill, RasterWork *w) {
        const double points = polyPoints(*polys);
        const QRectF unused;
        const double before = shapeCost(unused, points, *w, fill);
        if (!m_pixels || before < kTrimAbove)
            return false;
        const QRectF rect = trimRect();
        if (rect.isEmpty())
            return false;
        m_work += points * kTrimPointCost; // the cutting, kept or not
        QList<QPolygonF> cut;
        for (const QPolygonF &poly : std::as_const(*polys)) {
            if (closed) {
                QPolygonF c = clipPolygon(poly, rect);
                if (!c.isEmpty())
                    cut.append(std::move(c));
            } else {
                cut += clipPolyline(poly, rect);
            }
        }
        const RasterWork after = work(cut, closed);
        if (shapeCost(unused, polyPoints(cut), after, fill) > before / 2)
            return false; // mostly inside: drawn as it is
        *polys = std::move(cut);
        *w = after;
        ++m_trimmed;
        return true;
    }

    static double polyPoints(const QList<QPolygonF> &polys) {
        double n = 0;
        for (const QPolygonF &p : polys)
            n += double(p.size());
        return n;
    }

    /// True when the prepared shape is filled (a null brush leaves the
    /// converter idle).
    bool filling() const { return m_filling && m_preparedBrush.style() != Qt::NoBrush; }

    /// Draws a polygon (closed, with the brush) or a polyline with the
    /// prepared pen, trimmed where that saves much work, if the budget
    /// affords it.
    void drawPoly(const QPolygonF &poly, bool closed) {
        const QRectF bounds = poly.boundingRect();
        limitDashes(bounds);
        QList<QPolygonF> polys{poly};
        RasterWork w = m_pixels ? work(polys, closed) : RasterWork();
        const bool fill = closed && filling();
        const bool trimmed = trim(&polys, closed, fill, &w);
        if (!affordShape(bounds, polyPoints(polys), w, fill))
            return;
        if (trimmed)
            drawTrimmed(polys, closed);
        else if (closed)
            m_p.drawPolygon(poly, fillRule());
        else if (poly.size() == 2)
            m_p.drawLine(poly[0], poly[1]);
        else
            m_p.drawPolyline(poly);
    }

    void drawTrimmed(const QList<QPolygonF> &polys, bool closed) {
        if (closed) {
            for (const QPolygonF &p : std::as_const(polys))
                m_p.drawPolygon(p, fillRule());
            return;
        }
        // One path, so the pen's runs blend once where they cross, as the
        // whole line's would.
        QPainterPath runs;
        for (const QPolygonF &p : std::as_const(polys))
            runs.addPolygon(p);
        m_p.drawPath(runs);
    }

    void drawRect(QRectF rc) {
        const QRectF bounds = rc;
        limitDashes(bounds);
        QList<QPolygonF> polys{QPolygonF(rc)};
        RasterWork w = m_pixels ? work(polys, true) : RasterWork();
        // A rectangle cut to a rectangle stays one (its visible sides keep
        // their places exactly).
        if (trim(&polys, true, filling(), &w)) {
            if (polys.isEmpty())
                return;
            rc = polys[0].boundingRect();
        }
        if (affordShape(bounds, 4, w, filling()))
            m_p.drawRect(rc);
    }

    /// Cost of an ellipse, arc or rounded shape drawn with Qt's curves,
    /// counted as the polygon those curves become.
    bool affordCurve(const QRectF &rc, bool fill) {
        if (!m_pixels)
            return affordShape(rc, curvePoints(rc), RasterWork(), fill);
        const QPolygonF &poly = roundedPolygon(rc, rc.width() / 2, rc.height() / 2);
        return affordShape(rc, double(poly.size()), work({poly}, true), fill && filling());
    }

    /// Cost of a fill without outline (rectangle fills, regions).
    bool affordFill(const QRectF &logicalBounds, double points) {
        const QRectF dev = deviceRect(logicalBounds);
        return charge(kShapeCost + points * kPointCost +
                      (m_pixels ? dev.width() * dev.height() * kPixelCost : 0));
    }

    /// Points the rounded polygon of a curve of this logical size has.
    double curvePoints(const QRectF &rc) const {
        if (!m_raster)
            return 16; // true curves: four Bézier segments
        const QRectF dev = (m_logical * m_base).mapRect(rc);
        return 4 * qBound(2.0, M_PI / 4 * (dev.width() + dev.height()) / 2 / 2.5, 90.0);
    }

    static QRectF rectLTRB(double l, double t, double r, double b) {
        return QRectF(QPointF(l, t), QPointF(r, b)).normalized();
    }

    QRectF insideFrame(QRectF rc) const {
        if ((m_penStyleRaw & PS_STYLE_MASK) == PS_INSIDEFRAME && m_dc.pen.widthF() > 0) {
            const double h = m_dc.pen.widthF() / 2;
            if (rc.width() > 2 * h && rc.height() > 2 * h)
                rc.adjust(h, h, -h, -h);
        }
        return rc;
    }

    // ---- records ------------------------------------------------------------
    enum class Outcome { Played, Ignored, Unknown };

    static Outcome played(bool ok) { return ok ? Outcome::Played : Outcome::Ignored; }

    /// Plays one record; false when it was ignored (unknown, too short, bad
    /// values, or not drawn: see the top of the file).
    bool dispatch(const Record &r) {
        using Handler = Outcome (Player::*)(const Record &);
        static constexpr Handler kGroups[] = {&Player::shapeRecord,  &Player::stateRecord,
                                              &Player::objectRecord, &Player::mappingRecord,
                                              &Player::clipRecord,   &Player::regionRecord,
                                              &Player::textRecord,   &Player::bitmapRecord};
        for (const Handler group : kGroups) {
            const Outcome o = (this->*group)(r);
            if (o != Outcome::Unknown)
                return o == Outcome::Played;
        }
        return false;
    }

    /// SaveDC and RestoreDC, the colours, modes and current position.
    Outcome stateRecord(const Record &r) {
        switch (r.function) {
        case SaveDC:
            if (int(m_stack.size()) >= kMaxSaveDepth)
                return Outcome::Ignored;
            m_stack.push_back({m_dc, m_penStyleRaw});
            return Outcome::Played;
        case RestoreDC:
            return played(r.has(1) && restoreDC(r.s(0)));
        case SetBkMode:
            if (!r.has(1))
                return Outcome::Ignored;
            m_dc.bkMode = r.u(0) == TRANSPARENT ? TRANSPARENT : OPAQUE;
            m_stateDirty = true;
            return Outcome::Played;
        case SetBkColor:
            if (!r.has(2))
                return Outcome::Ignored;
            m_dc.bkColor = colorRef(r.u32(0));
            m_stateDirty = true;
            return Outcome::Played;
        case SetTextColor:
            if (!r.has(2))
                return Outcome::Ignored;
            m_dc.textColor = colorRef(r.u32(0));
            return Outcome::Played;
        case SetTextAlign:
            if (!r.has(1))
                return Outcome::Ignored;
            m_dc.textAlign = r.u(0);
            return Outcome::Played;
        case SetPolyFillMode:
            if (!r.has(1))
                return Outcome::Ignored;
            m_dc.polyFill = r.u(0) == WINDING ? WINDING : ALTERNATE;
            return Outcome::Played;
        case SetROP2:
            if (!r.has(1) || r.u(0) < R2_BLACK || r.u(0) > R2_WHITE)
                return Outcome::Ignored;
            m_dc.rop2 = r.u(0);
            m_stateDirty = true;
            return Outcome::Played;
        case SetStretchBltMode:
            if (!r.has(1))
                return Outcome::Ignored;
            m_dc.stretchMode = r.u(0);
            return Outcome::Played;
        case SetTextCharExtra:
            if (!r.has(1))
                return Outcome::Ignored;
            m_dc.charExtra = r.s(0);
            return Outcome::Played;
        case MoveTo:
            if (!r.has(2))
                return Outcome::Ignored;
            m_dc.cp = QPointF(r.s(1), r.s(0));
            return Outcome::Played;
        case SetMapperFlags:
        case SetRelAbs:
        case SetLayout:
        case SetTextJustification:
        case Escape:
        case RealizePalette:
            return Outcome::Played; // no visible effect for our pictures
        default:
            return Outcome::Unknown;
        }
    }

    /// Restores the n-th saved state (counted from the current one when
    /// negative) and drops it and those after it.
    bool restoreDC(int n) {
        const int depth = int(m_stack.size());
        const int keep = n < 0 ? depth + n : n - 1;
        if (n == 0 || keep < 0 || keep >= depth)
            return false;
        m_dc = m_stack[keep].dc;
        m_penStyleRaw = m_stack[keep].penStyleRaw;
        m_stack.resize(keep);
        m_stateDirty = true;
        updateTransform();
        applyClip();
        return true;
    }

    /// The mapping mode, the window and the viewport.
    Outcome mappingRecord(const Record &r) {
        switch (r.function) {
        case SetMapMode:
            if (!r.has(1) || r.u(0) < MM_TEXT || r.u(0) > MM_ANISOTROPIC)
                return Outcome::Ignored;
            m_dc.mapMode = r.u(0);
            updateTransform();
            return Outcome::Played;
        case SetWindowOrg:
            if (!r.has(2))
                return Outcome::Ignored;
            m_dc.winOrg = QPointF(r.s(1), r.s(0));
            updateTransform();
            return Outcome::Played;
        case SetWindowExt:
            return played(setExtent(r, &m_dc.winExt));
        case SetViewportOrg:
            if (!r.has(2))
                return Outcome::Ignored;
            m_dc.vpOrg = QPointF(r.s(1), r.s(0));
            updateTransform();
            return Outcome::Played;
        case SetViewportExt:
            return played(setExtent(r, &m_dc.vpExt));
        case OffsetWindowOrg:
            if (!r.has(2))
                return Outcome::Ignored;
            m_dc.winOrg += QPointF(r.s(1), r.s(0));
            updateTransform();
            return Outcome::Played;
        case OffsetViewportOrg:
            if (!r.has(2))
                return Outcome::Ignored;
            m_dc.vpOrg += QPointF(r.s(1), r.s(0));
            updateTransform();
            return Outcome::Played;
        case ScaleWindowExt:
            return played(scaleExtent(r, &m_dc.winExt));
        case ScaleViewportExt:
            return played(scaleExtent(r, &m_dc.vpExt));
        default:
            return Outcome::Unknown;
        }
    }

    /// Creating, selecting and deleting objects, palettes.
    Outcome objectRecord(const Record &r) {
        switch (r.function) {
        case CreatePenIndirect:
            return played(createPen(r));
        case CreateBrushIndirect:
            return played(createBrush(r));
        case DibCreatePatternBrush:
            return played(createDibPatternBrush(r));
        case CreatePatternBrush:
            return played(createPatternBrush(r));
        case CreateFontIndirect:
            return played(createFont(r));
        case CreatePalette:
            return played(createPalette(r));
        case CreateRegion:
            return played(createRegion(r));
        case SelectObject:
            return played(selectObject(r));
        case SelectPalette: {
            Object *o = r.has(1) ? object(r.u(0)) : nullptr;
            if (!o || o->kind != Object::Palette)
                return Outcome::Ignored;
            m_dc.palette = o->palette;
            return Outcome::Played;
        }
        case DeleteObject: {
            if (!r.has(1) || !object(r.u(0)))
                return Outcome::Ignored;
            // The state keeps its own copy of what was selected.
            m_slots[r.u(0)] = Object();
            m_freed.push(r.u(0));
            return Outcome::Played;
        }
        case SetPalEntries:
        case AnimatePalette:
            return played(setPalEntries(r));
        case ResizePalette:
            if (!r.has(1) || !m_dc.palette)
                return Outcome::Ignored;
            m_dc.palette->resize(r.u(0));
            return Outcome::Played;
        default:
            return Outcome::Unknown;
        }
    }

    /// The clip region.
    Outcome clipRecord(const Record &r) {
        switch (r.function) {
        case IntersectClipRect:
        case ExcludeClipRect: {
            if (!r.has(4) || !m_usable)
                return Outcome::Ignored;
            QPainterPath rect;
            rect.addRect(rectLTRB(r.s(3), r.s(2), r.s(1), r.s(0)));
            rect = m_logical.map(rect);
            if (!charge(kShapeCost + clipNow().elementCount() * kPointCost))
                return Outcome::Played;
            m_dc.clip = r.function == IntersectClipRect ? clipNow().intersected(rect)
                                                        : clipNow().subtracted(rect);
            m_dc.clipSet = true;
            applyClip();
            return Outcome::Played;
        }
        case SelectClipRegion: {
            Object *o = r.has(1) ? object(r.u(0)) : nullptr;
            if (!o || o->kind != Object::Region || !m_usable)
                return Outcome::Ignored;
            m_dc.clip = m_baseClip.intersected(m_logical.map(*o->region));
            m_dc.clipSet = true;
            applyClip();
            return Outcome::Played;
        }
        case OffsetClipRgn: {
            if (!r.has(2) || !m_usable)
                return Outcome::Ignored;
            if (!m_dc.clipSet)
                return Outcome::Played;
            const QPointF d = m_logical.map(QPointF(r.s(1), r.s(0))) - m_logical.map(QPointF(0, 0));
            m_dc.clip = m_baseClip.intersected(m_dc.clip.translated(d));
            applyClip();
            return Outcome::Played;
        }
        default:
            return Outcome::Unknown;
        }
    }

    /// Lines, shapes and pixels.
    Outcome shapeRecord(const Record &r) {
        switch (r.function) {
        case LineTo: {
            if (!r.has(2))
                return Outcome::Ignored;
            const QPointF to(r.s(1), r.s(0));
            if (prepare(false))
                drawPoly(QPolygonF({m_dc.cp, to}), false);
            m_dc.cp = to;
            return Outcome::Played;
        }
        case Polyline:
        case Polygon: {
            QPolygonF &poly = m_poly;
            if (!points(r, 1, r.has(1) ? r.s(0) : -1, &poly))
                return Outcome::Ignored;
            if (prepare(r.function == Polygon))
                drawPoly(poly, r.function == Polygon);
            return Outcome::Played;
        }
        case PolyPolygon:
            return played(polyPolygon(r));
        case Rectangle:
        case Ellipse: {
            if (!r.has(4))
                return Outcome::Ignored;
            const QRectF rc = insideFrame(rectLTRB(r.s(3), r.s(2), r.s(1), r.s(0)));
            if (!prepare(true))
                return Outcome::Played;
            if (r.function == Rectangle)
                drawRect(rc);
            else if (m_raster)
                drawPoly(roundedPolygon(rc, rc.width() / 2, rc.height() / 2), true);
            else if (affordCurve(rc, true)) {
                limitDashes(rc);
                m_p.drawEllipse(rc);
            }
            return Outcome::Played;
        }
        case RoundRect: {
            if (!r.has(6))
                return Outcome::Ignored;
            const QRectF rc = insideFrame(rectLTRB(r.s(5), r.s(4), r.s(3), r.s(2)));
            const double rx = qMin(std::abs(double(r.s(1))) / 2, rc.width() / 2);
            const double ry = qMin(std::abs(double(r.s(0))) / 2, rc.height() / 2);
            if (!prepare(true))
                return Outcome::Played;
            if (m_raster)
                drawPoly(roundedPolygon(rc, rx, ry), true);
            else if (affordCurve(rc, true)) {
                limitDashes(rc);
                m_p.drawRoundedRect(rc, rx, ry, Qt::AbsoluteSize);
            }
            return Outcome::Played;
        }
        case Arc:
        case Pie:
        case Chord:
            return played(arc(r));
        case SetPixel: {
            if (!r.has(4) || !m_usable)
                return Outcome::Ignored;
            if (!charge(kShapeCost))
                return Outcome::Played;
            applyTransform();
            setMode(QPainter::CompositionMode_SourceOver);
            m_p.fillRect(QRectF(r.s(3), r.s(2), 1, 1), colorRef(r.u32(0)));
            m_stateDirty = true;
            return Outcome::Played;
        }
        default:
            return Outcome::Unknown;
        }
    }

    /// Filling, framing and inverting regions.
    Outcome regionRecord(const Record &r) {
        switch (r.function) {
        case FillRegion: {
            Object *rg = r.has(2) ? object(r.u(0)) : nullptr;
            Object *br = r.has(2) ? object(r.u(1)) : nullptr;
            if (!rg || rg->kind != Object::Region || !br || br->kind != Object::Brush)
                return Outcome::Ignored;
            if (m_usable && affordRegion(*rg->region)) {
                applyTransform();
                m_p.fillPath(*rg->region, br->brush);
            }
            return Outcome::Played;
        }
        case PaintRegion: {
            Object *rg = r.has(1) ? object(r.u(0)) : nullptr;
            if (!rg || rg->kind != Object::Region)
                return Outcome::Ignored;
            if (m_usable && affordRegion(*rg->region)) {
                applyTransform();
                m_p.fillPath(*rg->region, m_dc.brush);
            }
            return Outcome::Played;
        }
        case FrameRegion: {
            Object *rg = r.has(4) ? object(r.u(0)) : nullptr;
            Object *br = r.has(4) ? object(r.u(1)) : nullptr;
            if (!rg || rg->kind != Object::Region || !br || br->kind != Object::Brush)
                return Outcome::Ignored;
            const double w = qMax(1.0, std::abs(double(r.s(3))));
            if (m_usable && affordRegion(*rg->region, w)) {
                applyTransform();
                m_p.strokePath(*rg->region, QPen(br->brush, w));
            }
            return Outcome::Played;
        }
        case InvertRegion: {
            Object *rg = r.has(1) ? object(r.u(0)) : nullptr;
            if (!rg || rg->kind != Object::Region)
                return Outcome::Ignored;
            if (m_usable && m_raster && affordRegion(*rg->region)) {
                applyTransform();
                setMode(QPainter::RasterOp_NotDestination);
                m_p.fillPath(*rg->region, Qt::black);
                m_stateDirty = true;
            }
            return Outcome::Played;
        }
        default:
            return Outcome::Unknown;
        }
    }

    /// Text.
    Outcome textRecord(const Record &r) {
        switch (r.function) {
        case TextOut: {
            if (!r.has(1))
                return Outcome::Ignored;
            const int len = r.s(0);
            const qsizetype strWords = (qsizetype(len) + 1) / 2;
            if (len < 0 || !r.has(1 + strWords + 2))
                return Outcome::Ignored;
            const QByteArrayView text(r.params + 2, len);
            const QPointF at(r.s(1 + strWords + 1), r.s(1 + strWords));
            drawText(at, text, {}, 0, QRectF());
            return Outcome::Played;
        }
        case ExtTextOut:
            return played(extTextOut(r));
        default:
            return Outcome::Unknown;
        }
    }

    /// Bitmaps and pattern fills.
    Outcome bitmapRecord(const Record &r) {
        switch (r.function) {
        case PatBlt: {
            if (!r.has(6))
                return Outcome::Ignored;
            patBlt(r.u32(0), QRectF(r.s(5), r.s(4), r.s(3), r.s(2)));
            return Outcome::Played;
        }
        case BitBlt:
        case StretchBlt:
        case DibBitBlt:
        case DibStretchBlt:
            return played(blt(r));
        case StretchDib: {
            if (!r.has(11))
                return Outcome::Ignored;
            const std::uint32_t rop = r.u32(0);
            const int usage = r.u(2);
            const QImage img = decodeDib(r.tail(11), usage, palette());
            if (img.isNull())
                return Outcome::Ignored;
            // Source rows count from the bottom of the bitmap.
            const double sh = r.s(3), sw = r.s(4), sy = r.s(5), sx = r.s(6);
            const QRectF src(sx, img.height() - sy - sh, sw, sh);
            drawImage(img, src, QRectF(r.s(10), r.s(9), r.s(8), r.s(7)), rop);
            return Outcome::Played;
        }
        case SetDibToDev: {
            if (!r.has(9))
                return Outcome::Ignored;
            const QImage img = decodeDib(r.tail(9), r.u(0), palette());
            if (img.isNull())
                return Outcome::Ignored;
            const double h = r.s(5), w = r.s(6);
            drawImage(img, QRectF(r.s(4), img.height() - r.s(3) - h, w, h),
                      QRectF(r.s(8), r.s(7), w, h), SRCCOPY);
            return Outcome::Played;
        }
        default:
            return Outcome::Unknown;
        }
    }

    /// Cost of filling a region, or of framing it with a pen framePen
    /// logical units wide.
    bool affordRegion(const QPainterPath &region, double framePen = 0) {
        const double points = region.elementCount();
        if (!m_pixels)
            return affordFill(region.boundingRect(), points);
        // The points first: counting the converter's work takes a look at each.
        if (!charge(kShapeCost + points * kPointCost))
            return false;
        const RasterWork w = rasterWork(region, m_logical * m_base, m_device);
        if (framePen > 0) {
            const double pen = penWorkPixels(framePen);
            return charge(points * (kWidePenPointCost + kPenPointCost * pen) +
                          convertCost(strokeWork(w, pen, points)));
        }
        const QRectF dev = deviceRect(region.boundingRect());
        return charge(convertCost(w) + dev.width() * dev.height() * kPixelCost);
    }

    bool setExtent(const Record &r, QPointF *ext) {
        if (!r.has(2) || r.s(0) == 0 || r.s(1) == 0)
            return false; // a zero extent would divide by zero
        *ext = QPointF(r.s(1), r.s(0));
        updateTransform();
        return true;
    }

    bool scaleExtent(const Record &r, QPointF *ext) {
        if (!r.has(4))
            return false;
        const double yDen = r.s(0), yNum = r.s(1), xDen = r.s(2), xNum = r.s(3);
        if (xDen == 0 || yDen == 0 || xNum == 0 || yNum == 0)
            return false;
        const QPointF e(ext->x() * xNum / xDen, ext->y() * yNum / yDen);
        if (std::abs(e.x()) < 1e-9 || std::abs(e.y()) < 1e-9 || std::abs(e.x()) > 1e12 ||
            std::abs(e.y()) > 1e12)
            return false;
        *ext = e;
        updateTransform();
        return true;
    }

    Qt::FillRule fillRule() const {
        return m_dc.polyFill == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    }

    QList<QRgb> palette() const { return m_dc.palette ? *m_dc.palette : QList<QRgb>(); }

    /// Reads count points starting at word first; false if they do not fit.
    static bool points(const Record &r, qsizetype first, qsizetype count, QPolygonF *out) {
        if (count < 0 || !r.has(first + 2 * count))
            return false;
        out->resize(count);
        for (qsizetype i = 0; i < count; ++i)
            (*out)[i] = QPointF(r.s(first + 2 * i), r.s(first + 2 * i + 1));
        return true;
    }

    bool polyPolygon(const Record &r) {
        if (!r.has(1))
            return false;
        const qsizetype n = r.u(0);
        if (!r.has(1 + n))
            return false;
        qsizetype total = 0;
        for (qsizetype i = 0; i < n; ++i)
            total += r.u(1 + i);
        if (!r.has(1 + n + 2 * total))
            return false;
        QList<QPolygonF> polys;
        qsizetype at = 1 + n;
        QRectF bounds;
        RasterWork w;
        for (qsizetype i = 0; i < n; ++i) {
            QPolygonF poly;
            points(r, at, r.u(1 + i), &poly);
            at += 2 * poly.size();
            if (poly.isEmpty())
                continue;
            bounds |= poly.boundingRect();
            polys.append(std::move(poly));
        }
        if (!prepare(true))
            return true;
        limitDashes(bounds);
        if (m_pixels)
            w = work(polys, true);
        trim(&polys, true, filling(), &w);
        if (!affordShape(bounds, polyPoints(polys), w, filling()))
            return true;
        QPainterPath path;
        path.setFillRule(fillRule());
        for (const QPolygonF &poly : std::as_const(polys)) {
            path.addPolygon(poly);
            path.closeSubpath();
        }
        m_p.drawPath(path);
        return true;
    }

    bool arc(const Record &r) {
        if (!r.has(8))
            return false;
        const QRectF rc = rectLTRB(r.s(7), r.s(6), r.s(5), r.s(4));
        const QPointF start(r.s(3), r.s(2)), end(r.s(1), r.s(0));
        if (rc.width() <= 0 || rc.height() <= 0 || !m_usable)
            return true;
        const QPointF c = rc.center();
        auto angle = [&](QPointF p) {
            // Parametric angle (as Qt's arcs use it) of the radial through p.
            const double dx = (p.x() - c.x()) / (rc.width() / 2);
            const double dy = (p.y() - c.y()) / (rc.height() / 2);
            return (dx == 0 && dy == 0) ? 0.0 : qRadiansToDegrees(std::atan2(-dy, dx));
        };
        const double a0 = angle(start), a1 = angle(end);
        // Arcs run counter-clockwise as seen on the device; a mapping that flips
        // one axis turns that into clockwise in logical units.
        const bool flipped = (m_logical.m11() < 0) != (m_logical.m22() < 0);
        double span = flipped ? a0 - a1 : a1 - a0;
        while (span <= 0)
            span += 360;
        while (span > 360)
            span -= 360;
        if (flipped)
            span = -span;
        QPainterPath path;
        if (r.function == Pie)
            path.moveTo(c);
        else
            path.arcMoveTo(rc, a0);
        path.arcTo(rc, a0, span);
        if (r.function != Arc)
            path.closeSubpath();
        const bool closed = r.function != Arc;
        if (!prepare(closed))
            return true;
        limitDashes(rc);
        const bool fill = closed && filling();
        if (!m_pixels) {
            if (affordCurve(rc, fill))
                m_p.drawPath(path);
            return true;
        }
        if (!charge(kCurveCost))
            return true;
        // The converter gets the curves as they are. Far beyond the target
        // they go as Qt flattens them on the device, cut like polygons.
        const QTransform toDevice = m_logical * m_base;
        RasterWork w = rasterWork(path, toDevice, m_device);
        const double points = path.elementCount();
        if (shapeCost(rc, points, w, fill) >= kTrimAbove && toDevice.isInvertible()) {
            const QTransform back = toDevice.inverted();
            QList<QPolygonF> polys;
            for (const QPolygonF &p : path.toSubpathPolygons(toDevice))
                polys.append(back.map(p));
            if (trim(&polys, closed, fill, &w)) {
                if (affordShape(rc, polyPoints(polys), w, fill))
                    drawTrimmed(polys, closed);
                return true;
            }
        }
        if (affordShape(rc, points, w, fill))
            m_p.drawPath(path);
        return true;
    }

    // ---- objects ------------------------------------------------------------
    bool createPen(const Record &r) {
        Object o;
        o.kind = Object::Pen;
        if (r.has(5)) {
            const int style = r.u(0);
            const double width = std::abs(double(r.s(1)));
            QPen pen(colorRef(r.u32(3)), width);
            pen.setCosmetic(width == 0);
            switch (style & PS_STYLE_MASK) {
            case PS_DASH:
                pen.setStyle(Qt::DashLine);
                break;
            case PS_DOT:
                pen.setStyle(Qt::DotLine);
                break;
            case PS_DASHDOT:
                pen.setStyle(Qt::DashDotLine);
                break;
            case PS_DASHDOTDOT:
                pen.setStyle(Qt::DashDotDotLine);
                break;
            case PS_NULL:
                pen.setStyle(Qt::NoPen);
                break;
            default:
                pen.setStyle(Qt::SolidLine);
                break;
            }
            switch (style & PS_ENDCAP_MASK) {
            case PS_ENDCAP_SQUARE:
                pen.setCapStyle(Qt::SquareCap);
                break;
            case PS_ENDCAP_FLAT:
                pen.setCapStyle(Qt::FlatCap);
                break;
            default:
                pen.setCapStyle(Qt::RoundCap);
                break;
            }
            switch (style & PS_JOIN_MASK) {
            case PS_JOIN_BEVEL:
                pen.setJoinStyle(Qt::BevelJoin);
                break;
            case PS_JOIN_MITER:
                pen.setJoinStyle(Qt::MiterJoin);
                break;
            default:
                pen.setJoinStyle(Qt::RoundJoin);
                break;
            }
            pen.setMiterLimit(10);
            o.pen = pen;
            o.insideFrame = (style & PS_STYLE_MASK) == PS_INSIDEFRAME;
        } else {
            o.pen = QPen(Qt::black, 0);
        }
        addObject(std::move(o));
        return r.has(5);
    }

    bool createBrush(const Record &r) {
        Object o;
        o.kind = Object::Brush;
        const int style = r.has(1) ? int(r.u(0)) : int(BS_SOLID);
        const QColor c = r.has(3) ? colorRef(r.u32(1)) : QColor(Qt::black);
        switch (style) {
        case BS_NULL:
            o.brush = QBrush(Qt::NoBrush);
            break;
        case BS_HATCHED: {
            static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                     Qt::FDiagPattern, Qt::BDiagPattern,
                                                     Qt::CrossPattern, Qt::DiagCrossPattern};
            const int h = r.has(4) ? r.u(3) : 0;
            o.brush = QBrush(c, h >= 0 && h <= HS_DIAGCROSS ? hatches[h] : Qt::HorPattern);
            o.hatched = true;
            break;
        }
        default:
            o.brush = QBrush(c);
            break; // solid, and patterns without bits
        }
        addObject(std::move(o));
        return r.has(3);
    }

    void patternBrush(const QImage &img) {
        Object o;
        o.kind = Object::Brush;
        const qint64 px = img.isNull() ? 0 : qint64(img.width()) * img.height();
        if (px == 0 || m_patternPixels + px > kMaxPatternPixels) {
            o.brush = QBrush(Qt::gray); // keeps the slot numbering right
        } else {
            m_patternPixels += px;
            o.brush = QBrush(img);
        }
        addObject(std::move(o));
    }

    bool createDibPatternBrush(const Record &r) {
        if (!r.has(2)) {
            patternBrush(QImage());
            return false;
        }
        const int usage = r.u(0) == BS_PATTERN ? int(DIB_RGB_COLORS) : int(r.u(1));
        patternBrush(decodeDib(r.tail(2), usage, palette(), kMaxPatternPixels));
        return true;
    }

    bool createPatternBrush(const Record &r) {
        // Bitmap16 header (14 bytes with its unused bits pointer), 18 reserved
        // bytes, then the bits.
        QImage img;
        if (r.has(16)) {
            QByteArray bm(reinterpret_cast<const char *>(r.params), 10);
            bm.append(r.tail(16).toByteArray());
            img = decodeBitmap16(bm, qRgb(0, 0, 0), qRgb(255, 255, 255), kMaxPatternPixels);
        }
        patternBrush(img);
        return !img.isNull();
    }

    bool createFont(const Record &r) {
        Object o;
        o.kind = Object::Font;
        auto f = std::make_shared<FontSpec>();
        if (r.has(9)) {
            f->height = r.s(0);
            f->width = r.s(1);
            f->escapement = r.s(2);
            f->weight = r.s(4);
            const uchar *b = r.params + 10;
            f->italic = b[0];
            f->underline = b[1];
            f->strikeOut = b[2];
            f->charset = b[3];
            const QByteArrayView rest = r.tail(9);
            const qsizetype nameMax = qMin<qsizetype>(rest.size(), 32);
            qsizetype len = 0;
            while (len < nameMax && rest[len] != '\0')
                ++len;
            f->face = decodeText(rest.first(len),
                                 f->charset == SYMBOL_CHARSET ? ANSI_CHARSET : f->charset)
                          .trimmed();
        }
        o.font = std::move(f);
        addObject(std::move(o));
        return r.has(9);
    }

    bool createPalette(const Record &r) {
        Object o;
        o.kind = Object::Palette;
        o.palette = std::make_shared<QList<QRgb>>();
        const qsizetype n = r.has(2) ? r.u(1) : 0;
        const bool fits = r.has(2 + 2 * n);
        if (fits) {
            o.palette->reserve(n);
            for (qsizetype i = 0; i < n; ++i) {
                const std::uint32_t e = r.u32(2 + 2 * i);
                o.palette->append(qRgb(e & 0xFF, (e >> 8) & 0xFF, (e >> 16) & 0xFF));
            }
        }
        addObject(std::move(o));
        return fits;
    }

    bool setPalEntries(const Record &r) {
        if (!r.has(2) || !m_dc.palette)
            return false;
        const qsizetype start = r.u(0), n = r.u(1);
        if (!r.has(2 + 2 * n) || start + n > m_dc.palette->size())
            return false;
        for (qsizetype i = 0; i < n; ++i) {
            const std::uint32_t e = r.u32(2 + 2 * i);
            (*m_dc.palette)[start + i] = qRgb(e & 0xFF, (e >> 8) & 0xFF, (e >> 16) & 0xFF);
        }
        return true;
    }

    bool createRegion(const Record &r) {
        // nextInChain, objectType, objectCount (2), regionSize, scanCount,
        // maxScan, bounds (left, top, right, bottom), then the scans: count,
        // top, bottom, count/2 pairs of left and right, count again.
        Object o;
        o.kind = Object::Region;
        o.region = std::make_shared<QPainterPath>();
        bool ok = r.has(11);
        if (ok) {
            const int scans = r.u(5);
            QRegion region;
            QList<QRect> rects;
            qsizetype at = 11;
            for (int i = 0; i < scans && ok; ++i) {
                if (!r.has(at + 3)) {
                    ok = false;
                    break;
                }
                const int count = r.u(at);
                const int top = r.s(at + 1), bottom = r.s(at + 2);
                if ((count & 1) || !r.has(at + 3 + count + 1)) {
                    ok = false;
                    break;
                }
                for (int k = 0; k + 1 < count; k += 2) {
                    if (m_regionRects >= kMaxRegionRects) {
                        ok = false;
                        break;
                    }
                    const int left = r.s(at + 3 + k), right = r.s(at + 3 + k + 1);
                    if (right > left && bottom > top) {
                        rects.append(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
                        ++m_regionRects;
                    }
                }
                at += 3 + count + 1;
            }
            if (scans == 0) {
                const QRectF b = rectLTRB(r.s(7), r.s(8), r.s(9), r.s(10));
                o.region->addRect(b);
            } else if (ok) {
                region.setRects(rects.constData(), int(rects.size()));
                o.region->addRegion(region);
            }
        }
        addObject(std::move(o));
        return ok;
    }

    bool selectObject(const Record &r) {
        Object *o = r.has(1) ? object(r.u(0)) : nullptr;
        if (!o)
            return false; // a bad index is ignored
        switch (o->kind) {
        case Object::Pen:
            m_dc.pen = o->pen;
            m_penStyleRaw = o->insideFrame ? PS_INSIDEFRAME : 0;
            break;
        case Object::Brush:
            m_dc.brush = o->brush;
            m_dc.brushHatched = o->hatched;
            break;
        case Object::Font:
            m_dc.font = o->font;
            break;
        case Object::Palette:
            m_dc.palette = o->palette;
            break;
        case Object::Region: {
            if (!m_usable)
                return false;
            m_dc.clip = m_baseClip.intersected(m_logical.map(*o->region));
            m_dc.clipSet = true;
            applyClip();
            break;
        }
        case Object::Empty:
            return false;
        }
        m_stateDirty = true;
        return true;
    }

    // ---- text ---------------------------------------------------------------
    bool extTextOut(const Record &r) {
        if (!r.has(4))
            return false;
        const QPointF at(r.s(1), r.s(0));
        const int len = r.s(2);
        const int opts = r.u(3);
        qsizetype strAt = 4;
        QRectF rect;
        if (opts & (ETO_OPAQUE | ETO_CLIPPED)) {
            if (!r.has(8))
                return false;
            rect = rectLTRB(r.s(4), r.s(5), r.s(6), r.s(7));
            strAt = 8;
        }
        const qsizetype strWords = (qsizetype(len) + 1) / 2;
        if (len < 0 || !r.has(strAt + strWords))
            return false;
        const QByteArrayView text(r.params + strAt * 2, len);
        QList<double> dx;
        if (len > 0 && r.has(strAt + strWords + len)) {
            dx.reserve(len);
            for (int i = 0; i < len; ++i)
                dx.append(r.s(strAt + strWords + i));
        }
        drawText(at, text, dx, opts, rect);
        return true;
    }

    void drawText(QPointF at, QByteArrayView bytes, const QList<double> &dxIn, int opts,
                  const QRectF &rect) {
        if (!m_usable)
            return;
        static const FontSpec defaultFont;
        const FontSpec &f = m_dc.font ? *m_dc.font : defaultFont;
        const bool updateCp = m_dc.textAlign & TA_UPDATECP;
        if (updateCp)
            at = m_dc.cp;

        if ((opts & ETO_OPAQUE) && !rect.isEmpty() && affordFill(rect, 4)) {
            applyTransform();
            setMode(QPainter::CompositionMode_SourceOver);
            m_p.fillRect(rect, m_dc.bkColor);
            m_stateDirty = true;
        }
        const QString s = decodeText(bytes, f.charset);
        if (s.isEmpty())
            return;
        QList<double> dx = dxIn;
        if (dx.size() != s.size())
            dx.clear(); // double-byte text: advances per byte do not fit the characters
        if (dx.isEmpty() && m_dc.charExtra != 0)
            dx.fill(0, s.size()); // filled below once the font size is known

        const double sx = std::abs(m_logical.m11()), sy = std::abs(m_logical.m22());
        // Em height in logical units: negative heights are the em, positive ones
        // the cell (ascent + descent), zero a 12-point default.
        double em = 0;
        if (f.height < 0)
            em = -double(f.height);
        else if (f.height > 0)
            em = f.height * cellToEm(f);
        else
            em = 240.0 / m_header.frameUnitTwips;
        const double emPx = em * sy;
        if (!(emPx > 0.05) || emPx > kMaxTextPixels || !std::isfinite(emPx))
            return;
        const int fontPx = qBound(1, qRound(emPx), 1024);
        const QFont qf = font(f, fontPx);
        const QFontMetricsF fm(qf, m_p.device());
        const double hy = emPx / fontPx;
        double hx = hy * sx / sy;
        if (f.width != 0) {
            const double avg = fm.averageCharWidth();
            if (avg > 0)
                hx = std::abs(double(f.width)) * sx / avg;
        }
        if (!std::isfinite(hx) || hx <= 0)
            return;

        // Advances in local units (the font's pixels).
        bool perChar = !dx.isEmpty();
        double width = 0;
        if (perChar) {
            for (qsizetype i = 0; i < dx.size(); ++i) {
                if (dxIn.size() == s.size())
                    dx[i] = dxIn[i] * sx / hx;
                else
                    dx[i] = fm.horizontalAdvance(s[i]) + m_dc.charExtra * sx / hx;
                width += dx[i];
            }
        } else {
            width = fm.horizontalAdvance(s);
        }
        double x0 = 0;
        switch (m_dc.textAlign & TA_HMASK) {
        case TA_RIGHT:
            x0 = -width;
            break;
        case TA_CENTER:
            x0 = -width / 2;
            break;
        default:
            break;
        }
        double baseline = fm.ascent(); // top
        switch (m_dc.textAlign & TA_VMASK) {
        case TA_BASELINE:
            baseline = 0;
            break;
        case TA_BOTTOM:
            baseline = -fm.descent();
            break;
        default:
            break;
        }

        const QPointF ref = m_logical.map(at);
        QTransform t;
        t.translate(ref.x(), ref.y());
        t.rotate(-f.escapement / 10.0);
        t.scale(hx, hy);
        m_p.save();
        if ((opts & ETO_CLIPPED) && !rect.isEmpty()) {
            m_p.setWorldTransform(m_logical * m_base);
            m_p.setClipRect(rect, Qt::IntersectClip);
        }
        m_p.setWorldTransform(t * m_base);
        m_p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (m_dc.bkMode == OPAQUE && !(opts & ETO_OPAQUE))
            m_p.fillRect(QRectF(x0, baseline - fm.ascent(), width, fm.ascent() + fm.descent()),
                         m_dc.bkColor);
        // Large or strongly stretched glyphs go as outlines: the glyph cache
        // of the font engine would render them as one huge bitmap (and
        // crashes when that allocation fails).
        const QTransform full = t * m_base;
        const double gx = std::hypot(full.m11(), full.m12()),
                     gy = std::hypot(full.m21(), full.m22());
        const bool outlines =
            fontPx * qMax(gx, gy) > kMaxCachedGlyphPixels || gx > 2 * gy || gy > 2 * gx;
        const double glyphPx = fontPx * qMax(gx, gy);
        // A vector device stores glyphs as outlines or text: no pixels to pay for.
        const double glyphArea =
            m_pixels ? qMin(glyphPx * glyphPx, m_deviceClip.width() * m_deviceClip.height()) : 0;
        const bool outlined = outlines || (m_pixels && glyphPx >= kRasterCachedGlyphPixels);
        const double outline = !outlined  ? 0
                               : m_pixels ? kOutlineGlyphCost
                                          : kVectorOutlineGlyphCost;
        if (!charge(kShapeCost +
                    s.size() * (kGlyphCost + outline +
                                glyphArea * (outlined ? kOutlinePixelCost : kPixelCost)))) {
            m_p.restore();
            m_transformDirty = true;
            m_stateDirty = true;
            return;
        }
        m_p.setFont(qf);
        m_p.setPen(m_dc.textColor);
        auto drawRun = [&](QPointF pos, const QString &run) {
            if (outlines) {
                QPainterPath path;
                path.addText(pos, qf, run);
                m_p.fillPath(path, m_dc.textColor);
            } else {
                m_p.drawText(pos, run);
            }
        };
        if (perChar) {
            double x = x0;
            for (qsizetype i = 0; i < s.size(); ++i) {
                drawRun(QPointF(x, baseline), QString(s[i]));
                x += dx[i];
            }
        } else {
            drawRun(QPointF(x0, baseline), s);
        }
        m_p.restore();
        m_transformDirty = true;
        m_stateDirty = true;
        if (updateCp)
            m_dc.cp.rx() += width * hx / sx * sign(m_logical.m11());
    }

    static QFont font(const FontSpec &f, int px) {
        if (f.cachedPx == px)
            return f.cachedFont;
        QFont q;
        if (!f.face.isEmpty())
            q.setFamily(f.face); // Qt's font substitution maps Windows names
        q.setPixelSize(px);
        q.setWeight(QFont::Weight(qBound(1, f.weight == 0 ? 400 : f.weight, 1000)));
        q.setItalic(f.italic);
        q.setUnderline(f.underline);
        q.setStrikeOut(f.strikeOut);
        q.setKerning(false);
        f.cachedPx = px;
        f.cachedFont = q;
        return q;
    }

    static double cellToEm(const FontSpec &f) {
        if (f.cellToEm == 0) {
            const QFontMetricsF fm(font(f, 100));
            const double cell = fm.ascent() + fm.descent();
            f.cellToEm = cell > 0 ? 100.0 / cell : 1.0;
        }
        return f.cellToEm;
    }

    // ---- bitmaps ------------------------------------------------------------
    void patBlt(std::uint32_t rop, const QRectF &rc) {
        if (!m_usable)
            return;
        const QRectF r = rc.normalized();
        if (!affordFill(r, 4))
            return;
        applyTransform();
        setMode(QPainter::CompositionMode_SourceOver);
        switch (rop) {
        case BLACKNESS:
            m_p.fillRect(r, Qt::black);
            break;
        case WHITENESS:
            m_p.fillRect(r, Qt::white);
            break;
        case DSTINVERT:
        case PATINVERT:
            if (!m_raster)
                break;
            setMode(rop == DSTINVERT ? QPainter::RasterOp_NotDestination
                                     : QPainter::RasterOp_SourceXorDestination);
            m_p.fillRect(r, rop == DSTINVERT ? QBrush(Qt::black) : m_dc.brush);
            break;
        default:
            m_p.fillRect(r, deviceBrush(m_dc.brush));
            break; // PATCOPY and the rest
        }
        m_stateDirty = true;
    }

    bool blt(const Record &r) {
        const bool stretch = r.function == StretchBlt || r.function == DibStretchBlt;
        const bool dib = r.function == DibBitBlt || r.function == DibStretchBlt;
        const qsizetype shortWords = r.function >> 8; // the form without a bitmap
        if (!r.has(shortWords - (stretch ? 3 : 1)))
            return false;
        const std::uint32_t rop = r.u32(0);
        if (r.words() == shortWords) {
            // No bitmap: a pattern operation on the destination.
            const qsizetype d = stretch ? 7 : 5;
            patBlt(rop, QRectF(r.s(d + 3), r.s(d + 2), r.s(d + 1), r.s(d)));
            return true;
        }
        double sw, sh, sx, sy, dw, dh, dx, dy;
        qsizetype bits;
        if (stretch) {
            sh = r.s(2), sw = r.s(3), sy = r.s(4), sx = r.s(5);
            dh = r.s(6), dw = r.s(7), dy = r.s(8), dx = r.s(9);
            bits = 10;
        } else {
            sy = r.s(2), sx = r.s(3);
            dh = sh = r.s(4), dw = sw = r.s(5);
            dy = r.s(6), dx = r.s(7);
            bits = 8;
        }
        const QImage img =
            dib ? decodeDib(r.tail(bits), DIB_RGB_COLORS, palette())
                : decodeBitmap16(r.tail(bits), m_dc.textColor.rgb(), m_dc.bkColor.rgb());
        if (img.isNull())
            return false;
        drawImage(img, QRectF(sx, sy, sw, sh), QRectF(dx, dy, dw, dh), rop);
        return true;
    }

    void drawImage(QImage img, QRectF src, const QRectF &dst, std::uint32_t rop) {
        if (!m_usable || src.width() == 0 || src.height() == 0)
            return;
        // Mirroring follows the signs in device space, as on a Windows device.
        const QPointF p1 = m_logical.map(dst.topLeft()), p2 = m_logical.map(dst.bottomRight());
        const bool mirrorX = (p2.x() < p1.x()) != (src.width() < 0);
        const bool mirrorY = (p2.y() < p1.y()) != (src.height() < 0);
        src = src.normalized().intersected(QRectF(img.rect()));
        if (src.isEmpty())
            return;
        const QRectF target = QRectF(p1, p2).normalized();
        if (target.isEmpty())
            return;
        const QRectF visible = m_base.mapRect(target).intersected(m_deviceClip);
        // On a vector device (PDF, printer) the image is stored, not scaled
        // pixel by pixel, so only its decoding counts.
        const double scaled = m_pixels ? visible.width() * visible.height() * kImagePixelCost : 0;
        if (!charge(kShapeCost + double(img.width()) * img.height() * kDecodePixelCost + scaled))
            return;
        if (mirrorX || mirrorY) {
            img = img.copy(src.toAlignedRect()).mirrored(mirrorX, mirrorY);
            src = QRectF(img.rect());
        }
        QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
        if (m_raster) {
            switch (rop) {
            case SRCAND:
                mode = QPainter::RasterOp_SourceAndDestination;
                break;
            case SRCPAINT:
                mode = QPainter::RasterOp_SourceOrDestination;
                break;
            case SRCINVERT:
                mode = QPainter::RasterOp_SourceXorDestination;
                break;
            default:
                break;
            }
        }
        m_p.setWorldTransform(m_base);
        m_transformDirty = true;
        setMode(mode);
        m_p.setRenderHint(QPainter::SmoothPixmapTransform, m_dc.stretchMode == HALFTONE);
        m_p.drawImage(target, img, src);
        m_stateDirty = true;
    }

    struct Saved {
        Dc dc;
        int penStyleRaw;
    };

    const Header &m_header;
    QPainter &m_p;
    QRectF m_target;
    PlayLimits m_limits;
    QTransform m_base, m_frameToCaller, m_logical;
    QPainterPath m_baseClip;
    bool m_raster = false;
    bool m_pixels = false;
    bool m_usable = true;
    bool m_transformDirty = true;
    bool m_stateDirty = true;
    bool m_filling = false;
    bool m_opaqueBackground = false;
    bool m_antialiasing = true; // for this picture
    bool m_antialiased = true;  // as set on the painter now
    QPainter::CompositionMode m_mode = QPainter::CompositionMode_SourceOver;
    double m_deviceScale = 1;
    double m_widestScale = 1; // of the axes on the device
    Dc m_dc;
    int m_penStyleRaw = 0;
    std::vector<Saved> m_stack;
    std::vector<Object> m_slots;
    QPolygonF m_poly;
    QBrush m_preparedBrush;
    std::priority_queue<int, std::vector<int>, std::greater<int>> m_freed;
    int m_nextUnused = 0;
    qint64 m_patternPixels = 0;
    qint64 m_regionRects = 0;
    QRectF m_deviceClip; // the target on the device
    QRectF m_device;     // all of the device: the scan converter works on it
    double m_work = 0;
    long m_trimmed = 0;
    bool m_cut = false;
};

} // namespace

PlayResult play(QByteArrayView data, const Header &header, QPainter &painter, const QRectF &target,
                const PlayLimits &limits) {
    if (!target.isValid() || !std::isfinite(target.width()) || !std::isfinite(target.height()) ||
        header.frameExtent.x() == 0 || header.frameExtent.y() == 0 || !painter.isActive())
        return {};
    // Heavy pictures are drawn without antialiasing, which costs them about
    // 40 % more time; clip-art of a few thousand records keeps smooth edges.
    RecordReader counter(data, header.recordsOffset);
    Record r;
    while (counter.count() <= kMaxAntialiasedRecords && counter.next(&r)) {
    }
    painter.save();
    PlayResult res;
    {
        Player player(header, painter, target, counter.count() <= kMaxAntialiasedRecords, limits);
        res = player.run(data);
    }
    painter.restore();
    return res;
}

} // namespace wmf
