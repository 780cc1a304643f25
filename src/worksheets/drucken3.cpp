#include "worksheets/drucken3.h"

#include "core/nouns.h"
#include "drawing/surface.h"

#include <initializer_list>

namespace {

WorksheetFrame::Setup makeSetup() {
    WorksheetFrame::Setup s;
    s.caption = QStringLiteral("Kalimbo (Schreibübungen)");
    s.clientHeight = 7530;
    s.pageSize = 9;
    s.previewPoints = 8.25;
    s.previewBold = false;
    s.stripStep = 700;
    s.stripOffset = 350;
    s.printPoints = 16;
    s.confirmTitle = QStringLiteral("Kalimbo (Schreibübungen drucken)");
    s.closingText = QStringLiteral("Das Arbeitsblatt wird gedruckt ...");
    s.closingTitle = QStringLiteral("Kalimbo(Schreibübungen)");
    s.helpTitle = QStringLiteral("Hilfe zu Schreibübungen");
    s.helpLines =
        QStringList{QStringLiteral("Hier können Sie Schreibübungen erstellen und ausdrucken.")} +
        exchangeHelpLines();
    s.pdfStem = QStringLiteral("Schreibuebungen");
    return s;
}

/// A set of four writing lines from x1 to x2, closed at both ends: the left
/// end first, then the lines from top to bottom, then the right end.
void lineSet(Surface &s, int x1, int x2, std::initializer_list<int> ys) {
    const int top = *ys.begin();
    const int bottom = *(ys.end() - 1);
    s.line(x1, top, x1, bottom);
    for (int y : ys)
        s.line(x1, y, x2, y);
    s.line(x2, top, x2, bottom);
}

} // namespace

drucken3::drucken3(Program &program) : WorksheetFrame(program, makeSetup()) {}

void drucken3::previewRoutine(Surface &s, const WorksheetPage &page) const {
    for (int i = 0; i < cardCount(page); ++i) {
        const int y = 100 + 700 * i;
        const int k7 = 700 * (i + 1);
        const QString &entry = page.cards[i];
        s.text(200, y + 50, QStringLiteral("der die das"));
        printNoun(s, 200, y + 450, nouns::nounOf(entry), false, y + 700);
        s.picture(picture(entry), QRect(1400, y, 700, 700));
        lineSet(s, 2300, 5200, {k7 - 560, k7 - 480, k7 - 380, k7 - 300});
        lineSet(s, 2300, 5200, {k7 - 220, k7 - 140, k7 - 40, k7 + 40});
    }
    for (int k = 1; k <= 9; ++k)
        s.box(100, 700 * k - 600, 2200, 700 * k + 100, Qt::black);
}

void drucken3::pageRoutine(Surface &s, const WorksheetPage &page) const {
    for (int i = 1; i <= cardCount(page); ++i) {
        const int y = 1500 * i;
        const QString &entry = page.cards[i - 1];
        s.text(1200, y - 400, QStringLiteral("der  die  das"));
        printNoun(s, 1200, y + 400, nouns::nounOf(entry), true, y + 1000);
        s.picture(picture(entry), QRect(3800, y - 400, 1300, 1300));
        lineSet(s, 5800, 11000, {y - 400, y - 250, y, y + 150});
        lineSet(s, 5800, 11000, {y + 350, y + 500, y + 750, y + 900});
    }
    for (int i = 1; i <= 9; ++i)
        s.box(1000, 1500 * i - 500, 5400, 1500 * i + 1000, Qt::black);
}
