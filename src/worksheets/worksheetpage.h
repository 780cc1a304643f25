#pragma once
// One worksheet page as plain data. The preview, the clipboard copy and the
// printed page are drawn from it alone; the window's lists only show it.

#include <QString>
#include <QStringList>

struct WorksheetPage {
    /// Index in the picture list of the page's first card.
    int start = 0;
    /// The entries of the cards, in order; an exchange replaces one in place.
    QStringList cards;
    /// One sound per card (sound-exercise cards only), parallel to the cards.
    QStringList sounds;
    /// The font name the page is drawn and printed in.
    QString family;
};
