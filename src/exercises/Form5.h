#pragma once
// Word choice: a picture, and a sorted offer of words stepped through on the
// strip; the child clicks when the word fits the picture.

#include "exercises/choicescreen.h"

class Form5 final : public ChoiceScreen {
    Q_OBJECT
public:
    explicit Form5(Program &program);

protected:
    void newNoun() override;
    void showOffered() override;
    void choose() override;
    void scrolled() override;
};
