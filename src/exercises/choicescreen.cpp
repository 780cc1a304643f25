#include "exercises/choicescreen.h"

#include "core/collation.h"
#include "core/nouns.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

ChoiceScreen::ChoiceScreen(Program &program, const Layout &l, const QString &caption)
    : ExerciseFrame(program, l.clientWidth, 7560, caption, 10) {
    const QColor grey(224, 224, 224);
    const QColor green(0, 192, 0);
    const QFont font = controls::verdana(15.75, true);
    controls::shape(this, grey, l.shape2.left(), l.shape2.top(), l.shape2.width(),
                    l.shape2.height());
    Label2 = controls::label(this, l.instruction, l.label2.left(), l.label2.top(), l.label2.width(),
                             l.label2.height(), font);
    KALIMBO_NAME(Label2);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    controls::colourise(Label2, grey, green);
    Label3 = controls::label(this, QStringLiteral("3 Wörter"), l.label3.left(), l.label3.top(),
                             l.label3.width(), l.label3.height(), font);
    KALIMBO_NAME(Label3);
    controls::colourise(Label3, grey, green);
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setAccessibleName(QStringLiteral("Anzahl der Wörter"));
    KALIMBO_NAME(HScroll1);
    HScroll1->setRange(3, 10);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    HScroll1->setValue(3);
    HScroll1->setTracking(true); // the offer follows the thumb while it is dragged
    twips::place(HScroll1, l.scroll.left(), l.scroll.top(), l.scroll.width(), l.scroll.height());

    makeStrip(120, 5520, 10575, 1215);
    makeArrowBar(6840, Command5, Command6, arrowFont());
    KALIMBO_NAME(Command5);
    KALIMBO_NAME(Command6);

    connect(Command5, &QPushButton::clicked, this, [this] { step(-1); });
    connect(Command6, &QPushButton::clicked, this, [this] { step(1); });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int v) {
        Label3->setText(nouns::signedNumber(v) + QStringLiteral(" Wörter"));
        scrolled();
    });
    connect(Picture1, &Canvas::clicked, this, [this] { choose(); });
}

void ChoiceScreen::keyPressEvent(QKeyEvent *e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !e->isAutoRepeat()) {
        choose();
        return;
    }
    ExerciseFrame::keyPressEvent(e);
}

int ChoiceScreen::distractors() const {
    return qBound(0, HScroll1->value() - 1, int(List1.remaining().size()));
}

void ChoiceScreen::buildOffer(const QString &target, QString (*form)(const QString &)) {
    List2 = QStringList{target};
    const int k = distractors();
    for (int i = 0; i < k; ++i)
        List2 << form(List1.remaining().at(i));
    collation::sort(List2);
    List2Index = 0;
    showOffered();
}

void ChoiceScreen::step(int delta) {
    if (List2.isEmpty())
        return;
    int i = List2Index + delta;
    if (i < 0)
        i = int(List2.size()) - 1;
    else if (i >= List2.size())
        i = 0;
    List2Index = i;
    showOffered();
}
