// Headers and natural sizes of metafiles, read without playing a record.

#include "drawing/picture.h"
#include "drawing/wmf/wmfformat.h"
#include "drawing/wmf/wmfpicture.h"
#include "drawing/wmf/wmfplayer.h"
#include "drawing/wmf/wmfreader.h"
#include "support/picturedir.h"
#include "support/wmfwriter.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace wmf;

class WmfReaderTest : public QObject {
    Q_OBJECT
private slots:
    void naturalSize_data();
    void naturalSize();
    void badHeaders_data();
    void badHeaders();
    void recordSizesEndTheWalk_data();
    void recordSizesEndTheWalk();
    void drawnFrameHoldsTheInk_data();
    void drawnFrameHoldsTheInk();
};

void WmfReaderTest::naturalSize_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("twips"); // empty: refused
    // Placeable: records that would change the size if played do not count.
    auto box = [](int l, int t, int r, int b, int inch) {
        WmfWriter w = WmfWriter::placeable(l, t, r, b, inch);
        return w.setMapMode(MM_TWIPS).setWindowExt(7, 7).bytes();
    };
    QTest::newRow("offset box") << box(-100, 50, 900, 550, 1000) << QSize(1440, 720);
    QTest::newRow("reversed box") << box(1000, 500, 0, 0, 1000) << QSize(1440, 720);
    QTest::newRow("16-bit extremes")
        << box(-32768, -32768, 32767, 32767, 1440) << QSize(65535, 65535);
    QTest::newRow("tiny rounds up to a twip") << box(0, 0, 1, 1, 30000) << QSize(1, 1);
    QTest::newRow("placeable, garbage records")
        << WmfWriter::placeable(0, 0, 720, 1440).bytes(false) + QByteArray(5000, '\xFF')
        << QSize(720, 1440);
    auto plain = [] { return WmfWriter::plain(); };
    auto ext = [](int mode, int x, int y) {
        WmfWriter w = WmfWriter::plain();
        if (mode)
            w.setMapMode(mode);
        w.setWindowExt(x, y);
        return w;
    };
    QTest::newRow("no mode: text, 96-dpi pixels") << ext(0, 10, 20).bytes() << QSize(150, 300);
    QTest::newRow("isotropic") << ext(MM_ISOTROPIC, 100, 50).bytes() << QSize(1500, 750);
    QTest::newRow("lometric") << ext(MM_LOMETRIC, 254, 127).bytes() << QSize(1440, 720);
    QTest::newRow("himetric") << ext(MM_HIMETRIC, 2540, 5080).bytes() << QSize(1440, 2880);
    QTest::newRow("loenglish") << ext(MM_LOENGLISH, 100, 50).bytes() << QSize(1440, 720);
    QTest::newRow("hienglish") << ext(MM_HIENGLISH, 1000, 500).bytes() << QSize(1440, 720);
    QTest::newRow("twips, negative extent") << ext(MM_TWIPS, 300, -200).bytes() << QSize(300, 200);
    // The first SetWindowExt counts, with the mode in force at it.
    QTest::newRow("first extent wins")
        << ext(0, 100, 100).setMapMode(MM_TWIPS).setWindowExt(5, 5).bytes() << QSize(1500, 1500);
    QTest::newRow("zero extent skipped")
        << ext(MM_ANISOTROPIC, 0, 10).setWindowExt(20, 20).bytes() << QSize(300, 300);
    WmfWriter drawing = plain();
    for (int i = 0; i < 200; ++i)
        drawing.rectangle(0, 0, i, i);
    QTest::newRow("after drawing records")
        << drawing.setMapMode(MM_LOENGLISH).setWindowExt(200, 100).bytes() << QSize(2880, 1440);
    // An extent is looked for only near the start; without one the size is
    // that of what all of the file draws, in pixels.
    WmfWriter far = plain();
    while (far.bytes().size() < kSizeScanBytes + 100)
        far.recordBytes(Escape, QByteArray(1000, 'x'));
    QTest::newRow("extent beyond the scan")
        << WmfWriter(far).setWindowExt(40, 30).bytes() << QSize();
    QTest::newRow("no extent, drawn beyond the scan")
        << far.rectangle(0, 0, 40, 30).bytes() << QSize(600, 450);
    QTest::newRow("no SetWindowExt: drawn bounds")
        << plain().rectangle(-3, 2, 9, 9).bytes() << QSize(180, 105);
    WmfWriter moved = plain();
    moved.setWindowOrg(100, 100).setViewportOrg(5, 5).moveTo(100, 100).lineTo(120, 140);
    QTest::newRow("no extent, moved origins") << moved.bytes() << QSize(300, 600);
    // Text counts as its cells in the font it is drawn in, with or without
    // its background.
    QFont arial("Arial");
    arial.setPixelSize(20);
    arial.setKerning(false);
    const QFontMetricsF fm(arial);
    QTest::newRow("no extent, text")
        << plain()
               .setBkMode(TRANSPARENT)
               .createFont(-20, "Arial")
               .selectObject(0)
               .textOut(0, 0, "Hund")
               .bytes()
        << QSize(qCeil(fm.horizontalAdvance("Hund")) * 15, qCeil(fm.ascent() + fm.descent()) * 15);
    QTest::newRow("no extent, lometric")
        << plain().setMapMode(MM_LOMETRIC).rectangle(0, 0, 254, -127).bytes() << QSize(1440, 720);
    // Pens wider than a pixel reach half their width beyond the outline.
    auto penned = [&](int width) {
        return plain().createPen(PS_SOLID, width, Qt::black).selectObject(0);
    };
    QTest::newRow("no extent, pen of a pixel")
        << penned(1).rectangle(0, 0, 100, 50).bytes() << QSize(1500, 750);
    QTest::newRow("no extent, pen of 10")
        << penned(10).rectangle(0, 0, 100, 50).bytes() << QSize(1650, 900);
    // The window and viewport start at one unit each, as on a device.
    QTest::newRow("no extent, viewport extent")
        << plain().setViewportExt(3, 2).rectangle(0, 0, 10, 10).bytes() << QSize(450, 300);
    QTest::newRow("no extent, arc: only what it draws")
        << plain().arc(Arc, 0, 0, 100, 100, QPoint(100, 50), QPoint(0, 50)).bytes()
        << QSize(1500, 750);
    QTest::newRow("no extent, nothing drawn") << plain().moveTo(5, 5).bytes() << QSize();
    QTest::newRow("no extent, null pen and brush") << plain()
                                                          .createPen(PS_NULL, 0, Qt::black)
                                                          .selectObject(0)
                                                          .createBrush(BS_NULL, Qt::black)
                                                          .selectObject(1)
                                                          .rectangle(0, 0, 10, 10)
                                                          .bytes()
                                                   << QSize();
}

void WmfReaderTest::naturalSize() {
    QFETCH(QByteArray, file);
    QFETCH(QSize, twips);
    const auto pic = pictureFromData(file);
    QCOMPARE(pic ? pic->naturalTwips() : QSize(), twips);
    // The same from a file, which is measured from its start and read further
    // only where the size needs it.
    PictureDir dir;
    dir.addFile("derBaum.wmf", file);
    const Picture loaded = Picture::load("derBaum.wmf");
    QCOMPARE(loaded.isNull() ? QSize() : loaded.naturalTwips(), twips);
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
    QTest::newRow("standard header cut") << good.left(39);
    QTest::newRow("units per inch 0") << patched(14, QByteArray(2, '\0'));
    QTest::newRow("zero width") << patched(10, QByteArray(2, '\0'));
    QTest::newRow("type 3") << patched(22, QByteArray("\x03\x00", 2));
    QTest::newRow("header size 8") << patched(24, QByteArray("\x08\x00", 2));
    QTest::newRow("version 0x0200") << patched(26, QByteArray("\x00\x02", 2));
    QTest::newRow("wrong key") << patched(0, QByteArray("\xD7\xCD\xC6\x9B", 4));
}

void WmfReaderTest::badHeaders() {
    QFETCH(QByteArray, file);
    QVERIFY(!pictureFromData(file));
}

void WmfReaderTest::recordSizesEndTheWalk_data() {
    QTest::addColumn<quint32>("size");
    QTest::addColumn<long>("records"); // records read in total
    QTest::addColumn<bool>("damaged");
    QTest::newRow("0 words") << 0u << 1L << true;
    QTest::newRow("2 words") << 2u << 1L << true;
    QTest::newRow("3 words: a record without parameters") << 3u << 3L << false;
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

void WmfReaderTest::drawnFrameHoldsTheInk_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("tight"); // else the frame may be larger: the cells of turned text
    // The bundled pictures, stripped of their size.
    const QDir samples(qEnvironmentVariable("KALIMBO_SOURCE_DIR") + "/samples");
    for (const QString &f : samples.entryList({"*.wmf", "*.WMF"}, QDir::Files)) {
        QFile file(samples.filePath(f));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(f)) << WmfWriter::unsized(file.readAll()) << true;
    }
    auto plain = [](int penStyle, int penWidth) {
        WmfWriter w = WmfWriter::plain();
        w.createPen(penStyle, penWidth, Qt::black).selectObject(0);
        w.createBrush(BS_SOLID, Qt::red).selectObject(1);
        return w;
    };
    QTest::newRow("wide pen") << plain(PS_SOLID, 16).ellipse(0, 0, 100, 60).bytes() << true;
    // Mitres of a sharp zigzag reach far beyond half the pen.
    QTest::newRow("mitred zigzag")
        << plain(PS_JOIN_MITER, 12).polyline({{0, 0}, {30, 100}, {60, 0}, {90, 100}}).bytes()
        << true;
    QTest::newRow("square caps")
        << plain(PS_ENDCAP_SQUARE, 20).moveTo(10, 10).lineTo(90, 50).bytes() << true;
    QTest::newRow("viewport extent and origin") << plain(PS_SOLID, 2)
                                                       .setViewportExt(3, 2)
                                                       .setViewportOrg(-40, 7)
                                                       .rectangle(0, 0, 30, 30)
                                                       .bytes()
                                                << true;
    QTest::newRow("lometric")
        << plain(PS_SOLID, 5).setMapMode(MM_LOMETRIC).ellipse(0, 0, 300, -200).bytes() << true;
    QTest::newRow("opaque text, centred on its baseline")
        << plain(PS_SOLID, 1)
               .createFont(-30, "Arial")
               .selectObject(2)
               .setBkColor(Qt::yellow)
               .setTextAlign(TA_CENTER | TA_BASELINE)
               .textOut(0, 0, "Wal")
               .bytes()
        << true;
    QTest::newRow("turned text, no background") << plain(PS_SOLID, 1)
                                                       .setBkMode(TRANSPARENT)
                                                       .createFont(-30, "Arial", 400, 0, 450)
                                                       .selectObject(2)
                                                       .textOut(0, 0, "Wal")
                                                       .bytes()
                                                << false;
    QImage dib(8, 6, QImage::Format_RGB32);
    dib.fill(Qt::blue);
    QTest::newRow("bitmap")
        << plain(PS_SOLID, 1).stretchDib(-5, 10, 40, 30, WmfWriter::dib(dib, 24)).bytes() << true;
}

void WmfReaderTest::drawnFrameHoldsTheInk() {
    // Drawn with a margin around the frame, the picture's ink fills the
    // frame and stays inside it (antialiased edges may blend into the
    // pixel beyond).
    QFETCH(QByteArray, file);
    QFETCH(bool, tight);
    Header h;
    QCOMPARE(readHeader(file, true, &h), HeaderResult::Ok);
    QVERIFY(h.drawnFrame);
    const double side = qMax(h.frameExtent.x(), h.frameExtent.y());
    const double margin = side / 4 + 4, scale = qMin(1.0, 300 / side);
    Header wide = h;
    wide.frameShift -= QPointF(margin, margin);
    wide.frameExtent += QPointF(2 * margin, 2 * margin);
    QImage img(qCeil(wide.frameExtent.x() * scale), qCeil(wide.frameExtent.y() * scale),
               QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    play(file, wide, p, QRectF(0, 0, wide.frameExtent.x() * scale, wide.frameExtent.y() * scale));
    p.end();
    QRect ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 0)
                ink |= QRect(x, y, 1, 1);
    const QRectF frame(margin * scale, margin * scale, h.frameExtent.x() * scale,
                       h.frameExtent.y() * scale);
    const QRectF inkF(ink);
    QString where;
    QDebug(&where) << "ink" << inkF << "frame" << frame;
    QVERIFY2(frame.adjusted(-1, -1, 1, 1).contains(inkF), qPrintable(where));
    if (tight)
        QVERIFY2(inkF.adjusted(-2, -2, 2, 2).contains(frame), qPrintable(where));
}

QTEST_MAIN(WmfReaderTest)
#include "wmfreader_test.moc"
