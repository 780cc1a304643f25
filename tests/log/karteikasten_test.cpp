// The teacher's table of a child's card box: reached from the report while
// the card box is on, every noun's two cards with their compartments and
// when they come back, nouns without a picture greyed, and a noun put back
// into the first compartment by a line in the records that no report counts.

#include "log/karteikasten.h"
#include "log/verlauf.h"
#include "records/recordstore.h"
#include "support/windowfixture.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class KarteikastenTest : public QObject {
    Q_OBJECT
private slots:
    void tableAndPutBack_data() {
        QTest::addColumn<bool>("cardBox");
        QTest::newRow("card box on") << true;
        QTest::newRow("card box off") << false;
    }
    void tableAndPutBack() {
        QFETCH(bool, cardBox);
        QTemporaryDir dir;
        WindowFixture f({"derHund.jpg", "dieKatze.jpg"});
        FakeProgram &p = f.p;
        records::RecordStore store(dir.filePath("Protokolle"), &p.clockRec);
        p.recordStore = &store;
        const QDate today = p.clockRec.date;
        p.clockRec.date = today.addDays(-2);
        store.append("Mia", {"begleiter", "derHund.jpg", true, "der"});
        store.append("Mia", {"diktat", "derHund.jpg", false, "Hunt"});
        store.append("Mia", {"begleiter", "dasHaus.jpg", false, "der"}); // its picture is gone
        p.clockRec.date = today;
        store.append("Mia", {"ergaenzen", "dieKatze.jpg", true, "eine"});
        p.clockRec.seconds += 60;
        p.setChild("Mia");
        p.changeExtras([&](Extras &e) {
            e.keepRecords = true;
            e.cardBox = cardBox;
        });
        p.showScreen(ScreenId::Verlauf);
        auto *v = screenAs<Verlauf>(p, ScreenId::Verlauf);
        QTRY_VERIFY(!v->isReading());
        auto *open = control<QPushButton>(v, "Command4");
        QCOMPARE(open->isVisible(), cardBox);
        if (!cardBox)
            return;
        open->click();
        auto *table = v->findChild<Karteikasten *>();
        QVERIFY(table && table->isVisible());
        const QString tomorrow = today.addDays(1).toString("dd.MM.");
        QCOMPARE(table->rows(), (QStringList{"das Haus (kein Bild) | Fach 1, fällig | ",
                                             "der Hund | Fach 2, fällig | Fach 1, fällig",
                                             "die Katze | Fach 2, ab " + tomorrow + " | "}));

        auto *faecher = control<QTableWidget>(table, "Faecher");
        faecher->selectRow(2);
        control<QPushButton>(table, "Zurueck")->click();
        QCOMPARE(table->rows().last(),
                 QStringLiteral("die Katze | Fach 1, fällig | Fach 1, fällig"));
        const QList<records::Record> kept = records::RecordStore::read(store.pathFor("Mia"));
        QCOMPARE(kept.last().exercise, QStringLiteral("zurueck"));
        QCOMPARE(kept.last().entry, QStringLiteral("dieKatze.jpg"));
        // The report reads again and counts only the child's four answers.
        QTRY_VERIFY(!v->isReading());
        QCOMPARE(v->report().overall.total(), 4);
    }
};

QTEST_MAIN(KarteikastenTest)
#include "karteikasten_test.moc"
