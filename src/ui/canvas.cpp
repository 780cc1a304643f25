#include "ui/canvas.h"

#include "core/contrast.h"
#include "ui/highcontrast.h"
#include "ui/twips.h"

#include <QHash>

#include <QMouseEvent>
#include <QPainter>

static void toTwips(QPainter &p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.scale(1.0 / twips::perPixel, 1.0 / twips::perPixel);
}

QPainter *CanvasSurface::painter() {
    if (m_canvas.m_batch)
        return m_canvas.m_batch;
    m_canvas.ensureImage();
    if (m_canvas.m_image.isNull())
        return nullptr;
    m_active = new QPainter(&m_canvas.m_image);
    toTwips(*m_active);
    return m_active;
}

void CanvasSurface::done() {
    if (m_active) {
        m_active->end();
        delete m_active;
        m_active = nullptr;
    }
    if (!m_canvas.m_batch)
        m_canvas.update();
}

void CanvasSurface::doText(const QPoint &topLeft, const QString &text) {
    if (!highcontrast::isOn()) {
        PainterSurface::doText(topLeft, text);
        return;
    }
    // Letters are drawn over boxes and strips of many colours: each text is
    // made readable against what lies under it.
    const QColor own = m_textColour;
    const QColor ground =
        m_canvas.colourUnder(QRect(topLeft, QSize(textWidth(text), textHeight())));
    m_textColour = highcontrast::readable(own, ground);
    // Kept for looking at, a bounded number.
    if (m_canvas.m_texts.size() >= 512)
        m_canvas.m_texts.remove(0, 256);
    m_canvas.m_texts.append({text, m_textColour, ground});
    PainterSurface::doText(topLeft, text);
    m_textColour = own;
}

Canvas::Canvas(QWidget *parent) : QWidget(parent), m_surface(*this) {
    m_surface.setBackground(palette().color(QPalette::Window));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Canvas::~Canvas() {
    endBatch();
}

void Canvas::setBackground(const QColor &c) {
    m_surface.setBackground(c);
}

void Canvas::clear() {
    ensureImage();
    m_image.fill(m_surface.background());
    m_surface.setPrintPosition(0, 0);
    m_texts.clear();
    update();
}

QColor Canvas::colourUnder(const QRect &tw) const {
    if (m_image.isNull())
        return m_surface.background();
    const double scale = m_image.devicePixelRatio() / twips::perPixel;
    const QRect px = QRect(QPoint(int(tw.left() * scale), int(tw.top() * scale)),
                           QPoint(int(tw.right() * scale), int(tw.bottom() * scale))) &
                     m_image.rect();
    if (px.isEmpty())
        return m_surface.background();
    // A grid of points: the colour most of them show is the ground, whatever
    // was written there before.
    QHash<QRgb, int> seen;
    QRgb best = 0;
    int most = 0;
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 5; ++j) {
            const QRgb c = m_image.pixel(px.left() + px.width() * (2 * i + 1) / 14,
                                         px.top() + px.height() * (2 * j + 1) / 10);
            if (++seen[c] > most) {
                most = seen[c];
                best = c;
            }
        }
    return QColor(best);
}

QImage Canvas::snapshot() const {
    if (m_image.isNull())
        return QImage();
    QImage img = m_image;
    img.setDevicePixelRatio(1.0);
    if (img.size() != size())
        img = img.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return img;
}

void Canvas::beginBatch() {
    if (m_batch)
        return;
    ensureImage();
    m_batch = new QPainter(&m_image);
    toTwips(*m_batch);
}

void Canvas::endBatch() {
    if (!m_batch)
        return;
    m_batch->end();
    delete m_batch;
    m_batch = nullptr;
    update();
}

void Canvas::ensureImage() {
    const qreal dpr = devicePixelRatioF();
    const QSize want = (QSizeF(size()) * dpr).toSize();
    if (m_image.size() == want && !m_image.isNull())
        return;
    if (want.isEmpty())
        return;
    QImage img(want, QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(m_surface.background());
    if (!m_image.isNull()) {
        QPainter p(&img);
        p.drawImage(QPointF(0, 0), m_image);
    }
    m_image = img;
    m_surface.setExtent(QRect(0, 0, twips::tw(width()), twips::tw(height())));
}

void Canvas::paintEvent(QPaintEvent *) {
    ensureImage();
    QPainter p(this);
    p.drawImage(QPointF(0, 0), m_image);
}

void Canvas::resizeEvent(QResizeEvent *) {
    if (!m_batch)
        ensureImage();
}

static QPoint twipsOf(const QMouseEvent *e) {
    const QPointF p = e->position();
    return QPoint(qRound(p.x() * twips::perPixel), qRound(p.y() * twips::perPixel));
}

void Canvas::mousePressEvent(QMouseEvent *e) {
    emit mousePressed(twipsOf(e), e->button());
}

void Canvas::mouseReleaseEvent(QMouseEvent *e) {
    emit mouseReleased(twipsOf(e), e->button());
    if (rect().contains(e->position().toPoint()))
        emit clicked();
}

void Canvas::mouseMoveEvent(QMouseEvent *e) {
    emit mouseMoved(twipsOf(e), e->buttons());
}
