#include "worksheets/anlauttabelle.h"

#include "core/palette.h"
#include "drawing/surface.h"
#include "program/program.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <functional>

namespace {

using initialsounds::Cell;
using initialsounds::Match;

constexpr int kColumns = 6;
constexpr double kPadMm = 1.5;
// Font sizes as parts of the cell's height.
constexpr double kPairPart = 0.2;
constexpr double kNounPart = 0.13;

const QColor kNote(110, 110, 110);

SheetWindow::Setup makeSetup() {
    SheetWindow::Setup s;
    s.caption = QStringLiteral("Kalimbo (Anlauttabelle)");
    s.clientWidth = 12300;
    s.helpTitle = QStringLiteral("Hilfe zur Anlauttabelle");
    s.helpLines = {
        QStringLiteral("Die Anlauttabelle zeigt zu jedem Laut ein Bild aus Ihrem Bilderordner."),
        QStringLiteral("Ein Klick auf ein Feld (oder „Anderes Bild“) zeigt das nächste"),
        QStringLiteral("passende Bild; Ihre Wahl bleibt gespeichert. Seltene Laute"),
        QStringLiteral("(ß, ng, ch, x, ck, ie) stehen im Wort, wenn ein passendes Bild"),
        QStringLiteral("vorhanden ist. Fehlt für einen Laut ein Bild, bleibt sein Feld leer.")};
    s.closingText = QStringLiteral("Die Anlauttabelle wird gedruckt ...");
    s.pdfStem = QStringLiteral("Anlauttabelle");
    return s;
}

} // namespace

Anlauttabelle::Anlauttabelle(Program &program) : SheetWindow(program, makeSetup()) {
    const QFont small = controls::verdana(8.25);
    twips::place(Picture1, 120, 120, 6703, 9480);
    Report = controls::label(this, QString(), 6960, 120, 5220, 900, controls::verdana(9.75, true));
    Report->setWordWrap(true);
    Report->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Hint = controls::label(this,
                           QStringLiteral("Ein Klick auf ein Feld zeigt das nächste Bild, das "
                                          "zu seinem Laut passt."),
                           6960, 1080, 5220, 540, small);
    Hint->setWordWrap(true);
    Laute1 = controls::list(this, 6960, 1680, 5220, 6660);
    Laute1->setAccessibleName(QStringLiteral("Laute"));
    Command3 = controls::button(this, QStringLiteral("Anderes Bild"), 6960, 8460, 2415, 375);
    Colour = controls::checkBox(this, QStringLiteral("Laute farbig"), 9480, 8460, 2700, 375);
    FontName = controls::label(this, QString(), 6960, 9000, 5220, 300, small);
    KALIMBO_NAME(Report);
    KALIMBO_NAME(Hint);
    KALIMBO_NAME(Laute1);
    KALIMBO_NAME(Command3);
    KALIMBO_NAME(Colour);
    KALIMBO_NAME(FontName);

    connect(Picture1, &SheetPreview::clicked, this, [this](QPoint p) {
        if (const int k = cellAt(p); k >= 0) {
            Laute1->setCurrentRow(k);
            cycle(k);
        }
    });
    connect(Command3, &QPushButton::clicked, this, [this] { cycle(Laute1->currentRow()); });
    connect(Laute1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *it) { cycle(Laute1->row(it)); });
    connect(Colour, &QCheckBox::toggled, this, [this](bool on) {
        if (m_settings.colour == on)
            return;
        m_settings.colour = on;
        m_page.colour = on;
        keep([this](QSettings &s) { m_settings.save(s); });
        vorschau();
    });
}

QRect Anlauttabelle::cellRect(int index, int count) {
    const int rows = qMax(1, (count + kColumns - 1) / kColumns);
    const int c = index % kColumns;
    const int r = index / kColumns;
    const double w = sheet::kWidthMm / kColumns;
    const double h = sheet::kHeightMm / rows;
    const QPoint from(sheet::tw(c * w), sheet::tw(r * h));
    const QPoint to(sheet::tw((c + 1) * w), sheet::tw((r + 1) * h));
    return QRect(from, QSize(to.x() - from.x(), to.y() - from.y()));
}

int Anlauttabelle::cellAt(QPoint p) const {
    const int count = int(m_page.table.cells.size());
    for (int i = 0; i < count; ++i)
        if (cellRect(i, count).contains(p))
            return i;
    return -1;
}

void Anlauttabelle::drawSheet(Surface &s, bool paper) const {
    Q_UNUSED(paper);
    drawPage(s, m_page);
}

void Anlauttabelle::drawPage(Surface &s, const SoundTablePage &page) const {
    const int count = int(page.table.cells.size());
    const int width = s.lineWidth();
    const QColor before = s.textColour();
    for (int i = 0; i < count; ++i)
        drawCell(s, page, page.table.cells[i], cellRect(i, count));
    s.setLineWidth(sheet::tw(0.25));
    for (int i = 0; i < count; ++i) {
        const QRect r = cellRect(i, count);
        s.box(r.left(), r.top(), r.left() + r.width(), r.top() + r.height(), Qt::black);
    }
    s.setLineWidth(width);
    s.setTextColour(before);
}

void Anlauttabelle::drawCell(Surface &s, const SoundTablePage &page, const Cell &cell,
                             const QRect &r) const {
    const int pad = sheet::tw(kPadMm);
    const int room = r.width() - 2 * pad;
    const QColor vowel = palette::colour(page.vowelColour);
    const QColor consonant = palette::colour(page.consonantColour);
    auto colourOf = [&](QChar c) {
        return !page.colour ? QColor(Qt::black) : palette::isVowel(c) ? vowel : consonant;
    };
    // Letters one by one in their colours, `bold` telling which are bold;
    // returns the width, drawing only when asked.
    auto letters = [&](const QString &text, double points, int x, int y,
                       const std::function<bool(int)> &bold, bool draw) {
        int w = 0;
        for (int i = 0; i < text.size(); ++i) {
            s.setFont(page.family, points, bold(i));
            if (draw) {
                s.setTextColour(colourOf(text[i]));
                s.text(x + w, y, QString(text[i]));
            }
            w += s.textWidth(QString(text[i]));
        }
        return w;
    };
    // A size at which the text fits the cell's width.
    auto fit = [&](const QString &text, double points, const std::function<bool(int)> &bold) {
        for (int tries = 0; tries < 4; ++tries) {
            const int w = letters(text, points, 0, 0, bold, false);
            if (w <= room)
                break;
            points *= double(room) / w * 0.99;
        }
        return points;
    };

    // The letter pair, bold, in the top-left corner.
    const initialsounds::Sound &sound = cell.soundOf();
    const QString pair = sound.pair();
    const auto allBold = [](int) { return true; };
    const double pairPoints = fit(pair, r.height() * kPairPart / 20, allBold);
    const int pairTop = r.top() + pad / 2;
    const int pairWidth = letters(pair, pairPoints, r.left() + pad, pairTop, allBold, true);
    s.setFont(page.family, pairPoints, true);
    const int pairBottom =
        pairTop + qRound(QFontMetricsF(s.font()).ascent() + QFontMetricsF(s.font()).descent());
    const Match *m = cell.match();
    if (m && m->spokenAsF) {
        // Vogel: the V is spoken as [f], as the teacher chose it.
        const double ascent = QFontMetricsF(s.font()).ascent();
        s.setFont(page.family, pairPoints / 2);
        const int x = r.left() + pad + pairWidth + pad / 2;
        if (x + s.textWidth(QStringLiteral("[f]")) <= r.right() - pad) {
            s.setTextColour(kNote);
            s.text(x, pairTop + qRound(ascent - QFontMetricsF(s.font()).ascent()),
                   QStringLiteral("[f]"));
        }
    }
    if (!m)
        return;

    // The noun at the bottom, its sound in bold.
    const auto soundBold = [m](int i) { return i >= m->at && i < m->at + m->length; };
    const double nounPoints = fit(m->noun, r.height() * kNounPart / 20, soundBold);
    s.setFont(page.family, nounPoints, true);
    const int nounHeight =
        qRound(QFontMetricsF(s.font()).ascent() + QFontMetricsF(s.font()).descent());
    const int nounTop = r.top() + r.height() - pad / 2 - nounHeight;
    const int nounWidth = letters(m->noun, nounPoints, 0, 0, soundBold, false);
    letters(m->noun, nounPoints, r.left() + (r.width() - nounWidth) / 2, nounTop, soundBold, true);

    // The picture, whole, between them.
    const QRect box(r.left() + pad, pairBottom, room, nounTop - pad / 2 - pairBottom);
    const Picture pic = picture(m->entry);
    if (!pic.isNull() && box.height() > 0)
        s.picture(pic, sheet::fitted(pic.naturalTwips(), box));
}

// --- the window -------------------------------------------------------------

void Anlauttabelle::refill() {
    m_settings = initialsounds::Settings::load(sheet::userSettings());
    useFamily(m_settings.family);
    m_page.family = family();
    m_page.colour = m_settings.colour;
    m_page.vowelColour = m_program.vowelColour();
    m_page.consonantColour = m_program.consonantColour();
    // The noun list as it is now: a changed list reaches the table here.
    m_page.table = initialsounds::build(m_program.nounList(), m_settings.choices);
    {
        const QSignalBlocker block(Colour);
        Colour->setChecked(m_settings.colour);
    }
    FontName->setText(QStringLiteral("Schrift: ") + m_page.family);
    const int row = Laute1->currentRow();
    Laute1->clear();
    for (const Cell &c : std::as_const(m_page.table.cells))
        Laute1->addItem(rowText(c));
    Laute1->setCurrentRow(qBound(0, row, int(Laute1->count()) - 1));
    showReport();
    vorschau();
}

QString Anlauttabelle::rowText(const Cell &cell) const {
    QString text = cell.soundOf().pair() + QStringLiteral(":  ");
    const initialsounds::Match *m = cell.match();
    if (!m)
        return text + QStringLiteral("(kein Bild)");
    text += m->noun;
    if (m->spokenAsF)
        text += QStringLiteral(" [f]");
    if (cell.candidates.size() > 1)
        text += QStringLiteral("  (%1 von %2)").arg(cell.chosen + 1).arg(cell.candidates.size());
    return text;
}

void Anlauttabelle::showReport() {
    const QString gaps = m_page.table.gapReport();
    Report->setText(gaps.isEmpty() ? QStringLiteral("Für jeden Laut gibt es ein Bild.") : gaps);
    QPalette pal = Report->palette();
    pal.setColor(QPalette::WindowText, gaps.isEmpty() ? QColor(0, 0, 128) : QColor(160, 0, 0));
    Report->setPalette(pal);
}

void Anlauttabelle::cycle(int k) {
    if (k < 0 || k >= m_page.table.cells.size())
        return;
    Cell &cell = m_page.table.cells[k];
    if (cell.candidates.size() < 2)
        return;
    cell.chosen = (cell.chosen + 1) % int(cell.candidates.size());
    m_settings.choices.insert(cell.soundOf().id, cell.candidates[cell.chosen].entry);
    keep([this](QSettings &s) { m_settings.save(s); });
    if (QListWidgetItem *it = Laute1->item(k))
        it->setText(rowText(cell));
    vorschau();
}

void Anlauttabelle::storeFamily(const QString &f) {
    m_settings.family = f;
    keep([this](QSettings &s) { m_settings.save(s); });
}

bool Anlauttabelle::readyToPrint() {
    const QString gaps = m_page.table.gapReport();
    if (gaps.isEmpty())
        return true;
    return m_program.dialogs().askYesNo(
        gaps + QStringLiteral("\r\rSie können Bilder dafür in den Bilderordner legen."
                              "\rDie Tabelle trotzdem drucken?\r"),
        windowTitle(), false);
}
