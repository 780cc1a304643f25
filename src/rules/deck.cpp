#include "rules/deck.h"

#include "core/random.h"

#include <QSet>

Deck::Deck(const QStringList &nouns, int refillBelow)
    : m_nouns(nouns), m_refillBelow(qMax(1, refillBelow)) {}

void Deck::setNouns(const QStringList &nouns) {
    m_nouns = nouns;
}

void Deck::keepOnly(const QStringList &present) {
    const QSet<QString> kept(present.begin(), present.end());
    auto gone = [&](const QString &e) { return !kept.contains(e); };
    m_nouns.removeIf(gone);
    m_pass.removeIf(gone);
    m_first.removeIf(gone);
}

void Deck::putFirst(const QStringList &entries) {
    for (const QString &e : entries)
        if (!m_first.contains(e))
            m_first << e;
}

void Deck::withdraw(const QStringList &entries) {
    m_first.removeIf([&](const QString &e) { return entries.contains(e); });
}

void Deck::refill() {
    m_pass = m_nouns;
    if (!firstInPass)
        return;
    for (const QString &e : firstInPass())
        if (m_pass.contains(e) && !m_first.contains(e))
            m_first << e;
}

QString Deck::draw(Random &random) {
    if (m_pass.size() < m_refillBelow)
        refill();
    if (m_pass.isEmpty())
        return QString();
    while (!m_first.isEmpty()) {
        const QString e = m_first.takeFirst();
        const qsizetype k = m_pass.indexOf(e);
        if (k >= 0)
            return m_pass.takeAt(k);
        if (m_nouns.contains(e))
            return e;
    }
    const int n = int(m_pass.size());
    return m_pass.takeAt(qBound(0, random.index(n), n - 1));
}
