#include "worksheets/drucken1.h"

#include "core/nouns.h"
#include "drawing/surface.h"

namespace {

WorksheetFrame::Setup makeSetup() {
    WorksheetFrame::Setup s;
    s.caption = QStringLiteral("Kalimbo (Lernkärtchen)");
    s.clientHeight = 7530;
    s.pageSize = 9;
    s.previewPoints = 15.75;
    s.previewBold = true;
    s.stripStep = 700;
    s.stripOffset = 350;
    s.printPoints = 32;
    s.confirmTitle = QStringLiteral("Kalimbo (Lernkärtchen drucken)");
    s.closingText = QStringLiteral("Die Lernkärtchen werden gedruckt ...");
    s.closingTitle = QStringLiteral("Kalimbo (Lernkärtchen)");
    s.helpTitle = QStringLiteral("Hilfe zu Lernkärtchen");
    s.helpLines =
        QStringList{QStringLiteral("Hier können Sie Lesekärtchen erstellen und ausdrucken."),
                    QStringLiteral("Die Lesekärtchen werden ausgedruckt, in der Mitte nach"),
                    QStringLiteral("hinten gefaltet und zusammengeklebt. So bekommen Sie"),
                    QStringLiteral("doppelseitige Lernkärtchen für Lese- und Schreibspiele.")} +
        exchangeHelpLines();
    s.pdfStem = QStringLiteral("Lernkaertchen");
    return s;
}

QString article(const QString &entry) {
    return nouns::lower(entry.left(3));
}

/// "d e r": each of the first two letters followed by a blank.
QString spaced(const QString &article) {
    QString out;
    for (int i = 0; i < article.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(' ');
        out += article.at(i);
    }
    return out;
}

} // namespace

drucken1::drucken1(Program &program) : WorksheetFrame(program, makeSetup()) {}

void drucken1::previewRoutine(Surface &s, const WorksheetPage &page) const {
    for (int i = 0; i < cardCount(page); ++i) {
        const int y = 100 + 700 * i;
        const QString &entry = page.cards[i];
        printNoun(s, 300, y + 100, nouns::nounOf(entry), false, y + 700);
        s.text(3200, y + 100, article(entry));
        s.picture(picture(entry), QRect(4200, y, 700, 700));
    }
    for (int k = 1; k <= 9; ++k)
        s.box(100, 700 * k - 600, 5200, 700 * k + 100, Qt::black);
}

void drucken1::pageRoutine(Surface &s, const WorksheetPage &page) const {
    for (int i = 1; i <= cardCount(page); ++i) {
        const int y = 1500 * i;
        const QString &entry = page.cards[i - 1];
        printNoun(s, 1500, y - 200, nouns::nounOf(entry), true, y + 1000);
        s.text(6500, y - 200, spaced(article(entry)));
        s.picture(picture(entry), QRect(8500, y - 400, 1300, 1300));
    }
    for (int i = 1; i <= 9; ++i)
        s.box(1000, 1500 * i - 500, 11000, 1500 * i + 1000, Qt::black);
}
