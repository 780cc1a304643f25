#include "games/Form8.h"

#include "core/nouns.h"
#include "drawing/picture.h"
#include "games/gamewidgets.h"
#include "program/program.h"
#include "ui/a11y.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

Form8::Form8(Program &program)
    : Screen(program, 9375, 6255, QStringLiteral("Kalimbo (ABC)"), QColor(192, 192, 255)),
      m_program(program) {
    const int lefts[6] = {0, 240, 2040, 3840, 5640, 7440};
    for (int k = 1; k <= 5; ++k) {
        auto *f = new FramedImage(this);
        twips::place(f, lefts[k], 120, 1695, 1935);
        f->setDragEnabled(true);
        connect(f, &ImageView::dropped, this, [this, k](ImageView *src) { drop(src, k); });
        connect(f, &ImageView::tapped, this, [this, k] { showNoun(k); });
        f->setObjectName(QStringLiteral("Image%1").arg(k));
        f->setAccessibleName(QStringLiteral("Bild %1").arg(k));
        Image[k] = f;
    }
    Picture1 = new Canvas(this);
    KALIMBO_NAME(Picture1);
    Picture1->setAccessibleName(QStringLiteral("ABC-Reihe"));
    twips::place(Picture1, 240, 2160, 8895, 2775);
    Picture1->setBackground(QColor(224, 224, 224));
    Picture1->surface().setFont(QStringLiteral("MS Sans Serif"), 24, true);
    Picture1->hide();
    QFont italic = controls::verdana(14.25, true);
    italic.setItalic(true);
    Label3 = controls::label(this, QString(), 240, 5040, 8895, 375, italic);
    KALIMBO_NAME(Label3);
    controls::colourise(Label3, QColor(224, 224, 224), QColor(0, 192, 0));
    Label3->hide();

    controls::shape(this, QColor(128, 128, 255), 120, 5520, 9135, 615);
    Command3 = controls::button(this, QStringLiteral("Hilfe"), 240, 5640, 975, 375);
    KALIMBO_NAME(Command3);
    Command1 = controls::button(this, QStringLiteral("Abbruch . . ."), 2640, 5640, 1935, 375);
    KALIMBO_NAME(Command1);
    Command4 = controls::button(this, QStringLiteral("ABC-Reihe"), 4800, 5640, 1935, 375);
    KALIMBO_NAME(Command4);
    Command2 = controls::button(this, QStringLiteral("N e u"), 8160, 5640, 975, 375);
    KALIMBO_NAME(Command2);

    TapNoun = controls::label(this, QString(), 240, 2055, 1695, 330, controls::verdana(12, true));
    KALIMBO_NAME(TapNoun);
    TapNoun->setAlignment(Qt::AlignCenter);
    controls::colourise(TapNoun, QColor(255, 255, 192), Qt::black);
    TapNoun->hide();
    TapTimer = new QTimer(this);
    TapTimer->setSingleShot(true);
    TapTimer->setInterval(2000);
    connect(TapTimer, &QTimer::timeout, TapNoun, &QWidget::hide);
    // The pictures come after the buttons, so the focus opens where it always did.
    a11y::setTabOrder(
        {Command3, Command1, Command4, Command2, Image[1], Image[2], Image[3], Image[4], Image[5]});

    connect(Command2, &QPushButton::clicked, this, &Form8::newGame);
    connect(Command4, &QPushButton::clicked, this, [this] {
        Label3->setText(QStringLiteral(" A B C D E F G H I J K L M N O P Q R S T U V W X Y Z "));
        Label3->show();
    });
    connect(Command3, &QPushButton::clicked, this, [this] {
        m_program.dialogs().message(QStringLiteral("Ordne die Bilder nach dem ABC.\r"
                                                   "Dazu ziehst du die Bilder mit der\r"
                                                   "Maus in die richtige Reihenfolge.\r"
                                                   "Bewege den Mauszeiger ins Bild\r"
                                                   "und du kannst das Nomen lesen.\r\r"),
                                    QStringLiteral("Kalimbo (ABC)"));
    });
    connect(Command1, &QPushButton::clicked, this, [this] {
        clearFrames();
        m_program.leave(this);
    });
}

void Form8::activated() {
    centre();
    newGame();
}

bool Form8::titleBarClose() {
    clearFrames();
    return true;
}

void Form8::clearFrames() {
    for (int k = 1; k <= 5; ++k)
        Image[k]->clearPicture();
}

void Form8::newGame() {
    Label3->hide();
    Picture1->hide();
    TapNoun->hide();
    clearFrames();
    m_game.start(m_program.nounList(), m_program.random(), m_program.clock());
    for (int k = 1; k <= 5; ++k) {
        const QString entry = m_game.entries().value(k - 1);
        Image[k]->setPicture(entry.isEmpty() ? Picture() : Picture::load(entry));
        nameFrame(k);
    }
}

void Form8::drop(ImageView *source, int k) {
    if (!Picture1->isHidden() || k < 1 || k > 5)
        return;
    int s = 0;
    for (int i = 1; i <= 5; ++i)
        if (Image[i] == source)
            s = i;
    if (s == 0)
        return;
    const Picture holder = Image[k]->picture();
    Image[k]->setPicture(Image[s]->picture());
    Image[s]->setPicture(holder);
    if (!m_game.swap(s - 1, k - 1))
        return;
    // Tooltips name the noun each frame now shows.
    for (int i = 1; i <= 5; ++i)
        nameFrame(i);
    if (m_game.solved())
        showSolution();
}

void Form8::nameFrame(int k) {
    const QString noun = m_game.currentOrder().value(k - 1);
    Image[k]->setToolTip(noun);
    Image[k]->setAccessibleName(QStringLiteral("Bild %1: ").arg(k) + noun);
}

void Form8::showNoun(int k) {
    const QString noun = m_game.currentOrder().value(k - 1);
    if (noun.isEmpty())
        return;
    TapNoun->setText(noun);
    const QRect frame = Image[k]->geometry();
    TapNoun->setGeometry(frame.left(), frame.bottom() + 1, frame.width(), TapNoun->height());
    TapNoun->show();
    TapNoun->raise();
    TapTimer->start();
}

void Form8::showSolution() {
    TapNoun->hide();
    Label3->setText(QStringLiteral("Du hast es geschafft, klicke auf den Neu-Knopf . . ."));
    Label3->show();
    Picture1->show();
    Picture1->clear();
    Surface &s = Picture1->surface();
    Picture1->beginBatch();
    const QStringList target = m_game.targetOrder();
    for (const QString &t : target) {
        s.setTextColour(QColor(255, 0, 0));
        s.print(nouns::upper(t.left(1)));
        s.setTextColour(QColor(0, 128, 0));
        s.print(nouns::lower(t.mid(1)), true);
    }
    Picture1->endBatch();
    m_program.appendLog(LogList::Abc, m_game.logLine());
    const QString order = m_game.currentOrder().join(QLatin1Char(' '));
    const QStringList entries = m_game.entries();
    for (const QString &e : entries)
        m_program.recordAnswer(LogList::Abc, e, true, order);
}
