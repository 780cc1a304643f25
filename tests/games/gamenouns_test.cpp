// Memory, the letter carpet and hangman follow a noun list that changes
// while they are open: a noun whose picture is gone leaves the pool at once
// and is never played again; a new list comes in when the pool is refilled,
// so the rounds before draw as they always did.

#include "core/nouns.h"
#include "games/Form7.h"
#include "games/galgen.h"
#include "games/memo.h"
#include "support/windowfixture.h"

#include <QPushButton>
#include <QTest>

namespace {

const QStringList kTwelve = {"derAal.jpg",  "derBaum.jpg",  "dieCola.jpg", "dasDach.jpg",
                             "dieEnte.jpg", "derFisch.jpg", "dieGans.jpg", "derHund.jpg",
                             "derIgel.jpg", "dieJacke.jpg", "derKamm.jpg", "dieLampe.jpg"};

QStringList nounsOf(const QStringList &entries) {
    QStringList out;
    for (const QString &e : entries)
        out << nouns::nounOf(e);
    return out;
}

/// The nouns the game still holds for the rounds of this pass.
QStringList pool(Screen *w) {
    if (auto *m = qobject_cast<memo *>(w))
        return m->game().pool();
    if (auto *c = qobject_cast<Form7 *>(w))
        return nounsOf(c->carpet().poolFiles());
    return nounsOf(qobject_cast<galgen *>(w)->wordPool());
}

/// The nouns of the round on show.
QStringList onShow(Screen *w) {
    if (auto *m = qobject_cast<memo *>(w))
        return m->game().gameWords();
    if (auto *c = qobject_cast<Form7 *>(w))
        return {c->carpet().noun()};
    return {qobject_cast<galgen *>(w)->game().secret()};
}

/// The next round, as the child reaches it.
void nextRound(WindowFixture &f, Screen *w, ScreenId id) {
    if (qobject_cast<Form7 *>(w)) {
        control<QPushButton>(w, "Command3")->click(); // "N e u"
        return;
    }
    // Memory deals anew when it comes back; hangman's "Abbruch" starts one.
    control<QPushButton>(w, qobject_cast<memo *>(w) ? "Command1" : "Befehl1")->click();
    f.p.showScreen(id);
}

} // namespace

class GameNounsTest : public QObject {
    Q_OBJECT
private slots:
    void followTheNounList_data() {
        QTest::addColumn<int>("id");
        QTest::newRow("memory") << int(ScreenId::Memo);
        QTest::newRow("carpet") << int(ScreenId::Form7);
        QTest::newRow("hangman") << int(ScreenId::Galgen);
    }
    void followTheNounList() {
        QFETCH(int, id);
        const ScreenId screen = ScreenId(id);
        WindowFixture f(kTwelve);
        f.p.showScreen(screen);
        Screen *w = f.p.screen(screen);
        const QStringList before = pool(w);
        QVERIFY(!before.isEmpty());
        const QString gone = before.first();
        QStringList rest = kTwelve;
        rest.removeIf([&](const QString &e) { return nouns::nounOf(e) == gone; });
        // The picture is deleted and, at once, a filter adds another noun.
        f.p.setNouns(rest + QStringList{"dieZiege.jpg"});
        QStringList expected = before;
        expected.removeAll(gone);
        QCOMPARE(pool(w), expected); // nothing new before the refill
        int ziege = 0;
        for (int round = 0; round < 30; ++round) {
            nextRound(f, w, screen);
            QVERIFY2(!onShow(w).contains(gone), qPrintable(onShow(w).join(' ')));
            QVERIFY(!onShow(w).contains(QString()));
            QVERIFY(!pool(w).contains(gone));
            ziege += onShow(w).count("Ziege");
        }
        QVERIFY(ziege > 0); // the new list came in at a refill
    }

    // Hangman's due cards of a noun whose picture went are dropped too, and
    // a round whose picture went meanwhile ends without an empty frame.
    void hangmanRoundWithoutItsPicture() {
        WindowFixture f({"derHund.jpg"});
        f.dir.addPicture("derHund.jpg");
        auto *w = f.open<galgen>(ScreenId::Galgen);
        QCOMPARE(w->game().secret(), QString("Hund"));
        f.dir.remove("derHund.jpg");
        f.p.setNouns({});
        auto *board = control<LetterBoard>(w, "Liste1");
        for (const QChar letter : QString("HUND"))
            for (int i = 0; i < board->count(); ++i)
                if (board->item(i)->text().at(1) == letter) {
                    board->item(i)->setSelected(true);
                    f.p.dialogsRec.onShow = [&](const RecordingDialogs::Box &) {
                        QVERIFY(!control<QWidget>(w, "Image1")->isVisible());
                    };
                    w->playKey(board->item(i));
                    break;
                }
        QVERIFY(f.box().contains("Versuche"));
    }
};

QTEST_MAIN(GameNounsTest)
#include "gamenouns_test.moc"
