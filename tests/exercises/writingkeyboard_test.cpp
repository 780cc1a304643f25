// The on-screen keyboard under copy and dictation: a word written on it
// leaves the same trace as on the real keyboard, its keys follow the letter
// filter, and with the switch off the windows (hangman's too) are as they were.

#include "core/palette.h"
#include "exercises/Form10.h"
#include "exercises/Form9.h"
#include "games/galgen.h"
#include "records/recordstore.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"
#include "ui/screenkeyboard.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Scripts: letters as typed, '^' shift, '<' back, '>' Return ("fertig").
void onKeyboard(ScreenKeyboard *k, const QChar c) {
    QString name = c == u'^'   ? QStringLiteral("Großbuchstabe")
                   : c == u'<' ? QStringLiteral("Löschen")
                   : c == u'>' ? QStringLiteral("fertig")
                               : QString(c);
    if (k->isShifted() && name.size() == 1)
        name = name.toUpper() == QStringLiteral("SS") ? name : name.toUpper();
    QAbstractButton *key = k->key(name);
    if (!key)
        qFatal("no key %s", qPrintable(name));
    QTest::mouseClick(key, Qt::LeftButton);
}

void onRealKeyboard(QLineEdit *e, bool &shift, const QChar c) {
    if (c == u'^') {
        shift = !shift;
        return;
    }
    if (c == u'<') {
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_Backspace, QStringLiteral("\b"), {});
        return;
    }
    if (c == u'>') {
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_Return, QStringLiteral("\r"), {});
        return;
    }
    const QString upper = c == u'ß' ? QString(c) : QString(c).toUpper();
    const auto key = Qt::Key(upper.at(0).unicode());
    if (shift) {
        QTest::sendKeyEvent(QTest::Press, e, Qt::Key_Shift, QString(), {});
        QTest::sendKeyEvent(QTest::Click, e, key, upper, Qt::ShiftModifier);
        QTest::sendKeyEvent(QTest::Release, e, Qt::Key_Shift, QString(), Qt::ShiftModifier);
        shift = false;
    } else {
        QTest::sendKeyEvent(QTest::Click, e, key, QString(c), {});
    }
}

void keyboardOn(WindowFixture &f, bool on = true) {
    f.p.changeExtras([on](Extras &e) { e.screenKeyboard = on; });
}

/// What the child sees and what was kept, after every step of a script.
QStringList play(const QString &screen, const QString &entry, const QString &script,
                 bool withKeyboard) {
    QTemporaryDir records;
    records::RecordStore store(records.path());
    WindowFixture f({entry, "dasAuto.jpg"});
    f.p.recordStore = &store;
    f.p.state().setNameField("Ben");
    keyboardOn(f);
    f.p.randomRec.pushIndex(0, 2);
    WritingScreen *w = screen == "copy"
                           ? static_cast<WritingScreen *>(f.open<Form9>(ScreenId::Form9))
                           : f.open<Form10>(ScreenId::Form10);
    auto *text = control<QLineEdit>(w, "Text1");
    auto *keyboard = control<ScreenKeyboard>(w, "Bildschirmtastatur");
    QStringList trace;
    bool shift = false;
    for (const QChar c : script) {
        if (withKeyboard)
            onKeyboard(keyboard, c);
        else
            onRealKeyboard(text, shift, c);
        trace << QStringList{text->text(),
                             w->shownEntry(),
                             QString::number(f.boxes()),
                             QString::number(control<Canvas>(w, "Picture1")->isVisible()),
                             QString::number(control<QLabel>(w, "Label2")->isVisible()),
                             QString::number(w->focusWidget() == text)}
                     .join(u'|');
    }
    control<QPushButton>(w, "Command1")->click(); // a word left half written is an answer too
    for (int i = 0; i < f.boxes(); ++i)
        trace << f.box(i);
    trace << QStringLiteral("log:") +
                 f.p.log(screen == "copy" ? LogList::Abschrift : LogList::Diktat).join(u',');
    for (const records::Record &r : records::RecordStore::read(store.pathFor("Ben")))
        trace << QStringList{r.entry, QString::number(r.right), r.given}.join(u'|');
    return trace;
}

} // namespace

class WritingKeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void sameAsTheRealKeyboard_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("logged");
        auto row = [](const char *name, const char *screen, const char *entry, const char *script,
                      const char *logged) {
            QTest::newRow(name) << QString(screen) << QString(entry) << QString(script)
                                << QString(logged);
        };
        row("copy right", "copy", "derHund.jpg", "^hund", "Hund");
        row("copy lower-case start", "copy", "derHund.jpg", "hund", "");
        row("copy mended with back", "copy", "derHund.jpg", "^hx<und", "Hund");
        row("copy shift twice is no shift", "copy", "derHund.jpg", "^^hu", "");
        row("copy umlaut", "copy", "dieÄpfel.jpg", "^äpfel", "Äpfel");
        row("copy sharp s", "copy", "derFuß.jpg", "^fuß", "Fuß");
        row("copy Return half way", "copy", "derHund.jpg", "^hu>nd>", "Hund");
        row("copy capital inside", "copy", "derHund.jpg", "^h^u", "");
        row("copy back on empty", "copy", "derHund.jpg", "<^hund", "Hund");
        row("dictation right", "dictation", "derHund.jpg", "^hund", "Hund");
        row("dictation wrong, then back", "dictation", "derHund.jpg", "^hx<<", "");
        row("dictation wrong kept", "dictation", "dieMaus.jpg", "^mau^s<s", "Maus");
    }
    void sameAsTheRealKeyboard() {
        QFETCH(QString, screen);
        QFETCH(QString, entry);
        QFETCH(QString, script);
        QFETCH(QString, logged);
        const QStringList onScreen = play(screen, entry, script, true);
        const QStringList real = play(screen, entry, script, false);
        QCOMPARE(onScreen, real);
        QVERIFY2(real.contains(QStringLiteral("log:") + logged), qPrintable(real.join(u'\n')));
    }

    // Shift is one-shot and shown on the keys; back deletes one letter.
    void shiftOnceAndBack() {
        WindowFixture f({"derHund.jpg"});
        keyboardOn(f);
        auto *w = f.open<Form9>(ScreenId::Form9);
        auto *k = control<ScreenKeyboard>(w, "Bildschirmtastatur");
        auto *text = control<QLineEdit>(w, "Text1");
        QCOMPARE(k->keyTexts().first(), QStringLiteral("a"));
        QTest::mouseClick(k->key("Großbuchstabe"), Qt::LeftButton);
        QVERIFY(k->isShifted());
        QCOMPARE(k->keyTexts().first(), QStringLiteral("A"));
        QCOMPARE(k->keyTexts().at(21), QStringLiteral("ß"));
        QTest::mouseClick(k->key("H"), Qt::LeftButton);
        QVERIFY(!k->isShifted());
        QCOMPARE(k->keyTexts().first(), QStringLiteral("a"));
        QTest::mouseClick(k->key("u"), Qt::LeftButton);
        QCOMPARE(text->text(), QStringLiteral("Hu"));
        QTest::mouseClick(k->key("Löschen"), Qt::LeftButton);
        QCOMPARE(text->text(), QStringLiteral("H"));
        QCOMPARE(w->focusWidget(), text);
        QCOMPARE(f.boxes(), 0);
        for (QAbstractButton *b : k->findChildren<QAbstractButton *>()) {
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
            QVERIFY(!b->accessibleName().isEmpty());
        }
    }

    void keysAreTheFilterLetters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("keys");
        QTest::newRow("unfiltered: all thirty") << ""
                                                << "aäbcdefghijklmnoöpqrsßtuüvwxyz";
        QTest::newRow("list order") << "UNDH"
                                    << "dhnu";
        QTest::newRow("umlauts and sharp s on keys of their own") << "ßÜAä"
                                                                  << "aäßü";
        QTest::newRow("any case") << "hUnD"
                                  << "dhnu";
        QTest::newRow("nothing outside the list") << "-1 A"
                                                  << "a";
    }
    void keysAreTheFilterLetters() {
        QFETCH(QString, filter);
        QFETCH(QString, keys);
        WindowFixture f;
        f.p.state().setNouns({"derHund.jpg"}, {"derHund.jpg", "dieKatze.jpg"}, filter);
        keyboardOn(f);
        auto *w = f.open<Form10>(ScreenId::Form10);
        auto *k = control<ScreenKeyboard>(w, "Bildschirmtastatur");
        QCOMPARE(k->keyTexts().join(QString()), keys);
        QVERIFY(k->isVisible());
        // Vowels in the teacher's vowel colour, consonants in the consonant colour.
        f.p.state().setColours(9, 2, Qt::white);
        for (const QString &letter : k->keyTexts()) {
            const QImage key = k->key(letter)->grab().toImage();
            const bool vowel = palette::isVowel(letter.at(0));
            QVERIFY2(countColour(key, palette::colour(vowel ? 9 : 2)) > 20, qPrintable(letter));
            QCOMPARE(countColour(key, palette::colour(vowel ? 2 : 9)), 0);
        }
        // A new filter reaches an open window.
        f.p.state().setNouns({"derHund.jpg"}, {"derHund.jpg"}, QStringLiteral("HUNDA"));
        QCOMPARE(k->keyTexts().join(QString()), QStringLiteral("adhnu"));
    }

    // Off, nothing is there; on, the window grows downward by the band, with
    // keys of full size, and stays on the screen; off again, it is what it was
    // to the pixel. Hangman's window too.
    void switchOffLeavesTheWindowsAsTheyWere_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QSize>("client");
        QTest::newRow("copy") << int(ScreenId::Form9) << QSize(722, 577);
        QTest::newRow("dictation") << int(ScreenId::Form10) << QSize(721, 576);
        QTest::newRow("hangman") << int(ScreenId::Galgen) << QSize(554, 378);
    }
    void switchOffLeavesTheWindowsAsTheyWere() {
        QFETCH(int, id);
        QFETCH(QSize, client);
        WindowFixture f({"derHund.jpg"});
        auto *w = f.open<Screen>(ScreenId(id));
        auto *k = control<ScreenKeyboard>(w, "Bildschirmtastatur");
        QCOMPARE(w->size(), client);
        QVERIFY(!k->isVisible());
        QVERIFY(k->keyTexts().isEmpty()); // no key was ever made
        const QImage before = w->grab().toImage();
        keyboardOn(f);
        QVERIFY(k->isVisible());
        QCOMPARE(w->width(), client.width());
        QCOMPARE(w->height(), client.height() + k->height());
        QCOMPARE(k->geometry(), QRect(0, client.height(), client.width(), k->height()));
        QCOMPARE(k->keySize(), ScreenKeyboard::kKeySize);
        w->centre();
        QVERIFY(w->screen()->availableGeometry().contains(w->frameGeometry()));
        keyboardOn(f, false);
        QVERIFY(!k->isVisible());
        QCOMPARE(w->size(), client);
        QCOMPARE(w->grab().toImage(), before);
    }

    // Below the window with the largest keys that fit; beside it where only
    // the side has room; below with the smallest keys where nothing fits.
    void fit_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QSize>("room");
        QTest::addColumn<bool>("beside");
        QTest::addColumn<int>("keySize");
        QTest::addColumn<QSize>("band");
        // 722 px wide: 13 keys of 48 px a row; 30 letters and 4 slots of shift,
        // back and "fertig" make 3 rows.
        QTest::newRow("room below") << "" << QSize(0, 500) << false << 48 << QSize(0, 160);
        QTest::newRow("exactly enough") << "" << QSize(0, 160) << false << 48 << QSize(0, 160);
        QTest::newRow("smaller keys in two rows")
            << "" << QSize(0, 120) << false << 38 << QSize(0, 88);
        QTest::newRow("few letters, one row")
            << "HUND" << QSize(0, 56) << false << 48 << QSize(0, 56);
        QTest::newRow("no room below, some beside")
            << "" << QSize(131, 0) << true << 38 << QSize(130, 0);
        QTest::newRow("no room anywhere") << "" << QSize(60, 20) << false << 30 << QSize(0, 72);
    }
    void fit() {
        QFETCH(QString, filter);
        QFETCH(QSize, room);
        QFETCH(bool, beside);
        QFETCH(int, keySize);
        QFETCH(QSize, band);
        WindowFixture f;
        f.p.state().setNouns({"derHund.jpg"}, {"derHund.jpg"}, filter);
        keyboardOn(f);
        auto *w = f.open<Form9>(ScreenId::Form9);
        auto *k = control<ScreenKeyboard>(w, "Bildschirmtastatur");
        const ScreenKeyboard::Fit fit = k->fitFor(QSize(722, 577), room);
        QCOMPARE(fit.beside, beside);
        QCOMPARE(fit.keySize, keySize);
        QCOMPARE(fit.band, band);
    }
};

QTEST_MAIN(WritingKeyboardTest)
#include "writingkeyboard_test.moc"
