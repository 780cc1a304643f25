#pragma once
// Plays metafile records on a QPainter, so a picture stays vector on screen,
// in previews and on the printer.

#include <QByteArrayView>
#include <QRectF>

class QPainter;

namespace wmf {

struct Header;

/// What a play did (for tests and the fuzzer).
struct PlayResult {
    long records = 0;      // records read
    long ignored = 0;      // records skipped: unknown, too short, or with bad values
    bool damaged = false;  // playing ended at a damaged record
    bool cut = false;      // the work budget or the clock ran out: the rest was left out
    bool timedOut = false; // it was the clock
    long trimmed = 0;      // shapes cut to the frame before drawing (they reached far beyond it)
    double work = 0;       // estimated work spent, in budget units
};

/// Work one draw may spend, in units of about a microsecond of raster
/// drawing on a small desktop machine. Costs are estimated from the records
/// (points, pen width and what the scan converter does on the device), so the
/// cut falls at the same record on every draw of the same size, however busy
/// the machine is.
constexpr double kWorkBudget = 100000;
/// Last resort for what the estimate misses, on screens only: play stops
/// after this long. Far above what the budget takes even on a slow, busy
/// machine, so it never decides what a valid picture shows. Paper (PDF,
/// printers) has no clock: a page shows the same on every machine.
constexpr long long kMaxScreenNanos = 3'000'000'000;

struct PlayLimits {
    double work = kWorkBudget;
    long long screenNanos = kMaxScreenNanos; // 0: no clock
};

/// Plays the records of data (the whole file, headers included) into target,
/// the header's frame stretched to fill it. The painter's state is restored
/// afterwards; nothing is drawn outside target.
PlayResult play(QByteArrayView data, const Header &header, QPainter &painter, const QRectF &target,
                const PlayLimits &limits = {});

} // namespace wmf
