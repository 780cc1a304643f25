// Pictures a teacher brings, in every format, become what the noun listing
// reads: a JPEG of at most 600 pixels, upright, transparency on white; a WMF
// byte for byte. Hostile files are refused before anything is decoded.

#include "drawing/pictureimport.h"
#include "support/picturedir.h"
#include "support/wmfwriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QtTest>

namespace {

QByteArray encoded(const QImage &image, const char *format,
                   QImageIOHandler::Transformations t = QImageIOHandler::TransformationNone) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setTransformation(t);
    return writer.write(image) ? bytes : QByteArray();
}

/// Left half red, right half transparent.
QImage sample(QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width() / 2; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    return image;
}

QImage decodedJpeg(const QByteArray &bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false); // what the listing's reader would see
    if (reader.format() != "jpeg")
        return QImage();
    return reader.read();
}

quint32 crc32(const QByteArray &b) {
    quint32 c = 0xFFFFFFFF;
    for (const char ch : b) {
        c ^= uchar(ch);
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320 ^ (c >> 1) : c >> 1;
    }
    return ~c;
}

/// A real PNG whose header claims another size.
QByteArray pngClaiming(QSize size) {
    QByteArray png = encoded(sample(QSize(4, 4)), "png");
    auto put32 = [&png](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = char(v >> (24 - 8 * i));
    };
    put32(16, quint32(size.width()));
    put32(20, quint32(size.height()));
    put32(29, crc32(png.mid(12, 17)));
    return png;
}

} // namespace

class PictureImportTest : public QObject {
    Q_OBJECT
private slots:
    void formats_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("saved");
        QTest::addColumn<bool>("whiteRight"); // the transparent half on white
        const QImage small = sample(QSize(80, 40));
        QTest::newRow("png") << encoded(small, "png") << QSize(80, 40) << true;
        QTest::newRow("jpeg") << encoded(small, "jpeg") << QSize(80, 40) << false;
        QTest::newRow("bmp") << encoded(small.convertToFormat(QImage::Format_RGB32), "bmp")
                             << QSize(80, 40) << false;
        QTest::newRow("webp") << encoded(small, "webp") << QSize(80, 40) << true;
        QTest::newRow("tiff") << encoded(small, "tiff") << QSize(80, 40) << true;
        QTest::newRow("large png, scaled")
            << encoded(sample(QSize(1800, 900)), "png") << QSize(600, 300) << true;
        QTest::newRow("tall jpeg, scaled")
            << encoded(sample(QSize(900, 1800)), "jpeg") << QSize(300, 600) << false;
        QTest::newRow("jpeg turned by its tag")
            << encoded(sample(QSize(80, 40)), "jpeg", QImageIOHandler::TransformationRotate90)
            << QSize(40, 80) << false;
        QTest::newRow("svg") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='200' "
                                           "height='100'><defs><linearGradient id='g'/></defs>"
                                           "<rect width='100' height='100' fill='red'/>"
                                           "<rect x='100' width='100' height='100' "
                                           "fill='url(#g)' opacity='0'/></svg>")
                             << QSize(600, 300) << true;
    }
    void formats() {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, saved);
        QFETCH(bool, whiteRight);
        QVERIFY(!bytes.isEmpty());
        const pictureimport::Prepared p = pictureimport::prepare(bytes, "bild");
        QVERIFY2(p.ok(), qPrintable(p.problem));
        QCOMPARE(p.suffix, QString("jpg"));
        const QImage image = decodedJpeg(p.bytes);
        QCOMPARE(image.size(), saved);
        // Red where the red half went (top left, or top right after turning).
        const bool turned = QTest::currentDataTag() == QByteArray("jpeg turned by its tag");
        const QColor red = image.pixelColor(turned ? image.width() - 3 : 2, 2);
        QVERIFY2(red.red() > 200 && red.green() < 60, qPrintable(red.name()));
        if (whiteRight) {
            const QColor white = image.pixelColor(image.width() - 3, image.height() - 3);
            QVERIFY2(white.lightness() > 240, qPrintable(white.name()));
        }
    }

    void gif() {
        PictureDir dir;
        dir.addPicture("derHund.gif", QSize(30, 20), Qt::red);
        QFile f(dir.filePath("derHund.gif"));
        const pictureimport::Prepared p = pictureimport::prepareFile(f.fileName());
        QVERIFY2(p.ok(), qPrintable(p.problem));
        QCOMPARE(decodedJpeg(p.bytes).size(), QSize(30, 20));
    }

    void wmfStaysByteForByte() {
        const QByteArray wmf =
            WmfWriter::placeable(0, 0, 1000, 500).rectangle(0, 0, 500, 500).bytes();
        const pictureimport::Prepared p = pictureimport::prepare(wmf, "Hund.wmf");
        QVERIFY2(p.ok(), qPrintable(p.problem));
        QCOMPARE(p.suffix, QString("wmf"));
        QCOMPARE(p.bytes, wmf);
        QVERIFY(!p.preview.isNull());
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "leer";
        QTest::newRow("text") << QByteArray("Hallo, das ist kein Bild.") << "kein Bild";
        QTest::newRow("heic") << QByteArray("\0\0\0\x18"
                                            "ftypheic\0\0\0\0mif1heic",
                                            24)
                              << "HEIC";
        QTest::newRow("100 megapixels") << pngClaiming(QSize(10000, 10000)) << "zu groß";
        QTest::newRow("gif bomb") << PictureDir::claimingGif(QSize(30000, 30000)) << "zu groß";
        QTest::newRow("damaged png")
            << encoded(sample(QSize(40, 40)), "png").left(60) << "beschädigt";
        QTest::newRow("svg with a file") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' "
                                                       "xmlns:xlink='http://www.w3.org/1999/xlink'>"
                                                       "<image xlink:href='file:///etc/hostname' "
                                                       "width='9' height='9'/></svg>")
                                         << "verweist";
        QTest::newRow("svg with a web address")
            << QByteArray("<svg xmlns='http://www.w3.org/2000/svg'><rect fill="
                          "'url(http://example.invalid/p)' width='9' height='9'/></svg>")
            << "verweist";
        QTest::newRow("svg with an entity")
            << QByteArray("<?xml version='1.0'?><!DOCTYPE svg [<!ENTITY e SYSTEM "
                          "'file:///etc/hostname'>]><svg>&e;</svg>")
            << "verweist";
    }
    void refused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const pictureimport::Prepared p = pictureimport::prepare(bytes, "IMG_1.x");
        QVERIFY(!p.ok());
        QVERIFY(p.bytes.isEmpty());
        QVERIFY2(p.problem.contains("„IMG_1.x“") && p.problem.contains(reason),
                 qPrintable(p.problem));
    }

    void unreadableFileNamed() {
        const pictureimport::Prepared p = pictureimport::prepareFile("/nonexistent/Hund.png");
        QVERIFY(!p.ok());
        QVERIFY2(p.problem.contains("„Hund.png“"), qPrintable(p.problem));
    }
};

QTEST_MAIN(PictureImportTest)
#include "pictureimport_test.moc"
