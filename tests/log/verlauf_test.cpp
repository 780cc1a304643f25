#include "drawing/surface.h"
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
    Verlauf *open(const QString &child) {
        program.label = child;
        program.name = child;
        program.showScreen(ScreenId::Verlauf);
        return screenAs<Verlauf>(program, ScreenId::Verlauf);
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
        f.program.label = "Freund";
        f.program.name = "Mia";
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
                dialogs.last().text.contains("Mia"));
        QVERIFY(QFile::exists(path));
        dialogs.answers = {true};
        QTest::mouseClick(control<QPushButton>(v, "Command3"), Qt::LeftButton);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(control<QComboBox>(v, "Kinder")->count(), 0);
        QVERIFY(!control<QPushButton>(v, "Command3")->isEnabled());
    }

    void printsThroughThePrintingPath() {
        Fixture f;
        f.store.append("Mia", {"begleiter", "derHund.jpg", false, "die"});
        Verlauf *v = f.open("Mia");
        const QString pdf = f.dir.filePath("verlauf.pdf");
        RecordingSurface page;
        v->printTarget = [&](const QString &doc, const QString &, const printing::PageRoutine &r) {
            r(page);
            return printing::printToPdf(pdf, doc, r, 72);
        };
        QTest::mouseClick(control<QPushButton>(v, "Command2"), Qt::LeftButton);
        QVERIFY(QFile(pdf).size() > 1000);
        QCOMPARE(f.program.dialogsRec.last().title, QString("Kalimbo (Verlauf)"));
        QVERIFY(f.program.dialogsRec.last().text.startsWith("Der Verlauf wird gedruckt"));
        QVERIFY(page.printedText().contains("Verlauf von Mia"));
        QVERIFY(page.printedText().contains("der Hund"));
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
            p.name = child;
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
        control<QPushButton>(screenAs<Form11>(p, ScreenId::Form11), "Command1")->click();
        p.showScreen(ScreenId::Form11);
        QCOMPARE(p.dialogsRec.boxes.size(), 1);
    }
};

QTEST_MAIN(VerlaufTest)
#include "verlauf_test.moc"
