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
#include <optional>
#include <sys/stat.h>

namespace {

QByteArray readFile(const char *name) {
    QFile f(QString::fromLatin1(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

const char *const kIni = settings::kFileName;

bool writeFile(const char *name, const QByteArray &bytes) {
    QFile f(QString::fromLatin1(name));
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

/// Which side panels are in ("C"olours, "L"etters, "O"ptions, "H"igh options,
/// "N"ame) and "F" when the filter is on; "?" for a panel between places.
QString panels(const MenuFixture &f) {
    auto place = [](int pos, std::initializer_list<std::pair<int, const char *>> known) {
        for (const auto &[twipsPos, letter] : known)
            if (pos == twips::px(twipsPos))
                return QString(letter);
        return QStringLiteral("?");
    };
    return place(f.get("Picture3")->x(), {{11040, ""}, {3840, "C"}}) +
           place(f.get("Picture4")->x(), {{11040, ""}, {3840, "L"}}) +
           place(f.get("Picture5")->y(), {{8400, ""}, {1680, "O"}, {400, "H"}}) +
           place(f.get("Picture6")->x(), {{11040, ""}, {5640, "N"}}) +
           (f.get<QCheckBox>("Check1")->isChecked() ? "F" : "");
}

/// The settings as the menu shows them, in the order of the settings file.
QString shownSettings(Form1 *m, const Program &p) {
    QStringList s;
    for (const char *c : {"Check2", "Check3", "Check4", "Check5"})
        s << QString::number(control<QCheckBox>(m, c)->isChecked());
    s << QString::number(p.consonantColour()) << QString::number(p.vowelColour());
    for (const char *c : {"VScroll1", "VScroll2", "VScroll3"})
        s << QString::number(control<QScrollBar>(m, c)->value());
    return s.join(' ') + ' ' + m->letterSet();
}

} // namespace

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
        QStringList shown{f.get<QLineEdit>("Text1")->text()};
        for (const char *label : {"Label7", "Label5", "Label8"})
            shown << f.get<QLabel>(label)->text();
        QCOMPARE(shown, QStringList({"Gast", " 3 Nomen ", "Freund", "09.03.2026"}));
        QCOMPARE(f.program->nounList(),
                 (QStringList{"dasHaus.bmp", "derHund.jpg", "dieKatze.GIF"}));
        QCOMPARE(f.get<QListWidget>("List1")->count(), 30);
        QVERIFY(f.dialogs.boxes.isEmpty());
    }

    void endsWithoutPictures() {
        MenuFixture f;
        f.addFiles({"readme.txt", "derHund.png"});
        QVERIFY(!f.start());
        QCOMPARE(f.dialogs.boxes.size(), 1);
        QCOMPARE(f.dialogs.last().title + ": " + f.dialogs.last().text,
                 QString("Programmabbruch: Es wurden keine Bilddateien gefunden!\r"
                         "Das Programm ist nicht funktionsfähig!\r"));
        QVERIFY(!f.menu()->isVisible());
        QVERIFY(!QFile::exists(kIni));
    }

    // Each control opens its window from its least number of nouns on, and
    // with one noun fewer tells why under the window's title.
    void launches_data() {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("least");
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("title"); // of the refusal; none when one noun is enough
        auto row = [](const char *name, int least, ScreenId window, const char *title = "") {
            QTest::newRow(name) << QByteArray(name) << least << int(window) << QString(title);
        };
        row("Command2", 3, ScreenId::Form2, "Nomen");
        row("Command3", 1, ScreenId::Form3);
        row("Command10", 1, ScreenId::Form4);
        row("Command13", 10, ScreenId::Form5, "Wortwahl");
        row("Command16", 10, ScreenId::Form6, "Bildwahl");
        row("Command11", 1, ScreenId::Form9);
        row("Command12", 1, ScreenId::Form10);
        row("Command14", 1, ScreenId::Galgen);
        row("Command17", 9, ScreenId::Memo, "Memory");
        row("Command18", 1, ScreenId::Fang);
        row("Command19", 1, ScreenId::Form7);
        row("Command20", 5, ScreenId::Form8, "A B C");
        row("Command22", 9, ScreenId::Drucken1, "Lernkärtchen"); // counts all picture files
        row("Command28", 16, ScreenId::Drucken2, "Lernkärtchen");
        row("Command29", 9, ScreenId::Drucken3, "Lernkärtchen");
        row("Command15", 1, ScreenId::Form11);
        row("Picture2", 1, ScreenId::TrvLabel); // the about box
    }
    void launches() {
        QFETCH(QByteArray, control);
        QFETCH(int, least);
        QFETCH(int, window);
        QFETCH(QString, title);
        for (int nouns = title.isEmpty() ? least : least - 1; nouns <= least; ++nouns) {
            MenuFixture f;
            Form1 *m = f.startWith(nouns);
            QVERIFY(m);
            if (f.get(control)->parentWidget() != m)
                f.click("Command21"); // the worksheet buttons sit on the options panel
            f.click(control);
            if (nouns < least) {
                QCOMPARE(f.dialogs.boxes.size(), 1);
                QCOMPARE(f.dialogs.last().title + ": " + f.dialogs.last().text,
                         title + ": " +
                             (title == "Lernkärtchen"
                                  ? QString("Es müssen mindestens %1 Nomen vorhanden sein!\r\r")
                                        .arg(least)
                                  : QString("Es sind zu wenig Wörter vorhanden,\r"
                                            "bitte die Filterauswahl kontrollieren!\r")));
                QVERIFY(m->isVisible());
                continue;
            }
            // The window may greet the child; the launch itself says nothing.
            for (const auto &box : f.dialogs.boxes)
                QVERIFY2(!box.text.contains("vorhanden"), qPrintable(box.text));
            Screen *s = f.program->existing(ScreenId(window));
            QVERIFY(s && s->isVisible() && !m->isVisible());
        }
    }

    // The worksheets count all picture files, not the filtered list.
    void emptyFilteredListRefusesOneNounExercises() {
        MenuFixture f;
        QVERIFY(f.startWith(9));
        f.get<QCheckBox>("Check4")->setChecked(true);
        f.click("Command8"); // "Laute": the filter goes on, no letters -> message, off again
        QCOMPARE(
            f.dialogs.last().title + f.dialogs.last().text,
            QString(
                "Filter: Der Filter erzeugt keine Wörter!\rFilter wird wieder abgeschaltet.\r"));
        QVERIFY(!f.get<QCheckBox>("Check1")->isChecked());
        QCOMPARE(f.get<QLabel>("Label7")->text(), QString(" 9 Nomen "));
        // A letter change that empties the list while the panel is open shows nothing.
        f.dialogs.clear();
        f.get<QListWidget>("List1")->item(0)->setSelected(true); // A
        QCOMPARE(f.get<QLabel>("Label7")->text(), QString(" 0 Nomen "));
        QVERIFY(f.dialogs.boxes.isEmpty());
        f.click("Command3"); // "Begleiter" with the list empty
        QCOMPARE(f.dialogs.last().title + ": " + f.dialogs.last().text,
                 QString("Begleiter: Es sind keine Wörter vorhanden.\r"
                         "bitte die Filterwahl kontrollieren!\r"));
        f.dialogs.clear();
        f.click("Command21");
        f.click("Command22");
        QVERIFY2(f.dialogs.boxes.isEmpty(), qPrintable(f.dialogs.lastText()));
    }

    // The side panels replace one another. A row names the controls clicked
    // in turn (Command15 goes to the log and back), then the panels that are in
    // (see panels()), "!" when a switched-off option is told. Every letter is chosen, so the filter
    // stays on once the letter panel has turned it on; closing that panel turns it on again.
    void panelsSlide_data() {
        QTest::addColumn<QString>("in");
        const QString rows = QStringLiteral(
            "Command4 Command8: LF; Command8 Command4: CF; Command4 Command4: ; "
            "Command8 Command8: F; Command8 Command9: N; Command4 Command9: N; "
            "Command9 Command4: C; Command9 Command8: LF; Command9 Command9: ; "
            "Command9 Command24: ; Command9 Command25: ; Command4 Command21: O; "
            "Command8 Command21: OF; Command9 Command21: O; Command21 Command21: ; "
            "Command21 Command23: H; Command21 Command23 Command21: ; Command21 Command27: ; "
            "Command21 Command4: C; Command21 Command8: LF; Command21 Command9: N; "
            "Command8 Command5: F; Command8 Command26: F; Command8 Check1 Command5: F; "
            "Command8 Command2: F; Command4 Command15: ; Command8 Command15: F; "
            "Command21 Command15: ; Command9 Command15: N; "
            "Check3 Command4: !; Check4 Command8: !; Check5 Command9: !");
        for (const QString &row : rows.split(QStringLiteral("; ")))
            QTest::newRow(qPrintable(row)) << row.section(QStringLiteral(": "), 1);
    }
    void panelsSlide() {
        QFETCH(QString, in);
        MenuFixture f;
        f.addFiles({"derHund.jpg", "dieHand.gif", "dasHaus.bmp"});
        QVERIFY(f.start());
        f.get<QCheckBox>("Check3")->setChecked(true);
        f.get<QCheckBox>("Check4")->setChecked(true);
        f.click("Command6"); // "A l l e" with the letter panel still closed
        for (const QString &c : QString(QTest::currentDataTag()).section(": ", 0, 0).split(' ')) {
            f.click(qPrintable(c));
            if (c == "Command15")
                control<QPushButton>(f.program->existing(ScreenId::Form11), "Command1")->click();
        }
        QString told;
        for (const auto &box : f.dialogs.boxes)
            told += box.title == "Optionen" && box.text == "Diese Option wurde abgeschaltet.\r\r"
                        ? "!"
                        : "?";
        QCOMPARE(panels(f) + told, in);
    }

    // Only "Fertig!" takes the name, and a new name starts a new log. A
    // deleted name comes back as a selected "Gast", so typing replaces it.
    void nameIsConfirmedByFertig_data() {
        QTest::addColumn<QString>("name"); // empty: the name as "Name" shows it
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("key");
        QTest::newRow("backspace at the end") << "A" << 1 << int(Qt::Key_Backspace);
        QTest::newRow("delete at the start") << "A" << 0 << int(Qt::Key_Delete);
        QTest::newRow("whole name selected") << "" << 0 << int(Qt::Key_Backspace);
    }
    void nameIsConfirmedByFertig() {
        QFETCH(QString, name);
        QFETCH(int, cursor);
        QFETCH(int, key);
        MenuFixture f;
        QVERIFY(f.startWith(3));
        auto *text = f.get<QLineEdit>("Text1");
        Form11::appendTo(*f.program, LogList::Lesen, "Hund");
        auto *log = dynamic_cast<Form11 *>(f.program->existing(ScreenId::Form11));
        f.click("Command9");
        text->setText("Mia");
        f.click("Command24"); // "X"
        QCOMPARE(f.get<QLabel>("Label5")->text(), QString("Freund"));
        QCOMPARE(log->lines(LogList::Lesen).size(), 1);
        f.click("Command9");
        if (!name.isEmpty()) {
            text->setText(name);
            text->setCursorPosition(cursor);
        }
        QTest::keyClick(text, Qt::Key(key));
        QCOMPARE(text->selectedText(), QString("Gast"));
        QTest::keyClicks(text, "Anna");
        f.click("Command25");
        QCOMPARE(f.get<QLabel>("Label5")->text(), QString("Anna"));
        QCOMPARE(log->lines(LogList::Lesen).size(), 0);
    }

    void colours() {
        MenuFixture f;
        Form1 *m = f.startWith(3);
        QVERIFY(m);
        f.get<QScrollBar>("VScroll1")->setSliderPosition(255); // also while dragging
        QCOMPARE(f.program->background(), QColor(255, 0, 0));
        // "Hintergrund" is drawn with its vowels in the vowel colour.
        const QImage img = f.get<Canvas>("Hintergrund")->image();
        QVERIFY(countColour(img, palette::colour(12)) > 0);
        QVERIFY(countColour(img, palette::colour(10)) > 0);
        m->colourChoice(4500, 700);
        m->colourChoice(0, 2200);
        m->colourChoice(1000, 1500); // between the rows: nothing
        QCOMPARE(std::pair(f.program->consonantColour(), f.program->vowelColour()),
                 std::pair(15, 0));
        QCOMPARE(f.get("Shape2")->palette().color(QPalette::Window), palette::colour(15));
        // Through the mouse: a press on the panel at the box of colour 2.
        f.get<QCheckBox>("Check3")->setChecked(true);
        f.click("Command4");
        QTest::mousePress(f.get<Canvas>("Picture3"), Qt::RightButton, {}, QPoint(2 * 20 + 10, 50));
        QCOMPARE(f.program->consonantColour(), 2);
    }

    // Both ways out save the settings; a file that cannot be written is told
    // and the program still ends.
    void endingSavesTheSettings_data() {
        QTest::addColumn<bool>("byTitleBar");
        // "folder" in its place, "full" disk, a "link" to another file
        QTest::addColumn<QString>("blocker");
        for (const char *b : {"", "folder", "full", "link"}) {
            QTest::addRow("Beenden %s", b) << false << QString(b);
            QTest::addRow("title bar %s", b) << true << QString(b);
        }
    }
    void endingSavesTheSettings() {
        QFETCH(bool, byTitleBar);
        QFETCH(QString, blocker);
        MenuFixture f;
        std::optional<TmpfsMount> fs;
        const QByteArray old(
            " 0 \r\n 1 \r\n 0 \r\n 1 \r\n 3 \r\n 4 \r\n 5 \r\n 6 \r\n 7 \r\nEI\r\n");
        if (blocker == "full") {
            fs.emplace();
            if (!fs->mounted())
                QSKIP(fs->reason().constData());
            QDir::setCurrent(fs->path());
            for (const char *name : {"derNomen0.jpg", "derNomen1.jpg", "derNomen2.jpg", kIni})
                QVERIFY(writeFile(name, old));
            QVERIFY(f.start() && fs->fill());
        } else {
            QVERIFY(f.startWith(3));
            if (blocker == "folder")
                QDir().mkdir(kIni);
            // A pupil's link to a file of the teacher's is never written through.
            if (blocker == "link")
                QVERIFY(writeFile("Lehrer.rc", old) && QFile::link("Lehrer.rc", kIni));
        }
        const QString question(
            "Kalimbo: Hallo Gast !\r\rMöchtest du dieses Programm jetzt beenden?\r\r");
        if (byTitleBar) {
            f.menu()->closeByTitleBar();
        } else { // "No" keeps the program and writes nothing
            f.dialogs.answers << false;
            f.click("Command1");
            const auto box = f.dialogs.last();
            QCOMPARE(box.title + ": " + box.text, question);
            QVERIFY(box.yesNo && box.defaultNo && !f.ended);
            QCOMPARE(readFile(kIni), blocker == "full" || blocker == "link" ? old : QByteArray());
            f.dialogs.clear();
            f.click("Command1");
        }
        QVERIFY(f.ended);
        // The exit question comes first, the closing message last.
        QStringList said;
        for (const auto &box : f.dialogs.boxes)
            said << box.title + ": " + box.text;
        QStringList want{byTitleBar ? "Kalimbo: Das Programm wird beendet ...\r\r" : question};
        if (!blocker.isEmpty())
            want.insert(byTitleBar ? 0 : 1,
                        "Kalimbo: Die Einstellungen konnten nicht gespeichert werden.\r\r");
        QCOMPARE(said, want);
        QCOMPARE(readFile(kIni),
                 blocker.isEmpty()
                     ? " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 10 \r\n 12 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n"
                 : blocker == "full" || blocker == "link" ? old
                                                          : QByteArray());
    }

    void settingsSurviveARun() {
        MenuFixture f;
        Form1 *m = f.startWith(3);
        QVERIFY(m);
        f.get<QCheckBox>("Check2")->setChecked(false);
        f.get<QCheckBox>("Check3")->setChecked(true);
        f.get<QCheckBox>("Check4")->setChecked(true);
        m->colourChoice(300 * 4, 700);
        m->colourChoice(300 * 9, 2200);
        f.get<QScrollBar>("VScroll1")->setValue(10);
        f.get<QScrollBar>("VScroll2")->setValue(20);
        f.get<QScrollBar>("VScroll3")->setValue(30);
        for (int i : {0, 8, 23}) // A, H, U
            f.get<QListWidget>("List1")->item(i)->setSelected(true);
        f.click("Command1");
        QCOMPARE(readFile(kIni),
                 " 0 \r\n 1 \r\n 1 \r\n 1 \r\n 4 \r\n 9 \r\n 10 \r\n 20 \r\n 30 \r\nAHU\r\n");

        KalimboProgram second(f.dialogs, f.random, f.clock);
        second.onEnd = [] {};
        QVERIFY(second.start());
        QCOMPARE(shownSettings(second.menu(), second), QString("0 1 1 1 4 9 10 20 30 AHU"));
        // The filter starts off: every picture file is in the list.
        QCOMPARE(second.nounList().size(), 3);
        QCOMPARE(second.menu()->previewList(), QStringList());
    }

    // A bad ninth line keeps the sample colour; a FIFO named like the file
    // is never waited for.
    void startsFromAnySettingsFile_data() {
        QTest::addColumn<QByteArray>("file"); // empty: a FIFO
        QTest::addColumn<QString>("shown");
        QTest::newRow("bad ninth line")
            << QByteArray(
                   " 1 \r\n 1 \r\n 1 \r\n 1 \r\n 2 \r\n 3 \r\n 40 \r\n 50 \r\n 300 \r\nAB\r\n")
            << "1 1 1 1 2 3 40 50 0 ";
        QTest::newRow("FIFO") << QByteArray() << "1 0 0 1 10 12 0 0 0 ";
    }
    void startsFromAnySettingsFile() {
        QFETCH(QByteArray, file);
        QFETCH(QString, shown);
        MenuFixture f;
        if (file.isEmpty())
            QCOMPARE(::mkfifo(kIni, 0644), 0);
        else
            f.dir.addFile(kIni, file);
        PipeWatchdog watchdog(f.dir.filePath(kIni));
        Form1 *m = f.startWith(3);
        QVERIFY2(!watchdog.stop(), "the start waited for a writer to the pipe");
        QVERIFY(m && m->isVisible());
        QCOMPARE(shownSettings(m, *f.program), shown);
    }

    // Pictures added or removed while the program runs reach the count, the
    // filter and the model's listeners; a filter left without nouns is
    // switched off as when the teacher sets it so.
    void picturesChangedWhileRunning() {
        MenuFixture f;
        f.addFiles({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg"});
        QVERIFY(f.start());
        int told = 0;
        QObject::connect(&f.program->state(), &MenuState::nounsChanged, [&] { ++told; });
        for (int i : {4, 5, 8, 14, 23}) // D, E, H, N, U
            f.get<QListWidget>("List1")->item(i)->setSelected(true);
        f.get<QCheckBox>("Check1")->setChecked(true);
        QCOMPARE(f.program->nounList(), QStringList({"derHund.jpg"}));
        told = 0;
        f.addFiles({"derHahn.png", "dieHenne.jpg", "dasDach.jpg"});
        f.program->picturesChanged();
        QCOMPARE(told, 1);
        QCOMPARE(f.program->nounList(), QStringList({"derHund.jpg", "dieHenne.jpg"}));
        QCOMPARE(f.program->pictureFiles().size(), 5);
        QCOMPARE(f.get<QLabel>("Label7")->text(), nouns::countCaption(2));
        QVERIFY(f.dialogs.boxes.isEmpty());
        QVERIFY(QFile::remove("dieHenne.jpg") && QFile::remove("derHund.jpg"));
        f.program->picturesChanged();
        QVERIFY(!f.get<QCheckBox>("Check1")->isChecked());
        QCOMPARE(f.program->nounList().size(), 3);
        QCOMPARE(f.dialogs.boxes.size(), 1);
    }

    void readingScreenFollowsThePictureOption() {
        MenuFixture f;
        QVERIFY(f.startWith(3));
        auto *option = f.get<QCheckBox>("Check6");
        option->setChecked(true); // before the reading screen exists
        f.click("Command2");
        auto *reading = dynamic_cast<Form2 *>(f.program->existing(ScreenId::Form2));
        QVERIFY(reading);
        auto *pictures = control<QCheckBox>(reading, "Check1");
        QVERIFY(pictures->isChecked());
        pictures->setChecked(false); // the child's switch writes the option back
        QVERIFY(!option->isChecked());
        // The teacher's option, set while the reading screen is hidden, sets
        // its switch when it comes back.
        control<QPushButton>(reading, "Command1")->click();
        option->setChecked(true);
        f.click("Command2");
        QVERIFY(pictures->isChecked() && control<PictureFrame>(reading, "Image1")->isVisible());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
