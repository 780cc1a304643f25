// What a pupil can leave in the records folder of a class share: links that
// would carry the answers elsewhere, FIFOs and devices that would hang or
// flood a reader, a full disk that would keep half a line.

#include "records/recordstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace records;

namespace {

const Answer kRight{"lesen", "derHund.jpg", true, {}};

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool fifo(const QString &path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

} // namespace

class RecordFilesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // A stuck open would hang the whole test: end it instead.
        ::alarm(60);
    }

    void answersNeverLeaveTheFolder_data() {
        QTest::addColumn<QString>("folderTrap");
        QTest::addColumn<QString>("fileTrap");
        QTest::addColumn<bool>("othersKept");
        // folderTrap: "link" makes Protokolle a link to elsewhere/.
        // fileTrap: what Protokolle/Mia.csv is.
        QTest::newRow("folder linked elsewhere") << "link"
                                                 << "" << false;
        QTest::newRow("file linked to a teacher's file") << ""
                                                         << "link" << true;
        QTest::newRow("file linked to a missing file") << ""
                                                       << "dangling" << true;
        QTest::newRow("file is a FIFO") << ""
                                        << "fifo" << true;
        QTest::newRow("file linked to a FIFO") << ""
                                               << "fifolink" << true;
        QTest::newRow("file linked to a device") << ""
                                                 << "device" << true;
        QTest::newRow("file is a folder") << ""
                                          << "folder" << true;
    }
    void answersNeverLeaveTheFolder() {
        QFETCH(QString, folderTrap);
        QFETCH(QString, fileTrap);
        QFETCH(bool, othersKept);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("elsewhere"));
        const QString bashrc = dir.filePath("elsewhere/bashrc");
        QVERIFY(writeFile(bashrc, "alias ls='ls -F'\n"));
        const QString folder = dir.filePath("Protokolle");
        if (folderTrap == "link")
            QVERIFY(QFile::link(dir.filePath("elsewhere"), folder));
        else
            QVERIFY(QDir(dir.path()).mkdir("Protokolle"));
        RecordStore store(folder);
        QStringList told;
        store.onFailure = [&](const QString &p) { told << p; };
        const QString mia = store.pathFor("Mia");
        if (fileTrap == "link")
            QVERIFY(QFile::link(bashrc, mia));
        else if (fileTrap == "dangling")
            QVERIFY(QFile::link(dir.filePath("elsewhere/new"), mia));
        else if (fileTrap == "fifo")
            QVERIFY(fifo(mia));
        else if (fileTrap == "fifolink")
            QVERIFY(fifo(dir.filePath("elsewhere/pipe")) &&
                    QFile::link(dir.filePath("elsewhere/pipe"), mia));
        else if (fileTrap == "device")
            QVERIFY(QFile::link("/dev/null", mia));
        else if (fileTrap == "folder")
            QVERIFY(QDir().mkdir(mia));

        for (int i = 0; i < 3; ++i)
            QVERIFY(!store.append("Mia", {"lesen", "x;touch pwned;#", true, {}}));
        QVERIFY(store.append("Ole", kRight) == othersKept);

        // Nothing outside the records folder changed or appeared.
        QCOMPARE(contents(bashrc), QByteArray("alias ls='ls -F'\n"));
        const QStringList outside =
            QDir(dir.filePath("elsewhere"))
                .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        const QStringList expected =
            fileTrap == "fifolink" ? QStringList{"bashrc", "pipe"} : QStringList{"bashrc"};
        QCOMPARE(outside, expected);
        // The teacher is told once, naming the file or the folder.
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(othersKept ? "Mia" : "Protokolle"), qPrintable(told[0]));
        QCOMPARE(store.takeProblemReport(), told[0]);
        QCOMPARE(store.takeProblemReport(), QString());
        // The report sees nothing of the traps, and reading them never waits.
        QCOMPARE(RecordStore::read(mia).size(), 0);
        QStringList kids;
        for (const ChildFile &c : store.children())
            kids << c.name;
        QCOMPARE(kids, othersKept ? QStringList{"Ole"} : QStringList{});
    }

    void hugeAndEndlessFilesReadInBoundedTime_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to /dev/zero") << "zero";
        QTest::newRow("1 GB sparse file ending in an answer") << "sparse";
        QTest::newRow("one endless line") << "longline";
    }
    void hugeAndEndlessFilesReadInBoundedTime() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        RecordStore store(dir.filePath("Protokolle"));
        QVERIFY(store.append("Mia", kRight));
        const QString path = store.pathFor("Mia");
        const QByteArray last = RecordStore::line("Mia", kRight, QDateTime::currentDateTime());
        if (kind == "zero") {
            QVERIFY(QFile::remove(path) && QFile::link("/dev/zero", path));
        } else if (kind == "sparse") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.resize(qint64(1) << 30));
            QVERIFY(f.seek(f.size()) && f.write("\n" + last) == last.size() + 1);
        } else {
            QVERIFY(writeFile(path, RecordStore::header() + last + QByteArray(8 << 20, 'x') + "\n" +
                                        last));
        }
        const QList<Record> recs = RecordStore::read(path);
        // The end of a huge file is still read; a device reads as nothing.
        QCOMPARE(recs.size(), kind == "zero" ? 0 : kind == "sparse" ? 1 : 2);
    }

    void aFullDiskKeepsOnlyWholeLines() {
        QTemporaryDir dir;
        RecordStore store(dir.filePath("Protokolle"));
        QVERIFY(store.append("Mia", kRight));
        const QString path = store.pathFor("Mia");
        const QByteArray before = contents(path);
        // The child process may grow files only a few bytes more: the next
        // answer fits in part, as on a file system with a few bytes left.
        const pid_t pid = fork();
        if (pid == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit lim{rlim_t(before.size() + 10), rlim_t(before.size() + 10)};
            ::setrlimit(RLIMIT_FSIZE, &lim);
            RecordStore child(dir.filePath("Protokolle"));
            bool told = false;
            child.onFailure = [&](const QString &) { told = true; };
            const bool kept = child.append("Mia", kRight);
            _exit(!kept && told && !child.isEnabled() ? 0 : 1);
        }
        int status = -1;
        ::waitpid(pid, &status, 0);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QCOMPARE(contents(path), before);
        QVERIFY(store.append("Mia", kRight));
        QCOMPARE(RecordStore::read(path).size(), 2);
    }
};

QTEST_GUILESS_MAIN(RecordFilesTest)
#include "recordfiles_test.moc"
