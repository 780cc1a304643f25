#pragma once
// Noun reading: the child looks at a noun with its picture and asks for the
// next one with "N e u". Every noun shown is logged under "Lesen".

#include "exercises/exerciseframe.h"

class QCheckBox;

class Form2 final : public ExerciseFrame {
    Q_OBJECT
public:
    explicit Form2(Program &program);

protected:
    void start() override;

private:
    void pictureSwitch();
    void neu();
    void picture();
    void showNoun();
    void hilfe();
    void check1Changed(bool on);
    void stripPressed(bool down);

    QPushButton *Command2 = nullptr; // "N e u"
    QPushButton *Command3 = nullptr; // "Hilfe"
    QCheckBox *Check1 = nullptr;     // picture switch, outside the visible area
};
