#pragma once
// What the copy exercise and the dictation share: a noun with its picture,
// the noun alone unspaced on the strip, and an input checked after every
// keystroke against the target noun (exactly, case-sensitive).

#include "exercises/exerciseframe.h"

class QLabel;
class QLineEdit;
class ScreenKeyboard;

class WritingScreen : public ExerciseFrame {
    Q_OBJECT
public:
    WritingScreen(Program &program, int clientWidthTw, int clientHeightTw, const QString &caption);

protected:
    QLabel *Label2 = nullptr; // instruction

    void start() override { next(); }
    /// Draws a noun, shows it, empties the input and gives it the focus.
    void next();
    /// Runs after each draw, once the input is empty again.
    virtual void drawn() {}
    /// Runs on every change of the input's text.
    virtual void check(const QString &input) = 0;
    /// The input so far is the start of the target noun.
    bool rightBeginning(const QString &input) const;
    /// Logs a right noun and confirms it if confirmations are on.
    void accept(LogList log, const QString &input);
    void wrongBeginning();
    /// A keystroke made the word's beginning wrong (kept for its answer).
    void typedWrong(LogList log, const QString &input);
    void leavingEntry() override;
    void focusInput();
    /// The instruction label, clickable to reach the input.
    void makeInstruction(const QString &text, const QRect &r, const QFont &font, const QColor &back,
                         const QColor &fore);

    /// A click on either picture frame says the word (after makeFrames).
    void sayOnPictureClick();

    void mousePressEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    QLineEdit *Text1 = nullptr;         // the child's input
    ScreenKeyboard *keyboard = nullptr; // below the window while the teacher has it on
    QPushButton *Command2 = nullptr;    // "<<"
    QPushButton *Command3 = nullptr;    // ">>"
    QString m_wrongTyped;               // the first wrong writing of the word on show
    LogList m_wrongLog = LogList::Abschrift;
};
