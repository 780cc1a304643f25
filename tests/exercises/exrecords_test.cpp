// The child's records: what counts as an answer on each screen, under which
// name, missed nouns first when the teacher asks for practice, and the card
// box's due cards first while it is on.

#include "exercises/Form2.h"
#include "exercises/Form3.h"
#include "exercises/Form9.h"
#include "games/galgen.h"
#include "games/memo.h"
#include "records/recordstore.h"
#include "support/windowfixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

static const QDateTime kNow(QDate(2024, 3, 14), QTime(10, 0));

class ExRecordsTest : public QObject {
    Q_OBJECT
private slots:
    // One judged answer per noun and attempt: a turn, a letter or a noun
    // looked at is no answer. Each row plays one screen on one noun.
    void oneAnswerPerNounAndAttempt_data() {
        QTest::addColumn<QString>("play");
        QTest::addColumn<QStringList>("kept"); // entry|right|given
        QTest::newRow("reading a noun") << "read" << QStringList{};
        QTest::newRow("article wrong, then right") << "article" << QStringList{"derHund.jpg|0|die"};
        QTest::newRow("copy right at once") << "copy Hund" << QStringList{"derHund.jpg|1|Hund"};
        QTest::newRow("copy after a wrong beginning")
            << "copy Hx Hux Hund" << QStringList{"derHund.jpg|0|Hx"};
        QTest::newRow("copy left after a wrong beginning")
            << "copy Hx leave" << QStringList{"derHund.jpg|0|Hx"};
        QTest::newRow("hangman: misses, then won")
            << "hangman" << QStringList{"derHund.jpg|1|XHUND"};
        QTest::newRow("memory: two turns to the pair")
            << "memory" << QStringList{"derHund.jpg|1|2"};
    }
    void oneAnswerPerNounAndAttempt() {
        QFETCH(QString, play);
        QFETCH(QStringList, kept);
        QTemporaryDir dir;
        records::RecordStore store(dir.path());
        const bool memory = play == "memory";
        WindowFixture f(memory ? QStringList{"derHund.jpg", "dieKatze.jpg"}
                               : QStringList{"derHund.jpg"});
        f.p.recordStore = &store;
        f.p.state().setNameField("Ben"); // greeted so, never confirmed: the answers are Ben's
        if (play == "read") {
            f.open<Form2>(ScreenId::Form2);
        } else if (play == "article") {
            auto *w = f.open<Form3>(ScreenId::Form3);
            control<QPushButton>(w, "Command3")->click(); // die
            control<QPushButton>(w, "Command2")->click(); // der
        } else if (play.startsWith("copy")) {
            auto *w = f.open<Form9>(ScreenId::Form9);
            for (const QString &step : play.split(' ').mid(1)) {
                if (step == "leave")
                    control<QPushButton>(w, "Command1")->click();
                else
                    control<QLineEdit>(w, "Text1")->setText(step);
            }
        } else if (play == "hangman") {
            auto *w = f.open<galgen>(ScreenId::Galgen);
            auto *board = control<QListWidget>(w, "Liste1");
            for (QChar c : QString("XHUND"))
                for (int i = 0; i < board->count(); ++i)
                    if (board->item(i)->text().at(1) == c)
                        w->playKey(board->item(i));
        } else if (memory) {
            auto *w = f.open<memo>(ScreenId::Memo);
            control<QPushButton>(w, "Command3")->click(); // the cards are covered
            const QStringList cards = w->game().cards();
            const int hund = int(cards.indexOf("Hund")) + 1;
            const int katze = int(cards.indexOf("Katze")) + 1;
            const int twin = int(cards.lastIndexOf("Hund")) + 1;
            auto click = [&](int k) {
                QTest::mouseClick(control(w, ("Bezeichnung" + QByteArray::number(k)).constData()),
                                  Qt::LeftButton);
            };
            click(hund);
            click(katze); // no pair: a turn
            click(twin);  // turns the two down, opens the twin
            click(hund);  // the pair, at the second turn
        }
        QStringList got;
        for (const records::Record &r : records::RecordStore::read(store.pathFor("Ben")))
            got << QStringList{r.entry, QString::number(r.right), r.given}.join(u'|');
        QCOMPARE(got, kept);
        QVERIFY(!QFile::exists(store.pathFor("Freund")));
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
        WindowFixture f({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg", "dasAuto.jpg"});
        records::RecordStore store(dir.path(), &f.p.clockRec);
        f.p.clockRec.date = kNow.date().addDays(-6);
        f.p.clockRec.seconds = kNow.time().msecsSinceStartOfDay() / 1000.0;
        store.append("Freund", {"begleiter", "dasHaus.jpg", false, "der"});
        store.append("Andere", {"begleiter", "dasAuto.jpg", false, "der"}); // another child
        for (int i = 0; i < rightSince; ++i) {
            f.p.clockRec.seconds += 60;
            store.append("Freund", {"diktat", "dasHaus.jpg", true, "Haus"});
        }
        f.p.clockRec.date = kNow.date();
        f.p.clockRec.seconds = kNow.time().msecsSinceStartOfDay() / 1000.0;

        f.p.state().setNameField("Freund");
        f.p.changeExtras([&](Extras &e) { e.practiseMistakes = practise; });
        f.p.recordStore = recordsOn ? &store : nullptr;
        f.p.randomRec.script << 0.0 << 0.0 << 0.0 << 0.0;
        auto *w = f.open<Form3>(ScreenId::Form3);
        QStringList seen{w->shownEntry()};
        for (int i = 0; i < 3; ++i) {
            control<QPushButton>(w, "Command6")->click();
            seen << w->shownEntry();
        }
        QCOMPARE(seen, drawn);
        // The missed noun takes no random number of its own.
        QCOMPARE(f.p.randomRec.calls, drawn.first() == "das Haus" ? 3 : 4);
    }

    // With the card box on, a session of the article choice begins with the
    // due cards (lowest compartment first), then the new nouns, each without
    // a random number; then the pass goes on as ever. Off, or without
    // records, every draw is the plain one. Leaving ends the session: the
    // cards not reached wait, and with the box switched off meanwhile the
    // draws are plain again.
    void cardBoxComesFirst_data() {
        QTest::addColumn<bool>("cardBox");
        QTest::addColumn<bool>("recordsOn");
        QTest::addColumn<bool>("leave");
        QTest::addColumn<QStringList>("drawn");
        const QStringList plain{"der Hund", "die Katze", "das Haus", "das Auto"};
        QTest::newRow("off") << false << true << false << plain;
        QTest::newRow("on") << true << true << false
                            << QStringList{"die Katze", "das Haus", "das Auto", "der Hund"};
        QTest::newRow("on without records") << true << false << false << plain;
        QTest::newRow("left, switched off, back")
            << true << true << true << QStringList{"die Katze", "der Hund", "das Haus", "das Auto"};
    }
    void cardBoxComesFirst() {
        QFETCH(bool, cardBox);
        QFETCH(bool, recordsOn);
        QFETCH(bool, leave);
        QFETCH(QStringList, drawn);
        QTemporaryDir dir;
        WindowFixture f({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg", "dasAuto.jpg"});
        records::RecordStore store(dir.path(), &f.p.clockRec);
        auto answer = [&](int daysAgo, const char *entry, bool right) {
            f.p.clockRec.date = kNow.date().addDays(-daysAgo);
            store.append("Mia", {"begleiter", entry, right, right ? "der" : "die"});
        };
        answer(5, "dasHaus.jpg", true);   // compartment 2, due since 4 days
        answer(2, "dieKatze.jpg", false); // compartment 1, due since 2 days
        answer(0, "derHund.jpg", true);   // compartment 2, due tomorrow
        f.p.clockRec.seconds += 60;
        f.p.setChild("Mia");
        f.p.changeExtras([&](Extras &e) {
            e.keepRecords = recordsOn;
            e.cardBox = cardBox;
        });
        f.p.recordStore = recordsOn ? &store : nullptr;
        f.p.randomRec.script = QList<double>(4, 0.0);
        auto *w = f.open<Form3>(ScreenId::Form3);
        QStringList seen{w->shownEntry()};
        if (leave) {
            control<QPushButton>(w, "Command1")->click();
            f.p.changeExtras([](Extras &e) { e.cardBox = false; });
            f.open<Form3>(ScreenId::Form3);
            seen << w->shownEntry();
        }
        while (seen.size() < 4) {
            control<QPushButton>(w, "Command6")->click();
            seen << w->shownEntry();
        }
        QCOMPARE(seen, drawn);
        QCOMPARE(f.p.randomRec.calls, int(drawn.size() - drawn.indexOf("der Hund")));
    }
};

QTEST_MAIN(ExRecordsTest)
#include "exrecords_test.moc"
