#include "app/icon.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace icon {

namespace {
// A transparent square of `size` logical pixels with as many device pixels as
// the screen has, so the drawing stays sharp on a scaled (HiDPI) screen.
QPixmap canvas(int size) {
    const qreal dpr = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pm(qRound(size * dpr), qRound(size * dpr));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}
} // namespace

QPixmap program(int size) {
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, size - 2, size - 2);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(255, 220, 80));
    g.setColorAt(1, QColor(255, 140, 40));
    p.setBrush(g);
    p.setPen(QPen(QColor(0, 0, 128), qMax(1.0, size / 24.0)));
    p.drawRoundedRect(r, size / 5.0, size / 5.0);
    QFont f(QStringLiteral("Verdana"));
    f.setBold(true);
    f.setPixelSize(int(size * 0.7));
    p.setFont(f);
    p.setPen(QColor(0, 0, 192));
    p.drawText(r, Qt::AlignCenter, QStringLiteral("K"));
    return pm;
}

QPixmap initial(int size, const QColor &colour) {
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("Verdana"));
    f.setBold(true);
    f.setPixelSize(int(size * 0.95));
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("K"));
    return pm;
}

QIcon window() {
    // The desktop's icon, drawn from its SVG where Qt's SVG icon engine is
    // installed; otherwise the tile above at the usual sizes.
    QIcon svg(QStringLiteral(":/icons/de.kalimbo.Kalimbo.svg"));
    if (!svg.pixmap(32).isNull())
        return svg;
    QIcon tiles;
    for (int size : {16, 32, 48, 64})
        tiles.addPixmap(program(size));
    return tiles;
}

} // namespace icon
