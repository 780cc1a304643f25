// The exercises' deck: one pass without repeats, the refill rule, entries
// put first without a random number, a noun list that changes during a pass
// and pictures that go.

#include "rules/deck.h"
#include "support/scriptedrandom.h"

#include <QTest>

class DeckTest : public QObject {
    Q_OBJECT
private slots:
    // Steps, run in order on a deck of A, B, C: "<" draws with r = 0 (the
    // first entry left), ">" with r just below 1 (the last); "nouns ..." sets
    // the noun list, "present ..." the pictures still there, "put ..." puts
    // entries first and "withdraw ..." takes them back.
    void draws_data() {
        QTest::addColumn<int>("refillBelow");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<int>("randoms");
        QTest::newRow("a pass, then a new one")
            << 1 << QStringList{">", "<", "<", ">"} << "CABC" << 4;
        QTest::newRow("refill below 2") << 2 << QStringList{"<", "<", "<"} << "ABA" << 3;
        QTest::newRow("empty noun list") << 1 << QStringList{"nouns", "<"} << "" << 0;
        QTest::newRow("put first takes no random number")
            << 1 << QStringList{"put C B", "<", "<", "<"} << "CBA" << 1;
        QTest::newRow("put first after it was drawn")
            << 1 << QStringList{">", "put C", "<"} << "CC" << 1;
        QTest::newRow("put first, not in the list") << 1 << QStringList{"put X", "<"} << "A" << 1;
        QTest::newRow("withdrawn")
            << 1 << QStringList{"put C B", "withdraw C", "<", "<"} << "BA" << 1;
        QTest::newRow("put first, filtered out after it was drawn")
            << 1 << QStringList{">", "nouns A B", "put C", "<"} << "CA" << 2;
        // The pass keeps its entries; the new list comes at the refill.
        QTest::newRow("new noun list")
            << 1 << QStringList{">", "nouns A B D", ">", ">", ">"} << "CBAD" << 4;
        QTest::newRow("picture gone")
            << 1 << QStringList{"<", "present A C", ">", ">", "<"} << "ACCA" << 4;
        QTest::newRow("picture gone while put first")
            << 1 << QStringList{"put B", "present A C", "<"} << "A" << 1;
        QTest::newRow("every picture gone") << 1 << QStringList{"<", "present", "<"} << "A" << 1;
    }
    void draws() {
        QFETCH(int, refillBelow);
        QFETCH(QStringList, steps);
        QFETCH(QString, drawn);
        QFETCH(int, randoms);
        Deck deck({"A", "B", "C"}, refillBelow);
        ScriptedRandom random;
        QString got;
        for (const QString &step : steps) {
            QStringList words = step.split(u' ', Qt::SkipEmptyParts);
            const QString op = words.takeFirst();
            if (op == "<" || op == ">") {
                random.script = {op == "<" ? 0.0 : 0.9999};
                got += deck.draw(random);
            } else if (op == "nouns") {
                deck.setNouns(words);
            } else if (op == "present") {
                deck.keepOnly(words);
            } else if (op == "withdraw") {
                deck.withdraw(words);
            } else {
                deck.putFirst(words);
            }
        }
        QCOMPARE(got, drawn);
        QCOMPARE(random.calls, randoms);
    }

    // The entries a pass begins with are asked at each refill and only there;
    // those not in the new pass and repeats are left out.
    void firstInPass() {
        Deck deck({"A", "B", "C"});
        int asked = 0;
        deck.firstInPass = [&] {
            ++asked;
            return QStringList{"C", "X", "C", "A"};
        };
        ScriptedRandom random;
        QString got;
        for (int i = 0; i < 4; ++i)
            got += deck.draw(random);
        QCOMPARE(got, QStringLiteral("CABC"));
        QCOMPARE(asked, 2);
        QCOMPARE(random.calls, 1);
        QCOMPARE(deck.upNext(), QStringList{"A"});
    }
};

QTEST_GUILESS_MAIN(DeckTest)
#include "deck_test.moc"
