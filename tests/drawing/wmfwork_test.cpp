// The work estimate: what the player hands the scan converter stays within
// the budget, on every kind of screen, however far a picture's shapes
// reach; shapes cut to the frame show the same; and only counted work, never
// the clock, decides the cut on paper.

#include "drawing/wmf/wmfformat.h"
#include "drawing/wmf/wmfplayer.h"
#include "drawing/wmf/wmfraster.h"
#include "drawing/wmf/wmfreader.h"
#include "support/wmfwriter.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

using namespace wmf;

namespace {

/// A converter step takes 20 ns or more on the raster engine, a look at an
/// edge in a pass about half that, and sorting a cell into its row 0.6 ns
/// for every cell before it: more steps than this in one play keep a
/// screen busy beyond the budget.
constexpr double kMaxConverterSteps = 5e6;

/// A device of a given size at 96 dpi that draws nothing: its engine only
/// counts what it is handed.
template <class Engine> class Meter final : public QPaintDevice {
public:
    template <class... Args> explicit Meter(Args... args) : engine(args...) {}
    QPaintEngine *paintEngine() const override { return &engine; }
    mutable Engine engine;

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return engine.size.width();
        case PdmHeight:
            return engine.size.height();
        case PdmWidthMM:
            return engine.size.width() * 254 / 960;
        case PdmHeightMM:
            return engine.size.height() * 254 / 960;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 96; // resolutions
        }
    }
};

/// Counts the steps Qt's scan converter would take for every outline it is
/// handed (fills, and the outlines of wide pens, as Qt's stroker makes them).
class ConverterEngine final : public QPaintEngine {
public:
    explicit ConverterEngine(QSize s) : QPaintEngine(AllFeatures), size(s) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return Raster; }
    void updateState(const QPaintEngineState &s) override {
        if (s.state() & DirtyTransform)
            m_transform = s.transform();
        if (s.state() & DirtyPen)
            m_pen = s.pen();
        if (s.state() & DirtyBrush)
            m_brush = s.brush();
    }
    void drawPath(const QPainterPath &path) override { outline(path, true); }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode != PolylineMode)
            path.closeSubpath();
        outline(path, mode != PolylineMode);
    }
    void drawRects(const QRectF *rects, int count) override {
        QPainterPath path;
        for (int i = 0; i < count; ++i)
            path.addRect(rects[i]);
        outline(path, true);
    }
    void drawEllipse(const QRectF &r) override {
        QPainterPath path;
        path.addEllipse(r);
        outline(path, true);
    }
    void drawLines(const QLineF *lines, int count) override {
        QPainterPath path;
        for (int i = 0; i < count; ++i) {
            path.moveTo(lines[i].p1());
            path.lineTo(lines[i].p2());
        }
        outline(path, false);
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawImage(const QRectF &, const QImage &, const QRectF &,
                   Qt::ImageConversionFlags) override {}
    void drawTextItem(const QPointF &, const QTextItem &) override {}

    QSize size;
    double steps = 0;

private:
    void outline(const QPainterPath &path, bool closed) {
        const QRectF device(QPointF(0, 0), size);
        if (closed && m_brush.style() != Qt::NoBrush)
            count(rasterWork(path, m_transform, device));
        const double scale = std::sqrt(std::abs(m_transform.determinant()));
        if (m_pen.style() != Qt::NoPen && !m_pen.isCosmetic() && m_pen.widthF() * scale > 1)
            count(rasterWork(QPainterPathStroker(m_pen).createStroke(path), m_transform, device));
    }
    void count(const RasterWork &w) {
        const double passes = rasterPasses(w);
        const double perRow = qMin(w.cells / qMax(1.0, w.rows), w.columns);
        steps += w.walk + w.walkSpan * passes / qMax(1.0, w.rows) + w.edges * passes / 2 +
                 w.cells * perRow / 32;
    }
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
};
using ConverterMeter = Meter<ConverterEngine>;

/// A plain file whose frame a far line stretches to 32 times its width:
/// 20,000 zigzag points with a pen of 20 units, squeezed on every screen.
QByteArray squeezedZigzags() {
    WmfWriter w = WmfWriter::plain();
    w.createPen(PS_SOLID, 20, Qt::darkBlue).selectObject(0);
    w.createBrush(BS_SOLID, Qt::yellow).selectObject(1);
    QList<QList<QPoint>> zigzags(2);
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 10000; ++i)
            zigzags[k].append(QPoint(i / 10, k * 500 + i % 2 * 500));
    return w.polyPolygon(zigzags).moveTo(0, 0).lineTo(581, -31768).bytes();
}

/// Counts the glyphs that cost the most: on paper the outlines the player
/// fills (one path a text), on a screen the glyphs Qt fills as outlines
/// itself (it caches them only below 64 pixels).
class GlyphEngine final : public QPaintEngine {
public:
    GlyphEngine(QSize s, bool paper) : QPaintEngine(AllFeatures), size(s), m_paper(paper) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return m_paper ? Pdf : Raster; }
    void updateState(const QPaintEngineState &s) override {
        if (s.state() & DirtyTransform)
            m_scale = std::sqrt(std::abs(s.transform().determinant()));
    }
    void drawPath(const QPainterPath &path) override {
        outlines += m_paper && !path.isEmpty() ? 1 : 0;
    }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawTextItem(const QPointF &, const QTextItem &ti) override {
        if (!m_paper && ti.font().pixelSize() * m_scale >= 64)
            outlines += ti.text().size();
    }

    QSize size;
    long outlines = 0;

private:
    bool m_paper;
    double m_scale = 1;
};
using GlyphMeter = Meter<GlyphEngine>;

struct Screen {
    QSize device;
    QRectF frame;
};

} // namespace

Q_DECLARE_METATYPE(Screen)

namespace {

QList<std::pair<const char *, Screen>> screens() {
    return {{"reading screen", {{352, 352}, {0, 0, 352, 352}}},
            {"picture view", {{129, 113}, {0, 0, 129, 113}}},
            {"preview card", {{361, 441}, {280, 7, 47, 47}}}};
}

PlayResult playInto(QPaintDevice &device, const QByteArray &file, const QRectF &frame,
                    const PlayLimits &limits = {kWorkBudget, 0}) {
    Header h;
    if (readHeader(file, true, &h) != HeaderResult::Ok)
        return {};
    QPainter p(&device);
    return play(file, h, p, frame, limits);
}

int maxDifference(const QImage &a, const QImage &b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

} // namespace

class WmfWorkTest : public QObject {
    Q_OBJECT
private slots:
    void converterStepsWithinBudget_data();
    void converterStepsWithinBudget();
    void trimmedShapesShowTheSame_data();
    void trimmedShapesShowTheSame();
    void clockOnlyOnScreens_data();
    void clockOnlyOnScreens();
    void largeGlyphsWithinBudget_data();
    void largeGlyphsWithinBudget();
};

void WmfWorkTest::converterStepsWithinBudget_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Screen>("screen");
    const QList<std::pair<const char *, QByteArray>> files = {
        // 48 KB: one polygon over the whole 16-bit range, most of it far
        // beyond a frame of 100 units.
        {"12,000 random points", WmfWriter::randomPolygon(12000, 100, 1)},
        {"12,000 random points, pen 20", WmfWriter::randomPolygon(12000, 100, 20)},
        {"12,000 random points, frame 1000", WmfWriter::randomPolygon(12000, 1000, 0)},
        {"12,000 random points, frame 32000", WmfWriter::randomPolygon(12000, 32000, 1)},
        {"2,000 far shapes, pen 20", WmfWriter::farShapes(2000, 100, 20)},
        {"2,000 far shapes, thin pen", WmfWriter::farShapes(2000, 1000, 0)},
        {"dense zigzag of 2000 points, pen 20", WmfWriter::bigPolyPolygons(1, 2000, 20)},
        // The pen is as wide as 20 units across, not as their mean.
        {"dense zigzag squeezed by a far line, pen 20", squeezedZigzags()},
    };
    for (const auto &[name, file] : files)
        for (const auto &[where, screen] : screens())
            QTest::addRow("%s, %s", name, where) << file << screen;
}

void WmfWorkTest::converterStepsWithinBudget() {
    QFETCH(QByteArray, file);
    QFETCH(Screen, screen);
    ConverterMeter meter(screen.device);
    const PlayResult res = playInto(meter, file, screen.frame);
    QVERIFY(res.records > 0);
    QVERIFY2(meter.engine.steps <= kMaxConverterSteps,
             qPrintable(QStringLiteral("%1 million steps").arg(meter.engine.steps / 1e6)));
}

void WmfWorkTest::trimmedShapesShowTheSame_data() {
    // Small pictures whose shapes reach far beyond the frame: cheap enough
    // to draw whole with Qt for comparison, costly enough to be trimmed.
    QTest::addColumn<QByteArray>("file");
    const int far = 30000;
    auto picture = [](int fillMode, int penWidth) {
        WmfWriter w = WmfWriter::placeable(0, 0, 1000, 1000, 1440);
        w.setWindowOrg(0, 0).setWindowExt(1000, 1000).setPolyFillMode(fillMode);
        w.createPen(PS_SOLID, penWidth, Qt::darkBlue).selectObject(0);
        w.createBrush(BS_SOLID, Qt::yellow).selectObject(1);
        return w;
    };
    // A star whose long spikes cross the frame and turn around far away.
    QList<QPoint> star;
    for (int i = 0; i < 40; ++i) {
        const double a = i * 2 * M_PI / 40 * 7; // seven times round: self-crossing
        const int r = i % 2 ? far : 50;
        star.append(QPoint(500 + int(r * std::cos(a)), 500 + int(r * std::sin(a))));
    }
    // A triangle around the frame and a slanting band far longer than it.
    const QList<QList<QPoint>> aroundAndBand = {
        {{500, -far}, {far, far}, {-far, far}},
        {{-20000, 200}, {20000, 600}, {20000, 900}, {-20000, 500}}};
    for (const int mode : {int(ALTERNATE), int(WINDING)}) {
        const char *rule = mode == WINDING ? "winding" : "alternate";
        QTest::addRow("star, %s, thin pen", rule) << picture(mode, 0).polygon(star).bytes();
        QTest::addRow("star, %s, pen 15", rule) << picture(mode, 15).polygon(star).bytes();
        QTest::addRow("band across a far triangle, %s", rule)
            << picture(mode, 15).polyPolygon(aroundAndBand).bytes();
    }
    QTest::newRow("polyline, pen 15") << picture(ALTERNATE, 15).polyline(star).bytes();
}

void WmfWorkTest::trimmedShapesShowTheSame() {
    QFETCH(QByteArray, file);
    Header h;
    QVERIFY(readHeader(file, true, &h) == HeaderResult::Ok);
    QImage blank(200, 200, QImage::Format_ARGB32_Premultiplied);
    blank.fill(Qt::white);
    QImage played = blank;
    PlayResult res;
    {
        QPainter p(&played);
        res = play(file, h, p, QRectF(0, 0, 200, 200), {1e12, 0});
    }
    QCOMPARE(res.trimmed, 1);
    // The same records, untrimmed, straight through Qt: 1000 units on 200
    // pixels, the player's pens, brushes and fill rules.
    const double scale = 0.2;
    QImage whole = blank;
    {
        QPainter p(&whole);
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipRect(QRectF(0, 0, 200, 200));
        p.setTransform(QTransform::fromScale(scale, scale));
        RecordReader reader(file, h.recordsOffset);
        Record r;
        Qt::FillRule rule = Qt::OddEvenFill;
        QPen pen;
        auto pointsAt = [&](qsizetype first, qsizetype count) {
            QPolygonF poly;
            for (qsizetype i = 0; i < count; ++i)
                poly << QPointF(r.s(first + 2 * i), r.s(first + 2 * i + 1));
            return poly;
        };
        while (reader.next(&r)) {
            switch (r.function) {
            case SetPolyFillMode:
                rule = r.u(0) == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
                break;
            case CreatePenIndirect:
                pen = QPen(QColor(0, 0, 128), r.s(1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
                pen.setCosmetic(r.s(1) * scale < 1);
                pen.setWidthF(pen.isCosmetic() ? 0 : r.s(1));
                p.setPen(pen);
                break;
            case CreateBrushIndirect:
                p.setBrush(Qt::yellow);
                break;
            case Polygon:
                p.drawPolygon(pointsAt(1, r.s(0)), rule);
                break;
            case Polyline:
                p.setBrush(Qt::NoBrush);
                p.drawPolyline(pointsAt(1, r.s(0)));
                break;
            case PolyPolygon: {
                QPainterPath path;
                path.setFillRule(rule);
                qsizetype at = 1 + r.u(0);
                for (int i = 0; i < r.u(0); ++i) {
                    path.addPolygon(pointsAt(at, r.u(1 + i)));
                    path.closeSubpath();
                    at += 2 * r.u(1 + i);
                }
                p.drawPath(path);
                break;
            }
            default:
                break;
            }
        }
    }
    // The cut edges keep their slope to within the converter's 1/256 pixel:
    // a few levels of difference along them.
    QVERIFY(played != blank);
    QVERIFY2(maxDifference(played, whole) <= 3,
             qPrintable(QString::number(maxDifference(played, whole))));
}

void WmfWorkTest::clockOnlyOnScreens_data() {
    QTest::addColumn<bool>("onPaper");
    QTest::addColumn<long long>("clockNanos");
    QTest::addColumn<bool>("timedOut");
    QTest::newRow("screen, clock gone at once") << false << 1LL << true;
    QTest::newRow("screen, no clock") << false << 0LL << false;
    QTest::newRow("paper, clock gone at once") << true << 1LL << false;
}

void WmfWorkTest::clockOnlyOnScreens() {
    QFETCH(bool, onPaper);
    QFETCH(long long, clockNanos);
    QFETCH(bool, timedOut);
    // 64 cheap records: the clock is looked at every 16.
    WmfWriter w = WmfWriter::placeable(0, 0, 100, 100, 1440);
    w.setWindowOrg(0, 0).setWindowExt(100, 100);
    for (int i = 0; i < 64; ++i)
        w.moveTo(i, i);
    const QByteArray file = w.bytes();
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("page.pdf"));
    QImage img(100, 100, QImage::Format_ARGB32_Premultiplied);
    const PlayResult res = playInto(onPaper ? static_cast<QPaintDevice &>(pdf) : img, file,
                                    QRectF(0, 0, 100, 100), {kWorkBudget, clockNanos});
    QCOMPARE(res.timedOut, timedOut);
    QCOMPARE(res.cut, timedOut);
}

void WmfWorkTest::largeGlyphsWithinBudget_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("onPaper");
    QTest::addColumn<int>("letters"); // a text
    // Letters 300 units high in a frame of 1000: outlines on a page at 1200
    // dpi, glyphs of 100 pixels on the reading screen.
    auto letters = [](int records, const QByteArray &text) {
        WmfWriter w = WmfWriter::placeable(0, 0, 1000, 1000, 1000);
        w.setWindowOrg(0, 0).setWindowExt(1000, 1000).setBkMode(TRANSPARENT);
        w.createFont(-300, "Arial").selectObject(0);
        for (int i = 0; i < records; ++i)
            w.textOut(i % 700, i % 600, text);
        return w.bytes();
    };
    const QByteArray single = letters(30000, "W"), words = letters(3000, "Hund und Katze");
    QTest::newRow("30,000 letters, paper") << single << true << 1;
    QTest::newRow("30,000 letters, screen") << single << false << 1;
    QTest::newRow("3,000 words, paper") << words << true << 14;
    QTest::newRow("3,000 words, screen") << words << false << 14;
}

void WmfWorkTest::largeGlyphsWithinBudget() {
    // A glyph's outline takes some 80 us written to a PDF page, and 90 us
    // filled on a screen at 100 pixels: within the budget, a picture shows
    // no more than about 1,200 of them.
    QFETCH(QByteArray, file);
    QFETCH(bool, onPaper);
    QFETCH(int, letters);
    GlyphMeter meter(onPaper ? QSize(9917, 14033) : QSize(352, 352), onPaper);
    const PlayResult res =
        playInto(meter, file, onPaper ? QRectF(0, 0, 1083, 1083) : QRectF(0, 0, 352, 352));
    QVERIFY(res.cut);
    const long glyphs = onPaper ? meter.engine.outlines * letters : meter.engine.outlines;
    QVERIFY2(glyphs > 100 && glyphs <= 1300, qPrintable(QString::number(glyphs)));
}

QTEST_MAIN(WmfWorkTest)
#include "wmfwork_test.moc"
