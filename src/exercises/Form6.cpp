#include "exercises/Form6.h"

#include "core/nouns.h"

static QString unchanged(const QString &entry) {
    return entry;
}

Form6::Form6(Program &program)
    : ChoiceScreen(program,
                   {10785, QStringLiteral("Suche zum Wort das passende Bild und klicke es an."),
                    QRect(120, 1680, 2295, 1935), QRect(8400, 1680, 2295, 1935),
                    QRect(8520, 2160, 2055, 495), QRect(8640, 2880, 1815, 255)},
                   QStringLiteral("Kalimbo (Bildwahl)")) {
    makeFrames(QRect(2760, 120, 5280, 5280), QRect());
    connect(Image1, &ImageView::clicked, this, &Form6::choose);
}

void Form6::newNoun() {
    const QString entry = draw();
    Label1 = nouns::nounOf(entry);
    drawWord(Label1);
    buildOffer(entry, unchanged);
    voice().announce(voice().displayForm(), true);
}

void Form6::showOffered() {
    measure(List2.value(List2Index));
    showCentred(Image1);
}

void Form6::choose() {
    const QString file = List2.value(List2Index);
    // Containment, not equality: another file of the noun counts as well.
    const bool right =
        !Label1.isEmpty() && nouns::upper(file.mid(3)).contains(nouns::upper(Label1));
    record(LogList::Bildwahl, right, file);
    if (!right)
        return;
    program().appendLog(LogList::Bildwahl, Label1);
    if (confirmations())
        tell(QStringLiteral("Das Bild ist richtig, weiter nun!\r\r"), QStringLiteral("Lösung"));
    voice().sayAnswer(voice().displayForm(), true);
    newNoun();
}
