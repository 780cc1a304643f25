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

// A pipe or a folder where the file belongs.
static bool occupy(const PictureDir &dir, bool pipe) {
    const QString name = dir.filePath(settings::kFileName);
    return pipe ? ::mkfifo(QFile::encodeName(name).constData(), 0644) == 0
                : QDir(dir.path()).mkdir(settings::kFileName);
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

    void roundTripThroughTheFile() {
        PictureDir dir;
        Values v;
        v.check2 = 0;
        v.check3 = v.check4 = 1;
        v.consonant = 3;
        v.vowel = 14;
        v.red = 7;
        v.green = 128;
        v.blue = 254;
        v.letters = QString("AÄÖÜß"); // Windows-1252 on disk
        QVERIFY(settings::write(settings::kFileName, v));
        QVERIFY(readAll(settings::kFileName).endsWith(QByteArray("A\xC4\xD6\xDC\xDF\r\n")));
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
                if (i == line && cut)
                    return b;
                b += (i == line ? text : QByteArray(good[i])) + "\r\n";
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
        QTest::newRow("short file") << with(9, "", true) << 9;
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

    void notARegularFile_data() {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("named pipe") << true;
        QTest::newRow("folder") << false;
    }
    void notARegularFile() {
        QFETCH(bool, pipe);
        PictureDir dir;
        QVERIFY(occupy(dir, pipe));
        Values defaults;
        defaults.red = 77;
        PipeWatchdog watchdog(dir.filePath(settings::kFileName));
        auto reading = std::async(std::launch::async,
                                  [&] { return settings::read(settings::kFileName, defaults); });
        const settings::ReadResult r = reading.get();
        QVERIFY2(!watchdog.stop(), "reading waited for a writer to the pipe");
        QCOMPARE(r.applied, 0);
        QCOMPARE(r.values.red, 77);
        // Writing fails too and leaves the pipe or folder alone.
        QVERIFY(!settings::write(settings::kFileName, Values()));
        QCOMPARE(QFileInfo(settings::kFileName).isDir(), !pipe);
        QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList(settings::kFileName));
    }

    void toInt16_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value"); // -999: not a number
        QTest::newRow("0.5 rounds to even") << QByteArray(" 0.5 ") << 0;
        QTest::newRow("1.5") << QByteArray("1.5") << 2;
        QTest::newRow("2.5") << QByteArray("2.5") << 2;
        QTest::newRow("0.6") << QByteArray("0.6") << 1;
        QTest::newRow("-0.5") << QByteArray("-0.5") << 0;
        QTest::newRow("blanks") << QByteArray("   12   ") << 12;
        QTest::newRow("plus") << QByteArray("+7") << 7;
        for (const char *t : {"", "  ", "1a", "1 2", "0x10", "1e3", "40000", "-40000", "."})
            QTest::newRow(t) << QByteArray(t) << -999;
    }
    void toInt16() {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        QCOMPARE(settings::toInt16(text).value_or(-999), value);
    }

    // --- writing ------------------------------------------------------------

    void failedWriteKeepsTheOldFile_data() {
        QTest::addColumn<bool>("full");
        QTest::newRow("full disk") << true;
        QTest::newRow("read-only") << false;
    }
    void failedWriteKeepsTheOldFile() {
        QFETCH(bool, full);
        Values old;
        old.red = 200;
        old.letters = "ALT";
        Values v;
        v.letters = "NEU";
        TmpfsMount fs;
        if (!fs.mounted() && full)
            QSKIP(fs.reason().constData());
        // Without root a folder's permissions stop the writer.
        PictureDir plain;
        const QString folder = fs.mounted() ? fs.path() : plain.path();
        const QString name = QDir(folder).filePath(settings::kFileName);
        QVERIFY(settings::write(name, old));
        if (full)
            QVERIFY(fs.fill());
        else if (fs.mounted())
            QVERIFY(fs.makeReadOnly());
        else
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        const bool written = settings::write(name, v);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!written);
        QCOMPARE(readAll(name), settings::serialise(old));
        // No temporary file is left behind.
        const QStringList left{"KALIMBO.INI", "filler"};
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 left.mid(0, full ? 2 : 1));
        QVERIFY(!settings::write("/nonexistent-folder/KALIMBO.INI", v));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings_test.moc"
