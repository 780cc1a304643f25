// What the menu launcher could not arrange is said once, before the menu.

#include "menufixture.h"

#include <QTest>

class StartNoteTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { qunsetenv("KALIMBO_START_NOTE"); }

    void saidOnceBeforeTheMenu_data() {
        QTest::addColumn<QByteArray>("note"); // empty: not set
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QStringList>("boxes"); // title: text, in order
        const QByteArray note =
            "Der Bilderordner\n/home/anna/Bilder/Kalimbo\nist schreibgeschützt.";
        const QString shown = QStringLiteral("Kalimbo: ") + QString::fromUtf8(note);
        const QString abort = QStringLiteral("Programmabbruch: Es wurden keine Bilddateien "
                                             "gefunden!\rDas Programm ist nicht funktionsfähig!\r");
        QTest::newRow("none") << QByteArray() << 3 << QStringList();
        QTest::newRow("empty") << QByteArray("") << 3 << QStringList();
        QTest::newRow("pictures") << note << 3 << QStringList{shown};
        QTest::newRow("no pictures") << note << 0 << QStringList{shown, abort};
    }
    void saidOnceBeforeTheMenu() {
        QFETCH(QByteArray, note);
        QFETCH(int, pictures);
        QFETCH(QStringList, boxes);
        if (!note.isNull())
            qputenv("KALIMBO_START_NOTE", note);
        MenuFixture f;
        f.addNumbered(pictures);
        bool menuShown = false;
        f.dialogs.onShow = [&](const RecordingDialogs::Box &) {
            if (f.dialogs.boxes.size() == 1)
                menuShown = f.program->menu() && f.program->menu()->isVisible();
        };
        QCOMPARE(f.start(), pictures > 0);
        QStringList seen;
        for (const auto &b : f.dialogs.boxes)
            seen << b.title + QStringLiteral(": ") + b.text;
        QCOMPARE(seen, boxes);
        QVERIFY(!menuShown);

        // A second start in the same run says nothing more.
        f.dialogs.clear();
        KalimboProgram again(f.dialogs, f.random, f.clock);
        again.onEnd = [] {};
        again.start();
        QCOMPARE(f.dialogs.boxes.size(), pictures > 0 ? 0 : 1);
    }
};

QTEST_MAIN(StartNoteTest)
#include "startnote_test.moc"
