#include "games/fang.h"

#include "core/clock.h"
#include "core/nouns.h"
#include "core/random.h"
#include "drawing/wordstrip.h"
#include "program/program.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <utility>

const QString fang::kStartLine = QStringLiteral("           Zum Starten hier klicken . . .");

static QFrame *frameBox(QWidget *parent, int l, int t, int w, int h) {
    auto *f = new QFrame(parent);
    f->setFrameStyle(QFrame::Box | QFrame::Plain);
    f->setAttribute(Qt::WA_TransparentForMouseEvents);
    twips::place(f, l, t, w, h);
    return f;
}

void ChoiceList::mouseDoubleClickEvent(QMouseEvent *e) {
    m_doubleClick = true;
    e->accept();
}

void ChoiceList::mouseReleaseEvent(QMouseEvent *e) {
    if (std::exchange(m_doubleClick, false)) {
        e->accept();
        return;
    }
    QListWidget::mouseReleaseEvent(e);
}

void ChoiceList::focusInEvent(QFocusEvent *e) {
    // Qt makes the first entry current when the list gets the focus.
    const bool hadCurrent = currentIndex().isValid();
    QListWidget::focusInEvent(e);
    if (!hadCurrent)
        unmark();
}

void ChoiceList::unmark() {
    selectionModel()->clear();
}

fang::fang(Program &program)
    : Screen(program, 9480, 6735, QStringLiteral("Kalimbo (Fange)"), QColor(192, 192, 255)),
      m_program(program) {
    List1 = new ChoiceList(this);
    KALIMBO_NAME(List1);
    List1->setAccessibleName(QStringLiteral("Wörter"));
    twips::place(List1, 120, 120, 2055, 5790);
    List1->setFont(controls::msSansSerif(9.75, true));
    const QFont small = controls::msSansSerif(8.25);
    Label1 = controls::label(this, QString(), 2400, 240, 1935, 255, small);
    KALIMBO_NAME(Label1);
    Bezeichnung6 = controls::label(this, QStringLiteral("0"), 4680, 240, 495, 255, small);
    KALIMBO_NAME(Bezeichnung6);
    controls::label(this, QStringLiteral(" Sek"), 5160, 240, 465, 255, small);
    controls::label(this, QStringLiteral("schnell"), 5880, 240, 735, 255, small);
    HBildlauf1 = new QScrollBar(Qt::Horizontal, this);
    KALIMBO_NAME(HBildlauf1);
    HBildlauf1->setAccessibleName(QStringLiteral("Tempo"));
    HBildlauf1->setRange(3, 15);
    HBildlauf1->setPageStep(1); // a click in the trough moves one second, as the arrows do
    HBildlauf1->setValue(10);
    twips::place(HBildlauf1, 6600, 240, 1335, 255);
    controls::label(this, QStringLiteral("langsam"), 8040, 240, 735, 255, small);
    Bezeichnung15 = controls::label(this, QStringLiteral("10"), 9000, 240, 255, 255, small);
    KALIMBO_NAME(Bezeichnung15);
    frameBox(this, 2280, 120, 2175, 495);
    frameBox(this, 4560, 120, 1095, 495);
    frameBox(this, 5760, 120, 3135, 495);
    frameBox(this, 8880, 120, 495, 495);

    Bild5 = new Canvas(this);
    KALIMBO_NAME(Bild5);
    Bild5->setAccessibleName(QStringLiteral("Spielfeld"));
    twips::place(Bild5, 2280, 720, 7095, 4575);
    Bild5->setBackground(Qt::white);
    Bild5->surface().setFont(QStringLiteral("MS Sans Serif"), 18, true);
    Bild5->setFocusPolicy(Qt::ClickFocus);
    Bezeichnung8 = controls::label(Bild5, QStringLiteral("+"), 0, 0, 255, 375,
                                   controls::msSansSerif(18, true));
    KALIMBO_NAME(Bezeichnung8);
    controls::colourise(Bezeichnung8, QColor(255, 0, 0), QColor(255, 0, 0));
    Bezeichnung8->setAttribute(Qt::WA_TransparentForMouseEvents);
    Bezeichnung8->hide();

    bezeichnung4 =
        controls::label(this, QString(), 2280, 5400, 3495, 495, controls::msSansSerif(18, true));
    KALIMBO_NAME(bezeichnung4);
    controls::colourise(bezeichnung4, QColor(192, 255, 192), QColor(0, 192, 0));
    bezeichnung3 =
        controls::label(this, QString(), 5760, 5400, 495, 495, controls::msSansSerif(18, true));
    KALIMBO_NAME(bezeichnung3);
    controls::colourise(bezeichnung3, QColor(255, 192, 192), QColor(255, 0, 0));
    Bezeichnung5 =
        controls::label(this, QString(), 6240, 5400, 3135, 495, controls::msSansSerif(18, true));
    KALIMBO_NAME(Bezeichnung5);
    controls::colourise(Bezeichnung5, QColor(192, 255, 255), QColor(0, 0, 255));
    bezeichnung4->setAccessibleName(QStringLiteral("Gefangen"));
    bezeichnung3->setAccessibleName(QStringLiteral("Nächster Buchstabe"));
    Bezeichnung5->setAccessibleName(QStringLiteral("Danach"));
    frameBox(this, 2280, 5400, 7095, 495);
    // Between the word row's frame and the bar, in the row's font size.
    WordArcs = new Canvas(this);
    KALIMBO_NAME(WordArcs);
    WordArcs->setAccessibleName(QStringLiteral("Silben"));
    twips::place(WordArcs, 2280, 5910, 7095, 90);
    WordArcs->setBackground(QColor(192, 192, 255));
    WordArcs->surface().setFont(QStringLiteral("MS Sans Serif"), 18, true);
    WordArcs->setAttribute(Qt::WA_TransparentForMouseEvents);
    WordArcs->hide();
    connect(&m_program.events(), &ProgramEvents::syllablesReady, this, [this] {
        m_arcsDrawn.clear();
        drawWordArcs();
    });

    controls::shape(this, QColor(128, 128, 255), 120, 6000, 9255, 615);
    Command1 = controls::button(this, QStringLiteral("Abbruch . . ."), 480, 6120, 1935, 375);
    KALIMBO_NAME(Command1);
    Command2 = controls::button(this, QStringLiteral("Hilfe zeigen"), 7080, 6120, 1935, 375);
    KALIMBO_NAME(Command2);
    Command1->setFont(controls::verdana(12, true));
    Command2->setFont(controls::verdana(12, true));

    Zeit1 = m_program.clock().createTicker(this);
    KALIMBO_NAME(Zeit1);
    connect(Zeit1, &Ticker::tick, this, &fang::tick);
    connect(List1, &QListWidget::itemClicked, this, &fang::chooseWord);
    connect(Bild5, &Canvas::mousePressed, this, [this] { fieldPressed(); });
    auto showInterval = [this](int v) {
        Bezeichnung15->setText(QString::number(v));
        Bild5->setFocus();
    };
    connect(HBildlauf1, &QScrollBar::valueChanged, this, showInterval);
    connect(HBildlauf1, &QScrollBar::sliderMoved, this, showInterval);
    connect(Command1, &QPushButton::clicked, this, &fang::abandon);
    connect(Command2, &QPushButton::clicked, this, [this] {
        m_program.dialogs().message(QStringLiteral("Du musst die Buchstaben eines Wortes der\r"
                                                   "Reihe nach fangen. Bei mehreren gleichen\r"
                                                   "Buchstaben weißt du aber nicht, welcher\r"
                                                   "der Buchstaben zuerst gefangen werden\r"
                                                   "muss. Da hilft nur eine schnelle Reaktion!\r"
                                                   "Steuern musst du mit den vier Pfeiltasten.\r"
                                                   "Du kannst dir aus der linken Liste auch ein\r"
                                                   "beliebiges Wort für dein Spiel auswählen.\r"),
                                    QStringLiteral("F a n g e"));
        Bild5->setFocus();
    });
    // The arrow keys and Esc belong to the game whichever control has the
    // focus, so the window sees them first.
    qApp->installEventFilter(this);
}

fang::~fang() {
    qApp->removeEventFilter(this);
}

bool fang::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress || !isVisible())
        return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || w->window() != this)
        return false;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Up:
        move(0, -1);
        return true;
    case Qt::Key_Down:
        move(0, 1);
        return true;
    case Qt::Key_Left:
        move(-1, 0);
        return true;
    case Qt::Key_Right:
        move(1, 0);
        return true;
    case Qt::Key_Escape:
        abandon();
        return true;
    default:
        return false;
    }
}

void fang::activated() {
    centre();
    Label1->setText(m_program.nameLabel());
    fillChoices();
    drawWord();
}

void fang::fillChoices() {
    List1->clear();
    for (const QString &e : m_program.nounList())
        List1->addItem(nouns::nounOf(e));
}

void fang::drawWord() {
    if (List1->count() == 0)
        fillChoices();
    m_program.random().reseedFromClock(m_program.clock());
    const int i = m_program.random().index(List1->count());
    QString word;
    if (QListWidgetItem *item = List1->takeItem(i)) {
        word = item->text();
        delete item;
    }
    List1->unmark();
    prepareWord(word);
}

void fang::chooseWord(QListWidgetItem *item) {
    if (!item)
        return;
    Bezeichnung8->hide();
    Zeit1->stop();
    m_game.stop();
    const QString word = item->text();
    delete List1->takeItem(List1->row(item));
    // The entry below would take the place of the one taken, marked.
    List1->unmark();
    prepareWord(word);
    if (List1->count() == 0)
        fillChoices();
}

void fang::prepareWord(const QString &word) {
    m_game.prepare(word);
    m_caught = 0;
    m_entry = word;
    for (const QString &e : m_program.nounList())
        if (nouns::nounOf(e) == word) {
            m_entry = e;
            break;
        }
    showWordRow();
    Bezeichnung6->setText(QStringLiteral("0"));
    Surface &s = Bild5->surface();
    Bild5->clear();
    for (int i = 0; i < 5; ++i)
        s.print(QString(), true);
    s.setTextColour(Qt::black);
    s.print(kStartLine, true);
    placeMarker();
}

void fang::fieldPressed() {
    Bild5->setFocus();
    if (Zeit1->isActive())
        return;
    Zeit1->start();
    m_game.start(m_program.random());
    drawLetters();
    afterCheck(0);
    if (!m_game.completed())
        Bezeichnung8->show();
}

void fang::move(int dx, int dy) {
    afterCheck(m_game.move(dx, dy));
}

void fang::tick() {
    const bool jumped = m_game.tick(HBildlauf1->value(), m_program.random());
    Bezeichnung6->setText(QString::number(m_game.seconds()));
    if (jumped)
        drawLetters();
    afterCheck(0);
}

void fang::recordCaught() {
    // A caught letter is a move; the whole word caught is the answer.
    if (m_caught != 0 || !m_game.completed() || m_game.caught().isEmpty())
        return;
    m_caught = 1;
    m_program.recordAnswer(LogList::Fange, m_entry, true, m_game.caught().trimmed());
}

void fang::afterCheck(int caught) {
    recordCaught();
    if (caught > 0)
        drawLetters();
    placeMarker();
    showWordRow();
    if (Zeit1->isActive() && m_game.completed())
        completed();
}

void fang::drawLetters() {
    Surface &s = Bild5->surface();
    Bild5->beginBatch();
    Bild5->clear();
    s.setTextColour(Qt::black);
    const QString w = m_game.word();
    for (int i = 0; i < w.size(); ++i) {
        const QPoint c = m_game.cell(i);
        s.text(CatchGame::kCellTwips * c.x(), CatchGame::kCellTwips * c.y(), w.mid(i, 1));
    }
    Bild5->endBatch();
}

void fang::placeMarker() {
    const QPoint p = m_game.player();
    twips::move(Bezeichnung8, CatchGame::kCellTwips * p.x(), CatchGame::kCellTwips * p.y());
}

void fang::showWordRow() {
    bezeichnung4->setText(m_game.caught());
    bezeichnung3->setText(m_game.next());
    Bezeichnung5->setText(m_game.after());
    // Read out what each box holds, also while it is empty.
    bezeichnung4->setAccessibleName(QStringLiteral("Gefangen: ") + m_game.caught());
    bezeichnung3->setAccessibleName(QStringLiteral("Nächster Buchstabe: ") + m_game.next());
    Bezeichnung5->setAccessibleName(QStringLiteral("Danach: ") + m_game.after());
    drawWordArcs();
}

void fang::drawWordArcs() {
    const QList<QLabel *> boxes{bezeichnung4, bezeichnung3, Bezeichnung5};
    QString word;
    for (QLabel *box : boxes)
        word += box->text();
    const std::optional<wordstrip::Syllables> syllables = m_program.syllablesOf(word);
    WordArcs->setVisible(syllables.has_value());
    if (!syllables)
        return;
    const QString drawn = QStringLiteral("%1 %2 %3 %4")
                              .arg(boxes[0]->text().size())
                              .arg(boxes[1]->text().size())
                              .arg(int(syllables->coloured))
                              .arg(word);
    if (drawn == m_arcsDrawn)
        return; // nothing moved from one box to the next
    m_arcsDrawn = drawn;

    // Each letter's place in its box, in the arcs' twips; a syllable whose
    // letters stand in two boxes has a piece in each.
    const QList<int> &breaks = syllables->breaks;
    QList<wordstrip::Pieces> pieces;
    int i = 0;
    int syllable = 0;
    int lastBox = -1;
    for (int b = 0; b < boxes.size(); ++b) {
        const QLabel *box = boxes[b];
        const QFontMetricsF fm(box->font());
        const int origin = twips::tw(box->x() + box->contentsRect().left() - WordArcs->x());
        const int end = twips::tw(box->x() + box->width() - WordArcs->x());
        auto at = [&](const QString &text) {
            return qMin(end, origin + qRound(fm.horizontalAdvance(text) * twips::perPixel));
        };
        const QString text = box->text();
        for (int k = 0; k < text.size(); ++k, ++i) {
            while (syllable < breaks.size() && breaks[syllable] <= i)
                ++syllable;
            if (pieces.size() <= syllable)
                pieces.resize(syllable + 1);
            if (!pieces[syllable].isEmpty() && lastBox == b)
                pieces[syllable].last().second = at(text.left(k + 1));
            else
                pieces[syllable] << qMakePair(at(text.left(k)), at(text.left(k + 1)));
            lastBox = b;
        }
    }
    QList<QColor> colours;
    for (int k = 0; k < pieces.size(); ++k)
        colours << (syllables->coloured ? syllables->colourOf(k) : QColor(Qt::black));
    WordArcs->beginBatch();
    WordArcs->clear();
    // The bar starts a pixel below.
    wordstrip::arcsUnder(WordArcs->surface(), pieces, colours, twips::perPixel / 2,
                         twips::height(WordArcs) + twips::perPixel);
    WordArcs->endBatch();
}

void fang::completed() {
    Zeit1->stop();
    Bezeichnung8->hide();
    m_program.appendLog(LogList::Fange, m_game.caught());
    m_program.dialogs().message(m_program.greeting() + QStringLiteral("Du hast es in") +
                                    nouns::signedNumber(m_game.seconds()) +
                                    QStringLiteral(" Sekunden geschafft.\r"),
                                QStringLiteral("Wortfange"));
    drawWord();
}

void fang::abandon() {
    Bezeichnung8->hide();
    Zeit1->stop();
    m_game.stop();
    m_program.leave(this);
}
