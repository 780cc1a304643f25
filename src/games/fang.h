#pragma once
// The catch game: the child steers a red marker with the arrow keys and
// catches the letters of a noun in order while they jump about the field.

#include "rules/catchgame.h"
#include "ui/screen.h"

#include <QListWidget>

class Canvas;
class Program;
class QLabel;
class QPushButton;
class QScrollBar;
class Ticker;

/// The choice list. A click plays its entry, which leaves the list, so the
/// entry below moves up under the pointer: the second click of a double
/// click must not play that one as well. Nothing in it is ever chosen
/// beforehand (the arrow keys steer the game, not the list), so it shows
/// neither a selected nor a current entry.
class ChoiceList : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;
    /// No entry selected or current.
    void unmark();

protected:
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;

private:
    bool m_doubleClick = false;
};

class fang : public Screen {
    Q_OBJECT
public:
    explicit fang(Program &program);
    ~fang() override;

    /// The game as it stands, for reading.
    const CatchGame &game() const { return m_game; }

    /// The start line of a prepared word.
    static const QString kStartLine;

protected:
    void activated() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillChoices();
    void drawWord();
    void chooseWord(QListWidgetItem *item);
    void prepareWord(const QString &word);
    void fieldPressed();
    void tick();
    void move(int dx, int dy);
    void abandon();
    /// After any catch check: redraw what it changed, finish a done word.
    void afterCheck(int caught);
    void drawLetters();
    void placeMarker();
    void showWordRow();
    /// Arcs under the word row's syllables while syllables are shown.
    void drawWordArcs();
    void completed();
    /// Keeps an answer for each letter caught since the last call.
    void recordCaught();

    CatchGame m_game;
    ChoiceList *List1 = nullptr;      // choice list
    QLabel *Label1 = nullptr;         // the child's name
    QLabel *Bezeichnung6 = nullptr;   // seconds
    QScrollBar *HBildlauf1 = nullptr; // jump interval
    QLabel *Bezeichnung15 = nullptr;  // jump interval shown
    Canvas *Bild5 = nullptr;          // the field
    QLabel *Bezeichnung8 = nullptr;   // player marker
    QLabel *bezeichnung4 = nullptr;   // caught letters
    QLabel *bezeichnung3 = nullptr;   // next letter
    QLabel *Bezeichnung5 = nullptr;   // letters after the next
    Canvas *WordArcs = nullptr;       // syllable arcs under the word row
    QPushButton *Command1 = nullptr;  // "Abbruch . . ."
    QPushButton *Command2 = nullptr;  // "Hilfe zeigen"
    Ticker *Zeit1 = nullptr;          // one-second clock
    Program &m_program;
    QString m_entry;     // the noun list's entry of the word in play
    int m_caught = 0;    // 1 once the word caught is kept as an answer
    QString m_arcsDrawn; // the word row the arcs were drawn for
};
