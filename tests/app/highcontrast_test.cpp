// "Kontrast": every text of every window at least 4.5:1 against what it is
// drawn on (Qt's controls and the program's own drawings), a focus frame of
// at least 2 px, the colour panel's warning; and nothing of it while off.

#include "menufixture.h"

#include "app/classdialog.h"
#include "app/extrasdialog.h"
#include "core/contrast.h"
#include "core/settings.h"
#include "games/Form7.h"
#include "games/memo.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/highcontrast.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

class HighContrastTest : public QObject {
    Q_OBJECT

    static void setContrast(MenuFixture &f, bool on) {
        f.changeExtras([on](Extras &e) { e.highContrast = on; });
    }

    // Every text of a window (shown or parked) that is harder to read than 4.5:1.
    static QStringList unreadable(QWidget *window, int *drawn = nullptr) {
        QStringList bad;
        const QString where = QString::fromLatin1(window->metaObject()->className());
        auto check = [&](const QWidget *w, const QString &what, const QColor &text,
                         const QColor &ground) {
            // A text in its ground's own colour is a filled block, meant unseen.
            if (text != ground && contrast::ratio(text, ground) < contrast::kText)
                bad << QStringLiteral("%1/%2 %3 %4 on %5")
                           .arg(where, w->objectName(), what, text.name(), ground.name());
        };
        auto role = [&](const QWidget *w, QPalette::ColorRole r) {
            check(w, QString::number(int(r)), highcontrast::textColourOf(w, r),
                  highcontrast::backgroundOf(w, r));
        };
        QList<QWidget *> all = window->findChildren<QWidget *>();
        all.prepend(window);
        for (QWidget *w : all) {
            if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w))
                role(w, w->foregroundRole());
            if (qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractItemView *>(w)) {
                role(w, QPalette::Text);
                role(w, QPalette::HighlightedText);
            }
            if (auto *c = qobject_cast<Canvas *>(w))
                for (const Canvas::DrawnText &t : c->drawnTexts()) {
                    check(w, t.text, t.colour, t.ground);
                    if (drawn)
                        ++*drawn;
                }
        }
        return bad;
    }

private slots:
    // The main menu with every panel, each window it opens, and the dialogs.
    void everyTextReadable() {
        MenuFixture f;
        Form1 *m = f.startWith(20);
        QVERIFY(m);
        QVERIFY(unreadable(m).size() > 0); // the header's white on blue, as described
        setContrast(f, true);
        int drawn = 0;
        QStringList bad = unreadable(m, &drawn);
        for (int id = int(ScreenId::Form2); id <= int(ScreenId::Anlauttabelle); ++id) {
            f.program->showScreen(ScreenId(id));
            Screen *s = f.program->existing(ScreenId(id));
            QVERIFY(s);
            bad << unreadable(s, &drawn);
            f.program->leave(s);
        }
        Extras extras;
        ExtrasDialog dialog(extras, {}, m);
        bad << unreadable(&dialog);
        ClassDialog classes({"Anna", "Ben"}, false, {}, f.program->dialogs(), m);
        bad << unreadable(&classes);
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join("\n")));
        QVERIFY2(drawn > 40, qPrintable(QString::number(drawn))); // word strips, carpet, panel
    }

    // The drawn pixels follow: the header's white text turns dark, the found
    // letters' red strip darker red, and back again when the switch goes off.
    void drawnAsMeasured() {
        MenuFixture f;
        Form1 *m = f.startWith(20);
        QVERIFY(m);
        auto *header = f.get<QLabel>("Label1");
        auto whitePixels = [header] { return countColour(header->grab().toImage(), Qt::white); };
        // The initial "K" is a picture, in the yellow of the name beside it.
        auto *initial = f.get<QLabel>("Picture1");
        auto yellowPixels = [initial] {
            return countColour(initial->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                               QColor(255, 255, 0));
        };
        const QImage before = m->grab().toImage();
        QVERIFY(whitePixels() > 20);
        QVERIFY(yellowPixels() > 20);
        setContrast(f, true);
        QCOMPARE(whitePixels(), 0);
        QCOMPARE(yellowPixels(), 0);
        setContrast(f, false);
        QVERIFY(whitePixels() > 20);
        QVERIFY(yellowPixels() > 20);
        QCOMPARE(m->grab().toImage(), before);
    }

    // A label's ground is the filled widget under it, also a sibling (a head
    // band) rather than its parent: grey on the black band is lightened,
    // though it would read well on the white window.
    void groundIsTheBandUnderALabel() {
        MenuFixture f;
        QVERIFY(f.startWith(20));
        setContrast(f, true);
        QWidget window;
        controls::colourise(&window, Qt::white);
        window.resize(200, 60);
        controls::shape(&window, Qt::black, 0, 0, 3000, 900);
        auto *label = controls::label(&window, "Kalimbo", 150, 150, 2700, 600);
        label->setStyleSheet("color: rgb(90, 90, 90)");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(highcontrast::backgroundOf(label), QColor(Qt::black));
        const QColor shown = highcontrast::textColourOf(label);
        QVERIFY(shown.lightness() > 90);
        const QImage img = label->grab().toImage();
        QCOMPARE(countColour(img, QColor(90, 90, 90)), 0);
        QVERIFY(countColour(img, shown) > 0);
    }

    // A frame of at least 2 px around the control with the focus, over a
    // button, a canvas, a card and a picture; none while off.
    void focusFrame_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("control");
        QTest::newRow("button") << int(ScreenId::Form7) << "Command3";
        QTest::newRow("carpet") << int(ScreenId::Form7) << "bild1";
        QTest::newRow("memory card") << int(ScreenId::Memo) << "Bezeichnung4";
        QTest::newRow("ABC picture") << int(ScreenId::Form8) << "Image1";
    }
    void focusFrame() {
        QFETCH(int, screen);
        QFETCH(QString, control);
        MenuFixture f;
        QVERIFY(f.startWith(20));
        f.program->showScreen(ScreenId(screen));
        Screen *s = f.program->existing(ScreenId(screen));
        QVERIFY(QTest::qWaitForWindowActive(s));
        if (auto *game = qobject_cast<memo *>(s))
            ::control<QPushButton>(game, "Command3")->click(); // "Start"
        auto *w = ::control<QWidget>(s, qPrintable(control));
        w->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), w);
        QVERIFY(!highcontrast::focusFrame());

        setContrast(f, true);
        QWidget *frame = highcontrast::focusFrame();
        QVERIFY(frame);
        QCOMPARE(frame->parentWidget(), w->parentWidget());
        const QRect around = w->geometry().adjusted(-2, -2, 2, 2) & w->parentWidget()->rect();
        QVERIFY(frame->geometry().contains(around));
        // Its ring: the outer 3 px in one colour, and above the control's neighbours.
        const QImage ring = frame->grab().toImage();
        const QColor edge = ring.pixelColor(0, ring.height() / 2);
        QVERIFY(edge == Qt::black || edge == Qt::white);
        for (int x = 1; x < highcontrast::kFocusFrame; ++x)
            QCOMPARE(ring.pixelColor(x, ring.height() / 2), edge);
        QCOMPARE(w->parentWidget()->children().last(), frame);

        // It goes with the focus, and with the switch.
        QWidget *next = w->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible())
            next = next->nextInFocusChain();
        next->setFocus(Qt::TabFocusReason);
        QVERIFY(highcontrast::focusFrame());
        QVERIFY(highcontrast::focusFrame()->geometry().contains(next->geometry()) ||
                next->isWindow());
        setContrast(f, false);
        QVERIFY(!highcontrast::focusFrame());
    }

    // The colour panel warns after the teacher picks a pair below 3:1 and
    // only then; colours read from KALIMBO.INI bring no warning, and without
    // "Kontrast" there is none.
    void colourPanelWarns_data() {
        QTest::addColumn<bool>("contrastOn");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("onWhite"); // the warning once the background is white
        const QString hard =
            "Schrift und Hintergrund sind schwer zu unterscheiden (Kontrast %1:1).";
        // The background is black, the consonants white, the vowels red (5.2:1).
        QTest::newRow("navy consonants") << true << QPoint(350, 700) << hard.arg("1,3") << "";
        QTest::newRow("blue vowels") << true << QPoint(2750, 2200) << hard.arg("2,4")
                                     << hard.arg("1,0"); // the white consonants now
        QTest::newRow("white consonants") << true << QPoint(4500, 700) << "" << hard.arg("1,0");
        QTest::newRow("between the palettes") << true << QPoint(350, 1500) << "" << hard.arg("1,0");
        QTest::newRow("switch off") << false << QPoint(350, 700) << ""
                                    << "";
    }
    void colourPanelWarns() {
        QFETCH(bool, contrastOn);
        QFETCH(QPoint, press);
        QFETCH(QString, warning);
        QFETCH(QString, onWhite);
        MenuFixture f;
        f.addNumbered(20);
        // Navy consonants on black, as read from the file: hard to read already.
        settings::Values v;
        v.check3 = 1;
        v.consonant = 1;
        QVERIFY(settings::write(f.dir.filePath(QString::fromLatin1(settings::kFileName)), v));
        QVERIFY(f.start());
        setContrast(f, contrastOn);
        auto *label = f.get<QLabel>("Warnung");
        auto shown = [label] { return label->isVisible() ? label->text() : QString(); };
        f.click("Command4"); // "Farben"
        QVERIFY(f.get("Picture3")->isVisible());
        QCOMPARE(shown(), QString());
        f.menu()->colourChoice(4500, 700); // white consonants: readable
        QCOMPARE(shown(), QString());
        f.menu()->colourChoice(press.x(), press.y());
        QCOMPARE(shown(), warning);
        // Allowed all the same: the colour is taken.
        if (!warning.isEmpty())
            QVERIFY(f.program->state().consonantColour() == 1 ||
                    f.program->state().vowelColour() == 9);
        // The background's scroll bars are a choice too.
        for (const char *bar : {"VScroll1", "VScroll2", "VScroll3"})
            f.get<QScrollBar>(bar)->setValue(255);
        QCOMPARE(shown(), onWhite);
        f.menu()->colourChoice(0, 700); // black consonants on white
        QCOMPARE(shown(), QString());
    }
};

QTEST_MAIN(HighContrastTest)
#include "highcontrast_test.moc"
