#include "ui/screenkeyboard.h"

#include "core/menustate.h"
#include "core/nouns.h"
#include "core/palette.h"
#include "ui/controls.h"
#include "ui/screen.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

const QColor kBand(128, 128, 255);
const QColor kFunctionFace(240, 240, 240);
const QColor kFunctionInk(0, 0, 128);
const QColor kShiftOn(255, 230, 110);
// Title bar and border of a window not yet decorated, to fit the band before
// the window manager has framed it.
const QSize kFrameGuess(8, 36);

/// One key: a rounded face with its letter (or a drawn symbol) in the middle.
class Key : public QAbstractButton {
public:
    enum class Symbol { None, Shift, Back };

    Key(QWidget *parent, const QString &text, Symbol symbol = Symbol::None)
        : QAbstractButton(parent), m_symbol(symbol) {
        setText(text);
        setFocusPolicy(Qt::NoFocus);
    }
    void setColours(const QColor &face, const QColor &ink) {
        m_face = face;
        m_ink = ink;
        update();
    }
    void setMarked(bool on) {
        if (on != m_marked) {
            m_marked = on;
            update();
        }
    }
    bool isMarked() const { return m_marked; }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        // A letter already played loses its colours and sinks into the band,
        // as its key on the board is marked; its letter stays readable.
        QColor face = isChecked() ? kShiftOn : m_marked ? kBand : m_face;
        const QColor ink = m_marked ? kFunctionInk : m_ink;
        if (isDown())
            face = face.lightness() < 60 ? face.lighter(250) : face.darker(130);
        const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
        p.setPen(QPen(QColor(0, 0, 96), 1.5));
        p.setBrush(face);
        p.drawRoundedRect(r, 6, 6);
        const qreal s = qMin(r.width(), r.height());
        const QPointF c = r.center();
        switch (m_symbol) {
        case Symbol::Shift: {
            // An outlined arrow pointing up.
            const qreal u = s / 10;
            QPainterPath a;
            a.moveTo(c.x(), c.y() - 3.5 * u);
            a.lineTo(c.x() + 3 * u, c.y());
            a.lineTo(c.x() + 1.4 * u, c.y());
            a.lineTo(c.x() + 1.4 * u, c.y() + 3 * u);
            a.lineTo(c.x() - 1.4 * u, c.y() + 3 * u);
            a.lineTo(c.x() - 1.4 * u, c.y());
            a.lineTo(c.x() - 3 * u, c.y());
            a.closeSubpath();
            p.setPen(
                QPen(m_ink, qMax<qreal>(2, u / 2), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(a);
            break;
        }
        case Symbol::Back: {
            // An arrow pointing left.
            const qreal u = s / 10;
            p.setPen(
                QPen(m_ink, qMax<qreal>(2.5, u * 0.8), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(c.x() - 3 * u, c.y()), QPointF(c.x() + 3 * u, c.y()));
            p.drawLine(QPointF(c.x() - 3 * u, c.y()), QPointF(c.x() - 1 * u, c.y() - 2 * u));
            p.drawLine(QPointF(c.x() - 3 * u, c.y()), QPointF(c.x() - 1 * u, c.y() + 2 * u));
            break;
        }
        case Symbol::None:
            p.setPen(ink);
            p.setFont(font());
            p.drawText(r, Qt::AlignCenter, text());
            break;
        }
    }

private:
    Symbol m_symbol;
    bool m_marked = false;
    QColor m_face = kFunctionFace;
    QColor m_ink = kFunctionInk;
};

QFont keyFont(int pixels) {
    QFont f = controls::verdana(12, true);
    f.setPixelSize(qMax(8, pixels));
    return f;
}

} // namespace

ScreenKeyboard::ScreenKeyboard(Screen *screen, const MenuState &state, Kind kind)
    : QWidget(screen), m_screen(screen), m_state(state), m_kind(kind) {
    setObjectName(QStringLiteral("Bildschirmtastatur"));
    setAccessibleName(QStringLiteral("Bildschirmtastatur"));
    setFocusPolicy(Qt::NoFocus);
    hide();
    if (kind == Kind::Writing) {
        m_shift = new Key(this, QString(), Key::Symbol::Shift);
        m_shift->setCheckable(true);
        m_shift->setAccessibleName(QStringLiteral("Großbuchstabe"));
        connect(m_shift, &QAbstractButton::toggled, this, [this](bool on) { setShifted(on); });
        m_back = new Key(this, QStringLiteral("←"), Key::Symbol::Back);
        m_back->setAccessibleName(QStringLiteral("Löschen"));
        connect(m_back, &QAbstractButton::clicked, this,
                [this] { send(Qt::Key_Backspace, QStringLiteral("\b"), Qt::NoModifier); });
        m_done = new Key(this, QStringLiteral("fertig"));
        m_done->setAccessibleName(QStringLiteral("fertig"));
        connect(m_done, &QAbstractButton::clicked, this, [this] {
            send(Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier);
            emit done();
        });
    }
    connect(&state, &MenuState::extrasChanged, this, &ScreenKeyboard::refresh);
    connect(&state, &MenuState::nounsChanged, this, &ScreenKeyboard::refresh);
    connect(&state, &MenuState::coloursChanged, this, &ScreenKeyboard::recolour);
    // The room on the screen is known once the window shows.
    screen->installEventFilter(this);
    refresh();
}

QString ScreenKeyboard::lettersFor(const QString &filterLetters) {
    if (filterLetters.isEmpty())
        return nouns::kLetters;
    const QString learnt = nouns::upper(filterLetters);
    QString out;
    for (const QChar c : nouns::kLetters)
        if (learnt.contains(c))
            out += c;
    return out;
}

QStringList ScreenKeyboard::keyTexts() const {
    QStringList out;
    for (const QAbstractButton *k : m_letterKeys)
        out << k->text();
    return out;
}

QAbstractButton *ScreenKeyboard::key(const QString &text) const {
    for (QAbstractButton *k : m_letterKeys)
        if (k->text() == text)
            return k;
    for (QAbstractButton *k : {m_shift, m_back, m_done})
        if (k && (k->accessibleName() == text || k->text() == text))
            return k;
    return nullptr;
}

int ScreenKeyboard::slotsNeeded() const {
    // Shift, back and the double-width "fertig" end the last row.
    return int(m_letters.size()) + (m_kind == Kind::Writing ? 4 : 0);
}

int ScreenKeyboard::columnsFor(int width, int keySize) const {
    return qMax(2, (width - kGap) / (keySize + kGap));
}

int ScreenKeyboard::heightFor(int width, int keySize) const {
    const int cols = columnsFor(width, keySize);
    const int rows = (slotsNeeded() + cols - 1) / cols;
    return rows * keySize + (rows + 1) * kGap;
}

ScreenKeyboard::Fit ScreenKeyboard::fitFor(const QSize &designed, const QSize &room) const {
    for (int k = kKeySize; k >= kSmallestKey; --k) {
        const int h = heightFor(designed.width(), k);
        if (h <= room.height())
            return {false, k, QSize(0, h)};
    }
    for (int k = kKeySize; k >= kSmallestKey; --k) {
        const int cols = (room.width() - kGap) / (k + kGap);
        const int w = cols * (k + kGap) + kGap;
        if (cols >= 2 && heightFor(w, k) <= designed.height())
            return {true, k, QSize(w, 0)};
    }
    return {false, kSmallestKey, QSize(0, heightFor(designed.width(), kSmallestKey))};
}

void ScreenKeyboard::setAllLetters(bool on) {
    if (on != m_allLetters) {
        m_allLetters = on;
        refresh();
    }
}

void ScreenKeyboard::setActive(bool on) {
    if (on != m_active) {
        m_active = on;
        refresh();
    }
}

void ScreenKeyboard::refresh() {
    if (!m_state.extras().screenKeyboard || !m_active) {
        hide();
        m_screen->setBand(QSize());
        return;
    }
    const QString letters = lettersFor(m_allLetters ? QString() : m_state.filterLetters());
    if (letters != m_letters || m_letterKeys.isEmpty())
        rebuild(letters);
    recolour();
    const QSize designed = m_screen->designedSize();
    QSize room(INT_MAX / 2, INT_MAX / 2);
    if (const QScreen *s = m_screen->screen()) {
        QSize frame = m_screen->frameGeometry().size() - m_screen->geometry().size();
        if (frame.height() <= 0)
            frame = kFrameGuess;
        room = s->availableGeometry().size() - frame - designed;
    }
    const Fit fit = fitFor(designed, room);
    m_keySize = fit.keySize;
    if (fit.beside)
        setGeometry(designed.width(), 0, fit.band.width(), designed.height());
    else
        setGeometry(0, designed.height(), designed.width(), fit.band.height());
    layoutKeys();
    m_screen->setBand(fit.band);
    show();
    raise();
}

void ScreenKeyboard::rebuild(const QString &letters) {
    // A key may be rebuilt from inside its own click: delete the old ones later.
    for (QAbstractButton *k : m_letterKeys) {
        k->hide();
        k->deleteLater();
    }
    m_letterKeys.clear();
    m_letters = letters;
    for (int i = 0; i < letters.size(); ++i) {
        auto *k = new Key(this, QString());
        connect(k, &QAbstractButton::clicked, this, [this, i] { pressLetter(i); });
        m_letterKeys << k;
    }
    setShifted(false);
}

void ScreenKeyboard::setShifted(bool on) {
    m_shifted = on;
    if (m_shift && m_shift->isChecked() != on) {
        const QSignalBlocker block(m_shift);
        m_shift->setChecked(on);
    }
    for (int i = 0; i < m_letterKeys.size(); ++i) {
        const QString letter(m_letters.at(i));
        const QString shown = m_kind == Kind::Guessing || m_shifted ? letter : nouns::lower(letter);
        m_letterKeys[i]->setText(shown);
        m_letterKeys[i]->setAccessibleName(shown);
        m_letterKeys[i]->update();
    }
}

void ScreenKeyboard::recolour() {
    const QColor face = m_state.background();
    const QColor vowel = palette::colour(m_state.vowelColour());
    const QColor consonant = palette::colour(m_state.consonantColour());
    for (int i = 0; i < m_letterKeys.size(); ++i)
        static_cast<Key *>(m_letterKeys[i])
            ->setColours(face, palette::isVowel(m_letters.at(i)) ? vowel : consonant);
}

void ScreenKeyboard::layoutKeys() {
    const int width = this->width();
    const int k = m_keySize;
    const int cols = columnsFor(width, k);
    const int keyWidth = (width - (cols + 1) * kGap) / cols;
    const int left = (width - cols * keyWidth - (cols + 1) * kGap) / 2 + kGap;
    // Beside the window the keys stand at the bottom, near the answer field.
    const int top = height() - heightFor(width, k) + kGap;
    auto place = [&](QWidget *w, int slot, int span) {
        const int row = slot / cols, col = slot % cols;
        w->setGeometry(left + col * (keyWidth + kGap), top + row * (k + kGap),
                       span * keyWidth + (span - 1) * kGap, k);
        w->show();
    };
    const QFont letterFont = keyFont(k * 11 / 20);
    for (int i = 0; i < m_letterKeys.size(); ++i) {
        m_letterKeys[i]->setFont(letterFont);
        place(m_letterKeys[i], i, 1);
    }
    if (m_kind != Kind::Writing)
        return;
    const int rows = (slotsNeeded() + cols - 1) / cols;
    const int end = rows * cols; // the slot after the last row's last
    m_done->setFont(keyFont(k * 2 / 5));
    place(m_shift, end - 4, 1);
    place(m_back, end - 3, 1);
    place(m_done, end - 2, 2);
}

void ScreenKeyboard::setMarked(const QString &letters) {
    const QString marked = nouns::upper(letters);
    for (int i = 0; i < m_letterKeys.size(); ++i)
        static_cast<Key *>(m_letterKeys[i])->setMarked(marked.contains(m_letters.at(i)));
}

bool ScreenKeyboard::isMarked(const QString &text) const {
    const auto *k = dynamic_cast<const Key *>(key(text));
    return k && k->isMarked();
}

void ScreenKeyboard::pressLetter(int index) {
    if (index < 0 || index >= m_letterKeys.size())
        return;
    const QString shown = m_letterKeys[index]->text();
    const Qt::KeyboardModifiers modifiers =
        m_kind == Kind::Writing && m_shifted ? Qt::ShiftModifier : Qt::NoModifier;
    // The letter list holds capitals, whose codes are Qt's key codes (Ä is
    // Key_Adiaeresis, ß Key_ssharp).
    const int code = m_letters.at(index).unicode();
    setShifted(false);
    emit typed(shown);
    send(code, shown, modifiers);
}

void ScreenKeyboard::send(int key, const QString &text, Qt::KeyboardModifiers modifiers) {
    const QPointer<QWidget> to = m_receiver;
    if (!to)
        return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(to, &press);
    if (!to)
        return;
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(to, &release);
}

void ScreenKeyboard::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), kBand);
}

bool ScreenKeyboard::eventFilter(QObject *o, QEvent *e) {
    if (o == m_screen && e->type() == QEvent::Show)
        refresh();
    return QWidget::eventFilter(o, e);
}
