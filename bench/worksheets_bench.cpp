// The sound-card preview (16 pictures) and its printed page as PDF, with
// 12-megapixel JPEGs, against 16 plain full decodes of the same files in the
// same run. Pictures decode at the size their rectangle needs, once per
// drawing size.
//
// Targets: preview < 1/4 of the full decodes, printed page < the full decodes.

#include "drawing/picture.h"
#include "support/fakeprogram.h"
#include "support/picturedir.h"
#include "support/windowfixture.h"
#include "worksheets/drucken2.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

class WorksheetsBench : public QObject {
    Q_OBJECT

    static double median(QList<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }

private slots:
    void previewAndPrint() {
        PictureDir dir;
        // One photo-like 4000 x 3000 JPEG, copied under 16 names.
        QImage photo(4000, 3000, QImage::Format_RGB32);
        {
            QPainter p(&photo);
            QLinearGradient g(0, 0, 4000, 3000);
            g.setColorAt(0, QColor(30, 90, 200));
            g.setColorAt(1, QColor(240, 200, 60));
            p.fillRect(photo.rect(), g);
            QRandomGenerator rng(7);
            for (int i = 0; i < 4000; ++i) {
                p.setBrush(QColor::fromRgb(rng.generate()));
                p.drawEllipse(QPoint(rng.bounded(4000), rng.bounded(3000)), rng.bounded(10, 120),
                              rng.bounded(10, 120));
            }
        }
        QVERIFY(photo.save(dir.filePath("seed.jpg"), "JPG", 90));
        QStringList names;
        for (int i = 0; i < 16; ++i) {
            const QString name = QStringLiteral("derFoto%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
            QVERIFY(QFile::copy(dir.filePath("seed.jpg"), dir.filePath(name)));
            names << name;
        }
        QFile::remove(dir.filePath("seed.jpg"));
        qInfo("JPEG file size: %lld bytes", QFileInfo(dir.filePath(names[0])).size());

        QTemporaryDir out;
        QList<double> full, preview, repeat, back, printed;
        long previewDecodes = 0, printDecodes = 0;
        for (int round = 0; round < 3; ++round) {
            // A fresh program each round: the window and its decoded pictures are new.
            FakeProgram program;
            program.setNouns(names);
            program.setOption(Option::Druckerausgabe, true);
            QElapsedTimer t;
            t.start();
            for (const QString &n : names) {
                QImageReader r(n);
                r.setAllocationLimit(1024);
                QImage img;
                QVERIFY(r.read(&img));
            }
            full << t.nsecsElapsed() / 1e6;

            // Activation fills the page and draws the preview with fresh pictures.
            long d0 = Picture::decodeCount();
            t.restart();
            program.showScreen(ScreenId::Drucken2);
            preview << t.nsecsElapsed() / 1e6;
            previewDecodes = Picture::decodeCount() - d0;
            auto *w = screenAs<drucken2>(program, ScreenId::Drucken2);

            t.restart();
            w->vorschau(); // a sound button or an exchange redraws like this
            repeat << t.nsecsElapsed() / 1e6;

            const QString file = out.filePath(QStringLiteral("page%1.pdf").arg(round));
            w->printTarget = [&file](const QString &doc, const QString &,
                                     const printing::PageRoutine &page) {
                return printing::printToPdf(file, doc, page);
            };
            d0 = Picture::decodeCount();
            t.restart();
            QTest::mouseClick(control<QPushButton>(w, "Command5"), Qt::LeftButton);
            printed << t.nsecsElapsed() / 1e6;
            printDecodes = Picture::decodeCount() - d0;
            if (round == 0 && qEnvironmentVariableIsSet("KALIMBO_BENCH_KEEP"))
                QFile::copy(file, qEnvironmentVariable("KALIMBO_BENCH_KEEP"));
            // Away and back (as after the font chooser): the decoded pictures serve.
            QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
            t.restart();
            program.showScreen(ScreenId::Drucken2);
            back << t.nsecsElapsed() / 1e6;
        }
        const double f = median(full), p = median(preview), r = median(repeat),
                     pr = median(printed);
        qInfo("16 full decodes:        %8.1f ms", f);
        qInfo("first preview (fresh):  %8.1f ms  (%.1f%% of full decodes, %ld decodes)", p,
              100 * p / f, previewDecodes);
        qInfo("preview again (cached): %8.1f ms", r);
        qInfo("reactivation (cached):  %8.1f ms", median(back));
        qInfo("page printed to PDF:    %8.1f ms  (%.1f%% of full decodes, %ld decodes)", pr,
              100 * pr / f, printDecodes);
        QVERIFY(previewDecodes <= 16);
        QVERIFY(printDecodes <= 16);
    }
};

QTEST_MAIN(WorksheetsBench)
#include "worksheets_bench.moc"
