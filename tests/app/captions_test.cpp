// Every caption of every window fits its control in the fonts that stand in
// for the described ones: labels, buttons and check boxes of all windows,
// the catch game's start line and the font chooser's sample at its largest.

#include "menufixture.h"

#include "games/fang.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/twips.h"
#include "worksheets/schriften.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

namespace {

QString plain(QString text) {
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

/// Width (advance) and height (ink) the lines of text need in font f.
QSize needed(const QFont &f, const QString &text) {
    const QFontMetrics fm(f);
    int w = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines)
        w = qMax(w, fm.horizontalAdvance(line));
    const int ink = fm.tightBoundingRect(text).height();
    return QSize(w, ink + (int(lines.size()) - 1) * fm.lineSpacing());
}

/// "" when the caption fits, otherwise what is clipped.
QString clipped(QWidget *w) {
    QString text;
    QRect room;
    bool wraps = false;
    if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        text = plain(b->text());
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<QCheckBox *>(w))
            contents = QStyle::SE_CheckBoxContents;
        else if (qobject_cast<QRadioButton *>(w))
            contents = QStyle::SE_RadioButtonContents;
        room = b->style()->subElementRect(contents, &opt, b);
    } else if (auto *l = qobject_cast<QLabel *>(w)) {
        if (l->textFormat() == Qt::RichText || Qt::mightBeRichText(l->text()))
            return {};
        text = l->text();
        const int inset = qMax(0, l->margin()) + qMax(0, l->indent());
        room = l->contentsRect().adjusted(inset, 0, -inset, 0);
        wraps = l->wordWrap();
    }
    if (text.trimmed().isEmpty())
        return {};
    const QFont f = w->font();
    if (wraps) {
        const QFontMetrics fm(f);
        const QRect r = fm.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, text);
        bool wordsFit = true;
        for (const QString &word :
             text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            wordsFit = wordsFit && fm.horizontalAdvance(word) <= room.width();
        if (wordsFit && r.height() <= room.height())
            return {};
        return QStringLiteral("%1 \"%2\" (%3 %4 pt) wraps to %5 px in %6 x %7")
            .arg(w->objectName(), text, QFontInfo(f).family())
            .arg(f.pointSizeF())
            .arg(r.height())
            .arg(room.width())
            .arg(room.height());
    }
    const QSize need = needed(f, text);
    if (need.width() <= room.width() && need.height() <= room.height())
        return {};
    return QStringLiteral("%1 \"%2\" (%3 %4 pt) needs %5 x %6 px, has %7 x %8")
        .arg(w->objectName(), text, QFontInfo(f).family())
        .arg(f.pointSizeF())
        .arg(need.width())
        .arg(need.height())
        .arg(room.width())
        .arg(room.height());
}

/// A control the user can see: inside its parent (not a holder parked outside).
bool shown(const QWidget *w) {
    return !w->isHidden() && w->parentWidget() &&
           w->parentWidget()->rect().contains(w->geometry().topLeft());
}

QStringList clippedIn(QWidget *window) {
    QStringList out;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!shown(w))
            continue;
        const QString c = clipped(w);
        if (!c.isEmpty())
            out << window->windowTitle() + QStringLiteral(": ") + c;
    }
    return out;
}

/// Names given to more than one control of a window (tests and accessibility
/// tools would find the wrong one).
QStringList repeatedNames(QWidget *window) {
    QStringList seen, repeated;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        if (seen.contains(name) && !repeated.contains(name))
            repeated << name;
        seen << name;
    }
    for (QString &name : repeated)
        name = window->windowTitle() + QStringLiteral(": ") + name + QStringLiteral(" twice");
    return repeated;
}

} // namespace

class CaptionsTest : public QObject {
    Q_OBJECT
private slots:
    void captionsFit_data() {
        QTest::addColumn<int>("window"); // -1: the main menu
        QTest::newRow("main menu") << -1;
        const char *names[] = {
            "reading",       "article",   "Ich sehe",       "word choice", "picture choice",
            "copy",          "dictation", "hangman",        "memory",      "catch game",
            "letter carpet", "A B C",     "learning cards", "sound cards", "writing sheets",
            "font chooser",  "log",       "about box"};
        for (int id = 0; id <= int(ScreenId::TrvLabel); ++id)
            QTest::newRow(names[id]) << id;
    }

    void captionsFit() {
        QFETCH(int, window);
        MenuFixture f;
        f.addNumbered(20);
        QVERIFY(f.start());
        QStringList bad;
        if (window < 0) {
            bad = clippedIn(f.menu());
        } else {
            const auto id = ScreenId(window);
            // Windows whose captions change on activation are opened as the
            // menu opens them; the others keep the captions they are built with.
            const bool open = id == ScreenId::Fang || id == ScreenId::Schriften ||
                              id == ScreenId::Form11 || id == ScreenId::Drucken1 ||
                              id == ScreenId::Drucken2 || id == ScreenId::Drucken3;
            if (open)
                f.program->showScreen(id);
            Screen *s = f.program->screen(id);
            QVERIFY(s);
            QCoreApplication::processEvents();
            bad = clippedIn(s);
            if (auto *chooser = qobject_cast<schriften *>(s)) {
                // The sample at its largest size, in the font standing in for
                // its own MS Sans Serif.
                const QString own = QFontInfo(controls::msSansSerif(13.5, true)).family();
                auto *fonts = control<QListWidget>(chooser, "List1");
                auto *size = control<QScrollBar>(chooser, "VScroll1");
                const auto hits = fonts->findItems(own, Qt::MatchExactly);
                QVERIFY2(!hits.isEmpty(), qPrintable(own));
                fonts->setCurrentItem(hits.first());
                size->setValue(size->maximum());
                bad << clippedIn(chooser);
            }
            if (auto *game = qobject_cast<fang *>(s)) {
                auto *bild5 = control<Canvas>(game, "Bild5");
                const Surface &field = bild5->surface();
                const int need = field.textWidth(fang::kStartLine);
                if (need > twips::width(bild5))
                    bad << QStringLiteral("start line needs %1 twips, field %2 (%3)")
                               .arg(need)
                               .arg(twips::width(bild5))
                               .arg(QFontInfo(field.font()).family());
            }
        }
        bad << repeatedNames(window < 0 ? static_cast<QWidget *>(f.menu())
                                        : f.program->screen(ScreenId(window)));
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(CaptionsTest)
#include "captions_test.moc"
