#include "exercises/writingscreen.h"

#include "core/nouns.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/screenkeyboard.h"
#include "ui/twips.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

WritingScreen::WritingScreen(Program &program, int clientWidthTw, int clientHeightTw,
                             const QString &caption)
    : ExerciseFrame(program, clientWidthTw, clientHeightTw, caption) {
    makeStrip(120, 5520, 10575, 1215);
    Text1 = new QLineEdit(this);
    Text1->setAccessibleName(QStringLiteral("Eingabe"));
    KALIMBO_NAME(Text1);
    Text1->setFont(controls::verdana(36, true));
    controls::colourise(Text1, QColor(0, 0, 192), Qt::white);
    twips::place(Text1, 120, 6840, 10575, 975);
    makeArrowBar(7920, Command2, Command3, controls::verdana(9.75, true));
    KALIMBO_NAME(Command2);
    KALIMBO_NAME(Command3);

    keyboard = new ScreenKeyboard(this, program.state(), ScreenKeyboard::Kind::Writing);
    keyboard->setReceiver(Text1);

    connect(Command2, &QPushButton::clicked, this, &WritingScreen::next);
    connect(Command3, &QPushButton::clicked, this, &WritingScreen::next);
    connect(Text1, &QLineEdit::textChanged, this, [this](const QString &t) { check(t); });
    connect(Picture1, &Canvas::clicked, this, [this] {
        focusInput();
        voice().say(voice().displayForm(), true);
    });
}

void WritingScreen::sayOnPictureClick() {
    for (PictureFrame *f : {Image1, Image2})
        connect(f, &ImageView::clicked, this, [this] { voice().say(voice().displayForm(), true); });
}

void WritingScreen::makeInstruction(const QString &text, const QRect &r, const QFont &font,
                                    const QColor &back, const QColor &fore) {
    Label2 = controls::label(this, text, r.left(), r.top(), r.width(), r.height(), font);
    KALIMBO_NAME(Label2);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    controls::colourise(Label2, back, fore);
    Label2->installEventFilter(this);
}

void WritingScreen::next() {
    draw();
    measure(Label1);
    showInFrames();
    Label1 = nouns::copyForm(Label1);
    drawWord(Label1, wordstrip::Style::Unspaced);
    Text1->clear();
    drawn();
    focusInput();
    voice().announce(voice().displayForm(), true);
}

bool WritingScreen::rightBeginning(const QString &input) const {
    return Label1.startsWith(input, Qt::CaseSensitive);
}

void WritingScreen::accept(LogList log, const QString &input) {
    program().appendLog(log, input);
    // One answer per word: right when written without a wrong beginning,
    // else wrong with the first wrong writing.
    record(log, m_wrongTyped.isEmpty(), m_wrongTyped.isEmpty() ? input : m_wrongTyped);
    m_wrongTyped.clear();
    if (confirmations())
        tell(QStringLiteral("Das Wort wurde richtig geschrieben!\r\r"),
             QStringLiteral("Abschrift"));
}

void WritingScreen::typedWrong(LogList log, const QString &input) {
    if (m_wrongTyped.isEmpty()) {
        m_wrongTyped = input;
        m_wrongLog = log;
    }
}

void WritingScreen::leavingEntry() {
    // A word left with a wrong beginning is a wrong answer.
    if (!m_wrongTyped.isEmpty())
        record(m_wrongLog, false, m_wrongTyped);
    m_wrongTyped.clear();
}

void WritingScreen::wrongBeginning() {
    tell(QStringLiteral("Die Eingabe bitte prüfen!\r\r"), QStringLiteral("Fehler"));
}

void WritingScreen::focusInput() {
    Text1->setFocus(Qt::OtherFocusReason);
}

void WritingScreen::mousePressEvent(QMouseEvent *e) {
    ExerciseFrame::mousePressEvent(e);
    focusInput();
}

bool WritingScreen::eventFilter(QObject *o, QEvent *e) {
    if (o == Label2 && e->type() == QEvent::MouseButtonPress)
        focusInput();
    return ExerciseFrame::eventFilter(o, e);
}
