#include "rules/carpet.h"

#include "core/nouns.h"
#include "core/random.h"

#include <cmath>

const QString Carpet::kFillers = QStringLiteral("aäbcdefghijklmnoöpqrsßtuüvwxyz");

void Carpet::fill(const QStringList &nounList) {
    poolNouns.clear();
    poolFiles.clear();
    for (const QString &e : nounList) {
        poolFiles << e;
        poolNouns << nouns::nounOf(e);
    }
}

QString Carpet::build(const QStringList &nounList, Random &random, const Clock &clock) {
    random.reseedFromClock(clock);
    if (poolFiles.isEmpty())
        fill(nounList);
    if (poolFiles.isEmpty())
        return QString();
    const int i = random.index(int(poolFiles.size()));
    file = poolFiles.takeAt(i);
    // "Abbruch" empties only the noun texts; a pool without them is refilled.
    noun = i < poolNouns.size() ? poolNouns.takeAt(i) : nouns::nounOf(file);
    if (poolFiles.isEmpty() || poolNouns.size() != poolFiles.size())
        fill(nounList);
    layOut(random);
    return file;
}

void Carpet::layOut(Random &random) {
    wordLetters.clear();
    for (const QChar c : noun)
        wordLetters << QString(c);
    carpetLetters.clear();
    const int fillers = kCells - int(wordLetters.size());
    for (int f = 0; f < fillers; ++f) {
        QString c = kFillers.mid(random.index(30), 1);
        if (random.index(5) == 0)
            c = nouns::upper(c);
        carpetLetters << c;
    }
    // A number is drawn even for the first letter, which has one place only.
    for (const QString &l : std::as_const(wordLetters)) {
        const int n = int(carpetLetters.size());
        const int p = qBound(0, int(std::floor(random.next() * n)), qMax(0, n - 1));
        carpetLetters.insert(p, l);
    }
    if (carpetLetters.size() > kCells)
        bringAllLettersIntoView();
    found.clear();
}

// Only the first 25 letters are drawn. A longer noun would lose the letters
// pushed behind them; since any cell showing the expected letter counts (a
// red one again too), it stays solvable when every different letter is in
// view. So each missing letter changes place with a visible letter that is
// shown twice. Nouns of up to 25 letters are never touched.
void Carpet::bringAllLettersIntoView() {
    for (int j = kCells; j < carpetLetters.size(); ++j) {
        const QStringList visible = carpetLetters.mid(0, kCells);
        if (visible.contains(carpetLetters[j]))
            continue;
        for (int v = kCells - 1; v >= 0; --v) {
            if (visible.count(visible[v]) > 1) {
                carpetLetters.swapItemsAt(v, j);
                break;
            }
        }
    }
}

void Carpet::abandon() {
    poolNouns.clear();
    wordLetters.clear();
    carpetLetters.clear();
    found.clear();
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
    if (k < 0 || k >= kCells || k >= carpetLetters.size() || found.size() >= wordLetters.size())
        return Result::Wrong;
    if (carpetLetters[k] != wordLetters[found.size()])
        return Result::Wrong;
    found << carpetLetters[k];
    return found.size() == wordLetters.size() ? Result::Solved : Result::Right;
}
