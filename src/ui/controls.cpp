#include "ui/controls.h"

#include "ui/twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace controls {

QFont verdana(double points, bool bold) {
    QFont f(QStringLiteral("Verdana"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QFont msSansSerif(double points, bool bold) {
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QPushButton *button(QWidget *parent, const QString &text, int l, int t, int w, int h) {
    auto *b = new QPushButton(text, parent);
    b->setFont(verdana(9.75, true));
    b->setAutoDefault(false);
    twips::place(b, l, t, w, h);
    return b;
}

QLabel *label(QWidget *parent, const QString &text, int l, int t, int w, int h, const QFont &font) {
    auto *lab = new QLabel(text, parent);
    lab->setFont(font);
    lab->setTextFormat(Qt::PlainText);
    twips::place(lab, l, t, w, h);
    return lab;
}

QWidget *shape(QWidget *parent, const QColor &fill, int l, int t, int w, int h) {
    auto *s = new QWidget(parent);
    colourise(s, fill);
    twips::place(s, l, t, w, h);
    s->lower();
    return s;
}

QCheckBox *checkBox(QWidget *parent, const QString &text, int l, int t, int w, int h) {
    auto *c = new QCheckBox(text, parent);
    c->setFont(verdana(9.75, true));
    twips::place(c, l, t, w, h);
    return c;
}

QListWidget *list(QWidget *parent, int l, int t, int w, int h) {
    auto *lw = new QListWidget(parent);
    lw->setFont(verdana(9.75));
    twips::place(lw, l, t, w, h);
    return lw;
}

void colourise(QWidget *w, const QColor &background, const QColor &text) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, background);
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::Button, background);
    if (text.isValid()) {
        pal.setColor(QPalette::WindowText, text);
        pal.setColor(QPalette::Text, text);
        pal.setColor(QPalette::ButtonText, text);
    }
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

} // namespace controls
