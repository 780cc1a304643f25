#pragma once
// The rules of the memory game, without widgets: the pool of noun texts,
// the deal of 18 cards and the turning of cards.

#include <QString>
#include <QStringList>

class Random;
class Clock;

class MemoryGame {
public:
    static constexpr int kPairs = 9;
    static constexpr int kCards = 18;

    /// Deals a new game: refills the pool below nine texts, reseeds the
    /// generator, draws nine words and inserts their second copies.
    void deal(const QStringList &nounList, Random &random, const Clock &clock);

    struct Click {
        int closeA = 0, closeB = 0; // a mismatched pair turned face down (0: none)
        bool matched = false;       // this click completed a pair
        int pairA = 0, pairB = 0;   // the pair found
        bool won = false;
    };
    /// The child uncovers card k (1 to 18).
    Click click(int k);
    /// "Abbruch": forgets the open cards and the deal; the pool stays.
    void abandon();
    /// The noun list changed: a noun whose picture has gone from the folder
    /// leaves the pool (a new list comes in at its next refill).
    void keepOnly(const QStringList &pictureFiles);

    /// Noun texts not yet dealt in this rotation.
    QStringList pool() const { return m_pool; }
    /// The dealt words: card k shows cards()[k - 1].
    QStringList cards() const { return m_cards; }
    /// The nine words of this deal, sorted.
    QStringList gameWords() const { return m_gameWords; }
    /// True once card k's pair has been found.
    bool found(int k) const { return m_states.mid(k - 1, 1) == QLatin1String("0"); }
    /// The face-up cards not yet part of a pair (0: none).
    int firstOpen() const { return m_first; }
    int secondOpen() const { return m_second; }
    /// The card whose cover was clicked last (0: none since the deal).
    int clickedCard() const { return m_clicked; }

private:
    QStringList m_pool;
    QStringList m_cards;
    QStringList m_gameWords;
    QString m_states; // "1" in play, "0" found, one per card
    int m_first = 0;
    int m_second = 0;
    int m_clicked = 0;
};
