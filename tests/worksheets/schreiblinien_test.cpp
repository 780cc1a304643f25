// Writing sheets on school lines: the lines and the letters measured on the
// printed PDF for every line set, long nouns, the rows on the page, one
// drawing for preview and paper, the noun list taken afresh, the settings
// kept, and a missing font.

#include "core/writinglines.h"
#include "sheettest.h"
#include "worksheets/schreiblinien.h"
#include "worksheets/schriften.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

using writinglines::Settings;

namespace {

struct Line {
    double centre; // mm from the paper's top
    double width;  // mm
};

/// The horizontal lines crossing the column band x0..x1 (pixels), from the top.
QList<Line> linesAt(const QImage &img, int x0, int x1) {
    QList<Line> out;
    double sum = 0, moment = 0;
    for (int y = 0; y <= img.height(); ++y) {
        double dark = 0;
        if (y < img.height()) {
            for (int x = x0; x < x1; ++x)
                dark += 255 - qGray(img.pixel(x, y));
            dark /= (x1 - x0);
        }
        if (dark > 20) {
            sum += dark;
            moment += dark * (y + 0.5);
        } else if (sum > 0) {
            out << Line{st::mm(moment / sum), st::mm(sum / 255)};
            sum = moment = 0;
        }
    }
    return out;
}

/// Ink of the vowel colour (pure red), as seen through anti-aliasing.
bool red(QRgb p) {
    return qRed(p) - qMax(qGreen(p), qBlue(p)) > 127;
}

struct Letter {
    double top, bottom; // mm from the paper's top
};

/// The red letters in the rows y0..y1 and columns x0..x1 (pixels), left to right.
QList<Letter> redLetters(const QImage &img, int x0, int x1, int y0, int y1) {
    QList<Letter> out;
    int top = INT_MAX, bottom = -1;
    for (int x = x0; x <= x1; ++x) {
        bool any = false;
        for (int y = y0; x < x1 && y <= y1; ++y)
            if (red(img.pixel(x, y))) {
                any = true;
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        if (!any && bottom >= 0) {
            out << Letter{st::mm(top), st::mm(bottom + 1)};
            top = INT_MAX;
            bottom = -1;
        }
    }
    return out;
}

/// The sheet printed through "Drucken . . ." into a PDF, rendered.
QImage printed(Schreiblinien *w) {
    QTemporaryDir out;
    const QString pdf = out.filePath("sheet.pdf");
    st::printToFile(w, pdf);
    QTest::mouseClick(control<QPushButton>(w, "Command5"), Qt::LeftButton);
    return st::rendered(pdf);
}

} // namespace

class SchreiblinienTest : public QObject {
    Q_OBJECT

    static Schreiblinien *open(WindowFixture &f, const QStringList &nouns) {
        for (const QString &n : nouns)
            f.dir.addPicture(n, QSize(16, 12), QColor(0, 0, 200));
        f.p.setNouns(nouns);
        f.p.setOption(Option::Druckerausgabe, true);
        return f.open<Schreiblinien>(ScreenId::Schreiblinien);
    }

private slots:
    void init() { st::resetSettings(); }
    void cleanupTestCase() { st::resetSettings(); }

    // Measured on the printed page: the gaps between the lines exact to
    // 0.1 mm, the base line 0.5 mm and the others 0.25 mm, and the written
    // word's letters filling the middle band to 0.2 mm.
    void printedLinesAndLetters_data() {
        QTest::addColumn<int>("set");
        QTest::addColumn<QList<double>>("lines"); // mm below the first, the first noun's rows
        QTest::addColumn<QList<int>>("bases");    // which of them are base lines
        QTest::newRow("Lineatur 0")
            << 0 << QList<double>{0, 6, 12, 18, 24, 30, 36, 42} << QList<int>{2, 6};
        QTest::newRow("Lineatur 1")
            << 1 << QList<double>{0, 5, 10, 15, 20, 25, 30, 35} << QList<int>{2, 6};
        QTest::newRow("Lineatur 2")
            << 2 << QList<double>{0, 4, 8, 12, 16, 20, 24, 28} << QList<int>{2, 6};
        QTest::newRow("Lineatur 3")
            << 3 << QList<double>{0, 3.5, 9.5, 13, 19, 22.5, 28.5, 32} << QList<int>{1, 3, 5, 7};
        QTest::newRow("Lineatur 4")
            << 4 << QList<double>{0, 9.5, 19, 28.5} << QList<int>{0, 1, 2, 3};
    }
    void printedLinesAndLetters() {
        QFETCH(int, set);
        QFETCH(QList<double>, lines);
        QFETCH(QList<int>, bases);
        if (!st::canRender())
            QSKIP("pdftoppm is not installed");
        WindowFixture f;
        Schreiblinien *w = open(f, {"derHase.bmp", "dieMaus.bmp"});
        Settings s;
        s.set = set;
        s.colour = true; // vowels red: the letters stand out from the black lines
        s.traceRows = 1;
        s.emptyRows = 2;
        w->setSettings(s);
        const QImage img = printed(w);
        QVERIFY(!img.isNull());

        // A column near the right end of the lines, where no word reaches.
        const QList<Line> found = linesAt(img, qRound(st::px(184)), qRound(st::px(188)));
        QVERIFY2(found.size() >= lines.size(), qPrintable(QString::number(found.size())));
        for (int i = 0; i < lines.size(); ++i) {
            const double gap = found[i].centre - found[0].centre;
            QVERIFY2(qAbs(gap - lines[i]) <= 0.1,
                     qPrintable(QStringLiteral("line %1 at %2 mm, wanted %3 mm")
                                    .arg(i)
                                    .arg(gap, 0, 'f', 3)
                                    .arg(lines[i])));
            const double width = bases.contains(i) ? 0.5 : 0.25;
            QVERIFY2(qAbs(found[i].width - width) <= 0.1,
                     qPrintable(QStringLiteral("line %1 is %2 mm wide, wanted %3 mm")
                                    .arg(i)
                                    .arg(found[i].width, 0, 'f', 3)
                                    .arg(width)));
        }
        // The first noun's written row: its red vowels (e, a, e of "der
        // Hase") reach from the mean line to the base line.
        const writinglines::Bands b = writinglines::defaultBands(set);
        const double base = found[bases[0]].centre;
        const double mean = base - b.middle;
        auto pixel = [](double mm) { return qRound(mm / 25.4 * 300); };
        const QList<Letter> letters =
            redLetters(img, qRound(st::px(32)), qRound(st::px(184)), pixel(mean - b.upper - 1),
                       pixel(base + b.lower / 2));
        QCOMPARE(letters.size(), 3);
        for (const Letter &l : letters) {
            QVERIFY2(qAbs(l.top - mean) <= 0.2 && qAbs(l.bottom - base) <= 0.2,
                     qPrintable(QStringLiteral("letter from %1 to %2 mm, band %3 to %4 mm")
                                    .arg(l.top, 0, 'f', 3)
                                    .arg(l.bottom, 0, 'f', 3)
                                    .arg(mean, 0, 'f', 3)
                                    .arg(base, 0, 'f', 3)));
        }
    }

    // The page is filled: the nouns' rows, then whole empty rows, the space
    // left over shared evenly between the blocks, so the last row ends at
    // the bottom margin; measured on the printed page, no line cut.
    void rowsFillThePage_data() {
        QTest::addColumn<int>("set");
        QTest::addColumn<QList<double>>("inRow"); // the lines of one row, mm from its top
        QTest::addColumn<double>("pitch");
        QTest::addColumn<QList<double>>("tops"); // each block's top, mm on the page
        QTest::addColumn<QList<int>>("rows");    // each block's rows
        // Four rows of 75 mm a noun: three nouns and two empty rows leave
        // 2 mm, two thirds of a millimetre more between the blocks.
        QTest::newRow("Lineatur 1")
            << 1 << QList<double>{0, 5, 10, 15} << 20.0
            << QList<double>{0, 80 + 2 / 3.0, 161 + 1 / 3.0, 242} << QList<int>{4, 4, 4, 2};
        // Base lines only, every 9.5 mm: six nouns and two rows fill it exactly.
        QTest::newRow("Lineatur 4")
            << 4 << QList<double>{6.5} << 9.5 << QList<double>{0, 43, 86, 129, 172, 215, 258}
            << QList<int>{4, 4, 4, 4, 4, 4, 2};
    }
    void rowsFillThePage() {
        QFETCH(int, set);
        QFETCH(QList<double>, inRow);
        QFETCH(double, pitch);
        QFETCH(QList<double>, tops);
        QFETCH(QList<int>, rows);
        if (!st::canRender())
            QSKIP("pdftoppm is not installed");
        WindowFixture f;
        Schreiblinien *w = open(f, {"derHase.bmp"});
        Settings s;
        s.set = set;
        w->setSettings(s);
        const QImage img = printed(w);
        QVERIFY(!img.isNull());

        QList<double> wanted;
        for (int k = 0; k < tops.size(); ++k)
            for (int r = 0; r < rows[k]; ++r)
                for (double y : inRow)
                    wanted << tops[k] + r * pitch + y;
        const QList<Line> found = linesAt(img, qRound(st::px(184)), qRound(st::px(188)));
        QCOMPARE(found.size(), wanted.size());
        // Measured from the first line: the printer may shift the page a little.
        const double origin = found[0].centre - wanted[0];
        for (int i = 0; i < wanted.size(); ++i) {
            const double at = found[i].centre - origin;
            QVERIFY2(qAbs(at - wanted[i]) <= 0.1,
                     qPrintable(QStringLiteral("line %1 at %2 mm, wanted %3 mm")
                                    .arg(i)
                                    .arg(at, 0, 'f', 3)
                                    .arg(wanted[i], 0, 'f', 3)));
            QVERIFY2(found[i].width >= 0.15, qPrintable(QString::number(i))); // not cut
        }
        // The page starts at the top margin; the last line sits on the paper
        // where the page ends (Lineatur 1: its bottom line at 277 mm).
        QVERIFY2(qAbs(origin - 10) <= 0.2, qPrintable(QString::number(origin)));
        QVERIFY(found.last().centre - 10 <= sheet::kHeightMm + 0.1);
    }

    // However high the bands and however many rows, nothing leaves the page,
    // and every noun keeps at least its written row.
    void rowsStayOnThePage_data() {
        QTest::addColumn<double>("band");
        QTest::addColumn<int>("empty");
        QTest::newRow("defaults") << 5.0 << 2;
        QTest::newRow("many rows") << 5.0 << writinglines::kMaxEmptyRows;
        QTest::newRow("highest bands") << writinglines::kMaxBand << writinglines::kMaxEmptyRows;
        QTest::newRow("lowest bands") << 0.0 << 0;
    }
    void rowsStayOnThePage() {
        QFETCH(double, band);
        QFETCH(int, empty);
        WindowFixture f;
        Schreiblinien *w = open(f, {"derHase.bmp", "dieMaus.bmp", "dasEi.bmp"});
        Settings s;
        s.bands[1] = writinglines::bounded({band, band, band, band});
        s.traceRows = 2;
        s.emptyRows = empty;
        w->setSettings(s);
        RecordingSurface page;
        w->drawSheet(page, true);
        for (const auto &op : st::opsOf(page, RecordingSurface::Op::Line)) {
            QVERIFY(op.rect.top() >= 0 && op.rect.bottom() <= sheet::heightTw());
            QVERIFY(op.rect.left() >= 0 && op.rect.right() <= sheet::widthTw());
        }
        for (const auto &op : st::opsOf(page, RecordingSurface::Op::PictureOp))
            QVERIFY(QRect(0, 0, sheet::widthTw(), sheet::heightTw()).contains(op.rect));
        QVERIFY(!st::opsOf(page, RecordingSurface::Op::Text).isEmpty());

        // The blocks follow one another with equal spaces, no closer than
        // the least space, and end within a row of the bottom margin.
        const writinglines::Layout at = Schreiblinien::layout(w->page().settings);
        const double pitch = w->page().settings.current().pitch();
        QVERIFY(at.nouns() >= 1 && at.rows >= 1);
        QVERIFY(at.space >= writinglines::kBlockSpace);
        for (int k = 1; k < at.nouns(); ++k)
            QVERIFY(qAbs(at.tops[k] - at.tops[k - 1] - at.block - at.space) < 1e-9);
        const double end = at.tailRows > 0 ? at.tailTop + at.tailRows * pitch - s.bands[1].gap
                                           : at.tops.last() + at.block;
        QVERIFY(end <= sheet::kHeightMm + 1e-9);
        if (at.nouns() > 1 || at.tailRows > 0)
            QVERIFY2(end >= sheet::kHeightMm - 1e-6, qPrintable(QString::number(end)));
    }

    // A noun too long for the line is written smaller, never over the line's
    // end; its traced copy too.
    void longNounShrinksToTheLine() {
        WindowFixture f;
        Schreiblinien *w =
            open(f, {"dieDonaudampfschifffahrtsgesellschaftskapitänsmütze.bmp", "derHut.bmp"});
        RecordingSurface page;
        w->drawSheet(page, true);
        const auto written = st::opsOf(page, RecordingSurface::Op::Text);
        const auto traced = st::opsOf(page, RecordingSurface::Op::DottedOutline);
        QCOMPARE(written.size(), 2);
        QCOMPARE(traced.size(), 2);
        const int end = sheet::widthTw() - sheet::tw(2);
        for (const auto &op : written + traced)
            QVERIFY2(op.rect.right() <= end, qPrintable(op.text));
        QVERIFY(written[0].points < written[1].points);
        QCOMPARE(traced[0].points, written[0].points);
    }

    // The preview, the clipboard and the paper come from one drawing.
    void previewIsThePaper() {
        WindowFixture f;
        Schreiblinien *w = open(f, {"derHase.bmp", "dieMaus.bmp", "dasEi.bmp"});
        Settings s;
        s.tint = writinglines::Tint::Yellow;
        s.trace = writinglines::Trace::Grey;
        s.colour = true;
        w->setSettings(s);
        RecordingSurface preview, paper;
        w->drawSheet(preview, false);
        st::printInto(w, paper);
        QTest::mouseClick(control<QPushButton>(w, "Command5"), Qt::LeftButton);
        QVERIFY(st::sameOps(preview, paper));
        QVERIFY(!st::opsOf(paper, RecordingSurface::Op::Outline).isEmpty());
        QVERIFY(!st::opsOf(paper, RecordingSurface::Op::FilledBox).isEmpty());
        // The preview shows the page: the tint and the picture are on screen.
        const QImage shown = w->previewImage();
        QVERIFY(countColour(shown, QColor(0, 0, 200)) > 0);
        QVERIFY(countColour(shown, QColor(255, 246, 180)) > 0);
    }

    // A changed noun list reaches the sheet when it is shown next.
    void nounListTakenAtNextShow() {
        WindowFixture f;
        Schreiblinien *w = open(f, {"derHase.bmp", "dieMaus.bmp"});
        QCOMPARE(w->page().entries, (QStringList{"derHase.bmp", "dieMaus.bmp"}));
        f.dir.addPicture("dasEi.bmp", QSize(16, 12));
        f.p.setNouns({"dasEi.bmp", "derHase.bmp", "dieMaus.bmp"});
        QCOMPARE(w->page().entries.size(), 2);
        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        f.p.showScreen(ScreenId::Schreiblinien);
        QCOMPARE(w->page().entries, f.p.nounList());
        QCOMPARE(control<QListWidget>(w, "Bilder1")->count(), 3);
    }

    // The teacher's settings outlive the window, in the program's own file.
    void settingsKept() {
        Settings s;
        s.set = 2;
        s.bands[2] = {3.5, 4.5, 3.5, 2};
        s.tint = writinglines::Tint::Blue;
        s.emptyRows = 5;
        {
            WindowFixture f;
            Schreiblinien *w = open(f, {"derHase.bmp"});
            w->setSettings(s);
            w->closeByTitleBar();
            WindowFixture::flushDeletes();
        }
        WindowFixture f;
        Schreiblinien *w = open(f, {"derHase.bmp"});
        QCOMPARE(w->page().settings, s);
        QVERIFY(QFile::exists(sheet::userSettings().fileName()));
        QVERIFY(!QFile::exists(f.dir.filePath("KALIMBO.INI")));
    }

    // A font taken in the chooser is this sheet's font from then on; the
    // learning cards keep theirs.
    void fontTakenInTheChooser() {
        WindowFixture f;
        Schreiblinien *w = open(f, {"derHase.bmp"});
        QTest::mouseClick(control<QPushButton>(w, "Command2"), Qt::LeftButton);
        auto *chooser = dynamic_cast<schriften *>(f.p.existing(ScreenId::Schriften));
        QVERIFY(chooser && chooser->isVisible());
        auto *list = control<QListWidget>(chooser, "List1");
        const auto hits = list->findItems("DejaVu Serif", Qt::MatchExactly);
        QVERIFY(!hits.isEmpty());
        list->setCurrentItem(hits.first());
        QTest::mouseClick(control<QPushButton>(chooser, "Command2"), Qt::LeftButton);
        QCOMPARE(w->family(), "DejaVu Serif");
        QCOMPARE(w->page().settings.family, "DejaVu Serif");
        RecordingSurface page;
        w->drawSheet(page, true);
        QCOMPARE(st::opsOf(page, RecordingSurface::Op::Text).first().family, "DejaVu Serif");
        // Cancelled the next time: the font stays.
        QTest::mouseClick(control<QPushButton>(w, "Command2"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(chooser, "Command1"), Qt::LeftButton);
        QCOMPARE(w->family(), "DejaVu Serif");
        QCOMPARE(Settings::load(sheet::userSettings()).family, "DejaVu Serif");
    }

    // An exchanged noun replaces one of the sheet; one already on it is refused.
    void exchange() {
        WindowFixture f;
        Schreiblinien *w = open(f, {"dasEi.bmp", "derHase.bmp", "derHut.bmp", "dieMaus.bmp",
                                    "dieUhr.bmp", "dieZange.bmp"});
        const QStringList before = w->page().entries;
        QVERIFY(before.size() < 6);
        auto *all = control<QListWidget>(w, "Bilder1");
        auto *sheet = control<QListWidget>(w, "Liste1");
        all->setCurrentRow(0);
        sheet->setCurrentRow(1);
        QTest::mouseClick(control<QPushButton>(w, "Command3"), Qt::LeftButton);
        QCOMPARE(w->page().entries, before);
        QCOMPARE(f.box(), QStringLiteral("Bild einfügen | Das Bild ist schon vorhanden!\r\r"));
        all->setCurrentRow(5);
        QTest::mouseClick(control<QPushButton>(w, "Command3"), Qt::LeftButton);
        QCOMPARE(w->page().entries[1], "dieZange.bmp");
        QCOMPARE(sheet->item(1)->text(), "die Zange");
    }

    // A font that is not installed: the default font, said once.
    void missingFontSaidOnce() {
        Settings s;
        s.family = QStringLiteral("Keine Schrift Dieses Namens");
        s.save(sheet::userSettings());
        WindowFixture f;
        Schreiblinien *w = open(f, {"derHase.bmp"});
        QCOMPARE(w->family(), sheet::defaultFamily());
        QCOMPARE(f.boxes(), 1);
        QVERIFY(f.box().contains(s.family));
        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        f.p.showScreen(ScreenId::Schreiblinien);
        QCOMPARE(f.boxes(), 1);
        RecordingSurface page;
        w->drawSheet(page, true);
        QCOMPARE(st::opsOf(page, RecordingSurface::Op::Text).first().family,
                 sheet::defaultFamily());
    }
};

QTEST_MAIN(SchreiblinienTest)
#include "schreiblinien_test.moc"
