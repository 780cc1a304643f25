#pragma once
// The program-wide generator of uniform numbers in [0, 1). The games reseed
// it from the time of day; the exercise screens never do.

#include <QtGlobal>
#include <random>

class Clock;

class Random {
public:
    virtual ~Random() = default;
    /// Next number, 0 <= r < 1.
    virtual double next() = 0;
    virtual void reseed(quint32 seed) = 0;
    /// Reseeds from the time of day, fraction of a second included.
    void reseedFromClock(const Clock &clock);
    /// The seed for a time of day in seconds since midnight.
    static quint32 seedFor(double seconds);
    /// floor(r * n): an index into n items (0 for n <= 0).
    int index(int n);
};

class SystemRandom final : public Random {
public:
    SystemRandom();
    double next() override;
    void reseed(quint32 seed) override;

private:
    std::mt19937 m_gen;
};
