#include "platform/random.h"

#include "platform/clock.h"

#include <cmath>

void Random::reseedFromClock(const Clock &clock) { reseed(quint32(clock.secondsSinceMidnight())); }

int Random::index(int n)
{
    if (n <= 0)
        return 0;
    const double r = next();
    const int k = int(std::floor(r * n));
    return qBound(0, k, n - 1);
}

SystemRandom::SystemRandom() : m_gen(std::random_device{}()) {}

double SystemRandom::next()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_gen);
}

void SystemRandom::reseed(quint32 seed) { m_gen.seed(seed); }
