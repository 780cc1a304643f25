#pragma once
// Helpers shared by the worksheet tests: picture folders, the texts and lines
// a recording surface saw, print targets (for every window that prints a
// page, the full-page sheets too), and the words pdftotext finds on a
// printed page.

#include "core/collation.h"
#include "drawing/surface.h"
#include "support/windowfixture.h"
#include "worksheets/worksheetframe.h"

#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

namespace wt {

inline void setPictures(PictureDir &dir, FakeProgram &program, QStringList names) {
    for (const QString &n : names)
        dir.addPicture(n, QSize(16, 12), QColor(0, 0, 200));
    collation::sort(names);
    program.setNouns(names);
}

/// n pictures named derWort01.bmp, dieWort02.bmp, ... in the folder and the program.
inline QStringList addPictures(PictureDir &dir, FakeProgram &program, int n) {
    static const char *const articles[] = {"der", "die", "das"};
    QStringList names;
    for (int i = 1; i <= n; ++i)
        names << QString::fromLatin1(articles[i % 3]) +
                     QStringLiteral("Wort%1.bmp").arg(i, 2, 10, QLatin1Char('0'));
    setPictures(dir, program, names);
    return program.nounList();
}

/// Clicks the window's button of that name.
inline void press(QWidget *window, const char *button) {
    QTest::mouseClick(control<QPushButton>(window, button), Qt::LeftButton);
}

/// Opens a worksheet on these pictures, the printer switched on.
template <class T> T *openSheet(WindowFixture &f, ScreenId id, const QStringList &names) {
    setPictures(f.dir, f.p, names);
    f.p.setOption(Option::Druckerausgabe, true);
    return f.open<T>(id);
}

/// Printing draws into `page` (and counts the jobs) instead of reaching a printer.
template <class Window> void printInto(Window *w, RecordingSurface &page, int *calls = nullptr) {
    w->printTarget = [&page, calls](const QString &, const QString &,
                                    const printing::PageRoutine &routine) {
        if (calls)
            ++*calls;
        routine(page);
        return printing::Outcome{printing::Outcome::Printed, {}, {}};
    };
}

/// Printing writes this PDF file (A4, 10 mm margins).
template <class Window> void printToFile(Window *w, const QString &file) {
    w->printTarget = [file](const QString &doc, const QString &, const printing::PageRoutine &r) {
        return printing::printToPdf(file, doc, r);
    };
}

using Op = RecordingSurface::Op;

inline QList<Op> opsOf(const RecordingSurface &s, Op::Kind kind) {
    QList<Op> out;
    for (const Op &op : s.ops)
        if (op.kind == kind)
            out << op;
    return out;
}

/// Texts with their top-left corners.
inline QList<QPair<QString, QPoint>> texts(const RecordingSurface &s) {
    QList<QPair<QString, QPoint>> out;
    for (const Op &op : opsOf(s, Op::Text))
        out << qMakePair(op.text, op.rect.topLeft());
    return out;
}

inline bool hasText(const RecordingSurface &s, const QString &text) {
    return std::any_of(s.ops.begin(), s.ops.end(),
                       [&](const Op &op) { return op.kind == Op::Text && op.text == text; });
}

/// Rectangles of one kind; box outlines from corner to corner (right/bottom = x2/y2).
inline QList<QRect> rects(const RecordingSurface &s, Op::Kind kind) {
    QList<QRect> out;
    for (const Op &op : opsOf(s, kind))
        out << op.rect;
    return out;
}

/// Lines as (x1, y1, x2, y2).
inline QList<QLine> lines(const RecordingSurface &s) {
    QList<QLine> out;
    for (const QRect &r : rects(s, Op::Line))
        out << QLine(r.topLeft(), r.bottomRight());
    return out;
}
inline QList<QRect> boxes(const RecordingSurface &s) {
    return rects(s, Op::Box);
}
inline QList<QRect> pictures(const RecordingSurface &s) {
    return rects(s, Op::PictureOp);
}

/// A word pdftotext found on the page, in twips from the paper's corner.
struct PdfWord {
    QString text;
    QRectF twips;
};

inline bool havePdfTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

inline QList<PdfWord> pdfWords(const QString &pdf) {
    QTemporaryDir tmp;
    const QString html = tmp.filePath(QStringLiteral("out.html"));
    QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, html});
    QFile f(html);
    QList<PdfWord> out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QString text = QString::fromUtf8(f.readAll());
    static const QRegularExpression re(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto it = re.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const double k = 20.0; // points to twips
        out << PdfWord{m.captured(5),
                       QRectF(QPointF(m.captured(1).toDouble() * k, m.captured(2).toDouble() * k),
                              QPointF(m.captured(3).toDouble() * k, m.captured(4).toDouble() * k))};
    }
    return out;
}

/// Where pdftotext found this word (null if nowhere).
inline QRectF find(const QList<PdfWord> &words, const QString &text) {
    for (const auto &w : words)
        if (w.text == text)
            return w.twips;
    return QRectF();
}

/// "Pages:" of pdfinfo, or -1.
inline int pdfPages(const QString &pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(20000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const auto m = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))")).match(out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

/// The top-left corner of the printable area on the PDF target (10 mm margins).
constexpr double kMarginTw = 10.0 / 25.4 * 1440.0;

} // namespace wt
