#pragma once
// A picture box: a widget backed by a persistent image in twips. What is
// drawn stays until it is cleared (also under message boxes and repaints);
// the clipboard gets that image.

#include "drawing/surface.h"

#include <QImage>
#include <QWidget>

class Canvas;

/// Draws into a canvas's image, one painter per operation.
class CanvasSurface final : public PainterSurface {
public:
    explicit CanvasSurface(Canvas &c) : m_canvas(c) {}

protected:
    QPainter *painter() override;
    void done() override;
    void doText(const QPoint &topLeft, const QString &text) override;

private:
    Canvas &m_canvas;
    QPainter *m_active = nullptr;
};

class Canvas : public QWidget {
    Q_OBJECT
public:
    explicit Canvas(QWidget *parent = nullptr);
    ~Canvas() override;

    /// The drawing surface of this canvas, in twips from its top-left corner.
    Surface &surface() { return m_surface; }
    /// Background colour used by clear().
    void setBackground(const QColor &c);
    QColor background() const { return m_surface.background(); }
    /// Clears to the background colour.
    void clear();
    /// The persistent image (device pixels).
    const QImage &image() const { return m_image; }
    /// The image at one pixel per 15 twips, as the clipboard gets it.
    QImage snapshot() const;
    /// Batches operations under one painter (for boards with many boxes).
    void beginBatch();
    void endBatch();

    /// A text drawn since the last clear, in the colour it was drawn in and
    /// the colour most of its place had before ("Kontrast" on only).
    struct DrawnText {
        QString text;
        QColor colour;
        QColor ground;
    };
    const QList<DrawnText> &drawnTexts() const { return m_texts; }

signals:
    /// Mouse events with the position in twips.
    void mousePressed(QPoint twips, Qt::MouseButton button);
    void mouseReleased(QPoint twips, Qt::MouseButton button);
    void mouseMoved(QPoint twips, Qt::MouseButtons buttons);
    void clicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;

private:
    friend class CanvasSurface;
    void ensureImage();
    /// The colour most of a rectangle (twips) shows now.
    QColor colourUnder(const QRect &twips) const;
    QImage m_image;
    QList<DrawnText> m_texts;
    CanvasSurface m_surface;
    QPainter *m_batch = nullptr;
};
