// The child's records beyond single answers: memory pairs, a folder that
// cannot be written, and missed nouns first when the teacher asks for practice.

#include "exercises/Form3.h"
#include "exercises/Form9.h"
#include "games/memo.h"
#include "records/recordstore.h"
#include "support/windowfixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

static const QDateTime kNow(QDate(2024, 3, 14), QTime(10, 0));

class ExRecordsTest : public QObject {
    Q_OBJECT
private slots:
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
        QStringList got; // entry, right, given
        for (const records::Record &r : kept)
            got << QStringList{r.entry, QString::number(r.right), r.given}.join(u'|');
        const QString entry = cards[0] == "Hund" ? "derHund.jpg" : "dieKatze.jpg";
        QCOMPARE(got, (QStringList{entry + "|0|" + cards[0] + ", " + cards[other - 1],
                                   entry + "|1|" + cards[0] + ", " + cards[0]}));
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
