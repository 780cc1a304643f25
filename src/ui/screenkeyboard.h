#pragma once
// The on-screen keyboard ("Bildschirmtastatur") under a window where the
// child writes: large keys of the letters the class has learnt, in the
// letter list's order, vowels and consonants in their colours. It sits in a
// band the window grows by, only while the teacher has it on, and follows
// the model (switch, letters, colours). Its keys take no focus, so the
// answer field keeps it, and a key sends the answer field the key event the
// real keyboard would.

#include <QPointer>
#include <QWidget>

class MenuState;
class Screen;
class QAbstractButton;

class ScreenKeyboard : public QWidget {
    Q_OBJECT
public:
    enum class Kind {
        /// Lower-case letters, a one-shot shift key for capitals, a back key
        /// and "fertig" (copy and dictation).
        Writing,
        /// Capital letters only, as on a board of letters to guess (hangman).
        Guessing,
    };
    /// The largest and the smallest key (square, in pixels): 48 px are about
    /// 15 mm on a board that shows the program 1.5 times; smaller only where
    /// the screen has no room.
    static constexpr int kKeySize = 48;
    static constexpr int kSmallestKey = 30;
    static constexpr int kGap = 4;

    ScreenKeyboard(Screen *screen, const MenuState &state, Kind kind);

    /// The widget that receives the key events (the answer field).
    void setReceiver(QWidget *receiver) { m_receiver = receiver; }

    /// The letters on the keys for a filter's letters: those of the letter
    /// list that the filter holds (in any case), in list order; all thirty
    /// when nothing is filtered.
    static QString lettersFor(const QString &filterLetters);
    /// The letter keys as they read now, in order.
    QStringList keyTexts() const;
    /// The key that reads `text` (a letter as shown, "fertig"), or the
    /// shift or back key by its spoken name; nullptr if there is none.
    QAbstractButton *key(const QString &text) const;
    bool isShifted() const { return m_shifted; }
    /// All thirty letters whatever the filter holds (for names, which are
    /// not made of the learnt letters only).
    void setAllLetters(bool on);
    /// Off while the control it types into is not shown; the switch still
    /// decides while on.
    void setActive(bool on);
    /// Shows these letters (any case) as played; the keys still work.
    void setMarked(const QString &letters);
    bool isMarked(const QString &text) const;
    /// The side of the keys now.
    int keySize() const { return m_keySize; }
    /// The band's height for a width and a key size with this many letters.
    int heightFor(int width, int keySize) const;

    /// Where the band goes and how large its keys are.
    struct Fit {
        bool beside = false; // right of the window, else below it
        int keySize = kKeySize;
        QSize band; // what the window grows by
        bool operator==(const Fit &) const = default;
    };
    /// Below the window with the largest keys that fit the room below; where
    /// not even the smallest do, beside it if they fit there; else below with
    /// the smallest (the window then keeps its title bar on the screen).
    /// `room` is the free width right of the window and height below it.
    Fit fitFor(const QSize &designed, const QSize &room) const;

signals:
    /// A letter key was pressed: the letter as it reads.
    void typed(const QString &letter);
    /// "fertig" was pressed (after Return was sent).
    void done();

protected:
    void paintEvent(QPaintEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    /// Shown or hidden as the switch says, with the letters, colours and size
    /// of now; the window grows or shrinks with it.
    void refresh();
    void rebuild(const QString &letters);
    void layoutKeys();
    void recolour();
    void pressLetter(int index);
    void send(int key, const QString &text, Qt::KeyboardModifiers modifiers);
    void setShifted(bool on);
    /// Key slots per row and rows for a width and a key size.
    int columnsFor(int width, int keySize) const;
    int slotsNeeded() const;

    Screen *m_screen;
    const MenuState &m_state;
    Kind m_kind;
    QPointer<QWidget> m_receiver;
    QString m_letters; // as in the letter list (capitals)
    QList<QAbstractButton *> m_letterKeys;
    QAbstractButton *m_shift = nullptr;
    QAbstractButton *m_back = nullptr;
    QAbstractButton *m_done = nullptr;
    bool m_shifted = false;
    bool m_allLetters = false;
    bool m_active = true;
    int m_keySize = kKeySize;
};
