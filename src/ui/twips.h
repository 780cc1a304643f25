#pragma once
// Twips: the program's unit of length (1/1440 inch). A 96-dpi screen has
// 15 twips to a device-independent pixel; Qt's high-DPI scaling does the rest.

#include <QPoint>
#include <QRect>
#include <QtGlobal>

class QWidget;

namespace twips {

constexpr int perPixel = 15;

/// Twips to pixels, rounded to the nearest pixel.
constexpr int px(int tw) {
    return tw >= 0 ? (tw + perPixel / 2) / perPixel : -((-tw + perPixel / 2) / perPixel);
}
/// Pixels to twips.
constexpr int tw(int px) {
    return px * perPixel;
}

inline QRect pxRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

/// Places a child widget at left, top, width, height given in twips.
void place(QWidget *w, int left, int top, int width, int height);
/// Moves a child widget to left, top in twips, keeping its size.
void move(QWidget *w, int left, int top);
/// The widget's position in twips.
int left(const QWidget *w);
int top(const QWidget *w);
int width(const QWidget *w);
int height(const QWidget *w);

} // namespace twips
