#include "exercises/Form9.h"

#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>

Form9::Form9(Program &program)
    : WritingScreen(program, 10830, 8655, QStringLiteral("Kalimbo (Abschrift)")) {
    const QColor band(128, 128, 255);
    makeInstruction(QStringLiteral("Schreibe das Wort bitte fehlerfrei ab."),
                    QRect(360, 1920, 2295, 1695), controls::verdana(15.75, true), band,
                    QColor(0, 0, 255));
    makeFrames(QRect(2760, 840, 5295, 3855), QRect(3480, 120, 3855, 5295));
    sayOnPictureClick();
    Frame1 = new QFrame(this);
    KALIMBO_NAME(Frame1);
    controls::colourise(Frame1, band);
    twips::place(Frame1, 8160, 1920, 2295, 1695);
    auto option = [&](const QString &text, int l, int t, int w, int h) {
        auto *o = new QRadioButton(text, Frame1);
        o->setFont(controls::verdana(9.75, true));
        controls::colourise(o, band, QColor(0, 0, 192));
        twips::place(o, l, t, w, h);
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                displayChoice();
        });
        return o;
    };
    Option1 = option(QStringLiteral("Bild"), 120, 120, 1215, 345);
    KALIMBO_NAME(Option1);
    Option2 = option(QStringLiteral("Wort"), 120, 600, 1335, 495);
    KALIMBO_NAME(Option2);
    Option3 = option(QStringLiteral("Bild und Wort"), 120, 1200, 2055, 375);
    KALIMBO_NAME(Option3);
    Option3->setChecked(true);
}

void Form9::displayChoice() {
    const bool picture = !Option2->isChecked();
    const bool word = !Option1->isChecked();
    Image1->setVisible(picture);
    Image2->setVisible(picture);
    Picture1->setVisible(word);
    focusInput();
}

void Form9::check(const QString &input) {
    if (!Label1.isEmpty() && input == Label1) {
        accept(LogList::Abschrift, input);
        next();
        return;
    }
    if (!rightBeginning(input)) {
        typedWrong(LogList::Abschrift, input);
        wrongBeginning();
    }
    focusInput();
}
