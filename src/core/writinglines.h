#pragma once
// School line sets ("Lineatur 0" to "4") for writing sheets: the bands of
// one writing row in millimetres, which lines a set draws, and the teacher's
// other choices for the sheet. Makers of school paper differ, so the heights
// are defaults the teacher can change; everything is kept in the program's
// own settings file, never in KALIMBO.INI.

#include <QList>
#include <QString>
#include <array>

class QSettings;

namespace writinglines {

constexpr int kSets = 5;

/// One writing row from its top, in millimetres: the band above the mean
/// line (capitals, ascenders), the middle band (the x-height), the band
/// below the base line (descenders) and the space before the next row.
struct Bands {
    double upper = 5;
    double middle = 5;
    double lower = 5;
    double gap = 5;

    double pitch() const { return upper + middle + lower + gap; }
    bool operator==(const Bands &) const = default;
};

/// The lines a set draws besides the base line, which every set draws.
struct Lines {
    bool roof = true;   // top of the upper band
    bool mean = true;   // top of the middle band
    bool bottom = true; // bottom of the lower band
};

Bands defaultBands(int set);
Lines linesOf(int set);

/// What the teacher may type into a height, in millimetres.
constexpr double kMaxBand = 30;
constexpr double kMinMiddle = 1;

enum class Tint { None, Yellow, Blue };
enum class Trace { Dotted, Grey };

constexpr int kMaxTraceRows = 2;
constexpr int kMaxEmptyRows = 8;

struct Settings {
    int set = 1;
    std::array<Bands, kSets> bands = {defaultBands(0), defaultBands(1), defaultBands(2),
                                      defaultBands(3), defaultBands(4)};
    Tint tint = Tint::None;
    /// The base line 0.5 mm, the others 0.25 mm; off: all 0.25 mm.
    bool boldBase = true;
    int traceRows = 1; // 1 or 2
    Trace trace = Trace::Dotted;
    int emptyRows = 2;
    /// Vowels of the written word in the program's vowel colour.
    bool colour = false;
    /// The font the teacher took; empty for the default.
    QString family;

    const Bands &current() const { return bands[size_t(set)]; }

    /// Reads the settings; anything missing, unreadable or out of range
    /// keeps its default.
    static Settings load(QSettings &settings);
    void save(QSettings &settings) const;

    bool operator==(const Settings &) const = default;
};

/// A height brought into its range (the middle band at least kMinMiddle).
Bands bounded(const Bands &b);

/// Between the rows of one noun and the next, at least, in millimetres.
constexpr double kBlockSpace = 5;

/// Where a sheet's rows stand, in millimetres from the page's top. Each
/// noun has the same rows; whole empty rows fill the page below the last
/// noun, and what is left (less than a row) is shared out evenly between
/// the blocks, so the last row ends at the page's bottom. No row is cut.
struct Layout {
    /// Rows under each noun: written, traced and empty, as many as fit.
    int rows = 1;
    /// Top of each noun's rows; as many nouns as fit the page.
    QList<double> tops;
    /// Empty rows below the last noun, and their top.
    int tailRows = 0;
    double tailTop = 0;
    /// Height of one noun's rows, and the space between blocks.
    double block = 0;
    double space = kBlockSpace;

    int nouns() const { return int(tops.size()); }
};

Layout layout(const Settings &settings, double pageMm);

} // namespace writinglines
