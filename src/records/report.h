#pragma once
// The teacher's view of one child's records: figures per exercise, the nouns
// most often wrong, which article was chosen for which, and answers per day.

#include "records/record.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QStringList>
#include <array>

namespace records {

struct Tally {
    int right = 0;
    int wrong = 0;
    int total() const { return right + wrong; }
    /// Share of right answers in percent, rounded; 0 without answers.
    int percentRight() const { return total() ? (right * 200 + total()) / (2 * total()) : 0; }
    void add(bool ok) { ok ? ++right : ++wrong; }
};

struct NounCount {
    QString noun; // "Hund"
    int count = 0;
};

struct ExerciseReport {
    QString exercise;
    Tally lastWeek;
    Tally overall;
    /// Nouns with wrong answers, most first (then alphabetical).
    QList<NounCount> mostWrong;
};

/// Article chosen against article right, der/die/das in that order.
struct Confusion {
    /// counts[right][chosen]
    std::array<std::array<int, 3>, 3> counts{};
    struct Row {
        QString noun;    // "Hund"
        QString article; // the right one, "der"
        std::array<int, 3> chosen{};
    };
    /// Nouns with at least one wrong article, most wrong first.
    QList<Row> nouns;
    int total() const;
};

struct DayTally {
    QDate day;
    Tally tally;
};

struct Report {
    QString name;
    /// Exercises with answers, in the order of the log window's lists.
    QList<ExerciseReport> exercises;
    Tally lastWeek;
    Tally overall;
    Confusion confusion;
    /// Days with answers, oldest first.
    QList<DayTally> days;
};

/// Index of "der", "die", "das"; -1 for anything else.
int articleIndex(const QString &article);

/// The report on records (of one child) as of `today`; the last 7 days are
/// today and the six days before.
Report buildReport(const QList<Record> &records, const QDate &today);

/// How many nouns per exercise the report lists as most often wrong.
constexpr int kMostWrong = 5;

/// Entries to practise: answered wrong within the last 7 days (before `now`)
/// and not answered right twice since the last wrong answer; the most
/// recently missed first.
QStringList practiceEntries(const QList<Record> &records, const QDateTime &now);

/// `count` days ending with `last`, each with its answers (none on quiet days).
QList<DayTally> lastDays(const QList<DayTally> &days, const QDate &last, int count);

} // namespace records
