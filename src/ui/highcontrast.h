#pragma once
// "Kontrast": every text at least 4.5:1 against what it is drawn on, and a
// frame of its own around the control that has the focus. While it is off
// nothing here changes what a window shows; turned on, every window follows
// at once (texts already drawn on a canvas at its next drawing).

#include <QColor>
#include <QPalette>

class QWidget;

namespace highcontrast {

/// Width of the focus frame in pixels.
constexpr int kFocusFrame = 3;

void setOn(bool on);
bool isOn();

/// The colour a widget's text of `role` is drawn on: its own background for
/// buttons, fields and lists, otherwise the filled widget behind it.
QColor backgroundOf(const QWidget *w, QPalette::ColorRole role = QPalette::WindowText);
/// The colour the text of `role` is drawn in (while on: made readable
/// against `backgroundOf`; a text in its background's very colour stays
/// unseen, as it is meant to).
QColor textColourOf(const QWidget *w, QPalette::ColorRole role = QPalette::WindowText);
/// `text` made readable against `background` while on; `text` otherwise.
QColor readable(const QColor &text, const QColor &background);

/// The focus frame's widget while one is shown (for looking at it).
QWidget *focusFrame();

} // namespace highcontrast
