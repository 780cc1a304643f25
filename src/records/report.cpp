#include "records/report.h"

#include "core/exercisetable.h"

#include "core/nouns.h"

#include <QHash>
#include <algorithm>
#include <map>

namespace records {

namespace {

void sortCounts(QList<NounCount> &list) {
    std::sort(list.begin(), list.end(), [](const NounCount &a, const NounCount &b) {
        if (a.count != b.count)
            return a.count > b.count;
        return QString::localeAwareCompare(a.noun, b.noun) < 0;
    });
}

} // namespace

int articleIndex(const QString &article) {
    if (article == QLatin1String("der"))
        return 0;
    if (article == QLatin1String("die"))
        return 1;
    if (article == QLatin1String("das"))
        return 2;
    return -1;
}

int Confusion::total() const {
    int n = 0;
    for (const auto &row : counts)
        for (int c : row)
            n += c;
    return n;
}

Report buildReport(const QList<Record> &records, const QDate &today) {
    Report report;
    const QDate weekStart = today.addDays(-6);
    // Known exercises first in their order, then any others by id.
    std::map<QPair<int, QString>, ExerciseReport> perExercise;
    std::map<QString, QHash<QString, int>> wrongNouns; // exercise -> noun -> count
    QHash<QString, Confusion::Row> confusionRows;      // entry noun -> row
    std::map<QDate, Tally> perDay;
    QHash<QString, int> indexCache;

    for (const Record &r : records) {
        if (report.name.isEmpty())
            report.name = r.name;
        if (!isJudged(r.exercise))
            continue;
        auto ic = indexCache.find(r.exercise);
        if (ic == indexCache.end()) {
            const Exercise *e = exercises::byRecordId(r.exercise);
            ic = indexCache.insert(r.exercise, e ? int(e->log) : int(exercises::all().size()) + 1);
        }
        ExerciseReport &ex = perExercise[{ic.value(), r.exercise}];
        ex.exercise = r.exercise;
        ex.overall.add(r.right);
        report.overall.add(r.right);
        if (r.day >= weekStart && r.day <= today) {
            ex.lastWeek.add(r.right);
            report.lastWeek.add(r.right);
        }
        perDay[r.day].add(r.right);
        if (!r.right)
            ++wrongNouns[r.exercise][nouns::nounOf(r.entry)];
        if (isArticleExercise(r.exercise)) {
            const QString right = nouns::articleOf(r.entry);
            const int ri = articleIndex(right);
            const int ci = articleIndex(r.given.trimmed().toLower());
            if (ri >= 0 && ci >= 0) {
                ++report.confusion.counts[ri][ci];
                if (ri != ci) {
                    const QString noun = nouns::nounOf(r.entry);
                    Confusion::Row &row = confusionRows[right + QLatin1Char(' ') + noun];
                    row.noun = noun;
                    row.article = right;
                    ++row.chosen[ci];
                }
            }
        }
    }
    for (auto &[key, ex] : perExercise) {
        for (auto it = wrongNouns[ex.exercise].cbegin(); it != wrongNouns[ex.exercise].cend(); ++it)
            ex.mostWrong.append({it.key(), it.value()});
        sortCounts(ex.mostWrong);
        if (ex.mostWrong.size() > kMostWrong)
            ex.mostWrong.resize(kMostWrong);
        report.exercises.append(ex);
    }
    for (const Confusion::Row &row : std::as_const(confusionRows))
        report.confusion.nouns.append(row);
    auto wrongs = [](const Confusion::Row &r) {
        int n = 0;
        for (int c : r.chosen)
            n += c;
        return n;
    };
    std::sort(report.confusion.nouns.begin(), report.confusion.nouns.end(),
              [&](const Confusion::Row &a, const Confusion::Row &b) {
                  if (wrongs(a) != wrongs(b))
                      return wrongs(a) > wrongs(b);
                  return QString::localeAwareCompare(a.noun, b.noun) < 0;
              });
    for (const auto &[day, tally] : perDay)
        report.days.append({day, tally});
    return report;
}

QStringList practiceEntries(const QList<Record> &records, const QDateTime &now) {
    const qint64 nowSecs = now.toSecsSinceEpoch();
    const qint64 from = nowSecs - 7 * 86400;
    struct State {
        qint64 lastWrong = 0;
        int rightSince = 0;
        bool missed = false;
    };
    QHash<QString, State> states;
    // File order is the order of answering (appends), also across computers
    // to within their clocks; the times decide between lines of one second.
    QList<const Record *> ordered;
    ordered.reserve(records.size());
    for (const Record &r : records)
        if (r.secs <= nowSecs && isJudged(r.exercise))
            ordered.append(&r);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Record *a, const Record *b) { return a->secs < b->secs; });
    for (const Record *r : ordered) {
        State &s = states[r->entry];
        if (!r->right && r->secs >= from) {
            s.missed = true;
            s.lastWrong = r->secs;
            s.rightSince = 0;
        } else if (r->right && s.missed) {
            ++s.rightSince;
        }
    }
    QList<QPair<qint64, QString>> due;
    for (auto it = states.cbegin(); it != states.cend(); ++it)
        if (it->missed && it->rightSince < 2)
            due.append({it->lastWrong, it.key()});
    std::sort(due.begin(), due.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    QStringList out;
    for (const auto &d : due)
        out << d.second;
    return out;
}

QList<DayTally> lastDays(const QList<DayTally> &days, const QDate &last, int count) {
    QList<DayTally> out;
    const QDate first = last.addDays(-(count - 1));
    for (int i = 0; i < count; ++i)
        out.append({first.addDays(i), Tally()});
    for (const DayTally &d : days) {
        const qint64 i = first.daysTo(d.day);
        if (i >= 0 && i < count)
            out[int(i)].tally = d.tally;
    }
    return out;
}

} // namespace records
