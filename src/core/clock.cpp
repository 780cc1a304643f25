#include "core/clock.h"

#include <QDateTime>
#include <QTimer>
#include <chrono>

namespace {
class TimerTicker final : public Ticker {
public:
    explicit TimerTicker(QObject *parent) : Ticker(parent) {
        m_timer.setInterval(1000);
        connect(&m_timer, &QTimer::timeout, this, &Ticker::tick);
    }
    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};
} // namespace

QDateTime Clock::now() const {
    return QDateTime(today(), QTime::fromMSecsSinceStartOfDay(int(secondsSinceMidnight() * 1000)));
}

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

QDate SystemClock::today() const {
    return QDate::currentDate();
}

double SystemClock::secondsSinceMidnight() const {
    // QTime stops at milliseconds; the system clock gives microseconds.
    using namespace std::chrono;
    constexpr qint64 kDay = 86400LL * 1000000;
    const qint64 utc = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
    const qint64 offset = qint64(QDateTime::currentDateTime().offsetFromUtc()) * 1000000;
    qint64 local = (utc + offset) % kDay;
    if (local < 0)
        local += kDay;
    return double(local) / 1e6;
}

Ticker *SystemClock::createTicker(QObject *parent) {
    return new TimerTicker(parent);
}
