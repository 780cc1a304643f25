// What "Kontrast" costs: a word strip drawn letter by letter on a canvas
// (each letter looks at the pixels under it while on), and a whole window of
// Qt's labels and buttons painted through the contrast style. Off and on
// side by side. Offscreen platform.
#include "games/memo.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"
#include "ui/highcontrast.h"
#include "ui/twips.h"

#include <QPushButton>
#include <QTest>

class ContrastBench : public QObject {
    Q_OBJECT
private slots:
    void wordStrip_data() {
        QTest::addColumn<bool>("on");
        QTest::newRow("off") << false;
        QTest::newRow("on") << true;
    }
    void wordStrip() {
        QFETCH(bool, on);
        highcontrast::setOn(on);
        Canvas strip;
        twips::place(&strip, 0, 0, 10455, 1095);
        strip.setBackground(QColor(255, 255, 224));
        strip.surface().setFont(QStringLiteral("Verdana"), 36, true);
        const QString word = QStringLiteral("Schneckenhaus");
        QBENCHMARK {
            strip.beginBatch();
            strip.clear();
            for (const QChar c : word) {
                strip.surface().setTextColour(
                    QStringLiteral("aeiou").contains(c) ? QColor(255, 0, 0) : QColor(0, 255, 0));
                strip.surface().print(QString(c) + QLatin1Char(' '));
            }
            strip.endBatch();
        }
        highcontrast::setOn(false);
    }

    void memoryWindow_data() { wordStrip_data(); }
    void memoryWindow() {
        QFETCH(bool, on);
        WindowFixture f({"derHund.jpg", "dieMaus.jpg", "dasHaus.jpg", "derBär.jpg", "dieUhr.jpg",
                         "dasEi.jpg", "derAal.jpg", "dieKuh.jpg", "dasBoot.jpg"});
        auto *w = f.open<memo>(ScreenId::Memo);
        f.p.changeExtras([on](Extras &e) { e.highContrast = on; });
        QBENCHMARK {
            w->grab();
        }
    }
};

QTEST_MAIN(ContrastBench)
#include "contrast_bench.moc"
