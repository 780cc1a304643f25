#pragma once
// A clock for tests: the date and time are set by hand and the one-second
// tickers fire only when the test says so.

#include "core/clock.h"

#include <QList>
#include <QPointer>

class ManualTicker final : public Ticker {
    Q_OBJECT
public:
    using Ticker::Ticker;
    void start() override { m_active = true; }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    void fire() { emit tick(); }

private:
    bool m_active = false;
};

class ManualClock final : public Clock {
public:
    QDate date = QDate(2026, 3, 9);
    double seconds = 8 * 3600;

    QDate today() const override { return date; }
    double secondsSinceMidnight() const override { return seconds; }
    Ticker *createTicker(QObject *parent) override;
    /// Advances the time by one second and fires every active ticker.
    void tick();
    QList<QPointer<ManualTicker>> tickers;
};
