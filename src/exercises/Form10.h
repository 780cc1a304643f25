#pragma once
// Dictation: the child reads the noun, and from the first keystroke writes
// it from memory while only the picture stays.

#include "exercises/writingscreen.h"

class Form10 final : public WritingScreen {
    Q_OBJECT
public:
    explicit Form10(Program &program);

protected:
    void check(const QString &input) override;
    std::optional<LogList> answersTo() const override { return LogList::Diktat; }
    void drawn() override;
};
