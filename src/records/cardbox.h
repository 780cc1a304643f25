#pragma once
// A child's card box ("Karteikasten"): per noun two cards, its article and
// its spelling, each in one of five compartments that come back after 0, 1,
// 3, 7 and 14 days, then known ("gekonnt") and checked again after 30 days.
// A right answer to a due card moves it one compartment on, a wrong answer
// sends it back to the first, and a new noun answered right at once starts in
// the second. The box is the replay of the child's records, so there is no
// second file to get out of step; answers are added one by one as they come.

#include "records/record.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <limits>
#include <optional>

namespace records {

enum class CardKind { Article, Spelling };
constexpr int kCardKinds = 2;

/// The card an exercise's answers move: the article exercises move the
/// article card, the writing ones the spelling card; others move none.
std::optional<CardKind> cardKindOf(QStringView exerciseId);

struct Card {
    /// 1 to 5, or CardBox::kKnown; 0 while the noun has had no answer.
    int compartment = 0;
    /// The day the card came into its compartment.
    QDate moved;
    /// The day it comes back.
    QDate due() const;
};

/// A card that moved on during a session: from its compartment before (0 for
/// a new noun) to its compartment now.
struct CardMove {
    QString entry;
    int from = 0;
    int to = 0;
    bool operator==(const CardMove &) const = default;
};

class CardBox {
public:
    static constexpr int kCompartments = 5;
    static constexpr int kKnown = 6; // "gekonnt"
    /// Days a card waits in compartment 1 to kKnown before it is due.
    static int waitDays(int compartment);

    /// Starts afresh from all of a child's records, in time order (lines of
    /// the same second in file order); a time after `now` counts as now, so
    /// a computer with a wrong date never puts a card far into the future.
    void replay(const QList<Record> &records, const QDateTime &now);
    /// Adds one more record. False, changing nothing, when it is older than
    /// the last one added (written meanwhile by another computer): only a
    /// replay can put it in its place.
    bool add(const Record &record, const QDateTime &now);
    /// Follows a growing list of records (the answers of an AnswerFile):
    /// adds those not seen yet, or replays all when the list was started
    /// afresh (`generation` changed) or an older one came in.
    void follow(const QList<Record> &records, quint64 generation, const QDateTime &now);

    Card card(const QString &entry, CardKind kind) const { return m_cards[int(kind)].value(entry); }
    const QHash<QString, Card> &cards(CardKind kind) const { return m_cards[int(kind)]; }

    /// The cards a session begins with, among `nouns` (the noun list): the
    /// due ones, lowest compartment and longest due first, then nouns
    /// without a card; at most `most` in all and `mostNew` of them new. New
    /// nouns come in an order of the child's own (`child`), without a random
    /// number, so the draws after them stay those of the plain pass.
    QStringList session(CardKind kind, const QStringList &nouns, const QDate &today,
                        const QString &child, int most = 10, int mostNew = 3) const;

    /// The cards of a kind now further on than in `before` (a copy of
    /// `cards(kind)` taken earlier), furthest first, then by entry. A new
    /// noun that came into the first compartment has not moved on.
    QList<CardMove> movedOn(CardKind kind, const QHash<QString, Card> &before) const;

private:
    void apply(const Record &record, qint64 secs, const QDate &day);

    std::array<QHash<QString, Card>, kCardKinds> m_cards;
    qint64 m_last = std::numeric_limits<qint64>::min();
    qsizetype m_seen = 0;
    quint64 m_generation = 0;
};

} // namespace records
