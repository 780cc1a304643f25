#include "rules/memory.h"

#include "core/collation.h"
#include "core/nouns.h"
#include "core/random.h"

#include <QSet>

void MemoryGame::deal(const QStringList &nounList, Random &random, const Clock &clock) {
    if (m_pool.size() < kPairs) {
        m_pool.clear();
        for (const QString &e : nounList)
            m_pool << nouns::nounOf(e);
    }
    random.reseedFromClock(clock);
    m_cards.clear();
    m_gameWords.clear();
    for (int i = 0; i < kPairs && !m_pool.isEmpty(); ++i) {
        const QString w = m_pool.takeAt(random.index(m_pool.size()));
        m_cards << w;
        m_gameWords << w;
    }
    collation::sort(m_gameWords);
    // Second copies go among the first nine places, so the last card is
    // always the first copy of the ninth word.
    for (const QString &w : std::as_const(m_gameWords))
        m_cards.insert(qMin(random.index(kPairs), int(m_cards.size())), w);
    m_states = QString(m_cards.size(), QLatin1Char('1'));
    m_first = m_second = m_clicked = 0;
}

MemoryGame::Click MemoryGame::click(int k) {
    Click r;
    // Face-up and found cards have no cover to click.
    if (k < 1 || k > m_cards.size() || k == m_first || k == m_second ||
        m_states[k - 1] != QLatin1Char('1'))
        return r;
    m_clicked = k;
    if (m_first > 0 && m_second > 0) {
        r.closeA = m_first;
        r.closeB = m_second;
        m_first = m_second = 0;
    }
    if (m_first == 0) {
        m_first = k;
        return r;
    }
    m_second = k;
    if (m_cards[m_first - 1] == m_cards[m_second - 1]) {
        m_states[m_first - 1] = QLatin1Char('0');
        m_states[m_second - 1] = QLatin1Char('0');
        r.matched = true;
        r.pairA = m_first;
        r.pairB = m_second;
        m_first = m_second = 0;
    }
    r.won = !m_states.isEmpty() && !m_states.contains(QLatin1Char('1'));
    return r;
}

void MemoryGame::keepOnly(const QStringList &pictureFiles) {
    QSet<QString> present;
    for (const QString &e : pictureFiles)
        present.insert(nouns::nounOf(e));
    m_pool.removeIf([&](const QString &w) { return !present.contains(w); });
}

void MemoryGame::abandon() {
    m_first = m_second = m_clicked = 0;
    m_cards.clear();
    m_gameWords.clear();
}
