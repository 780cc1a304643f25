// New files beside the pictures: written under a temporary name and renamed
// without ever replacing what is there; nothing half-written stays behind.

#include "files/safefile.h"
#include "support/filesystems.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <functional>

namespace {

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

/// Names in the folder, hidden ones (temporary files) included.
QStringList names(const QString &dir) {
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

files::Folder folder(const QString &path) {
    return files::Folder::open(path, QStringLiteral("."), false, nullptr);
}

using Rename = std::function<int(const files::Folder &, const QString &, const files::Folder &,
                                 const QString &)>;

} // namespace

class SafeWriteTest : public QObject {
    Q_OBJECT
private slots:
    void writeNew_data() {
        QTest::addColumn<QString>(
            "existing"); // what lies at the name before: "", file, link, dangling
        QTest::addColumn<int>("error");
        QTest::newRow("free name") << "" << 0;
        QTest::newRow("file there") << "file" << EEXIST;
        QTest::newRow("link to a file there") << "link" << EEXIST;
        QTest::newRow("dangling link there") << "dangling" << EEXIST;
    }
    void writeNew() {
        QFETCH(QString, existing);
        QFETCH(int, error);
        QTemporaryDir dir;
        write(dir.filePath("elsewhere"), "old");
        if (existing == "file")
            write(dir.filePath("derHund.jpg"), "old");
        else if (existing == "link")
            QVERIFY(QFile::link(dir.filePath("elsewhere"), dir.filePath("derHund.jpg")));
        else if (existing == "dangling")
            QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("derHund.jpg")));
        const QStringList before = names(dir.path());
        const files::Info info = folder(dir.path()).writeNew("derHund.jpg", "new");
        QCOMPARE(info.error, error);
        QCOMPARE(info.status == files::Status::Ok, error == 0);
        QCOMPARE(contents(dir.filePath("elsewhere")), QByteArray("old"));
        if (error == 0) {
            QCOMPARE(contents(dir.filePath("derHund.jpg")), QByteArray("new"));
        } else {
            QCOMPARE(names(dir.path()), before); // no temporary file left
            if (existing == "file")
                QCOMPARE(contents(dir.filePath("derHund.jpg")), QByteArray("old"));
            else
                QVERIFY(QFileInfo(dir.filePath("derHund.jpg")).isSymLink());
        }
    }

    void renames_data() {
        QTest::addColumn<bool>("byLink");
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("rename, free") << false << false;
        QTest::newRow("rename, taken") << false << true;
        QTest::newRow("link fallback, free") << true << false;
        QTest::newRow("link fallback, taken") << true << true;
    }
    void renames() {
        QFETCH(bool, byLink);
        QFETCH(bool, targetExists);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("Papierkorb"));
        write(dir.filePath("derHund.jpg"), "picture");
        if (targetExists)
            write(dir.filePath("Papierkorb/derHund.jpg"), "older");
        const Rename rename = byLink ? Rename(files::renameByLink) : Rename(files::renameNoReplace);
        const files::Folder from = folder(dir.path());
        const files::Folder to = files::Folder::open(dir.path(), "Papierkorb", false, nullptr);
        QCOMPARE(rename(from, "derHund.jpg", to, "derHund.jpg"), targetExists ? EEXIST : 0);
        QCOMPARE(contents(dir.filePath("Papierkorb/derHund.jpg")),
                 QByteArray(targetExists ? "older" : "picture"));
        QCOMPARE(QFile::exists(dir.filePath("derHund.jpg")), targetExists);
        if (targetExists)
            QCOMPARE(contents(dir.filePath("derHund.jpg")), QByteArray("picture"));
    }

    void replaceNeverFollowsALink() {
        QTemporaryDir dir;
        write(dir.filePath("target"), "keep");
        QVERIFY(QFile::link(dir.filePath("target"), dir.filePath("Silben.txt")));
        QCOMPARE(folder(dir.path()).replace("Silben.txt", "Igel=I-gel\n").status,
                 files::Status::Ok);
        QCOMPARE(contents(dir.filePath("target")), QByteArray("keep"));
        QVERIFY(!QFileInfo(dir.filePath("Silben.txt")).isSymLink());
        QCOMPARE(contents(dir.filePath("Silben.txt")), QByteArray("Igel=I-gel\n"));
        QCOMPARE(names(dir.path()), QStringList({"Silben.txt", "target"}));
    }

    void troubledDisksLeaveNothing_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("error");
        QTest::newRow("read-only") << true << EROFS;
        QTest::newRow("full") << false << ENOSPC;
    }
    void troubledDisksLeaveNothing() {
        QFETCH(bool, readOnly);
        QFETCH(int, error);
        TmpfsMount disk(256 * 1024);
        if (!disk.mounted())
            QSKIP(disk.reason());
        write(disk.filePath("dieKatze.jpg"), "cat");
        QVERIFY(readOnly ? disk.makeReadOnly() : disk.fill());
        const QStringList before = names(disk.path());
        const files::Info info =
            folder(disk.path()).writeNew("derHund.jpg", QByteArray(512 * 1024, 'x'));
        QCOMPARE(info.status, files::Status::Failed);
        QCOMPARE(info.error, error);
        QVERIFY(!files::describe(info).isEmpty());
        QCOMPARE(names(disk.path()), before);
    }
};

QTEST_GUILESS_MAIN(SafeWriteTest)
#include "safewrite_test.moc"
