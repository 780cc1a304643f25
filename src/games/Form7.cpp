#include "games/Form7.h"

#include "drawing/picture.h"
#include "games/gamewidgets.h"
#include "program/program.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

namespace {

/// The keyboard's cursor on the carpet: a ring, dark outside and light
/// inside, that shows on every cell colour.
class CellCursor : public QWidget {
public:
    explicit CellCursor(QWidget *parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        ring(p, rect(), 3, Qt::black);
        ring(p, rect().adjusted(3, 3, -3, -3), 2, Qt::white);
    }

private:
    static void ring(QPainter &p, const QRect &r, int width, const QColor &c) {
        p.fillRect(QRect(r.left(), r.top(), r.width(), width), c);
        p.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), c);
        p.fillRect(QRect(r.left(), r.top(), width, r.height()), c);
        p.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), c);
    }
};

} // namespace

Form7::Form7(Program &program)
    : Screen(program, 10680, 7500, QStringLiteral("Kalimbo (Buchstabenteppich)"),
             QColor(192, 192, 255)),
      m_program(program) {
    const QFont big = controls::verdana(18, true);
    Label1 = controls::label(this, QString(), 120, 120, 10455, 495, big);
    KALIMBO_NAME(Label1);
    controls::colourise(Label1, QColor(192, 192, 255), QColor(0, 192, 0));
    bild2 = new Canvas(this);
    KALIMBO_NAME(bild2);
    bild2->setAccessibleName(QStringLiteral("Gefundene Buchstaben"));
    twips::place(bild2, 120, 600, 10455, 495);
    bild2->setBackground(QColor(192, 192, 255));
    bild2->surface().setFont(QStringLiteral("Verdana"), 18, true);

    auto *top = new Ellipse(this, Qt::black);
    top->setCircle(true);
    twips::place(top, 360, 1320, 9975, 375);
    auto *bottom = new Ellipse(this, Qt::black);
    bottom->setCircle(true);
    twips::place(bottom, 360, 6360, 9975, 375);
    twips::place(new Ellipse(this, Qt::black), 120, 1560, 375, 4935);
    twips::place(new Ellipse(this, Qt::black), 10200, 1560, 375, 4935);

    bild1 = new Canvas(this);
    KALIMBO_NAME(bild1);
    bild1->setAccessibleName(QStringLiteral("Buchstabenteppich"));
    twips::place(bild1, 360, 1560, 9975, 4935);
    bild1->setBackground(Qt::white);
    bild1->surface().setFont(QStringLiteral("Verdana"), 18, true);
    // Played by keyboard too: the carpet takes the focus.
    bild1->setFocusPolicy(Qt::StrongFocus);
    bild1->installEventFilter(this);
    m_cursorFrame = new CellCursor(bild1);
    KALIMBO_NAME(m_cursorFrame);
    m_cursorFrame->hide();

    controls::shape(this, QColor(128, 128, 255), 120, 6840, 10455, 615);
    Command2 = controls::button(this, QStringLiteral("Hilfe"), 360, 6960, 975, 375);
    KALIMBO_NAME(Command2);
    Command1 = controls::button(this, QStringLiteral("Abbruch . . ."), 4320, 6960, 2055, 375);
    KALIMBO_NAME(Command1);
    Command3 = controls::button(this, QStringLiteral("N e u"), 9360, 6960, 975, 375);
    KALIMBO_NAME(Command3);

    Picture1 = new PressLabel(this);
    KALIMBO_NAME(Picture1);
    Picture1->setAccessibleName(QStringLiteral("Lösung"));
    controls::colourise(Picture1, Qt::white);
    twips::place(Picture1, kPanelHidden, 1080, 10455, 6375);
    // Hidden while it waits outside the window, so neither Tab nor a screen
    // reader finds it there.
    Picture1->hide();
    Picture1->setFocusPolicy(Qt::TabFocus); // Space or Return on it goes on
    Image2 = new ImageView(Picture1);
    KALIMBO_NAME(Image2);
    Image2->setAccessibleName(QStringLiteral("Bild"));
    twips::place(Image2, 120, 120, 6120, 4575);
    Label4 = new PressLabel(Picture1);
    KALIMBO_NAME(Label4);
    Label4->setFont(controls::verdana(24, true));
    controls::colourise(Label4, QColor(192, 192, 255), QColor(0, 192, 0));
    twips::move(Label4, kSolutionLeft, kSolutionTop);

    // A noun whose picture is gone is laid out no more (its solution would
    // show an empty picture); a new list comes in when the pool is refilled.
    connect(&m_program.state(), &MenuState::nounsChanged, this,
            [this] { m_carpet.keepOnly(m_program.pictureFiles()); });
    connect(bild1, &Canvas::mousePressed, this, [this](QPoint tw) { carpetPressed(tw); });
    connect(Command3, &QPushButton::clicked, this, &Form7::newCarpet);
    connect(Picture1, &PressLabel::pressed, this, &Form7::solutionClicked);
    connect(Label4, &PressLabel::pressed, this, &Form7::solutionClicked);
    connect(Image2, &ImageView::pressed, this, [this] { solutionClicked(); });
    connect(Command2, &QPushButton::clicked, this, [this] {
        m_program.dialogs().message(QStringLiteral("Klicke die Buchstaben des angezeigten\r"
                                                   "Wortes in der richtigen Reihenfolge an.\r\r"),
                                    QStringLiteral("Buchstabenteppich"));
    });
    connect(Command1, &QPushButton::clicked, this, [this] {
        Image2->clearPicture();
        m_carpet.abandon();
        m_program.leave(this);
    });
}

bool Form7::solutionShown() const {
    return twips::left(Picture1) < kPanelHidden;
}

void Form7::activated() {
    centre();
    m_carpet.fill(m_program.nounList());
    newCarpet();
    m_cursorFrame->hide();
    bild1->setFocus(Qt::OtherFocusReason);
}

int Form7::cursorCell() const {
    return m_cursorFrame->isVisible() ? m_cursor : -1;
}

bool Form7::eventFilter(QObject *o, QEvent *e) {
    if (o == bild1 && e->type() == QEvent::KeyPress)
        return carpetKey(static_cast<QKeyEvent *>(e)->key());
    if (o == bild1 && e->type() == QEvent::MouseButtonPress)
        m_cursorFrame->hide(); // the mouse plays again
    return Screen::eventFilter(o, e);
}

bool Form7::carpetKey(int key) {
    // Cells go down the columns: k = 5 * column + row.
    int column = m_cursor / 5, row = m_cursor % 5;
    switch (key) {
    case Qt::Key_Left:
        --column;
        break;
    case Qt::Key_Right:
        ++column;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        if (!m_cursorFrame->isVisible()) {
            showCursor(m_cursor);
            return true;
        }
        const QPoint o = Carpet::cellOrigin(m_cursor);
        // The same as a click in the middle of the cell.
        carpetPressed(o + QPoint(Carpet::kCellWidth / 2, Carpet::kCellHeight / 2));
        return true;
    }
    default:
        return false;
    }
    // The first arrow only shows where the cursor is.
    if (!m_cursorFrame->isVisible()) {
        showCursor(m_cursor);
        return true;
    }
    showCursor(5 * qBound(0, column, 4) + qBound(0, row, 4));
    return true;
}

void Form7::showCursor(int k) {
    m_cursor = k;
    const QPoint o = Carpet::cellOrigin(k);
    // A little inside the cell's outline, so neighbouring cells stay whole.
    const QRect cell(twips::px(o.x()), twips::px(o.y()), twips::px(Carpet::kCellWidth),
                     twips::px(Carpet::kCellHeight));
    m_cursorFrame->setGeometry(cell.adjusted(1, 1, -1, -1) & bild1->rect());
    m_cursorFrame->show();
    m_cursorFrame->raise();
}

void Form7::newCarpet() {
    Image2->clearPicture();
    const QString file =
        m_carpet.build(m_program.nounList(), m_program.random(), m_program.clock());
    m_missed.clear();
    const Picture pic = Picture::load(file);
    const QSize size = pic.naturalTwips();
    m_program.setPictureSize(size);
    if (size.width() >= size.height())
        twips::place(Image2, 120, 120, 6120, 4575);
    else
        twips::place(Image2, 120, 120, 4575, 6120);
    Image2->setPicture(pic);

    QString spaced;
    const QStringList letters = m_carpet.wordLetters();
    for (const QString &l : letters)
        spaced += l + QLatin1Char(' ');
    Label1->setText(spaced);
    bild2->clear();
    drawCarpet();
}

void Form7::drawCell(int k, const QColor &fill) {
    Surface &s = bild1->surface();
    const QPoint o = Carpet::cellOrigin(k);
    s.fillBox(o.x(), o.y(), o.x() + Carpet::kCellWidth, o.y() + Carpet::kCellHeight, fill,
              Qt::black);
    s.setTextColour(Qt::black);
    s.text(o.x() + 800, o.y() + 300, m_carpet.carpetLetters().value(k));
}

void Form7::drawCarpet() {
    bild1->beginBatch();
    bild1->clear();
    for (int k = 0; k < Carpet::kCells; ++k)
        drawCell(k, k % 2 == 0 ? QColor(0, 255, 255) : QColor(255, 255, 0));
    Surface &s = bild1->surface();
    for (int k = 0; k < Carpet::kCells; ++k) {
        const QPoint o = Carpet::cellOrigin(k);
        s.box(o.x(), o.y(), o.x() + Carpet::kCellWidth, o.y() + Carpet::kCellHeight, Qt::black);
    }
    bild1->endBatch();
}

void Form7::carpetPressed(QPoint tw) {
    if (solutionShown())
        return;
    const int k = Carpet::cellAt(tw);
    const QString letter = m_carpet.carpetLetters().value(k);
    const Carpet::Result r = m_carpet.click(k);
    // A click is a move; the carpet solved is the answer, with the wrong
    // letters clicked on the way.
    if (r == Carpet::Result::Wrong) {
        if (!letter.isEmpty())
            m_missed += letter;
        return;
    }
    if (r == Carpet::Result::Solved) {
        m_program.recordAnswer(LogList::Teppich, m_carpet.pictureFile(), true, m_missed);
        m_missed.clear();
    }
    drawCell(k, QColor(255, 0, 0));
    Surface &s = bild2->surface();
    bild2->beginBatch();
    bild2->clear();
    s.setTextColour(QColor(255, 0, 0));
    const QStringList found = m_carpet.foundLetters();
    for (const QString &l : found)
        s.print(l + QLatin1Char(' '));
    bild2->endBatch();
    if (r == Carpet::Result::Solved) {
        m_program.appendLog(LogList::Teppich, m_carpet.noun());
        Label4->setText(m_carpet.noun());
        placeSolutionText();
        twips::move(Picture1, kPanelShown, 1080);
        Picture1->show();
        Picture1->raise();
        // A child on the keyboard goes on from the panel.
        if (bild1->hasFocus())
            Picture1->setFocus(Qt::OtherFocusReason);
    }
}

// From its place the noun has room for only about six letters. A longer one
// grows to the left (beside a portrait picture only as far as the picture)
// and takes a smaller size of its font only when even that is too little.
void Form7::placeSolutionText() {
    const int panel = twips::width(Picture1);
    const int right = panel - 120;
    const bool besidePicture = twips::top(Image2) + twips::height(Image2) > kSolutionTop;
    const int leftmost = besidePicture ? twips::left(Image2) + twips::width(Image2) + 120 : 120;
    double points = 24;
    Label4->setFont(controls::verdana(points, true));
    Label4->adjustSize();
    while (twips::width(Label4) > right - leftmost && points > 6) {
        points -= 0.75;
        Label4->setFont(controls::verdana(points, true));
        Label4->adjustSize();
    }
    int left = kSolutionLeft;
    if (left + twips::width(Label4) > panel)
        left = qMax(leftmost, right - twips::width(Label4));
    twips::move(Label4, left, kSolutionTop);
}

void Form7::solutionClicked() {
    if (!solutionShown())
        return;
    const bool byKeyboard = Picture1->hasFocus();
    twips::move(Picture1, kPanelHidden, 1080);
    Picture1->hide();
    newCarpet();
    if (byKeyboard)
        bild1->setFocus(Qt::OtherFocusReason);
}
