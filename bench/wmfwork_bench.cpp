// Hostile but valid metafiles against the work budget: how long one picture
// keeps a screen busy, and a page of nine.
// Screens: the reading screen's frame (352 x 352), a worksheet's picture
// view (129 x 113) and a card of the worksheet preview (47 x 47 in a
// 361 x 441 canvas). Pages: the worksheet preview with nine cards, and a
// printed page of nine (PDF at 1200 dpi, 1300 twips each).
// Each figure is the longest of three draws, as wall time (what the user
// waits for) and as the thread's processor time (what the machine's load
// does not change). Targets: under 250 ms a screen, under 2 s a page.
// And the measuring of plain files that name no size (played onto a device
// that only collects bounds, on the thread that loads the picture): under
// 2 s for any file.

#include "drawing/picture.h"
#include "drawing/wmf/wmfpicture.h"
#include "drawing/wmf/wmfreader.h"
#include "support/wmfwriter.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <ctime>
#include <functional>

namespace {

struct Busy {
    double wallMs = 0, cpuMs = 0;
    void max(const Busy &o) {
        wallMs = std::max(wallMs, o.wallMs);
        cpuMs = std::max(cpuMs, o.cpuMs);
    }
};

double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

/// The longest of three runs of f.
Busy longest(const std::function<void()> &f) {
    Busy worst;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        const double cpu = threadCpuMs();
        f();
        worst.max({t.nsecsElapsed() / 1e6, threadCpuMs() - cpu});
    }
    return worst;
}

struct Screen {
    const char *name;
    QSize device;
    QRectF frame;
};

const Screen kScreens[] = {
    {"reading screen", {352, 352}, {0, 0, 352, 352}},
    {"picture view", {129, 113}, {0, 0, 129, 113}},
    {"preview card", {361, 441}, {280, 7, 47, 47}},
};

} // namespace

class WmfWorkBench : public QObject {
    Q_OBJECT
private slots:
    void hostilePictures();
    void measuringUnsizedFiles();
};

void WmfWorkBench::hostilePictures() {
    WmfWriter letters = WmfWriter::placeable(0, 0, 1000, 1000, 1000);
    letters.setWindowOrg(0, 0).setWindowExt(1000, 1000).setBkMode(1);
    letters.createFont(-300, "Arial").selectObject(0);
    for (int i = 0; i < 30000; ++i)
        letters.textOut(i % 700, i % 600, "W");
    // A far line stretches the frame to 32 times the zigzags' width.
    WmfWriter squeezed = WmfWriter::plain();
    squeezed.createPen(0, 20, Qt::darkBlue).selectObject(0);
    squeezed.createBrush(0, Qt::yellow).selectObject(1);
    QList<QList<QPoint>> zigzags(2);
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 10000; ++i)
            zigzags[k].append(QPoint(i / 10, k * 500 + i % 2 * 500));
    squeezed.polyPolygon(zigzags).moveTo(0, 0).lineTo(581, -31768);
    const QList<QPair<const char *, QByteArray>> files = {
        {"30,000 letters of 300 units in 1000", letters.bytes()},
        {"20,000-point zigzags squeezed, pen 20", squeezed.bytes()},
        {"12,000-point random polygon", WmfWriter::randomPolygon(12000, 100, 1)},
        {"12,000-point random polygon, pen 20", WmfWriter::randomPolygon(12000, 100, 20)},
        {"12,000-point random polygon, frame 32000", WmfWriter::randomPolygon(12000, 32000, 1)},
        {"12,000-point random polygon, frame 1000", WmfWriter::randomPolygon(12000, 1000, 0)},
        {"20,000 far shapes, pen 20", WmfWriter::farShapes(20000, 100, 20)},
        {"20,000 far shapes, thin pen", WmfWriter::farShapes(20000, 1000, 0)},
        {"polypolygon of 2000 points, pen 20", WmfWriter::bigPolyPolygons(1, 2000, 20)},
        {"100,000 ellipses, pen 20", WmfWriter::manyEllipses(100000, 20)},
        {"999,000 ellipses, pen 20", WmfWriter::manyEllipses(999000, 20)},
        {"200 polypolygons of 128k points, pen 20", WmfWriter::bigPolyPolygons(200, 128000, 20)},
        {"200 polypolygons of 128k points, pen 1", WmfWriter::bigPolyPolygons(200, 128000, 1)},
        {"12 DIBs of 1000 x 1000", WmfWriter::bigDibs(12, 1000, 1000)},
    };
    Busy worstScreen, worstPage;
    qInfo("%-42s %8s %21s %21s %21s", "", "", "longest screen", "preview page of 9",
          "printed page of 9");
    qInfo("%-42s %8s %10s %10s %10s %10s %10s %10s", "", "size", "wall ms", "cpu ms", "wall ms",
          "cpu ms", "wall ms", "cpu ms");
    for (const auto &[name, bytes] : files) {
        const auto pic = wmf::pictureFromData(bytes);
        QVERIFY(pic);
        Busy screen;
        for (const Screen &s : kScreens) {
            QImage device(s.device, QImage::Format_ARGB32_Premultiplied);
            screen.max(longest([&] {
                device.fill(Qt::white);
                QPainter p(&device);
                pic->draw(p, s.frame);
            }));
        }
        // The worksheet preview draws the page's nine pictures into one canvas.
        QImage canvas(361, 441, QImage::Format_ARGB32_Premultiplied);
        const Busy preview = longest([&] {
            canvas.fill(Qt::white);
            QPainter p(&canvas);
            p.scale(1 / 15.0, 1 / 15.0);
            for (int i = 0; i < 9; ++i)
                pic->draw(p, QRectF(4200, 100 + 700 * i, 700, 700));
        });
        QTemporaryDir dir;
        const Busy printed = longest([&] {
            QPdfWriter pdf(dir.filePath("page.pdf"));
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setResolution(1200);
            QPainter p(&pdf);
            p.scale(1200 / 1440.0, 1200 / 1440.0);
            for (int i = 0; i < 9; ++i)
                pic->draw(p, QRectF(8500, 1100 + 1500 * i, 1300, 1300));
        });
        worstScreen.max(screen);
        worstPage.max(preview);
        worstPage.max(printed);
        qInfo("%-42s %5.2f MB %10.1f %10.1f %10.1f %10.1f %10.1f %10.1f", name, bytes.size() / 1e6,
              screen.wallMs, screen.cpuMs, preview.wallMs, preview.cpuMs, printed.wallMs,
              printed.cpuMs);
    }
    qInfo("longest screen %.1f ms wall, %.1f ms cpu (target < 250 ms); longest page %.1f ms wall, "
          "%.1f ms cpu (target < 2 s)",
          worstScreen.wallMs, worstScreen.cpuMs, worstPage.wallMs, worstPage.cpuMs);
}

void WmfWorkBench::measuringUnsizedFiles() {
    WmfWriter text = WmfWriter::plain();
    text.createFont(-20, "Arial").selectObject(0);
    for (int i = 0; i < 200000; ++i)
        text.textOut(i % 1000, i % 700, "Hund und Katze");
    WmfWriter letters = WmfWriter::plain();
    letters.createFont(-300, "Arial").selectObject(0);
    for (int i = 0; i < 300000; ++i)
        letters.textOut(i % 1000, i % 700, "W");
    WmfWriter lines = WmfWriter::plain();
    for (int i = 0; i < 300000; ++i)
        lines.lineTo(i % 1000, (i * 7) % 700);
    const QList<QPair<const char *, QByteArray>> files = {
        {"200,000 texts", text.bytes()},
        {"300,000 letters of 300 pixels", letters.bytes()},
        {"300,000 lines", lines.bytes()},
        {"100,000 ellipses, pen 20", WmfWriter::unsized(WmfWriter::manyEllipses(100000, 20))},
        {"100,000 far shapes, pen 20", WmfWriter::unsized(WmfWriter::farShapes(100000, 1000, 20))},
        {"30 polypolygons of 100k points, pen 20",
         WmfWriter::unsized(WmfWriter::bigPolyPolygons(30, 100000, 20))},
        {"40 DIBs of 1000 x 1000", WmfWriter::unsized(WmfWriter::bigDibs(40, 1000, 1000))},
    };
    qInfo("%-42s %8s %10s %10s", "", "size", "wall ms", "cpu ms");
    Busy worst;
    for (const auto &[name, bytes] : files) {
        const Busy b = longest([&] {
            wmf::Header h;
            QCOMPARE(wmf::readHeader(bytes, true, &h), wmf::HeaderResult::Ok);
        });
        worst.max(b);
        qInfo("%-42s %5.2f MB %10.1f %10.1f", name, bytes.size() / 1e6, b.wallMs, b.cpuMs);
    }
    qInfo("longest measuring %.1f ms wall, %.1f ms cpu (target < 2 s)", worst.wallMs, worst.cpuMs);
}

QTEST_MAIN(WmfWorkBench)
#include "wmfwork_bench.moc"
