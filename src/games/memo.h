#pragma once
// Memory: nine pairs of nouns written onto the window under grey covers.
// The child learns where the words lie, then uncovers two cards at a time.

#include "rules/memory.h"
#include "ui/screen.h"

class Canvas;
class PressLabel;
class Program;
class QPushButton;
class Surface;

class memo : public Screen {
    Q_OBJECT
public:
    explicit memo(Program &program);

    /// Click on the cover of card k (1 to 18).
    void coverClicked(int k);
    bool coverShown(int k) const;

    /// The game as it stands, for reading.
    const MemoryGame &game() const { return m_game; }

    /// Top-left corner of card k's cover in twips.
    static QPoint cardOrigin(int k);
    /// The size in points at which a word, written letter by letter with
    /// blanks in the surface's font family, fits into room twips: the
    /// board's size for any word that fits, a smaller one for a longer word.
    static double wordPoints(Surface &s, const QString &word, int room);
    /// The largest size up to the board's at which a word and its syllable
    /// arcs reach no further than height twips below its top.
    static double arcPoints(Surface &s, int height);
    static constexpr double kPoints = 20.25;

protected:
    void activated() override;

private:
    void newGame();
    void writeCards();
    /// The grey frame around a found card.
    void frameCard(int k);
    void start();
    /// The noun list's entry of a card's noun text (the text itself if none).
    QString entryOf(const QString &noun) const;

    MemoryGame m_game;
    int m_turns = 0;                  // turns since the last pair found
    Canvas *board = nullptr;          // the window's own writing
    PressLabel *Bezeichnung[19] = {}; // covers 1 to 18, named "Bezeichnung1" ...
    QPushButton *Command1 = nullptr;  // "Abbruch . . ."
    QPushButton *Command2 = nullptr;  // "Hilfe"
    QPushButton *Command3 = nullptr;  // "Start"
    Program &m_program;
};
