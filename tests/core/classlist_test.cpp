// The class list as a teacher or a second PC may leave Klasse.txt.

#include "core/classlist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class ClassListTest : public QObject {
    Q_OBJECT
private slots:
    void namesAsTheFileHoldsThem_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("one a line, blanks trimmed")
            << QByteArray("Mia\n  Ben \n\nOle\n") << QStringList{"Mia", "Ben", "Ole"};
        QTest::newRow("Windows line ends and a byte order mark")
            << QByteArray("\xEF\xBB\xBFMia\r\nBen\r\n") << QStringList{"Mia", "Ben"};
        QTest::newRow("each once, any letter case, NFC or NFD")
            << QByteArray("Jürgen\nJu\xCC\x88rgen\nJÜRGEN\nmia\nMia\n")
            << QStringList{"Jürgen", "mia"};
        QTest::newRow("control characters dropped, inner blanks kept once")
            << QByteArray("Anna\x1b[31m\nLea\tMarie\n\x07\n")
            << QStringList{"Anna[31m", "Lea Marie"};
        QTest::newRow("names cut to the name field's length")
            << QByteArray(100, 'a') << QStringList{QString(classlist::kMaxName, 'a')};
    }
    void namesAsTheFileHoldsThem() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, names);
        QCOMPARE(classlist::parse(file), names);
        QCOMPARE(classlist::parse(classlist::serialise(names)), names);
    }

    // Written as a whole beside the pictures, read back by another PC; a
    // pupil's FIFO, link or huge file of that name gives no list and is
    // never written through.
    void besideThePictures() {
        QTemporaryDir dir;
        QVERIFY(classlist::write(dir.path(), {"Mia", "Ben"}));
        QCOMPARE(classlist::read(dir.path()), QStringList({"Mia", "Ben"}));
        const QString file = dir.filePath(classlist::kFileName);
        QVERIFY(QFile::remove(file));
        QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0644) == 0);
        QCOMPARE(classlist::read(dir.path()), QStringList());
        QVERIFY(!classlist::write(dir.path(), {"Mia"}));
        QVERIFY(QFile::remove(file));
        QFile teacher(dir.filePath("lehrer.txt"));
        QVERIFY(teacher.open(QIODevice::WriteOnly) && teacher.write("Lehrerin\n") > 0);
        teacher.close();
        QVERIFY(QFile::link(teacher.fileName(), file));
        QVERIFY(!classlist::write(dir.path(), {"Mia"}));
        QVERIFY(teacher.open(QIODevice::ReadOnly));
        QCOMPARE(teacher.readAll(), QByteArray("Lehrerin\n"));
        teacher.close();
        QVERIFY(QFile::remove(file));
        QFile huge(file);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(classlist::kCap + 1));
        huge.close();
        QCOMPARE(classlist::read(dir.path()), QStringList());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).size(), 2); // no leftovers
    }
};

QTEST_GUILESS_MAIN(ClassListTest)
#include "classlist_test.moc"
