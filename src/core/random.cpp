#include "core/random.h"

#include "core/clock.h"

#include <algorithm>
#include <cmath>

quint32 Random::seedFor(double seconds) {
    // Whole seconds alone would give every deal within one second the same
    // numbers, so the fraction goes into the seed down to microseconds.
    const auto micro = quint64(std::llround(std::max(0.0, seconds) * 1e6));
    return quint32(micro ^ (micro >> 32));
}

void Random::reseedFromClock(const Clock &clock) {
    reseed(seedFor(clock.secondsSinceMidnight()));
}

int Random::index(int n) {
    if (n <= 0)
        return 0;
    const double r = next();
    const int k = int(std::floor(r * n));
    return qBound(0, k, n - 1);
}

SystemRandom::SystemRandom() : m_gen(std::random_device{}()) {}

double SystemRandom::next() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_gen);
}

void SystemRandom::reseed(quint32 seed) {
    m_gen.seed(seed);
}
