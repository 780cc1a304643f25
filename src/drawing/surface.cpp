#include "drawing/surface.h"

#include "drawing/picture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

void Surface::clear() {
    doFill(m_background);
    m_pos = QPoint(0, 0);
}

void Surface::setFont(const QString &family, double points, bool bold, bool italic) {
    QFont f(family);
    // Pixel size in twips: the painter's scale turns it into device pixels.
    f.setPixelSize(qMax(1, qRound(points * 20)));
    f.setBold(bold);
    f.setItalic(italic);
    m_font = f;
    m_points = points;
}

int Surface::textWidth(const QString &text) const {
    return qRound(QFontMetricsF(m_font).horizontalAdvance(text));
}

int Surface::textHeight() const {
    return qRound(QFontMetricsF(m_font).height());
}

void Surface::print(const QString &text, bool endLine) {
    if (!text.isEmpty())
        doText(m_pos, text);
    if (endLine)
        m_pos = QPoint(0, m_pos.y() + textHeight());
    else
        m_pos.rx() += textWidth(text);
}

void Surface::text(int x, int y, const QString &t) {
    m_pos = QPoint(x, y);
    print(t);
}

void Surface::line(int x1, int y1, int x2, int y2) {
    line(x1, y1, x2, y2, m_drawColour);
}

void Surface::line(int x1, int y1, int x2, int y2, const QColor &c) {
    doLine(QPoint(x1, y1), QPoint(x2, y2), c);
    m_pos = QPoint(x2, y2);
}

void Surface::box(int x1, int y1, int x2, int y2, const QColor &outline) {
    doBox(QRect(QPoint(qMin(x1, x2), qMin(y1, y2)), QPoint(qMax(x1, x2), qMax(y1, y2))), nullptr,
          outline);
    m_pos = QPoint(x2, y2);
}

void Surface::fillBox(int x1, int y1, int x2, int y2, const QColor &fill) {
    fillBox(x1, y1, x2, y2, fill, m_drawColour);
}

void Surface::fillBox(int x1, int y1, int x2, int y2, const QColor &fill, const QColor &outline) {
    doBox(QRect(QPoint(qMin(x1, x2), qMin(y1, y2)), QPoint(qMax(x1, x2), qMax(y1, y2))), &fill,
          outline);
    m_pos = QPoint(x2, y2);
}

void Surface::picture(const Picture &pic, const QRect &target) {
    doPicture(pic, target);
}

void Surface::outlineText(int x, int y, const QString &text, const QColor &pen, bool dotted,
                          const QColor &fill) {
    if (!text.isEmpty())
        doOutlineText(QPoint(x, y), text, pen, dotted, fill);
}

// --- PainterSurface -------------------------------------------------------

void PainterSurface::doFill(const QColor &c) {
    QPainter *p = painter();
    if (!p)
        return;
    if (m_extent.isValid())
        p->fillRect(m_extent, c);
    else
        p->fillRect(p->window(), c);
    done();
}

void PainterSurface::doText(const QPoint &topLeft, const QString &text) {
    QPainter *p = painter();
    if (!p)
        return;
    p->setFont(m_font);
    p->setPen(m_textColour);
    const QFontMetricsF fm(m_font);
    p->drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), text);
    done();
}

void PainterSurface::doLine(const QPoint &a, const QPoint &b, const QColor &c) {
    QPainter *p = painter();
    if (!p)
        return;
    QPen pen(c);
    pen.setWidthF(m_lineWidth);
    pen.setCosmetic(m_lineWidth == 0);
    p->setPen(pen);
    p->drawLine(a, b);
    done();
}

void PainterSurface::doBox(const QRect &r, const QColor *fill, const QColor &outline) {
    QPainter *p = painter();
    if (!p)
        return;
    QPen pen(outline);
    pen.setWidthF(m_lineWidth);
    pen.setCosmetic(m_lineWidth == 0);
    p->setPen(pen);
    p->setBrush(fill ? QBrush(*fill) : QBrush(Qt::NoBrush));
    p->drawRect(QRectF(r.left(), r.top(), r.right() - r.left(), r.bottom() - r.top()));
    done();
}

void PainterSurface::doPicture(const Picture &pic, const QRect &target) {
    QPainter *p = painter();
    if (!p)
        return;
    pic.draw(*p, QRectF(target));
    done();
}

void PainterSurface::doOutlineText(const QPoint &topLeft, const QString &text, const QColor &c,
                                   bool dotted, const QColor &fill) {
    QPainter *p = painter();
    if (!p)
        return;
    QPainterPath path;
    path.addText(QPointF(topLeft.x(), topLeft.y() + QFontMetricsF(m_font).ascent()), m_font, text);
    QPen pen(c);
    pen.setWidthF(m_lineWidth);
    pen.setCosmetic(m_lineWidth == 0);
    pen.setJoinStyle(Qt::RoundJoin);
    if (dotted) {
        // Round dots a pen's width wide, two widths apart.
        pen.setCapStyle(Qt::RoundCap);
        pen.setDashPattern({0.01, 2});
    }
    p->setPen(pen);
    p->setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    p->drawPath(path);
    done();
}

// --- RecordingSurface -----------------------------------------------------

void RecordingSurface::doFill(const QColor &c) {
    ops.push_back({Op::Fill, {}, {}, c, {}, {}, 0, false});
}

void RecordingSurface::doText(const QPoint &topLeft, const QString &text) {
    ops.push_back({Op::Text,
                   QRect(topLeft, QSize(textWidth(text), textHeight())),
                   text,
                   m_textColour,
                   {},
                   m_font.family(),
                   m_points,
                   m_font.bold()});
}

void RecordingSurface::doLine(const QPoint &a, const QPoint &b, const QColor &c) {
    Op op{Op::Line, QRect(), {}, c, {}, {}, 0, false};
    op.rect.setTopLeft(a);
    op.rect.setBottomRight(b);
    ops.push_back(op);
}

void RecordingSurface::doBox(const QRect &r, const QColor *fill, const QColor &outline) {
    ops.push_back(
        {fill ? Op::FilledBox : Op::Box, r, {}, fill ? *fill : QColor(), outline, {}, 0, false});
}

void RecordingSurface::doPicture(const Picture &pic, const QRect &target) {
    ops.push_back({Op::PictureOp, target, pic.fileName(), {}, {}, {}, 0, false});
}

void RecordingSurface::doOutlineText(const QPoint &topLeft, const QString &text, const QColor &pen,
                                     bool dotted, const QColor &fill) {
    ops.push_back({dotted ? Op::DottedOutline : Op::Outline,
                   QRect(topLeft, QSize(textWidth(text), textHeight())), text, pen, fill,
                   m_font.family(), m_points, m_font.bold()});
}

QString RecordingSurface::printedText() const {
    QString s;
    for (const Op &op : ops)
        if (op.kind == Op::Text)
            s += op.text;
    return s;
}
