#pragma once
// Random numbers for tests: a script of values taken in order; after it runs
// out, a fixed-seed sequence so tests stay repeatable.

#include "core/random.h"

#include <QList>

class ScriptedRandom final : public Random {
public:
    QList<double> script;
    QList<quint32> seeds; // every reseed, in order
    int calls = 0;

    double next() override;
    void reseed(quint32 seed) override { seeds << seed; }
    /// Script values that draw these indexes out of lists of the given sizes.
    void pushIndex(int index, int n) { script << (index + 0.5) / n; }

private:
    std::mt19937 m_gen{12345};
};
