#include "ui/screen.h"

#include "ui/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

Screen::Screen(ScreenHost &host, int clientWidthTw, int clientHeightTw, const QString &caption,
               const QColor &background, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_host(host)
{
    setFixedSize(twips::px(clientWidthTw), twips::px(clientHeightTw));
    setWindowTitle(caption);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);
    setAutoFillBackground(true);
}

Screen::~Screen()
{
    if (m_host.lastActive == this)
        m_host.lastActive = nullptr;
}

void Screen::centre()
{
    QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->geometry();
    const QSize frame = frameGeometry().size().expandedTo(size());
    move(area.x() + (area.width() - frame.width()) / 2,
         area.y() + (area.height() - frame.height()) / 2);
}

void Screen::activate()
{
    if (m_host.lastActive == this || m_inActivation || !isVisible())
        return;
    m_host.lastActive = this;
    m_inActivation = true;
    activated();
    m_inActivation = false;
}

void Screen::showAndActivate()
{
    show();
    raise();
    activateWindow();
    activate();
}

void Screen::closeByTitleBar() { close(); }

void Screen::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    // A message box closing or a return from another application reactivates
    // the window that ran its activation last: that is no activation.
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        activate();
}

void Screen::closeEvent(QCloseEvent *e)
{
    if (m_host.ending) {
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
