#pragma once
// An image control: shows a picture stretched to its own size (or at its
// natural size), with a tooltip, mouse signals and optional dragging onto
// another image view of the same window. The drag is the window's own (the
// picture follows the pointer), so a finger on a touch screen or a pen on a
// whiteboard drives it as a mouse does; by keyboard, Space picks a picture
// up and Space on another puts it there.

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
    /// Lets the view be dragged onto another drag-enabled view (and take
    /// the focus by Tab).
    void setDragEnabled(bool on);
    /// The view a drag or Space picked up, while it is held.
    static ImageView *held() { return s_held; }

signals:
    void pressed(QPoint twips, Qt::MouseButton button);
    void released(QPoint twips, Qt::MouseButton button);
    void clicked();
    /// A click that came from a touch (where a mouse user would hover).
    void tapped();
    /// A drag of `source` ended on this view (a plain click is a drop on itself).
    void dropped(ImageView *source);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void hideEvent(QHideEvent *) override;

private:
    /// The drag-enabled view of this window under a point of the window.
    ImageView *viewAt(QPoint inWindow) const;
    void moveGhost(QPoint inWindow);
    void endDrag();
    static ImageView *s_held;
    QWidget *m_ghost = nullptr; // the picture following the pointer
    Picture m_picture;
    bool m_stretch = true;
    bool m_drag = false;
    QPoint m_pressPos;
    bool m_dragging = false;
};
