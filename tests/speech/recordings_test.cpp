// A teacher's recording beside the picture is found whatever the letter case
// and however the umlauts are stored; sound files never become nouns.

#include "core/nouns.h"
#include "speech/recordings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void touch(const QDir &dir, const QString &name) {
    QFile f(dir.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

const QString kBaer = QStringLiteral("derB\u00e4r");     // composed ä
const QString kBaerNfd = QStringLiteral("derBa\u0308r"); // a + combining diaeresis

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
    }

    void lookup() {
        QFETCH(QString, entry);
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QTemporaryDir tmp;
        const QDir dir(tmp.path());
        for (const QString &f : files)
            touch(dir, f);
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
            touch(dir, n);
        QCOMPARE(nouns::listPictureFiles(dir), QStringList{"derHund.jpg"});
        for (const QString &n : names.mid(1))
            QVERIFY2(recordings::isSoundFileName(n) && !nouns::isPictureFileName(n), qPrintable(n));
    }
};

QTEST_GUILESS_MAIN(RecordingsTest)
#include "recordings_test.moc"
