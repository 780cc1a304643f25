#pragma once
// "Ich sehe" completion: the child picks ein, eine or einen for the noun
// shown (ein for das, eine for die, einen for der nouns).

#include "exercises/articlescreen.h"

class QLabel;

class Form4 final : public ArticleScreen {
    Q_OBJECT
public:
    explicit Form4(Program &program);

protected:
    /// "Ich sehe einen Hund": the sentence the child completed.
    QString spokenAnswer() const override;
    /// A recording says "der Hund", not the sentence, so the voice says it.
    bool answerFromRecording() const override { return false; }

private:
    QLabel *Label2 = nullptr;        // "Ich sehe"
    QPushButton *Command4 = nullptr; // "ein"
    QPushButton *Command5 = nullptr; // "eine"
    QPushButton *Command6 = nullptr; // "einen"
    QPushButton *Command2 = nullptr; // "<<"
    QPushButton *Command3 = nullptr; // ">>"
};
