#pragma once
// The WMF tests' view of a picture: drawn on white at a size, and the
// colour at a pixel.

#include "drawing/wmf/wmfpicture.h"

#include <QImage>
#include <QPainter>

inline QImage renderWmf(const QByteArray &file, QSize size = QSize(100, 100)) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    if (const auto pic = wmf::pictureFromData(file)) {
        QPainter p(&img);
        pic->draw(p, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return img;
}

inline QRgb rgbAt(const QImage &img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFF;
}
