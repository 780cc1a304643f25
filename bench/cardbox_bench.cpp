// Cost of the card box: building a child's box from a file of 50,000
// answers (a school year and more), bringing it up to date after one more
// answer, and choosing the next noun of an exercise with the box on.

#include "core/exercisetable.h"
#include "records/answerfile.h"
#include "records/cardbox.h"
#include "records/recordstore.h"
#include "rules/deck.h"
#include "support/fakeprogram.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace records;

class CardBoxBench : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QStringList m_nouns;
    QString m_path;
    QDateTime m_now;
    QDateTime m_answered; // the time of the last answer appended

private slots:
    void initTestCase() {
        for (int i = 0; i < 200; ++i)
            m_nouns << QStringLiteral("derWort%1.jpg").arg(i);
        const QStringList ids{"begleiter", "ergaenzen", "abschrift",
                              "diktat",    "galgen",    "wortwahl"};
        RecordStore store(m_dir.filePath("Protokolle"));
        m_path = store.pathFor("Mia");
        QVERIFY(QDir().mkpath(store.folder()));
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(RecordStore::header());
        // 50,000 answers over 250 school days, 200 a day.
        m_now = QDateTime(QDate(2026, 6, 30), QTime(12, 0));
        const QDateTime start = m_now.addDays(-250);
        m_answered = m_now.addSecs(-3600);
        for (int k = 0; k < 50000; ++k) {
            const Answer a{ids[k % ids.size()], m_nouns[(k * 7) % m_nouns.size()], k % 4 != 0,
                           QString()};
            f.write(RecordStore::line("Mia", a, start.addDays(k / 200).addSecs(k % 200 * 20)));
        }
    }

    // The file read and the box replayed, as at the first session of a run.
    void buildFromFile() {
        int cards = 0;
        QBENCHMARK {
            AnswerFile file;
            QVERIFY(file.update(m_path, nullptr));
            CardBox box;
            box.follow(file.answers(), file.generation(), m_now);
            cards = int(box.cards(CardKind::Article).size());
        }
        QCOMPARE(cards, m_nouns.size());
    }

    void replayOnly() {
        AnswerFile file;
        QVERIFY(file.update(m_path, nullptr));
        QCOMPARE(file.answers().size(), 50000);
        QBENCHMARK {
            CardBox box;
            box.replay(file.answers(), m_now);
        }
    }

    // One more answer appended; the box reads just that line and adds it.
    void updateAfterOneAnswer() {
        AnswerFile file;
        QVERIFY(file.update(m_path, nullptr));
        CardBox box;
        box.follow(file.answers(), file.generation(), m_now);
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::Append));
        // Each answer later than the one before, also over the benchmark's
        // repeated runs: an older one would make the box replay everything.
        QBENCHMARK {
            m_answered = m_answered.addMSecs(10);
            f.write(RecordStore::line("Mia", {"begleiter", m_nouns[3], true, "der"}, m_answered));
            f.flush();
            QVERIFY(file.update(m_path, nullptr));
            box.follow(file.answers(), file.generation(), m_now);
        }
        QVERIFY(file.lastRead() < 100); // just the new line
    }

    // The next noun of the article choice with the box on: the box brought
    // up to date with the file (nothing new), the session's cards chosen, a
    // draw from the deck.
    void nextNounWithTheBoxOn() {
        FakeProgram p;
        RecordStore store(QFileInfo(m_path).path(), &p.clockRec);
        p.clockRec.date = m_now.date();
        p.clockRec.seconds = 12 * 3600;
        p.recordStore = &store;
        p.setNouns(m_nouns);
        p.setChild("Mia");
        p.changeExtras([](Extras &e) { e.keepRecords = e.cardBox = true; });
        QVERIFY(!p.beginCardSession(LogList::Begleiter).nouns.isEmpty()); // the first reading
        Deck deck(m_nouns);
        QBENCHMARK {
            deck.putFirst(p.beginCardSession(LogList::Begleiter).nouns);
            deck.draw(p.random());
        }
    }
};

QTEST_MAIN(CardBoxBench)
#include "cardbox_bench.moc"
