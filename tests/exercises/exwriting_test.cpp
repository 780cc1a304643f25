// Copy and dictation: the keystroke-by-keystroke check, the display choice,
// what dictation hides and shows, the focus.

#include "exercises/Form10.h"
#include "exercises/Form9.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

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

// Error boxes, or -1 when one of them has the wrong text.
static int errors(const WindowFixture &f) {
    int n = 0;
    for (int i = 0; i < f.boxes(); ++i)
        if (f.box(i).startsWith("Fehler"))
            n = f.box(i) == "Fehler | Hallo Gast !\r\rDie Eingabe bitte prüfen!\r\r" && n >= 0
                    ? n + 1
                    : -1;
    return n;
}

static void row(const char *name, const char *entry, const char *keys, int errors, bool ok) {
    QTest::newRow(name) << QString(entry) << QString(keys) << errors << ok;
}

class ExWritingTest : public QObject {
    Q_OBJECT
private slots:
    void copyKeystrokes_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("errors");
        QTest::addColumn<bool>("accepted");
        row("lower-case start", "derHund.jpg", "hund", 4, false);
        row("mended", "derHund.jpg", "Hx\bund", 1, true);
        row("deleted back", "derHund.jpg", "Hun\b\b\b", 0, false);
        row("umlaut", "dieÄPFEL.jpg", "Äpfel", 0, true);
        row("upper-case inside", "derFUSSBALL.wmf", "FU", 1, false);
    }

    void copyKeystrokes() {
        QFETCH(QString, entry);
        QFETCH(QString, keys);
        QFETCH(int, errors);
        QFETCH(bool, accepted);
        WindowFixture f({entry, "dasAuto.jpg"});
        f.p.randomRec.pushIndex(0, 2);
        auto *w = f.open<Form9>(ScreenId::Form9);
        const QString target = w->shownEntry();
        type(control<QLineEdit>(w, "Text1"), keys);
        QCOMPARE(::errors(f), errors);
        QCOMPARE(f.p.log(LogList::Abschrift), accepted ? QStringList{target} : QStringList());
        QCOMPARE(w->shownEntry(), accepted ? QStringLiteral("Auto") : target);
        QVERIFY(!accepted || control<QLineEdit>(w, "Text1")->text().isEmpty());
    }

    void copyDisplayChoiceAndFocus() {
        WindowFixture f({"derHund.jpg"});
        auto *w = f.open<Form9>(ScreenId::Form9);
        QVERIFY(control<QRadioButton>(w, "Option3")->isChecked());
        control<QRadioButton>(w, "Option1")->click();
        QVERIFY(control<PictureFrame>(w, "Image1")->isVisible() &&
                !control<Canvas>(w, "Picture1")->isVisible());
        control<QRadioButton>(w, "Option2")->click();
        QVERIFY(!control<PictureFrame>(w, "Image1")->isVisible() &&
                !control<PictureFrame>(w, "Image2")->isVisible() &&
                control<Canvas>(w, "Picture1")->isVisible());
        // Clicks anywhere bring the focus back to the input.
        for (QWidget *t :
             {static_cast<QWidget *>(control<QLabel>(w, "Label2")), static_cast<QWidget *>(w)}) {
            control<QPushButton>(w, "Command3")->setFocus();
            QTest::mouseClick(t, Qt::LeftButton, {}, QPoint(2, 2));
            QCOMPARE(w->focusWidget(), control<QLineEdit>(w, "Text1"));
        }
        // The choice survives leaving, not closing.
        control<QPushButton>(w, "Command1")->click();
        f.open<Form9>(ScreenId::Form9);
        QVERIFY(control<QRadioButton>(w, "Option2")->isChecked() &&
                !control<PictureFrame>(w, "Image1")->isVisible());
        w->closeByTitleBar();
        WindowFixture::flushDeletes();
        QVERIFY(control<QRadioButton>(f.open<Form9>(ScreenId::Form9), "Option3")->isChecked());
    }

    void dictationHidesAndShows() {
        WindowFixture f({"derHund.jpg"});
        auto *w = f.open<Form10>(ScreenId::Form10);
        QVERIFY(control<Canvas>(w, "Picture1")->isVisible() &&
                control<QLabel>(w, "Label2")->isVisible());
        type(control<QLineEdit>(w, "Text1"), "H");
        QVERIFY(!control<Canvas>(w, "Picture1")->isVisible() &&
                !control<QLabel>(w, "Label2")->isVisible() &&
                control<PictureFrame>(w, "Image1")->isVisible());
        type(control<QLineEdit>(w, "Text1"), "\b");
        QVERIFY(!control<Canvas>(w, "Picture1")->isVisible()); // deleting brings nothing back
        type(control<QLineEdit>(w, "Text1"), "Hx");
        QCOMPARE(errors(f), 1);
        QVERIFY(control<Canvas>(w, "Picture1")->isVisible() &&
                !control<QLabel>(w, "Label2")->isVisible());
        type(control<QLineEdit>(w, "Text1"), "\b");
        QVERIFY(!control<Canvas>(w, "Picture1")->isVisible());
        QCOMPARE(w->focusWidget(), control<QLineEdit>(w, "Text1"));
        // A skip, and coming back, show the next noun in full.
        control<QPushButton>(w, "Command3")->click();
        QVERIFY(control<Canvas>(w, "Picture1")->isVisible() &&
                control<QLabel>(w, "Label2")->isVisible());
        type(control<QLineEdit>(w, "Text1"), "H");
        control<QPushButton>(w, "Command1")->click();
        f.open<Form10>(ScreenId::Form10);
        QVERIFY(control<Canvas>(w, "Picture1")->isVisible() &&
                control<QLabel>(w, "Label2")->isVisible());
    }
};

QTEST_MAIN(ExWritingTest)
#include "exwriting_test.moc"
