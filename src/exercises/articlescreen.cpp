#include "exercises/articlescreen.h"

#include "core/nouns.h"
#include "ui/canvas.h"
#include "ui/controls.h"

#include <QKeyEvent>
#include <QPushButton>

ArticleScreen::ArticleScreen(Program &program, int clientHeightTw, const QString &caption,
                             LogList log, const QString &wrongText)
    : ExerciseFrame(program, 10815, clientHeightTw, caption), m_log(log), m_wrongText(wrongText) {}

QFont ArticleScreen::answerFont() {
    return controls::verdana(20.25, true);
}

void ArticleScreen::makeBottom(QPushButton *&back, QPushButton *&forward) {
    makeStrip(120, 5520, 10575, 1215);
    makeArrowBar(6840, back, forward, arrowFont());
    connect(back, &QPushButton::clicked, this, &ArticleScreen::next);
    connect(forward, &QPushButton::clicked, this, &ArticleScreen::next);
    // A click on the picture or the strip says the noun without its article,
    // always in the synthetic voice: a recording would give the answer away.
    Q_ASSERT(Image1 && Image2);
    connect(Picture1, &Canvas::clicked, this, [this] { voice().say(voice().noun(), false); });
    for (PictureFrame *f : {Image1, Image2})
        connect(f, &ImageView::clicked, this, [this] { voice().say(voice().noun(), false); });
}

void ArticleScreen::setAnswerKeys(QPushButton *one, QPushButton *two, QPushButton *three) {
    m_answerKeys[0] = one;
    m_answerKeys[1] = two;
    m_answerKeys[2] = three;
}

void ArticleScreen::keyPressEvent(QKeyEvent *e) {
    const int k = e->key() - Qt::Key_1;
    if (k >= 0 && k < 3 && m_answerKeys[k] && !e->isAutoRepeat() &&
        (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        m_answerKeys[k]->click();
        return;
    }
    ExerciseFrame::keyPressEvent(e);
}

void ArticleScreen::next() {
    draw();
    measure(Label1);
    showInFrames();
    Label1 = nouns::displayForm(Label1);
    drawWord(Label1.mid(4));
    voice().announce(voice().noun(), false);
}

void ArticleScreen::answer(const QString &a, const QString &chosen) {
    const bool right = !Label1.isEmpty() && Label1.left(3) == a;
    record(m_log, right, chosen.isEmpty() ? a : chosen);
    if (!right) {
        tell(m_wrongText + QStringLiteral("\r\r"), QStringLiteral("Fehler"));
        return;
    }
    program().appendLog(m_log, Label1.mid(4));
    if (confirmations())
        tell(QStringLiteral("Der Begleiter ist richtig, weiter nun!\r\r"),
             QStringLiteral("Lösung"));
    voice().sayAnswer(spokenAnswer(), answerFromRecording());
    next();
}
