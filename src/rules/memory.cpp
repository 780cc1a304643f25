#include "rules/memory.h"

#include "core/collation.h"
#include "core/nouns.h"
#include "core/random.h"

void MemoryGame::deal(const QStringList &nounList, Random &random, const Clock &clock) {
    if (pool.size() < kPairs) {
        pool.clear();
        for (const QString &e : nounList)
            pool << nouns::nounOf(e);
    }
    random.reseedFromClock(clock);
    cards.clear();
    gameWords.clear();
    for (int i = 0; i < kPairs && !pool.isEmpty(); ++i) {
        const QString w = pool.takeAt(random.index(pool.size()));
        cards << w;
        gameWords << w;
    }
    collation::sort(gameWords);
    // Second copies go among the first nine places, so the last card is
    // always the first copy of the ninth word.
    for (const QString &w : std::as_const(gameWords))
        cards.insert(qMin(random.index(kPairs), int(cards.size())), w);
    states = QString(cards.size(), QLatin1Char('1'));
    first = second = clicked = 0;
}

MemoryGame::Click MemoryGame::click(int k) {
    Click r;
    // Face-up and found cards have no cover to click.
    if (k < 1 || k > cards.size() || k == first || k == second || states[k - 1] != QLatin1Char('1'))
        return r;
    clicked = k;
    if (first > 0 && second > 0) {
        r.closeA = first;
        r.closeB = second;
        first = second = 0;
    }
    if (first == 0) {
        first = k;
        return r;
    }
    second = k;
    if (cards[first - 1] == cards[second - 1]) {
        states[first - 1] = QLatin1Char('0');
        states[second - 1] = QLatin1Char('0');
        r.matched = true;
        r.pairA = first;
        r.pairB = second;
        first = second = 0;
    }
    r.won = !states.isEmpty() && !states.contains(QLatin1Char('1'));
    return r;
}

void MemoryGame::abandon() {
    first = second = clicked = 0;
    cards.clear();
    gameWords.clear();
}
