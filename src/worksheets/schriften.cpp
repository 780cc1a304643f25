#include "worksheets/schriften.h"

#include "core/collation.h"
#include "program/program.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>

namespace {

const char *const kSample = "Das ist ein Beispieltext.";

} // namespace

schriften::schriften(Program &program)
    : Screen(program, 9735, 3390, QStringLiteral("Kalimbo (Schriftauswahl)"),
             QColor(128, 128, 255)) {
    List1 = controls::list(this, 120, 240, 3375, 2940);
    List1->setAccessibleName(QStringLiteral("Schriften"));

    Label1 =
        controls::label(this, QString(), 3720, 240, 5655, 735, controls::msSansSerif(18, true));
    controls::colourise(Label1, QColor(192, 192, 255), QColor(0, 0, 128));

    Label2 = controls::label(this, QString::fromUtf8(kSample), 3720, 960, 5655, 1455,
                             controls::msSansSerif(13.5, true));
    controls::colourise(Label2, palette().color(QPalette::Base), palette().color(QPalette::Text));
    Label2->setWordWrap(true);

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setAccessibleName(QStringLiteral("Schriftgröße"));
    VScroll1->setRange(5, 15);
    VScroll1->setValue(7);
    twips::place(VScroll1, 9360, 240, 255, 2175);

    Command1 = controls::button(this, QStringLiteral("Abbruch . . ."), 3720, 2760, 1815, 375);
    Command2 = controls::button(this, QStringLiteral("Ausgewählte Schrift übernehmen"), 5760, 2760,
                                3855, 375);
    for (QPushButton *b : {Command1, Command2})
        b->setFont(controls::msSansSerif(9.75, true));
    KALIMBO_NAME(List1);
    KALIMBO_NAME(Label1);
    KALIMBO_NAME(Label2);
    KALIMBO_NAME(VScroll1);
    KALIMBO_NAME(Command1);
    KALIMBO_NAME(Command2);

    connect(List1, &QListWidget::currentRowChanged, this, &schriften::showFont);
    connect(VScroll1, &QScrollBar::valueChanged, this, &schriften::setSampleSize);
    connect(Command2, &QPushButton::clicked, this, &schriften::take);
    connect(Command1, &QPushButton::clicked, this, &schriften::cancel);
}

QStringList schriften::screenFonts() {
    QStringList out;
    QSet<QString> seen;
    const QStringList families = QFontDatabase::families();
    for (const QString &family : families) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        // Latin letters, and no symbol font (dingbats claim Latin too).
        const auto systems = QFontDatabase::writingSystems(family);
        if (!systems.contains(QFontDatabase::Latin) || systems.contains(QFontDatabase::Symbol))
            continue;
        QString name = family;
        const int foundry = name.indexOf(QLatin1String(" ["));
        if (foundry > 0 && name.endsWith(QLatin1Char(']')))
            name = name.left(foundry).trimmed();
        if (name.isEmpty() || seen.contains(name))
            continue;
        seen.insert(name);
        out << name;
    }
    collation::sort(out);
    return out;
}

void schriften::activated() {
    fill();
}

void schriften::fill() {
    List1->clear();
    List1->addItems(screenFonts());
    if (List1->count() > 0) {
        if (List1->currentRow() == 0)
            showFont(0);
        else
            List1->setCurrentRow(0);
    }
}

void schriften::showFont(int row) {
    QListWidgetItem *it = List1->item(row);
    if (!it)
        return;
    const QString f = it->text();
    Label2->clear();
    QFont chosen = Label1->font();
    chosen.setFamily(f);
    Label1->setFont(chosen);
    Label1->setText(f);
    QFont sample = Label2->font();
    sample.setFamily(f);
    sample.setPointSizeF(2.0 * VScroll1->value());
    Label2->setFont(sample);
    Label2->setText(QString::fromUtf8(kSample));
}

void schriften::setSampleSize(int value) {
    QFont sample = Label2->font();
    sample.setPointSizeF(2.0 * value);
    Label2->setFont(sample);
}

void schriften::take() {
    // Label1 keeps the font as caption and font name: the hand-over.
    List1->clear();
    hide();
    backToCaller();
}

void schriften::cancel() {
    Label1->clear();
    List1->clear();
    hide();
    backToCaller();
}

void schriften::resetToStart() {
    {
        const QSignalBlocker block(VScroll1);
        VScroll1->setValue(7);
    }
    Label1->clear();
    Label1->setFont(controls::msSansSerif(18, true));
    Label2->setFont(controls::msSansSerif(13.5, true));
    Label2->setText(QString::fromUtf8(kSample));
    List1->clear();
}

bool schriften::titleBarClose() {
    // Closing discards the choice: the next use starts from the initial
    // state. The window is kept hidden instead of destroyed, because the
    // program's title-bar close would bring up the main menu beside the
    // worksheet that is still open.
    resetToStart();
    hide();
    backToCaller();
    return false;
}

void schriften::backToCaller() {
    if (m_caller && m_caller->isVisible())
        m_caller->showAndActivate();
}

QString schriften::chosenFamily() const {
    return Label1->text().isEmpty() ? QString() : Label1->font().family();
}
