// What a pupil's files in the picture folder cost the program: the time and
// the peak memory of reading a huge or endless Silben.txt, records file and
// settings file through the careful file path. Each case runs in a child
// process of its own, so its peak resident memory is its own.

#include "core/extras.h"
#include "records/recordstore.h"
#include "syllables/syllabifier.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool sparse(const QString &path, qint64 size, const QByteArray &tail = {}) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.resize(size - tail.size()) && f.seek(f.size()) &&
           f.write(tail) == tail.size();
}

/// Runs `work` in a child; prints its wall time and the child's peak RSS.
void measure(const char *what, const std::function<void()> &work) {
    const pid_t pid = fork();
    if (pid == 0) {
        QElapsedTimer t;
        t.start();
        work();
        const qint64 ms = t.elapsed();
        rusage u{};
        getrusage(RUSAGE_SELF, &u);
        printf("%-44s %6lld ms  peak %6ld MB\n", what, static_cast<long long>(ms),
               u.ru_maxrss / 1024);
        fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace

class HostileFilesBench : public QObject {
    Q_OBJECT
private slots:
    void readingCosts() {
        QTemporaryDir dir;
        const QString silben = dir.filePath("Silben.txt");
        const QString zero = dir.filePath("zero.txt");
        QVERIFY(QFile::link("/dev/zero", zero));
        QByteArray list;
        while (list.size() < (50 << 20))
            list += "Ameise=A-mei-se\n";
        {
            QFile f(silben);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(list) == list.size());
        }
        list = QByteArray(); // not counted in the children's peaks
        measure("baseline (nothing read)", [] {});
        measure("Silben.txt, 50 MB of lines", [&] { Syllabifier().loadOverrides(silben); });
        measure("Silben.txt -> /dev/zero", [&] { Syllabifier().loadOverrides(zero); });

        records::RecordStore store(dir.filePath("Protokolle"));
        QVERIFY(store.append("Mia", {"begleiter", "derHund.jpg", true, "der"}));
        const QString mia = store.pathFor("Mia");
        const QByteArray line = records::RecordStore::line(
            "Mia", {"begleiter", "derHund.jpg", true, "der"}, QDateTime::currentDateTime());
        QVERIFY(sparse(mia, qint64(1) << 30, "\n" + line));
        measure("records, 1 GB sparse file", [&] { records::RecordStore::read(mia); });
        QByteArray many = records::RecordStore::header();
        while (many.size() < (60 << 20))
            many += line;
        const QString ole = store.pathFor("Ole");
        {
            QFile f(ole);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(many) == many.size());
        }
        many = QByteArray();
        measure("records, 60 MB of answers (~1M lines)", [&] { records::RecordStore::read(ole); });

        const QString ini = dir.filePath("Kalimbo.ini");
        QVERIFY(sparse(ini, qint64(1) << 30));
        measure("user settings, 1 GB", [&] {
            QSettings s(Extras::usableFile(ini), QSettings::IniFormat);
            Extras::load(s);
        });
    }
};

QTEST_GUILESS_MAIN(HostileFilesBench)
#include "hostilefiles_bench.moc"
