#include "rules/abcorder.h"

#include "core/collation.h"
#include "core/nouns.h"
#include "core/random.h"

#include <QSet>

void AbcGame::start(const QStringList &nounList, Random &random, const Clock &clock) {
    m_solved = false;
    random.reseedFromClock(clock);
    m_entries.clear();
    // Never ask for more different entries than the list has.
    const int wanted = qMin(kFrames, int(QSet<QString>(nounList.begin(), nounList.end()).size()));
    while (m_entries.size() < wanted) {
        const QString &e = nounList[random.index(int(nounList.size()))];
        if (!m_entries.contains(e))
            m_entries << e;
    }
    m_target.clear();
    m_current.clear();
    for (const QString &e : std::as_const(m_entries)) {
        m_target << nouns::nounOf(e);
        m_current << nouns::nounOf(e);
    }
    collation::sort(m_target);
}

bool AbcGame::swap(int s, int k) {
    if (m_solved || s < 0 || k < 0 || s >= m_current.size() || k >= m_current.size())
        return false;
    m_current.swapItemsAt(s, k);
    m_solved = m_target.join(QString()) == m_current.join(QString());
    return true;
}

QString AbcGame::logLine() const {
    QString line;
    for (const QString &t : m_target)
        line += t + QLatin1Char(' ');
    return line;
}
