// The name panel of a class of 30, each child with a kept picture (a
// 128 px JPEG read and decoded on the window thread), against the same class
// without pictures; and preparing a 12-megapixel photo for the list, the
// work the class dialog leaves to a worker.

#include "app/Form1.h"
#include "app/kalimboprogram.h"
#include "core/classlist.h"
#include "drawing/fonts.h"
#include "program/classpictures.h"
#include "support/manualclock.h"
#include "support/picturedir.h"
#include "support/recordingdialogs.h"
#include "support/scriptedrandom.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <algorithm>

class ClassPicturesBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        fonts::installSubstitutions();
        for (int i = 0; i < 5; ++i)
            m_dir.addFile(QStringLiteral("derNomen%1.jpg").arg(i));
        for (int i = 1; i <= 30; ++i)
            m_names << QStringLiteral("Kind Nummer %1").arg(i);
        QVERIFY(classlist::write(QDir::currentPath(), m_names));
    }

    void namePanel_data() {
        QTest::addColumn<bool>("pictures");
        QTest::newRow("30 names") << false;
        QTest::newRow("30 names with pictures") << true;
    }
    void namePanel() {
        QFETCH(bool, pictures);
        QImage photo(QSize(128, 96), QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        QByteArray jpeg;
        {
            QBuffer b(&jpeg);
            b.open(QIODevice::WriteOnly);
            photo.save(&b, "JPEG", 90);
        }
        for (const QString &n : m_names)
            QCOMPARE(
                classpictures::store(QDir::currentPath(), n, pictures ? jpeg : QByteArray()).status,
                files::Status::Ok);
        RecordingDialogs dialogs;
        ScriptedRandom random;
        ManualClock clock;
        KalimboProgram program(dialogs, random, clock);
        QVERIFY(program.start());
        Extras e = program.extras();
        e.classBesidePictures = true;
        program.state().setExtras(e);
        auto *open = program.menu()->findChild<QPushButton *>(QStringLiteral("Command9"));
        QList<qint64> times;
        for (int run = 0; run < 21; ++run) {
            // Another PC changed the list: the panel reads it and lays out every button.
            QVERIFY(classlist::write(QDir::currentPath(),
                                     run % 2 ? m_names : m_names + QStringList{"Neu"}));
            QElapsedTimer t;
            t.start();
            QTest::mouseClick(open, Qt::LeftButton); // reads the list, lays out the buttons
            times << t.nsecsElapsed();
            QTest::mouseClick(open, Qt::LeftButton);
        }
        report(pictures ? "name panel, 30 children with pictures"
                        : "name panel, 30 children without pictures",
               times);
        program.onEnd = [] {};
    }

    void prepareAPhoto() {
        QImage photo(QSize(4000, 3000), QImage::Format_RGB32);
        photo.fill(Qt::darkYellow);
        const QString path = m_dir.filePath(QStringLiteral("foto.jpg"));
        QVERIFY(photo.save(path, "JPEG", 90));
        QList<qint64> times;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer t;
            t.start();
            QVERIFY(classpictures::prepareFile(path).ok());
            times << t.nsecsElapsed();
        }
        report("a 4000 x 3000 photo prepared for the list (worker)", times);
    }

private:
    static void report(const char *what, QList<qint64> ns) {
        std::sort(ns.begin(), ns.end());
        qInfo("%s: median %.2f ms, min %.2f ms, max %.2f ms (%d runs)", what,
              ns[ns.size() / 2] / 1e6, ns.first() / 1e6, ns.last() / 1e6, int(ns.size()));
    }
    PictureDir m_dir;
    QStringList m_names;
};

QTEST_MAIN(ClassPicturesBench)
#include "classpictures_bench.moc"
