#pragma once
// Article choice: the child picks der, die or das for the noun shown.

#include "exercises/articlescreen.h"

class Form3 final : public ArticleScreen {
    Q_OBJECT
public:
    explicit Form3(Program &program);

protected:
    QString spokenAnswer() const override { return voice().displayForm(); }
    bool answerFromRecording() const override { return true; }

private:
    QPushButton *Command2 = nullptr; // "der"
    QPushButton *Command3 = nullptr; // "die"
    QPushButton *Command4 = nullptr; // "das"
    QPushButton *Command5 = nullptr; // "<<"
    QPushButton *Command6 = nullptr; // ">>"
};
