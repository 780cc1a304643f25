#pragma once
// What screen readers and keyboards need from the windows: spoken names for
// buttons whose texts are symbols or spaced letters, the picture controls
// seen as pictures, and a Tab order fixed per window. Nothing here changes
// what a window shows.

#include <QList>
#include <QString>

class QWidget;

namespace a11y {

/// The name a screen reader says for a button text: "<<" is "Zurück", ">>"
/// "Weiter", "X" "Schließen", spaced letters close up ("A l l e" is "Alle")
/// and trailing dots go ("Abbruch . . ." is "Abbruch"). Empty when the text
/// reads well as it is.
QString spokenName(const QString &text);
/// Gives every button of a window whose text reads badly its spoken name,
/// again after the text changed (a name given by the window stays).
void nameButtons(QWidget *window);
/// Tab goes from each widget to the next, and from the last to the first.
void setTabOrder(const QList<QWidget *> &chain);
/// Lets assistive tools see canvases and image controls as pictures.
void install();

} // namespace a11y
