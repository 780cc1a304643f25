// A teacher's recording beside the picture is found whatever the letter case
// and however the umlauts are stored; sound files never become nouns. What a
// pupil may leave under a recording's name (a FIFO, a link to one or to a
// device, a folder, an empty, huge or broken file) is passed over without
// waiting, and the voice speaks instead. A recording made anew is loaded anew.

#include "core/nouns.h"
#include "files/safefile.h"
#include "speech/recordingcache.h"
#include "speech/recordings.h"
#include "support/soundserver.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

void write(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Makes a file from a description "kind:name"; a bare name is a small file.
void make(const QDir &dir, const QString &what) {
    const qsizetype colon = what.indexOf(u':');
    const QString kind = colon < 0 ? QString() : what.left(colon);
    const QString path = dir.filePath(what.mid(colon + 1));
    const QByteArray native = QFile::encodeName(path);
    const QString aside = dir.filePath(QStringLiteral("aside"));
    if (kind.isEmpty()) {
        write(path, "x");
    } else if (kind == u"empty") {
        write(path, QByteArray());
    } else if (kind == u"huge") { // sparse, so it costs nothing
        write(path, QByteArray());
        QVERIFY(QFile::resize(path, recordings::kFileCap + 1));
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(native.constData(), 0600), 0);
    } else if (kind == u"folder") {
        QVERIFY(dir.mkdir(what.mid(colon + 1)));
    } else if (kind == u"link-fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(aside).constData(), 0600), 0);
        QVERIFY(QFile::link(aside, path));
    } else if (kind == u"link-zero") {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else if (kind == u"link") {
        write(aside, "x");
        QVERIFY(QFile::link(aside, path));
    } else {
        QFAIL(qPrintable(what));
    }
}

const QString kBaer = QStringLiteral("derB\u00e4r");     // composed ä
const QString kBaerNfd = QStringLiteral("derBa\u0308r"); // a + combining diaeresis

// Length in ms of what a cache loads from bytes; -1 when it cannot be played.
qint64 loaded(RecordingCache &cache, const QString &path) {
    const Pcm pcm = cache.load(path);
    return pcm.isEmpty() ? -1 : pcm.durationUs() / 1000;
}

// Decoding resamples, which may add or lose a few samples at the end.
bool about(qint64 ms, qint64 expected) {
    return expected < 0 ? ms == expected : qAbs(ms - expected) <= 5;
}

} // namespace

class RecordingsTest : public QObject {
    Q_OBJECT
private slots:
    void lookup_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("found");
        QTest::newRow("same name") << "derHund.jpg" << QStringList{"derHund.wav"} << "derHund.wav";
        QTest::newRow("other letter case")
            << "derHund.jpg" << QStringList{"DERHUND.OGG"} << "DERHUND.OGG";
        QTest::newRow("decomposed recording")
            << kBaer + ".gif" << QStringList{kBaerNfd + ".opus"} << kBaerNfd + ".opus";
        QTest::newRow("decomposed entry")
            << kBaerNfd + ".gif" << QStringList{kBaer + ".flac"} << kBaer + ".flac";
        QTest::newRow("up to the first dot")
            << "derHund.alt.jpg" << QStringList{"derHund.wav"} << "derHund.wav";
        QTest::newRow("wav before mp3")
            << "derHund.jpg" << QStringList{"derHund.mp3", "derHund.wav"} << "derHund.wav";
        QTest::newRow("longer noun is another noun")
            << "derHund.jpg" << QStringList{"derHundekorb.wav", "derHun.wav"} << "";
        QTest::newRow("not a sound")
            << "derHund.jpg" << QStringList{"derHund.txt", "derHund.bmp"} << "";
        QTest::newRow("empty entry") << "" << QStringList{".wav"} << "";
        // What is no recording is passed over, and the next format is taken.
        QTest::newRow("link to a recording")
            << "derHund.jpg" << QStringList{"link:derHund.wav"} << "derHund.wav";
        QTest::newRow("fifo") << "derHund.jpg" << QStringList{"fifo:derHund.wav"} << "";
        QTest::newRow("link to a fifo")
            << "derHund.jpg" << QStringList{"link-fifo:derHund.wav"} << "";
        QTest::newRow("link to /dev/zero")
            << "derHund.jpg" << QStringList{"link-zero:derHund.mp3"} << "";
        QTest::newRow("folder") << "derHund.jpg" << QStringList{"folder:derHund.wav"} << "";
        QTest::newRow("empty") << "derHund.jpg" << QStringList{"empty:derHund.wav"} << "";
        QTest::newRow("too large") << "derHund.jpg" << QStringList{"huge:derHund.wav"} << "";
        QTest::newRow("next format after a link to a fifo")
            << "derHund.jpg" << QStringList{"link-fifo:derHund.wav", "derHund.ogg"}
            << "derHund.ogg";
    }

    void lookup() {
        QFETCH(QString, entry);
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QTemporaryDir tmp;
        const QDir dir(tmp.path());
        for (const QString &f : files)
            make(dir, f);
        const QString path = recordings::recordingFor(entry, dir);
        QCOMPARE(path, found.isEmpty() ? QString() : dir.absoluteFilePath(found));
    }

    // The picture listing must never take a recording for a noun.
    void soundFilesAreNotPictures() {
        QTemporaryDir tmp;
        const QDir dir(tmp.path());
        const QStringList names = {"derHund.jpg",     "derHund.wav",    "derHund.OGG",
                                   "dieKatze.mp3",    "dasHaus.opus",   "dasHaus.flac",
                                   "derHund.jpg.wav", "dieMaus.wmf.mp3"};
        for (const QString &n : names)
            make(dir, n);
        QCOMPARE(nouns::listPictureFiles(dir), QStringList{"derHund.jpg"});
        for (const QString &n : names.mid(1))
            QVERIFY2(recordings::isSoundFileName(n) && !nouns::isPictureFileName(n), qPrintable(n));
    }

    // What a recording file gives once loaded: its sound (as much as is
    // kept), or nothing to play.
    void load_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("ms");
        QTest::newRow("wav") << wavBytes(tone(400)) << "" << 400;
        QTest::newRow("wav, 48 kHz stereo") << wavBytes(tone(300, 440, 48000, 2)) << "" << 300;
        QTest::newRow("longer than kept") << wavBytes(tone(2500)) << "" << 1000;
        QByteArray noise(20000, 0);
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + i / 3) & 0xff);
        QTest::newRow("random bytes") << noise << "" << -1;
        QTest::newRow("header only") << wavBytes(tone(400)).left(44) << "" << -1;
        QTest::newRow("empty") << QByteArray() << "" << -1;
        QTest::newRow("fifo") << QByteArray() << "fifo" << -1;
        QTest::newRow("link to a fifo") << QByteArray() << "link-fifo" << -1;
        QTest::newRow("link to /dev/zero") << QByteArray() << "link-zero" << -1;
        QTest::newRow("too large") << QByteArray() << "huge" << -1;
    }

    void load() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kind);
        QFETCH(int, ms);
        QTemporaryDir tmp;
        const QDir dir(tmp.path());
        const QString path = dir.filePath(QStringLiteral("derHund.wav"));
        if (kind.isEmpty())
            write(path, bytes);
        else
            make(dir, kind + QStringLiteral(":derHund.wav"));
        RecordingCache::Limits limits;
        limits.keptUs = 1000000;
        RecordingCache cache(limits);
        for (int i = 0; i < 2; ++i) // the same again, from memory or not
            QVERIFY2(about(loaded(cache, path), ms), qPrintable(QString::number(ms)));
    }

    // A recording made again while the program runs, written over the old
    // file or put in its place, is what the next click plays.
    void remadeRecordingLoadsAnew() {
        QTemporaryDir tmp;
        const QString path = QDir(tmp.path()).filePath(QStringLiteral("derHund.wav"));
        RecordingCache cache(RecordingCache::Limits{});
        write(path, wavBytes(tone(300)));
        QVERIFY(about(loaded(cache, path), 300));
        write(path, wavBytes(tone(700)));
        QVERIFY(about(loaded(cache, path), 700));
        const QString other = path + QStringLiteral(".new");
        write(other, wavBytes(tone(500)));
        QVERIFY(QFile::remove(path) && QFile::rename(other, path));
        QVERIFY(about(loaded(cache, path), 500));
        QVERIFY(QFile::remove(path));
        QCOMPARE(loaded(cache, path), -1);
    }
};

QTEST_GUILESS_MAIN(RecordingsTest)
#include "recordings_test.moc"
