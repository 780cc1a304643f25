#include "core/settings.h"
#include "support/filesystems.h"
#include "support/picturedir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using settings::Values;

static QByteArray readAll(const QString &name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void writesTheExampleByteForByte() {
        Values v;
        v.red = v.green = v.blue = 255;
        v.letters = "AEHILMOSU";
        QCOMPARE(
            settings::serialise(v),
            QByteArray(" 1 \r\n 0 \r\n 0 \r\n 1 \r\n 10 \r\n 12 \r\n 255 \r\n 255 \r\n 255 \r\n"
                       "AEHILMOSU\r\n"));
    }

    void umlautsInWindows1252() {
        Values v;
        v.letters = QString("AÄÖÜß");
        const QByteArray b = settings::serialise(v);
        QVERIFY(b.endsWith(QByteArray("A\xC4\xD6\xDC\xDF\r\n")));
        const auto r = settings::parse(b);
        QVERIFY(r.complete());
        QCOMPARE(r.values.letters, QString("AÄÖÜß"));
    }

    void roundTripThroughTheFile() {
        PictureDir dir;
        Values v;
        v.check2 = 0;
        v.check3 = 1;
        v.check4 = 1;
        v.check5 = 0;
        v.consonant = 3;
        v.vowel = 14;
        v.red = 7;
        v.green = 128;
        v.blue = 254;
        v.letters = "ABCßÜ";
        QVERIFY(settings::write(settings::kFileName, v));
        const auto r = settings::read(settings::kFileName);
        QVERIFY(r.complete());
        QCOMPARE(settings::serialise(r.values), settings::serialise(v));
    }

    void stopsAtTheFirstBadLine_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("applied");
        const char *good[] = {" 1 ",  " 0 ", " 0 ", " 1 ", " 10 ",
                              " 12 ", " 1 ", " 2 ", " 3 ", "AB"};
        auto with = [&](int line, const QByteArray &text, bool cut = false) {
            QByteArray b;
            for (int i = 0; i < 10; ++i) {
                if (i == line) {
                    if (cut)
                        return b;
                    b += text + "\r\n";
                } else {
                    b += QByteArray(good[i]) + "\r\n";
                }
            }
            return b;
        };
        QTest::newRow("complete") << with(-1, "") << 10;
        QTest::newRow("blue 300") << with(8, " 300 ") << 8;
        QTest::newRow("check value 3") << with(0, " 3 ") << 0;
        QTest::newRow("check value 2 is accepted") << with(1, " 2 ") << 10;
        QTest::newRow("palette 16") << with(4, " 16 ") << 4;
        QTest::newRow("palette -1") << with(5, " -1 ") << 5;
        QTest::newRow("text for a number") << with(2, " ja ") << 2;
        QTest::newRow("empty number line") << with(3, "") << 3;
        QTest::newRow("missing letter line") << with(9, "", true) << 9;
        QTest::newRow("short file") << with(4, "", true) << 4;
        QTest::newRow("empty letter line") << with(9, "") << 10;
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("overlong number") << with(0, QByteArray(5000, '1')) << 0;
        QTest::newRow("blanks beyond the cut hide the number")
            << with(6, QByteArray(5000, ' ') + " 1 ") << 6;
        QTest::newRow("long letter line is cut, not bad") << with(9, QByteArray(5000, 'A')) << 10;
        QTest::newRow("notes below the ten lines")
            << with(-1, "") + QByteArray(100000, 'x') + "\r\nNotizen\r\n" + QByteArray(5000, '\0')
            << 10;
        QTest::newRow("null byte beyond the cut") << with(9, QByteArray(5000, 'A') + '\0') << 9;
        QTest::newRow("runaway line") << with(9, "", true) + QByteArray(2 << 20, 'A') << 9;
        QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff\r\n", 6) << 0;
        QTest::newRow("lone LF endings")
            << QByteArray(" 1 \n 0 \n 0 \n 1 \n 10 \n 12 \n 0 \n 0 \n 0 \nA\n") << 10;
    }
    void stopsAtTheFirstBadLine() {
        QFETCH(QByteArray, file);
        QFETCH(int, applied);
        Values defaults;
        defaults.blue = 99;
        const auto r = settings::parse(file, defaults);
        QCOMPARE(r.applied, applied);
        // Lines after the bad one keep the values they had.
        if (applied <= 8)
            QCOMPARE(r.values.blue, 99);
        if (applied < 10)
            QCOMPARE(r.values.letters, QString());
    }

    void hugeFileIsBadNotSlow() {
        PictureDir dir;
        dir.addFile(settings::kFileName, QByteArray(20 * 1024 * 1024, ' '));
        const auto r = settings::read(settings::kFileName);
        QCOMPARE(r.applied, 0);
    }

    // --- reading from disk ------------------------------------------------

    void longNotesBelowTheSettingsOnDisk() {
        PictureDir dir;
        Values v;
        v.vowel = 3;
        v.letters = "MO";
        dir.addFile(settings::kFileName,
                    settings::serialise(v) + "Notizen:\r\n" + QByteArray(200 * 1024, 'n') + "\r\n");
        const auto r = settings::read(settings::kFileName);
        QVERIFY(r.complete());
        QCOMPARE(r.values.vowel, 3);
        QCOMPARE(r.values.letters, QString("MO"));
    }

    void notARegularFile_data() {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("named pipe") << true;
        QTest::newRow("folder") << false;
    }
    void notARegularFile() {
        QFETCH(bool, pipe);
        PictureDir dir;
        const QString name = dir.filePath(settings::kFileName);
        if (pipe)
            QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0644), 0);
        else
            QVERIFY(QDir(dir.path()).mkdir(settings::kFileName));
        Values defaults;
        defaults.red = 77;
        PipeWatchdog watchdog(name);
        auto reading = std::async(std::launch::async,
                                  [&] { return settings::read(settings::kFileName, defaults); });
        const settings::ReadResult r = reading.get();
        QVERIFY2(!watchdog.stop(), "reading waited for a writer to the pipe");
        QCOMPARE(r.applied, 0);
        QCOMPARE(r.values.red, 77);
    }

    void rounding_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("0.5") << QByteArray(" 0.5 ") << 0;
        QTest::newRow("1.5") << QByteArray("1.5") << 2;
        QTest::newRow("2.5") << QByteArray("2.5") << 2;
        QTest::newRow("0.6") << QByteArray("0.6") << 1;
        QTest::newRow("-0.5") << QByteArray("-0.5") << 0;
        QTest::newRow("blanks") << QByteArray("   12   ") << 12;
        QTest::newRow("plus") << QByteArray("+7") << 7;
    }
    void rounding() {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        QCOMPARE(settings::toInt16(text).value_or(-999), value);
    }

    void notNumbers() {
        for (const char *t : {"", "  ", "1a", "1 2", "0x10", "1e3", "40000", "-40000", "."})
            QVERIFY2(!settings::toInt16(t).has_value(), t);
    }

    // --- writing ------------------------------------------------------------

    void failedWriteKeepsTheOldFile_data() {
        QTest::addColumn<QString>("trouble");
        QTest::newRow("full disk") << "full";
        QTest::newRow("read-only folder") << "read-only";
        QTest::newRow("folder named like the file") << "folder";
        QTest::newRow("named pipe") << "pipe";
    }
    void failedWriteKeepsTheOldFile() {
        QFETCH(QString, trouble);
        Values old;
        old.red = 200;
        old.letters = "ALT";
        const QByteArray oldBytes = settings::serialise(old);
        Values v;
        v.letters = "NEU";

        if (trouble == "folder" || trouble == "pipe") {
            PictureDir dir;
            const QString name = dir.filePath(settings::kFileName);
            if (trouble == "pipe")
                QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0644), 0);
            else
                QVERIFY(QDir(dir.path()).mkdir(settings::kFileName));
            QVERIFY(!settings::write(name, v));
            const QFileInfo after(name);
            QVERIFY(trouble == "pipe" ? after.isFile() == false && after.exists() : after.isDir());
            QCOMPARE(
                QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                QStringList(settings::kFileName));
            return;
        }

        if (geteuid() != 0 && trouble == "read-only") {
            // Without root a folder's permissions stop the writer.
            PictureDir dir;
            QVERIFY(settings::write(settings::kFileName, old));
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            const bool written = settings::write(settings::kFileName, v);
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QVERIFY(!written);
            QCOMPARE(readAll(settings::kFileName), oldBytes);
            return;
        }

        TmpfsMount fs;
        if (!fs.mounted())
            QSKIP(fs.reason().constData());
        const QString name = fs.filePath(settings::kFileName);
        QVERIFY(settings::write(name, old));
        QStringList entries{"KALIMBO.INI"};
        if (trouble == "full") {
            QVERIFY(fs.fill());
            entries << "filler";
        } else {
            QVERIFY(fs.makeReadOnly());
        }
        QVERIFY(!settings::write(name, v));
        QCOMPARE(readAll(name), oldBytes);
        // No temporary file is left behind.
        QCOMPARE(QDir(fs.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), entries);
    }

    void writeIntoMissingFolderFails() {
        QVERIFY(!settings::write("/nonexistent-folder/KALIMBO.INI", Values()));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings_test.moc"
