// The initial-sound table on the page: everything stays inside its cell, a
// click shows the next noun and the choice is kept, the report of empty
// cells comes before printing, an empty folder prints an empty table, and
// preview and paper are one drawing.

#include "sheettest.h"
#include "support/initialsoundnouns.h"
#include "support/wmfwriter.h"
#include "worksheets/anlauttabelle.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QtMath>

using Op = RecordingSurface::Op;

namespace {

/// The cell whose sound is written so ("B", "ng").
int cellIndex(const Anlauttabelle *w, const QString &letters) {
    const auto &cells = w->page().table.cells;
    for (int i = 0; i < cells.size(); ++i)
        if (cells[i].soundOf().letters == letters)
            return i;
    return -1;
}

QString shownNoun(const Anlauttabelle *w, const QString &letters) {
    const int k = cellIndex(w, letters);
    const auto *m = k >= 0 ? w->page().table.cells[k].match() : nullptr;
    return m ? m->noun : QString();
}

} // namespace

class AnlauttabelleTest : public QObject {
    Q_OBJECT

    static Anlauttabelle *open(WindowFixture &f, const QStringList &nouns) {
        for (const QString &n : nouns)
            f.dir.addPicture(n, QSize(40, 10), QColor(0, 0, 200));
        QStringList sorted = nouns;
        std::sort(sorted.begin(), sorted.end());
        f.p.setNouns(sorted);
        f.p.setOption(Option::Druckerausgabe, true);
        return f.open<Anlauttabelle>(ScreenId::Anlauttabelle);
    }

private slots:
    void init() { st::resetSettings(); }
    void cleanupTestCase() { st::resetSettings(); }

    // Pictures, letters and words never reach into the neighbouring cell; a
    // noun too long for its cell is written smaller.
    void everythingInsideItsCell() {
        WindowFixture f;
        // Pictures tall and wide, and a noun far too long for a cell.
        Anlauttabelle *w =
            open(f, {"dasSchaf.bmp", "derBall.bmp", "dieDonaudampfschifffahrtskapitänsmütze.bmp",
                     "derFuß.bmp", "dieHexe.bmp", "derVogel.bmp"});
        f.dir.addPicture("derFuß.bmp", QSize(10, 60), QColor(0, 150, 0));
        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        f.p.showScreen(ScreenId::Anlauttabelle);

        RecordingSurface page;
        w->drawSheet(page, true);
        const int count = int(w->page().table.cells.size());
        QCOMPARE(count, 37 + 2); // ß of Fuß, x of Hexe
        QCOMPARE(st::opsOf(page, Op::Box).size(), count);
        // Fuß and Hexe also stand for their rare sounds.
        QCOMPARE(st::opsOf(page, Op::PictureOp).size(), 8);
        auto cellOf = [&](QPoint p) {
            for (int i = 0; i < count; ++i)
                if (Anlauttabelle::cellRect(i, count).contains(p))
                    return Anlauttabelle::cellRect(i, count);
            return QRect();
        };
        for (const Op &op : page.ops) {
            if (op.kind != Op::Text && op.kind != Op::PictureOp)
                continue;
            const QRect cell = cellOf(op.rect.topLeft());
            QVERIFY2(cell.contains(op.rect), qPrintable(op.text));
        }
        // The long noun is written smaller than a short one, its sound in bold.
        double longPoints = 0, shortPoints = 0;
        for (const Op &op : st::opsOf(page, Op::Text)) {
            const bool noun = op.rect.top() > cellOf(op.rect.topLeft()).center().y();
            if (noun && op.text == "D" && op.bold)
                longPoints = op.points;
            if (noun && op.text == "B" && op.bold)
                shortPoints = op.points;
        }
        QVERIFY(longPoints > 0 && longPoints < shortPoints);
    }

    // A metafile that draws far beyond its frame stays inside its cell on paper.
    void pictureNeverReachesTheNextCell() {
        WindowFixture f;
        Anlauttabelle *w = open(f, {"derBall.bmp"});
        const QColor green(0, 160, 0);
        f.dir.addFile("dasNetz.wmf", WmfWriter::placeable(0, 0, 1000, 1000)
                                         .createBrush(0, green)
                                         .selectObject(0)
                                         .createPen(5, 0, Qt::black) // no outline
                                         .selectObject(1)
                                         .rectangle(-3000, -3000, 4000, 4000)
                                         .bytes());
        f.p.setNouns({"dasNetz.wmf", "derBall.bmp"});
        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        f.p.showScreen(ScreenId::Anlauttabelle);
        const int dpi = 100;
        const QImage page = w->render(dpi);
        const double k = dpi / 1440.0;
        const QRect cell =
            Anlauttabelle::cellRect(cellIndex(w, "N"), int(w->page().table.cells.size()));
        const QRect inPixels(QPoint(qFloor(cell.left() * k), qFloor(cell.top() * k)),
                             QPoint(qCeil(cell.right() * k), qCeil(cell.bottom() * k)));
        const int inside = countColour(page, green, inPixels);
        QVERIFY(inside > 100);
        QCOMPARE(countColour(page, green), inside);
    }

    // A click on a cell shows the next noun that fits it; the choice outlives the window.
    void clickCyclesAndIsKept() {
        {
            WindowFixture f;
            Anlauttabelle *w = open(f, {"derBall.bmp", "dasBrot.bmp", "derBär.bmp"});
            QCOMPARE(shownNoun(w, "B"), "Ball");
            const int k = cellIndex(w, "B");
            auto *preview = control<SheetPreview>(w, "Picture1");
            const double scale = preview->scale() / preview->devicePixelRatioF();
            const QPoint centre =
                Anlauttabelle::cellRect(k, int(w->page().table.cells.size())).center();
            const QPointF at = preview->origin() + QPointF(centre) * scale;
            QTest::mouseClick(preview, Qt::LeftButton, {}, at.toPoint());
            QCOMPARE(shownNoun(w, "B"), "Bär");
            QVERIFY(control<QListWidget>(w, "Laute1")->item(k)->text().contains("Bär"));
            // The last noun is followed by the first again.
            w->cycle(k);
            QCOMPARE(shownNoun(w, "B"), "Brot");
            w->cycle(k);
            QCOMPARE(shownNoun(w, "B"), "Ball");
            w->cycle(k);
            // A cell with one noun or none stays as it is.
            w->cycle(cellIndex(w, "C"));
            QCOMPARE(shownNoun(w, "C"), QString());
            w->closeByTitleBar();
            WindowFixture::flushDeletes();
        }
        WindowFixture f;
        Anlauttabelle *w = open(f, {"derBall.bmp", "dasBrot.bmp", "derBär.bmp"});
        QCOMPARE(shownNoun(w, "B"), "Bär");
        QCOMPARE(sheet::userSettings().value("Anlauttabelle/Wahl/B").toString(), "derBär.bmp");
    }

    // Before printing, the teacher hears which sounds lack a picture, and may stop.
    void gapReportBeforePrinting() {
        WindowFixture f;
        const QStringList nouns = nounsForAllButRareSounds(QStringLiteral(".bmp"));
        Anlauttabelle *w = open(f, nouns);
        const QString report = QString::fromUtf8("Für diese Laute fehlt ein Bild: C, J, Qu, X, Y");
        QCOMPARE(control<QLabel>(w, "Report")->text(), report);
        RecordingSurface page;
        int printed = 0;
        st::printInto(w, page, &printed);
        f.p.dialogsRec.answers = {false};
        QTest::mouseClick(control<QPushButton>(w, "Command5"), Qt::LeftButton);
        QCOMPARE(printed, 0);
        QVERIFY(f.p.dialogsRec.last().yesNo);
        QVERIFY(f.p.dialogsRec.last().text.startsWith(report + "\r\r"));
        f.p.dialogsRec.answers = {true};
        QTest::mouseClick(control<QPushButton>(w, "Command5"), Qt::LeftButton);
        QCOMPARE(printed, 1);
        QCOMPARE(f.box(), QStringLiteral("Kalimbo (Anlauttabelle) | Die Anlauttabelle wird "
                                         "gedruckt ...\r\r"));
    }

    // A folder without nouns prints an empty table, after the report.
    void noNounsPrintsAnEmptyTable() {
        WindowFixture f;
        Anlauttabelle *w = open(f, {});
        RecordingSurface page;
        int printed = 0;
        st::printInto(w, page, &printed);
        QTest::mouseClick(control<QPushButton>(w, "Command5"), Qt::LeftButton);
        QCOMPARE(printed, 1);
        QVERIFY(f.box(-2).contains(QString::fromUtf8("fehlt ein Bild: A, Ä, Au")));
        QCOMPARE(st::opsOf(page, Op::Box).size(), 37);
        QCOMPARE(st::opsOf(page, Op::PictureOp).size(), 0);
        QVERIFY(hasPair(page, "Sch sch"));
    }

    // The preview, the clipboard and the paper come from one drawing.
    void previewIsThePaper() {
        WindowFixture f;
        Anlauttabelle *w = open(f, {"derBall.bmp", "dieSchlange.bmp", "derVogel.bmp"});
        f.p.dialogsRec.fallback = true;
        RecordingSurface preview, paper;
        w->drawSheet(preview, false);
        st::printInto(w, paper);
        QTest::mouseClick(control<QPushButton>(w, "Command5"), Qt::LeftButton);
        QVERIFY(st::sameOps(preview, paper));
        QVERIFY(countColour(w->previewImage(), QColor(0, 0, 200)) > 0);
        // Vogel: the V spoken as [f] is marked, not left out.
        QVERIFY(hasPair(paper, "[f]"));
    }

    // A changed noun list reaches the table when it is shown next.
    void nounListTakenAtNextShow() {
        WindowFixture f;
        Anlauttabelle *w = open(f, {"derBall.bmp"});
        QCOMPARE(shownNoun(w, "J"), QString());
        f.dir.addPicture("derJaguar.bmp", QSize(16, 12));
        f.p.setNouns({"derBall.bmp", "derJaguar.bmp"});
        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        f.p.showScreen(ScreenId::Anlauttabelle);
        QCOMPARE(shownNoun(w, "J"), "Jaguar");
    }

private:
    /// The letters drawn one by one make this text somewhere, in order.
    static bool hasPair(const RecordingSurface &s, const QString &text) {
        QString all;
        for (const Op &op : st::opsOf(s, Op::Text))
            all += op.text;
        return all.contains(text);
    }
};

QTEST_MAIN(AnlauttabelleTest)
#include "anlauttabelle_test.moc"
