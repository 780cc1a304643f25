#pragma once
// Hangman: the child guesses a noun letter by letter on a board of 30 keys;
// every miss adds a part to the gallows, ten misses lose the game.

#include "games/hangman.h"
#include "platform/screen.h"

#include <QStringList>

class FramedImage;
class Program;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

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

    Hangman game;
    QStringList Liste2;             // word pool, sorted
    QLabel *Bezeichnung1 = nullptr; // mask
    QLabel *Bezeichnung2 = nullptr; // solution after a loss
    FramedImage *Image1 = nullptr;  // picture at the end of a game
    QListWidget *Liste1 = nullptr;  // letter board
    QPushButton *Befehl1 = nullptr; // "Abbruch . . ."
    Gallows *figure = nullptr;

protected:
    void activated() override;

private:
    void startGame();
    void reset();
    void showPicture();

    Program &m_program;
};
