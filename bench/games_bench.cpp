// Response times of the games: each scripted click, key press or clock tick
// is timed from the event to the end of the repaint it causes (the window
// is repainted synchronously after the event). Offscreen platform.
#include "games/Form7.h"
#include "games/fang.h"
#include "games/gamewidgets.h"
#include "games/memo.h"
#include "support/fakeprogram.h"
#include "support/picturedir.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <functional>

namespace {

struct Times {
    QList<double> ms;
    void time(QWidget *window, const std::function<void()> &event) {
        QElapsedTimer t;
        t.start();
        event();
        window->repaint();
        QCoreApplication::processEvents();
        ms << t.nsecsElapsed() / 1e6;
    }
    void report(const char *what) const {
        QList<double> s = ms;
        std::sort(s.begin(), s.end());
        double sum = 0;
        for (double v : s)
            sum += v;
        const int over16 = int(std::count_if(s.begin(), s.end(), [](double v) { return v > 16; }));
        qInfo("%-14s events %4d  mean %6.2f ms  median %6.2f  p95 %6.2f  max %6.2f  >16 ms: %d",
              what, int(s.size()), sum / s.size(), s[s.size() / 2], s[int(s.size() * 0.95)],
              s.last(), over16);
    }
};

const QStringList kNouns = {"derAal.jpg",  "derBaum.jpg",  "dieCola.jpg", "dasDach.jpg",
                            "dieEnte.jpg", "derFisch.jpg", "dieGans.jpg", "derHund.jpg",
                            "derIgel.jpg", "dieKatze.jpg", "derLöwe.jpg", "dieMaus.jpg"};

} // namespace

class GamesBench : public QObject {
    Q_OBJECT
    PictureDir *m_dir = nullptr;

private slots:
    void initTestCase() {
        m_dir = new PictureDir;
        for (const QString &n : kNouns)
            m_dir->addPicture(n, QSize(1024, 768), Qt::darkCyan); // a camera-sized picture
    }
    void cleanupTestCase() { delete m_dir; }

    void memoryGames() {
        FakeProgram p;
        p.setNouns(kNouns);
        Times t;
        p.showScreen(ScreenId::Memo);
        auto *w = screenAs<memo>(p, ScreenId::Memo);
        // Looked up once, outside the timed events.
        QWidget *covers[19] = {};
        for (int k = 1; k <= 18; ++k)
            covers[k] = control(w, ("Bezeichnung" + QByteArray::number(k)).constData());
        QWidget *start = control(w, "Command3");
        for (int game = 0; game < 10; ++game) {
            t.time(w, [&] { QTest::mouseClick(start, Qt::LeftButton); });
            const QStringList cards = w->game().cards();
            // One mismatch, then every pair; the last click also deals anew.
            t.time(w, [&] { QTest::mouseClick(covers[1], Qt::LeftButton); });
            const int other = cards[1] != cards[0] ? 2 : 3;
            t.time(w, [&] { QTest::mouseClick(covers[other], Qt::LeftButton); });
            for (int k = 1; k <= 18; ++k) {
                if (w->game().found(k) || !w->coverShown(k))
                    continue;
                const int mate = [&] {
                    for (int j = 1; j <= 18; ++j)
                        if (j != k && cards[j - 1] == cards[k - 1] && !w->game().found(j))
                            return j;
                    return 0;
                }();
                t.time(w, [&] { QTest::mouseClick(covers[k], Qt::LeftButton); });
                t.time(w, [&] { QTest::mouseClick(covers[mate], Qt::LeftButton); });
                if (w->game().cards() != cards)
                    break; // won: the next game is dealt
            }
        }
        QCOMPARE(p.log(LogList::Memory).size(), 90);
        t.report("memory");
    }

    void letterCarpets() {
        FakeProgram p;
        p.setNouns(kNouns);
        Times t;
        p.showScreen(ScreenId::Form7);
        auto *w = screenAs<Form7>(p, ScreenId::Form7);
        auto at = [&](int k) {
            const QPoint o = Carpet::cellOrigin(k);
            return QPoint((o.x() + 1000) / 15, (o.y() + 500) / 15);
        };
        QWidget *carpet = control(w, "bild1");
        QWidget *solution = control(w, "Label4");
        for (int game = 0; game < 20; ++game) {
            t.time(w,
                   [&] { QTest::mouseClick(carpet, Qt::LeftButton, {}, at(24)); }); // often wrong
            while (!w->solutionShown()) {
                const Carpet &c = w->carpet();
                const QString next = c.wordLetters()[c.foundLetters().size()];
                const int k = int(c.carpetLetters().mid(0, 25).indexOf(next));
                t.time(w, [&] { QTest::mouseClick(carpet, Qt::RightButton, {}, at(k)); });
            }
            t.time(w, [&] { QTest::mouseClick(solution, Qt::LeftButton); }); // the next carpet
        }
        QCOMPARE(p.log(LogList::Teppich).size(), 20);
        t.report("letter carpet");
    }

    void catchGames() {
        FakeProgram p;
        p.setNouns(kNouns);
        Times t;
        p.showScreen(ScreenId::Fang);
        auto *w = screenAs<fang>(p, ScreenId::Fang);
        control<QScrollBar>(w, "HBildlauf1")->setValue(3);
        QWidget *list = control(w, "List1");
        QWidget *field = control(w, "Bild5");
        for (int game = 0; game < 10; ++game) {
            t.time(w, [&] { QTest::mouseClick(field, Qt::LeftButton); });
            int presses = 0;
            const int logged = int(p.log(LogList::Fange).size());
            while (p.log(LogList::Fange).size() == logged) {
                if (++presses % 8 == 0) {
                    t.time(w, [&] { p.clockRec.tick(); });
                    continue;
                }
                const QPoint d = w->game().cell(0) - w->game().player();
                const Qt::Key key = d.x() > 0   ? Qt::Key_Right
                                    : d.x() < 0 ? Qt::Key_Left
                                    : d.y() > 0 ? Qt::Key_Down
                                                : Qt::Key_Up;
                t.time(w, [&] { QTest::keyClick(list, key); });
            }
        }
        t.report("catch game");
    }
};

QTEST_MAIN(GamesBench)
#include "games_bench.moc"
