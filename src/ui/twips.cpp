#include "ui/twips.h"

#include <QWidget>

namespace twips {

void place(QWidget *w, int left, int top, int width, int height) {
    w->setGeometry(pxRect(left, top, width, height));
}

void move(QWidget *w, int left, int top) {
    w->move(px(left), px(top));
}

int left(const QWidget *w) {
    return tw(w->x());
}
int top(const QWidget *w) {
    return tw(w->y());
}
int width(const QWidget *w) {
    return tw(w->width());
}
int height(const QWidget *w) {
    return tw(w->height());
}

} // namespace twips
