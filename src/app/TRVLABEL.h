#pragma once
// The about box: the product name and a short notice. Opened by a click on
// the main menu's icon; it does not centre itself.

#include "program/program.h"
#include "ui/screen.h"

class QLabel;

class TRVLABEL : public Screen {
    Q_OBJECT
public:
    explicit TRVLABEL(Program &program);

    /// Hides the box and shows the main menu.
    void schliessen();

protected:
    void activated() override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    Program &m_program;
    QWidget *Figur1 = nullptr;      // frame rectangle
    QLabel *Picture1 = nullptr;     // the program's icon
    QLabel *Bezeichnung5 = nullptr; // product name
    QLabel *Bezeichnung6 = nullptr; // notice
    QLabel *Bezeichnung1 = nullptr; // "O k a y"
    QLabel *Bezeichnung7 = nullptr; // second notice line
};
