// Reading the report off the window thread: the window is there at once
// with its reading note and the figures follow; a child's file that only
// grew is read from where the last reading stopped, anything else afresh.

#include "core/nouns.h"
#include "log/reportreading.h"
#include "log/verlauf.h"
#include "records/recordstore.h"
#include "support/fakeprogram.h"
#include "support/windowfixture.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using namespace records;

namespace {

QByteArray answer(const char *entry) {
    return RecordStore::line(
        QStringLiteral("Mia"),
        {QStringLiteral("begleiter"), QString::fromLatin1(entry), true, QStringLiteral("der")},
        QDateTime(QDate(2024, 5, 10), QTime(9, 0)));
}

bool write(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode) {
    QFile f(path);
    return f.open(mode) && f.write(bytes) == bytes.size();
}

QString nounsOf(const QList<Record> &answers) {
    QStringList out;
    for (const Record &r : answers)
        out << nouns::nounOf(r.entry);
    return out.join(' ');
}

} // namespace

class ReportReadingTest : public QObject {
    Q_OBJECT
private slots:
    // The file holds Hund, Katze, Maus (and `before`) when first read, then
    // changes; `read` is the bytes the second reading takes (-1: all).
    void answerFileFollowsTheFile_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("after");
        QTest::addColumn<qint64>("read");
        const QByteArray ball = answer("derBall.jpg"), baum = answer("derBaum.jpg");
        QTest::newRow("unchanged") << QByteArray() << ""
                                   << "Hund Katze Maus" << qint64(0);
        QTest::newRow("grown") << QByteArray() << "append"
                               << "Hund Katze Maus Ball Baum" << qint64(ball.size() + baum.size());
        // A writer on another computer is half-way through a line.
        QTest::newRow("half a line finished")
            << ball.left(10) << "append rest"
            << "Hund Katze Maus Ball Baum" << qint64(ball.size() + baum.size());
        QTest::newRow("rewritten shorter") << QByteArray() << "shorter"
                                           << "Ei" << qint64(-1);
        QTest::newRow("rewritten in place, then grown") << QByteArray() << "in place"
                                                        << "Hund Katze Haus Ball" << qint64(-1);
        QTest::newRow("replaced by a longer file") << QByteArray() << "replaced"
                                                   << "Hund Katze Maus Ball" << qint64(-1);
        QTest::newRow("deleted") << QByteArray() << "deleted"
                                 << "" << qint64(0);
    }
    void answerFileFollowsTheFile() {
        QFETCH(QByteArray, before);
        QFETCH(QString, change);
        QFETCH(QString, after);
        QFETCH(qint64, read);
        QTemporaryDir dir;
        const QString path = dir.filePath("Mia.csv");
        const QByteArray start = RecordStore::header() + answer("derHund.jpg") +
                                 answer("dieKatze.jpg") + answer("dieMaus.jpg");
        QVERIFY(write(path, start + before, QIODevice::WriteOnly));
        records::AnswerFile file;
        QString problem;
        QVERIFY(file.update(path, &problem));
        QCOMPARE(nounsOf(file.answers()), QString("Hund Katze Maus"));

        const QByteArray ball = answer("derBall.jpg"), baum = answer("derBaum.jpg");
        if (change == "append")
            QVERIFY(write(path, ball + baum, QIODevice::Append));
        else if (change == "append rest")
            QVERIFY(write(path, ball.mid(10) + baum, QIODevice::Append));
        else if (change == "shorter")
            QVERIFY(write(path, RecordStore::header() + answer("dasEi.jpg"),
                          QIODevice::WriteOnly | QIODevice::Truncate));
        else if (change == "in place") // same length up to the old end, the same file
            QVERIFY(write(path,
                          RecordStore::header() + answer("derHund.jpg") + answer("dieKatze.jpg") +
                              answer("dasHaus.jpg") + ball,
                          QIODevice::ReadWrite));
        else if (change == "replaced") {
            QVERIFY(write(dir.filePath("new.csv"), start + ball, QIODevice::WriteOnly));
            QVERIFY(::rename(QFile::encodeName(dir.filePath("new.csv")).constData(),
                             QFile::encodeName(path).constData()) == 0);
        } else if (change == "deleted")
            QVERIFY(QFile::remove(path));

        QVERIFY(file.update(path, &problem));
        QCOMPARE(nounsOf(file.answers()), after);
        QCOMPARE(file.lastRead(), read < 0 ? QFileInfo(path).size() : read);
        QVERIFY(problem.isEmpty());
    }

    // The window is there at once, its figures follow; a second look after
    // more answers shows them all.
    void windowShowsAtOnceThenTheFigures() {
        QTemporaryDir dir;
        FakeProgram p;
        p.clockRec.seconds = 9 * 3600;
        RecordStore store(dir.filePath("Protokolle"), &p.clockRec);
        p.recordStore = &store;
        p.clockRec.date = QDate(2024, 5, 10);
        p.setChild("Mia");
        for (bool right : {true, false, true})
            p.recordAnswer(LogList::Begleiter, "derHund.jpg", right, right ? "der" : "die");

        for (int look : {1, 2}) {
            p.showScreen(ScreenId::Verlauf);
            auto *v = screenAs<Verlauf>(p, ScreenId::Verlauf);
            auto *note = control<QLabel>(v, "Hinweis");
            auto *table = control<QTableWidget>(v, "Uebungen");
            QVERIFY(v->isVisible() && v->isReading());
            QCOMPARE(note->text(), QString("Der Verlauf wird gelesen ..."));
            QVERIFY(note->isVisible() && !table->isVisible());
            QVERIFY(!control(v, "Command2")->isEnabled() && !control(v, "Command3")->isEnabled());
            QTRY_VERIFY(!v->isReading());
            QVERIFY(!note->isVisible() && table->isVisible());
            QCOMPARE(table->item(1, 0)->text(), QString("Zusammen"));
            QCOMPARE(table->item(1, 4)->text() + " " + table->item(1, 5)->text(),
                     look == 1 ? QString("2 1") : QString("3 3"));
            QTest::mouseClick(control<QPushButton>(v, "Command1"), Qt::LeftButton);
            for (bool right : {false, true, false})
                p.recordAnswer(LogList::Begleiter, "derHund.jpg", right, right ? "der" : "das");
        }
    }

    // The class's children come first, in the list's order, also those
    // without an answer yet; a name answered in another letter case is the
    // same child; the others follow.
    void classListedFirst() {
        QTemporaryDir dir;
        FakeProgram p;
        RecordStore store(dir.filePath("Protokolle"), &p.clockRec);
        p.recordStore = &store;
        for (const char *child : {"Ben", "mia", "Zoe"}) {
            p.setChild(child);
            p.recordAnswer(LogList::Begleiter, "derHund.jpg", true, "der");
        }
        p.setChild("Gast");
        p.state().setClassNames({"Mia", "Ole", "Ben"});
        p.showScreen(ScreenId::Verlauf);
        auto *v = screenAs<Verlauf>(p, ScreenId::Verlauf);
        QTRY_VERIFY(!v->isReading());
        auto *kinder = control<QComboBox>(v, "Kinder");
        QStringList listed;
        for (int i = 0; i < kinder->count(); ++i)
            listed << kinder->itemText(i);
        QCOMPARE(listed, QStringList({"mia", "Ole", "Ben", "Zoe"}));
        kinder->setCurrentIndex(1);
        QTRY_VERIFY(!v->isReading());
        QCOMPARE(control<QLabel>(v, "Hinweis")->text(),
                 QString("Von Ole gibt es noch keine Antworten."));
        QVERIFY(!QFile::exists(store.pathFor("Ole"))); // looking writes nothing
    }
};

QTEST_MAIN(ReportReadingTest)
#include "reportreading_test.moc"
