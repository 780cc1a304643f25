// Damaged metafiles: truncated, with sizes and counts at 0 and at their
// maximum, with bad indexes. They draw what was good before the damage, or
// nothing, and never crash, hang or allocate without bound. Files that only
// have to play are in the corpus (tests/data/wmf, replayed by
// wmf_corpus_replay); its playson-* files hold hostile records between a red
// and a green square, and play must go on past them.

#include "drawing/picture.h"
#include "drawing/wmf/wmfdib.h"
#include "drawing/wmf/wmfformat.h"
#include "drawing/wmf/wmfpicture.h"
#include "drawing/wmf/wmfplayer.h"
#include "drawing/wmf/wmfreader.h"
#include "support/wmfrender.h"
#include "support/wmfwriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace wmf;

namespace {

constexpr QRgb kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

/// Colours at the middles of the quarters: top left, top right, bottom left, bottom right.
QList<QRgb> quarters(const QImage &img) {
    return {rgbAt(img, 25, 25), rgbAt(img, 75, 25), rgbAt(img, 25, 75), rgbAt(img, 75, 75)};
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

/// Files matching pattern in the samples and the corpus, as data rows.
void addFileRows(const QString &pattern) {
    QTest::addColumn<QByteArray>("file");
    for (const QString &dirName : {qEnvironmentVariable("KALIMBO_SOURCE_DIR") + "/samples",
                                   qEnvironmentVariable("KALIMBO_TEST_DATA") + "/wmf"}) {
        const QDir dir(dirName);
        for (const QString &name : dir.entryList({pattern}, QDir::Files)) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QTest::newRow(qPrintable(name)) << f.readAll();
        }
    }
}

} // namespace

class WmfDamageTest : public QObject {
    Q_OBJECT
private slots:
    void everyTruncation_data() { addFileRows("*.[wW][mM][fF]"); }
    void everyTruncation();
    void goodRecordsBeforeDamageDraw();
    void hostileRecordsPlayOn_data() { addFileRows("playson-*.wmf"); }
    void hostileRecordsPlayOn();
    void dibHeaders_data();
    void dibHeaders();
    void saveDcDepth();
    void objectTableCap();
    void extremeCoordinates_data();
    void extremeCoordinates();
    void recordCap();
};

void WmfDamageTest::everyTruncation() {
    QFETCH(QByteArray, file);
    QVERIFY(pictureFromData(file));
    // Every cut in the first 4 KB, beyond that one in 61 (large files are
    // many records of the same kinds, and each cut plays all before it).
    for (qsizetype n = 0; n < file.size(); n += n < 4096 ? 1 : 61)
        renderWmf(file.left(n), QSize(40, 30));
}

void WmfDamageTest::goodRecordsBeforeDamageDraw() {
    WmfWriter w = start();
    const qsizetype lastRecord = w.bytes(false).size();
    // Cut in the middle of the records after the red square.
    QCOMPARE(quarters(renderWmf(finish(w).left(lastRecord + 20))),
             (QList<QRgb>{kRed, kWhite, kWhite, kWhite}));
}

void WmfDamageTest::hostileRecordsPlayOn() {
    // Each bad record is skipped (or drawn harmlessly), the red brush stays
    // selected, and play goes on to the green square.
    QFETCH(QByteArray, file);
    QCOMPARE(quarters(renderWmf(file)), (QList<QRgb>{kRed, kWhite, kRed, kGreen}));
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
    QTest::newRow("header larger than data") << dibHeader(4, 4, 24, 0, 0, 1000) + px << false;
    QTest::newRow("width 0") << dibHeader(0, 4, 24) + px << false;
    QTest::newRow("height 0") << dibHeader(4, 0, 24) + px << false;
    QTest::newRow("height min") << dibHeader(4, INT_MIN, 24) + px << false;
    QTest::newRow("72 pixels, over a cap of 64") << dibHeader(9, 8, 1) + px.left(40) << false;
    QTest::newRow("bits 2") << dibHeader(4, 4, 2) + px << false;
    QTest::newRow("pixels short by one byte") << dibHeader(4, 4, 24) + px.left(47) << false;
    QTest::newRow("colours beyond the data") << dibHeader(4, 4, 8, 0, 200) + px << false;
    QTest::newRow("palette short of its default") << dibHeader(2, 2, 8) + px << false;
    QTest::newRow("RLE8 not drawn") << dibHeader(4, 4, 8, 1, 1) + px << false;
    QTest::newRow("bit fields masks missing") << dibHeader(4, 4, 32, 3) << false;
    QTest::newRow("bit fields on 8 bits") << dibHeader(4, 4, 8, 3) + px << false;
}

void WmfDamageTest::dibHeaders() {
    QFETCH(QByteArray, dib);
    QFETCH(bool, decodes);
    QCOMPARE(!decodeDib(dib, DIB_RGB_COLORS, {}, 64).isNull(), decodes);
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
    QCOMPARE(quarters(renderWmf(finish(w))), (QList<QRgb>{kRed, kWhite, kBlue, kGreen}));
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
    QCOMPARE(quarters(renderWmf(file)), (QList<QRgb>{kRed, kBlue, kBlue, kWhite}));
}

void WmfDamageTest::extremeCoordinates_data() {
    // Files that must only play without crashing or hanging are in the
    // corpus (tests/data/wmf/regress-*); these must also draw.
    QTest::addColumn<QByteArray>("file");
    const int lo = -32768, hi = 32767;
    WmfWriter w = start();
    w.setWindowExt(1, 1).rectangle(lo, lo, hi, hi);
    QTest::newRow("window 1, full range rectangle") << finish(w);
    w.createPen(PS_DOT, 0, Qt::black).selectObject(2);
    w.moveTo(lo, lo).lineTo(hi, hi).rectangle(lo, lo, hi, hi);
    w.polyline({{lo, hi}, {hi, lo}, {lo, lo}});
    QTest::newRow("dotted lines of enormous length") << finish(w);
}

void WmfDamageTest::extremeCoordinates() {
    QFETCH(QByteArray, file);
    QElapsedTimer t;
    t.start();
    const QImage img = renderWmf(file);
    QVERIFY2(t.elapsed() < 5000, "extreme coordinates must not make play slow");
    QCOMPARE(rgbAt(img, 50, 50) == kRed || rgbAt(img, 50, 50) == 0u, true);
    QCOMPARE(rgbAt(img, 25, 25) != kWhite, true);
}

void WmfDamageTest::recordCap() {
    const QByteArray bkMode = QByteArray::fromHex("0400000002010100");
    const QByteArray file = WmfWriter::plain().setWindowExt(10, 10).bytes(false) +
                            bkMode.repeated(RecordReader::kMaxRecords + 10);
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
