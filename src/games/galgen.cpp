#include "games/galgen.h"

#include "core/collation.h"
#include "core/nouns.h"
#include "core/random.h"
#include "games/gamewidgets.h"
#include "program/program.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/screenkeyboard.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <utility>

// --- Gallows ---------------------------------------------------------------

Gallows::Gallows(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Gallows::setShown(Part p, bool on) {
    if (m_shown[p] == on)
        return;
    m_shown[p] = on;
    update();
}

void Gallows::hideAll() {
    for (bool &s : m_shown)
        s = false;
    update();
}

QList<Gallows::Part> Gallows::shownParts() const {
    QList<Part> r;
    for (int i = 0; i < PartCount; ++i)
        if (m_shown[i])
            r << Part(i);
    return r;
}

// A head of 495 x 495 twips: round face, eyes and a mouth that tells how it goes.
static void drawHead(QPainter &p, const QRect &r, bool freed) {
    p.setPen(QPen(Qt::black, 15));
    p.setBrush(QColor(255, 224, 160));
    p.drawEllipse(r.adjusted(15, 15, -15, -15));
    const int cx = r.center().x(), cy = r.center().y();
    if (freed) {
        p.setBrush(Qt::black);
        p.drawEllipse(QPoint(cx - 90, cy - 60), 30, 30);
        p.drawEllipse(QPoint(cx + 90, cy - 60), 30, 30);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRect(cx - 120, cy - 90, 240, 210), 200 * 16, 140 * 16);
    } else {
        for (int dx : {-90, 90}) {
            p.drawLine(cx + dx - 35, cy - 95, cx + dx + 35, cy - 25);
            p.drawLine(cx + dx - 35, cy - 25, cx + dx + 35, cy - 95);
        }
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRect(cx - 100, cy + 40, 200, 150), 20 * 16, 140 * 16);
    }
}

void Gallows::paintEvent(QPaintEvent *) {
    const QColor brown(192, 64, 0), green(0, 192, 0), blue(0, 0, 192);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(1.0 / twips::perPixel, 1.0 / twips::perPixel);
    auto rect = [&](Part part, const QRect &r, const QColor &c, bool rounded) {
        if (!m_shown[part])
            return;
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        if (rounded)
            p.drawRoundedRect(r, 120, 120);
        else
            p.drawRect(r);
    };
    // Line widths in pixels, as the figure was designed.
    auto line = [&](Part part, int x1, int y1, int x2, int y2, const QColor &c, int widthPx) {
        if (!m_shown[part])
            return;
        p.setPen(QPen(c, widthPx * twips::perPixel, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(x1, y1, x2, y2);
    };
    rect(Figur2, QRect(240, 960, 255, 3855), brown, false);
    rect(Figur3, QRect(480, 960, 1335, 255), brown, false);
    line(Linie6, 1200, 1080, 360, 2160, brown, 10);
    line(Linie1, 1680, 1200, 1680, 1560, Qt::black, 5);
    if (m_shown[Bild2])
        drawHead(p, QRect(1440, 1560, 495, 495), false);
    rect(Figur5, QRect(1440, 2040, 495, 735), green, true);
    line(Linie2, 1440, 2160, 1080, 2640, green, 5);
    line(Linie3, 1920, 2160, 2280, 2640, green, 5);
    line(Linie4, 1560, 2640, 1320, 3360, blue, 6);
    line(Linie5, 1800, 2640, 2040, 3360, blue, 6);
    if (m_shown[Bild1])
        drawHead(p, QRect(1440, 3000, 495, 495), true);
    rect(Figur7, QRect(1440, 3480, 495, 735), green, true);
    line(Linie7, 1440, 3600, 1080, 3120, green, 5);
    line(Linie8, 1920, 3600, 2280, 3120, green, 5);
    line(Linie9, 1560, 4080, 1440, 4800, blue, 6);
    line(Linie10, 1800, 4080, 1920, 4800, blue, 6);
}

// --- LetterBoard ----------------------------------------------------------

LetterBoard::LetterBoard(QWidget *parent) : QListWidget(parent) {
    // Marks are set here only; without focus no current-key frame can look
    // like a used key.
    setSelectionMode(QAbstractItemView::MultiSelection);
    setFocusPolicy(Qt::NoFocus);
}

void LetterBoard::mousePressEvent(QMouseEvent *e) {
    const QListWidgetItem *key =
        e->button() == Qt::LeftButton ? itemAt(e->position().toPoint()) : nullptr;
    m_pressedRow = key ? row(key) : -1;
    e->accept();
}

// The second press of a double click is a press like the first.
void LetterBoard::mouseDoubleClickEvent(QMouseEvent *e) {
    mousePressEvent(e);
}

void LetterBoard::mouseMoveEvent(QMouseEvent *e) {
    e->accept();
}

void LetterBoard::mouseReleaseEvent(QMouseEvent *e) {
    e->accept();
    const int pressed = m_pressedRow;
    m_pressedRow = -1;
    if (e->button() != Qt::LeftButton || pressed < 0)
        return;
    QListWidgetItem *key = itemAt(e->position().toPoint());
    if (!key || row(key) != pressed)
        return;
    key->setSelected(!key->isSelected());
    emit keyPlayed(key);
}

void LetterBoard::keyPressEvent(QKeyEvent *e) {
    e->ignore();
}

// --- galgen ----------------------------------------------------------------

galgen::galgen(Program &program)
    : Screen(program, 8310, 5670, QStringLiteral("Kalimbo (Wortgalgen)"), QColor(192, 192, 255)),
      m_program(program) {
    figure = new Gallows(this);
    KALIMBO_NAME(figure);
    twips::place(figure, 0, 0, 5160, 5670);

    Bezeichnung1 =
        controls::label(this, QString(), 120, 120, 8055, 495, controls::msSansSerif(18, true));
    KALIMBO_NAME(Bezeichnung1);
    controls::colourise(Bezeichnung1, QColor(192, 192, 255), QColor(0, 0, 255));
    Image1 = new FramedImage(this);
    KALIMBO_NAME(Image1);
    Image1->setAccessibleName(QStringLiteral("Bild"));
    twips::place(Image1, 5160, 960, 3015, 3255);
    Image1->hide();
    Bezeichnung2 =
        controls::label(this, QString(), 5160, 4200, 3015, 375, controls::msSansSerif(12, true));
    KALIMBO_NAME(Bezeichnung2);
    controls::colourise(Bezeichnung2, QColor(192, 192, 255), QColor(0, 0, 255));
    Bezeichnung2->setAlignment(Qt::AlignCenter);
    Bezeichnung2->hide();

    Liste1 = new LetterBoard(this);
    KALIMBO_NAME(Liste1);
    Liste1->setAccessibleName(QStringLiteral("Buchstaben"));
    twips::place(Liste1, 120, 4800, 5895, 750);
    Liste1->setFont(controls::msSansSerif(13.5, true));
    controls::colourise(Liste1, QColor(128, 128, 255));
    Liste1->setFrameShape(QFrame::NoFrame);
    Liste1->setFlow(QListView::TopToBottom);
    Liste1->setWrapping(true);
    Liste1->setResizeMode(QListView::Adjust);
    Liste1->setUniformItemSizes(true);
    Liste1->setTextElideMode(Qt::ElideNone);
    Liste1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Liste1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Liste1->setGridSize(QSize(Liste1->width() / 15, Liste1->height() / 2 - 1));

    controls::shape(this, QColor(128, 128, 255), 6000, 4800, 2175, 750);
    figure->lower();
    Befehl1 = controls::button(this, QStringLiteral("Abbruch . . ."), 6120, 4920, 1935, 495);
    KALIMBO_NAME(Befehl1);

    keyboard = new ScreenKeyboard(this, program.state(), ScreenKeyboard::Kind::Guessing);

    setFocusPolicy(Qt::StrongFocus);
    connect(Liste1, &LetterBoard::keyPlayed, this, &galgen::playKey);
    connect(keyboard, &ScreenKeyboard::typed, this, &galgen::playLetter);
    // The keys show what the board shows: the letters played so far.
    connect(Liste1, &QListWidget::itemSelectionChanged, keyboard, [this] {
        QString played;
        for (const QListWidgetItem *key : Liste1->selectedItems())
            if (key->text().size() >= 2)
                played += key->text().at(1);
        keyboard->setMarked(played);
    });
    // A noun whose picture is gone is played no more; a new list comes in
    // when the pass is refilled.
    connect(&m_program.state(), &MenuState::nounsChanged, this, [this] {
        const QStringList &present = m_program.pictureFiles();
        for (QStringList *list : {&m_wordPool, &m_due})
            list->removeIf([&](const QString &e) { return !present.contains(e); });
    });
    connect(Befehl1, &QPushButton::clicked, this, [this] {
        reset();
        m_program.leave(this);
    });
}

void galgen::activated() {
    centre();
    // The board takes no focus; the window keeps it, so a stray space bar or
    // Enter neither marks a key nor presses "Abbruch . . .".
    setFocus();
    // With the card box on, a session begins with the child's due spelling cards.
    if (!m_inSession) {
        m_inSession = true;
        m_session = m_program.beginCardSession(LogList::Galgen);
        m_due = m_session.nouns;
    }
    startGame();
}

void galgen::hideEvent(QHideEvent *e) {
    Screen::hideEvent(e);
    m_due.clear();
    // The child sees the cards that moved on, as after an exercise.
    if (std::exchange(m_inSession, false))
        m_program.finishCardSession(std::exchange(m_session, {}));
}

QString galgen::nextEntry() {
    // A due card comes without a random number of its own (the generator is
    // reseeded all the same); then the pass goes on as ever.
    while (!m_due.isEmpty()) {
        const QString e = m_due.takeFirst();
        if (m_wordPool.removeOne(e) || m_program.nounList().contains(e))
            return e;
    }
    return m_wordPool.takeAt(m_program.random().index(int(m_wordPool.size())));
}

void galgen::startGame() {
    // The keys stay the same 30 items: a game may end inside the click on
    // one of them, so they are unmarked rather than deleted.
    if (Liste1->count() != hangman::kKeyOrder.size()) {
        Liste1->clear();
        for (const QChar c : hangman::kKeyOrder) {
            auto *key = new QListWidgetItem(QLatin1Char(' ') + c + QLatin1Char(' '), Liste1);
            key->setTextAlignment(Qt::AlignCenter);
        }
    }
    Liste1->clearSelection();
    if (m_wordPool.isEmpty()) {
        m_wordPool = m_program.nounList();
        collation::sort(m_wordPool);
    }
    m_program.random().reseedFromClock(m_program.clock());
    if (m_wordPool.isEmpty())
        return;
    const QString entry = nextEntry();
    m_game.start(entry);
    m_tried.clear();
    Bezeichnung1->setText(m_game.mask());
    Bezeichnung2->clear();
}

void galgen::showPicture() {
    // A noun whose picture has left the folder meanwhile shows no empty frame.
    if (!m_program.pictureFiles().contains(m_game.pictureFile()))
        return;
    Image1->setPicture(Picture::load(m_game.pictureFile()));
    Image1->show();
}

void galgen::playKey(QListWidgetItem *item) {
    if (!item || item->text().size() < 2 || m_game.secret().isEmpty())
        return;
    const QChar letter = item->text().at(1);
    const Hangman::Outcome outcome = m_game.play(letter);
    // A letter is a move; the round won or lost is the answer, with the
    // letters tried.
    m_tried += letter;
    if (outcome == Hangman::Outcome::Won || outcome == Hangman::Outcome::Lost) {
        m_program.recordAnswer(LogList::Galgen, m_game.pictureFile(),
                               outcome == Hangman::Outcome::Won, m_tried);
        m_tried.clear();
    }
    switch (outcome) {
    case Hangman::Outcome::Hit:
        Bezeichnung1->setText(m_game.mask());
        break;
    case Hangman::Outcome::Won: {
        Bezeichnung1->setText(m_game.mask());
        for (auto p : {Gallows::Bild2, Gallows::Figur5, Gallows::Linie2, Gallows::Linie3,
                       Gallows::Linie4, Gallows::Linie5})
            figure->setShown(p, false);
        for (auto p : {Gallows::Bild1, Gallows::Figur7, Gallows::Linie7, Gallows::Linie8,
                       Gallows::Linie9, Gallows::Linie10})
            figure->setShown(p, true);
        showPicture();
        const int n = int(Liste1->selectedItems().size());
        m_program.appendLog(LogList::Galgen, m_game.secret());
        m_program.dialogs().message(m_program.greeting() + QStringLiteral("Du hast") +
                                        nouns::signedNumber(n) +
                                        QStringLiteral(" Versuche benötigt!\r"
                                                       "Weiter zur nächsten Runde ...\r\r"),
                                    QStringLiteral("Galgenspiel"));
        reset();
        break;
    }
    case Hangman::Outcome::Miss:
    case Hangman::Outcome::Lost:
        figure->setShown(Gallows::Part(m_game.misses() - 1), true);
        if (outcome == Hangman::Outcome::Lost) {
            Bezeichnung2->setText(m_game.secret());
            Bezeichnung2->show();
            showPicture();
            m_program.dialogs().message(QStringLiteral("Du hast leider verloren!\r\r"),
                                        QStringLiteral("Galgenspiel"));
            reset();
        }
        break;
    }
}

void galgen::playLetter(const QString &letter) {
    const QString upper = nouns::upper(letter);
    for (int i = 0; i < Liste1->count(); ++i) {
        QListWidgetItem *key = Liste1->item(i);
        if (key->text().size() >= 2 && QString(key->text().at(1)) == upper) {
            key->setSelected(!key->isSelected());
            playKey(key);
            return;
        }
    }
}

void galgen::reset() {
    figure->hideAll();
    startGame();
    Bezeichnung2->hide();
    Image1->hide();
    Image1->clearPicture();
}
