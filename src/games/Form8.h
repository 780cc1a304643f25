#pragma once
// ABC ordering: five pictures that the child drags onto each other until
// their nouns stand in alphabetical order.

#include "rules/abcorder.h"
#include "ui/screen.h"

class Canvas;
class FramedImage;
class ImageView;
class Program;
class QLabel;
class QTimer;
class QPushButton;

class Form8 : public Screen {
    Q_OBJECT
public:
    explicit Form8(Program &program);

    /// The frame source dropped on frame k (1 to 5).
    void drop(ImageView *source, int k);

    /// The game as it stands, for reading.
    const AbcGame &game() const { return m_game; }

protected:
    void activated() override;
    bool titleBarClose() override;

private:
    void newGame();
    void clearFrames();
    void showSolution();
    /// What the tooltip of frame k says, also said to screen readers.
    void nameFrame(int k);
    /// A tap on frame k shows its noun under it for two seconds.
    void showNoun(int k);

    AbcGame m_game;
    FramedImage *Image[6] = {};      // "Image1" ... "Image5" at 1 ... 5
    Canvas *Picture1 = nullptr;      // solution box
    QLabel *Label3 = nullptr;        // success line or alphabet
    QPushButton *Command1 = nullptr; // "Abbruch . . ."
    QPushButton *Command2 = nullptr; // "N e u"
    QPushButton *Command3 = nullptr; // "Hilfe"
    QPushButton *Command4 = nullptr; // "ABC-Reihe"
    QLabel *TapNoun = nullptr;       // the noun a tap asked for, for a while
    QTimer *TapTimer = nullptr;
    Program &m_program;
};
