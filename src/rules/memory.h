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

    QStringList pool;      // noun texts not yet dealt in this rotation
    QStringList cards;     // card k shows cards[k - 1]
    QStringList gameWords; // the nine words, sorted
    QString states;        // "1" in play, "0" found, one per card
    int first = 0;
    int second = 0;
    int clicked = 0;
};
