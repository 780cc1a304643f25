#pragma once
// Base of every window: a fixed client size in twips, centring, and the
// program's meaning of activation (shown, or made active after another of
// the program's windows; not when a message box closes, not when the user
// comes back from another application).

#include <QColor>
#include <QMargins>
#include <QWidget>

class Screen;

/// What a window needs from the program that owns it.
class ScreenHost {
public:
    virtual ~ScreenHost() = default;
    /// The window closed by its title bar: show the main menu, discard it.
    virtual void closedByTitleBar(Screen *screen) = 0;
    /// While the program ends, closes are no title-bar closes.
    bool isEnding() const { return m_ending; }

protected:
    void setEnding() { m_ending = true; }
    /// No window counts as active (the main menu, which is none, became it).
    void forgetActive() { m_lastActive = nullptr; }
    Screen *lastActive() const { return m_lastActive; }

private:
    friend class Screen; // only windows say which of them was activated last
    Screen *m_lastActive = nullptr;
    bool m_ending = false;
};

class Screen : public QWidget {
    Q_OBJECT
public:
    Screen(ScreenHost &host, int clientWidthTw, int clientHeightTw, const QString &caption,
           const QColor &background, QWidget *parent = nullptr);
    ~Screen() override;

    /// Centres the window with its frame on its screen; once the window
    /// manager has added the frame, centres it again with the frame's size.
    void centre();
    /// Where the frame's top-left corner goes so that a client area of
    /// `client` with frame margins `frame` is centred in `area`.
    static QPoint centredFramePosition(const QRect &area, const QSize &client,
                                       const QMargins &frame);
    /// Runs activated() unless this window ran its activation last.
    void activate();
    /// Shows, raises and activates the window, then runs its activation.
    void showAndActivate();
    /// The same as the user's click on the title-bar close button.
    void closeByTitleBar();

    /// A band beside or below the client area the window was made with (the
    /// on-screen keyboard): the window grows rightward by its width and
    /// downward by its height and, while it is there, keeps on its screen
    /// when it centres. An empty band gives the window its own size.
    void setBand(const QSize &band);
    QSize band() const { return m_band; }
    /// The client area the window was made with, without a band.
    QSize designedSize() const { return m_designed; }
    /// Where a frame's top-left corner goes so that a window of `outer` size
    /// lies inside `area`, moved as little as possible from `pos`.
    static QPoint keptInside(const QRect &area, const QSize &outer, const QPoint &pos);

    ScreenHost &host() const { return m_host; }
    /// Most windows centre themselves when they load; the about box does not.
    bool centresOnLoad() const { return m_centresOnLoad; }
    void setCentresOnLoad(bool on) { m_centresOnLoad = on; }

protected:
    /// The window became active in the program's sense.
    virtual void activated() {}
    /// The title-bar close is about to discard the window; return false to
    /// keep it (the default lets the host discard it).
    virtual bool titleBarClose() { return true; }

    void changeEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool event(QEvent *e) override;

private:
    ScreenHost &m_host;
    bool m_inActivation = false;
    bool m_centresOnLoad = true;
    /// Centred before the frame was known: centre again when it is.
    bool m_centreWaitsForFrame = false;
    QMargins m_centredWith;
    QSize m_designed;
    QSize m_band{0, 0};
};
