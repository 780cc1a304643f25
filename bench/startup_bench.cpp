// Start-up with 5,000 picture files (names only) and the letter filter over
// them. Targets: start-up under 150 ms with no picture decoded; the filter
// under 5 ms after a letter click.

#include "app/Form1.h"
#include "app/kalimboprogram.h"
#include "drawing/fonts.h"
#include "drawing/picture.h"
#include "support/manualclock.h"
#include "support/picturedir.h"
#include "support/recordingdialogs.h"
#include "support/scriptedrandom.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>
#include <algorithm>

class StartupBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        fonts::installSubstitutions();
        static const char *arts[] = {"der", "die", "das"};
        static const char *exts[] = {"jpg", "gif", "bmp", "wmf"};
        const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzäöüß");
        for (int i = 0; i < 5000; ++i) {
            QString noun = QString(QChar(u'A' + i % 26));
            int v = i;
            for (int k = 0; k < 7; ++k) {
                noun += letters[v % letters.size()];
                v = v / 3 + k * 7;
            }
            m_dir.addFile(QStringLiteral("%1%2.%3").arg(arts[i % 3], noun, exts[i % 4]), "x");
        }
    }

    void startup() {
        QList<qint64> times;
        const long decodes = Picture::decodeCount();
        for (int run = 0; run < 15; ++run) {
            RecordingDialogs dialogs;
            ScriptedRandom random;
            ManualClock clock;
            QElapsedTimer t;
            t.start();
            KalimboProgram program(dialogs, random, clock);
            QVERIFY(program.start());
            QCoreApplication::processEvents();
            times << t.nsecsElapsed();
            QCOMPARE(program.nounList().size(), 5000);
            program.onEnd = [] {};
        }
        QCOMPARE(Picture::decodeCount(), decodes);
        report("start-up, 5,000 files", times);
    }

    void filterAfterALetterClick() {
        RecordingDialogs dialogs;
        ScriptedRandom random;
        ManualClock clock;
        KalimboProgram program(dialogs, random, clock);
        QVERIFY(program.start());
        Form1 *m = program.menu();
        auto *letters = m->findChild<QListWidget *>(QStringLiteral("List1"));
        for (int i = 0; i < 29; ++i)
            letters->item(i)->setSelected(true);
        m->findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(true);
        QList<qint64> times;
        for (int run = 0; run < 50; ++run) {
            QElapsedTimer t;
            t.start();
            QListWidgetItem *z = letters->item(29);
            z->setSelected(!z->isSelected()); // runs the filter
            times << t.nsecsElapsed();
        }
        report("lautfilter after a letter click, 5,000 entries", times);
        program.onEnd = [] {};
    }

private:
    static void report(const char *what, QList<qint64> ns) {
        std::sort(ns.begin(), ns.end());
        qInfo("%s: median %.2f ms, min %.2f ms, max %.2f ms (%d runs)", what,
              ns[ns.size() / 2] / 1e6, ns.first() / 1e6, ns.last() / 1e6, int(ns.size()));
    }
    PictureDir m_dir;
};

QTEST_MAIN(StartupBench)
#include "startup_bench.moc"
