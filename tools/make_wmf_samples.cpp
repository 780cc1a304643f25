// Writes the bundled WMF nouns into samples/ (or the folder given), drawn
// record by record with the test writer; with --seeds DIR also the fuzz seed
// corpus (one small file per record kind, placeable and plain).
//
//   make_wmf_samples [samples-dir] [--seeds seeds-dir]

#include "support/wmfwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtMath>
#include <cstdio>

namespace {

// Record numbers and constants used here (the writer takes raw numbers).
enum : int {
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_NULL = 5,
    BS_SOLID = 0,
    BS_NULL = 1,
    BS_HATCHED = 2,
    HS_CROSS = 4,
    HS_BDIAGONAL = 3,
    TRANSPARENT = 1,
    OPAQUE = 2,
    MM_ANISOTROPIC = 8,
    MM_LOMETRIC = 2,
    TA_CENTER_BASELINE = 6 | 24,
    WINDING = 2,
};
constexpr std::uint16_t kArc = 0x0817, kPie = 0x081A, kChord = 0x0830;

QList<QPoint> star(QPoint c, int outer, int inner, int points, double turn = -90) {
    QList<QPoint> out;
    for (int i = 0; i < points * 2; ++i) {
        const double a = qDegreesToRadians(turn + i * 180.0 / points);
        const int r = i % 2 ? inner : outer;
        out.append(QPoint(c.x() + qRound(r * std::cos(a)), c.y() + qRound(r * std::sin(a))));
    }
    return out;
}

/// Slot 0 holds the pen, slot 1 the brush: each change deletes the old one
/// (the state keeps using it until the next select) and creates the new one,
/// which takes the freed slot.
class Painter {
public:
    explicit Painter(WmfWriter &w) : w(w) {}
    Painter &pen(QColor c, int width = 0, int style = PS_SOLID) {
        w.deleteObject(0).createPen(style, width, c).selectObject(0);
        return *this;
    }
    Painter &brush(QColor c, int style = BS_SOLID, int hatch = 0) {
        w.deleteObject(1).createBrush(style, c, hatch).selectObject(1);
        return *this;
    }
    WmfWriter &w;
};

WmfWriter start(int left, int top, int right, int bottom, int inch) {
    WmfWriter w = WmfWriter::placeable(left, top, right, bottom, inch);
    w.setWindowOrg(left, top).setWindowExt(right - left, bottom - top);
    w.createPen(PS_SOLID, 0, Qt::black).selectObject(0); // slot 0: pen
    w.createBrush(BS_SOLID, Qt::white).selectObject(1);  // slot 1: brush
    return w;
}

WmfWriter bear() {
    WmfWriter w = start(0, 0, 2000, 2000, 1000);
    Painter p(w);
    const QColor fur(140, 90, 50), light(210, 170, 120);
    p.pen(QColor(70, 40, 20), 12).brush(fur);
    w.ellipse(330, 220, 730, 620).ellipse(1270, 220, 1670, 620); // ears
    p.brush(light);
    w.ellipse(430, 320, 630, 520).ellipse(1370, 320, 1570, 520);
    p.brush(fur);
    w.ellipse(400, 300, 1600, 1450); // head
    p.brush(light);
    w.ellipse(700, 850, 1300, 1350); // snout
    p.brush(Qt::black);
    w.ellipse(650, 650, 800, 800).ellipse(1200, 650, 1350, 800); // eyes
    w.ellipse(880, 880, 1120, 1040);                             // nose
    p.pen(Qt::black, 20).brush(Qt::black, BS_NULL);
    w.arc(kArc, 820, 1000, 1180, 1260, QPoint(820, 1130), QPoint(1180, 1130));
    // The word with its umlaut, in Windows-1252.
    w.setBkMode(TRANSPARENT).setTextColor(QColor(90, 50, 20)).setTextAlign(TA_CENTER_BASELINE);
    w.createFont(-400, "Verdana", 700).selectObject(2);
    w.textOut(1000, 1900, "B\xE4r");
    return w;
}

WmfWriter sun() {
    WmfWriter w = start(0, 0, 1440, 1440, 720);
    Painter p(w);
    p.pen(QColor(230, 120, 0), 8).brush(QColor(255, 160, 0));
    w.setPolyFillMode(WINDING).polygon(star({720, 720}, 700, 430, 12));
    p.brush(QColor(255, 230, 0));
    w.ellipse(320, 320, 1120, 1120);
    p.brush(QColor(120, 60, 0));
    w.ellipse(540, 580, 620, 660).ellipse(820, 580, 900, 660);
    p.pen(QColor(120, 60, 0), 24).brush(Qt::black, BS_NULL);
    w.arc(kArc, 500, 560, 940, 940, QPoint(520, 820), QPoint(920, 820));
    return w;
}

WmfWriter heart() {
    WmfWriter w = start(-1100, -1000, 1100, 1200, 1440);
    Painter p(w);
    QList<QPoint> pts;
    for (int i = 0; i < 120; ++i) {
        const double t = 2 * M_PI * i / 120;
        const double x = 16 * std::pow(std::sin(t), 3);
        const double y =
            13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
        pts.append(QPoint(qRound(x * 60), qRound(-y * 60)));
    }
    p.pen(QColor(150, 0, 20), 30).brush(QColor(220, 20, 50));
    w.polygon(pts);
    p.pen(Qt::white, 0, PS_NULL).brush(QColor(255, 160, 170));
    w.ellipse(-700, -600, -350, -250);
    return w;
}

/// The plain one: no placeable header, anisotropic window of its own.
WmfWriter key() {
    WmfWriter w = WmfWriter::plain();
    w.setMapMode(MM_ANISOTROPIC).setWindowOrg(0, 0).setWindowExt(300, 120);
    w.createPen(PS_SOLID, 0, Qt::black).selectObject(0);
    w.createBrush(BS_SOLID, Qt::white).selectObject(1);
    Painter p(w);
    const QColor gold(220, 170, 40);
    p.pen(QColor(140, 100, 10), 3).brush(gold);
    // Bow: a ring with a hole, then the shaft and the bit.
    QList<QPoint> outer, inner;
    for (int i = 0; i < 48; ++i) {
        const double a = 2 * M_PI * i / 48;
        outer.append(QPoint(60 + qRound(48 * std::cos(a)), 60 + qRound(48 * std::sin(a))));
        inner.append(QPoint(60 + qRound(22 * std::cos(a)), 60 + qRound(22 * std::sin(a))));
    }
    w.polyPolygon({outer, inner});
    w.rectangle(106, 52, 285, 68);
    w.polygon({{230, 68}, {245, 68}, {245, 95}, {230, 95}});
    w.polygon({{260, 68}, {285, 68}, {285, 105}, {260, 105}});
    return w;
}

WmfWriter door() {
    WmfWriter w = start(0, 0, 1200, 2000, 1000);
    Painter p(w);
    p.pen(QColor(60, 40, 20), 20).brush(QColor(90, 60, 30));
    w.rectangle(50, 50, 1150, 2000); // frame
    p.brush(QColor(170, 110, 60));
    w.rectangle(130, 130, 1070, 2000); // leaf
    p.pen(QColor(110, 70, 35), 14).brush(QColor(150, 95, 50));
    w.roundRect(230, 900, 970, 1850, 80, 80); // lower panel
    p.brush(QColor(180, 220, 255));
    w.roundRect(230, 230, 970, 780, 80, 80); // window
    w.setBkMode(OPAQUE).setBkColor(QColor(180, 220, 255));
    p.pen(QColor(110, 70, 35), 0, PS_NULL).brush(QColor(255, 255, 255), BS_HATCHED, HS_CROSS);
    w.rectangle(300, 300, 900, 710);
    p.pen(QColor(120, 90, 0), 10).brush(QColor(240, 200, 40));
    w.ellipse(900, 1050, 1020, 1170); // knob
    return w;
}

WmfWriter ship() {
    WmfWriter w = start(0, 0, 2400, 1800, 1000);
    Painter p(w);
    p.pen(Qt::black, 0, PS_NULL).brush(QColor(200, 230, 255));
    w.rectangle(0, 0, 2400, 1400); // sky
    p.brush(QColor(30, 90, 190));
    w.rectangle(0, 1400, 2400, 1800); // sea
    p.pen(QColor(60, 30, 10), 20).brush(QColor(160, 40, 30));
    w.polygon({{300, 1250}, {2100, 1250}, {1800, 1550}, {600, 1550}}); // hull
    p.brush(QColor(100, 60, 20));
    w.rectangle(1170, 300, 1230, 1250); // mast
    p.pen(QColor(120, 120, 120), 10).brush(Qt::white);
    w.polygon({{1150, 350}, {1150, 1150}, {550, 1150}}); // sails
    w.polygon({{1250, 400}, {1250, 1150}, {1750, 1150}});
    p.brush(QColor(230, 30, 30));
    w.polygon({{1230, 300}, {1450, 360}, {1230, 420}}); // flag
    p.pen(Qt::white, 16).brush(Qt::black, BS_NULL);
    for (int x = 0; x < 2400; x += 300)
        w.arc(kArc, x, 1600, x + 300, 1760, QPoint(x + 300, 1680), QPoint(x, 1680));
    return w;
}

WmfWriter cloud() {
    // Drawn in tenths of a millimetre, y upwards.
    WmfWriter w = WmfWriter::placeable(0, 0, 3000, 2000, 1440);
    w.setWindowOrg(0, 0).setWindowExt(3000, 2000);
    w.createPen(PS_SOLID, 0, Qt::black).selectObject(0);
    w.createBrush(BS_SOLID, Qt::white).selectObject(1);
    Painter p(w);
    p.pen(Qt::black, 0, PS_NULL).brush(QColor(120, 180, 250));
    w.rectangle(0, 0, 3000, 2000);
    w.setMapMode(MM_LOMETRIC).setWindowOrg(0, 0);
    // 1440 units per inch in the header: 0.1 mm is 1440 / 254 units.
    p.pen(Qt::black, 0, PS_NULL).brush(QColor(245, 245, 250));
    w.ellipse(90, -330, 450, -240);
    p.pen(QColor(150, 150, 170), 6, PS_DASH);
    w.ellipse(60, -330, 330, -190);
    w.ellipse(130, -260, 260, -130);
    w.ellipse(220, -300, 420, -120);
    w.ellipse(350, -330, 480, -200);
    w.setBkMode(TRANSPARENT);
    p.pen(Qt::black, 0, PS_NULL).brush(QColor(30, 100, 220), BS_HATCHED, HS_BDIAGONAL);
    w.rectangle(120, -345, 420, -335);
    return w;
}

/// The one with a bitmap: a vector dragon breathing fire from a DIB.
WmfWriter dragon() {
    WmfWriter w = start(0, 0, 2400, 1600, 1000);
    Painter p(w);
    QImage fire(16, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            const int hot = qBound(0, 255 - qAbs(y * 2 - 7) * 30 - x * 4, 255);
            fire.setPixel(x, y, qRgb(255, 80 + hot * 2 / 3, hot / 4));
        }
    w.stretchDib(1700, 300, 700, 350, WmfWriter::dib(fire, 24));
    const QColor green(40, 150, 60), dark(20, 90, 30);
    p.pen(dark, 16).brush(QColor(90, 190, 90));
    w.polygon({{700, 700}, {1000, 150}, {1100, 650}}); // wing
    w.polygon({{1000, 700}, {1350, 200}, {1350, 700}});
    p.brush(green);
    w.ellipse(500, 650, 1500, 1200);                                 // body
    w.polygon({{1350, 750}, {1600, 450}, {1700, 500}, {1500, 850}}); // neck
    w.ellipse(1500, 300, 1800, 560);                                 // head
    p.pen(dark, 60).brush(Qt::black, BS_NULL);
    w.polyline({{520, 950}, {300, 1100}, {150, 1000}, {60, 1150}}); // tail
    p.pen(dark, 16).brush(green);
    w.polygon({{40, 1150}, {120, 1050}, {160, 1200}});
    w.rectangle(700, 1150, 820, 1450).rectangle(1150, 1150, 1270, 1450); // legs
    p.brush(Qt::black);
    w.ellipse(1620, 360, 1680, 420); // eye
    p.brush(QColor(255, 220, 0));
    for (int x = 650; x < 1400; x += 150)
        w.polygon({{x, 660}, {x + 75, 560}, {x + 150, 660}}); // spikes
    return w;
}

struct Sample {
    const char *name;
    WmfWriter (*make)();
};

int writeSeeds(const QDir &dir) {
    // One short file per record kind, so the fuzzer starts from every handler.
    QList<QPair<QString, WmfWriter>> seeds;
    auto base = [] { return start(0, 0, 100, 100, 1440); };
    auto add = [&](const char *name, WmfWriter w) { seeds.append({QString::fromLatin1(name), w}); };
    {
        WmfWriter w = base();
        w.rectangle(10, 10, 90, 90).roundRect(5, 5, 50, 50, 10, 10).ellipse(0, 0, 100, 100);
        add("shapes", w);
    }
    {
        WmfWriter w = base();
        w.arc(kArc, 0, 0, 100, 100, {100, 50}, {50, 0})
            .arc(kPie, 0, 0, 100, 100, {0, 50}, {50, 100});
        w.arc(kChord, 10, 10, 90, 90, {90, 50}, {10, 50});
        add("arcs", w);
    }
    {
        WmfWriter w = base();
        w.polygon(star({50, 50}, 40, 20, 5)).polyline({{0, 0}, {100, 100}, {0, 100}});
        w.polyPolygon({{{0, 0}, {90, 0}, {90, 90}}, {{10, 10}, {50, 10}, {50, 50}}});
        w.moveTo(0, 0).lineTo(100, 100).setPixel(5, 5, Qt::red);
        add("polys", w);
    }
    {
        WmfWriter w = base();
        w.createFont(-20, "Arial", 700, 0, 450, true, true).selectObject(2);
        w.setTextAlign(TA_CENTER_BASELINE).setBkMode(OPAQUE).textOut(50, 50, "B\xE4r");
        w.extTextOut(10, 80, "Abc", 6, QRect(0, 60, 100, 30), {10, 12, 14});
        w.createFont(-15, "Arial", 400, 204)
            .selectObject(3)
            .setTextAlign(1)
            .textOut(0, 0, "\xC4\xE0");
        add("text", w);
    }
    {
        WmfWriter w = base();
        w.saveDC().setViewportOrg(10, 10).setViewportExt(50, 50).scaleWindowExt(2, 1, 3, 2);
        w.offsetWindowOrg(5, 5).intersectClipRect(0, 0, 80, 80).excludeClipRect(20, 20, 40, 40);
        w.rectangle(0, 0, 100, 100).restoreDC(-1).setMapMode(MM_LOMETRIC).rectangle(0, 0, 50, -50);
        add("mapping", w);
    }
    {
        WmfWriter w = base();
        w.createBrush(BS_HATCHED, Qt::blue, HS_CROSS).selectObject(2).setROP2(7);
        w.rectangle(0, 0, 100, 100).deleteObject(2).patBlt(0, 0, 50, 50);
        w.patBlt(0, 0, 30, 30, 0x00550009);
        add("brushes", w);
    }
    for (int bits : {1, 4, 8, 24}) {
        QImage img(5, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                img.setPixel(x, y, qRgb(x * 60, y * 120, (x + y) % 2 * 255));
        WmfWriter w = base();
        const QByteArray dib = WmfWriter::dib(img, bits);
        w.stretchDib(0, 0, 50, 50, dib).dibStretchBlt(50, 0, 50, 50, dib).dibBitBlt(0, 50, dib);
        w.createDibPatternBrush(dib).selectObject(2).rectangle(50, 50, 100, 100);
        seeds.append({QStringLiteral("dib%1").arg(bits), w});
    }
    {
        WmfWriter w = WmfWriter::plain();
        w.setMapMode(MM_ANISOTROPIC).setWindowExt(200, -100).setWindowOrg(0, 100);
        w.createBrush(BS_SOLID, Qt::green).selectObject(0).ellipse(0, 0, 200, 100);
        add("plain", w);
    }
    int n = 0;
    QList<QPair<QString, QByteArray>> unsized;
    for (const auto &s : seeds) {
        n += s.second.save(dir.filePath("seed-" + s.first + ".wmf"));
        if (s.first == "polys" || s.first == "arcs" || s.first == "text" || s.first == "mapping")
            unsized.append({s.first, s.second.bytes()});
    }
    // Shapes reaching far beyond the frame and files of many records, cut
    // down from the large seeds of a fuzz run: the fuzzer grows them again.
    // And files without a size, which the reader measures by playing them.
    QList<QPair<QString, QByteArray>> large = {
        {"far-polygon", WmfWriter::randomPolygon(1500, 100, 1)},
        {"far-shapes", WmfWriter::farShapes(160, 100, 20)},
        {"many-ellipses", WmfWriter::manyEllipses(400, 20)},
        {"unsized-far-shapes", WmfWriter::unsized(WmfWriter::farShapes(80, 1000, 20, 3))},
    };
    for (const auto &[name, bytes] : std::as_const(unsized))
        large.append({"unsized-" + name, WmfWriter::unsized(bytes)});
    for (const auto &[name, bytes] : large) {
        QFile f(dir.filePath(QStringLiteral("seed-%1.wmf").arg(name)));
        n += f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    return n;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString seedsDir;
    const int s = int(args.indexOf("--seeds"));
    if (s >= 0 && s + 1 < args.size()) {
        seedsDir = args[s + 1];
        args.remove(s, 2);
    }
    const QDir out(args.value(0, QStringLiteral("samples")));
    if (!QDir().mkpath(out.path()))
        return 1;
    const Sample samples[] = {
        {"derBär.wmf", bear},      {"dieSonne.wmf", sun},     {"dasHerz.wmf", heart},
        {"derSchlüssel.wmf", key}, {"dieTür.wmf", door},      {"dasSCHIFF.WMF", ship},
        {"dieWolke.wmf", cloud},   {"derDrache.wmf", dragon},
    };
    for (const Sample &sample : samples) {
        const QString path = out.filePath(QString::fromUtf8(sample.name));
        if (!sample.make().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    if (!seedsDir.isEmpty()) {
        QDir().mkpath(seedsDir);
        std::printf("%d seeds in %s\n", writeSeeds(QDir(seedsDir)), qPrintable(seedsDir));
    }
    return 0;
}
