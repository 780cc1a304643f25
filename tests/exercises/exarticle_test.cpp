// Article choice and "Ich sehe": answers, messages, logging, skipping and
// the choice of the landscape or portrait frame.

#include "exercises/Form3.h"
#include "exercises/Form4.h"
#include "support/windowfixture.h"

#include <QPushButton>
#include <QtTest>

static void row(const char *name, ScreenId id, const char *entry, const char *button, bool right) {
    QTest::newRow(name) << int(id) << QString(entry) << QString(button) << right;
}

class ExArticleTest : public QObject {
    Q_OBJECT
private slots:
    void answers_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("right");
        row("der right", ScreenId::Form3, "derHund.jpg", "der", true);
        row("upper-case file", ScreenId::Form3, "DASHAUS.JPG", "das", true);
        row("die for der", ScreenId::Form3, "derHund.jpg", "die", false);
        row("ein das", ScreenId::Form4, "dasHaus.jpg", "ein", true);
        row("eine die", ScreenId::Form4, "DieKatze.bmp", "eine", true);
        row("einen der", ScreenId::Form4, "derHund.jpg", "einen", true);
        row("ein der", ScreenId::Form4, "derHund.jpg", "ein", false);
        row("einen die", ScreenId::Form4, "dieKatze.jpg", "einen", false);
    }

    void answers() {
        QFETCH(int, screen);
        QFETCH(QString, entry);
        QFETCH(QString, button);
        QFETCH(bool, right);
        WindowFixture f({entry, "dasAuto.jpg"});
        f.p.randomRec.pushIndex(0, 2);
        const auto id = ScreenId(screen);
        auto *w = f.open<ExerciseFrame>(id);
        const QString shown = w->currentEntry();
        for (QPushButton *b : w->findChildren<QPushButton *>())
            if (b->text() == button)
                b->click();

        const bool f3 = id == ScreenId::Form3;
        QCOMPARE(f.boxes(), 1);
        QCOMPARE(f.box(),
                 right ? "Lösung | Hallo Gast !\r\rDer Begleiter ist richtig, weiter nun!\r\r"
                 : f3  ? "Fehler | Hallo Gast !\r\rDas stimmt leider nicht, überlege nochmal!\r\r"
                       : "Fehler | Hallo Gast !\r\rDas stimmt leider nicht!\r\r");
        QCOMPARE(f.p.log(f3 ? LogList::Begleiter : LogList::Ergaenzen),
                 right ? QStringList{shown.mid(4)} : QStringList());
        QCOMPARE(w->currentEntry(),
                 right ? QStringLiteral("das Auto") : shown); // a wrong answer keeps it
    }

    // Without confirmations only a wrong answer speaks.
    void confirmationsOffIsSilent() {
        WindowFixture f({"derHund.jpg"});
        f.p.options[Option::Bestaetigungen] = false;
        auto *w = f.open<Form3>(ScreenId::Form3);
        control<QPushButton>(w, "Command2")->click();
        control<QPushButton>(w, "Command3")->click();
        QCOMPARE(f.boxes(), 1);
        QVERIFY(f.box().startsWith("Fehler | "));
        QCOMPARE(f.p.log(LogList::Begleiter), QStringList{"Hund"});
    }

    void arrowsSkipAlike() {
        WindowFixture f({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg", "dasAuto.jpg"});
        f.p.randomRec.script << 0.0 << 0.0 << 0.0;
        auto *w = f.open<Form3>(ScreenId::Form3);
        QCOMPARE(w->currentEntry(), QStringLiteral("der Hund"));
        control<QPushButton>(w, "Command5")->click();
        QCOMPARE(w->currentEntry(), QStringLiteral("die Katze"));
        control<QPushButton>(w, "Command6")->click();
        QCOMPARE(w->currentEntry(), QStringLiteral("das Haus"));
        QCOMPARE(w->workingList(), QStringList{"dasAuto.jpg"});
        QVERIFY(f.p.log(LogList::Begleiter).isEmpty()); // skipped nouns are not logged
        QCOMPARE(f.boxes(), 0);
    }

    void singleNounRefillsEveryDraw() {
        WindowFixture f({"derHund.jpg"});
        auto *w = f.open<Form4>(ScreenId::Form4);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w->currentEntry(), QStringLiteral("der Hund"));
            control<QPushButton>(w, "Command6")->click();
        }
        QCOMPARE(f.p.log(LogList::Ergaenzen).size(), 3);
    }

    void frameByOrientation_data() {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("square") << QSize(50, 50) << true;
        QTest::newRow("tall") << QSize(40, 60) << false;
        // Both sides beyond 32767 twips: the stored size is clipped, the frame is not.
        QTest::newRow("tall photo") << QSize(2400, 3200) << false;
        QTest::newRow("wide photo") << QSize(3200, 2400) << true;
    }

    void frameByOrientation() {
        QFETCH(QSize, pixels);
        QFETCH(bool, landscape);
        WindowFixture f({"derHund.jpg"});
        f.dir.addPicture("derHund.jpg", pixels);
        auto *w = f.open<Form3>(ScreenId::Form3);
        QCOMPARE(!control<PictureFrame>(w, "Image1")->picture().isNull(), landscape);
        QCOMPARE(!control<PictureFrame>(w, "Image2")->picture().isNull(), !landscape);
        QCOMPARE(QSize(f.p.pictureWidth, f.p.pictureHeight),
                 (pixels * 15).boundedTo({32767, 32767}));
        QCOMPARE(control<PictureFrame>(w, "Image1")->twipsRect(),
                 QRect(2760, 840, 5295, 3855)); // the frame keeps its size
        control<QPushButton>(w, "Command1")->click();
        QVERIFY(control<PictureFrame>(w, "Image1")->picture().isNull() &&
                control<PictureFrame>(w, "Image2")->picture().isNull() &&
                w->measuredPicture().isNull());
    }
};

QTEST_MAIN(ExArticleTest)
#include "exarticle_test.moc"
