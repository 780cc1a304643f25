#include "ui/highcontrast.h"

#include "core/contrast.h"
#include "ui/canvas.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <QWidget>

namespace highcontrast {

namespace {

bool g_on = false;

/// The filled widget behind w (w itself when it fills its background).
QColor behind(const QWidget *w) {
    for (const QWidget *cur = w; cur; cur = cur->parentWidget()) {
        if (auto *canvas = qobject_cast<const Canvas *>(cur))
            return canvas->background();
        if (cur->isWindow() || cur->autoFillBackground())
            return cur->palette().color(cur->backgroundRole());
        const QWidget *parent = cur->parentWidget();
        if (!parent)
            break;
        // A filled sibling lower in the stack (a head band, a bar) under its middle.
        const QPoint middle = cur->geometry().center();
        const QObjectList &kids = parent->children();
        for (qsizetype i = kids.indexOf(const_cast<QWidget *>(cur)) - 1; i >= 0; --i) {
            auto *s = qobject_cast<QWidget *>(kids[i]);
            if (s && !s->isHidden() && !s->isWindow() && s->autoFillBackground() &&
                s->geometry().contains(middle))
                return s->palette().color(s->backgroundRole());
        }
    }
    return QApplication::palette().color(QPalette::Window);
}

QColor groundFor(const QWidget *w, QPalette::ColorRole role, const QPalette &pal) {
    switch (role) {
    case QPalette::ButtonText:
        return pal.color(QPalette::Button);
    case QPalette::Text:
        return pal.color(QPalette::Base);
    case QPalette::HighlightedText:
        return pal.color(QPalette::Highlight);
    case QPalette::ToolTipText:
        return pal.color(QPalette::ToolTipBase);
    default:
        return w ? behind(w) : pal.color(QPalette::Window);
    }
}

QColor fixed(const QColor &text, const QColor &ground) {
    // A text in its background's own colour is a filled block, not a text.
    if (!g_on || text == ground)
        return text;
    return contrast::readable(text, ground);
}

/// Draws the texts of Qt's own controls readable while the switch is on,
/// and exactly as the style underneath does while it is off.
class ContrastStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &pal,
                      bool enabled, const QString &text,
                      QPalette::ColorRole textRole) const override {
        if (!g_on || textRole == QPalette::NoRole) {
            QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole);
            return;
        }
        const QWidget *w = dynamic_cast<const QWidget *>(painter->device());
        QPalette own = pal;
        own.setColor(textRole, fixed(pal.color(textRole), groundFor(w, textRole, pal)));
        QProxyStyle::drawItemText(painter, rect, flags, own, enabled, text, textRole);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override {
        if (g_on && element == CE_ItemViewItem) {
            if (auto *item = qstyleoption_cast<const QStyleOptionViewItem *>(option)) {
                QStyleOptionViewItem own = *item;
                const QColor base = item->backgroundBrush.style() == Qt::SolidPattern
                                        ? item->backgroundBrush.color()
                                        : item->palette.color(QPalette::Base);
                own.palette.setColor(QPalette::Text,
                                     fixed(item->palette.color(QPalette::Text), base));
                own.palette.setColor(QPalette::HighlightedText,
                                     fixed(item->palette.color(QPalette::HighlightedText),
                                           item->palette.color(QPalette::Highlight)));
                QProxyStyle::drawControl(element, &own, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

/// A ring around the control that has the focus, above its neighbours.
class FocusFrame : public QWidget {
public:
    FocusFrame() {
        setObjectName(QStringLiteral("KontrastFokus"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

    void follow(QWidget *w) {
        if (m_target)
            m_target->removeEventFilter(this);
        m_target = w;
        if (!w || w->isWindow() || !w->parentWidget()) {
            hide();
            return;
        }
        if (parentWidget() != w->parentWidget())
            setParent(w->parentWidget());
        w->installEventFilter(this);
        place();
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (o == m_target) {
            switch (e->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::ZOrderChange:
                place();
                break;
            default:
                break;
            }
        }
        return false;
    }

    void paintEvent(QPaintEvent *) override {
        if (!m_target)
            return;
        // Dark on light surroundings, light on dark, with a thin line of the
        // other inside so it shows on any control.
        const QColor around = behind(m_target->parentWidget());
        const bool dark = contrast::ratio(Qt::black, around) >= contrast::ratio(Qt::white, around);
        QPainter p(this);
        const QRect r = rect();
        const QColor outer = dark ? QColor(Qt::black) : QColor(Qt::white);
        const QColor inner = dark ? QColor(Qt::white) : QColor(Qt::black);
        for (int i = 0; i < kFocusFrame; ++i)
            drawRing(p, r.adjusted(i, i, -i, -i), outer);
        drawRing(p, r.adjusted(kFocusFrame, kFocusFrame, -kFocusFrame, -kFocusFrame), inner);
    }

private:
    static void drawRing(QPainter &p, const QRect &r, const QColor &c) {
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
    }

    void place() {
        if (!m_target || !m_target->isVisible() || !g_on) {
            hide();
            return;
        }
        const int k = kFocusFrame + 1;
        setGeometry(m_target->geometry().adjusted(-k, -k, k, k) & parentWidget()->rect());
        raise();
        show();
        update();
    }

    QPointer<QWidget> m_target;
};

QPointer<FocusFrame> g_frame;

void followFocus(QWidget *now) {
    if (!g_frame)
        g_frame = new FocusFrame;
    g_frame->follow(g_on ? now : nullptr);
}

} // namespace

void setOn(bool on) {
    if (on == g_on)
        return;
    g_on = on;
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app)
        return;
    static bool installed = false;
    if (on && !installed) {
        // Installed at the first use only, and passing everything through while off.
        QApplication::setStyle(
            new ContrastStyle(QStyleFactory::create(QApplication::style()->name())));
        QObject::connect(app, &QApplication::focusChanged, app,
                         [](QWidget *, QWidget *now) { followFocus(now); });
        installed = true;
    }
    followFocus(on ? QApplication::focusWidget() : nullptr);
    for (QWidget *w : QApplication::allWidgets())
        w->update();
}

bool isOn() {
    return g_on;
}

QColor backgroundOf(const QWidget *w, QPalette::ColorRole role) {
    return groundFor(w, role, w->palette());
}

QColor textColourOf(const QWidget *w, QPalette::ColorRole role) {
    return fixed(w->palette().color(role), backgroundOf(w, role));
}

QColor readable(const QColor &text, const QColor &background) {
    return fixed(text, background);
}

QWidget *focusFrame() {
    return g_frame && g_frame->isVisible() ? g_frame.data() : nullptr;
}

} // namespace highcontrast
