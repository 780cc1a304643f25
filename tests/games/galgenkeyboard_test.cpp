// The on-screen keyboard under hangman: a tap on a letter plays it as a click
// on the board's key does and the keys follow the letter filter (the window
// with the switch off: writingkeyboard_test).

#include "games/galgen.h"
#include "records/recordstore.h"
#include "support/windowfixture.h"
#include "ui/screenkeyboard.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QPointingDevice>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

namespace {

void keyboardOn(WindowFixture &f, bool on = true) {
    f.p.changeExtras([on](Extras &e) { e.screenKeyboard = on; });
}

ScreenKeyboard *keyboardOf(galgen *w) {
    return control<ScreenKeyboard>(w, "Bildschirmtastatur");
}

/// What the child sees and what was kept after every letter.
QStringList play(const QString &entry, const QString &letters, bool withKeyboard) {
    QTemporaryDir records;
    records::RecordStore store(records.path());
    WindowFixture f({entry});
    f.p.recordStore = &store;
    f.p.state().setNameField("Ben");
    keyboardOn(f);
    auto *w = f.open<galgen>(ScreenId::Galgen);
    auto *board = control<QListWidget>(w, "Liste1");
    QStringList trace;
    for (const QChar c : letters) {
        if (withKeyboard) {
            QAbstractButton *key = keyboardOf(w)->key(QString(c));
            if (!key)
                qFatal("no key %s", qPrintable(QString(c)));
            QTest::mouseClick(key, Qt::LeftButton);
        } else {
            for (int i = 0; i < board->count(); ++i)
                if (board->item(i)->text().at(1) == c)
                    clickItem(board, board->item(i));
        }
        QString marked;
        for (const QListWidgetItem *k : board->selectedItems())
            marked += k->text().trimmed();
        // The keys show the letters the board marks, however they were played.
        QString keysMarked;
        for (const QString &k : keyboardOf(w)->keyTexts())
            if (keyboardOf(w)->isMarked(k))
                keysMarked += k;
        QString boardOrder = marked;
        std::sort(boardOrder.begin(), boardOrder.end());
        std::sort(keysMarked.begin(), keysMarked.end());
        if (keysMarked != boardOrder)
            trace << QStringLiteral("keys marked %1, board %2").arg(keysMarked, boardOrder);
        trace << QStringList{w->game().mask(), QString::number(w->game().misses()), marked,
                             control<QLabel>(w, "Bezeichnung1")->text(), QString::number(f.boxes())}
                     .join(u'|');
    }
    for (int i = 0; i < f.boxes(); ++i)
        trace << f.box(i);
    trace << QStringLiteral("log:") + f.p.log(LogList::Galgen).join(u',');
    for (const records::Record &r : records::RecordStore::read(store.pathFor("Ben")))
        trace << QStringList{r.entry, QString::number(r.right), r.given}.join(u'|');
    return trace;
}

} // namespace

class GalgenKeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void sameAsTheBoard_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("logged");
        QTest::newRow("won") << "derHund.jpg"
                             << "XHUND"
                             << "Hund";
        QTest::newRow("twice the same letter") << "derHund.jpg"
                                               << "HH"
                                               << "";
        QTest::newRow("umlaut and sharp s") << "dieSüße.jpg"
                                            << "SÜßE"
                                            << "Süße";
        QTest::newRow("lost") << "derHund.jpg"
                              << "ABCEFGIJKL"
                              << "";
    }
    void sameAsTheBoard() {
        QFETCH(QString, entry);
        QFETCH(QString, letters);
        QFETCH(QString, logged);
        const QStringList onScreen = play(entry, letters, true);
        const QStringList board = play(entry, letters, false);
        QCOMPARE(onScreen, board);
        QVERIFY2(board.contains(QStringLiteral("log:") + logged), qPrintable(board.join(u'\n')));
        QVERIFY2(board.filter(QStringLiteral("keys marked")).isEmpty(),
                 qPrintable(board.join(u'\n')));
    }

    // Capitals as on the board, no shift, back or "fertig": a guess is
    // neither written nor taken back.
    void keysAreTheFilterLettersInCapitals() {
        WindowFixture f;
        f.p.state().setNouns({"derHund.jpg"}, {"derHund.jpg", "dieKatze.jpg"},
                             QStringLiteral("undhß"));
        keyboardOn(f);
        auto *w = f.open<galgen>(ScreenId::Galgen);
        auto *k = keyboardOf(w);
        QCOMPARE(k->keyTexts(), (QStringList{"D", "H", "N", "ß", "U"}));
        QCOMPARE(k->findChildren<QAbstractButton *>().size(), 5);
        for (QAbstractButton *b : k->findChildren<QAbstractButton *>())
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
    }

    void tapPlays() {
        WindowFixture f({"derHund.jpg"});
        keyboardOn(f);
        auto *w = f.open<galgen>(ScreenId::Galgen);
        QAbstractButton *key = keyboardOf(w)->key("U");
        const QPoint at = key->mapTo(w, key->rect().center());
        QPointingDevice *touch = QTest::createTouchDevice();
        QTest::touchEvent(w, touch).press(0, at);
        QTest::touchEvent(w, touch).release(0, at);
        QCoreApplication::processEvents();
        QCOMPARE(w->game().mask(), QStringLiteral(" _ u _ _"));
    }
};

QTEST_MAIN(GalgenKeyboardTest)
#include "galgenkeyboard_test.moc"
