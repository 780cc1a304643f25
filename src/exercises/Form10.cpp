#include "exercises/Form10.h"

#include "ui/canvas.h"
#include "ui/controls.h"

#include <QLabel>

Form10::Form10(Program &program)
    : WritingScreen(program, 10815, 8640, QStringLiteral("Kalimbo (Diktat)")) {
    makeInstruction(QStringLiteral("Lies das Wort und schreibe es auswendig."),
                    QRect(120, 120, 3975, 1815), controls::verdana(24, true), QColor(224, 224, 224),
                    QColor(0, 192, 0));
    makeFrames(QRect(5400, 840, 5295, 3855), QRect(6120, 120, 3855, 5295));
    sayOnPictureClick();
}

// A new noun (also after "<<", ">>" or coming back) is shown in full again.
void Form10::drawn() {
    Label2->show();
    Picture1->show();
}

void Form10::check(const QString &input) {
    if (!input.isEmpty()) {
        Picture1->hide();
        Label2->hide();
    }
    if (!Label1.isEmpty() && input == Label1) {
        accept(LogList::Diktat, input);
        next();
        return;
    }
    if (!rightBeginning(input)) {
        typedWrong(LogList::Diktat, input);
        wrongBeginning();
        Picture1->show(); // the child sees the noun again until the next keystroke
    }
    focusInput();
}
