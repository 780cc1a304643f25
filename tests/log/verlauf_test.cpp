#include "drawing/surface.h"
#include "files/safefile.h"
#include "log/Form11.h"
#include "log/verlauf.h"
#include "records/recordstore.h"
#include "support/fakeprogram.h"
#include "support/windowfixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace records;

namespace {

struct Fixture {
    QTemporaryDir dir;
    FakeProgram program;
    RecordStore store{dir.filePath("Protokolle"), &program.clockRec};
    Fixture() {
        program.recordStore = &store;
        program.clockRec.date = QDate(2024, 5, 10);
        program.clockRec.seconds = 9 * 3600;
    }
    /// Opens the report as "Verlauf ..." does and waits for its figures.
    Verlauf *open(const QString &child) {
        program.setChild(child);
        program.showScreen(ScreenId::Verlauf);
        auto *v = screenAs<Verlauf>(program, ScreenId::Verlauf);
        if (!QTest::qWaitFor([v] { return !v->isReading(); }))
            qFatal("the report is still being read");
        return v;
    }
};

} // namespace

class VerlaufTest : public QObject {
    Q_OBJECT
private slots:
    void logButtonOnlyWhileRecordsAreKept() {
        FakeProgram plain;
        plain.recordAnswer(LogList::Lesen, "derHund.jpg", true); // without a store: nothing
        plain.showScreen(ScreenId::Form11);
        QVERIFY(control(plain.existing(ScreenId::Form11), "Command2")->isHidden());

        Fixture f;
        f.program.showScreen(ScreenId::Form11);
        auto *log = screenAs<Form11>(f.program, ScreenId::Form11);
        auto *button = control<QPushButton>(log, "Command2");
        // It sits in the head band between "Abbruch ..." and the name.
        const QRect b = button->geometry();
        QVERIFY(!b.intersects(control(log, "Command1")->geometry()) &&
                !b.intersects(control(log, "Label1")->geometry()) && b.bottom() < 615 / 15);
        QTest::mouseClick(button, Qt::LeftButton);
        auto *v = f.program.existing(ScreenId::Verlauf);
        QVERIFY(v && v->isVisible() && !log->isVisible());
        QTest::mouseClick(control<QPushButton>(v, "Command1"), Qt::LeftButton);
        QVERIFY(log->isVisible());
    }

    void showsTheChosenChild() {
        Fixture f;
        f.store.append("Ole", {"lesen", "dasHaus.jpg", true, {}});
        // Answers count for the name the child is greeted with, also before
        // it is confirmed.
        f.program.state().setNameLabel("Freund");
        f.program.state().setNameField("Mia");
        f.program.recordAnswer(LogList::Begleiter, "derHund.jpg", false, "die");
        f.program.recordAnswer(LogList::Begleiter, "derHund.jpg", true, "der");
        Verlauf *v = f.open("Mia");
        auto *children = control<QComboBox>(v, "Kinder");
        auto *exercises = control<QTableWidget>(v, "Uebungen");
        auto *articles = control<QTableWidget>(v, "Begleiter");
        auto *practise = control<QListWidget>(v, "Ueben");
        QCOMPARE(children->count(), 2);
        QCOMPARE(children->currentText(), QString("Mia"));
        QCOMPARE(exercises->rowCount(), 2); // Begleiter and the total
        QCOMPARE(exercises->item(0, 0)->text(), QString("Begleiter"));
        QCOMPARE(exercises->item(0, 3)->text(), QString("50 %"));
        QCOMPARE(control<QTableWidget>(v, "Fehler")->item(0, 1)->text(), QString("Hund"));
        QCOMPARE(articles->item(3, 0)->text(), QString("der Hund"));
        QCOMPARE(articles->item(3, 2)->text(), QString("1"));
        QCOMPARE(practise->count(), 1);
        QCOMPARE(practise->item(0)->text(), QString("der Hund"));
        children->setCurrentIndex(children->findText("Ole"));
        QTRY_VERIFY(!v->isReading());
        QCOMPARE(practise->count(), 0);
        QCOMPARE(articles->rowCount(), 0);
    }

    void deleteAsksWithNoAsDefault() {
        Fixture f;
        f.store.append("Mia", {"lesen", "dasHaus.jpg", true, {}});
        Verlauf *v = f.open("Mia");
        const QString path = f.store.pathFor("Mia");
        auto &dialogs = f.program.dialogsRec;
        dialogs.answers = {false};
        QTest::mouseClick(control<QPushButton>(v, "Command3"), Qt::LeftButton);
        QVERIFY(dialogs.last().yesNo && dialogs.last().defaultNo &&
                dialogs.last().text.contains("Mia") && dialogs.last().icon == Dialogs::NoIcon);
        QVERIFY(QFile::exists(path));
        dialogs.answers = {true};
        QTest::mouseClick(control<QPushButton>(v, "Command3"), Qt::LeftButton);
        QVERIFY(!QFile::exists(path));
        QTRY_VERIFY(!v->isReading());
        QCOMPARE(control<QComboBox>(v, "Kinder")->count(), 0);
        QVERIFY(!control<QPushButton>(v, "Command3")->isEnabled());
    }

    void printsThroughThePrintingPath() {
        Fixture f;
        f.store.append("Mia", {"begleiter", "derHund.jpg", false, "die"});
        Verlauf *v = f.open("Mia");
        const QString pdf = f.dir.filePath("verlauf.pdf");
        RecordingSurface page;
        QString stem;
        v->printTarget = [&](const QString &doc, const QString &name,
                             const printing::PageRoutine &r) {
            r(page);
            stem = name;
            printing::Outcome out = printing::printToPdf(pdf, doc, r, 72);
            out.kind = printing::Outcome::Printed;
            return out;
        };
        QTest::mouseClick(control<QPushButton>(v, "Command2"), Qt::LeftButton);
        QVERIFY(QFile(pdf).size() > 1000);
        QCOMPARE(stem, QString("Verlauf-Mia"));
        const auto &box = f.program.dialogsRec.last();
        QCOMPARE(box.title + " | " + box.text,
                 QString("Kalimbo (Verlauf) | Der Verlauf wird gedruckt ...\r\r"));
        QCOMPARE(box.icon, Dialogs::NoIcon);
        QVERIFY(page.printedText().contains("Verlauf von Mia"));
        QVERIFY(page.printedText().contains("der Hund"));
    }

    // Without answers the figures give way to a sentence, and nothing can be
    // printed; a file that cannot be read says why in their place.
    void noAnswersYet_data() {
        QTest::addColumn<QString>("file"); // "", "empty" or "huge"
        QTest::addColumn<QString>("said");
        QTest::newRow("no child") << ""
                                  << "Es gibt noch keine Antworten.";
        QTest::newRow("a file without answers") << "empty"
                                                << "Von Mia gibt es noch keine Antworten.";
        QTest::newRow("a file too large") << "huge"
                                          << "Die Antworten von Mia können nicht gelesen werden:\n"
                                             "%1\nDie Datei ist zu groß.";
    }
    void noAnswersYet() {
        QFETCH(QString, file);
        QFETCH(QString, said);
        Fixture f;
        if (!file.isEmpty()) {
            QDir().mkpath(f.store.folder());
            QFile csv(f.store.pathFor("Mia"));
            QVERIFY(csv.open(QIODevice::WriteOnly));
            csv.write(RecordStore::header());
            if (file == "huge")
                QVERIFY(csv.resize(files::kRecordsCap + 1));
        }
        Verlauf *v = f.open("Mia");
        auto *note = control<QLabel>(v, "Hinweis");
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(),
                 said.replace("%1", QDir::toNativeSeparators(f.store.pathFor("Mia"))));
        for (const char *figures : {"Uebungen", "Fehler", "Begleiter", "Ueben", "Tage"})
            QVERIFY2(!control(v, figures)->isVisible(), figures);
        QVERIFY(!control(v, "Command2")->isEnabled());
        QCOMPARE(control(v, "Command3")->isEnabled(), !file.isEmpty()); // the teacher can delete it
    }

    // Every text of the printed page and of the chart on screen stands clear
    // of every other and inside the rule, with long nouns, large figures and
    // every exercise; the last day of the chart, today, carries its date.
    void pageAndChartKeepTheirTexts_data() {
        QTest::addColumn<bool>("page");
        QTest::newRow("printed page") << true;
        QTest::newRow("chart on screen") << false;
    }
    void pageAndChartKeepTheirTexts() {
        QFETCH(bool, page);
        const QDate today(2024, 5, 10);
        const QStringList nouns{"Eisenbahnbrücke",
                                "Schneemannbauwettbewerb",
                                "Kühlschrank",
                                "Feuerwehrauto",
                                "Ei",
                                "Straßenbahnhaltestelle"};
        QList<Record> recs;
        for (int d = 0; d < 20; ++d)
            for (const Exercise &e : exercises::all())
                for (const QString &n : nouns)
                    for (int k = 0; k < 40; ++k) {
                        Record r;
                        r.name = "Mia";
                        r.exercise = QString::fromLatin1(e.recordId);
                        r.entry = "der" + n + ".jpg";
                        r.given = "die";
                        r.right = k % 3 == 0;
                        r.day = today.addDays(-d);
                        recs.append(r);
                    }
        const Report report = buildReport(recs, today);
        QStringList practice;
        for (int i = 0; i < 80; ++i)
            practice << QString("dieLangeWörterreiheNummer%1.jpg").arg(i);
        RecordingSurface s;
        const QRect area = page ? QRect(0, 0, 10200, 15700) : QRect(90, 90, 5955, 3180);
        if (page)
            verlauf::drawReportPage(s, report, practice, today);
        else
            verlauf::drawDayChart(s, area, lastDays(report.days, today, verlauf::kChartDays));
        QStringList bad;
        QList<QRect> seen;
        QStringList texts;
        for (const RecordingSurface::Op &op : s.ops) {
            if (op.kind != RecordingSurface::Op::Text)
                continue;
            if (!area.contains(op.rect))
                bad << op.text + " runs out";
            for (int i = 0; i < seen.size(); ++i)
                if (seen[i].intersects(op.rect))
                    bad << op.text + " over " + texts[i];
            seen << op.rect;
            texts << op.text;
        }
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join('\n')));
        QVERIFY(texts.contains("10.05."));
        QCOMPARE(s.printedText().contains("Eisenbahnbrücke"), page);
    }

    void unwritableFolderToldOnceInTheLog_data() {
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<bool>("othersKept");
        QTest::newRow("a file where the folder goes") << "Protokolle" << false;
        QTest::newRow("a folder where the child's file goes") << "Protokolle/Freund.csv" << true;
    }
    void unwritableFolderToldOnceInTheLog() {
        QFETCH(QString, blocker);
        QFETCH(bool, othersKept);
        QTemporaryDir dir;
        QVERIFY(blocker.endsWith(".csv") ? QDir().mkpath(dir.filePath(blocker))
                                         : QFile(dir.filePath(blocker)).open(QIODevice::WriteOnly));
        RecordStore store(dir.filePath("Protokolle"));
        FakeProgram p;
        p.recordStore = &store;
        for (const char *child : {"Freund", "Freund", "Ole"}) {
            p.state().setNameField(child);
            p.recordAnswer(LogList::Lesen, "derHund.jpg", true);
        }
        // One child's bad file costs only that child's answers; a bad folder
        // stops records for the run.
        QCOMPARE(QFile::exists(store.pathFor("Ole")), othersKept);
        QCOMPARE(p.dialogsRec.boxes.size(), 0); // never during the exercise
        p.showScreen(ScreenId::Form11);
        QCOMPARE(p.dialogsRec.boxes.size(), 1);
        const QString told = p.dialogsRec.last().text;
        QVERIFY(told.contains("nicht gespeichert"));
        QVERIFY(told.contains(othersKept ? "Freund.csv" : "Protokolle"));
        QCOMPARE(p.dialogsRec.last().icon, Dialogs::NoIcon);
        control<QPushButton>(screenAs<Form11>(p, ScreenId::Form11), "Command1")->click();
        p.showScreen(ScreenId::Form11);
        QCOMPARE(p.dialogsRec.boxes.size(), 1);
    }
};

QTEST_MAIN(VerlaufTest)
#include "verlauf_test.moc"
