#include "exercises/Form2.h"

#include "core/nouns.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalBlocker>

Form2::Form2(Program &program)
    : ExerciseFrame(program, 10830, 7590, QStringLiteral("Kalimbo (Nomen)")) {
    makeFrames(QRect(2760, 960, 5295, 3855), QRect(3480, 240, 3855, 5295));
    makeStrip(120, 5640, 10575, 1095);
    makeBar(6840);
    Command3 = controls::button(this, QStringLiteral("Hilfe"), 240, 6960, 1095, 375);
    KALIMBO_NAME(Command3);
    makeAbbruch(6960);
    Command2 = controls::button(this, QStringLiteral("N e u"), 9480, 6960, 1095, 375);
    KALIMBO_NAME(Command2);
    Check1 = controls::checkBox(this, QStringLiteral(" mit Bild"), 11400, 4920, 1215, 255);
    KALIMBO_NAME(Check1);
    // It lies outside the window: Tab must not lead there.
    Check1->setFocusPolicy(Qt::NoFocus);

    connect(Command2, &QPushButton::clicked, this, &Form2::neu);
    connect(Command3, &QPushButton::clicked, this, &Form2::hilfe);
    connect(Check1, &QCheckBox::toggled, this, &Form2::check1Changed);
    connect(Picture1, &Canvas::mousePressed, this, [this] { stripPressed(true); });
    connect(Picture1, &Canvas::mouseReleased, this, [this] { stripPressed(false); });
    // Hearing the word: a click on the picture or the strip says it.
    connect(Picture1, &Canvas::clicked, this, [this] { voice().say(voice().displayForm(), true); });
    for (PictureFrame *f : {Image1, Image2})
        connect(f, &ImageView::clicked, this, [this] { voice().say(voice().displayForm(), true); });
}

void Form2::start() {
    {
        // The main menu's option may have changed while this window was
        // hidden; taking it over is no change to write back.
        const QSignalBlocker block(Check1);
        Check1->setChecked(program().option(Option::BilderBeiNomen));
    }
    controls::colourise(Check1, program().background());
    pictureSwitch();
    draw();
    picture();
    showNoun();
}

void Form2::neu() {
    pictureSwitch();
    draw();
    picture();
    showNoun();
}

void Form2::picture() {
    Image2->clear();
    measure(Label1);
    showCentred(Image1);
}

void Form2::showNoun() {
    Label1 = nouns::displayForm(Label1);
    const QString noun = Label1.mid(4);
    drawWord(noun);
    // Reading a noun is logged for the teacher but is no answer to keep.
    if (!noun.isEmpty())
        program().appendLog(LogList::Lesen, noun);
    voice().announce(voice().displayForm(), true);
}

void Form2::pictureSwitch() {
    const bool on = Check1->isChecked();
    Image1->setVisible(on);
    Image2->setVisible(on);
}

void Form2::check1Changed(bool on) {
    pictureSwitch();
    program().state().setOption(Option::BilderBeiNomen, on);
}

void Form2::stripPressed(bool down) {
    if (Check1->isChecked())
        return;
    Image1->setVisible(down);
    Image2->setVisible(down);
}

void Form2::hilfe() {
    program().dialogs().message(QStringLiteral("Auf der Startseite kann unter Optionen\r"
                                               "eine dauerhafte Abschaltung der Bilder\r"
                                               "erzwungen werden. Danach lassen sich\r"
                                               "diese bei Bedarf aber immer noch über\r"
                                               "eine gedrückt gehaltene Maustaste auf\r"
                                               "dem Textfenster wieder einblenden. Mit\r"
                                               "Loslassen der Maus blenden diese aus.\r\r"),
                                QStringLiteral("Hilfe zu Nomen"));
}
