#pragma once
// One fuzz input through the metafile reader and player, into a small image.

#include "drawing/picture.h"
#include "drawing/wmf/wmfpicture.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>

inline void playWmfInput(const unsigned char *data, size_t size) {
    // A copy, so reads past the end hit the sanitizer's redzone.
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto pic = wmf::pictureFromData(bytes);
    if (!pic)
        return;
    const QSize twips = pic->naturalTwips();
    if (twips.isEmpty())
        __builtin_trap(); // a usable picture always has a size
    QImage img(64, 48, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    pic->draw(p, QRectF(0, 0, 64, 48));
    // Once more, scaled and translated, as a preview draws it.
    p.translate(3, 2);
    p.scale(0.5, 0.25);
    pic->draw(p, QRectF(-10, -10, 200, 100));
}
