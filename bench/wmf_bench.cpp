// Metafile pictures: the natural size of 5,000 WMF files from their headers,
// and the render of a 20,000-record WMF into a 400 x 300 frame, each against
// a QImageReader decode of a 400 x 300 JPEG in the same run.
// Targets: under 20 us a file for the size, under 20 ms for the render.
// Hostile pictures are in wmfwork_bench.

#include "drawing/picture.h"
#include "drawing/wmf/wmfpicture.h"
#include "support/picturedir.h"
#include "support/wmfwriter.h"

#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <QtTest>
#include <algorithm>

namespace {

constexpr int kFiles = 5000;
constexpr int kRecords = 20000;
const QSize kFrame(400, 300);

/// Best of several runs, in microseconds per call.
template <typename F> double bestMicros(int runs, int callsPerRun, F &&f) {
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1000.0 / callsPerRun);
    }
    return best;
}

/// A clip-art-like picture of exactly kRecords records: in groups of ten a
/// brush change (delete, create, select), a polygon, an ellipse, a
/// rectangle, a move and a line, a polyline and a rounded rectangle.
QByteArray bigPicture(int total = kRecords) {
    WmfWriter w = WmfWriter::placeable(0, 0, 4000, 3000, 1440);
    w.setWindowOrg(0, 0);
    w.setWindowExt(4000, 3000);
    w.createPen(0, 8, Qt::black).selectObject(0);
    w.createBrush(0, Qt::white).selectObject(1); // 6 records so far
    quint32 seed = 7;
    auto rnd = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % quint32(n));
    };
    int records = 6;
    while (records + 10 <= total) {
        const int x = rnd(3800), y = rnd(2800), s = 20 + rnd(150);
        w.deleteObject(1).createBrush(0, QColor::fromHsv(rnd(360), 200, 230)).selectObject(1);
        w.polygon({{x, y},
                   {x + s, y + s / 3},
                   {x + s / 2, y + s},
                   {x - s / 3, y + s / 2},
                   {x, y + s / 4}});
        w.ellipse(x + 10, y + 10, x + s, y + s * 2 / 3);
        w.rectangle(x, y, x + s / 2, y + s / 2);
        w.moveTo(x, y).lineTo(x + s, y + s);
        w.polyline({{x, y + s}, {x + s / 2, y}, {x + s, y + s}, {x + s, y}});
        w.roundRect(x, y, x + s, y + s / 2, 20, 20);
        records += 10;
    }
    while (records < total) {
        w.moveTo(0, 0);
        ++records;
    }
    return w.bytes(); // plus the EOF record
}

void writeJpeg(const QString &path) {
    QImage img(kFrame, QImage::Format_RGB32);
    quint32 seed = 1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const int g = int((seed >> 16) & 15);
            img.setPixel(x, y, qRgb((x + g) & 255, (y * 2 + g) & 255, ((x + y) / 3 + g) & 255));
        }
    QVERIFY(img.save(path, "JPG", 85));
}

} // namespace

class WmfBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void naturalSizeAndRender();

private:
    std::unique_ptr<PictureDir> m_dir;
    QStringList m_names;
    QByteArray m_big;
};

void WmfBench::initTestCase() {
    m_dir = std::make_unique<PictureDir>();
    // Half placeable, half plain; the plain ones find their SetWindowExt after
    // a few records, as files from drawing programs do.
    for (int i = 0; i < kFiles; ++i) {
        const QString name = QStringLiteral("derTest%1.wmf").arg(i);
        WmfWriter w = i % 2 ? WmfWriter::placeable(0, 0, 1000 + i, 800, 1440) : WmfWriter::plain();
        w.setMapMode(8).setWindowOrg(0, 0).setWindowExt(1000 + i, 800);
        w.createBrush(0, Qt::red).selectObject(0).ellipse(0, 0, 1000, 800);
        QVERIFY(w.save(m_dir->filePath(name)));
        m_names.append(name);
    }
    m_big = bigPicture();
    writeJpeg(m_dir->filePath("dasFoto.jpg"));
}

void WmfBench::naturalSizeAndRender() {
    // Natural size of 5,000 files from their headers (open, read, parse).
    long checksum = 0;
    const double sizeUs = bestMicros(5, kFiles, [&] {
        for (const QString &n : m_names)
            checksum += Picture::load(n).naturalTwips().width();
    });
    QVERIFY(checksum > 0);
    // The same from memory: the header parse alone.
    QList<QByteArray> heads;
    for (int i = 0; i < 100; ++i) {
        QFile f(m_dir->filePath(m_names[i]));
        QVERIFY(f.open(QIODevice::ReadOnly));
        heads.append(f.readAll());
    }
    const double parseUs = bestMicros(5, kFiles, [&] {
        for (int i = 0; i < kFiles; ++i)
            checksum += wmf::pictureFromData(heads[i % 100])->naturalTwips().height();
    });
    // JPEG header size read for comparison.
    const double jpegSizeUs = bestMicros(5, 1000, [&] {
        for (int i = 0; i < 1000; ++i)
            checksum += QImageReader("dasFoto.jpg").size().width();
    });

    // Render of the 20,000-record picture into 400 x 300.
    const auto big = wmf::pictureFromData(m_big);
    QVERIFY(big);
    QImage frame(kFrame, QImage::Format_ARGB32_Premultiplied);
    const double renderUs = bestMicros(7, 1, [&] {
        frame.fill(Qt::white);
        QPainter p(&frame);
        big->draw(p, QRectF(QPointF(0, 0), QSizeF(kFrame)));
    });
    QVERIFY(frame.pixel(200, 150) != 0);
    // A picture small enough to be drawn antialiased, for comparison.
    const auto smooth = wmf::pictureFromData(bigPicture(5000));
    const double smoothUs = bestMicros(7, 1, [&] {
        frame.fill(Qt::white);
        QPainter p(&frame);
        smooth->draw(p, QRectF(QPointF(0, 0), QSizeF(kFrame)));
    });
    // JPEG decode of the same frame size.
    const double jpegUs = bestMicros(7, 1, [&] {
        QImageReader r("dasFoto.jpg");
        QImage img;
        QVERIFY(r.read(&img));
    });

    qInfo("natural size, %d WMF files from disk: %.2f us a file (target < 20 us)", kFiles, sizeUs);
    qInfo("natural size, header parse from memory: %.2f us a file", parseUs);
    qInfo("JPEG 400 x 300, QImageReader::size(): %.2f us a file", jpegSizeUs);
    qInfo("render %d-record WMF into 400 x 300: %.2f ms (target < 20 ms)", kRecords,
          renderUs / 1000);
    qInfo("render 5000-record WMF (antialiased) into 400 x 300: %.2f ms", smoothUs / 1000);
    qInfo("JPEG 400 x 300 decode with QImageReader: %.2f ms", jpegUs / 1000);
}

QTEST_MAIN(WmfBench)
#include "wmf_bench.moc"
