// The card box: how one noun's answers move its cards, a month of sessions
// replayed from a records file that grows day by day (with a line another
// computer wrote late and one from a computer with a wrong date), and which
// cards a session begins with.

#include "records/answerfile.h"
#include "records/cardbox.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace records;

namespace {

// "exercise entry right" at a day of March 2026 (10:00 plus `minute`).
Record rec(int day, const QString &exercise, const QString &entry, bool right = true,
           int minute = 0) {
    Record r;
    r.name = "Mia";
    r.exercise = exercise;
    r.entry = entry;
    r.right = right;
    r.day = QDate(2026, 3, day);
    r.secs = QDateTime(r.day, QTime(10, minute)).toSecsSinceEpoch();
    return r;
}

QDateTime noon(int day) {
    return QDateTime(QDate(2026, 3, day), QTime(12, 0));
}

// "compartment due-day" of a card, "-" without one.
QString state(const CardBox &box, const QString &entry, CardKind kind) {
    const Card c = box.card(entry, kind);
    return c.compartment ? QString::number(c.compartment) + c.due().toString(" MM-dd") : "-";
}

const QStringList kNouns{"derBall.jpg", "dasHaus.jpg", "derHund.jpg", "dieKatze.jpg"};

} // namespace

class CardBoxTest : public QObject {
    Q_OBJECT
private slots:
    // One noun's article card (or spelling card, from "diktat" on), answered
    // on days of March: "+3" right on the 3rd, "-3" wrong; a word names the
    // exercise of the answers after it.
    void oneCard_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("article");
        QTest::addColumn<QString>("spelling");
        QTest::newRow("new, right at once") << QStringList{"+2"} << "2 03-03"
                                            << "-";
        QTest::newRow("new, wrong") << QStringList{"-2"} << "1 03-02"
                                    << "-";
        QTest::newRow("right again the same day") << QStringList{"+2", "+2"} << "2 03-03"
                                                  << "-";
        QTest::newRow("right before due") << QStringList{"+2", "+3", "+4"} << "3 03-06"
                                          << "-";
        QTest::newRow("each time due, to known")
            << QStringList{"+2", "+3", "+6", "+13", "+27"} << "6 04-26"
            << "-";
        QTest::newRow("known and right again")
            << QStringList{"+2", "+3", "+6", "+13", "+27", "+28"} << "6 04-26"
            << "-";
        QTest::newRow("wrong sends back") << QStringList{"+2", "+3", "-4"} << "1 03-04"
                                          << "-";
        QTest::newRow("wrong, then right the same day") << QStringList{"-2", "+2"} << "2 03-03"
                                                        << "-";
        QTest::newRow("article and spelling apart")
            << QStringList{"+2", "diktat", "-2"} << "2 03-03"
            << "1 03-02";
        // Reading, word and picture choice and memory move no card.
        QTest::newRow("other exercises")
            << QStringList{"lesen", "+2", "wortwahl", "-2", "bildwahl", "+2", "memory", "+2"} << "-"
            << "-";
        QTest::newRow("back to the first") << QStringList{"+2", "+3", "zurueck", "5"} << "1 03-05"
                                           << "1 03-05";
    }
    void oneCard() {
        QFETCH(QStringList, answers);
        QFETCH(QString, article);
        QFETCH(QString, spelling);
        QList<Record> records;
        QString exercise = "begleiter";
        for (int i = 0; i < answers.size(); ++i) {
            const QString &a = answers[i];
            bool number = false;
            a.toInt(&number);
            if (!number) {
                exercise = a;
                continue;
            }
            records << rec(qAbs(a.toInt()), exercise, "derHund.jpg", !a.startsWith('-'), i);
        }
        CardBox box;
        box.replay(records, noon(28));
        QCOMPARE(state(box, "derHund.jpg", CardKind::Article), article);
        QCOMPARE(state(box, "derHund.jpg", CardKind::Spelling), spelling);
    }

    // What a session moved on: cards further on than before it, a new noun
    // answered right at once among them; none that went back or came in at
    // the first compartment.
    void movedOnInASession() {
        QList<Record> records{rec(2, "begleiter", "derHund.jpg"),
                              rec(2, "begleiter", "dieKatze.jpg", true, 1)};
        CardBox box;
        box.replay(records, noon(3));
        const QHash<QString, Card> before = box.cards(CardKind::Article);
        records << rec(3, "begleiter", "derHund.jpg")
                << rec(3, "begleiter", "dieKatze.jpg", false, 1)
                << rec(3, "ergaenzen", "dasHaus.jpg", true, 2)
                << rec(3, "begleiter", "derBall.jpg", false, 3)
                << rec(3, "diktat", "dasAuto.jpg", true, 4);
        box.replay(records, noon(3));
        QCOMPARE(box.movedOn(CardKind::Article, before),
                 (QList<CardMove>{{"derHund.jpg", 2, 3}, {"dasHaus.jpg", 0, 2}}));
    }

    // A month of sessions: the child's file grows day by day and is followed
    // by what was appended; before each session the due cards are checked.
    void monthOfSessions() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Mia.csv");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Zeit,Name,Uebung,Eintrag,Richtig,Eingabe\n");
        f.flush();
        AnswerFile file;
        CardBox box;
        auto append = [&](const QByteArray &lines) {
            f.write(lines);
            f.flush();
        };
        auto session = [&](int day, CardKind kind) {
            if (!file.update(path, nullptr))
                return QString("unreadable");
            box.follow(file.answers(), file.generation(), noon(day));
            return box.session(kind, kNouns, noon(day).date(), "Mia", 10, 0).join(' ');
        };
        append("2026-03-02T10:00:00+01:00,Mia,begleiter,derHund.jpg,1,der\n"
               "2026-03-02T10:01:00+01:00,Mia,begleiter,dieKatze.jpg,0,der\n"
               "2026-03-02T10:02:00+01:00,Mia,diktat,derHund.jpg,0,Hunt\n"
               "2026-03-02T10:05:00+01:00,Mia,begleiter,dieKatze.jpg,1,die\n");
        QCOMPARE(session(3, CardKind::Article), QString("derHund.jpg dieKatze.jpg"));
        append("2026-03-03T10:00:00+01:00,Mia,begleiter,derHund.jpg,1,der\n"
               "2026-03-03T10:01:00+01:00,Mia,begleiter,dieKatze.jpg,0,das\n"
               "2026-03-03T10:02:00+01:00,Mia,diktat,derHund.jpg,1,Hund\n"
               "2026-03-03T10:03:00+01:00,Mia,lesen,dasHaus.jpg,1,\n"
               "2026-03-03T10:04:00+01:00,Mia,wortwahl,dasHaus.jpg,1,Haus\n"
               "damaged line\n");
        QCOMPARE(session(4, CardKind::Article), QString("dieKatze.jpg"));
        append("2026-03-04T10:00:00+01:00,Mia,begleiter,derHund.jpg,1,der\n"
               "2026-03-04T10:01:00+01:00,Mia,begleiter,dieKatze.jpg,1,die\n");
        QCOMPARE(session(6, CardKind::Article), QString("dieKatze.jpg derHund.jpg"));
        // Another computer of the share writes its answer of the 6th only
        // after the 13th: it is merged by its time.
        append("2026-03-13T10:00:00+01:00,Mia,begleiter,derHund.jpg,1,der\n"
               "2026-03-13T10:01:00+01:00,Mia,zurueck,dieKatze.jpg,0,\n");
        QCOMPARE(state(box, "derHund.jpg", CardKind::Article), QString("3 03-06"));
        QCOMPARE(session(14, CardKind::Article), QString("dieKatze.jpg"));
        QCOMPARE(state(box, "derHund.jpg", CardKind::Article), QString("4 03-20"));
        append("2026-03-06T10:00:00+01:00,Mia,begleiter,derHund.jpg,1,der\n");
        QCOMPARE(session(14, CardKind::Article), QString("dieKatze.jpg"));
        QCOMPARE(state(box, "derHund.jpg", CardKind::Article), QString("5 03-27"));
        // A computer with its date in 2030: its answer counts as now.
        append("2030-01-01T10:00:00+01:00,Mia,ergaenzen,dasHaus.jpg,0,ein\n"
               "2026-03-27T10:00:00+01:00,Mia,begleiter,derHund.jpg,1,der\n"
               "2026-03-27T10:01:00+01:00,Mia,galgen,derBall.jpg,1,BALL\n");
        QCOMPARE(session(28, CardKind::Article), QString("dieKatze.jpg dasHaus.jpg"));
        QCOMPARE(session(28, CardKind::Spelling), QString("dieKatze.jpg derHund.jpg derBall.jpg"));

        const QStringList expected{"derBall.jpg - 2 03-28", "dasHaus.jpg 1 03-28 -",
                                   "derHund.jpg 6 04-26 2 03-04", "dieKatze.jpg 1 03-13 1 03-13"};
        // The box followed line by line and one replayed from the whole file agree.
        CardBox replayed;
        replayed.replay(file.answers(), noon(28));
        for (const CardBox *b : {&box, &replayed}) {
            QStringList got;
            for (const QString &e : kNouns)
                got << e + ' ' + state(*b, e, CardKind::Article) + ' ' +
                           state(*b, e, CardKind::Spelling);
            QCOMPARE(got, expected);
        }
    }

    // At most `most` cards a session and `mostNew` of them new; due cards by
    // compartment, then by how long they have been due; only nouns of the list.
    void sessionLimits_data() {
        QTest::addColumn<int>("dueCards"); // nouns 0 .. dueCards-1 have due cards
        QTest::addColumn<int>("nouns");
        QTest::addColumn<int>("dueTaken");
        QTest::addColumn<int>("newTaken");
        QTest::newRow("many due, none new") << 15 << 20 << 10 << 0;
        QTest::newRow("few due, three new") << 2 << 20 << 2 << 3;
        QTest::newRow("eight due, two new") << 8 << 20 << 8 << 2;
        QTest::newRow("only new") << 0 << 2 << 0 << 2;
        QTest::newRow("nothing") << 0 << 0 << 0 << 0;
    }
    void sessionLimits() {
        QFETCH(int, dueCards);
        QFETCH(int, nouns);
        QFETCH(int, dueTaken);
        QFETCH(int, newTaken);
        QStringList list;
        QList<Record> records;
        for (int i = 0; i < nouns; ++i)
            list << QString("derN%1.jpg").arg(i, 2, 10, QChar('0'));
        // Wrong answers on the 2nd to 9th in turn: compartment 1, due since then.
        for (int i = 0; i < dueCards; ++i)
            records << rec(2 + (dueCards - 1 - i) % 8, "begleiter", list[i], false, i);
        records << rec(2, "begleiter", "derWeg.jpg", false); // no longer in the list
        CardBox box;
        box.replay(records, noon(10));
        const QStringList got = box.session(CardKind::Article, list, QDate(2026, 3, 10), "Mia");
        QCOMPARE(got.size(), dueTaken + newTaken);
        for (int i = 0; i < dueTaken; ++i)
            QCOMPARE(box.card(got[i], CardKind::Article).compartment, 1);
        for (int i = 1; i < dueTaken; ++i)
            QVERIFY(box.card(got[i - 1], CardKind::Article).due() <=
                    box.card(got[i], CardKind::Article).due());
        for (int i = dueTaken; i < got.size(); ++i)
            QCOMPARE(box.card(got[i], CardKind::Article).compartment, 0);
        QVERIFY(!got.contains("derWeg.jpg"));
    }

    // New nouns come in an order of the child's own, the same in every run.
    void newNounsInTheChildsOwnOrder() {
        QStringList list;
        for (int i = 0; i < 30; ++i)
            list << QString("derN%1.jpg").arg(i);
        const CardBox box;
        const QDate day(2026, 3, 2);
        const QStringList mia = box.session(CardKind::Article, list, day, "Mia");
        QCOMPARE(mia.size(), 3);
        QCOMPARE(box.session(CardKind::Article, list, day, "Mia"), mia);
        QVERIFY(box.session(CardKind::Article, list, day, "Ben") != mia);
    }
};

QTEST_GUILESS_MAIN(CardBoxTest)
#include "cardbox_test.moc"
