#include "core/contrast.h"
#include "core/palette.h"

#include <QTest>

class ContrastRatioTest : public QObject {
    Q_OBJECT
private slots:
    void ratios_data() {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("expected");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("same colour") << QColor(10, 200, 30) << QColor(10, 200, 30) << 1.0;
        QTest::newRow("header white") << QColor(Qt::white) << QColor(128, 128, 255) << 3.26;
        QTest::newRow("red on white") << QColor(255, 0, 0) << QColor(Qt::white) << 4.0;
        QTest::newRow("blue on black") << QColor(0, 0, 255) << QColor(Qt::black) << 2.44;
        // The linear part of the sRGB curve (channel values up to 10).
        QTest::newRow("near black") << QColor(10, 10, 10) << QColor(Qt::black) << 1.06;
    }
    void ratios() {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, expected);
        QVERIFY2(qAbs(contrast::ratio(a, b) - expected) < 0.01,
                 qPrintable(QString::number(contrast::ratio(a, b))));
        QCOMPARE(contrast::ratio(a, b), contrast::ratio(b, a));
    }

    // Every pair of palette colours, and greys in between, ends readable; a
    // pair that already reads well is left alone.
    void everyPairBecomesReadable() {
        QList<QColor> colours;
        for (int i = 0; i < 16; ++i)
            colours << palette::colour(i);
        for (int g = 0; g <= 255; g += 17)
            colours << QColor(g, g, g);
        colours << QColor(128, 128, 255) << QColor(192, 192, 255) << QColor(0, 192, 0);
        for (const QColor &text : colours)
            for (const QColor &back : colours) {
                const QColor r = contrast::readable(text, back);
                const QString what = text.name() + " on " + back.name() + " -> " + r.name();
                QVERIFY2(contrast::ratio(r, back) >= contrast::kText, qPrintable(what));
                if (contrast::ratio(text, back) >= contrast::kText)
                    QVERIFY2(r == text, qPrintable(what));
            }
    }

    // The colour keeps its hue and moves no further than it must.
    void keepsTheHue_data() {
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("back");
        QTest::newRow("red strip on lilac") << QColor(255, 0, 0) << QColor(192, 192, 255);
        QTest::newRow("green noun on lilac") << QColor(0, 192, 0) << QColor(192, 192, 255);
        QTest::newRow("blue vowel on black") << QColor(0, 0, 255) << QColor(Qt::black);
        QTest::newRow("white on the header") << QColor(Qt::white) << QColor(128, 128, 255);
    }
    void keepsTheHue() {
        QFETCH(QColor, text);
        QFETCH(QColor, back);
        const QColor r = contrast::readable(text, back);
        QVERIFY(contrast::ratio(r, back) >= contrast::kText);
        if (text.hsvSaturation() > 0) {
            QVERIFY2(qAbs(r.hsvHue() - text.hsvHue()) <= 2, qPrintable(r.name()));
        }
        // One step back towards the original falls short.
        const QColor closer((r.red() * 19 + text.red()) / 20, (r.green() * 19 + text.green()) / 20,
                            (r.blue() * 19 + text.blue()) / 20);
        QVERIFY2(contrast::ratio(closer, back) < contrast::kText + 0.3, qPrintable(closer.name()));
    }

    // A text darker than a dark background goes all the way past it.
    void crossesTheBackground() {
        const QColor back(40, 40, 40);
        const QColor r = contrast::readable(Qt::black, back);
        QVERIFY(contrast::luminance(r) > contrast::luminance(back));
        QVERIFY(contrast::ratio(r, back) >= contrast::kText);
    }

    void invalidColoursPassThrough() {
        QVERIFY(!contrast::readable(QColor(), Qt::white).isValid());
        QCOMPARE(contrast::readable(Qt::red, QColor()), QColor(Qt::red));
    }
};

QTEST_GUILESS_MAIN(ContrastRatioTest)
#include "contrastratio_test.moc"
