// Memory taken by pictures: the program-wide cache of decoded images keeps
// to its byte budget under any use, and pictures that decode only at full
// size (GIF, BMP) keep no more than the size they are drawn at, on their own
// and on the worksheets, whatever their header claims.

#include "drawing/picture.h"
#include "drawing/picturecache.h"
#include "support/windowfixture.h"
#include "worksheets/drucken1.h"
#include "worksheets/drucken2.h"
#include "worksheets/drucken3.h"

#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <thread>
#include <vector>

namespace {

/// Resident memory of this process now, in bytes.
qint64 residentBytes() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

QImage solid(int w, int h) // 4 bytes a pixel
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::green);
    return img;
}

constexpr qint64 kMB = 1024 * 1024;

} // namespace

class PictureMemoryTest : public QObject {
    Q_OBJECT
private slots:
    void init() { PictureCache::global().clear(); }

    void cacheServesNearSizesOnly_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QSize>("want");
        QTest::addColumn<bool>("served");
        QTest::newRow("same") << "a" << QSize(100, 80) << true;
        QTest::newRow("half") << "a" << QSize(50, 40) << true;
        QTest::newRow("below half: would blur and waste") << "a" << QSize(49, 40) << false;
        QTest::newRow("larger") << "a" << QSize(101, 80) << false;
        QTest::newRow("other file") << "b" << QSize(100, 80) << false;
    }
    void cacheServesNearSizesOnly() {
        QFETCH(QString, key);
        QFETCH(QSize, want);
        QFETCH(bool, served);
        PictureCache cache(kMB);
        cache.insert(QStringLiteral("a"), solid(100, 80));
        QCOMPARE(!cache.find(key, want).isNull(), served);
    }

    void cacheDropsLeastRecentlyUsed() {
        const qint64 each = solid(100, 100).sizeInBytes();
        PictureCache cache(3 * each);
        auto held = [&cache] {
            QString keys;
            for (const char *k : {"a", "b", "c", "d"})
                keys += cache.find(k, QSize(100, 100)).isNull() ? "" : k;
            return keys;
        };
        for (const char *k : {"a", "b", "c"})
            cache.insert(k, solid(100, 100));
        QVERIFY(!cache.find("a", QSize(100, 100)).isNull()); // a is now the most recent
        cache.insert("d", solid(100, 100));                  // b goes
        // The same picture at the same size replaces its image.
        cache.insert("d", solid(100, 100));
        // Larger than the whole budget: not kept, nothing pushed out for it.
        cache.insert("huge", solid(400, 400));
        QCOMPARE(held(), QString("acd"));
        QCOMPARE(std::pair(cache.count(), cache.bytes()), std::pair(3, 3 * each));
        cache.setBudget(each);
        QCOMPARE(held(), QString("d"));
        QCOMPARE(cache.bytes(), each);
    }

    void cacheSharedByThreads() {
        PictureCache cache(200 * 1000);
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&cache, t] {
                for (int i = 0; i < 3000; ++i) {
                    const QString key = QString::number((i * 7 + t) % 23);
                    const int side = 20 + (i % 5) * 20;
                    if (cache.find(key, QSize(side, side)).isNull())
                        cache.insert(key, solid(side, side));
                }
            });
        for (std::thread &t : threads)
            t.join();
        QVERIFY(cache.bytes() <= cache.budget());
        // What it counts is what it holds.
        qint64 held = 0;
        int found = 0;
        for (int k = 0; k < 23; ++k)
            for (int side = 20; side <= 100; side += 20) {
                const QImage img = cache.find(QString::number(k), QSize(side, side));
                if (!img.isNull() && img.width() == side) {
                    held += img.sizeInBytes();
                    ++found;
                }
            }
        QCOMPARE(found, cache.count());
        QCOMPARE(held, cache.bytes());
    }

    void claimingGifKeepsOnlyTheDrawnSize() {
        PictureDir dir;
        dir.addFile("derRiese.gif", PictureDir::claimingGif(QSize(8000, 8000)));
        const qint64 before = residentBytes();
        const Picture p = Picture::load("derRiese.gif");
        QVERIFY(!p.isNull()); // within the pixel cap: a picture like any other
        QImage card(47, 47, QImage::Format_RGB32);
        card.fill(Qt::white);
        QPainter painter(&card);
        p.draw(painter, QRectF(0, 0, 47, 47));
        painter.end();
        QCOMPARE(p.image(QSize(47, 47)).size(), QSize(47, 47));
        QVERIFY(PictureCache::global().bytes() <= 47 * 47 * 4);
        // The 256 MB full decode is gone while the picture lives on.
        const qint64 grown = residentBytes() - before;
        QVERIFY2(grown < 64 * kMB, qPrintable(QString::number(grown / kMB) + " MB"));
        // Beyond the pixel cap the picture is refused.
        dir.addFile("derRiese.gif", PictureDir::claimingGif(QSize(9000, 9000)));
        QVERIFY(Picture::load("derRiese.gif").isNull());
    }

    void worksheetsKeepNoFullSizeImages_data() {
        QTest::addColumn<int>("screen");
        QTest::newRow("learning cards") << int(ScreenId::Drucken1);
        QTest::newRow("sound cards") << int(ScreenId::Drucken2);
        QTest::newRow("writing sheets") << int(ScreenId::Drucken3);
    }
    void worksheetsKeepNoFullSizeImages() {
        QFETCH(int, screen);
        WindowFixture f;
        // 20 GIFs whose headers claim 2000 x 2000 (16 MB each decoded).
        QStringList names;
        for (int i = 0; i < 20; ++i) {
            names << QStringLiteral("dasBild%1.gif").arg(i, 2, 10, QLatin1Char('0'));
            f.dir.addFile(names.last(), PictureDir::claimingGif(QSize(2000, 2000)));
        }
        f.p.setNouns(names);
        const qint64 before = residentBytes();
        f.p.showScreen(ScreenId(screen));
        auto *w = screenAs<WorksheetFrame>(f.p, ScreenId(screen));
        QVERIFY(w);
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(control<QPushButton>(w, "Command6"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(w, "Command7"), Qt::LeftButton);
        w->repaint(); // the image boxes draw too
        const qint64 grown = residentBytes() - before;
        QVERIFY2(grown < 96 * kMB, qPrintable(QString::number(grown / kMB) + " MB"));
        QVERIFY(PictureCache::global().bytes() <= PictureCache::global().budget());
    }
};

QTEST_MAIN(PictureMemoryTest)
#include "picturememory_test.moc"
