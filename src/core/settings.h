#pragma once
// KALIMBO.INI: ten CR LF lines in Windows-1252 that keep four options, the
// two letter colours, the background colour and the letter set from one run
// to the next.

#include <QByteArray>
#include <QString>
#include <optional>

namespace settings {

extern const char *const kFileName;

struct Values {
    int check2 = 1; // "Bestätigungen ein"
    int check3 = 0; // "Farbeinstellungen ein"
    int check4 = 0; // "Wortfilterauswahl ein"
    int check5 = 1; // "Namenseingabe ein"
    int consonant = 10;
    int vowel = 12;
    int red = 0;
    int green = 0;
    int blue = 0;
    QString letters;
};

/// What a read gives: the values of the first `applied` lines are valid
/// (in file order); reading stopped at the first missing or bad line.
struct ReadResult {
    Values values;
    int applied = 0;
    bool complete() const { return applied == 10; }
};

/// Only the first ten lines are read, whatever follows them. A line keeps
/// its first kMaxLineBytes bytes; one whose end is not found within
/// kMaxLineScan bytes is a bad line, so a huge or binary file is bad, never slow.
constexpr int kMaxLineBytes = 4096;
constexpr qint64 kMaxLineScan = 1024 * 1024;

/// Parses the file's bytes; `defaults` gives the values of lines not applied.
ReadResult parse(const QByteArray &bytes, const Values &defaults = Values());
/// Reads the file from disk (missing, unreadable or not a regular file:
/// nothing applied). Never blocks, not even on a pipe of that name.
ReadResult read(const QString &path, const Values &defaults = Values());
/// The file's bytes for these values.
QByteArray serialise(const Values &v);
/// Writes atomically (temporary file renamed over the old); false if any step
/// failed or the name belongs to something other than a regular file, in which
/// case the old file is unchanged.
bool write(const QString &path, const Values &v);

/// Rounds to the nearest whole number, halves to even; nullopt if not a
/// number or outside 16 bits.
std::optional<int> toInt16(const QByteArray &text);

QString fromCp1252(const QByteArray &bytes);
QByteArray toCp1252(const QString &text);

} // namespace settings
