#pragma once
// Small controls the game windows share: a label that reports presses, a
// filled ellipse and an image control with a thin border.

#include "ui/imageview.h"

#include <QColor>
#include <QLabel>

class PressLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    /// Space or Return press it too, where it takes the focus.
    void keyPressEvent(QKeyEvent *e) override;
};

/// A filled ellipse inside its box (decoration).
class Ellipse : public QWidget {
    Q_OBJECT
public:
    Ellipse(QWidget *parent, const QColor &fill) : QWidget(parent), m_fill(fill) {}
    /// A circle of the box's height, centred, instead of filling the box.
    void setCircle(bool on) { m_circle = on; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor m_fill;
    bool m_circle = false;
};

/// An image control with a thin single border around the picture.
class FramedImage : public ImageView {
    Q_OBJECT
public:
    using ImageView::ImageView;

protected:
    void paintEvent(QPaintEvent *e) override;
};
