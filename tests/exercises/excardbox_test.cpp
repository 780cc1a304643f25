// The card box seen by the child: after a session the cards that moved on
// slide into their compartments in a small window that closes on a click;
// nothing shows while the box is off, after a session that moved nothing, or
// when the program ends. Hangman, too, begins with the due spelling cards
// and shows the cards that moved on.

#include "exercises/Form3.h"
#include "games/galgen.h"
#include "program/fortschritt.h"
#include "records/recordstore.h"
#include "support/windowfixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

Fortschritt *progressWindow() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<Fortschritt *>(w); f && f->isVisible())
            return f;
    return nullptr;
}

} // namespace

class ExCardBoxTest : public QObject {
    Q_OBJECT
private slots:
    void progressAfterASession_data() {
        QTest::addColumn<bool>("cardBox");
        QTest::addColumn<QString>("answers"); // buttons clicked, in turn
        QTest::addColumn<QString>("leave");   // "abbruch", "title bar" or "end"
        QTest::addColumn<QString>("moved");   // entry from>to, furthest first
        QTest::newRow("left by Abbruch") << true << "die der das das"
                                         << "abbruch"
                                         << "dasAuto.jpg 0>2, dieKatze.jpg 1>2";
        QTest::newRow("closed by the title bar") << true << "die"
                                                 << "title bar"
                                                 << "dieKatze.jpg 1>2";
        QTest::newRow("nothing moved on") << true << "der"
                                          << "abbruch"
                                          << "";
        QTest::newRow("box off") << false << "die der das das"
                                 << "abbruch"
                                 << "";
        QTest::newRow("program ends") << true << "die"
                                      << "end"
                                      << "";
    }
    void progressAfterASession() {
        QFETCH(bool, cardBox);
        QFETCH(QString, answers);
        QFETCH(QString, leave);
        QFETCH(QString, moved);
        QTemporaryDir dir;
        std::unique_ptr<records::RecordStore> kept; // outlives the program
        auto f = std::make_unique<WindowFixture>(
            QStringList{"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg", "dasAuto.jpg"});
        FakeProgram &p = f->p;
        kept = std::make_unique<records::RecordStore>(dir.path(), &p.clockRec);
        records::RecordStore &store = *kept;
        const QDate today = p.clockRec.date;
        auto answer = [&](int daysAgo, const char *entry, bool right) {
            p.clockRec.date = today.addDays(-daysAgo);
            store.append("Mia", {"begleiter", entry, right, QString()});
        };
        answer(2, "dasHaus.jpg", true);   // compartment 2, due
        answer(1, "dieKatze.jpg", false); // compartment 1, due
        answer(0, "derHund.jpg", true);   // compartment 2, due tomorrow
        p.clockRec.seconds += 60;
        p.setChild("Mia");
        p.recordStore = &store;
        p.changeExtras([&](Extras &e) {
            e.keepRecords = true;
            e.cardBox = cardBox;
        });
        p.setOption(Option::Bestaetigungen, false);
        auto *w = f->open<Form3>(ScreenId::Form3); // Katze, Haus, then the new Auto
        const QMap<QString, const char *> buttons{
            {"der", "Command2"}, {"die", "Command3"}, {"das", "Command4"}};
        for (const QString &a : answers.split(' '))
            control<QPushButton>(w, buttons[a])->click();
        if (leave == "abbruch")
            control<QPushButton>(w, "Command1")->click();
        else if (leave == "title bar")
            w->closeByTitleBar();
        else
            f.reset();
        QCoreApplication::processEvents();
        Fortschritt *shown = progressWindow();
        QStringList got;
        if (shown)
            for (const records::CardMove &m : shown->moves())
                got << QString("%1 %2>%3").arg(m.entry).arg(m.from).arg(m.to);
        QCOMPARE(got.join(", "), moved);
        if (!shown)
            return;
        if (leave == "abbruch") { // the cards come to rest, drawn where they go
            QTRY_COMPARE(shown->slid(), 1.0);
            shown->grab();
        }
        QPointer<Fortschritt> gone(shown);
        QTest::mouseClick(shown, Qt::LeftButton);
        WindowFixture::flushDeletes();
        QVERIFY(gone.isNull());
    }

    // Hangman begins a session with the due spelling cards too, without a
    // random number (the generator is reseeded as ever); off, it draws.
    void hangmanBeginsWithDueCards_data() {
        QTest::addColumn<bool>("cardBox");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void hangmanBeginsWithDueCards() {
        QFETCH(bool, cardBox);
        QTemporaryDir dir;
        WindowFixture f({"derHund.jpg", "dieKatze.jpg"});
        records::RecordStore store(dir.path(), &f.p.clockRec);
        f.p.clockRec.date = f.p.clockRec.date.addDays(-1);
        store.append("Mia", {"diktat", "dieKatze.jpg", false, "Kaze"});
        store.append("Mia", {"diktat", "derHund.jpg", true, "Hund"}); // due today
        f.p.clockRec.date = f.p.clockRec.date.addDays(1);
        f.p.setChild("Mia");
        f.p.recordStore = &store;
        f.p.changeExtras([&](Extras &e) {
            e.keepRecords = true;
            e.cardBox = cardBox;
        });
        f.p.randomRec.script = {0.0};
        auto *w = f.open<galgen>(ScreenId::Galgen);
        QCOMPARE(w->game().secret(), cardBox ? QStringLiteral("Katze") : QStringLiteral("Hund"));
        QCOMPARE(f.p.randomRec.calls, cardBox ? 0 : 1);
        QCOMPARE(f.p.randomRec.seeds.size(), 1);
        QCOMPARE(w->wordPool(), QStringList{cardBox ? "derHund.jpg" : "dieKatze.jpg"});

        // A round won moves the card on; leaving the game the child sees it.
        auto *board = control<LetterBoard>(w, "Liste1");
        for (const QChar letter : w->game().secret().toUpper())
            for (int i = 0; i < board->count(); ++i)
                if (board->item(i)->text().at(1) == letter && !board->item(i)->isSelected()) {
                    board->item(i)->setSelected(true);
                    w->playKey(board->item(i));
                    break;
                }
        QVERIFY(f.p.dialogsRec.lastText().contains("Versuche"));
        control<QPushButton>(w, "Befehl1")->click();
        QCoreApplication::processEvents();
        Fortschritt *shown = progressWindow();
        QCOMPARE(shown != nullptr, cardBox);
        if (shown) {
            QCOMPARE(shown->moves().size(), 1);
            QCOMPARE(shown->moves()[0].entry, QString("dieKatze.jpg"));
            QCOMPARE(shown->moves()[0].from, 1);
            QCOMPARE(shown->moves()[0].to, 2);
            shown->close();
        }
    }
};

QTEST_MAIN(ExCardBoxTest)
#include "excardbox_test.moc"
