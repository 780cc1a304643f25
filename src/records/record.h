#pragma once
// One answer of a child, as kept in the child's record file.

#include <QDate>
#include <QString>

namespace records {

struct Answer {
    /// Stable id of the exercise ("begleiter", "diktat", ...; see the exercise table).
    QString exercise;
    /// The noun entry as the noun list holds it (derHund.jpg).
    QString entry;
    bool right = false;
    /// What the child chose or typed, where there is such a thing.
    QString given;
};

struct Record {
    QString name;
    QString exercise;
    QString entry;
    QString given;
    bool right = false;
    /// The local date as written (the day the answer counts for).
    QDate day;
    /// Seconds since the epoch, UTC.
    qint64 secs = 0;
};

/// The exercise id of a line by which the teacher put a noun's cards back
/// into the card box's first compartment; no answer of the child.
inline constexpr char kBackToFirst[] = "zurueck";

/// German heading of an exercise id ("Begleiter"); the id itself if unknown.
QString exerciseTitle(const QString &id);
/// False for lines that are no judged answer (a noun read); the report and
/// the practice of missed nouns pass them over.
bool isJudged(const QString &id);
/// Exercises whose answers are a definite article der/die/das.
bool isArticleExercise(const QString &id);

} // namespace records
