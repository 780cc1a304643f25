#include "rules/carpet.h"

#include "core/nouns.h"
#include "core/random.h"

#include <cmath>

const QString Carpet::kFillers = QStringLiteral("aäbcdefghijklmnoöpqrsßtuüvwxyz");

void Carpet::fill(const QStringList &nounList) {
    m_poolNouns.clear();
    m_poolFiles.clear();
    for (const QString &e : nounList) {
        m_poolFiles << e;
        m_poolNouns << nouns::nounOf(e);
    }
}

QString Carpet::build(const QStringList &nounList, Random &random, const Clock &clock) {
    random.reseedFromClock(clock);
    if (m_poolFiles.isEmpty())
        fill(nounList);
    if (m_poolFiles.isEmpty())
        return QString();
    const int i = random.index(int(m_poolFiles.size()));
    m_file = m_poolFiles.takeAt(i);
    // "Abbruch" empties only the noun texts; a pool without them is refilled.
    m_noun = i < m_poolNouns.size() ? m_poolNouns.takeAt(i) : nouns::nounOf(m_file);
    if (m_poolFiles.isEmpty() || m_poolNouns.size() != m_poolFiles.size())
        fill(nounList);
    layOut(m_noun, random);
    return m_file;
}

void Carpet::keepOnly(const QStringList &pictureFiles) {
    // The noun texts go along while they stand beside their files.
    const bool paired = m_poolNouns.size() == m_poolFiles.size();
    for (qsizetype i = m_poolFiles.size() - 1; i >= 0; --i) {
        if (pictureFiles.contains(m_poolFiles[i]))
            continue;
        m_poolFiles.removeAt(i);
        if (paired)
            m_poolNouns.removeAt(i);
    }
}

void Carpet::layOut(const QString &noun, Random &random) {
    m_noun = noun;
    m_wordLetters.clear();
    for (const QChar c : m_noun)
        m_wordLetters << QString(c);
    m_carpetLetters.clear();
    const int fillers = kCells - int(m_wordLetters.size());
    for (int f = 0; f < fillers; ++f) {
        QString c = kFillers.mid(random.index(30), 1);
        if (random.index(5) == 0)
            c = nouns::upper(c);
        m_carpetLetters << c;
    }
    // A number is drawn even for the first letter, which has one place only.
    for (const QString &l : std::as_const(m_wordLetters)) {
        const int n = int(m_carpetLetters.size());
        const int p = qBound(0, int(std::floor(random.next() * n)), qMax(0, n - 1));
        m_carpetLetters.insert(p, l);
    }
    if (m_carpetLetters.size() > kCells)
        bringAllLettersIntoView();
    m_found.clear();
}

// Only the first 25 letters are drawn. A longer noun would lose the letters
// pushed behind them; since any cell showing the expected letter counts (a
// red one again too), it stays solvable when every different letter is in
// view. So each missing letter changes place with a visible letter that is
// shown twice. Nouns of up to 25 letters are never touched.
void Carpet::bringAllLettersIntoView() {
    for (int j = kCells; j < m_carpetLetters.size(); ++j) {
        const QStringList visible = m_carpetLetters.mid(0, kCells);
        if (visible.contains(m_carpetLetters[j]))
            continue;
        for (int v = kCells - 1; v >= 0; --v) {
            if (visible.count(visible[v]) > 1) {
                m_carpetLetters.swapItemsAt(v, j);
                break;
            }
        }
    }
}

void Carpet::abandon() {
    m_poolNouns.clear();
    m_wordLetters.clear();
    m_carpetLetters.clear();
    m_found.clear();
}

int Carpet::cellAt(QPoint tw) {
    if (tw.x() < 0 || tw.y() < 0)
        return -1;
    const int c0 = tw.x() / kCellWidth;
    const int r0 = tw.y() / kCellHeight;
    if (c0 > 4 || r0 > 4)
        return -1;
    return 5 * c0 + r0;
}

QPoint Carpet::cellOrigin(int k) {
    return QPoint(kCellWidth * (k / 5), kCellHeight * (k % 5));
}

Carpet::Result Carpet::click(int k) {
    if (k < 0 || k >= kCells || k >= m_carpetLetters.size() ||
        m_found.size() >= m_wordLetters.size())
        return Result::Wrong;
    if (m_carpetLetters[k] != m_wordLetters[m_found.size()])
        return Result::Wrong;
    m_found << m_carpetLetters[k];
    return m_found.size() == m_wordLetters.size() ? Result::Solved : Result::Right;
}
