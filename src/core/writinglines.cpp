#include "core/writinglines.h"

#include <QSettings>
#include <QtGlobal>
#include <cmath>

namespace writinglines {

namespace {

const char *const kGroup = "Schreiblinien";

double number(QSettings &s, const QString &key, double fallback) {
    bool ok = false;
    const double v = s.value(key).toDouble(&ok);
    return ok && std::isfinite(v) ? v : fallback;
}

int whole(QSettings &s, const char *key, int fallback, int low, int high) {
    bool ok = false;
    const int v = s.value(QLatin1String(key)).toInt(&ok);
    return ok && v >= low && v <= high ? v : fallback;
}

QString bandKey(int set, const char *band) {
    return QStringLiteral("Lineatur%1/").arg(set) + QLatin1String(band);
}

} // namespace

Bands defaultBands(int set) {
    switch (set) {
    case 0:
        return {6, 6, 6, 6};
    case 2:
        return {4, 4, 4, 4};
    case 3:
        // Two lines; the rows follow one another without a gap.
        return {3, 3.5, 3, 0};
    case 4:
        // One base line every 9.5 mm; the middle band only sizes the font.
        return {3.5, 3, 3, 0};
    default:
        return {5, 5, 5, 5};
    }
}

Lines linesOf(int set) {
    switch (set) {
    case 3:
        return {false, true, false};
    case 4:
        return {false, false, false};
    default:
        return {};
    }
}

Bands bounded(const Bands &b) {
    auto band = [](double v, double low) {
        return std::isfinite(v) ? qBound(low, v, kMaxBand) : low;
    };
    return {band(b.upper, 0), band(b.middle, kMinMiddle), band(b.lower, 0), band(b.gap, 0)};
}

Layout layout(const Settings &s, double pageMm) {
    // Figures like 277 / 20 must not fall a hair short of a whole row.
    constexpr double kSlack = 1e-6;
    auto whole = [](double v) { return int(std::floor(v + kSlack)); };
    const Bands &b = s.current();
    const double pitch = qMax(b.pitch(), kMinMiddle);
    Layout out;
    out.rows = qBound(1, whole((pageMm + b.gap) / pitch), 1 + s.traceRows + s.emptyRows);
    out.block = out.rows * pitch - b.gap;
    const int nouns = qMax(1, whole((pageMm + kBlockSpace) / (out.block + kBlockSpace)));
    double free = qMax(0.0, pageMm - nouns * out.block - (nouns - 1) * kBlockSpace);
    out.tailRows = qMax(0, whole((free - kBlockSpace + b.gap) / pitch));
    if (out.tailRows > 0)
        free = qMax(0.0, free - kBlockSpace - (out.tailRows * pitch - b.gap));
    const int gaps = nouns - 1 + (out.tailRows > 0 ? 1 : 0);
    out.space = kBlockSpace + (gaps > 0 ? free / gaps : 0);
    for (int k = 0; k < nouns; ++k)
        out.tops << k * (out.block + out.space);
    out.tailTop = nouns * (out.block + out.space);
    return out;
}

Settings Settings::load(QSettings &s) {
    Settings out;
    s.beginGroup(QLatin1String(kGroup));
    out.set = whole(s, "Lineatur", out.set, 0, kSets - 1);
    for (int k = 0; k < kSets; ++k) {
        Bands &b = out.bands[size_t(k)];
        b = bounded({number(s, bandKey(k, "Oberband"), b.upper),
                     number(s, bandKey(k, "Mittelband"), b.middle),
                     number(s, bandKey(k, "Unterband"), b.lower),
                     number(s, bandKey(k, "Abstand"), b.gap)});
    }
    out.tint = Tint(whole(s, "Toenung", int(out.tint), 0, 2));
    out.boldBase = s.value(QStringLiteral("GrundlinieKraeftig"), out.boldBase).toBool();
    out.traceRows = whole(s, "Nachspurzeilen", out.traceRows, 1, kMaxTraceRows);
    out.trace = Trace(whole(s, "Nachspurart", int(out.trace), 0, 1));
    out.emptyRows = whole(s, "LeereZeilen", out.emptyRows, 0, kMaxEmptyRows);
    out.colour = s.value(QStringLiteral("Farbig"), out.colour).toBool();
    out.family = s.value(QStringLiteral("Schrift")).toString().left(200);
    s.endGroup();
    return out;
}

void Settings::save(QSettings &s) const {
    s.beginGroup(QLatin1String(kGroup));
    s.setValue(QStringLiteral("Lineatur"), set);
    for (int k = 0; k < kSets; ++k) {
        const Bands &b = bands[size_t(k)];
        s.setValue(bandKey(k, "Oberband"), b.upper);
        s.setValue(bandKey(k, "Mittelband"), b.middle);
        s.setValue(bandKey(k, "Unterband"), b.lower);
        s.setValue(bandKey(k, "Abstand"), b.gap);
    }
    s.setValue(QStringLiteral("Toenung"), int(tint));
    s.setValue(QStringLiteral("GrundlinieKraeftig"), boldBase);
    s.setValue(QStringLiteral("Nachspurzeilen"), traceRows);
    s.setValue(QStringLiteral("Nachspurart"), int(trace));
    s.setValue(QStringLiteral("LeereZeilen"), emptyRows);
    s.setValue(QStringLiteral("Farbig"), colour);
    s.setValue(QStringLiteral("Schrift"), family);
    s.endGroup();
}

} // namespace writinglines
