#pragma once
// The program's clock: today's date, the time of day and the one-second
// timer of the catch game. Tests drive a manual clock by hand.

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <memory>

/// A repeating one-second timer.
class Ticker : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
signals:
    void tick();
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    /// Seconds since midnight with their fraction.
    virtual double secondsSinceMidnight() const = 0;
    /// A new stopped one-second ticker owned by parent.
    virtual Ticker *createTicker(QObject *parent) = 0;
    /// The local date and time (the time the children's answers are kept at).
    virtual QDateTime now() const;
};

class SystemClock final : public Clock {
public:
    QDate today() const override;
    double secondsSinceMidnight() const override;
    Ticker *createTicker(QObject *parent) override;
    QDateTime now() const override;
};
