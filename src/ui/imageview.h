#pragma once
// An image control: shows a picture stretched to its own size (or at its
// natural size), with a tooltip, mouse signals and optional drag and drop
// between image views.

#include "drawing/picture.h"

#include <QWidget>

class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget *parent = nullptr);

    void setPicture(const Picture &p);
    void clearPicture() { setPicture(Picture()); }
    const Picture &picture() const { return m_picture; }
    /// Stretched (default): the picture fills the control. Otherwise the
    /// control takes the picture's natural size.
    void setStretch(bool on);
    bool stretch() const { return m_stretch; }
    /// Lets the view be dragged onto another drag-enabled view.
    void setDragEnabled(bool on);

signals:
    void pressed(QPoint twips, Qt::MouseButton button);
    void released(QPoint twips, Qt::MouseButton button);
    void clicked();
    /// A drag of `source` ended on this view (a plain click is a drop on itself).
    void dropped(ImageView *source);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void dragEnterEvent(QDragEnterEvent *) override;
    void dropEvent(QDropEvent *) override;

private:
    Picture m_picture;
    bool m_stretch = true;
    bool m_drag = false;
    QPoint m_pressPos;
    bool m_dragging = false;
};
