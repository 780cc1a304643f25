#include "log/verlauf.h"

#include "core/clock.h"
#include "core/nouns.h"
#include "log/karteikasten.h"
#include "records/recordstore.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

using namespace records;

namespace {

const QColor kBack(192, 192, 255);
const QColor kBand(128, 128, 255);
const QColor kRight(0, 150, 0);
const QColor kWrong(210, 0, 0);
const QString kTitle = QStringLiteral("Kalimbo (Verlauf)");

QString percent(const Tally &t) {
    return t.total() ? QString::number(t.percentRight()) + QStringLiteral(" %") : QString();
}

QTableWidget *table(QWidget *parent, const QStringList &heads, int l, int t, int w, int h) {
    auto *tw = new QTableWidget(parent);
    twips::place(tw, l, t, w, h);
    tw->setColumnCount(int(heads.size()));
    tw->setHorizontalHeaderLabels(heads);
    tw->verticalHeader()->hide();
    tw->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tw->setSelectionMode(QAbstractItemView::NoSelection);
    tw->setFont(controls::verdana(8.25));
    tw->horizontalHeader()->setFont(controls::verdana(8.25, true));
    tw->verticalHeader()->setDefaultSectionSize(twips::px(270));
    controls::colourise(tw, QColor(128, 255, 255));
    return tw;
}

void setRow(QTableWidget *t, int row, const QStringList &cells) {
    for (int c = 0; c < cells.size(); ++c) {
        auto *item = new QTableWidgetItem(cells[c]);
        if (c > 0 && !cells[c].isEmpty() && cells[c][0].isDigit())
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        t->setItem(row, c, item);
    }
}

QStringList exerciseRow(const QString &title, const Tally &week, const Tally &all) {
    return {title,         QString::number(week.right), QString::number(week.wrong),
            percent(week), QString::number(all.right),  QString::number(all.wrong),
            percent(all)};
}

const QStringList kArticles{QStringLiteral("der"), QStringLiteral("die"), QStringLiteral("das")};

} // namespace

namespace verlauf {

QString fileNamePart(const QString &name) {
    QString out;
    for (const QChar c : name.normalized(QString::NormalizationForm_C).trimmed()) {
        if (out.size() == 40)
            break;
        out += c.isLetterOrNumber() || c == QLatin1Char('-') ? c : QLatin1Char('_');
    }
    return out;
}

void drawDayChart(Surface &s, const QRect &area, const QList<DayTally> &days) {
    int top = 0;
    for (const DayTally &d : days)
        top = std::max({top, d.tally.right, d.tally.wrong});
    s.setFont(QStringLiteral("Verdana"), 6.75);
    s.setTextColour(Qt::black);
    const int labelH = s.textHeight();
    // Legend above, dates below, the bars between; the top figure stands
    // half a line above the bars, clear of the legend.
    const int x0 = area.left() + s.textWidth(QString::number(std::max(top, 1))) + 90;
    const int y0 = area.top() + labelH * 2;
    const int y1 = area.bottom() - labelH - 60;
    const int plotW = area.right() - x0;
    s.fillBox(area.left(), area.top(), area.left() + 120, area.top() + labelH - 30, kRight, kRight);
    s.text(area.left() + 180, area.top(), QStringLiteral("richtig"));
    const int lx = area.left() + 180 + s.textWidth(QStringLiteral("richtig")) + 240;
    s.fillBox(lx, area.top(), lx + 120, area.top() + labelH - 30, kWrong, kWrong);
    s.text(lx + 180, area.top(), QStringLiteral("falsch"));
    s.line(x0, y0, x0, y1, Qt::black);
    s.line(x0, y1, area.right(), y1, Qt::black);
    s.text(area.left(), y1 - labelH / 2, QStringLiteral("0"));
    if (days.isEmpty())
        return;
    if (top == 0) {
        const QString none = QStringLiteral("keine Antworten in diesen Tagen");
        s.text(x0 + (plotW - s.textWidth(none)) / 2, (y0 + y1 - labelH) / 2, none);
    } else {
        s.text(area.left(), y0 - labelH / 2, QString::number(top));
    }
    const int n = int(days.size());
    const int slot = plotW / n;
    const int bar = std::max(15, slot * 3 / 8);
    const int plotH = y1 - y0;
    for (int i = 0; i < n; ++i) {
        const Tally &t = days[i].tally;
        const int sx = x0 + i * slot + (slot - 2 * bar) / 2;
        if (t.right > 0)
            s.fillBox(sx, y1 - plotH * t.right / top, sx + bar, y1 - 1, kRight, kRight);
        if (t.wrong > 0)
            s.fillBox(sx + bar, y1 - plotH * t.wrong / top, sx + 2 * bar, y1 - 1, kWrong, kWrong);
        // Where the dates do not fit under every bar, every other one is
        // written, counted back from the last day, so today always has its date.
        const QString label = days[i].day.toString(QStringLiteral("dd.MM."));
        const int w = s.textWidth(label);
        if (slot >= w + 30 || (n - 1 - i) % 2 == 0)
            s.text(std::min(x0 + i * slot + (slot - w) / 2, area.right() + 1 - w), y1 + 45, label);
    }
}

namespace {

/// The text cut to `width` twips, with "..." where it was cut.
QString fitted(const Surface &s, const QString &text, int width) {
    if (s.textWidth(text) <= width)
        return text;
    const QString dots = QStringLiteral("...");
    QString cut = text;
    while (!cut.isEmpty() && s.textWidth(cut + dots) > width)
        cut.chop(1);
    return cut + dots;
}

/// Items joined by ", " into lines of at most `width` twips; at most
/// `maxLines` lines, the last one ending in "..." when items were left out.
QStringList wrapped(const Surface &s, const QStringList &items, int width, int maxLines) {
    QStringList lines;
    QString line;
    for (int i = 0; i < items.size(); ++i) {
        const QString item = fitted(s, items[i], width);
        const QString next = line.isEmpty() ? item : line + QStringLiteral(", ") + item;
        if (line.isEmpty() || s.textWidth(next + QLatin1Char(',')) <= width) {
            line = next;
            continue;
        }
        if (lines.size() + 1 == maxLines) {
            lines << fitted(s, line + QStringLiteral(", ..."), width);
            return lines;
        }
        lines << line + QLatin1Char(',');
        line = item;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

} // namespace

void drawReportPage(Surface &s, const Report &report, const QStringList &practice,
                    const QDate &today) {
    const int width = 10200;
    // Where the chart begins at the latest; the lists above stop short of it.
    const int chartTop = 10500;
    int y = 0;
    s.setTextColour(Qt::black);
    s.setDrawColour(Qt::black);
    s.setFont(QStringLiteral("Verdana"), 16, true);
    s.text(0, y, fitted(s, QStringLiteral("Verlauf von ") + report.name, width));
    y += s.textHeight();
    s.setFont(QStringLiteral("Verdana"), 9);
    s.text(0, y,
           QStringLiteral("Stand: ") + today.toString(QStringLiteral("dd.MM.yyyy")) +
               QStringLiteral(" (letzte 7 Tage: seit ") +
               today.addDays(-6).toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(')'));
    y += s.textHeight() * 2;

    // Figures stand right-aligned at the right edges of their columns, the
    // two groups under a heading of their own; the mistakes take the rest.
    const int titleW = 1900;
    const int rights[6] = {2700, 3450, 4150, 4950, 5700, 6400};
    const int mistakesX = 6700;
    auto right = [&](int col, const QString &text) {
        s.text(rights[col] - s.textWidth(text), y, text);
    };
    s.setFont(QStringLiteral("Verdana"), 8, true);
    const int lineH = s.textHeight();
    const QString week = QStringLiteral("letzte 7 Tage");
    const QString all = QStringLiteral("gesamt");
    s.text(rights[2] - s.textWidth(week), y, week);
    s.text(rights[5] - s.textWidth(all), y, all);
    y += lineH;
    s.text(0, y, QStringLiteral("Übung"));
    for (int c = 0; c < 6; ++c)
        right(c, QStringList{QStringLiteral("r"), QStringLiteral("f"), QStringLiteral("%")}[c % 3]);
    s.text(mistakesX, y, QStringLiteral("häufigste Fehler"));
    y += lineH;
    s.line(0, y, width, y);
    s.setFont(QStringLiteral("Verdana"), 8);
    auto row = [&](const QString &title, const Tally &w, const Tally &a, const QStringList &rest) {
        s.text(0, y, fitted(s, title, titleW));
        const QStringList cells = exerciseRow(title, w, a).mid(1);
        for (int c = 0; c < 6; ++c)
            right(c, cells[c]);
        const QStringList lines = wrapped(s, rest, width - mistakesX, 3);
        for (int i = 0; i < lines.size(); ++i)
            s.text(mistakesX, y + i * lineH, lines[i]);
        y += lineH * std::max(1, int(lines.size()));
    };
    for (const ExerciseReport &ex : report.exercises) {
        QStringList rest;
        for (const NounCount &n : ex.mostWrong)
            rest << n.noun + QStringLiteral(" (") + QString::number(n.count) + QLatin1Char(')');
        row(exerciseTitle(ex.exercise), ex.lastWeek, ex.overall, rest);
    }
    s.line(0, y, width, y);
    row(QStringLiteral("Zusammen"), report.lastWeek, report.overall, {});
    y += lineH;

    if (report.confusion.total() > 0) {
        const int nounW = 2900;
        s.setFont(QStringLiteral("Verdana"), 8, true);
        s.text(0, y, QStringLiteral("Begleiter: richtig / gewählt"));
        for (int c = 0; c < 3; ++c)
            s.text(3000 + c * 800, y, kArticles[c]);
        y += lineH;
        s.setFont(QStringLiteral("Verdana"), 8);
        for (int r = 0; r < 3; ++r) {
            s.text(0, y, kArticles[r]);
            for (int c = 0; c < 3; ++c)
                s.text(3000 + c * 800, y, QString::number(report.confusion.counts[r][c]));
            y += lineH;
        }
        for (const Confusion::Row &n : report.confusion.nouns) {
            if (y > 9000)
                break;
            s.text(0, y, fitted(s, n.article + QLatin1Char(' ') + n.noun, nounW));
            for (int c = 0; c < 3; ++c)
                if (n.chosen[c])
                    s.text(3000 + c * 800, y, QString::number(n.chosen[c]));
            y += lineH;
        }
        y += lineH;
    }
    if (!practice.isEmpty() && y + 2 * lineH <= chartTop) {
        s.setFont(QStringLiteral("Verdana"), 8, true);
        s.text(0, y, QStringLiteral("Fehlerwörter zum Üben:"));
        y += lineH;
        s.setFont(QStringLiteral("Verdana"), 8);
        QStringList forms;
        for (const QString &e : practice)
            forms << nouns::displayFormOrNoun(e);
        const QStringList lines =
            wrapped(s, forms, width, std::max(1, (chartTop - lineH - y) / lineH));
        for (const QString &line : lines) {
            s.text(0, y, line);
            y += lineH;
        }
        y += lineH;
    }
    drawDayChart(s, QRect(0, std::max(y, chartTop), width, 4000),
                 lastDays(report.days, today, verlauf::kChartDays));
}

} // namespace verlauf

Verlauf::Verlauf(Program &program)
    : Screen(program, 10815, 7575, kTitle, kBack), m_program(program) {
    m_pool.setMaxThreadCount(1);
    controls::shape(this, kBand, 0, 0, 11055, 615);
    Command1 = controls::button(this, QStringLiteral("Abbruch ..."), 120, 120, 1575, 375);
    KALIMBO_NAME(Command1);
    Kinder = new QComboBox(this);
    Kinder->setAccessibleName(QStringLiteral("Kind"));
    KALIMBO_NAME(Kinder);
    twips::place(Kinder, 1920, 120, 3495, 375);
    Kinder->setFont(controls::verdana(9.75, true));
    Command2 = controls::button(this, QStringLiteral("Drucken . . ."), 5640, 120, 1575, 375);
    KALIMBO_NAME(Command2);
    Command3 = controls::button(this, QStringLiteral("Löschen . . ."), 7440, 120, 1575, 375);
    KALIMBO_NAME(Command3);
    // "Karteikasten" does not fit beside the other three buttons.
    Command4 = controls::button(this, QStringLiteral("Fächer ..."), 9135, 120, 1560, 375);
    KALIMBO_NAME(Command4);
    Command4->setToolTip(QStringLiteral("Der Karteikasten: welches Wort in welchem Fach liegt"));
    Command4->hide();

    const QFont head = controls::verdana(8.25, true);
    auto heading = [&](const QString &text, int l, int t, int w) {
        auto *h = controls::label(this, text, l, t, w, 255, head);
        controls::colourise(h, Qt::black, Qt::white);
        h->setAlignment(Qt::AlignCenter);
        m_figures << h;
    };
    heading(QStringLiteral("Übungen (r = richtig, f = falsch)"), 120, 720, 6135);
    Uebungen = table(this,
                     {QStringLiteral("Übung"), QStringLiteral("7 T. r"), QStringLiteral("f"),
                      QStringLiteral("%"), QStringLiteral("ges. r"), QStringLiteral("f"),
                      QStringLiteral("%")},
                     120, 975, 6135, 2775);
    KALIMBO_NAME(Uebungen);
    Uebungen->setColumnWidth(0, twips::px(1455));
    for (int c = 1; c < 7; ++c)
        Uebungen->setColumnWidth(c, twips::px(705));
    heading(QStringLiteral("Häufigste Fehler"), 6360, 720, 4335);
    Fehler =
        table(this, {QStringLiteral("Übung"), QStringLiteral("Nomen"), QStringLiteral("Fehler")},
              6360, 975, 4335, 2775);
    KALIMBO_NAME(Fehler);
    Fehler->setColumnWidth(0, twips::px(1455));
    Fehler->setColumnWidth(1, twips::px(1755));
    Fehler->setColumnWidth(2, twips::px(780));

    heading(QStringLiteral("Richtig und falsch pro Tag"), 120, 3840, 6135);
    Tage = new Canvas(this);
    Tage->setAccessibleName(QStringLiteral("Antworten je Tag"));
    KALIMBO_NAME(Tage);
    twips::place(Tage, 120, 4095, 6135, 3360);
    Tage->setBackground(Qt::white);

    heading(QStringLiteral("Begleiter: richtig / gewählt"), 6360, 3840, 4335);
    Begleiter =
        table(this, {QString(), kArticles[0], kArticles[1], kArticles[2]}, 6360, 4095, 4335, 1695);
    KALIMBO_NAME(Begleiter);
    Begleiter->setColumnWidth(0, twips::px(1875));
    for (int c = 1; c < 4; ++c)
        Begleiter->setColumnWidth(c, twips::px(720));
    heading(QStringLiteral("Fehlerwörter zum Üben"), 6360, 5880, 4335);
    Ueben = controls::list(this, 6360, 6135, 4335, 1320);
    Ueben->setAccessibleName(QStringLiteral("Fehlerwörter"));
    KALIMBO_NAME(Ueben);
    controls::colourise(Ueben, QColor(128, 255, 255));
    m_figures << Uebungen << Fehler << Tage << Begleiter << Ueben;

    // In the figures' place while there are none to show.
    Hinweis = controls::label(this, QString(), 120, 720, 10575, 6735, controls::verdana(12, true));
    KALIMBO_NAME(Hinweis);
    Hinweis->setAlignment(Qt::AlignCenter);
    Hinweis->setWordWrap(true);
    Hinweis->hide();

    printTarget = [](const QString &doc, const QString &stem, const printing::PageRoutine &page) {
        return printing::printPage(doc, stem, page, QDir::current());
    };

    connect(Command1, &QPushButton::clicked, this, [this] {
        hide();
        if (goBack)
            goBack();
        else
            m_program.showScreen(ScreenId::Form11);
    });
    connect(Kinder, &QComboBox::currentIndexChanged, this, &Verlauf::showChild);
    connect(Command2, &QPushButton::clicked, this, &Verlauf::print);
    connect(Command3, &QPushButton::clicked, this, &Verlauf::removeChild);
    connect(Command4, &QPushButton::clicked, this, &Verlauf::showCardBox);
}

Verlauf::~Verlauf() {
    m_cancel->store(true);
    m_pool.waitForDone();
}

QDate Verlauf::today() const {
    return m_program.clock().today();
}

void Verlauf::activated() {
    centre();
    refresh();
}

void Verlauf::refresh() {
    // The card box's table only while the teacher keeps one.
    Command4->setVisible(m_program.extras().cardBox);
    verlauf::ReadingRequest request;
    if (RecordStore *store = m_program.records())
        request.folder = store->folder();
    request.wanted = Kinder->currentIndex() >= 0 ? Kinder->currentText() : QString();
    request.fallback = m_program.childName();
    request.classNames = m_program.state().classNames();
    request.today = today();
    request.now = m_program.clock().now();
    if (request.folder.isEmpty()) {
        readingDone(++m_generation, {});
        return;
    }
    startReading(request);
}

void Verlauf::showChild(int index) {
    verlauf::ReadingRequest request;
    request.path = index >= 0 ? Kinder->itemData(index).toString() : QString();
    request.today = today();
    request.now = m_program.clock().now();
    startReading(request);
}

void Verlauf::startReading(const verlauf::ReadingRequest &request) {
    // A newer request makes the one under way pointless.
    m_cancel->store(true);
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    const quint64 generation = ++m_generation;
    m_reading = true;
    showNote(QStringLiteral("Der Verlauf wird gelesen ..."));
    for (QWidget *w : {static_cast<QWidget *>(Kinder), static_cast<QWidget *>(Command2),
                       static_cast<QWidget *>(Command3), static_cast<QWidget *>(Command4)})
        w->setEnabled(false);
    m_pool.start([reader = m_reader, cancel = m_cancel, request, generation,
                  self = QPointer<Verlauf>(this)] {
        std::lock_guard<std::mutex> lock(reader->mutex);
        if (cancel->load())
            return;
        auto reading = std::make_shared<verlauf::Reading>(
            verlauf::readReport(reader->file, request, cancel.get()));
        if (reading->cancelled)
            return;
        QMetaObject::invokeMethod(
            qApp,
            [self, generation, reading] {
                if (self)
                    self->readingDone(generation, *reading);
            },
            Qt::QueuedConnection);
    });
}

void Verlauf::readingDone(quint64 generation, const verlauf::Reading &reading) {
    if (generation != m_generation)
        return;
    m_reading = false;
    if (reading.listed || reading.path.isEmpty()) {
        QSignalBlocker block(Kinder);
        Kinder->clear();
        for (const ChildFile &c : reading.children)
            Kinder->addItem(c.name, c.path);
        Kinder->setCurrentIndex(reading.chosen);
    }
    Kinder->setEnabled(Kinder->count() > 0);
    m_path = reading.path;
    m_report = reading.report;
    const QString name = Kinder->currentIndex() >= 0 ? Kinder->currentText() : QString();
    if (m_report.name.isEmpty())
        m_report.name = name;
    m_practice = reading.practice;
    m_box = reading.box;
    fillTables();
    drawChart();
    const bool any = m_report.overall.total() > 0;
    Command2->setEnabled(any);
    Command3->setEnabled(!m_path.isEmpty());
    Command4->setEnabled(!m_path.isEmpty());
    if (!reading.problem.isEmpty())
        showNote(QStringLiteral("Die Antworten von ") + name +
                 QStringLiteral(" können nicht gelesen werden:\n") +
                 QDir::toNativeSeparators(m_path) + QLatin1Char('\n') + reading.problem);
    else if (any)
        showNote(QString());
    else if (name.isEmpty())
        showNote(QStringLiteral("Es gibt noch keine Antworten."));
    else
        showNote(QStringLiteral("Von ") + name + QStringLiteral(" gibt es noch keine Antworten."));
}

void Verlauf::showNote(const QString &note) {
    Hinweis->setText(note);
    Hinweis->setVisible(!note.isEmpty());
    for (QWidget *w : std::as_const(m_figures))
        w->setVisible(note.isEmpty());
}

void Verlauf::fillTables() {
    Uebungen->setRowCount(int(m_report.exercises.size()) + (m_report.exercises.isEmpty() ? 0 : 1));
    int row = 0;
    int fehler = 0;
    for (const ExerciseReport &ex : m_report.exercises) {
        setRow(Uebungen, row++, exerciseRow(exerciseTitle(ex.exercise), ex.lastWeek, ex.overall));
        fehler += int(ex.mostWrong.size());
    }
    if (!m_report.exercises.isEmpty())
        setRow(Uebungen, row,
               exerciseRow(QStringLiteral("Zusammen"), m_report.lastWeek, m_report.overall));
    Fehler->setRowCount(fehler);
    row = 0;
    for (const ExerciseReport &ex : m_report.exercises)
        for (const NounCount &n : ex.mostWrong)
            setRow(Fehler, row++, {exerciseTitle(ex.exercise), n.noun, QString::number(n.count)});

    const Confusion &c = m_report.confusion;
    Begleiter->setRowCount(c.total() ? 3 + int(c.nouns.size()) : 0);
    if (c.total()) {
        for (int r = 0; r < 3; ++r)
            setRow(Begleiter, r,
                   {QStringLiteral("richtig ") + kArticles[r], QString::number(c.counts[r][0]),
                    QString::number(c.counts[r][1]), QString::number(c.counts[r][2])});
        row = 3;
        for (const Confusion::Row &n : c.nouns) {
            QStringList cells{n.article + QLatin1Char(' ') + n.noun};
            for (int k = 0; k < 3; ++k)
                cells << (n.chosen[k] ? QString::number(n.chosen[k]) : QString());
            setRow(Begleiter, row++, cells);
        }
    }
    Ueben->clear();
    for (const QString &e : m_practice)
        Ueben->addItem(nouns::displayFormOrNoun(e));
}

void Verlauf::drawChart() {
    Tage->clear();
    verlauf::drawDayChart(Tage->surface(), QRect(90, 90, 6135 - 180, 3360 - 180),
                          lastDays(m_report.days, today(), verlauf::kChartDays));
}

void Verlauf::print() {
    if (m_reading || m_report.overall.total() == 0)
        return;
    const Report report = m_report;
    const QStringList practice = m_practice;
    const QDate day = today();
    const printing::Outcome out =
        printTarget(kTitle, QStringLiteral("Verlauf-") + verlauf::fileNamePart(report.name),
                    [&](Surface &s) { verlauf::drawReportPage(s, report, practice, day); });
    if (!out.ok())
        m_program.dialogs().message(QStringLiteral("Der Verlauf konnte nicht gedruckt werden.\r") +
                                        out.error + QStringLiteral("\r"),
                                    kTitle);
    else if (out.kind == printing::Outcome::SavedAsPdf)
        m_program.dialogs().message(printing::savedAsPdfText(out), kTitle);
    else
        m_program.dialogs().message(QStringLiteral("Der Verlauf wird gedruckt ...\r\r") +
                                        (out.notice.isEmpty() ? QString() : out.notice + "\r"),
                                    kTitle);
}

void Verlauf::showCardBox() {
    if (m_reading || m_path.isEmpty())
        return;
    auto *table = new Karteikasten(m_program, Kinder->currentText(), m_box, today(), this);
    table->setAttribute(Qt::WA_DeleteOnClose);
    connect(table, &Karteikasten::changed, this, &Verlauf::refresh);
    table->show();
}

void Verlauf::removeChild() {
    RecordStore *store = m_program.records();
    if (!store || m_path.isEmpty() || m_reading)
        return;
    const QString name = Kinder->currentText();
    if (!m_program.dialogs().askYesNo(QStringLiteral("Sollen alle gespeicherten Antworten von ") +
                                          name + QStringLiteral(" gelöscht werden?\r\r"),
                                      kTitle, true))
        return;
    if (!store->remove(m_path))
        m_program.dialogs().message(QStringLiteral("Die Datei konnte nicht gelöscht werden:\r") +
                                        QDir::toNativeSeparators(m_path) + QStringLiteral("\r"),
                                    kTitle);
    {
        QSignalBlocker block(Kinder);
        Kinder->setCurrentIndex(-1);
    }
    refresh();
}
