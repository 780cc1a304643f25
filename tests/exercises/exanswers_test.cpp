// Answers on every exercise screen (and a hangman letter): the message, the
// log line, the noun that follows and the one record each answer leaves.

#include "exercises/Form3.h"
#include "exercises/choicescreen.h"
#include "records/recordstore.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kWrong = QStringLiteral("Fehler | Hallo Gast !\r\rDas stimmt leider nicht");
const QString kArticle =
    QStringLiteral("Lösung | Hallo Gast !\r\rDer Begleiter ist richtig, weiter nun!\r\r");
const QString kWord =
    QStringLiteral("Lösung | Hallo Gast !\r\rDas Wort ist richtig, weiter nun!\r\r");
const QString kPicture =
    QStringLiteral("Lösung | Hallo Gast !\r\rDas Bild ist richtig, weiter nun!\r\r");
const QString kCopy =
    QStringLiteral("Abschrift | Hallo Gast !\r\rDas Wort wurde richtig geschrieben!\r\r");

// Gives the answer as the child would: the button of that text, the offered
// word or picture of that name, the typed word, the hangman letter.
void answer(Screen *s, ScreenId id, const QString &given) {
    if (id == ScreenId::Form3 || id == ScreenId::Form4) {
        for (QPushButton *b : s->findChildren<QPushButton *>())
            if (b->text() == given)
                b->click();
    } else if (id == ScreenId::Form5 || id == ScreenId::Form6) {
        auto *w = static_cast<ChoiceScreen *>(s);
        for (int i = 0; i < w->offer().size() && w->offer().value(w->offerIndex()) != given; ++i)
            control<QPushButton>(w, "Command6")->click();
        if (id == ScreenId::Form6) // the offered picture is the one shown
            QCOMPARE(w->measuredPicture().fileName(), given);
        QTest::mouseClick(id == ScreenId::Form5
                              ? static_cast<QWidget *>(control<Canvas>(w, "Picture1"))
                              : control<PictureFrame>(w, "Image1"),
                          Qt::LeftButton);
    } else if (id == ScreenId::Form9 || id == ScreenId::Form10) {
        control<QLineEdit>(s, "Text1")->setText(given);
    } else if (id == ScreenId::Galgen) {
        auto *board = control<QListWidget>(s, "Liste1");
        for (int i = 0; i < board->count(); ++i)
            if (board->item(i)->text().at(1) == given.at(0))
                clickItem(board, board->item(i));
    } // reading: showing a noun is the answer
}

} // namespace

class ExAnswersTest : public QObject {
    Q_OBJECT
private slots:
    void answers_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QStringList>("nouns"); // the first is drawn
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QString>("box"); // its start; empty: none
        // nouns: space-separated, dasAuto.jpg added when only one is given
        auto row = [](const char *name, ScreenId id, const char *nouns, const char *given,
                      bool right, bool confirm, LogList list, const char *logged,
                      const QString &box) {
            QStringList n = QString(nouns).split(u' ');
            if (n.size() < 2)
                n << "dasAuto.jpg";
            QTest::newRow(name) << int(id) << n << QString(given) << right << confirm << int(list)
                                << QString(logged) << box;
        };
        const char *hund = "derHund.jpg";
        using S = ScreenId;
        using L = LogList;
        const QString wrong3 = kWrong + ", überlege nochmal!\r\r", wrong4 = kWrong + "!\r\r";
        row("reading", S::Form2, hund, "", true, true, L::Lesen, "Hund", "");
        row("der right", S::Form3, hund, "der", true, true, L::Begleiter, "Hund", kArticle);
        row("upper-case file", S::Form3, "DASHAUS.JPG", "das", true, true, L::Begleiter, "Haus",
            kArticle);
        row("die for der", S::Form3, hund, "die", false, true, L::Begleiter, "", wrong3);
        row("no confirmations", S::Form3, hund, "der", true, false, L::Begleiter, "Hund", "");
        row("wrong, no confirmations", S::Form3, hund, "die", false, false, L::Begleiter, "",
            kWrong);
        row("ein das", S::Form4, "dasHaus.jpg", "ein", true, true, L::Ergaenzen, "Haus", kArticle);
        row("eine die", S::Form4, "DieKatze.bmp", "eine", true, true, L::Ergaenzen, "Katze",
            kArticle);
        row("einen der", S::Form4, hund, "einen", true, true, L::Ergaenzen, "Hund", kArticle);
        row("ein der", S::Form4, hund, "ein", false, true, L::Ergaenzen, "", wrong4);
        row("einen die", S::Form4, "dieKatze.jpg", "einen", false, true, L::Ergaenzen, "", wrong4);
        // Word choice praises even without confirmations; a wrong word is silent.
        row("word right", S::Form5, hund, "Hund", true, false, L::Wortwahl, "Hund", kWord);
        row("word wrong", S::Form5, hund, "Auto", false, true, L::Wortwahl, "", "");
        row("article goes once", S::Form5, "derDieb.jpg", "Dieb", true, true, L::Wortwahl, "Dieb",
            kWord);
        row("twin files", S::Form5, "derBall.gif derBall.jpg", "Ball", true, true, L::Wortwahl,
            "Ball", kWord);
        row("picture right", S::Form6, hund, hund, true, true, L::Bildwahl, "Hund", kPicture);
        row("picture wrong", S::Form6, hund, "dasAuto.jpg", false, true, L::Bildwahl, "", "");
        row("picture, no confirmations", S::Form6, hund, hund, true, false, L::Bildwahl, "Hund",
            "");
        // A picture whose name contains the noun counts as the noun's.
        row("containing the noun", S::Form6, "derHund.jpg derHundekorb.jpg", "derHundekorb.jpg",
            true, true, L::Bildwahl, "Hund", kPicture);
        row("other extension", S::Form6, "derHund.jpg DERHUND.GIF", "DERHUND.GIF", true, true,
            L::Bildwahl, "Hund", kPicture);
        row("copy right", S::Form9, hund, "Hund", true, true, L::Abschrift, "Hund", kCopy);
        row("copy wrong", S::Form9, hund, "Hx", false, true, L::Abschrift, "", "Fehler | ");
        row("dictation right", S::Form10, hund, "Hund", true, true, L::Diktat, "Hund", kCopy);
        row("dictation wrong", S::Form10, hund, "Hx", false, true, L::Diktat, "", "Fehler | ");
        row("dictation, no confirmations", S::Form10, hund, "Hund", true, false, L::Diktat, "Hund",
            "");
        row("hangman hit", S::Galgen, "derHund.jpg dieKatze.jpg", "N", true, true, L::Galgen, "",
            "");
        row("hangman miss", S::Galgen, "derHund.jpg dieKatze.jpg", "Z", false, true, L::Galgen, "",
            "");
    }

    void answers() {
        QFETCH(int, screen);
        QFETCH(QStringList, nouns);
        QFETCH(QString, given);
        QFETCH(bool, right);
        QFETCH(bool, confirm);
        QFETCH(int, list);
        QFETCH(QString, logged);
        QFETCH(QString, box);
        const auto id = ScreenId(screen);
        QTemporaryDir dir;
        records::RecordStore store(dir.path());
        WindowFixture f(nouns);
        f.p.recordStore = &store;
        f.p.setOption(Option::Bestaetigungen, confirm);
        f.p.randomRec.pushIndex(0, int(nouns.size()));
        f.p.showScreen(id);
        auto *w = dynamic_cast<ExerciseFrame *>(f.p.screen(id));
        const int draws = f.p.randomRec.calls;
        answer(f.p.screen(id), id, given);

        QCOMPARE(f.p.log(LogList(list)), logged.isEmpty() ? QStringList() : QStringList{logged});
        QCOMPARE(f.boxes(), box.isEmpty() ? 0 : 1);
        QCOMPARE(f.box().left(box.size()), box);
        if (w && id != ScreenId::Form2) // a right answer draws the next noun, a wrong one keeps it
            QCOMPARE(f.p.randomRec.calls > draws, right);
        // Records are kept beside the log and change nothing the child sees.
        // A noun read and a hangman letter are no answers; a word being
        // written wrong is judged when it is finished or left.
        const QList<records::Record> kept = records::RecordStore::read(store.pathFor("Gast"));
        const bool writing = id == ScreenId::Form9 || id == ScreenId::Form10;
        const bool judged = id != ScreenId::Form2 && id != ScreenId::Galgen && (right || !writing);
        QCOMPARE(kept.size(), judged ? 1 : 0);
        if (!judged)
            return;
        QCOMPARE(kept[0].exercise, exercises::recordId(LogList(list)));
        QCOMPARE(kept[0].entry, nouns[0]);
        QCOMPARE(kept[0].right, right);
        QCOMPARE(kept[0].given, given);
    }

    // Both arrows skip; a skipped noun is neither logged nor kept.
    void arrowsSkipAlike() {
        QTemporaryDir dir;
        records::RecordStore store(dir.path());
        WindowFixture f({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg", "dasAuto.jpg"});
        f.p.recordStore = &store;
        f.p.randomRec.script << 0.0 << 0.0 << 0.0;
        auto *w = f.open<Form3>(ScreenId::Form3);
        control<QPushButton>(w, "Command5")->click();
        control<QPushButton>(w, "Command6")->click();
        QCOMPARE(w->shownEntry(), QStringLiteral("das Haus"));
        QVERIFY(f.p.log(LogList::Begleiter).isEmpty());
        QVERIFY(records::RecordStore::read(store.pathFor("Freund")).isEmpty());
        QCOMPARE(f.boxes(), 0);
    }
};

QTEST_MAIN(ExAnswersTest)
#include "exanswers_test.moc"
