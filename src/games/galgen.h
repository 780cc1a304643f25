#pragma once
// Hangman: the child guesses a noun letter by letter on a board of 30 keys;
// every miss adds a part to the gallows, ten misses lose the game.

#include "program/program.h"
#include "rules/hangman.h"
#include "ui/screen.h"

#include <QListWidget>
#include <QStringList>

class FramedImage;
class Program;
class QLabel;
class QPushButton;
class ScreenKeyboard;

/// The board of letter keys. A press and a release on the same key is one
/// click: it toggles the key's mark and plays it. Nothing else touches a key:
/// a press on one key and a release on another, the keyboard, the focus.
class LetterBoard : public QListWidget {
    Q_OBJECT
public:
    explicit LetterBoard(QWidget *parent);
signals:
    void keyPlayed(QListWidgetItem *key);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    int m_pressedRow = -1;
};

/// The gallows and the two figures, drawn part by part.
class Gallows : public QWidget {
    Q_OBJECT
public:
    enum Part {
        Figur2,
        Figur3,
        Linie6,
        Linie1,
        Bild2,
        Figur5,
        Linie2,
        Linie3,
        Linie4,
        Linie5, // misses 1-10
        Bild1,
        Figur7,
        Linie7,
        Linie8,
        Linie9,
        Linie10, // freed figure
        PartCount
    };
    explicit Gallows(QWidget *parent);
    bool shown(Part p) const { return m_shown[p]; }
    void setShown(Part p, bool on);
    void hideAll();
    /// The parts shown, in part order.
    QList<Part> shownParts() const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    bool m_shown[PartCount] = {};
};

class galgen : public Screen {
    Q_OBJECT
public:
    explicit galgen(Program &program);

    /// Plays a letter key of the board, as a click on it does.
    void playKey(QListWidgetItem *item);
    /// Plays the board's key of a letter (in any case), as a click on it does.
    void playLetter(const QString &letter);

    /// The game as it stands, for reading.
    const Hangman &game() const { return m_game; }
    /// The entries not yet played in this pass, sorted.
    QStringList wordPool() const { return m_wordPool; }

protected:
    void activated() override;
    void hideEvent(QHideEvent *e) override;

private:
    void startGame();
    /// The entry of the next game, out of the pass.
    QString nextEntry();
    void reset();
    void showPicture();

    Hangman m_game;
    QString m_tried;        // the letters tried in this round
    QStringList m_wordPool; // Liste2
    bool m_inSession = false;
    QStringList m_due;              // due cards still to come in this session
    Program::CardSession m_session; // the cards as they were at its start
    QLabel *Bezeichnung1 = nullptr; // mask
    QLabel *Bezeichnung2 = nullptr; // solution after a loss
    FramedImage *Image1 = nullptr;  // picture at the end of a game
    LetterBoard *Liste1 = nullptr;  // letter board
    QPushButton *Befehl1 = nullptr; // "Abbruch . . ."
    Gallows *figure = nullptr;
    ScreenKeyboard *keyboard = nullptr; // below the window while the teacher has it on
    Program &m_program;
};
