#include "worksheets/drucken2.h"

#include "core/nouns.h"
#include "drawing/surface.h"
#include "ui/controls.h"
#include "ui/imageview.h"
#include "ui/twips.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

WorksheetFrame::Setup makeSetup() {
    WorksheetFrame::Setup s;
    s.caption = QStringLiteral("Kalimbo (Lautübungen)");
    s.clientHeight = 7560;
    s.pageSize = 16;
    s.previewPoints = 12;
    s.previewBold = true;
    s.stripStep = 400;
    s.stripOffset = 200;
    s.printPoints = 18;
    s.listeHeight = 3900;
    s.confirmTitle = QStringLiteral("Kalimbo (Lernkärtchen drucken)");
    s.closingText = QStringLiteral("Die Lautübungen werden gedruckt ...");
    s.closingTitle = QStringLiteral("Kalimbo (Lautkärtchen)");
    s.helpTitle = QStringLiteral("Hilfe zu Lautübungen");
    s.helpLines = {
        QStringLiteral("Hier können Sie eigene Lautübungen erstellen und ausdrucken."),
        QStringLiteral("Die Laute können mit den drei Knöpfen unten gesetzt werden."),
        QStringLiteral("Beim Inlaut wird ein zufälliger Buchstabe zwischen dem zweiten"),
        QStringLiteral("und vorletzten Buchstaben des Wortes gewählt. Um andere"),
        QStringLiteral("auszuwählen, klicken Sie auf das darüber angelegte Eingabefeld"),
        QStringLiteral("und markieren den gewünschten Buchstaben oder eine Gruppe."),
        QStringLiteral("Achtung! Die Einstellungen werden nicht gespeichert, wenn Sie"),
        QStringLiteral("eine neue Seite wählen, gehen die Änderungen sofort verloren."),
        QStringLiteral("Der Austausch von Bildern funktioniert wie bei den Lernkärtchen.")};
    s.pdfStem = QStringLiteral("Lautuebungen");
    return s;
}

QPushButton *soundButton(QWidget *parent, int l, int t, int w, int h) {
    QPushButton *b = controls::button(parent, QString(), l, t, w, h);
    b->setFont(controls::msSansSerif(12, true));
    return b;
}

} // namespace

drucken2::drucken2(Program &program) : WorksheetFrame(program, makeSetup()) {
    Text1 = new QLineEdit(this);
    Text1->setAccessibleName(QStringLiteral("Laut"));
    Text1->setFont(controls::msSansSerif(13.5, true));
    controls::colourise(Text1, QColor(224, 224, 224), QColor(0, 0, 128));
    twips::place(Text1, 2400, 5880, 1935, 420);
    anlaut = soundButton(this, 2400, 6380, 615, 420);
    inlaut = soundButton(this, 3000, 6380, 735, 420);
    auslaut = soundButton(this, 3720, 6380, 615, 420);
    Laute1 = controls::list(this, 11160, 1920, 735, 4380);
    Laute1->setAccessibleName(QStringLiteral("Laute"));
    // The sound list works outside the window's edge: Tab never goes there.
    Laute1->setFocusPolicy(Qt::NoFocus);
    KALIMBO_NAME(Text1);
    KALIMBO_NAME(anlaut);
    KALIMBO_NAME(inlaut);
    KALIMBO_NAME(auslaut);
    KALIMBO_NAME(Laute1);

    for (QPushButton *b : {anlaut, inlaut, auslaut})
        connect(b, &QPushButton::clicked, this, [this, b] { setSound(b->text()); });
    connect(Laute1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < cards().size() && selectedCard() != row)
            selectCard(row);
    });
    connect(Text1, &QLineEdit::textChanged, this, [this] { takeMarkedText(); });
    Text1->installEventFilter(this);
}

QString drucken2::defaultSound(const QString &entry) {
    return nouns::upper(entry.mid(3, 1));
}

int drucken2::middlePosition(int length) {
    int m = length / 2;
    if (length % 2 != 0 && m % 2 != 0)
        ++m; // a half rounds to the even neighbour
    return qMax(1, m);
}

void drucken2::pageFilled(WorksheetPage &page) {
    for (const QString &entry : page.cards)
        page.sounds << defaultSound(entry);
    const QSignalBlocker block(Laute1);
    Laute1->clear();
    Laute1->addItems(page.sounds);
}

void drucken2::cardSelected(int k) {
    {
        const QSignalBlocker block(Laute1);
        Laute1->setCurrentRow(k);
    }
    WorksheetFrame::cardSelected(k);
    const QString w = nouns::stemOf(cards().value(k)); // as the file name writes it
    const int l = w.size();
    anlaut->setText(l > 0 ? w.left(1) : QString());
    inlaut->setText(l > 0 ? w.mid(middlePosition(l) - 1, 1) : QString());
    auslaut->setText(l > 0 ? w.right(1) : QString());
    const QSignalBlocker block(Text1);
    Text1->setText(w);
    Text1->deselect();
}

void drucken2::setSound(const QString &sound) {
    const int k = selectedCard();
    // A sound is never empty; an empty caption (a noun without letters) sets nothing.
    if (sound.isEmpty() || k < 0 || k >= page().sounds.size() || m_drawing)
        return;
    pageData().sounds[k] = sound;
    Laute1->item(k)->setText(sound);
    m_drawing = true;
    vorschau();
    m_drawing = false;
}

void drucken2::takeMarkedText() {
    if (Text1->hasSelectedText())
        setSound(Text1->selectedText());
}

bool drucken2::eventFilter(QObject *watched, QEvent *event) {
    // A click ends when the button comes up, with whatever the drag marked.
    if (watched == Text1 && event->type() == QEvent::MouseButtonRelease)
        takeMarkedText();
    return WorksheetFrame::eventFilter(watched, event);
}

void drucken2::previewRoutine(Surface &s, const WorksheetPage &page) const {
    const QStringList &snd = page.sounds;
    for (int i = 0; i < cardCount(page); ++i) {
        const int x = 200 + 1300 * (i % 4);
        const int y = 100 + 1600 * (i / 4);
        const QString &entry = page.cards[i];
        for (int dy : {100, 200, 340, 440})
            s.line(x, y + dy, x + 1100, y + dy);
        s.line(x, y + 100, x, y + 440);
        s.line(x + 1100, y + 100, x + 1100, y + 440);
        s.picture(picture(entry), QRect(x + 200, y + 500, 700, 700));
        s.text(x, y + 1250, snd.value(i));
    }
    for (int i = 0; i < 16; ++i) {
        const int x = 200 + 1300 * (i % 4);
        const int y = 100 + 1600 * (i / 4);
        s.box(x - 100, y, x + 1200, y + 1600, Qt::black);
        s.box(x + 650, y + 1300, x + 1100, y + 1500, Qt::black);
        s.line(x + 800, y + 1300, x + 800, y + 1500);
        s.line(x + 950, y + 1300, x + 950, y + 1500);
    }
}

void drucken2::pageRoutine(Surface &s, const WorksheetPage &page) const {
    const QStringList &snd = page.sounds;
    for (int i = 0; i < cardCount(page); ++i) {
        const int x = 1000 + 2400 * (i % 4);
        const int y = 500 + 3800 * (i / 4);
        const QString &entry = page.cards[i];
        for (int dy : {200, 380, 620, 800})
            s.line(x + 200, y + dy, x + 2200, y + dy);
        s.line(x + 200, y + 200, x + 200, y + 800);
        s.line(x + 2200, y + 200, x + 2200, y + 800);
        s.picture(picture(entry), QRect(x + 500, y + 1000, 1500, 1700));
        const QString t = snd.value(i);
        s.text(x + 200, y + 2900, nouns::upper(t.left(1)) + nouns::lower(t.mid(1)));
        s.text(x + 200, y + 3250, nouns::lower(t));
    }
    for (int i = 0; i < 16; ++i) {
        const int x = 1000 + 2400 * (i % 4);
        const int y = 500 + 3800 * (i / 4);
        s.box(x, y, x + 2400, y + 3800, Qt::black);
        s.box(x + 1400, y + 3300, x + 2150, y + 3600, Qt::black);
        s.line(x + 1650, y + 3300, x + 1650, y + 3600);
        s.line(x + 1900, y + 3300, x + 1900, y + 3600);
    }
}
