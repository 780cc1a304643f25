// The games' rules without a window: what must hold for every deal, whatever
// the random numbers, and the edges of each game's end.

#include "core/nouns.h"
#include "rules/abcorder.h"
#include "rules/carpet.h"
#include "rules/catchgame.h"
#include "rules/hangman.h"
#include "rules/memory.h"
#include "support/manualclock.h"
#include "support/scriptedrandom.h"

#include <QSet>
#include <QTest>

namespace {

const QStringList kNouns{"derApfel.jpg", "dieBanane.jpg", "dasEi.jpg",     "derHund.jpg",
                         "dieKatze.jpg", "dasHaus.jpg",   "derÖfen.jpg",   "dieSonne.jpg",
                         "dasBuch.jpg",  "derFuß.jpg",    "dieTür.jpg",    "dasXylofon.jpg",
                         "derZug.jpg",   "dieUhr.jpg",    "dasQuadrat.jpg"};

} // namespace

class RulesTest : public QObject {
    Q_OBJECT
private slots:
    // The secret keeps the file's first letter, and a character no key plays
    // is open from the start, or the game could not be won.
    void hangmanGames_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("secret");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("outcome");
        QTest::newRow("won, a letter twice") << "dieSONNE.bmp"
                                             << "sonE"
                                             << "Sonne"
                                             << " S o n n e" << int(Hangman::Outcome::Won);
        QTest::newRow("umlaut and sharp s") << "derFuß.jpg"
                                            << "fuß"
                                            << "Fuß"
                                            << " F u ß" << int(Hangman::Outcome::Won);
        QTest::newRow("hyphen shown at once") << "dasE-Mail.gif"
                                              << "emIal"
                                              << "E-mail"
                                              << " E - m a i l" << int(Hangman::Outcome::Won);
        QTest::newRow("ten misses lose, and stay lost")
            << "derHund.jpg"
            << "abcefgijklm"
            << "Hund"
            << " _ _ _ _" << int(Hangman::Outcome::Lost);
    }
    void hangmanGames() {
        QFETCH(QString, entry);
        QFETCH(QString, keys);
        QFETCH(QString, secret);
        QFETCH(QString, mask);
        QFETCH(int, outcome);
        Hangman h;
        h.start(entry);
        QCOMPARE(h.secret(), secret);
        Hangman::Outcome last = Hangman::Outcome::Hit;
        for (const QChar k : keys)
            last = h.play(k);
        QCOMPARE(h.mask(), mask);
        QCOMPARE(int(last), outcome);
        QVERIFY(h.misses() <= Hangman::kMaxMisses);
    }

    // Every deal: nine different words, each on two cards; finding the
    // pairs wins at the ninth, and a found or face-up card has no cover.
    void memoryDealsAndWins() {
        ScriptedRandom random;
        ManualClock clock;
        MemoryGame game;
        for (int deal = 0; deal < 40; ++deal) {
            game.deal(kNouns, random, clock);
            const QStringList cards = game.cards();
            QCOMPARE(cards.size(), MemoryGame::kCards);
            QCOMPARE(QSet<QString>(cards.begin(), cards.end()).size(), MemoryGame::kPairs);
            int pairs = 0, won = 0;
            for (int k = 1; k <= MemoryGame::kCards; ++k) {
                if (game.found(k))
                    continue;
                const int pair = int(cards.indexOf(cards[k - 1], k)) + 1;
                QVERIFY(pair > k);
                QVERIFY(!game.click(k).matched);
                QCOMPARE(game.click(k).matched, false); // face up: nothing
                const MemoryGame::Click c = game.click(pair);
                QVERIFY(c.matched);
                ++pairs;
                won += c.won;
                QCOMPARE(c.won, pairs == MemoryGame::kPairs);
            }
            QCOMPARE(won, 1);
            QCOMPARE(game.click(1).matched, false);
        }
    }

    // Whatever the draw, every letter of the noun lies on the visible carpet
    // and clicking them in order solves it; clicks outside count as wrong.
    void carpetAlwaysSolvable() {
        ScriptedRandom random;
        ManualClock clock;
        Carpet carpet;
        carpet.fill(kNouns);
        for (int round = 0; round < 60; ++round) {
            carpet.build(kNouns, random, clock);
            const QStringList cells = carpet.carpetLetters().mid(0, Carpet::kCells);
            QCOMPARE(carpet.click(-1), Carpet::Result::Wrong);
            QCOMPARE(carpet.click(Carpet::kCells), Carpet::Result::Wrong);
            Carpet::Result r = Carpet::Result::Wrong;
            for (const QString &letter : carpet.wordLetters()) {
                const int k = int(cells.indexOf(letter));
                QVERIFY2(k >= 0, qPrintable(carpet.noun() + " misses " + letter));
                r = carpet.click(k);
            }
            QCOMPARE(r, Carpet::Result::Solved);
            QCOMPARE(carpet.click(0), Carpet::Result::Wrong);
        }
        QCOMPARE(Carpet::cellAt(QPoint(-1, 0)), -1);
        QCOMPARE(Carpet::cellAt(QPoint(0, 0)), 0);
        QCOMPARE(Carpet::cellAt(Carpet::cellOrigin(24)), 24);
    }

    // A picture gone leaves the pools; a noun whose other entry is still
    // there stays in memory's; after "Abbruch" the carpet's noun texts are
    // gone, and its files alone are kept in step.
    void poolsKeepOnlyPresentPictures() {
        ScriptedRandom random;
        ManualClock clock;
        const QStringList list = {"derLeiter.jpg", "dieLeiter.jpg", "derHund.jpg", "dieMaus.jpg"};
        MemoryGame memory;
        memory.deal(list, random, clock);
        QCOMPARE(memory.pool().size(), 0);
        memory.deal(list + QStringList{"dasEi.jpg", "derZug.jpg", "dieUhr.jpg", "dasHaus.jpg",
                                       "derBaum.jpg", "dieKuh.jpg", "derAal.jpg", "dieGans.jpg"},
                    random, clock);
        QStringList expected = memory.pool();
        QCOMPARE(expected.size(), 3);
        expected.removeIf([](const QString &w) { return w != "Leiter" && w != "Hund"; });
        memory.keepOnly({"dieLeiter.jpg", "derHund.jpg"});
        QCOMPARE(memory.pool(), expected);

        Carpet carpet;
        carpet.fill(list);
        carpet.keepOnly({"derLeiter.jpg", "dieMaus.jpg"});
        QCOMPARE(carpet.poolFiles(), (QStringList{"derLeiter.jpg", "dieMaus.jpg"}));
        carpet.build(list, random, clock);
        QCOMPARE(carpet.poolFiles().size(), 1);
        QVERIFY(carpet.noun() == nouns::nounOf(carpet.pictureFile()));
        carpet.fill(list);
        carpet.abandon();
        carpet.keepOnly({"dieMaus.jpg"});
        QCOMPARE(carpet.poolFiles(), QStringList{"dieMaus.jpg"});
        carpet.build(list, random, clock);
        QCOMPARE(carpet.pictureFile(), QString("dieMaus.jpg"));
        QCOMPARE(carpet.noun(), QString("Maus"));
    }

    // Letters never land under the player or on one cell together, also for
    // the longest word; the player stops at the edges.
    void catchGameScatterAndEdges() {
        ScriptedRandom random;
        CatchGame game;
        game.prepare(QString(CatchGame::kMaxLetters, QLatin1Char('A')));
        for (int i = 0; i < 30; ++i) {
            game.scatter(random);
            QSet<QPoint> cells;
            for (int k = 0; k < game.word().size(); ++k) {
                QVERIFY(game.cell(k) != game.player());
                cells.insert(game.cell(k));
            }
            QCOMPARE(int(cells.size()), int(game.word().size()));
        }
        game.setPlayer(QPoint(0, 0));
        game.move(-1, -1);
        QCOMPARE(game.player(), QPoint(0, 0));
        game.setPlayer(QPoint(CatchGame::kColumns - 1, CatchGame::kRows - 1));
        game.move(1, 1);
        QCOMPARE(game.player(), QPoint(CatchGame::kColumns - 1, CatchGame::kRows - 1));
    }

    // Five different nouns; the swaps that sort them solve the game, and
    // nothing moves once it is solved.
    void abcOrderSolvesBySwaps() {
        ScriptedRandom random;
        ManualClock clock;
        AbcGame game;
        for (int round = 0; round < 40; ++round) {
            game.start(kNouns, random, clock);
            const QStringList entries = game.entries();
            QCOMPARE(QSet<QString>(entries.begin(), entries.end()).size(), AbcGame::kFrames);
            QVERIFY(!game.swap(-1, 0) && !game.swap(0, AbcGame::kFrames));
            const QStringList target = game.targetOrder();
            for (int k = 0; k < AbcGame::kFrames && !game.solved(); ++k) {
                const int s = int(game.currentOrder().indexOf(target[k]));
                QVERIFY(game.swap(s, k));
            }
            QVERIFY(game.solved());
            QCOMPARE(game.currentOrder(), target);
            QVERIFY(!game.swap(0, 1));
        }
    }
};

QTEST_GUILESS_MAIN(RulesTest)
#include "rules_test.moc"
