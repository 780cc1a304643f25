#include "core/contrast.h"

#include <algorithm>
#include <cmath>

namespace contrast {

static double channel(double v) {
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c) {
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

double ratio(const QColor &a, const QColor &b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

static QColor mix(const QColor &from, const QColor &to, double t) {
    auto m = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    const QColor f = from.toRgb(), g = to.toRgb();
    return QColor(m(f.red(), g.red()), m(f.green(), g.green()), m(f.blue(), g.blue()));
}

QColor readable(const QColor &text, const QColor &background, double minimum) {
    if (!text.isValid() || !background.isValid() || ratio(text, background) >= minimum)
        return text;
    const QColor end = ratio(Qt::black, background) >= ratio(Qt::white, background)
                           ? QColor(Qt::black)
                           : QColor(Qt::white);
    // On the way to that end the text may first pass the background's
    // luminance, but once the mix reaches the minimum it stays above it:
    // the least such mix is found by halving.
    double lo = 0, hi = 1;
    for (int i = 0; i < 20; ++i) {
        const double mid = (lo + hi) / 2;
        if (ratio(mix(text, end, mid), background) >= minimum)
            hi = mid;
        else
            lo = mid;
    }
    QColor best = mix(text, end, hi);
    // Rounding to whole channels may land just short.
    for (double t = hi; ratio(best, background) < minimum && t < 1;) {
        t = std::min(1.0, t + 0.01);
        best = mix(text, end, t);
    }
    return best;
}

} // namespace contrast
