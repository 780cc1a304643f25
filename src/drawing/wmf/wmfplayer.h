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
    long records = 0;     // records read
    long ignored = 0;     // records skipped: unknown, too short, or with bad values
    bool damaged = false; // playing ended at a damaged record
    bool cut = false;     // the work budget ran out: the rest was left out
    double work = 0;      // estimated work spent, in budget units
};

/// Work one draw may spend, in units of about a microsecond of raster
/// drawing on a small desktop machine. Costs are estimated from the records
/// (points, pen width and area on the device), so the cut falls at the same
/// record on every draw of the same size.
constexpr double kWorkBudget = 100000;
/// Backstop for what the estimate misses: play stops after this long.
constexpr long long kMaxPlayNanos = 180'000'000;

/// Plays the records of data (the whole file, headers included) into target,
/// the header's frame stretched to fill it. The painter's state is restored
/// afterwards; nothing is drawn outside target.
PlayResult play(QByteArrayView data, const Header &header, QPainter &painter, const QRectF &target);

} // namespace wmf
