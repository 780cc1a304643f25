#include "menufixture.h"

#include "core/palette.h"
#include "core/settings.h"
#include "exercises/Form2.h"
#include "log/Form11.h"
#include "support/filesystems.h"
#include "ui/canvas.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <sys/stat.h>

static void click(QAbstractButton *b) {
    QTest::mouseClick(b, Qt::LeftButton);
}

static QString readFile(const QString &name) {
    QFile f(name);
    f.open(QIODevice::ReadOnly);
    return QString::fromLatin1(f.readAll());
}

class Form1Test : public QObject {
    Q_OBJECT
private slots:
    void startsOnThePictureFiles() {
        MenuFixture f;
        f.addFiles({"derHund.jpg", "dieKatze.GIF", "dasHaus.bmp", "readme.txt"});
        QVERIFY(f.start());
        Form1 *m = f.menu();
        QVERIFY(m->isVisible());
        QCOMPARE(m->windowTitle(), QString("Kalimbo (Menü)"));
        QCOMPARE(control<QLabel>(m, "Label7")->text(), QString(" 3 Nomen "));
        QCOMPARE(control<QLabel>(m, "Label5")->text(), QString("Freund"));
        QCOMPARE(control<QLineEdit>(m, "Text1")->text(), QString("Gast"));
        QCOMPARE(control<QLabel>(m, "Label8")->text(), QString("09.03.2026"));
        QCOMPARE(m->nounList(), (QStringList{"dasHaus.bmp", "derHund.jpg", "dieKatze.GIF"}));
        QVERIFY(!control<QCheckBox>(m, "Check1")->isChecked());
        QCOMPARE(control<QListWidget>(m, "List1")->count(), 30);
        QVERIFY(f.dialogs.boxes.isEmpty());
    }

    void endsWithoutPictures() {
        MenuFixture f;
        f.addFiles({"readme.txt", "derHund.png"});
        QVERIFY(!f.start());
        QCOMPARE(f.dialogs.boxes.size(), 1);
        QCOMPARE(f.dialogs.last().title, QString("Programmabbruch"));
        QCOMPARE(f.dialogs.last().text, QString("Es wurden keine Bilddateien gefunden!\r"
                                                "Das Programm ist nicht funktionsfähig!\r"));
        QVERIFY(!f.menu()->isVisible());
        QVERIFY(!QFile::exists(settings::kFileName));
    }

    void launchThresholds_data() {
        QTest::addColumn<int>("nouns");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("title");
        QTest::newRow("Nomen 2") << 2 << "Nomen" << false << "Nomen";
        QTest::newRow("Nomen 3") << 3 << "Nomen" << true << "";
        QTest::newRow("Begleiter 2") << 2 << "Begleiter" << true << "";
        QTest::newRow("Memory 9") << 9 << "Memory" << true << "";
        QTest::newRow("Memory 8") << 8 << "Memory" << false << "Memory";
        QTest::newRow("Wortwahl 9") << 9 << "Wortwahl" << false << "Wortwahl";
        QTest::newRow("Wortwahl 10") << 10 << "Wortwahl" << true << "";
        QTest::newRow("Bildwahl 9") << 9 << "Bildwahl" << false << "Bildwahl";
        QTest::newRow("ABC 4") << 4 << "A B C" << false << "A B C";
        QTest::newRow("ABC 5") << 5 << "A B C" << true << "";
        QTest::newRow("Kärtchen 8") << 8 << "Kärtchen" << false << "Lernkärtchen";
        QTest::newRow("Kärtchen 9") << 9 << "Kärtchen" << true << "";
        QTest::newRow("Lautübung 15") << 15 << "Lautübung" << false << "Lernkärtchen";
        QTest::newRow("Schreiben 9") << 9 << "Schreiben" << true << "";
    }
    void launchThresholds() {
        QFETCH(int, nouns);
        QFETCH(QString, button);
        QFETCH(bool, opens);
        QFETCH(QString, title);
        MenuFixture f;
        f.addNumbered(nouns);
        QVERIFY(f.start());
        Form1 *m = f.menu();
        QPushButton *b = nullptr;
        for (auto *candidate : m->findChildren<QPushButton *>())
            if (candidate->text() == button)
                b = candidate;
        QVERIFY(b);
        if (b->parentWidget() != m)
            click(control<QPushButton>(
                m, "Command21")); // the worksheet buttons sit on the options panel
        click(b);
        if (opens) {
            // The window may greet the child; the launch itself says nothing.
            for (const auto &box : f.dialogs.boxes)
                QVERIFY2(!box.text.contains("vorhanden"), qPrintable(box.text));
            QVERIFY(!m->isVisible());
        } else {
            QCOMPARE(f.dialogs.boxes.size(), 1);
            QCOMPARE(f.dialogs.last().title, title);
            QVERIFY(m->isVisible());
            if (title == "Nomen" || title == "Wortwahl" || title == "Memory")
                QCOMPARE(f.dialogs.last().text,
                         QString("Es sind zu wenig Wörter vorhanden,\r"
                                 "bitte die Filterauswahl kontrollieren!\r"));
            if (title == "Lernkärtchen")
                QVERIFY(f.dialogs.last().text.endsWith("Nomen vorhanden sein!\r\r"));
        }
    }

    void emptyFilteredListRefusesOneNounExercises() {
        MenuFixture f;
        f.addFiles({"derHund.jpg"});
        QVERIFY(f.start());
        Form1 *m = f.menu();
        control<QCheckBox>(m, "Check4")->setChecked(true);
        click(control<QPushButton>(
            m, "Command8")); // "Laute": the filter goes on, no letters -> message, off again
        QCOMPARE(f.dialogs.last().title, QString("Filter: "));
        QCOMPARE(f.dialogs.last().text,
                 QString("Der Filter erzeugt keine Wörter!\rFilter wird wieder abgeschaltet.\r"));
        QVERIFY(!control<QCheckBox>(m, "Check1")->isChecked());
        QCOMPARE(control<QLabel>(m, "Label7")->text(), QString(" 1 Nomen "));
        // A letter change that empties the list while the panel is open shows nothing.
        f.dialogs.clear();
        control<QListWidget>(m, "List1")->item(0)->setSelected(true); // A
        QCOMPARE(control<QLabel>(m, "Label7")->text(), QString(" 0 Nomen "));
        QVERIFY(f.dialogs.boxes.isEmpty());
        click(control<QPushButton>(m, "Command3")); // "Begleiter" with the list empty
        QCOMPARE(f.dialogs.last().text,
                 QString("Es sind keine Wörter vorhanden.\rbitte die Filterwahl kontrollieren!\r"));
        QCOMPARE(f.dialogs.last().title, QString("Begleiter"));
    }

    void worksheetsCountAllPictureFiles() {
        MenuFixture f;
        f.addFiles({"derHund.jpg", "dieHand.gif", "derHahn.bmp", "dasDach.jpg", "dieNuss.gif"});
        for (const char *z :
             {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O"})
            f.dir.addFile(QString("dieZebra%1.jpg").arg(z));
        QVERIFY(f.start());
        Form1 *m = f.menu();
        control<QCheckBox>(m, "Check4")->setChecked(true);
        for (int i = 0; i < control<QListWidget>(m, "List1")->count(); ++i)
            if (QString("HUNDACS").contains(control<QListWidget>(m, "List1")->item(i)->text()))
                control<QListWidget>(m, "List1")->item(i)->setSelected(true);
        click(control<QPushButton>(m, "Command8")); // "Laute": the filter goes on
        QCOMPARE(m->nounList().size(), 5);
        QCOMPARE(control<QLabel>(m, "Label7")->text(), QString(" 5 Nomen "));
        click(control<QPushButton>(m, "Command21"));
        QCOMPARE(control(m, "Picture4")->x(),
                 twips::px(11040)); // "Lehrer ..." closed the letter panel
        click(control<QPushButton>(
            m, "Command28")); // "Lautübung": 20 picture files count, not the filtered 5
        QVERIFY2(f.dialogs.boxes.isEmpty(), qPrintable(f.dialogs.lastText()));
    }

    void launchClosesTheLetterPanelWithTheFilterOn() {
        MenuFixture f;
        f.addFiles({"derHund.jpg", "dieHand.gif", "dasHaus.bmp"});
        QVERIFY(f.start());
        Form1 *m = f.menu();
        control<QCheckBox>(m, "Check4")->setChecked(true);
        click(control<QPushButton>(m, "Command6")); // "A l l e" with the panel still closed
        click(control<QPushButton>(m, "Command8"));
        QCOMPARE(control(m, "Picture4")->x(), twips::px(3840));
        QVERIFY(control<QCheckBox>(m, "Check1")->isChecked());
        f.dialogs.clear();
        click(control<QPushButton>(m, "Command2")); // "Nomen" needs 3 and has 3
        QCOMPARE(control(m, "Picture4")->x(), twips::px(11040));
        QVERIFY(control<QCheckBox>(m, "Check1")->isChecked());
        QVERIFY(f.dialogs.boxes.isEmpty());
    }

    void namePanel() {
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        Form1 *m = f.menu();
        control<QCheckBox>(m, "Check1")->setChecked(true);
        f.dialogs.clear();
        control<QCheckBox>(m, "Check1")->setChecked(false);
        click(control<QPushButton>(m, "Command9"));
        QCOMPARE(control(m, "Picture6")->x(), twips::px(5640));
        QCOMPARE(control<QLineEdit>(m, "Text1")->text(), QString("Freund"));
        QCOMPARE(control<QLineEdit>(m, "Text1")->selectedText(), QString("Freund"));
        QVERIFY(!control<QCheckBox>(m, "Check1")->isChecked());
        // Deleting every character puts "Gast" back at once.
        control<QLineEdit>(m, "Text1")->setText(QString());
        QCOMPARE(control<QLineEdit>(m, "Text1")->text(), QString("Gast"));
        control<QLineEdit>(m, "Text1")->setText("Mia");
        Form11::appendTo(*f.program, LogList::Lesen, "Hund");
        click(control<QPushButton>(m, "Command24")); // "X": nothing confirmed
        QCOMPARE(control(m, "Picture6")->x(), twips::px(11040));
        QCOMPARE(control<QLabel>(m, "Label5")->text(), QString("Freund"));
        QCOMPARE(f.program->nameField(), QString("Mia"));
        auto *log = dynamic_cast<Form11 *>(f.program->existing(ScreenId::Form11));
        QVERIFY(log);
        QCOMPARE(log->lines(LogList::Lesen).size(), 1);
        click(control<QPushButton>(m, "Command9"));
        click(control<QPushButton>(m, "Command9")); // a second "Name" closes the panel
        QCOMPARE(control(m, "Picture6")->x(), twips::px(11040));
        click(control<QPushButton>(m, "Command9"));
        control<QLineEdit>(m, "Text1")->setText("Mia");
        click(control<QPushButton>(m, "Command25")); // "Fertig!": a new name starts a new log
        QCOMPARE(control<QLabel>(m, "Label5")->text(), QString("Mia"));
        QCOMPARE(log->lines(LogList::Lesen).size(), 0);
        QCOMPARE(control(m, "Picture6")->x(), twips::px(11040));
    }

    // A deleted name comes back as a selected "Gast", so typing replaces it.
    void typingAfterDeletingTheName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("cursor"); // -1: the whole name selected
        QTest::addColumn<int>("key");
        QTest::newRow("backspace at the end") << "A" << 1 << int(Qt::Key_Backspace);
        QTest::newRow("delete at the start") << "A" << 0 << int(Qt::Key_Delete);
        QTest::newRow("whole name selected") << "Freund" << -1 << int(Qt::Key_Backspace);
    }
    void typingAfterDeletingTheName() {
        QFETCH(QString, name);
        QFETCH(int, cursor);
        QFETCH(int, key);
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        Form1 *m = f.menu();
        click(control<QPushButton>(m, "Command9"));
        control<QLineEdit>(m, "Text1")->setText(name);
        if (cursor < 0)
            control<QLineEdit>(m, "Text1")->selectAll();
        else
            control<QLineEdit>(m, "Text1")->setCursorPosition(cursor);
        QTest::keyClick(control<QLineEdit>(m, "Text1"), Qt::Key(key));
        QCOMPARE(control<QLineEdit>(m, "Text1")->text(), QString("Gast"));
        QCOMPARE(control<QLineEdit>(m, "Text1")->selectedText(), QString("Gast"));
        QTest::keyClicks(control<QLineEdit>(m, "Text1"), "Anna");
        QCOMPARE(control<QLineEdit>(m, "Text1")->text(), QString("Anna"));
        click(control<QPushButton>(m, "Command25"));
        QCOMPARE(control<QLabel>(m, "Label5")->text(), QString("Anna"));
    }

    void nameOptionOff() {
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        Form1 *m = f.menu();
        control<QCheckBox>(m, "Check5")->setChecked(false);
        click(control<QPushButton>(m, "Command9"));
        QCOMPARE(f.dialogs.last().text, QString("Diese Option wurde abgeschaltet.\r\r"));
        QCOMPARE(f.dialogs.last().title, QString("Optionen"));
        QCOMPARE(control(m, "Picture6")->x(), twips::px(11040));
    }

    void panelPositions() {
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        Form1 *m = f.menu();
        click(control<QPushButton>(m, "Command4")); // "Farben" with the option off
        QCOMPARE(f.dialogs.last().text, QString("Diese Option wurde abgeschaltet.\r\r"));
        QCOMPARE(control(m, "Picture3")->x(), twips::px(11040));
        click(control<QPushButton>(m, "Command21"));
        QCOMPARE(control(m, "Picture5")->y(), twips::px(1680));
        click(control<QCheckBox>(m, "Check3"));
        click(control<QCheckBox>(m, "Check4"));
        click(control<QPushButton>(m, "Command23")); // "X" keeps the options open, higher up
        QCOMPARE(control(m, "Picture5")->y(), twips::px(400));
        click(control<QPushButton>(m, "Command21"));
        QCOMPARE(control(m, "Picture5")->y(), twips::px(8400));
        click(control<QPushButton>(m, "Command21"));
        click(control<QPushButton>(
            m, "Command4")); // "Farben" closes the options panel and opens colours
        QCOMPARE(control(m, "Picture5")->y(), twips::px(8400));
        QCOMPARE(control(m, "Picture3")->x(), twips::px(3840));
        click(control<QPushButton>(m, "Command8")); // "Laute" replaces colours by letters
        QCOMPARE(control(m, "Picture3")->x(), twips::px(11040));
        QCOMPARE(control(m, "Picture4")->x(), twips::px(3840));
        // No letter is chosen yet: the filter lets nothing through and goes off again.
        QCOMPARE(f.dialogs.last().title, QString("Filter: "));
        QVERIFY(!control<QCheckBox>(m, "Check1")->isChecked());
        click(control<QPushButton>(m, "Command9")); // "Name" replaces letters
        QCOMPARE(control(m, "Picture4")->x(), twips::px(11040));
        QCOMPARE(control(m, "Picture6")->x(), twips::px(5640));
        click(control<QPushButton>(m, "Command21")); // "Lehrer ..." replaces the name panel
        QCOMPARE(control(m, "Picture6")->x(), twips::px(11040));
        QCOMPARE(control(m, "Picture5")->y(), twips::px(1680));
        click(control<QPushButton>(m, "Command27")); // "Abbruch ..."
        QCOMPARE(control(m, "Picture5")->y(), twips::px(8400));
        // Activation closes colour, letter and options panels, not the name panel.
        click(control<QPushButton>(m, "Command4"));
        click(control<QPushButton>(m, "Command15")); // "Kontrolle" hides the menu
        QVERIFY(!m->isVisible());
        auto *log = f.program->existing(ScreenId::Form11);
        QVERIFY(log && log->isVisible());
        click(control<QPushButton>(dynamic_cast<Form11 *>(log), "Command1"));
        QVERIFY(m->isVisible());
        QCOMPARE(control(m, "Picture3")->x(), twips::px(11040));
    }

    void colourChoice() {
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        Form1 *m = f.menu();
        m->colourChoice(4500, 700);
        QCOMPARE(m->consonantColour(), 15);
        m->colourChoice(0, 2200);
        QCOMPARE(m->vowelColour(), 0);
        m->colourChoice(1000, 1500);
        QCOMPARE(m->consonantColour(), 15);
        QCOMPARE(m->vowelColour(), 0);
        QCOMPARE(control<QWidget>(m, "Shape2")->palette().color(QPalette::Window),
                 palette::colour(15));
        // Through the mouse: a press on the panel at the box of colour 2.
        click(control<QPushButton>(m, "Command21"));
        click(control<QCheckBox>(m, "Check3"));
        click(control<QPushButton>(m, "Command4"));
        QTest::mousePress(control<Canvas>(m, "Picture3"), Qt::RightButton, Qt::KeyboardModifiers(),
                          QPoint(2 * 20 + 10, 50));
        QCOMPARE(m->consonantColour(), 2);
    }

    void backgroundFollowsTheScrollBars() {
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        Form1 *m = f.menu();
        QCOMPARE(m->background(), QColor(0, 0, 0));
        for (int v : {1, 128, 255}) {
            control<QScrollBar>(m, "VScroll1")->setSliderPosition(v); // also while dragging
            QCOMPARE(m->background(), QColor(v, 0, 0));
        }
        // "Hintergrund" is drawn with its vowels in the vowel colour.
        const QImage img = control<Canvas>(m, "Hintergrund")->image();
        bool sawVowel = false, sawConsonant = false;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y);
                sawVowel |= p == palette::colour(12).rgb();
                sawConsonant |= p == palette::colour(10).rgb();
            }
        QVERIFY(sawVowel && sawConsonant);
    }

    void exitQuestion() {
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        Form1 *m = f.menu();
        f.dialogs.answers << false;
        click(control<QPushButton>(m, "Command1"));
        const auto box = f.dialogs.last();
        QCOMPARE(box.text,
                 QString("Hallo Gast !\r\rMöchtest du dieses Programm jetzt beenden?\r\r"));
        QCOMPARE(box.title, QString("Kalimbo"));
        QVERIFY(box.yesNo && box.defaultNo);
        QVERIFY(!f.ended);
        QVERIFY(!QFile::exists(settings::kFileName));
        f.dialogs.answers << true;
        click(control<QPushButton>(m, "Command1"));
        QVERIFY(f.ended);
        QCOMPARE(f.dialogs.boxes.size(), 2); // no second message
        QCOMPARE(readFile(settings::kFileName),
                 QString(" 1 \r\n 0 \r\n 0 \r\n 1 \r\n 10 \r\n 12 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n"));
    }

    void titleBarCloseSavesAndSays() {
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        f.menu()->closeByTitleBar();
        QCOMPARE(f.dialogs.last().text, QString("Das Programm wird beendet ...\r\r"));
        QVERIFY(f.ended);
        QVERIFY(QFile::exists(settings::kFileName));
    }

    void settingsSurviveARun() {
        MenuFixture f;
        f.addFiles({"derHund.jpg", "dieHand.gif", "dasHaus.bmp"});
        QVERIFY(f.start());
        Form1 *m = f.menu();
        control<QCheckBox>(m, "Check2")->setChecked(false);
        control<QCheckBox>(m, "Check3")->setChecked(true);
        control<QCheckBox>(m, "Check4")->setChecked(true);
        m->colourChoice(300 * 4, 700);
        m->colourChoice(300 * 9, 2200);
        control<QScrollBar>(m, "VScroll1")->setValue(10);
        control<QScrollBar>(m, "VScroll2")->setValue(20);
        control<QScrollBar>(m, "VScroll3")->setValue(30);
        for (int i : {0, 8, 23}) // A, H, U
            control<QListWidget>(m, "List1")->item(i)->setSelected(true);
        f.dialogs.answers << true;
        click(control<QPushButton>(m, "Command1"));
        QCOMPARE(
            readFile(settings::kFileName),
            QString(" 0 \r\n 1 \r\n 1 \r\n 1 \r\n 4 \r\n 9 \r\n 10 \r\n 20 \r\n 30 \r\nAHU\r\n"));

        KalimboProgram second(f.dialogs, f.random, f.clock);
        second.onEnd = [] {};
        QVERIFY(second.start());
        Form1 *n = second.menu();
        QVERIFY(!control<QCheckBox>(n, "Check2")->isChecked());
        QVERIFY(control<QCheckBox>(n, "Check3")->isChecked() &&
                control<QCheckBox>(n, "Check4")->isChecked() &&
                control<QCheckBox>(n, "Check5")->isChecked());
        QCOMPARE(n->consonantColour(), 4);
        QCOMPARE(n->vowelColour(), 9);
        QCOMPARE(n->background(), QColor(10, 20, 30));
        QCOMPARE(n->letterSet(), QString("AHU"));
        // The filter starts off: every picture file is in the list.
        QCOMPARE(control<QLabel>(n, "Label7")->text(), QString(" 3 Nomen "));
        QCOMPARE(n->previewList(), QStringList());
    }

    void badNinthLineKeepsTheSample() {
        MenuFixture f;
        f.addNumbered(3);
        f.dir.addFile(settings::kFileName,
                      " 1 \r\n 1 \r\n 1 \r\n 1 \r\n 2 \r\n 3 \r\n 40 \r\n 50 \r\n 300 \r\nAB\r\n");
        QVERIFY(f.start());
        Form1 *m = f.menu();
        QCOMPARE(m->consonantColour(), 2);
        QCOMPARE(control<QScrollBar>(m, "VScroll2")->value(), 50);
        QCOMPARE(control<QScrollBar>(m, "VScroll3")->value(), 0);
        QCOMPARE(m->letterSet(), QString());
    }

    void unsavableSettingsAreToldAndTheProgramStillEnds() {
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        QDir().mkdir(settings::kFileName); // a folder where the file should go
        f.dialogs.answers << true;
        click(control<QPushButton>(f.menu(), "Command1"));
        QCOMPARE(f.dialogs.last().text.section('\r', 0, 0),
                 QString("Die Einstellungen konnten nicht gespeichert werden."));
        QVERIFY(f.ended);
    }

    void fullDiskIsToldAndTheOldSettingsStay_data() {
        QTest::addColumn<bool>("byTitleBar");
        QTest::newRow("Beenden") << false;
        QTest::newRow("title bar") << true;
    }
    void fullDiskIsToldAndTheOldSettingsStay() {
        QFETCH(bool, byTitleBar);
        MenuFixture f;
        TmpfsMount fs;
        if (!fs.mounted())
            QSKIP(fs.reason().constData());
        QDir::setCurrent(fs.path());
        const QByteArray old(
            " 0 \r\n 1 \r\n 0 \r\n 1 \r\n 3 \r\n 4 \r\n 5 \r\n 6 \r\n 7 \r\nEI\r\n");
        for (const QString name : {"derNomen0.jpg", "derNomen1.jpg", "derNomen2.jpg"}) {
            QFile p(name);
            QVERIFY(p.open(QIODevice::WriteOnly) && p.write("x") == 1);
        }
        QFile ini(settings::kFileName);
        QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write(old) == old.size());
        ini.close();
        QVERIFY(f.start());
        QVERIFY(fs.fill());
        f.dialogs.answers << true;
        if (byTitleBar)
            f.menu()->closeByTitleBar();
        else
            click(control<QPushButton>(f.menu(), "Command1"));
        QVERIFY(f.ended);
        QCOMPARE(readFile(settings::kFileName).toLatin1(), old);
        // Besides the exit question or the closing message:
        QCOMPARE(f.dialogs.boxes.size(), 2);
        const auto &told = f.dialogs.boxes[byTitleBar ? 0 : 1];
        QCOMPARE(told.text, QString("Die Einstellungen konnten nicht gespeichert werden.\r\r"));
        QCOMPARE(told.title, QString("Kalimbo"));
    }

    void startsWithAPipeNamedLikeTheSettings() {
        MenuFixture f;
        f.addNumbered(3);
        QCOMPARE(::mkfifo(settings::kFileName, 0644), 0);
        PipeWatchdog watchdog(f.dir.filePath(settings::kFileName));
        QVERIFY(f.start());
        QVERIFY2(!watchdog.stop(), "the start waited for a writer to the pipe");
        Form1 *m = f.menu();
        QVERIFY(m->isVisible());
        QVERIFY(control<QCheckBox>(m, "Check2")->isChecked() &&
                control<QCheckBox>(m, "Check5")->isChecked());
        QCOMPARE(m->consonantColour(), 10);
    }

    void readingScreenFollowsThePictureOption() {
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        Form1 *m = f.menu();
        auto *option = control<QCheckBox>(m, "Check6");
        option->setChecked(true); // before the reading screen exists
        click(control<QPushButton>(m, "Command2"));
        auto *reading = dynamic_cast<Form2 *>(f.program->existing(ScreenId::Form2));
        QVERIFY(reading && reading->isVisible());
        auto *pictures = control<QCheckBox>(reading, "Check1");
        QVERIFY(pictures->isChecked());
        pictures->setChecked(false); // the child's switch writes the option back
        QVERIFY(!option->isChecked());
        // The teacher's option, set while the reading screen is hidden, sets
        // its switch when it comes back.
        click(control<QPushButton>(reading, "Command1"));
        option->setChecked(true);
        click(control<QPushButton>(m, "Command2"));
        QVERIFY(pictures->isChecked() && control<PictureFrame>(reading, "Image1")->isVisible());
    }

    void aboutBoxAndLog() {
        MenuFixture f;
        f.addNumbered(3);
        QVERIFY(f.start());
        Form1 *m = f.menu();
        QTest::mouseClick(control<QLabel>(m, "Picture2"), Qt::LeftButton);
        Screen *about = f.program->existing(ScreenId::TrvLabel);
        QVERIFY(about && about->isVisible());
        QVERIFY(!m->isVisible());
        QCOMPARE(about->windowTitle(), QString("Kalimbo"));
        about->closeByTitleBar();
        QVERIFY(m->isVisible());
        QTRY_VERIFY(!f.program->existing(ScreenId::TrvLabel));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
