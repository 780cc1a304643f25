// Peak resident memory (VmHWM) of the worksheets on folders of pictures that
// are huge in memory: nine GIFs of 35 bytes that claim 8000 x 8000 pixels,
// 18 real 3000 x 2000 BMPs, and a marathon paging through 5,000 pictures.
// The peak is reset between the cases (Linux clear_refs).
//
// Targets: every case stays below 400 MB resident; the marathon grows by at
// most 20 MB after its first pages.

#include "drawing/picturecache.h"
#include "support/fakeprogram.h"
#include "support/picturedir.h"
#include "support/windowfixture.h"
#include "worksheets/worksheetframe.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>

namespace {

qint64 statusKb(const char *field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    return -1;
}
double peakMb() {
    return statusKb("VmHWM:") / 1024.0;
}
double residentMb() {
    return statusKb("VmRSS:") / 1024.0;
}
void resetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

const ScreenId kSheets[] = {ScreenId::Drucken1, ScreenId::Drucken2, ScreenId::Drucken3};
const char *const kSheetNames[] = {"learning cards", "sound cards", "writing sheets"};

/// Opens each worksheet on these pictures, pages forward through them all
/// (at least three pages) and back once, and reports the peak.
void sheetsOn(const QStringList &names, const char *what) {
    for (int s = 0; s < 3; ++s) {
        PictureCache::global().clear();
        FakeProgram program;
        program.setNouns(names);
        resetPeak();
        const double base = residentMb();
        QElapsedTimer t;
        t.start();
        program.showScreen(kSheets[s]);
        auto *w = screenAs<WorksheetFrame>(program, kSheets[s]);
        const int pages = std::max(3, int(names.size()) / w->pageSize() + 1);
        for (int i = 0; i < pages; ++i) {
            QTest::mouseClick(control<QPushButton>(w, "Command6"), Qt::LeftButton);
            w->repaint();
        }
        QTest::mouseClick(control<QPushButton>(w, "Command7"), Qt::LeftButton);
        w->repaint();
        qInfo("%-22s %-15s start %6.1f MB, peak %6.1f MB, now %6.1f MB (%lld ms)", what,
              kSheetNames[s], base, peakMb(), residentMb(), t.elapsed());
    }
}

} // namespace

class PictureMemoryBench : public QObject {
    Q_OBJECT
private slots:
    void claimingGifs() {
        PictureDir dir;
        QStringList names;
        for (int i = 0; i < 9; ++i) {
            names << QStringLiteral("derRiese%1.gif").arg(i);
            dir.addFile(names.last(), PictureDir::claimingGif(QSize(8000, 8000)));
        }
        sheetsOn(names, "9 GIFs 8000x8000 claim");
    }

    void bigBmps() {
        PictureDir dir;
        QImage scan(3000, 2000, QImage::Format_RGB32);
        {
            QPainter p(&scan);
            QLinearGradient g(0, 0, 3000, 2000);
            g.setColorAt(0, QColor(30, 90, 200));
            g.setColorAt(1, QColor(240, 200, 60));
            p.fillRect(scan.rect(), g);
        }
        QVERIFY(scan.save(dir.filePath("seed.bmp"), "BMP"));
        scan = QImage();
        QStringList names;
        for (int i = 0; i < 18; ++i) {
            names << QStringLiteral("dasScan%1.bmp").arg(i, 2, 10, QLatin1Char('0'));
            QVERIFY(QFile::copy(dir.filePath("seed.bmp"), dir.filePath(names.last())));
        }
        dir.remove("seed.bmp");
        sheetsOn(names, "18 BMPs 3000x2000");
    }

    void marathon() {
        PictureDir dir;
        QImage photo(400, 300, QImage::Format_RGB32);
        photo.fill(QColor(30, 120, 60));
        QVERIFY(photo.save(dir.filePath("seed.jpg"), "JPG", 85));
        QStringList names;
        for (int i = 0; i < 5000; ++i) {
            names << QStringLiteral("dieSeite%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
            QVERIFY(QFile::copy(dir.filePath("seed.jpg"), dir.filePath(names.last())));
        }
        dir.remove("seed.jpg");
        for (int s = 0; s < 3; ++s) {
            PictureCache::global().clear();
            FakeProgram program;
            program.setNouns(names);
            resetPeak();
            program.showScreen(kSheets[s]);
            auto *w = screenAs<WorksheetFrame>(program, kSheets[s]);
            const int pages = 5000 / w->pageSize() + 1;
            double afterFirst = 0;
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < pages; ++i) {
                QTest::mouseClick(control<QPushButton>(w, "Command6"), Qt::LeftButton);
                w->repaint();
                if (i == 9)
                    afterFirst = residentMb();
            }
            const double end = residentMb();
            qInfo("5000-picture marathon %-15s after 10 pages %6.1f MB, after %d pages %6.1f MB "
                  "(+%.1f MB), peak %6.1f MB, cache %.1f MB (%lld ms)",
                  kSheetNames[s], afterFirst, pages, end, end - afterFirst, peakMb(),
                  PictureCache::global().bytes() / 1048576.0, t.elapsed());
        }
    }
};

QTEST_MAIN(PictureMemoryBench)
#include "picturememory_bench.moc"
