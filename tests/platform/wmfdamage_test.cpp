// Damaged metafiles: truncated, with sizes and counts at 0 and at their
// maximum, with bad indexes. They draw what was good before the damage, or
// nothing, and never crash, hang or allocate without bound.

#include "drawing/picture.h"
#include "drawing/wmf/wmfdib.h"
#include "drawing/wmf/wmfformat.h"
#include "drawing/wmf/wmfpicture.h"
#include "drawing/wmf/wmfplayer.h"
#include "drawing/wmf/wmfreader.h"
#include "support/wmfwriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace wmf;

namespace {

QImage render(const QByteArray &file, QSize size = QSize(100, 100)) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    if (const auto pic = pictureFromData(file)) {
        QPainter p(&img);
        pic->draw(p, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return img;
}

QRgb at(const QImage &img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFF;
}

/// 100 x 100 picture, no pen, red brush in slot 1; then the case's records;
/// then a green square at the bottom right that shows whether play went on.
WmfWriter start() {
    WmfWriter w = WmfWriter::placeable(0, 0, 100, 100, 1440);
    w.setWindowOrg(0, 0).setWindowExt(100, 100);
    w.createPen(PS_NULL, 0, Qt::black).selectObject(0);
    w.createBrush(BS_SOLID, Qt::red).selectObject(1);
    w.rectangle(0, 0, 50, 50);
    return w;
}
QByteArray finish(WmfWriter w) {
    w.createBrush(BS_SOLID, Qt::green).selectObject(2).rectangle(50, 50, 100, 100);
    return w.bytes();
}

QByteArray dibHeader(qint32 w, qint32 h, int bits, quint32 compression = 0, quint32 colours = 0,
                     quint32 headerSize = 40) {
    QByteArray b(40, '\0');
    qToLittleEndian<quint32>(headerSize, b.data());
    qToLittleEndian<qint32>(w, b.data() + 4);
    qToLittleEndian<qint32>(h, b.data() + 8);
    qToLittleEndian<quint16>(1, b.data() + 12);
    qToLittleEndian<quint16>(quint16(bits), b.data() + 14);
    qToLittleEndian<quint32>(compression, b.data() + 16);
    qToLittleEndian<quint32>(colours, b.data() + 32);
    return b;
}

QStringList sampleFiles() {
    QStringList out;
    const QString src = qEnvironmentVariable("KALIMBO_SOURCE_DIR");
    const QString data = qEnvironmentVariable("KALIMBO_TEST_DATA");
    for (const QString &dirName : {src + "/samples", data + "/wmf"}) {
        const QDir dir(dirName);
        for (const QString &f : dir.entryList({"*.wmf", "*.WMF"}, QDir::Files))
            out.append(dir.filePath(f));
    }
    return out;
}

} // namespace

class WmfDamageTest : public QObject {
    Q_OBJECT
private slots:
    void everyTruncation_data();
    void everyTruncation();
    void goodRecordsBeforeDamageDraw();
    void recordSizes_data();
    void recordSizes();
    void countsAndLengths_data();
    void countsAndLengths();
    void dibHeaders_data();
    void dibHeaders();
    void badIndexes_data();
    void badIndexes();
    void saveDcDepth();
    void objectTableCap();
    void extremeCoordinates_data();
    void extremeCoordinates();
    void recordCap();
};

void WmfDamageTest::everyTruncation_data() {
    QTest::addColumn<QByteArray>("file");
    for (const QString &path : sampleFiles()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(QFileInfo(path).fileName())) << f.readAll();
    }
    WmfWriter w = start();
    w.createFont(-20, "Verdana").selectObject(2).textOut(5, 60, "B\xE4r");
    w.arc(Chord, 10, 10, 90, 90, {90, 50}, {10, 50});
    QImage img(3, 3, QImage::Format_RGB32);
    img.fill(Qt::blue);
    w.stretchDib(0, 0, 30, 30, WmfWriter::dib(img, 8));
    QTest::newRow("built") << finish(w);
}

void WmfDamageTest::everyTruncation() {
    QFETCH(QByteArray, file);
    QVERIFY(pictureFromData(file));
    for (int n = 0; n < file.size(); ++n) {
        const QByteArray cut = file.left(n);
        const auto pic = pictureFromData(cut);
        if (!pic)
            continue;
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        pic->draw(p, QRectF(0, 0, 40, 30));
    }
}

void WmfDamageTest::goodRecordsBeforeDamageDraw() {
    WmfWriter w = start();
    const QByteArray whole = finish(w);
    const int lastRecord = w.recordOffsets().last();
    // Cut in the middle of the records after the red square.
    const QImage img = render(whole.left(lastRecord + 20));
    QCOMPARE(at(img, 25, 25), 0xFF0000u);
    QCOMPARE(at(img, 75, 75), 0xFFFFFFu);
}

void WmfDamageTest::recordSizes_data() {
    QTest::addColumn<quint32>("size");
    QTest::addColumn<bool>("playsOn");
    QTest::newRow("0") << 0u << false;
    QTest::newRow("1") << 1u << false;
    QTest::newRow("2") << 2u << false;
    QTest::newRow("beyond the end") << 100000u << false;
    QTest::newRow("max") << 0xFFFFFFFFu << false;
    QTest::newRow("3: the record loses its parameters") << 3u << false;
}

void WmfDamageTest::recordSizes() {
    QFETCH(quint32, size);
    QFETCH(bool, playsOn);
    WmfWriter w = start();
    w.ellipse(0, 0, 10, 10);
    const int damaged = w.recordOffsets().last();
    QByteArray file = finish(w);
    qToLittleEndian<quint32>(size, file.data() + damaged);
    const QImage img = render(file);
    QCOMPARE(at(img, 25, 25), 0xFF0000u);
    // A size 3 ellipse record is read as a record without parameters, and
    // its parameters as the next records: what follows is garbage but safe.
    if (size != 3)
        QCOMPARE(at(img, 75, 75) == 0x00FF00u, playsOn);
}

void WmfDamageTest::countsAndLengths_data() {
    QTest::addColumn<int>("function");
    QTest::addColumn<QByteArray>("params");
    auto words = [](QList<int> w) {
        QByteArray b;
        for (int v : w) {
            b.append(char(v & 0xFF));
            b.append(char((v >> 8) & 0xFF));
        }
        return b;
    };
    QTest::newRow("polygon count 0") << int(Polygon) << words({0});
    QTest::newRow("polygon count max") << int(Polygon) << words({0x7FFF, 1, 2, 3, 4});
    QTest::newRow("polygon count -1") << int(Polygon) << words({0xFFFF, 1, 2});
    QTest::newRow("polyline count max") << int(Polyline) << words({0x7FFF, 1, 2});
    QTest::newRow("polypolygon 0 polygons") << int(PolyPolygon) << words({0});
    QTest::newRow("polypolygon max polygons") << int(PolyPolygon) << words({0xFFFF, 3, 3});
    QTest::newRow("polypolygon sum too large")
        << int(PolyPolygon) << words({2, 0xFFFF, 0xFFFF, 0, 0, 10, 10, 0, 10});
    QTest::newRow("polypolygon empty polygons") << int(PolyPolygon) << words({3, 0, 0, 0});
    QTest::newRow("textout length max") << int(TextOut) << words({0x7FFF, 0x4141, 0, 0});
    QTest::newRow("textout length -1") << int(TextOut) << words({0xFFFF, 0x4141, 0, 0});
    QTest::newRow("textout length 0") << int(TextOut) << words({0, 0, 0});
    QTest::newRow("exttextout length max") << int(ExtTextOut) << words({0, 0, 0x7FFF, 0, 0x4141});
    QTest::newRow("exttextout rect missing") << int(ExtTextOut) << words({0, 0, 1, ETO_OPAQUE});
    QTest::newRow("exttextout short dx")
        << int(ExtTextOut) << words({95, 95, 4, 0, 0x4141, 0x4141, 5});
    QTest::newRow("region scans max")
        << int(CreateRegion)
        << words({0, 6, 0, 0, 100, 0xFFFF, 0, 0, 0, 10, 10, 2, 0, 10, 0, 10, 2});
    QTest::newRow("region odd count")
        << int(CreateRegion) << words({0, 6, 0, 0, 100, 1, 0, 0, 0, 10, 10, 3, 0, 10, 0, 10, 5, 3});
    QTest::newRow("palette entries max") << int(CreatePalette) << words({0x300, 0xFFFF, 0, 0});
    QTest::newRow("palette entries 0") << int(CreatePalette) << words({0x300, 0});
    QTest::newRow("set pal entries without palette") << int(SetPalEntries) << words({0, 0xFFFF});
    QTest::newRow("resize palette without one") << int(ResizePalette) << words({0xFFFF});
    QTest::newRow("font without face") << int(CreateFontIndirect) << words({-10});
    QTest::newRow("font face without end")
        << int(CreateFontIndirect) << words({-10, 0, 0, 0, 400, 0, 0, 0, 0}) + QByteArray(200, 'A');
    QTest::newRow("font height min")
        << int(CreateFontIndirect)
        << words({0x8000, 0x7FFF, 0x7FFF, 0, 0x7FFF, 0x0101, 0xFF01, 0, 0});
    QTest::newRow("pen without colour") << int(CreatePenIndirect) << words({0});
    QTest::newRow("brush hatch max") << int(CreateBrushIndirect) << words({2, 0, 0, 0x7FFF});
    QTest::newRow("pattern brush without bits") << int(DibCreatePatternBrush) << words({5});
    QTest::newRow("bitmap16 pattern cut")
        << int(CreatePatternBrush) << words({0, 8, 8, 2, 0x0101, 0, 0});
    QTest::newRow("restore 0") << int(RestoreDC) << words({0});
    QTest::newRow("restore min") << int(RestoreDC) << words({0x8000});
    QTest::newRow("restore max") << int(RestoreDC) << words({0x7FFF});
    QTest::newRow("scale window by 0") << int(ScaleWindowExt) << words({0, 1, 0, 1});
    QTest::newRow("scale window to 0") << int(ScaleWindowExt) << words({1, 0, 1, 0});
    QTest::newRow("scale window by max / max")
        << int(ScaleWindowExt) << words({0x7FFF, 0x7FFF, 0x7FFF, 0x7FFF});
    QTest::newRow("map mode 0") << int(SetMapMode) << words({0});
    QTest::newRow("map mode max") << int(SetMapMode) << words({0xFFFF});
    QTest::newRow("rop2 max") << int(SetROP2) << words({0xFFFF});
    QTest::newRow("rectangle short") << int(Rectangle) << words({1, 2});
    QTest::newRow("arc zero box") << int(Arc) << words({0, 0, 0, 0, 5, 5, 5, 5});
    QTest::newRow("pie point at centre") << int(Pie) << words({5, 5, 5, 5, 10, 10, 0, 0});
    QTest::newRow("escape max") << int(Escape) << words({0xFFFF, 0xFFFF});
    QTest::newRow("unknown record") << 0x7777 << words({1, 2, 3});
    QTest::newRow("bitblt bitmap16 width max")
        << int(BitBlt)
        << words({0x0020, 0x00CC, 0, 0, 10, 10, 0, 0, 0, 0x7FFF, 10, 0x7FFF, 0x0101});
    QTest::newRow("bitblt short") << int(BitBlt) << words({0x0020, 0x00CC});
    QTest::newRow("stretchblt without bitmap")
        << int(StretchBlt) << words({0x0021, 0x00F0, 5, 5, 0, 0, 0, 5, 5, 0, 0});
    QTest::newRow("setdibtodev cut") << int(SetDibToDev) << words({0, 1, 0, 0, 0, 1, 1, 0, 0, 40});
    QTest::newRow("fill region bad objects") << int(FillRegion) << words({0, 1});
    QTest::newRow("select clip region of a pen") << int(SelectClipRegion) << words({0});
}

void WmfDamageTest::countsAndLengths() {
    QFETCH(int, function);
    QFETCH(QByteArray, params);
    WmfWriter w = start();
    w.setBkMode(TRANSPARENT).recordBytes(quint16(function), params);
    w.deleteObject(2); // a create record took the next slot
    const QImage img = render(finish(w));
    // The record is skipped (or drawn harmlessly); play goes on after it.
    QCOMPARE(at(img, 25, 25), 0xFF0000u);
    QCOMPARE(at(img, 75, 75), 0x00FF00u);
}

void WmfDamageTest::dibHeaders_data() {
    QTest::addColumn<QByteArray>("dib");
    QTest::addColumn<bool>("decodes");
    const QByteArray px(64, '\x55');
    QTest::newRow("good 4 x 4 x 8")
        << dibHeader(4, 4, 8, 0, 2) + QByteArray(8, '\0') + QByteArray(16, 1) << true;
    QTest::newRow("top-down") << dibHeader(4, -4, 24) + px << true;
    QTest::newRow("bit fields 16")
        << dibHeader(2, 2, 16, 3) + QByteArray::fromHex("00f8000000e007001f000000") +
               QByteArray(8, 'x')
        << true;
    QTest::newRow("core header") << QByteArray::fromHex("0c0000000200020001001800") +
                                        QByteArray(16, 'x')
                                 << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("header size 0") << dibHeader(4, 4, 24, 0, 0, 0) + px << false;
    QTest::newRow("header size max") << dibHeader(4, 4, 24, 0, 0, 0xFFFFFFFF) + px << false;
    QTest::newRow("header larger than data") << dibHeader(4, 4, 24, 0, 0, 1000) + px << false;
    QTest::newRow("width 0") << dibHeader(0, 4, 24) + px << false;
    QTest::newRow("width negative") << dibHeader(-4, 4, 24) + px << false;
    QTest::newRow("height 0") << dibHeader(4, 0, 24) + px << false;
    QTest::newRow("height min") << dibHeader(4, INT_MIN, 24) + px << false;
    QTest::newRow("width max") << dibHeader(INT_MAX, 1, 1) + px << false;
    QTest::newRow("both max") << dibHeader(INT_MAX, INT_MAX, 32) + px << false;
    QTest::newRow("over the pixel cap") << dibHeader(8193, 8192, 1) + px << false;
    QTest::newRow("bits 0") << dibHeader(4, 4, 0) + px << false;
    QTest::newRow("bits 2") << dibHeader(4, 4, 2) + px << false;
    QTest::newRow("bits max") << dibHeader(4, 4, 0xFFFF) + px << false;
    QTest::newRow("pixels short by one byte") << dibHeader(4, 4, 24) + px.left(47) << false;
    QTest::newRow("colours max") << dibHeader(4, 4, 8, 0, 0xFFFFFFFF) + px << false;
    QTest::newRow("colours beyond the data") << dibHeader(4, 4, 8, 0, 200) + px << false;
    QTest::newRow("palette short of its default") << dibHeader(2, 2, 8) + px << false;
    QTest::newRow("RLE8 not drawn") << dibHeader(4, 4, 8, 1, 1) + px << false;
    QTest::newRow("bit fields masks missing") << dibHeader(4, 4, 32, 3) << false;
    QTest::newRow("bit fields on 8 bits") << dibHeader(4, 4, 8, 3) + px << false;
}

void WmfDamageTest::dibHeaders() {
    QFETCH(QByteArray, dib);
    QFETCH(bool, decodes);
    QCOMPARE(!decodeDib(dib, DIB_RGB_COLORS, {}).isNull(), decodes);
    // In every record that carries one, the file still plays on.
    for (int fn :
         {int(StretchDib), int(DibStretchBlt), int(DibBitBlt), int(DibCreatePatternBrush)}) {
        WmfWriter w = start();
        if (fn == StretchDib)
            w.recordBytes(quint16(fn),
                          QByteArray::fromHex("2000cc00000004000400000000006400640000000000") +
                              dib);
        else if (fn == DibStretchBlt)
            w.recordBytes(quint16(fn),
                          QByteArray::fromHex("2000cc0004000400000000006400640000000000") + dib);
        else if (fn == DibBitBlt)
            w.recordBytes(quint16(fn),
                          QByteArray::fromHex("2000cc00000000000400040000000000") + dib);
        else
            w.recordBytes(quint16(fn), QByteArray::fromHex("05000000") + dib);
        w.deleteObject(2);
        const QImage img = render(finish(w));
        QCOMPARE(at(img, 75, 75), 0x00FF00u);
    }
}

void WmfDamageTest::badIndexes_data() {
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("index");
    for (int fn : {int(SelectObject), int(DeleteObject), int(SelectPalette), int(SelectClipRegion),
                   int(PaintRegion), int(InvertRegion)})
        for (int idx : {2, 3, 4095, 4096, 0x7FFF, 0xFFFF})
            QTest::addRow("%04x index %d", fn, idx) << fn << idx;
    QTest::newRow("select deleted") << -1 << 1;
}

void WmfDamageTest::badIndexes() {
    QFETCH(int, function);
    QFETCH(int, index);
    WmfWriter w = start();
    if (function < 0) {
        w.createBrush(BS_SOLID, Qt::blue).deleteObject(2).selectObject(2);
    } else {
        w.record(quint16(function), {qint16(index)});
    }
    // The red brush is still selected.
    w.rectangle(0, 50, 50, 100);
    const QImage img = render(finish(w));
    QCOMPARE(at(img, 25, 75), 0xFF0000u);
    QCOMPARE(at(img, 75, 75), 0x00FF00u);
}

void WmfDamageTest::saveDcDepth() {
    WmfWriter w = start();
    w.createBrush(BS_SOLID, Qt::blue).selectObject(2);
    for (int i = 0; i < 100000; ++i)
        w.saveDC();
    w.selectObject(1);
    w.restoreDC(-1); // back to the last state saved (blue)
    w.rectangle(0, 50, 50, 100);
    for (int i = 0; i < 10; ++i)
        w.restoreDC(-32768);
    w.deleteObject(2);
    const QImage img = render(finish(w));
    QCOMPARE(at(img, 25, 75), 0x0000FFu);
    QCOMPARE(at(img, 75, 75), 0x00FF00u);
}

void WmfDamageTest::objectTableCap() {
    // The header claims no objects; the table still holds up to its cap.
    WmfWriter w = start();
    for (int i = 2; i < 5000; ++i)
        w.createBrush(BS_SOLID, i == 4095 ? Qt::blue : Qt::black);
    w.selectObject(4095).rectangle(0, 50, 50, 100);
    w.selectObject(4096).rectangle(50, 0, 100, 50); // over the cap: never created
    QByteArray file = w.bytes();
    qToLittleEndian<quint16>(0, file.data() + 22 + 10);
    const QImage img = render(file);
    QCOMPARE(at(img, 25, 75), 0x0000FFu);
    QCOMPARE(at(img, 75, 25), 0x0000FFu);
}

void WmfDamageTest::extremeCoordinates_data() {
    // Files that must only play without crashing or hanging are in the
    // corpus (tests/data/wmf/regress-*); these must also draw.
    QTest::addColumn<QByteArray>("file");
    const int lo = -32768, hi = 32767;
    {
        WmfWriter w = start();
        w.setWindowExt(1, 1).rectangle(lo, lo, hi, hi);
        QTest::newRow("window 1, full range rectangle") << finish(w);
    }
    {
        WmfWriter w = start();
        w.createPen(PS_DOT, 0, Qt::black).selectObject(2);
        w.setWindowExt(1, 1).moveTo(lo, lo).lineTo(hi, hi).rectangle(lo, lo, hi, hi);
        w.polyline({{lo, hi}, {hi, lo}, {lo, lo}});
        QTest::newRow("dotted lines of enormous length") << finish(w);
    }
}

void WmfDamageTest::extremeCoordinates() {
    QFETCH(QByteArray, file);
    QElapsedTimer t;
    t.start();
    const QImage img = render(file);
    QVERIFY2(t.elapsed() < 5000, "extreme coordinates must not make play slow");
    QCOMPARE(at(img, 50, 50) == 0xFF0000u || at(img, 50, 50) == 0u, true);
    QCOMPARE(at(img, 25, 25) != 0xFFFFFFu, true);
}

void WmfDamageTest::recordCap() {
    WmfWriter w = WmfWriter::plain();
    w.setWindowExt(10, 10);
    QByteArray file = w.bytes(false);
    const QByteArray bkMode = QByteArray::fromHex("0400000002010100");
    file.reserve(file.size() + bkMode.size() * (RecordReader::kMaxRecords + 10));
    for (long i = 0; i < RecordReader::kMaxRecords + 10; ++i)
        file.append(bkMode);
    Header h;
    QCOMPARE(readHeader(file, true, &h), HeaderResult::Ok);
    QImage img(10, 10, QImage::Format_RGB32);
    QPainter p(&img);
    const PlayResult res = play(file, h, p, QRectF(0, 0, 10, 10));
    QCOMPARE(res.records, RecordReader::kMaxRecords);
    QVERIFY(res.damaged);
}

QTEST_MAIN(WmfDamageTest)
#include "wmfdamage_test.moc"
