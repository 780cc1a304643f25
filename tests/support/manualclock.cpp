#include "support/manualclock.h"

Ticker *ManualClock::createTicker(QObject *parent) {
    auto *t = new ManualTicker(parent);
    tickers << t;
    return t;
}

void ManualClock::tick() {
    ++seconds;
    const auto list = tickers;
    for (const auto &t : list)
        if (t && t->isActive())
            t->fire();
}
