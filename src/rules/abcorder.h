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

    /// The five entries in drawn order: frame k first shows entries()[k - 1].
    QStringList entries() const { return m_entries; }
    /// Their noun texts sorted: the order to reach.
    QStringList targetOrder() const { return m_target; }
    /// Their noun texts as the frames now show them.
    QStringList currentOrder() const { return m_current; }

private:
    QStringList m_entries; // List1
    QStringList m_target;  // List2
    QStringList m_current; // List3
    bool m_solved = false;
};
