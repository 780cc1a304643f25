// The report window over a whole school year of one class in one file
// (500,000 answers): how long the window thread stands still when it opens,
// how long until the figures show, and the same again after a few more
// answers were appended (read incrementally).

#include "log/verlauf.h"
#include "records/recordstore.h"
#include "support/fakeprogram.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <malloc.h>

using namespace records;

namespace {

struct Timing {
    double activation = 0; // the window thread inside showScreen
    double figures = 0;    // from the click to the figures
    double longestStall = 0;
};

/// Opens the report and waits for its figures, watching the event loop.
Timing open(FakeProgram &p) {
    Timing t;
    QElapsedTimer clock;
    clock.start();
    p.showScreen(ScreenId::Verlauf);
    t.activation = clock.nsecsElapsed() / 1e6;
    auto *v = static_cast<Verlauf *>(p.existing(ScreenId::Verlauf));
    qint64 last = clock.nsecsElapsed();
    while (v->isReading()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const qint64 now = clock.nsecsElapsed();
        t.longestStall = std::max(t.longestStall, (now - last) / 1e6);
        last = now;
        QThread::usleep(200);
    }
    t.figures = clock.nsecsElapsed() / 1e6;
    return t;
}

void leave(FakeProgram &p) {
    auto *v = p.existing(ScreenId::Verlauf);
    v->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
}

/// Resident memory of this process in MB.
double residentMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

double median(QList<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

class VerlaufBench : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<RecordStore> m_store;

private slots:
    void initTestCase() {
        m_store = std::make_unique<RecordStore>(m_dir.filePath("Protokolle"));
        const QStringList entries{"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg", "dieMaus.jpg",
                                  "derBaum.jpg", "dasAuto.jpg",  "derBall.jpg", "dieSonne.jpg"};
        QStringList ids;
        for (const Exercise &e : exercises::all())
            ids << QString::fromLatin1(e.recordId);
        QByteArray text = RecordStore::header();
        const QDateTime start = QDateTime::currentDateTime().addDays(-200);
        for (int d = 0; d < 200; ++d)
            for (int a = 0; a < 2500; ++a) {
                const int k = d * 3 + a;
                const Answer ans{ids[k % ids.size()], entries[k % entries.size()], k % 5 != 0,
                                 k % 5 ? QString() : QStringLiteral("die")};
                text +=
                    RecordStore::line(QStringLiteral("Mia"), ans, start.addDays(d).addSecs(a * 10));
            }
        QVERIFY(QDir().mkpath(m_store->folder()));
        QFile f(m_store->pathFor(QStringLiteral("Mia")));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
        qInfo("one file, %lld bytes, 500000 answers", qint64(text.size()));
    }

    // A fresh window each time: nothing read before.
    void firstOpen() {
        QList<double> act, fig, stall;
        const double before = residentMb();
        double kept = 0, held = 0;
        for (int i = 0; i < 5; ++i) {
            FakeProgram p;
            p.recordStore = m_store.get();
            p.setChild(QStringLiteral("Mia"));
            const Timing t = open(p);
            act << t.activation;
            fig << t.figures;
            stall << t.longestStall;
            QCOMPARE(
                static_cast<Verlauf *>(p.existing(ScreenId::Verlauf))->report().overall.total(),
                500000);
            if (i == 0) {
                kept = residentMb() - before;
                malloc_trim(0); // what the answers hold, without the allocator's slack
                held = residentMb() - before;
            }
        }
        qInfo("first open: window thread %.1f ms in the click, figures after %.0f ms, "
              "longest stall while reading %.1f ms (medians of 5)",
              median(act), median(fig), median(stall));
        qInfo("memory of the open window after the first open: %.0f MB more resident, %.0f MB "
              "held",
              kept, held);
    }

    // The same window again after 100 more answers: only they are read.
    void reopenAfterMoreAnswers() {
        FakeProgram p;
        p.recordStore = m_store.get();
        p.setChild(QStringLiteral("Mia"));
        open(p);
        leave(p);
        QList<double> act, fig, stall;
        int expected =
            static_cast<Verlauf *>(p.existing(ScreenId::Verlauf))->report().overall.total();
        for (int i = 0; i < 5; ++i) {
            for (int a = 0; a < 100; ++a)
                m_store->append(QStringLiteral("Mia"),
                                {"begleiter", "derHund.jpg", a % 2 == 1, "die"});
            expected += 100;
            const Timing t = open(p);
            act << t.activation;
            fig << t.figures;
            stall << t.longestStall;
            QCOMPARE(
                static_cast<Verlauf *>(p.existing(ScreenId::Verlauf))->report().overall.total(),
                expected);
            leave(p);
        }
        qInfo("reopen after 100 more answers: window thread %.1f ms in the click, figures after "
              "%.0f ms, longest stall while reading %.1f ms (medians of 5)",
              median(act), median(fig), median(stall));
    }
};

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    VerlaufBench b;
    return QTest::qExec(&b, argc, argv);
}
#include "verlauf_bench.moc"
