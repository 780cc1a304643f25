// A page with metafile pictures printed to PDF keeps them as vectors:
// pdfimages (poppler-utils) lists no image for a pure-vector picture, and
// exactly one for the picture with an embedded bitmap.

#include "drawing/picture.h"
#include "support/picturedir.h"
#include "support/wmfwriter.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

/// Lines of `pdfimages -list` after its two header lines.
QStringList imagesIn(const QString &pdf) {
    QProcess p;
    p.start("pdfimages", {"-list", pdf});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {"pdfimages failed"};
    QStringList lines =
        QString::fromLocal8Bit(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    return lines.mid(2);
}

/// The picture in a frame of a page, on a painter scaled to twips as the
/// printing service sets it up.
bool printPage(const QString &pdf, const Picture &pic) {
    QPdfWriter writer(pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(1200);
    QPainter p;
    if (!p.begin(&writer))
        return false;
    p.scale(1200 / 1440.0, 1200 / 1440.0);
    pic.draw(p, QRectF(720, 1440, 4320, 3240));
    return p.end();
}

} // namespace

class WmfPrintTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void vectorsStayVectors_data();
    void vectorsStayVectors();

private:
    PictureDir m_dir;
};

void WmfPrintTest::initTestCase() {
    if (QStandardPaths::findExecutable("pdfimages").isEmpty())
        QSKIP("pdfimages (poppler-utils) is not installed");
}

void WmfPrintTest::vectorsStayVectors_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("images");
    const QString samples = qEnvironmentVariable("KALIMBO_SOURCE_DIR") + "/samples/";
    for (const char *name : {"dieSonne.wmf", "derBär.wmf", "derSchlüssel.wmf", "dieTür.wmf"}) {
        QFile f(samples + QString::fromUtf8(name));
        if (f.open(QIODevice::ReadOnly))
            QTest::newRow(name) << f.readAll() << 0;
    }
    WmfWriter w = WmfWriter::placeable(0, 0, 100, 100);
    w.setWindowOrg(0, 0).setWindowExt(100, 100).createBrush(2, Qt::blue, 4).selectObject(0);
    w.ellipse(0, 0, 100, 100)
        .arc(0x081A, 10, 10, 90, 90, {90, 50}, {50, 10})
        .textOut(5, 5, "B\xE4r");
    QTest::newRow("shapes, hatch and text") << w.bytes() << 0;
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    QTest::newRow("with a bitmap")
        << w.stretchDib(0, 0, 50, 50, WmfWriter::dib(img, 24)).bytes() << 1;
}

void WmfPrintTest::vectorsStayVectors() {
    QFETCH(QByteArray, file);
    QFETCH(int, images);
    m_dir.addFile("dasBild.wmf", file);
    const Picture pic = Picture::load("dasBild.wmf");
    QVERIFY(!pic.isNull());
    const QString pdf = m_dir.filePath("page.pdf");
    QVERIFY(printPage(pdf, pic));
    QCOMPARE(imagesIn(pdf).size(), images);
    // The page really holds the drawing: an empty page is about 1.2 kB.
    QVERIFY(QFileInfo(pdf).size() > 1400);
}

QTEST_MAIN(WmfPrintTest)
#include "wmfprint_test.moc"
