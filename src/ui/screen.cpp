#include "ui/screen.h"

#include "ui/a11y.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

Screen::Screen(ScreenHost &host, int clientWidthTw, int clientHeightTw, const QString &caption,
               const QColor &background, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_host(host) {
    a11y::install();
    m_designed = QSize(twips::px(clientWidthTw), twips::px(clientHeightTw));
    setFixedSize(m_designed);
    setWindowTitle(caption);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);
    setAutoFillBackground(true);
}

Screen::~Screen() {
    if (m_host.m_lastActive == this)
        m_host.m_lastActive = nullptr;
}

namespace {

/// The frame around the client area as far as the window system knows it yet.
QMargins frameMargins(const QWidget *w) {
    const QRect frame = w->frameGeometry();
    const QRect client = w->geometry();
    return QMargins(qMax(0, client.left() - frame.left()), qMax(0, client.top() - frame.top()),
                    qMax(0, frame.right() - client.right()),
                    qMax(0, frame.bottom() - client.bottom()));
}

} // namespace

QPoint Screen::centredFramePosition(const QRect &area, const QSize &client, const QMargins &frame) {
    const int w = client.width() + frame.left() + frame.right();
    const int h = client.height() + frame.top() + frame.bottom();
    return QPoint(area.x() + (area.width() - w) / 2, area.y() + (area.height() - h) / 2);
}

void Screen::centre() {
    QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    m_centredWith = frameMargins(this);
    // Without a frame yet (not shown, or not yet decorated) the position is a
    // first guess; event() corrects it once the frame's size is known.
    m_centreWaitsForFrame = m_centredWith.isNull();
    // A top-level widget's position is that of its frame.
    QPoint pos = centredFramePosition(s->geometry(), size(), m_centredWith);
    // A window grown by a band must not hang off the screen's usable part,
    // nor one larger than the screen (scaled up for a whiteboard): its title
    // bar stays in reach.
    const QSize outer = size().grownBy(m_centredWith);
    const QSize room = s->availableGeometry().size();
    if (!m_band.isNull() || outer.width() > room.width() || outer.height() > room.height())
        pos = keptInside(s->availableGeometry(), outer, pos);
    move(pos);
}

QPoint Screen::keptInside(const QRect &area, const QSize &outer, const QPoint &pos) {
    // Right and bottom first, so a window larger than the area keeps its
    // title bar and left edge in view.
    const int x = qMax(area.left(), qMin(pos.x(), area.left() + area.width() - outer.width()));
    const int y = qMax(area.top(), qMin(pos.y(), area.top() + area.height() - outer.height()));
    return QPoint(x, y);
}

void Screen::setBand(const QSize &band) {
    const QSize b = band.expandedTo(QSize(0, 0));
    if (b == m_band)
        return;
    m_band = b;
    setFixedSize(m_designed + b);
    if (isVisible())
        centre();
}

bool Screen::event(QEvent *e) {
    if (e->type() == QEvent::Show)
        a11y::nameButtons(this);
    const bool handled = QWidget::event(e);
    switch (e->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
    case QEvent::UpdateRequest:
        if (m_centreWaitsForFrame && isVisible() && frameMargins(this) != m_centredWith)
            centre();
        break;
    default:
        break;
    }
    return handled;
}

void Screen::activate() {
    if (m_host.m_lastActive == this || m_inActivation || !isVisible())
        return;
    m_host.m_lastActive = this;
    m_inActivation = true;
    activated();
    m_inActivation = false;
}

void Screen::showAndActivate() {
    show();
    raise();
    activateWindow();
    activate();
}

void Screen::closeByTitleBar() {
    close();
}

void Screen::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    // A message box closing or a return from another application reactivates
    // the window that ran its activation last: that is no activation.
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        activate();
}

void Screen::closeEvent(QCloseEvent *e) {
    if (m_host.isEnding()) {
        e->accept();
        return;
    }
    if (!titleBarClose()) {
        e->ignore();
        return;
    }
    e->accept();
    m_host.closedByTitleBar(this);
}
