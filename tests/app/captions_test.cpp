// Every caption of every window fits its control in the substitute fonts
// (labels, buttons and check boxes, the catch game's start line, the font
// chooser's sample at its largest), and no window names two controls alike.

#include "menufixture.h"

#include "app/extrasdialog.h"
#include "core/extras.h"
#include "games/fang.h"
#include "log/verlauf.h"
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

/// "" when the caption of w fits its room, otherwise what is clipped.
QString clipped(QWidget *w) {
    QString text;
    QRect room;
    bool wraps = false;
    if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        text = b->text();
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = text;
        const auto contents = qobject_cast<QCheckBox *>(w)      ? QStyle::SE_CheckBoxContents
                              : qobject_cast<QRadioButton *>(w) ? QStyle::SE_RadioButtonContents
                                                                : QStyle::SE_PushButtonContents;
        room = b->style()->subElementRect(contents, &opt, b);
    } else if (auto *l = qobject_cast<QLabel *>(w);
               l && l->textFormat() != Qt::RichText && !Qt::mightBeRichText(l->text())) {
        text = l->text();
        const int inset = qMax(0, l->margin()) + qMax(0, l->indent());
        room = l->contentsRect().adjusted(inset, 0, -inset, 0);
        wraps = l->wordWrap();
    }
    if (text.trimmed().isEmpty())
        return {};
    const QFontMetrics fm(w->font());
    QSize need;
    if (wraps) { // every word fits a line, and the lines fit the height
        need.setHeight(
            fm.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, text).height());
        for (const QString &word : text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
            need.setWidth(qMax(need.width(), fm.horizontalAdvance(word)));
    } else { // advance of the widest line, ink of the lines
        const QStringList lines = text.split('\n');
        for (const QString &line : lines)
            need.setWidth(qMax(need.width(), fm.horizontalAdvance(line)));
        need.setHeight(fm.tightBoundingRect(text).height() +
                       (int(lines.size()) - 1) * fm.lineSpacing());
    }
    if (need.width() <= room.width() && need.height() <= room.height())
        return {};
    return QStringLiteral("%1 \"%2\" (%3 %4 pt) needs %5 x %6 px, has %7 x %8")
        .arg(w->objectName(), text, QFontInfo(w->font()).family())
        .arg(w->font().pointSizeF())
        .arg(need.width())
        .arg(need.height())
        .arg(room.width())
        .arg(room.height());
}

/// Clipped captions of the controls the user can see (inside their parent,
/// not parked outside) and names given to more than one control (tests and
/// accessibility tools would find the wrong one).
QStringList faultsIn(QWidget *window) {
    QStringList out, seen;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const bool shown = !w->isHidden() && w->parentWidget() &&
                           w->parentWidget()->rect().contains(w->geometry().topLeft());
        if (const QString c = shown ? clipped(w) : QString(); !c.isEmpty())
            out << window->windowTitle() + QStringLiteral(": ") + c;
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && seen.contains(name))
            out << window->windowTitle() + QStringLiteral(": ") + name + QStringLiteral(" twice");
        seen << name;
    }
    return out;
}

} // namespace

class CaptionsTest : public QObject {
    Q_OBJECT
private slots:
    void captionsFit_data() {
        // -1: the main menu, -2: the Extras dialog (failures name the window)
        QTest::addColumn<int>("window");
        for (int id = -2; id <= int(ScreenId::Anlauttabelle); ++id)
            QTest::addRow("%d", id) << id;
    }

    void captionsFit() {
        QFETCH(int, window);
        MenuFixture f;
        QVERIFY(f.startWith(20));
        // Records on: the log shows its "Verlauf ..." and the report its note.
        f.changeExtras([](Extras &e) { e.keepRecords = true; });
        const auto id = ScreenId(window);
        // Windows whose captions change on activation are opened as the menu
        // opens them; the others keep the captions they are built with.
        if (id == ScreenId::Fang || id == ScreenId::Schriften || id == ScreenId::Form11 ||
            id == ScreenId::Drucken1 || id == ScreenId::Drucken2 || id == ScreenId::Drucken3 ||
            id == ScreenId::Verlauf || id == ScreenId::Schreiblinien ||
            id == ScreenId::Anlauttabelle)
            f.program->showScreen(id);
        Extras extras;
        // Every reason shown: records off, no sound output.
        ExtrasDialog extrasDialog(
            extras, {QDir::current().absoluteFilePath("Protokolle"), [] { return false; }});
        if (window == -2)
            extrasDialog.show();
        QWidget *s = window == -2 ? static_cast<QWidget *>(&extrasDialog)
                     : window < 0 ? f.menu()
                                  : f.program->screen(id);
        if (auto *report = qobject_cast<Verlauf *>(s))
            QTRY_VERIFY(!report->isReading());
        QCoreApplication::processEvents();
        QStringList bad = faultsIn(s);
        if (auto *chooser = qobject_cast<schriften *>(s)) {
            // The sample at its largest size, in the font standing in for its
            // own MS Sans Serif.
            const QString own = QFontInfo(controls::msSansSerif(13.5, true)).family();
            auto *fonts = control<QListWidget>(chooser, "List1");
            const auto hits = fonts->findItems(own, Qt::MatchExactly);
            QVERIFY2(!hits.isEmpty(), qPrintable(own));
            fonts->setCurrentItem(hits.first());
            auto *size = control<QScrollBar>(chooser, "VScroll1");
            size->setValue(size->maximum());
            bad << faultsIn(chooser);
        }
        if (auto *game = qobject_cast<fang *>(s)) {
            auto *field = control<Canvas>(game, "Bild5");
            const int need = field->surface().textWidth(fang::kStartLine);
            if (need > twips::width(field))
                bad << QStringLiteral("start line needs %1 twips, has %2 (%3)")
                           .arg(need)
                           .arg(twips::width(field))
                           .arg(QFontInfo(field->surface().font()).family());
        }
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(CaptionsTest)
#include "captions_test.moc"
