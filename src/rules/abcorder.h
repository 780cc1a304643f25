#pragma once
// The rules of ABC ordering, without widgets: five different entries, the
// target order, the order the pictures now stand in, swaps and the check.

#include <QString>
#include <QStringList>

class Random;
class Clock;

class AbcGame {
public:
    static constexpr int kFrames = 5;

    /// Reseeds and draws five different entries of the noun list.
    void start(const QStringList &nounList, Random &random, const Clock &clock);
    /// Frame s dropped on frame k (0-based): swaps and checks the order.
    /// Returns false when nothing happened (already solved, bad frame).
    bool swap(int s, int k);

    bool solved() const { return m_solved; }
    /// The log line: every target entry followed by a blank.
    QString logLine() const;

    QStringList entries; // List1: drawn order
    QStringList target;  // List2: sorted
    QStringList current; // List3: as the frames now show them

private:
    bool m_solved = false;
};
