#include "app/icon.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace icon {

QPixmap program(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
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

QPixmap initial(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("Verdana"));
    f.setBold(true);
    f.setPixelSize(int(size * 0.95));
    p.setFont(f);
    p.setPen(QColor(255, 255, 0));
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("K"));
    return pm;
}

} // namespace icon
