#include "exercises/Form5.h"

#include "core/nouns.h"

Form5::Form5(Program &program)
    : ChoiceScreen(program,
                   {10815, QStringLiteral("Suche zum Bild das passende Wort und klicke es an."),
                    QRect(240, 1800, 2295, 1935), QRect(8280, 1800, 2295, 1935),
                    QRect(8400, 2280, 2055, 495), QRect(8520, 3000, 1815, 255)},
                   QStringLiteral("Kalimbo (Wortwahl)")) {
    makeFrames(QRect(2760, 840, 5295, 3855), QRect(3480, 120, 3855, 5295));
    connect(Image1, &ImageView::clicked, this, &Form5::choose);
    connect(Image2, &ImageView::clicked, this, &Form5::choose);
}

void Form5::newNoun() {
    draw();
    measure(Label1);
    showInFrames();
    // The article goes once: derDieb.jpg gives Dieb.
    Label1 = nouns::nounOf(Label1);
    buildOffer(Label1, nouns::nounOf);
}

void Form5::showOffered() {
    drawWord(List2.value(List2Index));
}

void Form5::choose() {
    const QString chosen = List2.value(List2Index);
    const bool right = !Label1.isEmpty() && chosen == Label1;
    record(LogList::Wortwahl, right, chosen);
    if (!right)
        return; // a wrong choice passes in silence
    program().appendLog(LogList::Wortwahl, Label1);
    // This screen praises a right word even with confirmations off.
    tell(QStringLiteral("Das Wort ist richtig, weiter nun!\r\r"), QStringLiteral("Lösung"));
    // Only now may the word be heard; before, it would be the answer.
    voice().sayAnswer(voice().displayForm(), true);
    newNoun();
}

void Form5::scrolled() {
    buildOffer(Label1, nouns::nounOf);
}
