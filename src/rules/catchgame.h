#pragma once
// The rules of the catch game, without widgets: the word still to catch,
// the letter cells, the player, scattering, catching and the clock.

#include <QPoint>
#include <QString>
#include <QVector>

class Random;

class CatchGame {
public:
    static constexpr int kColumns = 18;
    static constexpr int kRows = 11;
    static constexpr int kMaxLetters = 100;
    static constexpr int kCellTwips = 400;

    /// Ready for a new word: player in the middle, clock stopped.
    void prepare(const QString &word);
    /// Starts the clock and scatters the letters, then runs the catch check.
    void start(Random &random);
    /// Stops the clock (completion, a choice from the list, "Abbruch").
    void stop() { m_running = false; }
    /// New random cells for every letter still to catch; none under the
    /// player, no two on one cell.
    void scatter(Random &random);
    /// Catches the next letter if the player stands on its cell, and blanks
    /// as soon as they come next. Returns the number of letters caught.
    int check();
    /// Moves the player one cell (stopping at the edges), then checks.
    int move(int dx, int dy);
    /// One second of the clock; the letters jump when the seconds reach a
    /// multiple of the interval. Returns true on a jump.
    bool tick(int interval, Random &random);

    bool running() const { return m_running; }
    bool completed() const { return m_word.isEmpty(); }
    QString word() const { return m_word; }
    QString caught() const { return m_caught; }
    QString next() const { return m_word.left(1); }
    QString after() const { return m_word.mid(1); }
    QPoint player() const { return m_player; }
    void setPlayer(QPoint p) { m_player = p; }
    /// The cell of word position i (0-based).
    QPoint cell(int i) const { return m_cells.value(i); }
    int seconds() const { return m_seconds; }

private:
    void catchNext();

    QString m_word;
    QString m_caught;
    QVector<QPoint> m_cells;
    QPoint m_player;
    int m_seconds = 0;
    bool m_running = false;
};
