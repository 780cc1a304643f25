#include "platform/clock.h"

#include <QTime>
#include <QTimer>

namespace {
class TimerTicker final : public Ticker {
public:
    explicit TimerTicker(QObject *parent) : Ticker(parent)
    {
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

QDate SystemClock::today() const { return QDate::currentDate(); }

int SystemClock::secondsSinceMidnight() const { return QTime::currentTime().msecsSinceStartOfDay() / 1000; }

Ticker *SystemClock::createTicker(QObject *parent) { return new TimerTicker(parent); }
