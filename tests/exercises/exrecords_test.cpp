// Every judged answer is kept once in the child's records, beside an
// unchanged log; missed nouns come first when the teacher asks for practice.

#include "exercises/Form3.h"
#include "exercises/Form9.h"
#include "exercises/choicescreen.h"
#include "exercises/writingscreen.h"
#include "games/galgen.h"
#include "games/gamewidgets.h"
#include "games/memo.h"
#include "records/recordstore.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDateTime kNow(QDate(2024, 3, 14), QTime(10, 0));

QPushButton *button(QWidget *w, const QString &text) {
    for (QPushButton *b : w->findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

/// Opens the screen on derHund.jpg and gives one right or wrong answer.
void answer(WindowFixture &f, ScreenId id, bool right) {
    f.p.randomRec.pushIndex(0, 2);
    Screen *s = f.p.screen(id);
    f.p.showScreen(id);
    switch (id) {
    case ScreenId::Form3:
        button(s, right ? "der" : "die")->click();
        break;
    case ScreenId::Form4:
        button(s, right ? "einen" : "ein")->click();
        break;
    case ScreenId::Form5:
    case ScreenId::Form6: {
        auto *w = static_cast<ChoiceScreen *>(s);
        if (!right)
            control<QPushButton>(w, "Command6")->click(); // from Hund to Katze
        QTest::mouseClick(id == ScreenId::Form5
                              ? static_cast<QWidget *>(control<Canvas>(w, "Picture1"))
                              : control<PictureFrame>(w, "Image1"),
                          Qt::LeftButton);
        break;
    }
    case ScreenId::Form9:
    case ScreenId::Form10:
        control<QLineEdit>(s, "Text1")->setText(right ? "Hund" : "Hx");
        break;
    case ScreenId::Galgen: {
        auto *board = control<QListWidget>(s, "Liste1");
        const QChar letter = right ? u'N' : u'Z';
        for (int i = 0; i < board->count(); ++i)
            if (board->item(i)->text().at(1) == letter)
                clickItem(board, board->item(i));
        break;
    }
    default: // reading: showing a noun is the answer
        break;
    }
}

} // namespace

class ExRecordsTest : public QObject {
    Q_OBJECT
private slots:
    void oneRecordPerAnswer_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("list");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("given");
        auto row = [](const char *name, ScreenId id, LogList l, bool right, const char *given) {
            QTest::newRow(name) << int(id) << int(l) << right << QString(given);
        };
        row("reading", ScreenId::Form2, LogList::Lesen, true, "");
        row("article right", ScreenId::Form3, LogList::Begleiter, true, "der");
        row("article wrong", ScreenId::Form3, LogList::Begleiter, false, "die");
        row("Ich sehe right", ScreenId::Form4, LogList::Ergaenzen, true, "einen");
        row("Ich sehe wrong", ScreenId::Form4, LogList::Ergaenzen, false, "ein");
        row("word right", ScreenId::Form5, LogList::Wortwahl, true, "Hund");
        row("word wrong", ScreenId::Form5, LogList::Wortwahl, false, "Katze");
        row("picture right", ScreenId::Form6, LogList::Bildwahl, true, "derHund.jpg");
        row("picture wrong", ScreenId::Form6, LogList::Bildwahl, false, "dieKatze.jpg");
        row("copy right", ScreenId::Form9, LogList::Abschrift, true, "Hund");
        row("copy wrong", ScreenId::Form9, LogList::Abschrift, false, "Hx");
        row("dictation right", ScreenId::Form10, LogList::Diktat, true, "Hund");
        row("dictation wrong", ScreenId::Form10, LogList::Diktat, false, "Hx");
        row("hangman hit", ScreenId::Galgen, LogList::Galgen, true, "N");
        row("hangman miss", ScreenId::Galgen, LogList::Galgen, false, "Z");
    }

    void oneRecordPerAnswer() {
        QFETCH(int, screen);
        QFETCH(int, list);
        QFETCH(bool, right);
        QFETCH(QString, given);
        const QStringList nouns{"derHund.jpg", "dieKatze.jpg"};

        WindowFixture plain(nouns);
        answer(plain, ScreenId(screen), right);

        QTemporaryDir dir;
        records::RecordStore store(dir.path());
        store.now = [] { return kNow; };
        WindowFixture f(nouns);
        f.p.recordStore = &store;
        answer(f, ScreenId(screen), right);

        const QList<records::Record> kept = records::RecordStore::read(store.pathFor("Freund"));
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0].name, QStringLiteral("Freund"));
        QCOMPARE(kept[0].exercise, records::exerciseIds().value(list - 1));
        QCOMPARE(kept[0].entry, QStringLiteral("derHund.jpg"));
        QCOMPARE(kept[0].right, right);
        QCOMPARE(kept[0].given, given);
        // Records change nothing the child sees or the teacher's log shows.
        QCOMPARE(f.p.log(LogList(list)), plain.p.log(LogList(list)));
        QCOMPARE(f.boxes(), plain.boxes());
        QCOMPARE(f.box(), plain.box());
    }

    // In memory the second card of a pair is the answer; the click that
    // turns a wrong pair down is none.
    void memoryPairs() {
        QTemporaryDir dir;
        records::RecordStore store(dir.path());
        WindowFixture f({"derHund.jpg", "dieKatze.jpg"});
        f.p.recordStore = &store;
        auto *w = f.open<memo>(ScreenId::Memo);
        control<QPushButton>(w, "Command3")->click(); // the cards are covered
        const QStringList cards = w->game().cards();
        const int other = int(cards.indexOf(cards[0] == "Hund" ? "Katze" : "Hund")) + 1;
        const int twin = int(cards.lastIndexOf(cards[0])) + 1;
        auto click = [&](int k) {
            QTest::mouseClick(control(w, ("Bezeichnung" + QByteArray::number(k)).constData()),
                              Qt::LeftButton);
        };
        click(1);
        click(other); // no pair
        click(twin);  // turns the two down, opens the twin
        click(1);     // the pair
        const QList<records::Record> kept = records::RecordStore::read(store.pathFor("Freund"));
        QCOMPARE(kept.size(), 2);
        const QString entry = cards[0] == "Hund" ? "derHund.jpg" : "dieKatze.jpg";
        QCOMPARE(kept[0].entry, entry);
        QVERIFY(!kept[0].right);
        QCOMPARE(kept[0].given, cards[0] + ", " + cards[other - 1]);
        QCOMPARE(kept[1].entry, entry);
        QVERIFY(kept[1].right);
        QCOMPARE(kept[1].given, cards[0] + ", " + cards[0]);
    }

    // A folder that cannot be written shows the child no box.
    void writeFailureIsSilentForTheChild() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("Protokolle"));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        records::RecordStore store(blocker.fileName());
        WindowFixture f({"derHund.jpg"});
        f.p.recordStore = &store;
        auto *w = f.open<Form9>(ScreenId::Form9);
        control<QLineEdit>(w, "Text1")->setText("Hund");
        QCOMPARE(f.boxes(), 1);
        QVERIFY(f.box().startsWith("Abschrift | "));
        QVERIFY(!store.isEnabled());
        QVERIFY(!store.problem().isEmpty());
    }

    void practiseMistakesComesFirst_data() {
        QTest::addColumn<bool>("practise");
        QTest::addColumn<bool>("recordsOn");
        QTest::addColumn<int>("rightSince");
        QTest::addColumn<QStringList>("drawn");
        const QStringList plain{"der Hund", "die Katze", "das Haus", "das Auto"};
        const QStringList first{"das Haus", "der Hund", "die Katze", "das Auto"};
        QTest::newRow("off") << false << true << 0 << plain;
        QTest::newRow("on") << true << true << 0 << first;
        QTest::newRow("on, right once since") << true << true << 1 << first;
        QTest::newRow("on, right twice since") << true << true << 2 << plain;
        QTest::newRow("on without records") << true << false << 0 << plain;
    }

    void practiseMistakesComesFirst() {
        QFETCH(bool, practise);
        QFETCH(bool, recordsOn);
        QFETCH(int, rightSince);
        QFETCH(QStringList, drawn);
        QTemporaryDir dir;
        records::RecordStore store(dir.path());
        QDateTime t = kNow.addDays(-6);
        store.now = [&] { return t; };
        store.append("Freund", {"begleiter", "dasHaus.jpg", false, "der"});
        store.append("Andere", {"begleiter", "dasAuto.jpg", false, "der"}); // another child
        for (int i = 0; i < rightSince; ++i) {
            t = t.addSecs(60);
            store.append("Freund", {"diktat", "dasHaus.jpg", true, "Haus"});
        }
        t = kNow;

        WindowFixture f({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg", "dasAuto.jpg"});
        f.p.extras.practiseMistakes = practise;
        f.p.recordStore = recordsOn ? &store : nullptr;
        f.p.randomRec.script << 0.0 << 0.0 << 0.0 << 0.0;
        auto *w = f.open<Form3>(ScreenId::Form3);
        QStringList seen{w->currentEntry()};
        for (int i = 0; i < 3; ++i) {
            control<QPushButton>(w, "Command6")->click();
            seen << w->currentEntry();
        }
        QCOMPARE(seen, drawn);
        // The missed noun takes no random number of its own.
        QCOMPARE(f.p.randomRec.calls, drawn.first() == "das Haus" ? 3 : 4);
    }
};

QTEST_MAIN(ExRecordsTest)
#include "exrecords_test.moc"
