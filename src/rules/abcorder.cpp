#include "rules/abcorder.h"

#include "core/collation.h"
#include "core/nouns.h"
#include "core/random.h"

#include <QSet>

void AbcGame::start(const QStringList &nounList, Random &random, const Clock &clock) {
    m_solved = false;
    random.reseedFromClock(clock);
    entries.clear();
    // Never ask for more different entries than the list has.
    const int wanted = qMin(kFrames, int(QSet<QString>(nounList.begin(), nounList.end()).size()));
    while (entries.size() < wanted) {
        const QString &e = nounList[random.index(int(nounList.size()))];
        if (!entries.contains(e))
            entries << e;
    }
    target.clear();
    current.clear();
    for (const QString &e : std::as_const(entries)) {
        target << nouns::nounOf(e);
        current << nouns::nounOf(e);
    }
    collation::sort(target);
}

bool AbcGame::swap(int s, int k) {
    if (m_solved || s < 0 || k < 0 || s >= current.size() || k >= current.size())
        return false;
    current.swapItemsAt(s, k);
    m_solved = target.join(QString()) == current.join(QString());
    return true;
}

QString AbcGame::logLine() const {
    QString line;
    for (const QString &t : target)
        line += t + QLatin1Char(' ');
    return line;
}
