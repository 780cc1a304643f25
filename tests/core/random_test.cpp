#include "core/clock.h"
#include "core/random.h"
#include "support/manualclock.h"
#include "support/scriptedrandom.h"

#include <QTest>
#include <QTime>
#include <cmath>

class RandomTest : public QObject {
    Q_OBJECT
private slots:
    void randomIndexIsFloor() {
        ScriptedRandom r;
        r.script = {0.999999, 0.0, 0.5, 0.5};
        QCOMPARE(QList<int>({r.index(10), r.index(10), r.index(3), r.index(0)}),
                 QList<int>({9, 0, 1, 0}));
    }

    // Two deals within one second must not get the same numbers.
    void seedKeepsTheFractionOfASecond_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::newRow("same second") << 4711.2 << 4711.7;
        QTest::newRow("a microsecond apart") << 36000.000001 << 36000.000002;
        QTest::newRow("midnight") << 0.0 << 0.25;
        QTest::newRow("last second of the day") << 86399.5 << 86399.999;
    }
    void seedKeepsTheFractionOfASecond() {
        QFETCH(double, a);
        QFETCH(double, b);
        ScriptedRandom r;
        ManualClock clock;
        for (double t : {a, b, a}) {
            clock.seconds = t;
            r.reseedFromClock(clock);
        }
        QCOMPARE(r.seeds.size(), 3);
        QVERIFY(r.seeds[0] != r.seeds[1]);
        QCOMPARE(r.seeds[2], r.seeds[0]);
    }

    void systemClockHasFractions() {
        SystemClock clock;
        bool fraction = false;
        for (int i = 0; i < 20 && !fraction; ++i) {
            const double s = clock.secondsSinceMidnight();
            const double t = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
            QVERIFY(s >= 0 && s < 86400);
            const double d = std::abs(s - t);
            QVERIFY2(d < 2 || d > 86398, qPrintable(QString::number(d))); // the local time of day
            fraction = s != std::floor(s);
            QTest::qSleep(3);
        }
        QVERIFY(fraction);
    }
};

QTEST_GUILESS_MAIN(RandomTest)
#include "random_test.moc"
