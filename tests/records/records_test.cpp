#include "core/clock.h"
#include "records/recordstore.h"
#include "records/report.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace records;

namespace {

const QDateTime kNoon(QDate(2024, 5, 10), QTime(12, 0), Qt::OffsetFromUTC, 7200);

Answer answer(const QString &ex, const QString &entry, bool right, const QString &given = {}) {
    return Answer{ex, entry, right, given};
}

/// A clock that stands still at one moment.
class FixedClock final : public Clock {
public:
    explicit FixedClock(const QDateTime &t) : m_t(t) {}
    QDate today() const override { return m_t.date(); }
    double secondsSinceMidnight() const override {
        return m_t.time().msecsSinceStartOfDay() / 1000.0;
    }
    Ticker *createTicker(QObject *) override { return nullptr; }
    QDateTime now() const override { return m_t; }

private:
    QDateTime m_t;
};

QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void appendRaw(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Append));
    f.write(bytes);
}

QString str(const Tally &t) {
    return QString("%1/%2").arg(t.right).arg(t.wrong);
}

/// Appends `count` answers from a child process; returns its pid.
pid_t forkWriter(const QString &folder, const QString &name, int count, const QString &tag) {
    const pid_t pid = fork();
    if (pid == 0) {
        RecordStore store(folder);
        for (int i = 0; count < 0 || i < count; ++i)
            if (!store.append(name,
                              answer("diktat", "derHund.jpg", i % 2, tag + QString::number(i))))
                _exit(2);
        _exit(0);
    }
    return pid;
}

} // namespace

class RecordsTest : public QObject {
    Q_OBJECT
private slots:
    void answersSurviveAReopen_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("storedGiven");
        auto row = [](const char *tag, const char *name, const char *given, const char *stored) {
            QTest::newRow(tag) << QString(name) << QString(given) << QString(stored);
        };
        row("plain", "Mia", "die", "die");
        row("comma and quote", "Ole, \"der Große\"", "Hu,n\"d", "Hu,n\"d");
        row("line breaks flattened", "Jürgen", "Hu\nnd\r", "Hu nd ");
        // Read back as typed, but never run by a spreadsheet.
        row("formula", "=HYPERLINK(\"x\")", "@SUM(A1)", "@SUM(A1)");
    }
    void answersSurviveAReopen() {
        QFETCH(QString, name);
        QFETCH(QString, given);
        QFETCH(QString, storedGiven);
        QTemporaryDir dir;
        const QString folder = dir.filePath("Protokolle");
        {
            const FixedClock noon(kNoon);
            RecordStore store(folder, &noon);
            QVERIFY(store.append(name, answer("begleiter", "derHund.jpg", false, given)));
            QVERIFY(store.append(name, answer("lesen", "DASHAUS.JPG", true)));
        }
        RecordStore again(folder);
        const QList<ChildFile> kids = again.children();
        QCOMPARE(kids.size(), 1);
        QCOMPARE(kids[0].name, name);
        const QList<Record> recs = RecordStore::read(kids[0].path);
        QCOMPARE(recs.size(), 2);
        const Record &r = recs[0];
        QCOMPARE((QStringList{r.name, r.exercise, r.entry, r.given, recs[1].entry}),
                 (QStringList{name, "begleiter", "derHund.jpg", storedGiven, "DASHAUS.JPG"}));
        QCOMPARE((std::tuple{r.right, recs[1].right, r.day, r.secs}),
                 (std::tuple{false, true, QDate(2024, 5, 10), kNoon.toSecsSinceEpoch()}));
        // One header, then one line per answer.
        const QByteArray text = readAll(kids[0].path);
        QVERIFY(text.startsWith(RecordStore::header()));
        QCOMPARE(text.count('\n'), 3);
        for (const char *formula : {",=", ",@", ",\"=", ",\"@"})
            QVERIFY2(!text.contains(formula), text.constData());
    }

    void namesKeepSeparateSafeFiles() {
        // Every name here needs a file of its own, safe on any file system.
        const QString longName(80, QLatin1Char('x'));
        QStringList names = QString("Mia|mia|MIA|Mia | Mia|Mia\t|Mia\n|CON|con|Con|Lpt1|NUL|"
                                    "a/b|a\\b|a_b|a:b|a b|.|..|...|_|")
                                .split('|');
        names << longName + "1" << longName + "2" << QString::fromUtf8("J\xc3\xbcrgen");
        QTemporaryDir dir;
        RecordStore store(dir.filePath("P"));
        QSet<QString> seen;
        for (const QString &n : names) {
            const QString file = RecordStore::fileNameFor(n);
            const QString base = file.chopped(4);
            QVERIFY2(!seen.contains(file.toLower()), qPrintable(n + " -> " + file));
            seen.insert(file.toLower());
            QVERIFY(file.endsWith(".csv") && file.size() <= 60);
            QVERIFY(!base.isEmpty() && !base.startsWith(' ') && !base.endsWith(' '));
            for (QChar c : file)
                QVERIFY2(c.unicode() >= 0x20 && !QString("/\\:*?\"<>|").contains(c),
                         qPrintable(file));
            QVERIFY(!QStringList({"con", "prn", "aux", "nul", "lpt1", "com1"})
                         .contains(base.toLower()));
            QVERIFY(store.append(n, answer("lesen", "derHund.jpg", true)));
        }
        // A plain name is its own file name; an umlaut typed decomposed is
        // the same name, in the same file, stored composed.
        QCOMPARE(RecordStore::fileNameFor("Anna-Lena"), QString("Anna-Lena.csv"));
        const QString decomposed = QString::fromUtf8("Ju\xcc\x88rgen");
        QVERIFY(store.append(decomposed, answer("lesen", "dasHaus.jpg", true)));
        const QList<Record> juergen = RecordStore::read(store.pathFor(names.last()));
        QCOMPARE(juergen.size(), 2);
        QCOMPARE(juergen.last().name, names.last());
        // Each child reads back exactly its own answer.
        const QList<ChildFile> kids = store.children();
        QCOMPARE(kids.size(), names.size());
        for (const ChildFile &k : kids)
            QCOMPARE(RecordStore::read(k.path).size(), k.name == names.last() ? 2 : 1);
    }

    void damagedLinesAreSkipped_data() {
        QTest::addColumn<QByteArray>("damage");
        QTest::newRow("cut in the time") << QByteArray("2024-05-1");
        QTest::newRow("cut in a quoted field") << QByteArray("2024-05-10T12:00:00+02:00,\"Mi");
        QTest::newRow("cut before the last field")
            << QByteArray("2024-05-10T12:00:00+02:00,Mia,lesen,derHund.jpg,1");
        QTest::newRow("garbage") << QByteArray("\xff\xfe\x00zz", 5);
    }
    void damagedLinesAreSkipped() {
        QFETCH(QByteArray, damage);
        QTemporaryDir dir;
        RecordStore store(dir.path());
        const QString path = store.pathFor("Mia");
        QVERIFY(store.append("Mia", answer("lesen", "derHund.jpg", true)));
        appendRaw(path, damage);
        // A truncated last line is skipped, everything before it is read.
        QCOMPARE(RecordStore::read(path).size(), 1);
        // The next answer does not join the damaged line.
        QVERIFY(store.append("Mia", answer("lesen", "dasHaus.jpg", true)));
        const QList<Record> recs = RecordStore::read(path);
        QCOMPARE(recs.size(), 2);
        QCOMPARE(recs[1].entry, QString("dasHaus.jpg"));
    }

    void writersLeaveWholeUnmixedLines() {
        // Writer a appends all its answers while b writes alongside; then b
        // is killed somewhere in its loop.
        QTemporaryDir dir;
        const int n = 3000;
        const pid_t a = forkWriter(dir.path(), "Mia", n, "a");
        const pid_t b = forkWriter(dir.path(), "Mia", -1, "b");
        int statusA = -1, statusB = -1;
        ::waitpid(a, &statusA, 0);
        ::kill(b, SIGKILL);
        ::waitpid(b, &statusB, 0);
        QVERIFY(WIFEXITED(statusA) && WEXITSTATUS(statusA) == 0 && WIFSIGNALED(statusB));
        const QByteArray text = readAll(RecordStore(dir.path()).pathFor("Mia"));
        const QList<Record> recs = RecordStore::parse(text);
        // One header, then every line a record, each writer's lines whole and
        // in its own order.
        QVERIFY(text.startsWith(RecordStore::header()));
        QCOMPARE(recs.size(), text.count('\n') - 1);
        int next[2] = {0, 0};
        for (const Record &r : recs) {
            const int w = r.given.startsWith('a') ? 0 : 1;
            QCOMPARE(r.given, QString(w ? "b" : "a") + QString::number(next[w]++));
        }
        QCOMPARE(next[0], n);
        QVERIFY(next[1] > 0);
    }

    void reportFigures() {
        // Today 10 May; the last 7 days are 4 to 10 May.
        const QByteArray csv = RecordStore::header() +
                               "2024-05-01T09:00:00+02:00,Mia,begleiter,derHund.jpg,0,das\n"
                               "2024-05-04T09:00:00+02:00,Mia,begleiter,derHund.jpg,1,der\n"
                               "2024-05-04T09:01:00+02:00,Mia,begleiter,dieKatze.jpg,0,das\n"
                               "2024-05-09T09:00:00+02:00,Mia,begleiter,dieKatze.jpg,0,der\n"
                               "2024-05-09T09:01:00+02:00,Mia,begleiter,dasHaus.jpg,1,das\n"
                               "2024-05-10T08:00:00+02:00,Mia,diktat,derHund.jpg,0,Hunt\n"
                               "2024-05-10T08:01:00+02:00,Mia,diktat,dieMaus.jpg,1,Maus\n"
                               "2024-05-10T08:02:00+02:00,Mia,lesen,dieMaus.jpg,1,\n";
        const Report r = buildReport(RecordStore::parse(csv), QDate(2024, 5, 10));
        QCOMPARE(r.name, QString("Mia"));
        // In the log window's order: Begleiter, Diktat (a noun read is no
        // answer); right/wrong overall and in the last week, then the nouns
        // most often wrong.
        QStringList exercises;
        for (const ExerciseReport &e : r.exercises) {
            exercises << e.exercise + " " + str(e.overall) + " " + str(e.lastWeek);
            for (const NounCount &n : e.mostWrong)
                exercises.last() += QString(" %1:%2").arg(n.noun).arg(n.count);
        }
        QCOMPARE(exercises,
                 (QStringList{"begleiter 2/3 2/2 Katze:2 Hund:1", "diktat 1/1 1/1 Hund:1"}));
        QCOMPARE(r.exercises[0].overall.percentRight(), 40);
        QCOMPARE(str(r.overall) + " " + str(r.lastWeek), QString("3/4 3/3"));
        // The chart's days: the last seven, with and without answers.
        QStringList chart;
        for (const DayTally &d : lastDays(r.days, QDate(2024, 5, 10), 7))
            chart << d.day.toString("dd ") + str(d.tally);
        QCOMPARE(chart, (QStringList{"04 1/1", "05 0/0", "06 0/0", "07 0/0", "08 0/0", "09 1/1",
                                     "10 1/1"}));
        // der→das, die→das, die→der wrong; der and das right.
        using Counts = std::array<std::array<int, 3>, 3>;
        QCOMPARE(r.confusion.counts, (Counts{{{1, 0, 1}, {1, 0, 1}, {0, 0, 1}}}));
        QCOMPARE(r.confusion.total(), 5);
        // Each wrong article counts under its noun.
        QStringList nouns;
        for (const Confusion::Row &n : r.confusion.nouns)
            nouns << n.noun + " " + n.article +
                         QString::asprintf(" %d%d%d", n.chosen[0], n.chosen[1], n.chosen[2]);
        QCOMPARE(nouns, (QStringList{"Katze die 101", "Hund der 001"}));
    }

    void practiceSelection_data() {
        QTest::addColumn<QByteArray>("answers"); // day offset and r/w per answer
        QTest::addColumn<bool>("due");
        QTest::newRow("wrong yesterday") << QByteArray("-1w") << true;
        QTest::newRow("then right once") << QByteArray("-2w -1r") << true;
        QTest::newRow("then right twice") << QByteArray("-2w -1r -1r") << false;
        QTest::newRow("right twice, wrong again") << QByteArray("-3w -2r -2r -1w") << true;
        QTest::newRow("right before the miss") << QByteArray("-3r -3r -1w") << true;
        QTest::newRow("wrong eight days ago") << QByteArray("-8w") << false;
        QTest::newRow("never wrong") << QByteArray("-1r") << false;
    }
    void practiceSelection() {
        QFETCH(QByteArray, answers);
        QFETCH(bool, due);
        const QDateTime now(QDate(2024, 5, 10), QTime(12, 0), Qt::UTC);
        QList<Record> recs;
        int minute = 0;
        for (const QByteArray &a : answers.split(' ')) {
            const qint64 secs = now.addDays(a.chopped(1).toInt()).toSecsSinceEpoch() + minute++;
            recs << Record{{}, {}, "derHund.jpg", {}, a.endsWith('r'), {}, secs};
        }
        // Another noun never disturbs the selection.
        recs << Record{{}, {}, "dieKatze.jpg", {}, true, {}, now.toSecsSinceEpoch() - 60};
        QCOMPARE(practiceEntries(recs, now), due ? QStringList{"derHund.jpg"} : QStringList());
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "records_test.moc"
