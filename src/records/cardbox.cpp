#include "records/cardbox.h"

#include <QSet>
#include <algorithm>
#include <tuple>

namespace records {

namespace {

/// FNV-1a over the text: the same order of new nouns for a child on every
/// computer and in every run.
quint64 stableHash(const QString &text) {
    quint64 h = 14695981039346656037ull;
    for (QChar c : text) {
        h ^= c.unicode();
        h *= 1099511628211ull;
    }
    return h;
}

} // namespace

std::optional<CardKind> cardKindOf(QStringView id) {
    if (id == QLatin1String("begleiter") || id == QLatin1String("ergaenzen"))
        return CardKind::Article;
    if (id == QLatin1String("abschrift") || id == QLatin1String("diktat") ||
        id == QLatin1String("galgen"))
        return CardKind::Spelling;
    return std::nullopt;
}

int CardBox::waitDays(int compartment) {
    static constexpr std::array<int, kKnown> days{0, 1, 3, 7, 14, 30};
    return days[std::size_t(qBound(1, compartment, kKnown) - 1)];
}

QDate Card::due() const {
    return compartment > 0 ? moved.addDays(CardBox::waitDays(compartment)) : QDate();
}

void CardBox::apply(const Record &r, qint64 secs, const QDate &day) {
    m_last = secs;
    if (r.exercise == QLatin1String(kBackToFirst)) {
        for (auto &cards : m_cards)
            cards[r.entry] = Card{1, day};
        return;
    }
    const std::optional<CardKind> kind = cardKindOf(r.exercise);
    if (!kind)
        return;
    Card &c = m_cards[int(*kind)][r.entry];
    if (c.compartment == 0)
        c = Card{r.right ? 2 : 1, day};
    else if (!r.right)
        c = Card{1, day};
    else if (c.due() <= day)
        c = Card{qMin(c.compartment + 1, kKnown), day};
    // A right answer before the card is due leaves it where it is: the same
    // noun answered five times in a day is not known for good.
}

namespace {

/// The time and day a record counts at: never after now.
std::pair<qint64, QDate> counted(const Record &r, const QDateTime &now, qint64 nowSecs) {
    if (r.secs > nowSecs)
        return {nowSecs, now.date()};
    return {r.secs, qMin(r.day, now.date())};
}

} // namespace

void CardBox::replay(const QList<Record> &records, const QDateTime &now) {
    for (auto &cards : m_cards)
        cards.clear();
    m_last = std::numeric_limits<qint64>::min();
    const qint64 nowSecs = now.toSecsSinceEpoch();
    QList<qsizetype> order(records.size());
    for (qsizetype i = 0; i < order.size(); ++i)
        order[i] = i;
    // Lines written by several computers into one file are merged by time.
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return qMin(records[a].secs, nowSecs) < qMin(records[b].secs, nowSecs);
    });
    for (qsizetype i : order) {
        const auto [secs, day] = counted(records[i], now, nowSecs);
        apply(records[i], secs, day);
    }
    m_seen = records.size();
}

bool CardBox::add(const Record &record, const QDateTime &now) {
    const qint64 nowSecs = now.toSecsSinceEpoch();
    const auto [secs, day] = counted(record, now, nowSecs);
    if (secs < m_last)
        return false;
    apply(record, secs, day);
    return true;
}

void CardBox::follow(const QList<Record> &records, quint64 generation, const QDateTime &now) {
    if (generation != m_generation || records.size() < m_seen) {
        m_generation = generation;
        replay(records, now);
        return;
    }
    for (qsizetype i = m_seen; i < records.size(); ++i) {
        if (!add(records[i], now)) {
            replay(records, now);
            return;
        }
    }
    m_seen = records.size();
}

QStringList CardBox::session(CardKind kind, const QStringList &nouns, const QDate &today,
                             const QString &child, int most, int mostNew) const {
    const QHash<QString, Card> &cards = m_cards[int(kind)];
    struct Due {
        int compartment;
        QDate due;
        qsizetype index;
    };
    QList<Due> due;
    QList<std::pair<quint64, qsizetype>> fresh;
    QSet<QString> seen;
    for (qsizetype i = 0; i < nouns.size(); ++i) {
        const QString &e = nouns[i];
        if (seen.contains(e))
            continue;
        seen.insert(e);
        const Card c = cards.value(e);
        if (c.compartment == 0)
            fresh.append({stableHash(child + QLatin1Char('\n') + e), i});
        else if (c.due() <= today)
            due.append({c.compartment, c.due(), i});
    }
    std::sort(due.begin(), due.end(), [](const Due &a, const Due &b) {
        return std::tie(a.compartment, a.due, a.index) < std::tie(b.compartment, b.due, b.index);
    });
    std::sort(fresh.begin(), fresh.end());
    QStringList out;
    for (const Due &d : due) {
        if (out.size() >= most)
            break;
        out << nouns[d.index];
    }
    const qsizetype room = qMin<qsizetype>(mostNew, most - out.size());
    for (qsizetype i = 0; i < room && i < fresh.size(); ++i)
        out << nouns[fresh[i].second];
    return out;
}

QList<CardMove> CardBox::movedOn(CardKind kind, const QHash<QString, Card> &before) const {
    QList<CardMove> out;
    const QHash<QString, Card> &now = m_cards[int(kind)];
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        const int from = before.value(it.key()).compartment;
        if (it->compartment > from && it->compartment > 1)
            out.append({it.key(), from, it->compartment});
    }
    std::sort(out.begin(), out.end(), [](const CardMove &a, const CardMove &b) {
        return a.to != b.to ? a.to > b.to : a.entry < b.entry;
    });
    return out;
}

} // namespace records
