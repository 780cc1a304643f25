#include "drawing/wmf/wmfbounds.h"

#include "drawing/wmf/wmfplayer.h"
#include "drawing/wmf/wmfreader.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTextItem>
#include <climits>
#include <cmath>

namespace wmf {

namespace {

/// Work the measuring play may spend, counted as on a vector device: ten
/// printed pages' worth, so every record a draw can reach is measured in
/// files of any sensible size, and the most hostile ones in about a third
/// of a second (text is the dearest per unit; see wmfwork_bench).
constexpr double kBoundsWork = 10 * kWorkBudget;

/// Takes what a painter draws and keeps only the rectangle it covers. It
/// claims raster operations, so the player draws on it what it draws on a
/// screen (inverted areas too), but it is no raster device: shapes are not
/// cut to a target and no pixel is paid for.
class BoundsEngine final : public QPaintEngine {
public:
    BoundsEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyTransform)
            m_t = state.transform();
        if (dirty & DirtyPen)
            m_pen = state.pen();
        if (dirty & DirtyBrush)
            m_brush = state.brush();
    }

    void drawPath(const QPainterPath &path) override { addShape(path, true); }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode != PolylineMode)
            path.closeSubpath();
        addShape(path, mode != PolylineMode);
    }

    void drawRects(const QRectF *rects, int count) override {
        for (int i = 0; i < count; ++i) {
            QPainterPath path;
            path.addRect(rects[i]);
            addShape(path, true);
        }
    }

    void drawImage(const QRectF &r, const QImage &, const QRectF &,
                   Qt::ImageConversionFlags) override {
        add(mapped(r));
    }
    void drawPixmap(const QRectF &r, const QPixmap &, const QRectF &) override { add(mapped(r)); }
    void drawTiledPixmap(const QRectF &r, const QPixmap &, const QPointF &) override {
        add(mapped(r));
    }

    /// Text counts as its cells: advance by ascent and descent, as the
    /// player fills them behind opaque text. (Glyphs too large for the
    /// glyph cache come as outlines, and count by their ink.)
    void drawTextItem(const QPointF &p, const QTextItem &ti) override {
        add(mapped(QRectF(p.x(), p.y() - ti.ascent(), ti.width(), ti.ascent() + ti.descent())));
    }

    /// Empty when nothing was drawn; of no width or height for lines.
    QRectF bounds() const {
        return m_any ? QRectF(QPointF(m_x0, m_y0), QPointF(m_x1, m_y1)) : QRectF();
    }

private:
    QRectF mapped(const QRectF &r) const {
        if (m_t.type() <= QTransform::TxScale)
            return m_t.mapRect(r);
        return m_t.map(QPolygonF(r)).boundingRect();
    }

    QRectF mapped(const QPainterPath &path) const {
        if (m_t.type() <= QTransform::TxScale)
            return m_t.mapRect(path.boundingRect());
        return m_t.map(path).boundingRect();
    }

    /// What a shape covers: its fill (when closed and brushed) and its
    /// outline. A pen of up to a pixel draws inside the pixels of the
    /// outline, as on Windows; a wider one half its width beyond it, and
    /// further where its mitres or square caps reach.
    void addShape(const QPainterPath &path, bool closed) {
        const bool pen = m_pen.style() != Qt::NoPen;
        if (!pen && !(closed && m_brush.style() != Qt::NoBrush))
            return;
        QRectF r = mapped(path);
        const double w = m_pen.widthF();
        const bool wide =
            pen && w > 0 &&
            (m_pen.isCosmetic() ? w > 1 : w * std::sqrt(std::abs(m_t.determinant())) > 1);
        if (wide && m_pen.isCosmetic()) {
            r.adjust(-w / 2, -w / 2, w / 2, w / 2);
        } else if (wide &&
                   (m_pen.joinStyle() == Qt::MiterJoin || m_pen.capStyle() == Qt::SquareCap)) {
            QPainterPathStroker stroker(m_pen);
            stroker.setDashPattern(Qt::SolidLine);
            r |= mapped(stroker.createStroke(path));
        } else if (wide) {
            const double hx = w / 2 * std::hypot(m_t.m11(), m_t.m21());
            const double hy = w / 2 * std::hypot(m_t.m12(), m_t.m22());
            r.adjust(-hx, -hy, hx, hy);
        }
        add(r);
    }

    // By hand: QRectF's union drops rectangles of no size (points, lines).
    void add(const QRectF &r) {
        if (!std::isfinite(r.left()) || !std::isfinite(r.top()) || !std::isfinite(r.right()) ||
            !std::isfinite(r.bottom()))
            return;
        m_x0 = m_any ? qMin(m_x0, r.left()) : r.left();
        m_y0 = m_any ? qMin(m_y0, r.top()) : r.top();
        m_x1 = m_any ? qMax(m_x1, r.right()) : r.right();
        m_y1 = m_any ? qMax(m_y1, r.bottom()) : r.bottom();
        m_any = true;
    }

    QTransform m_t;
    QPen m_pen;
    QBrush m_brush;
    double m_x0 = 0, m_y0 = 0, m_x1 = 0, m_y1 = 0;
    bool m_any = false;
};

class BoundsDevice final : public QPaintDevice {
public:
    QPaintEngine *paintEngine() const override { return &m_engine; }
    QRectF bounds() const { return m_engine.bounds(); }

protected:
    int metric(PaintDeviceMetric m) const override {
        constexpr int kSide = 1 << 20, kDpi = 96;
        switch (m) {
        case PdmWidth:
        case PdmHeight:
            return kSide;
        case PdmWidthMM:
        case PdmHeightMM:
            return kSide * 254 / kDpi / 10;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return kDpi;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    mutable BoundsEngine m_engine;
};

} // namespace

QRectF drawnBounds(QByteArrayView data, const Header &header) {
    // A frame of one unit at the origin, drawn into the unit square: the
    // player's mapping then ends in exactly those pixels.
    Header unit = header;
    unit.drawnFrame = true;
    unit.frameOrigin = QPointF(0, 0);
    unit.frameExtent = QPointF(1, 1);
    unit.frameShift = QPointF(0, 0);
    unit.frameUnitTwips = 15.0;
    BoundsDevice device;
    QPainter painter(&device);
    play(data, unit, painter, QRectF(0, 0, 1, 1), {kBoundsWork, 0});
    painter.end();
    return device.bounds();
}

} // namespace wmf
