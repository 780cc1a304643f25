#pragma once
// What the word choice and the picture choice share: a sorted offer of 3 to
// 10 items stepped through with "<<" and ">>" (wrapping at both ends), the
// scroll bar that sets the size of the offer, and the choice by a click on
// the word strip or a picture frame. Both refill their working list when
// fewer than 10 entries are left, so the largest offer always has its
// distractors.

#include "exercises/exerciseframe.h"

class QLabel;
class QScrollBar;

class ChoiceScreen : public ExerciseFrame {
    Q_OBJECT
public:
    struct Layout {
        int clientWidth;
        QString instruction;
        QRect label2, shape2, label3, scroll;
    };
    ChoiceScreen(Program &program, const Layout &layout, const QString &caption);

    /// The offer, in collation order, and the index of the item on show.
    const QStringList &offer() const { return List2; }
    int offerIndex() const { return List2Index; }

protected:
    QStringList List2;  // the offer, in collation order
    int List2Index = 0; // the offer on show

    void start() override { newNoun(); }
    /// Draws a target and builds its offer.
    virtual void newNoun() = 0;
    /// Shows the offered item at List2Index.
    virtual void showOffered() = 0;
    /// The child clicked the strip or a frame.
    virtual void choose() = 0;
    /// The scroll bar moved (after Label3 is updated).
    virtual void scrolled() = 0;
    /// Return or Enter chooses the item on show, as a click on it does.
    void keyPressEvent(QKeyEvent *e) override;

    /// Offer := target plus the first (value - 1) working-list entries in the
    /// given form, sorted; the first one is shown.
    void buildOffer(const QString &target, QString (*form)(const QString &));
    /// How many distractors the scroll bar asks for (never more than there are).
    int distractors() const;

private:
    void step(int delta);

    QLabel *Label2 = nullptr;        // instruction
    QLabel *Label3 = nullptr;        // " N Wörter"
    QScrollBar *HScroll1 = nullptr;  // number of words, 3 to 10
    QPushButton *Command5 = nullptr; // "<<"
    QPushButton *Command6 = nullptr; // ">>"
};
