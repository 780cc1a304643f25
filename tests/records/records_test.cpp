#include "records/recordstore.h"
#include "records/report.h"

#include <QDir>
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

QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void appendRaw(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Append));
    f.write(bytes);
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
            RecordStore store(folder);
            store.now = [] { return kNoon; };
            QVERIFY(store.append(name, answer("begleiter", "derHund.jpg", false, given)));
            QVERIFY(store.append(name, answer("lesen", "DASHAUS.JPG", true)));
        }
        RecordStore again(folder);
        const QList<ChildFile> kids = again.children();
        QCOMPARE(kids.size(), 1);
        QCOMPARE(kids[0].name, name);
        const QList<Record> recs = RecordStore::read(kids[0].path);
        QCOMPARE(recs.size(), 2);
        QCOMPARE(recs[0].name, name);
        QCOMPARE(recs[0].exercise, QString("begleiter"));
        QCOMPARE(recs[0].entry, QString("derHund.jpg"));
        QCOMPARE(recs[0].right, false);
        QCOMPARE(recs[0].given, storedGiven);
        QCOMPARE(recs[0].day, QDate(2024, 5, 10));
        QCOMPARE(recs[0].secs, kNoon.toSecsSinceEpoch());
        QCOMPARE(recs[1].entry, QString("DASHAUS.JPG"));
        QVERIFY(recs[1].right);
        // One header, then one line per answer.
        const QByteArray text = readAll(kids[0].path);
        QVERIFY(text.startsWith(RecordStore::header()));
        QCOMPARE(text.count('\n'), 3);
        for (const QByteArray &l : text.split('\n'))
            for (const QByteArray &field : l.split(','))
                QVERIFY2(!field.startsWith('=') && !field.startsWith('@') &&
                             !field.startsWith("\"="),
                         l.constData());
    }

    void namesKeepSeparateSafeFiles_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("case only") << QStringList{"Mia", "mia", "MIA"};
        QTest::newRow("slashes") << QStringList{"a/b", "a\\b", "a_b", "a:b", "a b"};
        QTest::newRow("dots") << QStringList{".", "..", "...", "_", ""};
        QTest::newRow("reserved") << QStringList{"CON", "con", "Con", "Lpt1", "NUL"};
        QTest::newRow("blanks") << QStringList{"Mia", "Mia ", " Mia", "Mia\t", "Mia\n"};
        const QString longName(80, QLatin1Char('x'));
        QTest::newRow("long") << QStringList{longName + "1", longName + "2"};
        QTest::newRow("composed or not")
            << QStringList{QString::fromUtf8("J\xc3\xbcrgen"), QString::fromUtf8("Ju\xcc\x88rgen")};
    }
    void namesKeepSeparateSafeFiles() {
        QFETCH(QStringList, names);
        QTemporaryDir dir;
        RecordStore store(dir.filePath("P"));
        QSet<QString> seen;
        for (const QString &n : names) {
            const QString file = RecordStore::fileNameFor(n);
            const QString base = file.chopped(4);
            QVERIFY2(!seen.contains(file.toLower()), qPrintable(n + " -> " + file));
            seen.insert(file.toLower());
            QVERIFY(file.endsWith(".csv"));
            QVERIFY(file.size() <= 60);
            QVERIFY(!base.isEmpty() && !base.startsWith(' ') && !base.endsWith(' '));
            for (QChar c : file)
                QVERIFY2(c.unicode() >= 0x20 && !QString("/\\:*?\"<>|").contains(c),
                         qPrintable(file));
            QVERIFY(!QStringList({"con", "prn", "aux", "nul", "lpt1", "com1"})
                         .contains(base.toLower()));
            QVERIFY(store.append(n, answer("lesen", "derHund.jpg", true)));
        }
        // A plain name is its own file name.
        QCOMPARE(RecordStore::fileNameFor("Anna-Lena"), QString("Anna-Lena.csv"));
        // Each child reads back exactly its own answer.
        const QList<ChildFile> kids = store.children();
        QCOMPARE(kids.size(), names.size());
        for (const ChildFile &k : kids)
            QCOMPARE(RecordStore::read(k.path).size(), 1);
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
        store.now = [] { return kNoon; };
        QVERIFY(store.append("Mia", answer("lesen", "derHund.jpg", true)));
        QVERIFY(store.append("Mia", answer("lesen", "dieKatze.jpg", false)));
        const QString path = store.pathFor("Mia");
        appendRaw(path, damage);
        // A truncated last line is skipped, everything before it is read.
        QList<Record> recs = RecordStore::read(path);
        QCOMPARE(recs.size(), 2);
        QCOMPARE(recs[1].entry, QString("dieKatze.jpg"));
        // The next answer does not join the damaged line.
        QVERIFY(store.append("Mia", answer("lesen", "dasHaus.jpg", true)));
        recs = RecordStore::read(path);
        QCOMPARE(recs.size(), 3);
        QCOMPARE(recs[2].entry, QString("dasHaus.jpg"));
    }

    void killedWriterLeavesWholeLines() {
        QTemporaryDir dir;
        const QString path = RecordStore(dir.path()).pathFor("Mia");
        const pid_t pid = forkWriter(dir.path(), "Mia", -1, "k");
        QTRY_VERIFY_WITH_TIMEOUT(readAll(path).count('\n') > 500, 20000);
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        QVERIFY(WIFSIGNALED(status));
        const QByteArray text = readAll(path);
        const QList<Record> recs = RecordStore::parse(text);
        // Every complete line after the header is a record.
        QCOMPARE(recs.size(), text.count('\n') - 1);
        for (int i = 0; i < recs.size(); ++i)
            QCOMPARE(recs[i].given, "k" + QString::number(i));
    }

    void twoWritersNeverMixLines() {
        QTemporaryDir dir;
        const int n = 3000;
        const pid_t a = forkWriter(dir.path(), "Mia", n, "a");
        const pid_t b = forkWriter(dir.path(), "Mia", n, "b");
        for (pid_t pid : {a, b}) {
            int status = -1;
            ::waitpid(pid, &status, 0);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const QByteArray text = readAll(RecordStore(dir.path()).pathFor("Mia"));
        const QList<Record> recs = RecordStore::parse(text);
        QCOMPARE(recs.size(), 2 * n);
        int next[2] = {0, 0};
        for (const Record &r : recs) {
            const int w = r.given.startsWith('a') ? 0 : 1;
            // Each writer's lines are whole and in its own order.
            QCOMPARE(r.given, QString(w ? "b" : "a") + QString::number(next[w]++));
        }
        QCOMPARE(next[0], n);
        QCOMPARE(next[1], n);
    }

    void unwritableFolderReportsOnce_data() {
        QTest::addColumn<bool>("folderIsAFile");
        QTest::newRow("folder below a file") << true;
        QTest::newRow("child file is a folder") << false;
    }
    void unwritableFolderReportsOnce() {
        QFETCH(bool, folderIsAFile);
        QTemporaryDir dir;
        QString folder = dir.filePath("P");
        if (folderIsAFile) {
            appendRaw(dir.filePath("file"), "x");
            folder = dir.filePath("file/P");
        } else {
            QVERIFY(QDir().mkpath(folder + "/Mia.csv"));
        }
        RecordStore store(folder);
        int calls = 0;
        store.onFailure = [&](const QString &) { ++calls; };
        QVERIFY(!store.append("Mia", answer("lesen", "derHund.jpg", true)));
        QVERIFY(!store.append("Mia", answer("lesen", "derHund.jpg", true)));
        QVERIFY(!store.append("Ole", answer("lesen", "derHund.jpg", true)));
        QCOMPARE(calls, 1);
        QVERIFY(!store.isEnabled());
        QVERIFY(store.takeProblemReport().contains("nicht gespeichert"));
        QVERIFY(store.takeProblemReport().isEmpty());
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
        QCOMPARE(r.exercises.size(), 3);
        // In the log window's order: Lesen, Begleiter, Diktat.
        QCOMPARE(r.exercises[0].exercise, QString("lesen"));
        const ExerciseReport &b = r.exercises[1];
        QCOMPARE(b.exercise, QString("begleiter"));
        QCOMPARE(b.overall.right, 2);
        QCOMPARE(b.overall.wrong, 3);
        QCOMPARE(b.overall.percentRight(), 40);
        QCOMPARE(b.lastWeek.right, 2);
        QCOMPARE(b.lastWeek.wrong, 2);
        QCOMPARE(b.lastWeek.percentRight(), 50);
        QCOMPARE(b.mostWrong.size(), 2);
        QCOMPARE(b.mostWrong[0].noun, QString("Katze"));
        QCOMPARE(b.mostWrong[0].count, 2);
        QCOMPARE(b.mostWrong[1].noun, QString("Hund"));
        QCOMPARE(r.exercises[2].overall.wrong, 1);
        QCOMPARE(r.overall.total(), 8);
        QCOMPARE(r.lastWeek.total(), 7);
        QCOMPARE(r.days.size(), 4);
        QCOMPARE(r.days[1].day, QDate(2024, 5, 4));
        QCOMPARE(r.days[1].tally.right, 1);
        QCOMPARE(r.days[1].tally.wrong, 1);
        QCOMPARE(r.days[3].tally.right, 2);
        const QList<DayTally> chart = lastDays(r.days, QDate(2024, 5, 10), 7);
        QCOMPARE(chart.size(), 7);
        QCOMPARE(chart.first().day, QDate(2024, 5, 4));
        QCOMPARE(chart[1].tally.total(), 0);
        QCOMPARE(chart[5].tally.total(), 2);
        // der→das, die→das, die→der wrong; der and das right.
        QCOMPARE(r.confusion.counts[0][2], 1);
        QCOMPARE(r.confusion.counts[1][2], 1);
        QCOMPARE(r.confusion.counts[1][0], 1);
        QCOMPARE(r.confusion.counts[0][0], 1);
        QCOMPARE(r.confusion.counts[2][2], 1);
        QCOMPARE(r.confusion.total(), 5);
        // Each wrong article counts under its noun.
        QCOMPARE(r.confusion.nouns.size(), 2);
        QCOMPARE(r.confusion.nouns[0].noun, QString("Katze"));
        QCOMPARE(r.confusion.nouns[0].article, QString("die"));
        QCOMPARE(r.confusion.nouns[0].chosen, (std::array<int, 3>{1, 0, 1}));
        QCOMPARE(r.confusion.nouns[1].chosen, (std::array<int, 3>{0, 0, 1}));
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
            Record r;
            r.entry = "derHund.jpg";
            r.right = a.endsWith('r');
            r.secs = now.addDays(a.chopped(1).toInt()).toSecsSinceEpoch() + minute++;
            recs << r;
        }
        // Another noun never disturbs the selection.
        Record other;
        other.entry = "dieKatze.jpg";
        other.right = true;
        other.secs = now.toSecsSinceEpoch() - 60;
        recs << other;
        QCOMPARE(practiceEntries(recs, now), due ? QStringList{"derHund.jpg"} : QStringList());
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "records_test.moc"
