#include "ui/canvas.h"

#include "ui/twips.h"

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
    update();
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
