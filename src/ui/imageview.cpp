#include "ui/imageview.h"

#include "ui/twips.h"

#include <QApplication>
#include <QInputDevice>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ImageView::ImageView(QWidget *parent) : QWidget(parent) {}

void ImageView::setPicture(const Picture &p) {
    m_picture = p;
    if (!m_stretch && !p.isNull()) {
        const QSize tw = p.naturalTwips();
        resize(twips::px(tw.width()), twips::px(tw.height()));
    }
    update();
}

void ImageView::setStretch(bool on) {
    m_stretch = on;
    setPicture(m_picture);
}

void ImageView::setDragEnabled(bool on) {
    m_drag = on;
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

void ImageView::paintEvent(QPaintEvent *) {
    if (m_picture.isNull())
        return;
    QPainter p(this);
    m_picture.draw(p, QRectF(rect()));
}

static QPoint twipsOf(const QMouseEvent *e) {
    return QPoint(qRound(e->position().x() * twips::perPixel),
                  qRound(e->position().y() * twips::perPixel));
}

namespace {

/// The dragged picture, drawn at the size the old drag image had.
class Ghost : public QWidget {
public:
    Ghost(QWidget *window, const Picture &p) : QWidget(window), m_picture(p) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(kSide, kSide);
    }
    static constexpr int kSide = 48;

protected:
    void paintEvent(QPaintEvent *) override {
        if (m_picture.isNull())
            return;
        QPainter p(this);
        m_picture.draw(p, QRectF(rect()));
    }

private:
    Picture m_picture;
};

bool fromTouch(const QMouseEvent *e) {
    return e->source() != Qt::MouseEventNotSynthesized ||
           (e->device() && e->device()->type() == QInputDevice::DeviceType::TouchScreen);
}

} // namespace

ImageView *ImageView::s_held = nullptr;

void ImageView::mousePressEvent(QMouseEvent *e) {
    m_pressPos = e->position().toPoint();
    m_dragging = false;
    emit pressed(twipsOf(e), e->button());
}

void ImageView::mouseMoveEvent(QMouseEvent *e) {
    if (!m_drag || !(e->buttons() & Qt::LeftButton))
        return;
    const QPoint inWindow = mapTo(window(), e->position().toPoint());
    if (!m_dragging) {
        if ((e->position().toPoint() - m_pressPos).manhattanLength() <
            QApplication::startDragDistance())
            return;
        m_dragging = true;
        s_held = this;
        m_ghost = new Ghost(window(), m_picture);
        m_ghost->show();
    }
    moveGhost(inWindow);
}

void ImageView::moveGhost(QPoint inWindow) {
    if (!m_ghost)
        return;
    const QSize room = window()->size() - m_ghost->size();
    const QPoint at = inWindow - QPoint(m_ghost->width() / 2, m_ghost->height() / 2);
    m_ghost->move(qBound(0, at.x(), qMax(0, room.width())),
                  qBound(0, at.y(), qMax(0, room.height())));
    m_ghost->raise();
}

void ImageView::endDrag() {
    delete m_ghost;
    m_ghost = nullptr;
    m_dragging = false;
    if (s_held == this)
        s_held = nullptr;
}

ImageView *ImageView::viewAt(QPoint inWindow) const {
    for (QWidget *w = window()->childAt(inWindow); w; w = w->parentWidget())
        if (auto *v = qobject_cast<ImageView *>(w); v && v->m_drag && v->isVisible())
            return v;
    return nullptr;
}

void ImageView::mouseReleaseEvent(QMouseEvent *e) {
    emit released(twipsOf(e), e->button());
    if (m_dragging) {
        ImageView *target = viewAt(mapTo(window(), e->position().toPoint()));
        endDrag();
        if (target && e->button() == Qt::LeftButton)
            emit target->dropped(this);
        return;
    }
    if (rect().contains(e->position().toPoint())) {
        emit clicked();
        if (fromTouch(e))
            emit tapped();
        if (m_drag && e->button() == Qt::LeftButton)
            emit dropped(this); // a click without drag is a drop on itself
    }
}

void ImageView::keyPressEvent(QKeyEvent *e) {
    if (!m_drag || e->key() != Qt::Key_Space || e->isAutoRepeat()) {
        QWidget::keyPressEvent(e);
        return;
    }
    if (s_held && s_held->window() == window()) {
        ImageView *source = s_held;
        s_held = nullptr;
        emit dropped(source);
    } else {
        s_held = this;
    }
}

void ImageView::hideEvent(QHideEvent *e) {
    endDrag(); // a hidden window holds nothing
    QWidget::hideEvent(e);
}
