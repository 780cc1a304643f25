#pragma once
// Picture choice: a word on the strip, and a sorted offer of pictures
// stepped through in one frame; the child clicks when the picture fits.

#include "exercises/choicescreen.h"

class Form6 final : public ChoiceScreen {
    Q_OBJECT
public:
    explicit Form6(Program &program);

protected:
    void newNoun() override;
    void showOffered() override;
    void choose() override;
    void scrolled() override { newNoun(); }
};
