// Names that look like pictures but are no regular files: FIFOs,
// devices, directories and broken links stay out of the listing, and no
// picture is ever waited for, also when a listed file has turned into a FIFO.
// Names that are not valid UTF-8 cannot be loaded by the name Qt gives them
// and stay out too.

#include "core/nouns.h"
#include "drawing/picture.h"
#include "support/filesystems.h"
#include "support/picturedir.h"
#include "support/windowfixture.h"
#include "support/wmfwriter.h"
#include "worksheets/drucken1.h"

#include <QFile>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool makeFifo(const PictureDir &dir, const QString &name) {
    return ::mkfifo(QFile::encodeName(dir.filePath(name)).constData(), 0600) == 0;
}

void addPicture(PictureDir &dir, const QString &name) {
    if (name.endsWith(QLatin1String(".wmf")))
        dir.addFile(name, WmfWriter::placeable(0, 0, 1440, 1440)
                              .setWindowExt(1440, 1440)
                              .rectangle(0, 0, 1440, 1440)
                              .bytes());
    else
        dir.addPicture(name, QSize(30, 30), Qt::blue);
}

} // namespace

class NonRegularFilesTest : public QObject {
    Q_OBJECT
private slots:
    void listingTakesRegularFilesOnly() {
        PictureDir dir;
        dir.addPicture("derHund.gif");
        QVERIFY(makeFifo(dir, "dieRoehre.gif"));
        QVERIFY(QDir(dir.path()).mkdir("derOrdner.bmp"));
        // Links count by what they point to.
        for (const auto &[target, link] : {std::pair{"derHund.gif", "dasVerweisbild.gif"},
                                           {"derFehlt.gif", "derKaputt.jpg"},
                                           {"/dev/null", "dasGeraet.bmp"}})
            QVERIFY(QFile::link(target, link)); // relative to the picture folder
        QCOMPARE(nouns::listPictureFiles(QDir::current()),
                 QStringList({"dasVerweisbild.gif", "derHund.gif"}));
    }

    void nonUtf8NamesStayOut() {
        PictureDir dir;
        dir.addPicture(QStringLiteral("dieMöwe.gif"));
        // Latin-1 bytes: Qt decodes them to U+FFFD, which leads back to no file.
        const QByteArray latin1 = QFile::encodeName(dir.path()) + "/derB\xE4r.gif";
        const int fd = ::open(latin1.constData(), O_WRONLY | O_CREAT, 0600);
        QVERIFY(fd >= 0);
        ::close(fd);
        QVERIFY(QFile::copy(dir.filePath(QStringLiteral("dieMöwe.gif")),
                            dir.filePath(QStringLiteral("dieMo\u0308we2.gif"))));
        const QStringList listed = nouns::listPictureFiles(QDir::current());
        QCOMPARE(
            QSet<QString>(listed.begin(), listed.end()),
            QSet<QString>({QStringLiteral("dieMöwe.gif"), QStringLiteral("dieMo\u0308we2.gif")}));
        for (const QString &name : listed)
            QVERIFY2(!Picture::load(name).isNull(), qPrintable(name));
        ::unlink(latin1.constData()); // beyond the reach of QTemporaryDir
    }

    void loadingNeverWaits_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("gif") << "dieRoehre.gif";
        QTest::newRow("jpg") << "dieRoehre.JPG";
        QTest::newRow("wmf") << "dieRoehre.wmf";
    }
    void loadingNeverWaits() {
        QFETCH(QString, name);
        PictureDir dir;
        // Loaded while a regular file, then replaced by a FIFO: draws nothing.
        addPicture(dir, name);
        const Picture before = Picture::load(name);
        QVERIFY(!before.isNull());
        dir.remove(name);
        QVERIFY(makeFifo(dir, name));
        PipeWatchdog watchdog(dir.filePath(name), 2000);
        QVERIFY(Picture::load(name).isNull());
        QImage img(40, 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter painter(&img);
        before.draw(painter, QRectF(0, 0, 40, 40));
        painter.end();
        QVERIFY2(!watchdog.stop(), "waited on a FIFO");
        if (!name.endsWith(QLatin1String(".wmf"))) // a small metafile was read at loading
            QCOMPARE(img.pixelColor(20, 20), QColor(Qt::white));
    }

    void worksheetShowsFifoAsEmptyFrame() {
        WindowFixture f;
        QStringList names;
        for (int i = 1; i <= 9; ++i) {
            names << QStringLiteral("dasBild%1.gif").arg(i);
            f.dir.addPicture(names.last(), QSize(20, 20), QColor(0, 0, 200));
        }
        f.p.setNouns(names); // the listing at start
        f.dir.remove(names[0]);
        QVERIFY(makeFifo(f.dir, names[0]));
        PipeWatchdog watchdog(f.dir.filePath(names[0]), 4000);
        auto *w = f.open<drucken1>(ScreenId::Drucken1);
        w->repaint();
        QVERIFY2(!watchdog.stop(), "waited on a FIFO");
        QCOMPARE(w->cards(), names);
    }
};

QTEST_MAIN(NonRegularFilesTest)
#include "nonregularfiles_test.moc"
