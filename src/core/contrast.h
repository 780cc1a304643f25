#pragma once
// How well a text stands out from what it is drawn on, measured as screen
// readers' guidelines measure it (relative luminance of sRGB colours), and
// the nearest colour of the same hue that stands out enough.

#include <QColor>

namespace contrast {

/// Texts at least this far from their background read well ("Kontrast").
constexpr double kText = 4.5;
/// Below this a teacher's choice of colours is hard to read.
constexpr double kWarn = 3.0;

/// Relative luminance, 0 (black) to 1 (white).
double luminance(const QColor &c);
/// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ratio(const QColor &a, const QColor &b);
/// `text` if it stands at least `minimum` from `background`; otherwise the
/// least mix of it with black or white (whichever the background allows
/// more of) that does, so red stays red and green green.
QColor readable(const QColor &text, const QColor &background, double minimum = kText);

} // namespace contrast
