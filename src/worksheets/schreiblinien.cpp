#include "worksheets/schreiblinien.h"

#include "core/nouns.h"
#include "core/pages.h"
#include "core/palette.h"
#include "drawing/surface.h"
#include "drawing/wordstrip.h"
#include "program/program.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

namespace {

using writinglines::Settings;

// The page across, in millimetres: the pictures on the left, the lines
// right of them, the words a little inside the lines.
constexpr double kPictureMm = 28;
constexpr double kLinesLeftMm = 32;
constexpr double kTextInsetMm = 2;

constexpr double kThinMm = 0.25;
constexpr double kBoldMm = 0.5;

const QColor kTraceDots(60, 60, 60);
const QColor kTraceGrey(200, 200, 200);

QColor tintColour(writinglines::Tint t) {
    // Light enough to print as a pale grey on a black-and-white printer.
    switch (t) {
    case writinglines::Tint::Yellow:
        return QColor(255, 246, 180);
    case writinglines::Tint::Blue:
        return QColor(210, 230, 255);
    default:
        return QColor();
    }
}

SheetWindow::Setup makeSetup() {
    SheetWindow::Setup s;
    s.caption = QStringLiteral("Kalimbo (Schreiblinien)");
    s.helpTitle = QStringLiteral("Hilfe zu Schreiblinien");
    s.helpLines = {
        QStringLiteral("Hier können Sie Schreibblätter auf Schullinien erstellen und ausdrucken."),
        QStringLiteral("Jedes Wort steht einmal vorgeschrieben, dann zum Nachspuren,"),
        QStringLiteral("danach folgen leere Zeilen zum Selberschreiben."),
        QStringLiteral("Lineatur, Höhen, Tönung und Zeilen stellen Sie rechts ein;"),
        QStringLiteral("sie bleiben gespeichert. Die Schrift füllt das Mittelband genau."),
        QStringLiteral("Um ein Wort auszutauschen, markieren Sie links das neue und"),
        QStringLiteral("in der zweiten Liste das alte Wort und klicken dann auf den"),
        QStringLiteral("Doppelpfeil zwischen den Listen.")};
    s.closingText = QStringLiteral("Das Arbeitsblatt wird gedruckt ...");
    s.pdfStem = QStringLiteral("Schreiblinien");
    return s;
}

QDoubleSpinBox *heightBox(QWidget *parent) {
    auto *b = new QDoubleSpinBox(parent);
    b->setRange(0, writinglines::kMaxBand);
    b->setDecimals(1);
    b->setSingleStep(0.5);
    b->setSuffix(QStringLiteral(" mm"));
    b->setLocale(QLocale(QLocale::German, QLocale::Germany));
    return b;
}

} // namespace

Schreiblinien::Schreiblinien(Program &program) : SheetWindow(program, makeSetup()) {
    const QFont small = controls::verdana(8.25);
    auto *words = controls::label(this, QStringLiteral("Wörter"), 120, 120, 2040, 285, small);
    auto *onSheet =
        controls::label(this, QStringLiteral("Auf dem Blatt"), 2820, 120, 2040, 285, small);
    Bilder1 = controls::list(this, 120, 420, 2040, 9180);
    Liste1 = controls::list(this, 2820, 420, 2040, 9180);
    Command3 = controls::button(this, QStringLiteral(">>"), 2220, 4200, 540, 495);
    twips::place(Picture1, 4980, 120, 6703, 9480);
    Bilder1->setAccessibleName(QStringLiteral("Wörter"));
    Liste1->setAccessibleName(QStringLiteral("Auf dem Blatt"));
    Command3->setAccessibleName(QStringLiteral("Austauschen"));
    Command7 = bandButton(QStringLiteral("<<"), 13080, 615);
    Command6 = bandButton(QStringLiteral(">>"), 13800, 615);

    auto *panel = new QWidget(this);
    twips::place(panel, 11820, 120, 2760, 9480);
    auto *box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    LineSet = new QComboBox(panel);
    for (int k = 0; k < writinglines::kSets; ++k)
        LineSet->addItem(QStringLiteral("Lineatur %1").arg(k));
    LineSet->setAccessibleName(QStringLiteral("Lineatur"));
    box->addWidget(LineSet);
    auto *form = new QFormLayout;
    form->setContentsMargins(0, 0, 0, 0);
    Upper = heightBox(panel);
    Middle = heightBox(panel);
    Middle->setMinimum(writinglines::kMinMiddle);
    Lower = heightBox(panel);
    Gap = heightBox(panel);
    form->addRow(QStringLiteral("Oberband"), Upper);
    form->addRow(QStringLiteral("Mittelband"), Middle);
    form->addRow(QStringLiteral("Unterband"), Lower);
    form->addRow(QStringLiteral("Abstand"), Gap);
    box->addLayout(form);
    Defaults = new QPushButton(QStringLiteral("Höhen wie vorgegeben"), panel);
    box->addWidget(Defaults);
    box->addSpacing(8);
    Tint = new QComboBox(panel);
    Tint->addItems({QStringLiteral("Mittelband weiß"), QStringLiteral("Mittelband hellgelb"),
                    QStringLiteral("Mittelband hellblau")});
    Tint->setAccessibleName(QStringLiteral("Tönung"));
    box->addWidget(Tint);
    BoldBase = new QCheckBox(QStringLiteral("Grundlinie kräftig"), panel);
    box->addWidget(BoldBase);
    box->addSpacing(8);
    auto *rows = new QFormLayout;
    rows->setContentsMargins(0, 0, 0, 0);
    TraceRows = new QSpinBox(panel);
    TraceRows->setRange(1, writinglines::kMaxTraceRows);
    EmptyRows = new QSpinBox(panel);
    EmptyRows->setRange(0, writinglines::kMaxEmptyRows);
    rows->addRow(QStringLiteral("Nachspurzeilen"), TraceRows);
    rows->addRow(QStringLiteral("Leere Zeilen"), EmptyRows);
    box->addLayout(rows);
    TraceStyle = new QComboBox(panel);
    TraceStyle->addItems(
        {QStringLiteral("Nachspuren gepunktet"), QStringLiteral("Nachspuren hellgrau")});
    TraceStyle->setAccessibleName(QStringLiteral("Nachspuren"));
    box->addWidget(TraceStyle);
    Colour = new QCheckBox(QStringLiteral("Selbstlaute farbig"), panel);
    box->addWidget(Colour);
    box->addSpacing(8);
    FontName = new QLabel(panel);
    FontName->setWordWrap(true);
    box->addWidget(FontName);
    PerPage = new QLabel(panel);
    PerPage->setWordWrap(true);
    box->addWidget(PerPage);
    box->addStretch();
    for (QWidget *w : panel->findChildren<QWidget *>())
        w->setFont(small);

    KALIMBO_NAME(words);
    KALIMBO_NAME(onSheet);
    KALIMBO_NAME(Bilder1);
    KALIMBO_NAME(Liste1);
    KALIMBO_NAME(Command3);
    KALIMBO_NAME(Command7);
    KALIMBO_NAME(Command6);
    KALIMBO_NAME(panel);
    KALIMBO_NAME(LineSet);
    KALIMBO_NAME(Upper);
    KALIMBO_NAME(Middle);
    KALIMBO_NAME(Lower);
    KALIMBO_NAME(Gap);
    KALIMBO_NAME(Defaults);
    KALIMBO_NAME(Tint);
    KALIMBO_NAME(BoldBase);
    KALIMBO_NAME(TraceRows);
    KALIMBO_NAME(TraceStyle);
    KALIMBO_NAME(EmptyRows);
    KALIMBO_NAME(Colour);
    KALIMBO_NAME(FontName);
    KALIMBO_NAME(PerPage);

    connect(Command6, &QPushButton::clicked, this, &Schreiblinien::nextPage);
    connect(Command7, &QPushButton::clicked, this, &Schreiblinien::previousPage);
    connect(Command3, &QPushButton::clicked, this, &Schreiblinien::exchange);
    connect(LineSet, &QComboBox::currentIndexChanged, this, [this](int set) {
        if (m_showing || set < 0)
            return;
        // Another line set brings its own heights.
        m_page.settings.set = set;
        showSettings();
        settingsChanged();
    });
    for (QDoubleSpinBox *b : {Upper, Middle, Lower, Gap})
        connect(b, &QDoubleSpinBox::valueChanged, this, &Schreiblinien::readControls);
    for (QSpinBox *b : {TraceRows, EmptyRows})
        connect(b, &QSpinBox::valueChanged, this, &Schreiblinien::readControls);
    for (QComboBox *b : {Tint, TraceStyle})
        connect(b, &QComboBox::currentIndexChanged, this, &Schreiblinien::readControls);
    for (QCheckBox *b : {BoldBase, Colour})
        connect(b, &QCheckBox::toggled, this, &Schreiblinien::readControls);
    connect(Defaults, &QPushButton::clicked, this, [this] {
        Settings s = m_page.settings;
        s.bands[size_t(s.set)] = writinglines::defaultBands(s.set);
        setSettings(s);
    });
}

// --- layout -----------------------------------------------------------------

writinglines::Layout Schreiblinien::layout(const Settings &s) {
    return writinglines::layout(s, sheet::kHeightMm);
}

int Schreiblinien::nounsPerPage(const Settings &s) {
    return layout(s).nouns();
}

// --- drawing ----------------------------------------------------------------

void Schreiblinien::drawSheet(Surface &s, bool paper) const {
    drawPage(s, m_page, paper);
}

void Schreiblinien::drawPage(Surface &s, const WritingPage &page, bool paper) const {
    const Settings &set = page.settings;
    const writinglines::Bands &b = set.current();
    const writinglines::Lines lines = writinglines::linesOf(set.set);
    const writinglines::Layout at = layout(set);
    const int left = sheet::tw(kLinesLeftMm);
    const int right = sheet::widthTw();
    const QColor tint = tintColour(set.tint);
    const int width = s.lineWidth();
    auto rowsFrom = [&](double top, int rows) {
        for (int r = 0; r < rows; ++r) {
            const double roof = top + r * b.pitch();
            const double mean = roof + b.upper;
            const double base = mean + b.middle;
            const double bottom = base + b.lower;
            if (tint.isValid())
                s.fillBox(left, sheet::tw(mean), right, sheet::tw(base), tint, tint);
            s.setLineWidth(sheet::tw(kThinMm));
            if (lines.roof)
                s.line(left, sheet::tw(roof), right, sheet::tw(roof), Qt::black);
            if (lines.mean)
                s.line(left, sheet::tw(mean), right, sheet::tw(mean), Qt::black);
            if (lines.bottom)
                s.line(left, sheet::tw(bottom), right, sheet::tw(bottom), Qt::black);
            s.setLineWidth(sheet::tw(set.boldBase ? kBoldMm : kThinMm));
            s.line(left, sheet::tw(base), right, sheet::tw(base), Qt::black);
        }
        s.setLineWidth(width);
    };
    for (int k = 0; k < at.nouns(); ++k) {
        rowsFrom(at.tops[k], at.rows);
        if (k < page.entries.size())
            drawNoun(s, page, at, page.entries[k], at.tops[k], paper);
    }
    // The rest of the page to write on.
    rowsFrom(at.tailTop, at.tailRows);
    s.setLineWidth(width);
}

void Schreiblinien::drawNoun(Surface &s, const WritingPage &page,
                             const writinglines::Layout &layout, const QString &entry, double topMm,
                             bool paper) const {
    const Settings &set = page.settings;
    const writinglines::Bands &b = set.current();
    const int rows = layout.rows;

    // The picture, whole, in the square left of the rows.
    const double side = qMin(kPictureMm, layout.block);
    const Picture pic = picture(entry);
    if (!pic.isNull())
        s.picture(pic, sheet::fitted(pic.naturalTwips(),
                                     QRect(0, sheet::tw(topMm), sheet::tw(side), sheet::tw(side))));

    const QString article = nouns::articleOf(entry);
    const QString noun = nouns::nounOf(entry);
    const QString text = article.isEmpty() ? noun : article + QLatin1Char(' ') + noun;
    const int nounAt = int(text.size() - noun.size());
    const int x = sheet::tw(kLinesLeftMm + kTextInsetMm);
    const int room = sheet::widthTw() - sheet::tw(kTextInsetMm) - x;

    // The x-height fills the middle band; a word too long for the line is
    // made smaller instead of running over its end.
    double points = sheet::pointsForXHeight(page.family, sheet::tw(b.middle));
    s.setFont(page.family, points);
    for (int tries = 0; tries < 3 && s.textWidth(text) > room; ++tries) {
        points *= double(room) / s.textWidth(text) * 0.995;
        s.setFont(page.family, points);
    }
    const double ascent = QFontMetricsF(s.font()).ascent();
    auto baseOf = [&](int r) { return topMm + r * b.pitch() + b.upper + b.middle; };
    auto textTop = [&](int r) { return sheet::tw(baseOf(r)) - qRound(ascent); };
    auto at = [&](int i) { return x + s.textWidth(text.left(i)); };

    // Written once, in the font.
    const std::optional<wordstrip::Syllables> syllables = m_program.syllablesOf(noun, paper);
    const QColor vowel = palette::colour(page.vowelColour);
    QList<int> edges{0};
    if (syllables) {
        for (int br : syllables->breaks)
            if (br > 0 && br < noun.size() && br > edges.last())
                edges << br;
    }
    edges << int(noun.size());
    auto colourOf = [&](int i) -> QColor {
        if (syllables && syllables->coloured && i >= nounAt) {
            int k = 0;
            while (k + 2 < edges.size() && i - nounAt >= edges[k + 1])
                ++k;
            return syllables->colourOf(k);
        }
        return set.colour && palette::isVowel(text[i]) ? vowel : QColor(Qt::black);
    };
    const QColor before = s.textColour();
    if (!set.colour && !(syllables && syllables->coloured)) {
        s.setTextColour(Qt::black);
        s.text(x, textTop(0), text);
    } else {
        for (int i = 0; i < text.size(); ++i) {
            s.setTextColour(colourOf(i));
            s.text(at(i), textTop(0), QString(text[i]));
        }
    }
    s.setTextColour(before);
    if (syllables) {
        QList<wordstrip::Pieces> pieces;
        QList<QColor> colours;
        for (int k = 0; k + 1 < edges.size(); ++k) {
            pieces << wordstrip::Pieces{
                qMakePair(at(nounAt + edges[k]), at(nounAt + edges[k + 1]))};
            colours << (syllables->coloured         ? syllables->colourOf(k)
                        : syllables->arcs.isValid() ? syllables->arcs
                                                    : QColor(Qt::black));
        }
        // Under the base line, inside the lower band.
        const int base = sheet::tw(baseOf(0));
        wordstrip::arcsUnder(s, pieces, colours, base + sheet::tw(set.boldBase ? kBoldMm : kThinMm),
                             sheet::tw(baseOf(0) + b.lower));
    }

    // Then to trace over.
    const bool dotted = set.trace == writinglines::Trace::Dotted;
    const int width = s.lineWidth();
    s.setLineWidth(dotted ? sheet::tw(0.4) : 0);
    for (int r = 1; r <= set.traceRows && r < rows; ++r)
        s.outlineText(x, textTop(r), text, dotted ? kTraceDots : kTraceGrey, dotted,
                      dotted ? QColor() : kTraceGrey);
    s.setLineWidth(width);
}

// --- the window -------------------------------------------------------------

void Schreiblinien::refill() {
    m_page.settings = Settings::load(sheet::userSettings());
    useFamily(m_page.settings.family);
    m_page.family = family();
    m_page.vowelColour = m_program.vowelColour();
    showSettings();
    // The noun list as it is now: a changed list reaches the sheet here.
    m_entries = m_program.nounList();
    {
        const QSignalBlocker block(Bilder1);
        Bilder1->clear();
        for (const QString &e : std::as_const(m_entries))
            Bilder1->addItem(nouns::displayFormOrNoun(e));
    }
    m_page.start = -nounsPerPage(m_page.settings);
    nextPage();
}

void Schreiblinien::storeFamily(const QString &f) {
    m_page.settings.family = f;
    keep([this](QSettings &s) { m_page.settings.save(s); });
}

void Schreiblinien::nextPage() {
    fillPage(pages::next(m_page.start, int(m_entries.size()), nounsPerPage(m_page.settings)));
}

void Schreiblinien::previousPage() {
    fillPage(pages::previous(m_page.start, int(m_entries.size()), nounsPerPage(m_page.settings)));
}

void Schreiblinien::fillPage(int start) {
    const int n = nounsPerPage(m_page.settings);
    m_page.start = qMax(0, start);
    m_page.entries = m_entries.mid(m_page.start, n);
    {
        const QSignalBlocker block(Liste1);
        Liste1->clear();
        for (const QString &e : std::as_const(m_page.entries))
            Liste1->addItem(nouns::displayFormOrNoun(e));
    }
    PerPage->setText(m_entries.isEmpty()
                         ? QStringLiteral("Die Wortliste ist leer: das Blatt hat nur Linien.")
                         : QStringLiteral("Wörter %1 bis %2 von %3, %4 je Blatt")
                               .arg(m_page.start + 1)
                               .arg(m_page.start + m_page.entries.size())
                               .arg(m_entries.size())
                               .arg(n));
    vorschau();
}

void Schreiblinien::exchange() {
    const int src = Bilder1->currentRow();
    const int k = Liste1->currentRow();
    if (src < 0 || src >= m_entries.size() || k < 0 || k >= m_page.entries.size())
        return;
    const QString entry = m_entries[src];
    if (m_page.entries.contains(entry)) {
        m_program.dialogs().message(QStringLiteral("Das Bild ist schon vorhanden!\r\r"),
                                    QStringLiteral("Bild einfügen"));
        return;
    }
    m_page.entries[k] = entry;
    Liste1->item(k)->setText(nouns::displayFormOrNoun(entry));
    vorschau();
}

void Schreiblinien::setSettings(const Settings &settings) {
    m_page.settings = settings;
    for (writinglines::Bands &b : m_page.settings.bands)
        b = writinglines::bounded(b);
    showSettings();
    settingsChanged();
}

void Schreiblinien::showSettings() {
    const Settings &s = m_page.settings;
    const writinglines::Bands &b = s.current();
    m_showing = true;
    LineSet->setCurrentIndex(s.set);
    Upper->setValue(b.upper);
    Middle->setValue(b.middle);
    Lower->setValue(b.lower);
    Gap->setValue(b.gap);
    Tint->setCurrentIndex(int(s.tint));
    BoldBase->setChecked(s.boldBase);
    TraceRows->setValue(s.traceRows);
    TraceStyle->setCurrentIndex(int(s.trace));
    EmptyRows->setValue(s.emptyRows);
    Colour->setChecked(s.colour);
    FontName->setText(QStringLiteral("Schrift: ") + m_page.family);
    m_showing = false;
}

void Schreiblinien::readControls() {
    if (m_showing)
        return;
    Settings &s = m_page.settings;
    s.bands[size_t(s.set)] =
        writinglines::bounded({Upper->value(), Middle->value(), Lower->value(), Gap->value()});
    s.tint = writinglines::Tint(qBound(0, Tint->currentIndex(), 2));
    s.boldBase = BoldBase->isChecked();
    s.traceRows = TraceRows->value();
    s.trace = writinglines::Trace(qBound(0, TraceStyle->currentIndex(), 1));
    s.emptyRows = EmptyRows->value();
    s.colour = Colour->isChecked();
    settingsChanged();
}

void Schreiblinien::settingsChanged() {
    keep([this](QSettings &s) { m_page.settings.save(s); });
    // The same first noun; the page holds as many as now fit.
    fillPage(qMin(m_page.start, qMax(0, int(m_entries.size()) - nounsPerPage(m_page.settings))));
}
