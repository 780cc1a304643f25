// Article choice and "Ich sehe": answers, messages, logging, skipping and
// the choice of the landscape or portrait frame.

#include "exercises/Form3.h"
#include "exercises/Form4.h"
#include "support/fakeprogram.h"
#include "support/picturedir.h"

#include <QPushButton>
#include <QtTest>

class ExArticleTest : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void confirmationsOffIsSilent();
    void arrowsSkipAlike();
    void singleNounRefillsEveryDraw();
    void frameByOrientation_data();
    void frameByOrientation();
};

static QPushButton *button(Screen *w, const QString &caption) {
    for (QPushButton *b : w->findChildren<QPushButton *>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

void ExArticleTest::answers_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("right");
    const int f3 = int(ScreenId::Form3), f4 = int(ScreenId::Form4);
    QTest::newRow("der right") << f3 << "derHund.jpg"
                               << "der" << true;
    QTest::newRow("upper-case file") << f3 << "DASHAUS.JPG"
                                     << "das" << true;
    QTest::newRow("die for der") << f3 << "derHund.jpg"
                                 << "die" << false;
    QTest::newRow("das for die") << f3 << "dieKatze.gif"
                                 << "das" << false;
    QTest::newRow("ein das") << f4 << "dasHaus.jpg"
                             << "ein" << true;
    QTest::newRow("eine die") << f4 << "DieKatze.bmp"
                              << "eine" << true;
    QTest::newRow("einen der") << f4 << "derHund.jpg"
                               << "einen" << true;
    QTest::newRow("ein der") << f4 << "derHund.jpg"
                             << "ein" << false;
    QTest::newRow("einen die") << f4 << "dieKatze.jpg"
                               << "einen" << false;
}

void ExArticleTest::answers() {
    QFETCH(int, screen);
    QFETCH(QString, entry);
    QFETCH(QString, button);
    QFETCH(bool, right);
    PictureDir dir;
    FakeProgram p;
    p.setNouns({entry, "dasAuto.jpg"});
    p.randomRec.pushIndex(0, 2);
    const auto id = ScreenId(screen);
    p.showScreen(id);
    Screen *w = p.screen(id);
    auto *frame = dynamic_cast<ExerciseFrame *>(w);
    const QString shown = frame->Label1;
    ::button(w, button)->click();

    const bool f3 = id == ScreenId::Form3;
    const LogList log = f3 ? LogList::Begleiter : LogList::Ergaenzen;
    QCOMPARE(p.dialogsRec.boxes.size(), 1);
    if (right) {
        QCOMPARE(p.dialogsRec.last().title, QStringLiteral("Lösung"));
        QCOMPARE(p.dialogsRec.last().text,
                 QStringLiteral("Hallo Gast !\r\rDer Begleiter ist richtig, weiter nun!\r\r"));
        QCOMPARE(p.log(log), QStringList{shown.mid(4)});
        QCOMPARE(frame->Label1, QStringLiteral("das Auto"));
    } else {
        QCOMPARE(p.dialogsRec.last().title, QStringLiteral("Fehler"));
        QCOMPARE(
            p.dialogsRec.last().text,
            f3 ? QStringLiteral("Hallo Gast !\r\rDas stimmt leider nicht, überlege nochmal!\r\r")
               : QStringLiteral("Hallo Gast !\r\rDas stimmt leider nicht!\r\r"));
        QVERIFY(p.log(log).isEmpty());
        QCOMPARE(frame->Label1, shown); // the noun stays
    }
}

void ExArticleTest::confirmationsOffIsSilent() {
    PictureDir dir;
    FakeProgram p;
    p.options[Option::Bestaetigungen] = false;
    p.setNouns({"derHund.jpg"});
    p.showScreen(ScreenId::Form3);
    auto *w = screenAs<Form3>(p, ScreenId::Form3);
    w->Command2->click();
    w->Command3->click();
    QCOMPARE(p.dialogsRec.boxes.size(), 1); // only the wrong answer speaks
    QCOMPARE(p.dialogsRec.last().title, QStringLiteral("Fehler"));
    QCOMPARE(p.log(LogList::Begleiter), QStringList{"Hund"});
}

void ExArticleTest::arrowsSkipAlike() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg", "dieKatze.jpg", "dasHaus.jpg", "dasAuto.jpg"});
    p.randomRec.script << 0.0 << 0.0 << 0.0;
    p.showScreen(ScreenId::Form3);
    auto *w = screenAs<Form3>(p, ScreenId::Form3);
    QCOMPARE(w->Label1, QStringLiteral("der Hund"));
    w->Command5->click();
    QCOMPARE(w->Label1, QStringLiteral("die Katze"));
    w->Command6->click();
    QCOMPARE(w->Label1, QStringLiteral("das Haus"));
    QCOMPARE(w->List1, QStringList{"dasAuto.jpg"});
    QVERIFY(p.log(LogList::Begleiter).isEmpty()); // skipped nouns are not logged
    QVERIFY(p.dialogsRec.boxes.isEmpty());
}

void ExArticleTest::singleNounRefillsEveryDraw() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg"});
    p.showScreen(ScreenId::Form4);
    auto *w = screenAs<Form4>(p, ScreenId::Form4);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(w->Label1, QStringLiteral("der Hund"));
        w->Command6->click();
    }
    QCOMPARE(p.log(LogList::Ergaenzen).size(), 3);
}

void ExArticleTest::frameByOrientation_data() {
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<bool>("landscape");
    QTest::newRow("wide") << QSize(60, 40) << true;
    QTest::newRow("square") << QSize(50, 50) << true;
    QTest::newRow("tall") << QSize(40, 60) << false;
    // Both sides beyond 32767 twips: the stored size is clipped, the frame is not.
    QTest::newRow("tall photo") << QSize(2400, 3200) << false;
    QTest::newRow("wide photo") << QSize(3200, 2400) << true;
}

void ExArticleTest::frameByOrientation() {
    QFETCH(QSize, pixels);
    QFETCH(bool, landscape);
    PictureDir dir;
    dir.addPicture("derHund.jpg", pixels);
    FakeProgram p;
    p.setNouns({"derHund.jpg"});
    p.showScreen(ScreenId::Form3);
    auto *w = screenAs<Form3>(p, ScreenId::Form3);
    QCOMPARE(!w->Image1->picture().isNull(), landscape);
    QCOMPARE(!w->Image2->picture().isNull(), !landscape);
    QCOMPARE(int(p.pictureWidth), qMin(32767, pixels.width() * 15));
    QCOMPARE(int(p.pictureHeight), qMin(32767, pixels.height() * 15));
    // The frames keep their laid-out size.
    QCOMPARE(w->Image1->twipsRect(), QRect(2760, 840, 5295, 3855));
    w->Command1->click();
    QVERIFY(w->Image1->picture().isNull() && w->Image2->picture().isNull() && w->Image3.isNull());
}

QTEST_MAIN(ExArticleTest)
#include "exarticle_test.moc"
