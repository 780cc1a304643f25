// Time from an answer on the article screen to the next noun fully shown
// (draw, picture measured and painted in its frame, word strip drawn), for a
// 1-megapixel and a 12-megapixel JPEG, against a plain full decode of the
// same file. Also counts decodes per noun.

#include "drawing/picture.h"
#include "exercises/Form3.h"
#include "support/fakeprogram.h"
#include "support/picturedir.h"

#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

class ExercisesBench : public QObject {
    Q_OBJECT
private slots:
    void answerToNextNoun_data();
    void answerToNextNoun();
};

// A photo-like JPEG: smooth shading with grain, saved at quality 85 (about
// 1.6 bits a pixel, like a camera picture).
static void writePhoto(const QString &path, QSize size) {
    QImage img(size, QImage::Format_RGB32);
    quint32 seed = 1;
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const int grain = int((seed >> 16) & 15);
            const double sx = double(x) / size.width(), sy = double(y) / size.height();
            line[x] = qRgb(qBound(0, int(128 + 100 * qSin(sx * 20)) + grain, 255),
                           qBound(0, int(128 + 100 * qCos(sy * 20)) + grain, 255),
                           qBound(0, int(255 * (sx + sy) / 2) + grain, 255));
        }
    }
    img.save(path, "JPG", 85);
}

static double median(QVector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void ExercisesBench::answerToNextNoun_data() {
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<int>("rounds");
    QTest::newRow("no picture") << QSize() << 30; // the screen's own cost
    QTest::newRow("1 MP") << QSize(1200, 840) << 30;
    QTest::newRow("12 MP") << QSize(4000, 3000) << 10;
}

void ExercisesBench::answerToNextNoun() {
    QFETCH(QSize, pixels);
    QFETCH(int, rounds);
    PictureDir dir;
    const bool photo = pixels.isValid();
    if (photo)
        writePhoto(dir.filePath("derHund.jpg"), pixels);

    FakeProgram p;
    p.setOption(Option::Bestaetigungen, false);
    p.setNouns({"derHund.jpg"}); // every answer refills and loads the file afresh
    p.showScreen(ScreenId::Form3);
    auto *w = screenAs<Form3>(p, ScreenId::Form3);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->repaint();

    // Interleaved, so a busy machine slows both sides alike.
    QVector<double> full, scaled, next;
    long decodes = 0;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        QImageReader reader(QStringLiteral("derHund.jpg"));
        reader.setAllocationLimit(1024);
        const QImage img = reader.read();
        full << t.nsecsElapsed() / 1e6;
        QCOMPARE(img.isNull(), !photo);

        // The floor: the decode alone at the landscape frame's pixel size.
        t.restart();
        QImageReader small(QStringLiteral("derHund.jpg"));
        small.setScaledSize(w->findChild<QWidget *>(QStringLiteral("Image1"))->size());
        const QImage smallImg = small.read();
        scaled << t.nsecsElapsed() / 1e6;

        const long before = Picture::decodeCount();
        t.restart();
        w->findChild<QPushButton *>(QStringLiteral("Command2"))
            ->click(); // "der": right, the next noun comes
        w->repaint();  // paint it now: frames, picture and strip
        next << t.nsecsElapsed() / 1e6;
        w->repaint(); // a second paint of the same noun must not decode again
        decodes = qMax(decodes, Picture::decodeCount() - before);
    }
    QCOMPARE(p.log(LogList::Begleiter).size(), rounds);

    const double f = median(full);
    const double n = median(next);
    qInfo("%s: full QImageReader decode %.2f ms, scaled decode alone %.2f ms, answer to next "
          "noun shown %.2f ms (%.0f %% of the full decode), at most %ld decode(s) per noun",
          QTest::currentDataTag(), f, median(scaled), n, 100.0 * n / f, decodes);
    QCOMPARE(decodes, photo ? 1L : 0L);
    if (photo && n >= f / 3)
        qWarning("%s: slower than a third of the full decode", QTest::currentDataTag());
}

QTEST_MAIN(ExercisesBench)
#include "exercises_bench.moc"
