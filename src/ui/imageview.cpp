#include "ui/imageview.h"

#include "ui/twips.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

static const char *kMime = "application/x-kalimbo-imageview";

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
    setAcceptDrops(on);
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

void ImageView::mousePressEvent(QMouseEvent *e) {
    m_pressPos = e->position().toPoint();
    m_dragging = false;
    emit pressed(twipsOf(e), e->button());
}

void ImageView::mouseMoveEvent(QMouseEvent *e) {
    if (!m_drag || !(e->buttons() & Qt::LeftButton) || m_dragging)
        return;
    if ((e->position().toPoint() - m_pressPos).manhattanLength() <
        QApplication::startDragDistance())
        return;
    m_dragging = true;
    auto *drag = new QDrag(this);
    auto *mime = new QMimeData;
    mime->setData(kMime, QByteArray::number(quintptr(this)));
    drag->setMimeData(mime);
    if (!m_picture.isNull())
        drag->setPixmap(QPixmap::fromImage(m_picture.render(QSize(48, 48))));
    drag->exec(Qt::MoveAction);
    m_dragging = false;
}

void ImageView::mouseReleaseEvent(QMouseEvent *e) {
    emit released(twipsOf(e), e->button());
    if (rect().contains(e->position().toPoint())) {
        emit clicked();
        if (m_drag && e->button() == Qt::LeftButton)
            emit dropped(this); // a click without drag is a drop on itself
    }
}

void ImageView::dragEnterEvent(QDragEnterEvent *e) {
    if (e->mimeData()->hasFormat(kMime))
        e->acceptProposedAction();
}

void ImageView::dropEvent(QDropEvent *e) {
    if (!e->mimeData()->hasFormat(kMime))
        return;
    e->acceptProposedAction();
    auto *src = qobject_cast<ImageView *>(e->source());
    if (src)
        emit dropped(src);
}
