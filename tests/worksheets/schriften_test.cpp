// The font chooser: its list, the sample size, and the hand-over to the
// worksheet windows when a font is taken, when nothing is taken and when the
// chooser is closed by its title bar.

#include "core/collation.h"
#include "worksheets/drucken1.h"
#include "worksheets/drucken3.h"
#include "worksheets/schriften.h"
#include "worksheettest.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

class SchriftenTest : public QObject {
    Q_OBJECT

    static drucken1 *openCards(WindowFixture &f) {
        wt::addPictures(f.dir, f.p, 12);
        return f.open<drucken1>(ScreenId::Drucken1);
    }
    /// Opens the chooser from the worksheet and selects the font in that row.
    static schriften *openChooser(WorksheetFrame *w, FakeProgram &program, int row) {
        wt::press(w, "Command2");
        auto *c = dynamic_cast<schriften *>(program.existing(ScreenId::Schriften));
        if (c && row < control<QListWidget>(c, "List1")->count())
            control<QListWidget>(c, "List1")->setCurrentRow(row);
        return c;
    }

private slots:
    void fontList() {
        const QStringList fonts = schriften::screenFonts();
        QVERIFY(!fonts.isEmpty());
        QStringList sorted = fonts;
        collation::sort(sorted);
        QCOMPARE(fonts, sorted);
        QCOMPARE(QSet<QString>(fonts.begin(), fonts.end()).size(), fonts.size());
        for (const QString &f : fonts) {
            QVERIFY2(!f.contains('['), qPrintable(f));
            QVERIFY2(QFontDatabase::writingSystems(f).contains(QFontDatabase::Latin),
                     qPrintable(f));
            QVERIFY2(!QFontDatabase::writingSystems(f).contains(QFontDatabase::Symbol),
                     qPrintable(f));
        }
    }

    void activationAndSample() {
        WindowFixture f;
        drucken1 *w = openCards(f);
        schriften *c = openChooser(w, f.p, 0);
        QVERIFY(c);
        QVERIFY(c->isVisible());
        QVERIFY(w->isVisible()); // beside the worksheet, not instead of it
        QCOMPARE(control<QListWidget>(c, "List1")->count(), schriften::screenFonts().size());
        QCOMPARE(control<QListWidget>(c, "List1")->currentRow(), 0);
        const QString first = schriften::screenFonts().first();
        QCOMPARE(control<QLabel>(c, "Label1")->text(), first);
        QCOMPARE(control<QLabel>(c, "Label1")->font().family(), first);
        QCOMPARE(control<QLabel>(c, "Label2")->text(), QStringLiteral("Das ist ein Beispieltext."));
        QCOMPARE(control<QLabel>(c, "Label2")->font().family(), first);
        QCOMPARE(control<QLabel>(c, "Label2")->font().pointSizeF(), 14.0);
        control<QScrollBar>(c, "VScroll1")->setValue(control<QScrollBar>(c, "VScroll1")->minimum());
        QCOMPARE(control<QLabel>(c, "Label2")->font().pointSizeF(), 10.0);
        control<QScrollBar>(c, "VScroll1")->setValue(control<QScrollBar>(c, "VScroll1")->maximum());
        QCOMPARE(control<QLabel>(c, "Label2")->font().pointSizeF(), 30.0);
    }

    void takeFont() {
        WindowFixture f;
        f.p.setOption(Option::Druckerausgabe, true);
        drucken1 *w = openCards(f);
        wt::press(w, "Command6");
        QCOMPARE(w->pageStart(), 3);
        schriften *c = openChooser(w, f.p, 1);
        const QString chosen = schriften::screenFonts().at(1);
        w->vorschau(); // a redraw while the chooser is open takes its selection
        QCOMPARE(w->previewFamily(), chosen);
        wt::press(c, "Command2");
        QVERIFY(!c->isVisible());
        QCOMPARE(control<QListWidget>(c, "List1")->count(), 0);
        QCOMPARE(control<QLabel>(c, "Label1")->text(), chosen);
        // The worksheet is active again, on its first page, in the chosen font.
        QCOMPARE(w->pageStart(), 0);
        QCOMPARE(w->previewFamily(), chosen);
        QCOMPARE(f.p.menuShows, 0);
        RecordingSurface page;
        wt::printInto(w, page);
        wt::press(w, "Command5");
        const auto texts = wt::opsOf(page, wt::Op::Text);
        QVERIFY(!texts.isEmpty());
        QCOMPARE(texts.first().family, chosen);
        QCOMPARE(texts.first().points, 32.0); // the worksheet keeps its size

        // Another worksheet takes the font at its next preview.
        wt::press(w, "Command1");
        QCOMPARE(f.open<drucken3>(ScreenId::Drucken3)->previewFamily(), chosen);
    }

    // Leaving by "Abbruch" or the title bar takes nothing: the worksheet is
    // active again on its first page with the earlier font and the main menu
    // stays hidden. "Abbruch" keeps the sample size; the title bar discards
    // the window, so the next use starts from the initial state.
    void leavingWithoutTaking_data() {
        QTest::addColumn<bool>("titleBar");
        QTest::newRow("Abbruch") << false;
        QTest::newRow("title bar") << true;
    }
    void leavingWithoutTaking() {
        QFETCH(bool, titleBar);
        WindowFixture f;
        drucken1 *w = openCards(f);
        schriften *c = openChooser(w, f.p, 1);
        const QString chosen = schriften::screenFonts().at(1);
        wt::press(c, "Command2");
        wt::press(w, "Command6");
        openChooser(w, f.p, 0);
        control<QScrollBar>(c, "VScroll1")->setValue(12);
        if (titleBar)
            c->closeByTitleBar();
        else
            wt::press(c, "Command1");
        QVERIFY(!c->isVisible());
        if (!titleBar)
            QVERIFY(control<QLabel>(c, "Label1")->text().isEmpty());
        QVERIFY(w->isVisible());
        QCOMPARE(f.p.menuShows, 0);
        QCOMPARE(w->pageStart(), 0); // reactivated
        QCOMPARE(w->previewFamily(), chosen);
        schriften *again = openChooser(w, f.p, 0);
        QCOMPARE(control<QScrollBar>(again, "VScroll1")->value(), titleBar ? 7 : 12);
        QCOMPARE(control<QLabel>(again, "Label2")->font().pointSizeF(), titleBar ? 14.0 : 24.0);
    }
};

QTEST_MAIN(SchriftenTest)
#include "schriften_test.moc"
