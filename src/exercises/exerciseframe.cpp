#include "exercises/exerciseframe.h"

#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QPainter>
#include <QPushButton>
#include <utility>

// --- PictureFrame -----------------------------------------------------------

void PictureFrame::showPicture(const Picture &p) {
    // A listed file that cannot be read keeps its frame visible as an outline.
    m_placeholder = p.isNull() && !p.fileName().isEmpty();
    setPicture(p);
}

void PictureFrame::clear() {
    m_placeholder = false;
    clearPicture();
}

void PictureFrame::placeTw(const QRect &r) {
    m_twips = r;
    twips::place(this, r.left(), r.top(), r.width(), r.height());
}

void PictureFrame::paintEvent(QPaintEvent *e) {
    if (!m_placeholder) {
        ImageView::paintEvent(e);
        return;
    }
    QPainter p(this);
    p.setPen(QPen(QColor(128, 128, 128), 1, Qt::DashLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// --- ExerciseFrame ----------------------------------------------------------

const QColor ExerciseFrame::kBackground(192, 192, 255);
const QColor ExerciseFrame::kBar(128, 128, 255);

ExerciseFrame::ExerciseFrame(Program &program, int clientWidthTw, int clientHeightTw,
                             const QString &caption, int refillBelow)
    : Screen(program, clientWidthTw, clientHeightTw, caption, kBackground),
      List1(program.nounList(), refillBelow), m_program(program), m_voice(program) {
    List1.firstInPass = [this] { return m_program.missedNouns(); };
    connect(&program.state(), &MenuState::nounsChanged, this, &ExerciseFrame::nounsChanged);
    connect(&program.events(), &ProgramEvents::syllablesReady, this, [this] {
        if (m_stripDrawn)
            drawWord(m_stripWord, m_stripStyle);
    });
}

void ExerciseFrame::nounsChanged() {
    // A new list (filter, letters) reaches the pass at its refill; a noun
    // whose picture has gone from the folder is never drawn again.
    List1.setNouns(m_program.nounList());
    List1.keepOnly(m_program.pictureFiles());
}

void ExerciseFrame::activated() {
    centre();
    colourStrip();
    if (!m_inSession)
        beginSession();
    start();
}

void ExerciseFrame::beginSession() {
    m_inSession = true;
    if (const std::optional<LogList> answers = answersTo()) {
        m_session = m_program.beginCardSession(*answers);
        List1.putFirst(m_session.nouns);
    }
}

void ExerciseFrame::endSession() {
    if (!m_inSession)
        return;
    m_inSession = false;
    // Cards not reached wait for the next session; the pass goes on as ever.
    List1.withdraw(m_session.nouns);
    m_program.finishCardSession(std::exchange(m_session, {}));
}

void ExerciseFrame::makeFrames(QRect landscape, QRect portrait) {
    Image1 = new PictureFrame(this);
    KALIMBO_NAME(Image1);
    Image1->setAccessibleName(QStringLiteral("Bild"));
    Image1->placeTw(landscape);
    if (!portrait.isNull()) {
        Image2 = new PictureFrame(this);
        KALIMBO_NAME(Image2);
        Image2->setAccessibleName(QStringLiteral("Bild"));
        Image2->placeTw(portrait);
    }
}

void ExerciseFrame::makeStrip(int left, int top, int width, int height) {
    Picture1 = new Canvas(this);
    KALIMBO_NAME(Picture1);
    twips::place(Picture1, left, top, width, height);
    wordstrip::setup(Picture1->surface());
    Picture1->setCursor(Qt::ArrowCursor);
}

void ExerciseFrame::makeBar(int top) {
    controls::shape(this, kBar, 120, top, 10575, 615);
}

QPushButton *ExerciseFrame::makeAbbruch(int top) {
    Command1 = controls::button(this, QStringLiteral("Abbruch . . ."), 4320, top, 2175, 375);
    KALIMBO_NAME(Command1);
    connect(Command1, &QPushButton::clicked, this, &ExerciseFrame::abbruch);
    return Command1;
}

void ExerciseFrame::makeArrowBar(int top, QPushButton *&back, QPushButton *&forward,
                                 const QFont &arrowFont) {
    makeBar(top);
    back = makeButton(QStringLiteral("<<"), 240, top + 120, 1095, 375, arrowFont);
    makeAbbruch(top + 120);
    forward = makeButton(QStringLiteral(">>"), 9480, top + 120, 1095, 375, arrowFont);
}

QFont ExerciseFrame::arrowFont() {
    return controls::msSansSerif(9.75, true);
}

QPushButton *ExerciseFrame::makeButton(const QString &text, int l, int t, int w, int h,
                                       const QFont &font) {
    QPushButton *b = controls::button(this, text, l, t, w, h);
    b->setFont(font);
    return b;
}

QString ExerciseFrame::draw() {
    leavingEntry();
    m_judged = false;
    m_entry = List1.draw(m_program.random());
    m_voice.setEntry(m_entry);
    Label1 = m_entry;
    return Label1;
}

const Picture &ExerciseFrame::measure(const QString &entry) {
    Image3 = Picture::load(entry);
    // A file that cannot be read measures as nothing rather than as -1 x -1.
    const QSize tw = Image3.isNull() ? QSize(0, 0) : Image3.naturalTwips();
    m_program.setPictureSize(tw);
    return Image3;
}

void ExerciseFrame::showInFrames() {
    Image1->clear();
    if (Image2)
        Image2->clear();
    // The orientation comes from the full size: the 16-bit variables clip
    // large photos to 32767 in both directions and would make every one of
    // them look square.
    const QSize tw = Image3.naturalTwips();
    const bool landscape = Image3.isNull() || !Image2 || tw.width() >= tw.height();
    (landscape ? Image1 : Image2)->showPicture(Image3);
}

void ExerciseFrame::showCentred(PictureFrame *frame) {
    constexpr int kSide = 5280;
    frame->clear();
    int w = kSide;
    int h = kSide;
    if (!Image3.isNull()) {
        const int pw = m_program.pictureSize().width();
        const int ph = m_program.pictureSize().height();
        if (pw < kSide)
            w = pw;
        if (ph < kSide)
            h = ph;
    }
    const int top = (kSide - h + 120) / 2;
    const int left = (8040 - w + 2760) / 2;
    frame->placeTw(QRect(left, top, w, h));
    frame->showPicture(Image3);
}

void ExerciseFrame::drawWord(const QString &word, wordstrip::Style style) {
    // Every strip shows the noun alone (or an offered noun), so the breaks fit it as they are.
    const std::optional<wordstrip::Syllables> syllables = m_program.syllablesOf(word);
    wordstrip::draw(Picture1->surface(), word, m_program.vowelColour(), m_program.consonantColour(),
                    style, syllables ? &*syllables : nullptr);
    Picture1->setAccessibleName(word); // the strip is read as what it shows
    m_stripWord = word;
    m_stripStyle = style;
    m_stripDrawn = true;
}

void ExerciseFrame::colourStrip() {
    Picture1->setBackground(m_program.background());
}

void ExerciseFrame::abbruch() {
    leavingEntry();
    Image1->clear();
    if (Image2)
        Image2->clear();
    Image3 = Picture();
    m_program.leave(this);
}

void ExerciseFrame::record(LogList exercise, bool right, const QString &given) {
    // The first answer to a noun on show is the child's answer; the tries
    // after it until the next noun are no new answers.
    if (m_entry.isEmpty() || m_judged)
        return;
    m_judged = true;
    m_program.recordAnswer(exercise, m_entry, right, given);
}

void ExerciseFrame::tell(const QString &text, const QString &title) {
    m_program.dialogs().message(m_program.greeting() + text, title);
}

bool ExerciseFrame::confirmations() const {
    return m_program.option(Option::Bestaetigungen);
}

void ExerciseFrame::hideEvent(QHideEvent *e) {
    Screen::hideEvent(e);
    m_voice.stop();
    endSession();
}
