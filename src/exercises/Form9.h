#pragma once
// Copy exercise: the child copies the noun shown (picture, word or both)
// into the input, checked after every keystroke.

#include "exercises/writingscreen.h"

class QFrame;
class QRadioButton;

class Form9 final : public WritingScreen {
    Q_OBJECT
public:
    explicit Form9(Program &program);

protected:
    void check(const QString &input) override;
    std::optional<LogList> answersTo() const override { return LogList::Abschrift; }

private:
    void displayChoice();

    QFrame *Frame1 = nullptr;
    QRadioButton *Option1 = nullptr; // "Bild"
    QRadioButton *Option2 = nullptr; // "Wort"
    QRadioButton *Option3 = nullptr; // "Bild und Wort"
};
