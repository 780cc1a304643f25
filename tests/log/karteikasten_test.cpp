// The teacher's table of a child's card box: reached from the report while
// the card box is on, every noun's two cards with their compartments and
// when they come back, nouns without a picture greyed, and a noun put back
// into the first compartment by a line in the records that no report counts.

#include "log/karteikasten.h"
#include "log/verlauf.h"
#include "records/recordstore.h"
#include "support/windowfixture.h"
#include "worksheets/drucken1.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class KarteikastenTest : public QObject {
    Q_OBJECT
private slots:
    // "1. Fach drucken" prints the first compartment's nouns that have their
    // picture as learning cards, on the learning-card sheet's page.
    void tableAndPutBack_data() {
        QTest::addColumn<bool>("cardBox");
        QTest::newRow("card box on") << true;
        QTest::newRow("card box off") << false;
    }
    void tableAndPutBack() {
        QFETCH(bool, cardBox);
        QTemporaryDir dir;
        WindowFixture f({"derHund.jpg", "dieKatze.jpg", "dieMaus.jpg"});
        FakeProgram &p = f.p;
        records::RecordStore store(dir.filePath("Protokolle"), &p.clockRec);
        p.recordStore = &store;
        const QDate today = p.clockRec.date;
        p.clockRec.date = today.addDays(-2);
        store.append("Mia", {"begleiter", "derHund.jpg", true, "der"});
        store.append("Mia", {"diktat", "derHund.jpg", false, "Hunt"});   // spelling: 1
        store.append("Mia", {"begleiter", "dasHaus.jpg", false, "der"}); // its picture is gone
        store.append("Mia", {"begleiter", "dieMaus.jpg", false, "der"}); // article: 1
        p.clockRec.date = today;
        store.append("Mia", {"ergaenzen", "dieKatze.jpg", true, "eine"});
        p.clockRec.seconds += 60;
        p.setChild("Mia");
        p.setOption(Option::Druckerausgabe, true);
        p.changeExtras([&](Extras &e) {
            e.keepRecords = true;
            e.cardBox = cardBox;
        });
        auto *sheet = screenAs<drucken1>(p, ScreenId::Drucken1);
        QList<QStringList> pages;
        sheet->printTarget = [&](const QString &, const QString &,
                                 const printing::PageRoutine &routine) {
            RecordingSurface page;
            routine(page);
            QStringList texts;
            for (const RecordingSurface::Op &op : page.ops)
                if (op.kind == RecordingSurface::Op::Text)
                    texts << op.text;
            pages << texts;
            return printing::Outcome{printing::Outcome::Printed, {}, {}};
        };
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
                                             "die Maus | Fach 1, fällig | ",
                                             "die Katze | Fach 2, ab " + tomorrow + " | "}));
        QCOMPARE(table->firstCompartment(), (QStringList{"derHund.jpg", "dieMaus.jpg"}));
        control<QPushButton>(table, "Drucken")->click();
        QCOMPARE(pages, (QList<QStringList>{{"Hund", "d e r", "Maus", "d i e"}}));
        QCOMPARE(p.dialogsRec.lastText(), QString("Die Lernkärtchen werden gedruckt ...\r\r"));

        auto *faecher = control<QTableWidget>(table, "Faecher");
        faecher->selectRow(3);
        control<QPushButton>(table, "Zurueck")->click(); // sorted in among the first compartment
        QCOMPARE(table->rows().at(2),
                 QStringLiteral("die Katze | Fach 1, fällig | Fach 1, fällig"));
        const QList<records::Record> kept = records::RecordStore::read(store.pathFor("Mia"));
        QCOMPARE(kept.last().exercise, QStringLiteral("zurueck"));
        QCOMPARE(kept.last().entry, QStringLiteral("dieKatze.jpg"));
        // The report reads again and counts only the child's five answers.
        QTRY_VERIFY(!v->isReading());
        QCOMPARE(v->report().overall.total(), 5);
    }
};

QTEST_MAIN(KarteikastenTest)
#include "karteikasten_test.moc"
