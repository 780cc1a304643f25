// Headers and natural sizes of metafiles, read without playing a record.

#include "drawing/picture.h"
#include "drawing/wmf/wmfformat.h"
#include "drawing/wmf/wmfpicture.h"
#include "drawing/wmf/wmfreader.h"
#include "support/picturedir.h"
#include "support/wmfwriter.h"

#include <QtTest>

using namespace wmf;

class WmfReaderTest : public QObject {
    Q_OBJECT
private slots:
    void placeableSize_data();
    void placeableSize();
    void plainSize_data();
    void plainSize();
    void badHeaders_data();
    void badHeaders();
    void sizeFromFileReadsOnlyTheStart();
    void recordSizesEndTheWalk_data();
    void recordSizesEndTheWalk();
};

void WmfReaderTest::placeableSize_data() {
    QTest::addColumn<QList<int>>("bbox");
    QTest::addColumn<int>("inch");
    QTest::addColumn<QSize>("twips");
    QTest::newRow("1440 per inch") << QList<int>{0, 0, 2880, 1440} << 1440 << QSize(2880, 1440);
    QTest::newRow("576 per inch") << QList<int>{0, 0, 576, 288} << 576 << QSize(1440, 720);
    QTest::newRow("offset box") << QList<int>{-100, 50, 900, 550} << 1000 << QSize(1440, 720);
    QTest::newRow("reversed box") << QList<int>{1000, 500, 0, 0} << 1000 << QSize(1440, 720);
    QTest::newRow("16-bit extremes")
        << QList<int>{-32768, -32768, 32767, 32767} << 1440 << QSize(65535, 65535);
    QTest::newRow("tiny rounds up to a twip") << QList<int>{0, 0, 1, 1} << 30000 << QSize(1, 1);
}

void WmfReaderTest::placeableSize() {
    QFETCH(QList<int>, bbox);
    QFETCH(int, inch);
    QFETCH(QSize, twips);
    WmfWriter w = WmfWriter::placeable(bbox[0], bbox[1], bbox[2], bbox[3], inch);
    // Records that would change the size if they were played do not count.
    w.setMapMode(MM_TWIPS).setWindowExt(7, 7);
    const auto pic = pictureFromData(w.bytes());
    QVERIFY(pic);
    QCOMPARE(pic->naturalTwips(), twips);
}

void WmfReaderTest::plainSize_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("twips");
    auto ext = [](int mode, int x, int y) {
        WmfWriter w = WmfWriter::plain();
        if (mode)
            w.setMapMode(mode);
        return w.setWindowExt(x, y).rectangle(0, 0, 1, 1).bytes();
    };
    QTest::newRow("no mode: text, 96-dpi pixels") << ext(0, 10, 20) << QSize(150, 300);
    QTest::newRow("anisotropic") << ext(MM_ANISOTROPIC, 100, 50) << QSize(1500, 750);
    QTest::newRow("isotropic") << ext(MM_ISOTROPIC, 100, 50) << QSize(1500, 750);
    QTest::newRow("lometric") << ext(MM_LOMETRIC, 254, 127) << QSize(1440, 720);
    QTest::newRow("himetric") << ext(MM_HIMETRIC, 2540, 5080) << QSize(1440, 2880);
    QTest::newRow("loenglish") << ext(MM_LOENGLISH, 100, 50) << QSize(1440, 720);
    QTest::newRow("hienglish") << ext(MM_HIENGLISH, 1000, 500) << QSize(1440, 720);
    QTest::newRow("twips, negative extent") << ext(MM_TWIPS, 300, -200) << QSize(300, 200);
    // The first SetWindowExt counts, with the mode in force at it.
    QTest::newRow("first extent wins")
        << WmfWriter::plain().setWindowExt(100, 100).setMapMode(MM_TWIPS).setWindowExt(5, 5).bytes()
        << QSize(1500, 1500);
    QTest::newRow("zero extent skipped") << WmfWriter::plain()
                                                .setMapMode(MM_ANISOTROPIC)
                                                .setWindowExt(0, 10)
                                                .setWindowExt(20, 20)
                                                .bytes()
                                         << QSize(300, 300);
    WmfWriter drawing = WmfWriter::plain();
    for (int i = 0; i < 200; ++i)
        drawing.rectangle(0, 0, i, i);
    QTest::newRow("after drawing records")
        << drawing.setMapMode(MM_LOENGLISH).setWindowExt(200, 100).bytes() << QSize(2880, 1440);
    // Without an extent the size is that of what the file draws, in pixels.
    QTest::newRow("no SetWindowExt: drawn bounds")
        << WmfWriter::plain().rectangle(-3, 2, 9, 9).bytes() << QSize(180, 105);
    QTest::newRow("no extent, moved origins") << WmfWriter::plain()
                                                     .setWindowOrg(100, 100)
                                                     .setViewportOrg(5, 5)
                                                     .moveTo(100, 100)
                                                     .lineTo(120, 140)
                                                     .bytes()
                                              << QSize(300, 600);
    QTest::newRow("no extent, text")
        << WmfWriter::plain().createFont(-20, "Arial").textOut(0, 0, "Hund").bytes()
        << QSize(720, 360);
    QTest::newRow("no extent, lometric")
        << WmfWriter::plain().setMapMode(MM_LOMETRIC).rectangle(0, 0, 254, -127).bytes()
        << QSize(1440, 720);
    QTest::newRow("no extent, nothing drawn") << WmfWriter::plain().moveTo(5, 5).bytes() << QSize();
}

void WmfReaderTest::plainSize() {
    QFETCH(QByteArray, file);
    QFETCH(QSize, twips);
    const auto pic = pictureFromData(file);
    QCOMPARE(pic ? pic->naturalTwips() : QSize(), twips);
}

void WmfReaderTest::badHeaders_data() {
    QTest::addColumn<QByteArray>("file");
    const QByteArray good = WmfWriter::placeable(0, 0, 100, 100).rectangle(0, 0, 9, 9).bytes();
    auto patched = [&](int offset, QByteArray bytes) {
        QByteArray b = good;
        b.replace(offset, bytes.size(), bytes);
        return b;
    };
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("key only") << good.left(4);
    QTest::newRow("placeable header only") << good.left(22);
    QTest::newRow("standard header cut") << good.left(39);
    QTest::newRow("units per inch 0") << patched(14, QByteArray(2, '\0'));
    QTest::newRow("zero width") << patched(10, QByteArray(2, '\0'));
    QTest::newRow("type 3") << patched(22, QByteArray("\x03\x00", 2));
    QTest::newRow("header size 8") << patched(24, QByteArray("\x08\x00", 2));
    QTest::newRow("version 0x0200") << patched(26, QByteArray("\x00\x02", 2));
    QTest::newRow("wrong key") << patched(0, QByteArray("\xD7\xCD\xC6\x9B", 4));
    QTest::newRow("text file") << QByteArray("derBaum.wmf is not a picture\r\n");
}

void WmfReaderTest::badHeaders() {
    QFETCH(QByteArray, file);
    QVERIFY(!pictureFromData(file));
}

void WmfReaderTest::sizeFromFileReadsOnlyTheStart() {
    PictureDir dir;
    // Plain file whose SetWindowExt lies past the first read but within the scan.
    WmfWriter w = WmfWriter::plain();
    for (int i = 0; i < 100; ++i)
        w.moveTo(i, i);
    w.setWindowExt(40, 30);
    dir.addFile("dieTasse.wmf", w.bytes());
    QCOMPARE(Picture::load("dieTasse.wmf").naturalTwips(), QSize(600, 450));

    // Beyond the scan: refused, though the file is otherwise sound.
    WmfWriter far = WmfWriter::plain();
    while (far.bytes().size() < kSizeScanBytes + 100)
        far.recordBytes(Escape, QByteArray(1000, 'x'));
    far.setWindowExt(40, 30);
    dir.addFile("dieFerne.wmf", far.bytes());
    QVERIFY(Picture::load("dieFerne.wmf").isNull());

    // Without any extent, sized by what all of the file draws.
    WmfWriter drawn = WmfWriter::plain();
    while (drawn.bytes().size() < kSizeScanBytes + 100)
        drawn.recordBytes(Escape, QByteArray(1000, 'x'));
    drawn.rectangle(0, 0, 40, 30);
    dir.addFile("dasBild.wmf", drawn.bytes());
    QCOMPARE(Picture::load("dasBild.wmf").naturalTwips(), QSize(600, 450));

    // A placeable file whose records are garbage still measures.
    QByteArray junk = WmfWriter::placeable(0, 0, 720, 1440).bytes(false);
    junk.append(QByteArray(5000, '\xFF'));
    dir.addFile("derMüll.wmf", junk);
    QCOMPARE(Picture::load(QString::fromUtf8("derMüll.wmf")).naturalTwips(), QSize(720, 1440));
}

void WmfReaderTest::recordSizesEndTheWalk_data() {
    QTest::addColumn<quint32>("size");
    QTest::addColumn<long>("records"); // records read in total
    QTest::addColumn<bool>("damaged");
    QTest::newRow("0 words") << 0u << 1L << true;
    QTest::newRow("1 word") << 1u << 1L << true;
    QTest::newRow("2 words") << 2u << 1L << true;
    QTest::newRow("3 words: a record without parameters") << 3u << 3L << false;
    QTest::newRow("beyond the end") << 1000u << 1L << true;
    QTest::newRow("maximum") << 0xFFFFFFFFu << 1L << true;
}

void WmfReaderTest::recordSizesEndTheWalk() {
    QFETCH(quint32, size);
    QFETCH(long, records);
    QFETCH(bool, damaged);
    WmfWriter w = WmfWriter::plain();
    w.setWindowExt(10, 10);
    const int damagedAt = int(w.bytes(false).size());
    w.saveDC().rectangle(0, 0, 5, 5);
    QByteArray file = w.bytes();
    qToLittleEndian<quint32>(size, file.data() + damagedAt);
    Header h;
    QCOMPARE(readHeader(file, true, &h), HeaderResult::Ok);
    RecordReader reader(file, h.recordsOffset);
    Record r;
    while (reader.next(&r)) {
    }
    QCOMPARE(reader.count(), records);
    QCOMPARE(reader.damaged(), damaged);
}

QTEST_MAIN(WmfReaderTest)
#include "wmfreader_test.moc"
