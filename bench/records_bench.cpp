// Cost of keeping every answer: one append per answer, and opening the
// teacher's report over a full school year of a class.

#include "core/exercisetable.h"
#include "records/recordstore.h"
#include "records/report.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>

using namespace records;

class RecordsBench : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_class;   // 25 children × 200 days × 100 answers
    QString m_oneFile; // the same 500,000 answers in one child's file

    void writeClass() {
        const QStringList entries{"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg", "dieMaus.jpg",
                                  "derBaum.jpg", "dasAuto.jpg",  "derBall.jpg", "dieSonne.jpg"};
        QStringList ids;
        for (const Exercise &e : exercises::all())
            ids << QString::fromLatin1(e.recordId);
        RecordStore store(m_class);
        QFile all(m_oneFile);
        QVERIFY(all.open(QIODevice::WriteOnly));
        all.write(RecordStore::header());
        const QDateTime start = QDateTime::currentDateTime().addDays(-200);
        for (int c = 0; c < 25; ++c) {
            const QString name = QStringLiteral("Kind %1").arg(c);
            QByteArray text = RecordStore::header();
            for (int d = 0; d < 200; ++d)
                for (int a = 0; a < 100; ++a) {
                    const int k = c * 7 + d * 3 + a;
                    const Answer ans{ids[k % ids.size()], entries[k % entries.size()], k % 5 != 0,
                                     k % 5 ? QString() : QStringLiteral("die")};
                    text += RecordStore::line(name, ans, start.addDays(d).addSecs(a * 30));
                }
            QFile f(store.pathFor(name));
            QVERIFY(QDir().mkpath(m_class) && f.open(QIODevice::WriteOnly));
            f.write(text);
            all.write(text.mid(RecordStore::header().size()));
        }
    }

private slots:
    void initTestCase() {
        m_class = m_dir.filePath("Protokolle");
        m_oneFile = m_dir.filePath("one.csv");
        writeClass();
    }

    void appendOneAnswer() {
        RecordStore store(m_dir.filePath("append"));
        const Answer a{"begleiter", "derHund.jpg", false, "die"};
        QBENCHMARK {
            store.append("Mia", a);
        }
        QVERIFY(store.isEnabled());
    }

    void reportForEveryChild() {
        RecordStore store(m_class);
        int lines = 0;
        QBENCHMARK {
            lines = 0;
            for (const ChildFile &c : store.children()) {
                const QList<Record> recs = RecordStore::read(c.path);
                lines += int(recs.size());
                const Report r = buildReport(recs, QDate::currentDate());
                practiceEntries(recs, QDateTime::currentDateTime());
                QVERIFY(r.overall.total() == recs.size());
            }
        }
        QCOMPARE(lines, 500000);
    }

    void reportOverOneFile() {
        int lines = 0;
        QBENCHMARK {
            const QList<Record> recs = RecordStore::read(m_oneFile);
            lines = int(recs.size());
            buildReport(recs, QDate::currentDate());
            practiceEntries(recs, QDateTime::currentDateTime());
        }
        QCOMPARE(lines, 500000);
    }

    void partsOverOneFile() {
        // Processor time, not wall time: the machine is shared.
        auto cpuMs = [] { return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC; };
        double t = cpuMs();
        const QList<Record> recs = RecordStore::read(m_oneFile);
        const double read = cpuMs() - t;
        t = cpuMs();
        buildReport(recs, QDate::currentDate());
        const double report = cpuMs() - t;
        t = cpuMs();
        practiceEntries(recs, QDateTime::currentDateTime());
        const double practice = cpuMs() - t;
        qInfo("cpu: read %.0f ms, report %.0f ms, practice %.0f ms", read, report, practice);
    }

    void childListOnly() {
        RecordStore store(m_class);
        QBENCHMARK {
            QCOMPARE(store.children().size(), 25);
        }
    }
};

QTEST_GUILESS_MAIN(RecordsBench)
#include "records_bench.moc"
