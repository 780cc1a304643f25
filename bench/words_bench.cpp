// The word manager. Targets: the window on 5,000 nouns painted in under
// 300 ms; a 12-megapixel phone photo turned into the saved file in under
// 400 ms; the article lookup under 5 ms per noun once the list is loaded.

#include "app/kalimboprogram.h"
#include "app/wordmanager.h"
#include "core/articles.h"
#include "drawing/fonts.h"
#include "drawing/pictureimport.h"
#include "files/safefile.h"
#include "support/manualclock.h"
#include "support/picturedir.h"
#include "support/recordingdialogs.h"
#include "support/scriptedrandom.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QPainter>
#include <QTableView>
#include <QTest>
#include <algorithm>

namespace {

/// Notes the first paint of a widget.
class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

qint64 median(QList<qint64> t) {
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

} // namespace

class WordsBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fonts::installSubstitutions(); }

    void window5000() {
        PictureDir dir;
        static const char *arts[] = {"der", "die", "das"};
        const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzäöüß");
        QImage img(160, 120, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        QByteArray jpeg;
        {
            QBuffer b(&jpeg);
            b.open(QIODevice::WriteOnly);
            img.save(&b, "JPG");
        }
        for (int i = 0; i < 5000; ++i) {
            QString noun = QString(QChar(u'A' + i % 26));
            int v = i;
            for (int k = 0; k < 7; ++k) {
                noun += letters[v % letters.size()];
                v = v / 3 + k * 7;
            }
            dir.addFile(QStringLiteral("%1%2.jpg").arg(arts[i % 3], noun), jpeg);
        }
        RecordingDialogs dialogs;
        ScriptedRandom random;
        ManualClock clock;
        KalimboProgram program(dialogs, random, clock);
        QVERIFY(program.start());
        QList<qint64> times, built;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer t;
            t.start();
            WordManager w(program);
            built << t.elapsed();
            FirstPaint paint;
            w.findChild<QTableView *>("Liste")->viewport()->installEventFilter(&paint);
            w.show();
            while (!paint.painted)
                QCoreApplication::processEvents();
            times << t.elapsed();
            QCOMPARE(w.entries().size(), 5000);
        }
        qInfo("window on 5000 nouns to first paint: median %lld ms (built after %lld ms)",
              median(times), median(built));
        QVERIFY(median(times) < 300);
    }

    void import12Megapixels() {
        QImage photo(4000, 3000, QImage::Format_RGB32);
        QPainter p(&photo);
        QLinearGradient g(0, 0, 4000, 3000);
        g.setColorAt(0, Qt::darkGreen);
        g.setColorAt(1, Qt::yellow);
        p.fillRect(photo.rect(), g);
        for (int i = 0; i < 400; ++i)
            p.fillRect((i * 97) % 3900, (i * 61) % 2900, 80, 60,
                       QColor::fromHsv(i % 360, 200, 200));
        p.end();
        QByteArray jpeg;
        {
            QBuffer b(&jpeg);
            b.open(QIODevice::WriteOnly);
            QImageWriter w(&b, "jpeg");
            w.setQuality(92);
            w.setTransformation(QImageIOHandler::TransformationRotate90);
            QVERIFY(w.write(photo));
        }
        QTemporaryDir dir;
        QFile src(dir.filePath("IMG_0001.jpg"));
        QVERIFY(src.open(QIODevice::WriteOnly));
        src.write(jpeg);
        src.close();
        const files::Folder folder = files::Folder::open(dir.path(), ".", false, nullptr);
        QList<qint64> times;
        for (int run = 0; run < 7; ++run) {
            QElapsedTimer t;
            t.start();
            const pictureimport::Prepared prepared = pictureimport::prepareFile(src.fileName());
            QVERIFY(prepared.ok());
            const QString name = QStringLiteral("derBaum%1.jpg").arg(QChar(u'a' + run));
            QCOMPARE(folder.writeNew(name, prepared.bytes).status, files::Status::Ok);
            times << t.elapsed();
            if (run == 0)
                qInfo("12 MP JPEG (%lld bytes) saved as %lld bytes, %dx%d", qint64(jpeg.size()),
                      qint64(prepared.bytes.size()), prepared.preview.width(),
                      prepared.preview.height());
        }
        qInfo("12-megapixel JPEG to the saved file: median %lld ms", median(times));
        QVERIFY(median(times) < 400);
    }

    void articleLookup() {
        ArticleDictionary dict;
        QElapsedTimer t;
        t.start();
        if (!dict.load())
            QSKIP("trans-de-en is not installed");
        qInfo("word list loaded once: %lld ms, %d nouns", t.elapsed(), dict.size());
        const QStringList words = {"Hund",    "Erdbeere",  "See",         "Schulranzen",
                                   "Xylofon", "Apfelbaum", "Sonnenblume", "Feuerwehrauto"};
        int found = 0;
        t.restart();
        const int rounds = 2000;
        for (int i = 0; i < rounds; ++i)
            for (const QString &w : words)
                found += dict.suggest(w).from.isEmpty() ? 0 : 1;
        const double perNoun = double(t.nsecsElapsed()) / 1e6 / (rounds * words.size());
        qInfo("lookup: %.4f ms per noun (%d found)", perNoun, found);
        for (const QString &w : words) {
            const auto s = dict.suggest(w);
            qInfo("  %s -> %s%s (%s)", qPrintable(w), qPrintable(s.article),
                  s.ambiguous ? "mehrdeutig" : "", qPrintable(s.from));
        }
        QVERIFY(perNoun < 5);
    }
};

QTEST_MAIN(WordsBench)
#include "words_bench.moc"
