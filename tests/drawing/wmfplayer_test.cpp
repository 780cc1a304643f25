// Plays metafiles built record by record into images and checks the colours
// at chosen points.

#include "drawing/picture.h"
#include "drawing/wmf/wmfformat.h"
#include "drawing/wmf/wmfpicture.h"
#include "drawing/wmf/wmfplayer.h"
#include "drawing/wmf/wmfreader.h"
#include "drawing/wmf/wmftext.h"
#include "support/picturedir.h"
#include "support/wmfrender.h"
#include "support/wmfwriter.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

using namespace wmf;

namespace {

constexpr QRgb kWhite = 0xFFFFFF, kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00,
               kBlack = 0x000000;
using Probes = QList<std::pair<QPoint, QRgb>>; // points and the colours they must have

/// A 100 x 100 placeable picture with a red brush and no pen.
WmfWriter square() {
    WmfWriter w = WmfWriter::placeable(0, 0, 100, 100, 1440);
    w.setWindowOrg(0, 0).setWindowExt(100, 100);
    w.createPen(PS_NULL, 0, Qt::black).selectObject(0);
    w.createBrush(BS_SOLID, Qt::red).selectObject(1);
    return w;
}

/// Bounding box of the non-white pixels.
QRect ink(const QImage &img) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (rgbAt(img, x, y) != kWhite)
                r |= QRect(x, y, 1, 1);
    return r;
}

} // namespace

class WmfPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void colours_data();
    void colours();
    void hatchedBrush_data();
    void hatchedBrush();
    void dibPatternInDevicePixels();
    void textAlignment_data();
    void textAlignment();
    void textInAnUmlautFont();
    void mapping_data();
    void mapping();
    void embeddedDib_data();
    void embeddedDib();
    void codePages_data();
    void codePages();
    void throughPictureInterface();
    void drawsOnlyInsideTarget();
    void workBudget_data();
    void workBudget();
    void plainTextInDeviceUnits();
};

void WmfPlayerTest::colours_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Probes>("probes");
    QTest::addColumn<QRect>("ink"); // all that is drawn, unless empty
    {
        WmfWriter w = square();
        w.createBrush(BS_SOLID, Qt::blue).selectObject(2).ellipse(0, 0, 100, 100);
        w.selectObject(1).rectangle(40, 40, 60, 60);
        QTest::newRow("rectangle inside ellipse")
            << w.bytes()
            << Probes{{{50, 50}, kRed}, {{25, 50}, kBlue}, {{50, 90}, kBlue}, {{4, 4}, kWhite}}
            // corner outside the ellipse
            << QRect();
    }
    // From 3 o'clock counter-clockwise to 12 o'clock: the upper right quarter,
    // as seen on the device, whichever way the window points.
    for (const bool yUp : {false, true}) {
        WmfWriter w = WmfWriter::plain();
        w.setMapMode(MM_ANISOTROPIC).setWindowOrg(0, yUp ? 100 : 0);
        w.setWindowExt(100, yUp ? -100 : 100).createPen(PS_NULL, 0, Qt::black).selectObject(0);
        w.createBrush(BS_SOLID, Qt::blue).selectObject(1);
        w.arc(Pie, 0, 0, 100, 100, QPoint(100, 50), QPoint(50, yUp ? 100 : 0));
        QTest::newRow(yUp ? "pie, y up" : "pie, y down")
            << w.bytes()
            << Probes{{{75, 25}, kBlue}, {{25, 25}, kWhite}, {{75, 75}, kWhite}, {{25, 75}, kWhite}}
            << QRect();
    }
    QTest::newRow("intersect clip")
        << square().intersectClipRect(0, 0, 50, 100).rectangle(0, 0, 100, 100).bytes()
        << Probes{{{75, 50}, kWhite}, {{25, 50}, kRed}} << QRect();
    QTest::newRow("exclude clip")
        << square().excludeClipRect(25, 25, 75, 75).rectangle(0, 0, 100, 100).bytes()
        << Probes{{{50, 50}, kWhite}, {{10, 10}, kRed}} << QRect();
    {
        WmfWriter w = square();
        w.createBrush(BS_SOLID, Qt::blue).selectObject(2);
        w.saveDC();                               // blue, full size
        w.selectObject(1).setViewportExt(50, 50); // red, half size
        w.saveDC();
        w.selectObject(2).intersectClipRect(0, 0, 10, 10);
        w.restoreDC(-1).rectangle(0, 0, 100, 100); // red, half size, unclipped
        w.restoreDC(-5);                           // no such level: ignored
        w.rectangle(50, 50, 100, 100);             // red again at the half size: 25..50
        w.restoreDC(1).rectangle(60, 0, 100, 20);  // blue, full size
        QTest::newRow("save and restore")
            << w.bytes()
            << Probes{{{20, 20}, kRed}, {{40, 40}, kRed}, {{75, 75}, kWhite}, {{80, 10}, kBlue}}
            << QRect();
    }
    {
        WmfWriter w = square();             // slots 0 pen, 1 red
        w.createBrush(BS_SOLID, Qt::green); // slot 2
        w.deleteObject(1);
        w.createBrush(BS_SOLID, Qt::blue); // takes slot 1, the lowest free one
        w.selectObject(1).rectangle(0, 0, 50, 100);
        w.selectObject(2).rectangle(50, 0, 100, 50);
        w.selectObject(77).rectangle(50, 50, 100, 100); // bad index: green stays
        QTest::newRow("slot reuse after delete")
            << w.bytes() << Probes{{{25, 50}, kBlue}, {{75, 25}, kGreen}, {{75, 75}, kGreen}}
            << QRect();
    }
    {
        WmfWriter w = square();
        w.createBrush(BS_SOLID, Qt::black).selectObject(2).rectangle(0, 0, 100, 100);
        w.setROP2(R2_NOT).rectangle(0, 0, 50, 100);
        w.setROP2(R2_NOP).rectangle(50, 0, 100, 50);
        QTest::newRow("rop2 not and nop")
            << w.bytes() << Probes{{{25, 50}, kWhite}, {{75, 25}, kBlack}, {{75, 75}, kBlack}}
            << QRect();
    }
    for (const int mode : {int(ALTERNATE), int(WINDING)}) {
        WmfWriter w = square();
        w.setPolyFillMode(mode).polyPolygon(
            {{{10, 10}, {90, 10}, {90, 90}, {10, 90}}, {{30, 30}, {70, 30}, {70, 70}, {30, 70}}});
        // Alternate leaves a hole in the middle, winding fills it.
        QTest::newRow(mode == WINDING ? "winding" : "alternate")
            << w.bytes()
            << Probes{{{50, 50}, mode == WINDING ? kRed : kWhite},
                      {{20, 50}, kRed},
                      {{5, 5}, kWhite}}
            << QRect();
    }
    {
        WmfWriter w = square();
        w.setBkColor(Qt::blue).setBkMode(TRANSPARENT);
        w.extTextOut(10, 10, "", ETO_OPAQUE, QRect(QPoint(0, 0), QPoint(49, 49)));
        w.extTextOut(0, 60, "x", ETO_CLIPPED, QRect(QPoint(0, 0), QPoint(0, 0))); // clipped away
        QTest::newRow("opaque text rectangle")
            << w.bytes() << Probes{{{25, 25}, kBlue}} << QRect(0, 0, 50, 50);
    }
    {
        // No window extent, no mapping mode: device units, framed by the drawing.
        WmfWriter w = WmfWriter::plain();
        w.createPen(PS_NULL, 0, Qt::black).selectObject(0);
        w.createBrush(BS_SOLID, Qt::red).selectObject(1).rectangle(-50, -50, 50, 50);
        w.createBrush(BS_SOLID, Qt::blue).selectObject(2).rectangle(0, 0, 50, 50);
        QTest::newRow("plain file framed by what it draws")
            << w.bytes() << Probes{{{25, 75}, kRed}, {{75, 75}, kBlue}} << QRect(0, 0, 100, 100);
    }
}

void WmfPlayerTest::colours() {
    QFETCH(QByteArray, file);
    QFETCH(Probes, probes);
    QFETCH(QRect, ink);
    const QImage img = renderWmf(file);
    for (const auto &[pt, colour] : probes) // the point is compared too, to name it
        QCOMPARE(std::pair(pt, QColor(rgbAt(img, pt.x(), pt.y())).name()),
                 std::pair(pt, QColor(colour).name()));
    if (!ink.isEmpty())
        QCOMPARE(::ink(img), ink);
}

void WmfPlayerTest::hatchedBrush_data() {
    QTest::addColumn<int>("bkMode");
    QTest::addColumn<QRgb>("gap");
    QTest::newRow("opaque: gaps in the background colour") << int(OPAQUE) << kGreen;
    QTest::newRow("transparent: gaps show through") << int(TRANSPARENT) << kWhite;
}

void WmfPlayerTest::hatchedBrush() {
    QFETCH(int, bkMode);
    QFETCH(QRgb, gap);
    WmfWriter w = square();
    w.setBkColor(Qt::green).setBkMode(bkMode);
    w.createBrush(BS_HATCHED, Qt::red, HS_HORIZONTAL).selectObject(2);
    w.rectangle(0, 0, 100, 100);
    QImage img = renderWmf(w.bytes());
    QSet<QRgb> column;
    for (int y = 10; y < 90; ++y)
        column.insert(rgbAt(img, 50, y));
    QCOMPARE(column, (QSet<QRgb>{kRed, gap}));
    // Horizontal hatch: a row is all one colour.
    for (int x = 10; x < 90; ++x)
        QCOMPARE(rgbAt(img, x, 20), rgbAt(img, 10, 20));
}

void WmfPlayerTest::dibPatternInDevicePixels() {
    // A checker of single pixels stays single pixels when the picture is
    // drawn four times its size.
    QImage checker(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? 0xFFFF0000 : 0xFF0000FF);
    WmfWriter w = square();
    w.createDibPatternBrush(WmfWriter::dib(checker, 4)).selectObject(2).rectangle(0, 0, 100, 100);
    const QImage img = renderWmf(w.bytes(), QSize(400, 400));
    for (int x = 100; x < 110; ++x) {
        QVERIFY(rgbAt(img, x, 200) == kRed || rgbAt(img, x, 200) == kBlue);
        QVERIFY(rgbAt(img, x, 200) != rgbAt(img, x + 1, 200));
    }
}

void WmfPlayerTest::textAlignment_data() {
    QTest::addColumn<int>("align");
    QTest::addColumn<int>("side");  // -1 ink left of x, 0 around, 1 right
    QTest::addColumn<int>("level"); // -1 ink above y, 0 around, 1 below
    QTest::newRow("left top") << 0 << 1 << 1;
    QTest::newRow("right top") << int(TA_RIGHT) << -1 << 1;
    QTest::newRow("center top") << int(TA_CENTER) << 0 << 1;
    QTest::newRow("left bottom") << int(TA_BOTTOM) << 1 << -1;
    QTest::newRow("left baseline") << int(TA_BASELINE) << 1 << -1;
}

void WmfPlayerTest::textAlignment() {
    QFETCH(int, align);
    QFETCH(int, side);
    QFETCH(int, level);
    WmfWriter w = WmfWriter::placeable(0, 0, 200, 200, 1440);
    w.setWindowOrg(0, 0).setWindowExt(200, 200).setBkMode(TRANSPARENT);
    w.createFont(-30, "Arial", 700).selectObject(0).setTextColor(Qt::black);
    w.setTextAlign(align).textOut(100, 100, "HHH");
    const QRect box = ink(renderWmf(w.bytes(), QSize(200, 200)));
    QVERIFY(box.height() >= 15 && box.height() <= 30);
    if (side > 0)
        QVERIFY2(box.left() >= 99 && box.left() < 106, qPrintable(QString::number(box.left())));
    else if (side < 0)
        QVERIFY2(box.right() <= 101 && box.right() > 94, qPrintable(QString::number(box.right())));
    else
        QVERIFY(qAbs(box.center().x() - 100) <= 3);
    if (level > 0)
        QVERIFY2(box.top() >= 100 && box.top() < 116, qPrintable(QString::number(box.top())));
    else
        QVERIFY2(box.bottom() <= 101, qPrintable(QString::number(box.bottom())));
}

void WmfPlayerTest::textInAnUmlautFont() {
    // "Bär" in Windows-1252 draws as three glyphs, the same ink as Qt's "Bär".
    WmfWriter w = WmfWriter::placeable(0, 0, 200, 100, 1440);
    w.setWindowOrg(0, 0).setWindowExt(200, 100).setBkMode(TRANSPARENT);
    w.createFont(-40, "Arial").selectObject(0);
    w.textOut(10, 10, "B\xE4r");
    const QImage img = renderWmf(w.bytes(), QSize(200, 100));

    QImage ref(200, 100, QImage::Format_RGB32);
    ref.fill(Qt::white);
    {
        QPainter p(&ref);
        QFont f("Arial");
        f.setPixelSize(40);
        f.setKerning(false);
        p.setFont(f);
        p.setPen(Qt::black);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.drawText(QPointF(10, 10 + QFontMetricsF(f).ascent()), QString::fromUtf8("Bär"));
    }
    QCOMPARE(ink(img), ink(ref));
}

void WmfPlayerTest::mapping_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QRect>("filled"); // in a 100 x 100 image: inside is red, outside white
    auto plain = [](int mode = MM_ANISOTROPIC) {
        WmfWriter w = WmfWriter::plain();
        w.setMapMode(mode).setWindowOrg(0, 0);
        if (mode == MM_ANISOTROPIC)
            w.setWindowExt(100, 100);
        w.createPen(PS_NULL, 0, Qt::black).selectObject(0);
        w.createBrush(BS_SOLID, Qt::red).selectObject(1);
        return w;
    };
    // Each row draws a red rectangle from 0,0: the full window or its part.
    auto full = [](WmfWriter w) { return w.rectangle(0, 0, 100, 100).bytes(); };
    auto part = [](WmfWriter w) { return w.rectangle(0, 0, 50, 50).bytes(); };
    QTest::newRow("scaled window")
        << full(plain().scaleWindowExt(2, 1, 1, 1)) << QRect(0, 0, 50, 100);
    QTest::newRow("window origin")
        << plain().setWindowOrg(50, 0).rectangle(50, 0, 100, 100).bytes() << QRect(0, 0, 50, 100);
    QTest::newRow("offset window origin")
        << part(plain().offsetWindowOrg(-50, -50)) << QRect(50, 50, 50, 50);
    QTest::newRow("viewport half size")
        << full(plain().setViewportExt(50, 50)) << QRect(0, 0, 50, 50);
    QTest::newRow("isotropic keeps the aspect")
        << full(plain().setMapMode(MM_ISOTROPIC).setViewportExt(50, 100)) << QRect(0, 0, 50, 50);
    QTest::newRow("negative viewport mirrors")
        << part(plain().setViewportExt(-100, -100).setViewportOrg(100, 100))
        << QRect(50, 50, 50, 50);
    // 1000 x 1000 in 0.1 mm: y runs upwards from the top-left corner.
    QTest::newRow("metric, y up")
        << plain(MM_LOMETRIC).setWindowExt(1000, 1000).rectangle(0, 0, 500, -500).bytes()
        << QRect(0, 0, 50, 50);
    // Placeable in 1/1440 inch; twips mode inside it keeps the scale.
    WmfWriter twips = WmfWriter::placeable(0, 0, 1440, 1440, 1440);
    twips.setMapMode(MM_TWIPS).setWindowOrg(0, 0).createBrush(BS_SOLID, Qt::red).selectObject(0);
    QTest::newRow("twips in a placeable file")
        << twips.rectangle(720, -720, 1440, -1440).bytes() << QRect(50, 50, 50, 50);
    QTest::newRow("zero extents are ignored")
        << part(plain().setWindowExt(0, 0).setViewportExt(0, 50)) << QRect(0, 0, 50, 50);
}

void WmfPlayerTest::mapping() {
    QFETCH(QByteArray, file);
    QFETCH(QRect, filled);
    const QImage img = renderWmf(file);
    // Sample away from the edges, where antialiasing blends.
    const QRect inner = filled.adjusted(2, 2, -2, -2), outer = filled.adjusted(-2, -2, 2, 2);
    for (int y = 2; y < 100; y += 4)
        for (int x = 2; x < 100; x += 4)
            if (inner.contains(x, y) || !outer.contains(x, y))
                QVERIFY2(rgbAt(img, x, y) == (inner.contains(x, y) ? kRed : kWhite),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

void WmfPlayerTest::embeddedDib_data() {
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("function");
    for (int bits : {1, 4, 8, 24})
        for (int fn : {int(StretchDib), int(DibStretchBlt), int(DibBitBlt)})
            QTest::addRow("%d bits, record %04x", bits, fn) << bits << fn;
}

void WmfPlayerTest::embeddedDib() {
    QFETCH(int, bits);
    QFETCH(int, function);
    // Four quadrants (two colours for a monochrome bitmap), 6 x 4 pixels.
    QImage src(6, 4, QImage::Format_RGB32);
    const QRgb tl = 0xFF0000, tr = bits == 1 ? 0xFFFFFF : 0x00FF00;
    const QRgb bl = bits == 1 ? 0xFFFFFF : 0x0000FF, br = bits == 1 ? 0xFF0000 : 0xFFFF00;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            src.setPixel(x, y, 0xFF000000 | (y < 2 ? (x < 3 ? tl : tr) : (x < 3 ? bl : br)));
    const QByteArray dib = WmfWriter::dib(src, bits);
    WmfWriter w = WmfWriter::placeable(0, 0, 6, 4, 1440);
    w.setWindowOrg(0, 0).setWindowExt(6, 4);
    if (function == StretchDib)
        w.stretchDib(0, 0, 6, 4, dib);
    else if (function == DibStretchBlt)
        w.dibStretchBlt(0, 0, 6, 4, dib);
    else
        w.dibBitBlt(0, 0, dib);
    const QImage img = renderWmf(w.bytes(), QSize(60, 40));
    QCOMPARE((QList<QRgb>{rgbAt(img, 15, 10), rgbAt(img, 45, 10), rgbAt(img, 15, 30),
                          rgbAt(img, 45, 30)}),
             (QList<QRgb>{tl, tr, bl, br}));
}

void WmfPlayerTest::codePages_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("charset");
    QTest::addColumn<QString>("text");
    QTest::newRow("1252 by default")
        << QByteArray("\x80\x9F\xDF") << int(DEFAULT_CHARSET) << QString::fromUtf8("€Ÿß");
    QTest::newRow("1250") << QByteArray("\xB9\x9A") << int(EASTEUROPE_CHARSET)
                          << QString::fromUtf8("ąš");
    QTest::newRow("1251") << QByteArray("\xC4\xE0") << int(RUSSIAN_CHARSET)
                          << QString::fromUtf8("Да");
    QTest::newRow("1253") << QByteArray("\xE1") << int(GREEK_CHARSET) << QString::fromUtf8("α");
}

void WmfPlayerTest::codePages() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, charset);
    QFETCH(QString, text);
    QCOMPARE(decodeText(bytes, charset), text);
}

void WmfPlayerTest::throughPictureInterface() {
    PictureDir dir;
    dir.addFile("dasSCHIFF.WMF", square().rectangle(0, 0, 100, 100).bytes());
    const Picture pic = Picture::load("dasSCHIFF.WMF");
    QVERIFY(pic.isVector());
    QCOMPARE(pic.naturalTwips(), QSize(100, 100));
    QCOMPARE(pic.render(QSize(30, 20)).pixel(15, 10), qRgb(255, 0, 0));
}

void WmfPlayerTest::drawsOnlyInsideTarget() {
    WmfWriter w = square();
    w.rectangle(0, 0, 100, 100);
    QImage img(100, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.translate(10, 10);
        pictureFromData(w.bytes())->draw(p, QRectF(20, 30, 40, 20));
        // The caller's state is as it was.
        QCOMPARE(p.worldTransform(), QTransform::fromTranslate(10, 10));
        QVERIFY(!p.hasClipping());
    }
    QCOMPARE(ink(img), QRect(30, 40, 40, 20));
}

void WmfPlayerTest::workBudget_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("cut");
    QTest::addColumn<bool>("onPaper"); // else in the reading screen's frame
    QTest::newRow("5000 ellipses, pen 20") << WmfWriter::manyEllipses(5000, 20) << true << false;
    QTest::newRow("3 polypolygons of 100k points, pen 20")
        << WmfWriter::bigPolyPolygons(3, 100000, 20) << true << false;
    QTest::newRow("40 DIBs of 1000 x 1000") << WmfWriter::bigDibs(40, 1000, 1000) << true << false;
    QTest::newRow("20000 ellipses on paper") << WmfWriter::manyEllipses(20000, 20) << true << true;
    // A thousand edges 0.35 pixels apart across half the frame: the scan
    // converter takes seconds over it.
    QTest::newRow("dense zigzags of 2000 points, pen 20")
        << WmfWriter::bigPolyPolygons(2, 2000, 20) << true << false;
    // Heavy clip-art still draws whole.
    QTest::newRow("150 ellipses, pen 20") << WmfWriter::manyEllipses(150, 20) << false << false;
    // Cut to the frame, a polygon far beyond it is cheap.
    QTest::newRow("12,000 random points over the 16-bit range")
        << WmfWriter::randomPolygon(12000, 100, 1) << false << false;
    QList<QPoint> ring;
    for (int i = 0; i < 16000; ++i)
        ring.append(
            QPoint(50 + int(45 * std::cos(i * 0.0004)), 50 + int(45 * std::sin(i * 0.0004))));
    QTest::newRow("polygon of 16k points") << square().polygon(ring).bytes() << false << false;
    QTest::newRow("2 DIBs of 1000 x 1000") << WmfWriter::bigDibs(2, 1000, 1000) << false << false;
    const QDir samples(qEnvironmentVariable("KALIMBO_SOURCE_DIR") + "/samples");
    for (const QString &f : samples.entryList({"*.wmf"}, QDir::Files)) {
        QFile file(samples.filePath(f));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(f)) << file.readAll() << false << false;
    }
}

void WmfPlayerTest::workBudget() {
    QFETCH(QByteArray, file);
    QFETCH(bool, cut);
    QFETCH(bool, onPaper);
    Header h;
    QVERIFY(readHeader(file, true, &h) == HeaderResult::Ok);
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("page.pdf"));
    pdf.setResolution(1200);
    QImage img(352, 352, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(onPaper ? static_cast<QPaintDevice *>(&pdf) : &img);
    // Counted work alone decides: no clock, whatever the machine does.
    const PlayResult res = play(
        file, h, p, QRectF(0, 0, onPaper ? 1083 : 352, onPaper ? 1083 : 352), {kWorkBudget, 0});
    QCOMPARE(res.cut, cut);
    QVERIFY(res.work <= kWorkBudget);
    if (cut) {
        // Play stopped early, but what came before the cut is drawn.
        QVERIFY(!res.damaged);
        RecordReader walk(file, h.recordsOffset);
        Record r;
        while (walk.next(&r)) {
        }
        QVERIFY(res.records < walk.count());
    }
}

void WmfPlayerTest::plainTextInDeviceUnits() {
    // Text in device units, as some programs write it: the text shows.
    WmfWriter t = WmfWriter::plain();
    t.createFont(-24, "Liberation Sans").selectObject(0).setBkMode(TRANSPARENT);
    t.textOut(100, 40, "Hund").textOut(100, 70, "Katze");
    const QRect r = ink(renderWmf(t.bytes(), QSize(200, 150)));
    QVERIFY2(r.width() > 100 && r.height() > 60,
             qPrintable(QString("ink %1 x %2").arg(r.width()).arg(r.height())));
}

QTEST_MAIN(WmfPlayerTest)
#include "wmfplayer_test.moc"
