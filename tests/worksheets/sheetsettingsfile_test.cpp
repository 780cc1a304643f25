// The sheets when our own settings file cannot be used (a folder, a FIFO or
// a link where it should be): they work with their defaults and say once
// that their settings are not kept.

#include "core/extras.h"
#include "support/windowfixture.h"
#include "worksheets/anlauttabelle.h"
#include "worksheets/schreiblinien.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class SheetSettingsFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;

private slots:
    void initTestCase() {
        // Before the file is first opened: this process's own, with a folder in its place.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
        QVERIFY(QDir(m_home.path()).mkpath("Kalimbo/Kalimbo.ini"));
        QCOMPARE(Extras::userFilePath(), m_home.filePath("Kalimbo/Kalimbo.ini"));
    }

    void settingsNotKeptSaidOnce() {
        WindowFixture f;
        f.dir.addPicture("derBall.bmp", QSize(16, 12));
        f.dir.addPicture("dasBrot.bmp", QSize(16, 12));
        f.p.setNouns({"dasBrot.bmp", "derBall.bmp"});
        auto *lines = f.open<Schreiblinien>(ScreenId::Schreiblinien);
        QCOMPARE(f.boxes(), 0);
        writinglines::Settings s;
        s.set = 0;
        lines->setSettings(s);
        QCOMPARE(f.boxes(), 1);
        QVERIFY(f.box().contains(QString::fromUtf8("nicht gespeichert")));
        s.set = 2;
        lines->setSettings(s);
        QCOMPARE(f.boxes(), 1);
        QCOMPARE(lines->page().settings.set, 2); // the sheet goes on with them meanwhile

        auto *table = f.open<Anlauttabelle>(ScreenId::Anlauttabelle);
        table->cycle(0); // A: nothing to cycle
        QCOMPARE(f.boxes(), 1);
        const int b = 3;
        QCOMPARE(table->page().table.cells[b].soundOf().letters, "B");
        table->cycle(b);
        QCOMPARE(f.boxes(), 2);
        QCOMPARE(table->page().table.cells[b].match()->noun, "Brot");
        QVERIFY(QFileInfo(Extras::userFilePath()).isDir());
    }
};

QTEST_MAIN(SheetSettingsFileTest)
#include "sheetsettingsfile_test.moc"
