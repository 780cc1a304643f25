#include "games/gamewidgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

void PressLabel::mousePressEvent(QMouseEvent *e) {
    QLabel::mousePressEvent(e);
    e->accept(); // a press on a label inside a pressable panel counts once
    emit pressed();
}

void PressLabel::keyPressEvent(QKeyEvent *e) {
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (!e->isAutoRepeat())
            emit pressed();
        return;
    }
    QLabel::keyPressEvent(e);
}

void Ellipse::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_fill);
    QRectF r = rect();
    if (m_circle) {
        const qreal d = r.height();
        r = QRectF(r.center().x() - d / 2, r.top(), d, d);
    }
    p.drawEllipse(r);
}

void FramedImage::paintEvent(QPaintEvent *e) {
    ImageView::paintEvent(e);
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
