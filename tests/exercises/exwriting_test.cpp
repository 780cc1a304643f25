// Copy and dictation: the keystroke-by-keystroke check, its messages and
// log lines, the display choice, what dictation hides and shows, the focus.

#include "exercises/Form10.h"
#include "exercises/Form9.h"
#include "platform/canvas.h"
#include "support/fakeprogram.h"
#include "support/picturedir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class ExWritingTest : public QObject {
    Q_OBJECT
private slots:
    void copyKeystrokes_data();
    void copyKeystrokes();
    void copyDisplayChoice();
    void copyFocus();
    void dictationHidesAndShows();
    void dictationRightNoun();
};

// Types text into a line edit; '\b' is a backspace. Each character goes as
// its own key event so umlauts arrive intact.
static void type(QLineEdit *e, const QString &keys) {
    for (const QChar c : keys) {
        if (c == QLatin1Char('\b')) {
            QTest::keyClick(e, Qt::Key_Backspace);
            continue;
        }
        QTest::sendKeyEvent(QTest::Press, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

static int errors(const FakeProgram &p) {
    int n = 0;
    for (const auto &b : p.dialogsRec.boxes)
        if (b.title == QLatin1String("Fehler")) {
            ++n;
            if (b.text != QStringLiteral("Hallo Gast !\r\rDie Eingabe bitte prüfen!\r\r"))
                return -1;
        }
    return n;
}

void ExWritingTest::copyKeystrokes_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("errors");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("right") << "derHund.jpg"
                           << "Hund" << 0 << true;
    QTest::newRow("lower-case start") << "derHund.jpg"
                                      << "hund" << 4 << false;
    QTest::newRow("mended") << "derHund.jpg"
                            << "Hx\bund" << 1 << true;
    QTest::newRow("deleted back") << "derHund.jpg"
                                  << "Hun\b\b\b" << 0 << false;
    QTest::newRow("umlaut") << "dieÄPFEL.jpg"
                            << "Äpfel" << 0 << true;
    QTest::newRow("upper-case inside") << "derFUSSBALL.wmf"
                                       << "FU" << 1 << false;
}

void ExWritingTest::copyKeystrokes() {
    QFETCH(QString, entry);
    QFETCH(QString, keys);
    QFETCH(int, errors);
    QFETCH(bool, accepted);
    PictureDir dir;
    FakeProgram p;
    p.setNouns({entry, "dasAuto.jpg"});
    p.randomRec.pushIndex(0, 2);
    p.showScreen(ScreenId::Form9);
    auto *w = screenAs<Form9>(p, ScreenId::Form9);
    const QString target = w->Label1;
    type(w->Text1, keys);
    QCOMPARE(::errors(p), errors);
    QCOMPARE(p.log(LogList::Abschrift), accepted ? QStringList{target} : QStringList());
    if (accepted) {
        QCOMPARE(p.dialogsRec.last().title, QStringLiteral("Abschrift"));
        QCOMPARE(p.dialogsRec.last().text,
                 QStringLiteral("Hallo Gast !\r\rDas Wort wurde richtig geschrieben!\r\r"));
        QCOMPARE(w->Label1, QStringLiteral("Auto"));
        QVERIFY(w->Text1->text().isEmpty());
    } else {
        QCOMPARE(w->Label1, target);
    }
}

void ExWritingTest::copyDisplayChoice() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg"});
    p.showScreen(ScreenId::Form9);
    auto *w = screenAs<Form9>(p, ScreenId::Form9);
    QVERIFY(w->Option3->isChecked());
    w->Option1->click();
    QVERIFY(w->Image1->isVisible() && !w->Picture1->isVisible());
    w->Option2->click();
    QVERIFY(!w->Image1->isVisible() && !w->Image2->isVisible() && w->Picture1->isVisible());
    QCOMPARE(w->focusWidget(), w->Text1);
    // The choice survives leaving, not closing.
    w->Command1->click();
    p.showScreen(ScreenId::Form9);
    QVERIFY(w->Option2->isChecked() && !w->Image1->isVisible());
    w->closeByTitleBar();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    p.showScreen(ScreenId::Form9);
    QVERIFY(screenAs<Form9>(p, ScreenId::Form9)->Option3->isChecked());
}

void ExWritingTest::copyFocus() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg"});
    p.showScreen(ScreenId::Form9);
    auto *w = screenAs<Form9>(p, ScreenId::Form9);
    QWidget *targets[] = {w->Label2, w->Picture1, w};
    for (QWidget *t : targets) {
        w->Command3->setFocus();
        QTest::mouseClick(t, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(w->focusWidget(), w->Text1);
    }
}

void ExWritingTest::dictationHidesAndShows() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg"});
    p.showScreen(ScreenId::Form10);
    auto *w = screenAs<Form10>(p, ScreenId::Form10);
    QVERIFY(w->Picture1->isVisible() && w->Label2->isVisible());
    type(w->Text1, "H");
    QVERIFY(!w->Picture1->isVisible() && !w->Label2->isVisible());
    QVERIFY(w->Image1->isVisible());
    type(w->Text1, "\b");
    QVERIFY(!w->Picture1->isVisible()); // deleting brings nothing back
    type(w->Text1, "Hx");
    QCOMPARE(errors(p), 1);
    QVERIFY(w->Picture1->isVisible() && !w->Label2->isVisible());
    type(w->Text1, "\b");
    QVERIFY(!w->Picture1->isVisible());
    QCOMPARE(w->focusWidget(), w->Text1);
    // A skip, and coming back, show the next noun in full.
    w->Command3->click();
    QVERIFY(w->Picture1->isVisible() && w->Label2->isVisible());
    type(w->Text1, "H");
    w->Command1->click();
    p.showScreen(ScreenId::Form10);
    QVERIFY(w->Picture1->isVisible() && w->Label2->isVisible());
}

void ExWritingTest::dictationRightNoun() {
    PictureDir dir;
    FakeProgram p;
    p.setNouns({"derHund.jpg", "dieKatze.jpg"});
    p.randomRec.pushIndex(0, 2);
    p.showScreen(ScreenId::Form10);
    auto *w = screenAs<Form10>(p, ScreenId::Form10);
    type(w->Text1, "Hund");
    QCOMPARE(p.log(LogList::Diktat), QStringList{"Hund"});
    QCOMPARE(p.dialogsRec.boxes.size(), 1);
    QCOMPARE(p.dialogsRec.last().title, QStringLiteral("Abschrift"));
    QVERIFY(w->Picture1->isVisible() && w->Label2->isVisible());
    QCOMPARE(w->Label1, QStringLiteral("Katze"));

    p.options[Option::Bestaetigungen] = false;
    type(w->Text1, "Katze");
    QCOMPARE(p.log(LogList::Diktat), (QStringList{"Hund", "Katze"}));
    QCOMPARE(p.dialogsRec.boxes.size(), 1);
}

QTEST_MAIN(ExWritingTest)
#include "exwriting_test.moc"
