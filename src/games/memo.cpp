#include "games/memo.h"

#include "core/nouns.h"
#include "drawing/wordstrip.h"
#include "games/gamewidgets.h"
#include "program/program.h"
#include "ui/a11y.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QPushButton>

// Space kept free between a word and the right edge of its card.
static constexpr int kCardMargin = 60;
// Below a card's top: its word's top and the found pair's frame line, which
// syllable arcs keep clear of.
static constexpr int kWordTop = 60;
static constexpr int kFrameBottom = 600;

memo::memo(Program &program)
    : Screen(program, 10815, 7575, QStringLiteral("Kalimbo (Memory)"), QColor(192, 192, 255)),
      m_program(program) {
    board = new Canvas(this);
    KALIMBO_NAME(board);
    board->setAccessibleName(QStringLiteral("Spielfeld"));
    board->setBackground(QColor(192, 192, 255));
    board->surface().setFont(QStringLiteral("Verdana"), kPoints, true);
    twips::place(board, 0, 0, 10815, 7575);
    // A noun whose picture is gone is dealt no more; a new list comes in
    // when the pool is refilled, as ever.
    connect(&m_program.state(), &MenuState::nounsChanged, this,
            [this] { m_game.keepOnly(m_program.pictureFiles()); });
    // Cards written before the syllable patterns loaded show their syllables now.
    connect(&m_program.events(), &ProgramEvents::syllablesReady, this, [this] {
        if (!m_game.cards().isEmpty())
            writeCards();
    });

    for (int k = 1; k <= 18; ++k) {
        auto *cover = new PressLabel(this);
        controls::colourise(cover, QColor(224, 224, 224));
        cover->setFrameStyle(QFrame::Box | QFrame::Plain);
        cover->setLineWidth(1);
        const QPoint o = cardOrigin(k);
        twips::place(cover, o.x(), o.y(), 5175, 615);
        connect(cover, &PressLabel::pressed, this, [this, k] { coverClicked(k); });
        cover->setObjectName(QStringLiteral("Bezeichnung%1").arg(k));
        cover->setAccessibleName(QStringLiteral("Karte %1").arg(k));
        // Space or Return turns a card over, in Tab order after the buttons.
        cover->setFocusPolicy(Qt::TabFocus);
        Bezeichnung[k] = cover;
    }
    controls::shape(this, QColor(128, 128, 255), 120, 6840, 10575, 615);
    board->lower();
    Command2 = controls::button(this, QStringLiteral("Hilfe"), 240, 6960, 1095, 375);
    KALIMBO_NAME(Command2);
    Command1 = controls::button(this, QStringLiteral("Abbruch . . ."), 4320, 6960, 2175, 375);
    KALIMBO_NAME(Command1);
    Command3 = controls::button(this, QStringLiteral("Start"), 9480, 6960, 1095, 375);
    KALIMBO_NAME(Command3);

    QList<QWidget *> tabs{Command2, Command1, Command3};
    for (int k = 1; k <= 18; ++k)
        tabs << Bezeichnung[k];
    a11y::setTabOrder(tabs);
    connect(Command3, &QPushButton::clicked, this, &memo::start);
    connect(Command2, &QPushButton::clicked, this, [this] {
        m_program.dialogs().message(QStringLiteral("Immer zwei Felder bilden ein Wortpaar, klicke\r"
                                                   "die Einzelfelder an und suche so Wortpaare!"),
                                    QStringLiteral("Nomen-Memory"));
    });
    connect(Command1, &QPushButton::clicked, this, [this] {
        m_game.abandon();
        m_program.leave(this);
    });
}

QPoint memo::cardOrigin(int k) {
    return k <= 9 ? QPoint(120, 240 + 720 * (k - 1)) : QPoint(5520, 240 + 720 * (k - 10));
}

bool memo::coverShown(int k) const {
    return k >= 1 && k <= 18 && !Bezeichnung[k]->isHidden();
}

void memo::activated() {
    Command3->show();
    newGame();
}

void memo::newGame() {
    for (int k = 1; k <= 18; ++k)
        Bezeichnung[k]->hide();
    m_game.deal(m_program.nounList(), m_program.random(), m_program.clock());
    m_turns = 0;
    writeCards();
    m_program.dialogs().message(QStringLiteral("Merke dir die Lage der Wörter gut.\r"
                                               "Klicke danach auf den Startknopf!\r\r"),
                                QStringLiteral("Nomen-Memory"));
    Command3->show();
}

void memo::writeCards() {
    Surface &s = board->surface();
    board->beginBatch();
    board->clear();
    const QStringList cards = m_game.cards();
    for (int i = 0; i < cards.size(); ++i) {
        const QPoint card = cardOrigin(i + 1);
        const int left = i < 9 ? 300 : 5700;
        // Each cover must hide its whole word, so a long one gets smaller;
        // with its syllables' arcs it must also fit above the frame.
        const int room = card.x() + 5175 - kCardMargin - left;
        const std::optional<wordstrip::Syllables> syllables = m_program.syllablesOf(cards[i]);
        double points = wordPoints(s, cards[i], room);
        if (syllables)
            points = qMin(points, arcPoints(s, kFrameBottom - kWordTop));
        s.setFont(QStringLiteral("Verdana"), points, true);
        s.setPrintPosition(left, card.y() + kWordTop);
        wordstrip::print(s, cards[i], m_program.vowelColour(), m_program.consonantColour(),
                         wordstrip::Style::Trailing, syllables ? &*syllables : nullptr,
                         card.y() + kFrameBottom);
    }
    s.setFont(QStringLiteral("Verdana"), kPoints, true);
    // A drawing again after pairs were found keeps their frames.
    for (int k = 1; k <= cards.size(); ++k)
        if (m_game.found(k))
            frameCard(k);
    board->endBatch();
}

void memo::frameCard(int k) {
    const QPoint o = cardOrigin(k);
    board->surface().box(o.x(), o.y(), o.x() + 5175, o.y() + kFrameBottom, QColor(128, 128, 128));
}

double memo::arcPoints(Surface &s, int height) {
    const QString family = s.fontFamily();
    double points = kPoints;
    for (;; points -= 0.25) {
        s.setFont(family, points, true);
        if (points <= 1 || wordstrip::depth(s) <= height)
            break;
    }
    s.setFont(family, kPoints, true);
    return points;
}

double memo::wordPoints(Surface &s, const QString &word, int room) {
    const QString family = s.fontFamily();
    auto width = [&](double points) {
        s.setFont(family, points, true);
        int w = 0;
        for (const QChar c : word)
            w += s.textWidth(QString(c) + QLatin1Char(' '));
        return w;
    };
    double points = kPoints;
    const int full = width(points);
    if (full > room) {
        points = qMax(1.0, kPoints * room / full);
        while (points > 1 && width(points) > room)
            points -= 0.25;
    }
    s.setFont(family, kPoints, true);
    return points;
}

void memo::start() {
    for (int k = 1; k <= 18; ++k)
        Bezeichnung[k]->show();
    Command3->hide();
}

QString memo::entryOf(const QString &noun) const {
    for (const QString &e : m_program.nounList())
        if (nouns::nounOf(e) == noun)
            return e;
    return noun;
}

void memo::coverClicked(int k) {
    if (!coverShown(k))
        return;
    const int secondBefore = m_game.secondOpen();
    const MemoryGame::Click r = m_game.click(k);
    // A turn is a move; a pair found is the answer, with the turns it took
    // since the pair before.
    if (r.matched || (m_game.secondOpen() == k && secondBefore != k))
        ++m_turns;
    if (r.matched) {
        const QString a = m_game.cards().value(r.pairA - 1);
        m_program.recordAnswer(LogList::Memory, entryOf(a), true, QString::number(m_turns));
        m_turns = 0;
    }
    if (r.closeA > 0) {
        Bezeichnung[r.closeA]->show();
        Bezeichnung[r.closeB]->show();
    }
    Bezeichnung[k]->hide();
    if (r.matched) {
        for (int card : {r.pairA, r.pairB})
            frameCard(card);
    }
    if (r.won) {
        const QStringList words = m_game.gameWords();
        for (const QString &w : words)
            m_program.appendLog(LogList::Memory, w);
        m_program.dialogs().message(m_program.greeting() +
                                        QStringLiteral("Prima, du hast es geschafft!\r"),
                                    QStringLiteral("Memory"));
        newGame();
    }
}
