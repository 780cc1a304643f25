#include "log/verlauf.h"

#include "core/clock.h"
#include "core/nouns.h"
#include "records/recordstore.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
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

QString mistakes(const QList<NounCount> &list) {
    QStringList parts;
    for (const NounCount &n : list)
        parts << n.noun + QStringLiteral(" (") + QString::number(n.count) + QLatin1Char(')');
    return parts.join(QStringLiteral(", "));
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

void drawDayChart(Surface &s, const QRect &area, const QList<DayTally> &days) {
    int top = 1;
    for (const DayTally &d : days)
        top = std::max({top, d.tally.right, d.tally.wrong});
    s.setFont(QStringLiteral("Verdana"), 6.75);
    s.setTextColour(Qt::black);
    const int labelH = s.textHeight();
    // Legend above, dates below, the bars between.
    const int x0 = area.left() + s.textWidth(QString::number(top)) + 90;
    const int y0 = area.top() + labelH + 60;
    const int y1 = area.bottom() - labelH - 60;
    const int plotW = area.right() - x0;
    s.fillBox(area.left(), area.top(), area.left() + 120, area.top() + labelH - 30, kRight, kRight);
    s.text(area.left() + 180, area.top(), QStringLiteral("richtig"));
    const int lx = area.left() + 180 + s.textWidth(QStringLiteral("richtig")) + 240;
    s.fillBox(lx, area.top(), lx + 120, area.top() + labelH - 30, kWrong, kWrong);
    s.text(lx + 180, area.top(), QStringLiteral("falsch"));
    s.line(x0, y0, x0, y1, Qt::black);
    s.line(x0, y1, area.right(), y1, Qt::black);
    s.text(area.left(), y0 - labelH / 2, QString::number(top));
    s.text(area.left(), y1 - labelH / 2, QStringLiteral("0"));
    if (days.isEmpty())
        return;
    const int slot = plotW / int(days.size());
    const int bar = std::max(15, slot * 3 / 8);
    const int plotH = y1 - y0;
    for (int i = 0; i < days.size(); ++i) {
        const Tally &t = days[i].tally;
        const int sx = x0 + i * slot + (slot - 2 * bar) / 2;
        if (t.right > 0)
            s.fillBox(sx, y1 - plotH * t.right / top, sx + bar, y1 - 1, kRight, kRight);
        if (t.wrong > 0)
            s.fillBox(sx + bar, y1 - plotH * t.wrong / top, sx + 2 * bar, y1 - 1, kWrong, kWrong);
        const QString label = days[i].day.toString(QStringLiteral("dd.MM."));
        if (slot >= s.textWidth(label) || i % 2 == 0)
            s.text(x0 + i * slot + (slot - s.textWidth(label)) / 2, y1 + 45, label);
    }
}

void drawReportPage(Surface &s, const Report &report, const QStringList &practice,
                    const QDate &today) {
    const int width = 10200;
    int y = 0;
    s.setTextColour(Qt::black);
    s.setDrawColour(Qt::black);
    s.setFont(QStringLiteral("Verdana"), 16, true);
    s.text(0, y, QStringLiteral("Verlauf von ") + report.name);
    y += s.textHeight();
    s.setFont(QStringLiteral("Verdana"), 9);
    s.text(0, y,
           QStringLiteral("Stand: ") + today.toString(QStringLiteral("dd.MM.yyyy")) +
               QStringLiteral(" (letzte 7 Tage: seit ") +
               today.addDays(-6).toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(')'));
    y += s.textHeight() * 2;

    const int cols[] = {0, 2000, 2800, 3600, 4500, 5300, 6100, 7000};
    s.setFont(QStringLiteral("Verdana"), 8, true);
    const QStringList heads{QStringLiteral("Übung"),    QStringLiteral("7 Tage r"),
                            QStringLiteral("f"),        QStringLiteral("%"),
                            QStringLiteral("gesamt r"), QStringLiteral("f"),
                            QStringLiteral("%"),        QStringLiteral("häufigste Fehler")};
    for (int c = 0; c < heads.size(); ++c)
        s.text(cols[c], y, heads[c]);
    const int lineH = s.textHeight();
    y += lineH;
    s.line(0, y, width, y);
    s.setFont(QStringLiteral("Verdana"), 8);
    auto row = [&](const QStringList &cells, const QString &rest) {
        for (int c = 0; c < cells.size(); ++c)
            s.text(cols[c], y, cells[c]);
        s.text(cols[7], y, rest);
        y += lineH;
    };
    for (const ExerciseReport &ex : report.exercises)
        row(exerciseRow(exerciseTitle(ex.exercise), ex.lastWeek, ex.overall),
            mistakes(ex.mostWrong));
    s.line(0, y, width, y);
    row(exerciseRow(QStringLiteral("Zusammen"), report.lastWeek, report.overall), QString());
    y += lineH;

    if (report.confusion.total() > 0) {
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
            s.text(0, y, n.article + QLatin1Char(' ') + n.noun);
            for (int c = 0; c < 3; ++c)
                if (n.chosen[c])
                    s.text(3000 + c * 800, y, QString::number(n.chosen[c]));
            y += lineH;
        }
        y += lineH;
    }
    if (!practice.isEmpty()) {
        s.setFont(QStringLiteral("Verdana"), 8, true);
        s.text(0, y, QStringLiteral("Fehlerwörter zum Üben:"));
        y += lineH;
        s.setFont(QStringLiteral("Verdana"), 8);
        QStringList forms;
        for (const QString &e : practice)
            forms << nouns::displayFormOrNoun(e);
        QString line;
        for (const QString &f : forms) {
            const QString next = line.isEmpty() ? f : line + QStringLiteral(", ") + f;
            if (s.textWidth(next) > width && !line.isEmpty()) {
                s.text(0, y, line + QLatin1Char(','));
                y += lineH;
                line = f;
            } else {
                line = next;
            }
        }
        s.text(0, y, line);
        y += lineH * 2;
    }
    const int chartTop = std::max(y, 10500);
    drawDayChart(s, QRect(0, chartTop, width, 4000),
                 lastDays(report.days, today, verlauf::kChartDays));
}

} // namespace verlauf

Verlauf::Verlauf(Program &program)
    : Screen(program, 10815, 7575, kTitle, kBack), m_program(program) {
    controls::shape(this, kBand, 0, 0, 11055, 615);
    Command1 = controls::button(this, QStringLiteral("Abbruch ..."), 120, 120, 1575, 375);
    KALIMBO_NAME(Command1);
    Kinder = new QComboBox(this);
    KALIMBO_NAME(Kinder);
    twips::place(Kinder, 1920, 120, 3495, 375);
    Kinder->setFont(controls::verdana(9.75, true));
    Command2 = controls::button(this, QStringLiteral("Drucken . . ."), 5640, 120, 1575, 375);
    KALIMBO_NAME(Command2);
    Command3 = controls::button(this, QStringLiteral("Löschen . . ."), 7440, 120, 1575, 375);
    KALIMBO_NAME(Command3);

    const QFont head = controls::verdana(8.25, true);
    auto heading = [&](const QString &text, int l, int t, int w) {
        auto *h = controls::label(this, text, l, t, w, 255, head);
        controls::colourise(h, Qt::black, Qt::white);
        h->setAlignment(Qt::AlignCenter);
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
    KALIMBO_NAME(Ueben);
    controls::colourise(Ueben, QColor(128, 255, 255));

    printTarget = [](const QString &doc, const QString &stem, const printing::PageRoutine &page) {
        return printing::printPage(doc, stem, page, QDir::current());
    };

    connect(Command1, &QPushButton::clicked, this, [this] {
        hide();
        m_program.showScreen(ScreenId::Form11);
    });
    connect(Kinder, &QComboBox::currentIndexChanged, this, &Verlauf::showChild);
    connect(Command2, &QPushButton::clicked, this, &Verlauf::print);
    connect(Command3, &QPushButton::clicked, this, &Verlauf::removeChild);
}

QDate Verlauf::today() const {
    return m_program.clock().today();
}

void Verlauf::activated() {
    centre();
    refresh();
}

void Verlauf::refresh() {
    RecordStore *store = m_program.records();
    const QString wanted =
        Kinder->currentIndex() >= 0 ? Kinder->currentText() : m_program.childName();
    QSignalBlocker block(Kinder);
    Kinder->clear();
    if (store)
        for (const ChildFile &c : store->children())
            Kinder->addItem(c.name, c.path);
    int index = Kinder->findText(wanted);
    if (index < 0)
        index = Kinder->findText(m_program.childName());
    if (index < 0 && Kinder->count() > 0)
        index = 0;
    Kinder->setCurrentIndex(index);
    showChild(index);
}

void Verlauf::showChild(int index) {
    m_path = index >= 0 ? Kinder->itemData(index).toString() : QString();
    const QList<Record> recs = m_path.isEmpty() ? QList<Record>() : RecordStore::read(m_path);
    m_report = buildReport(recs, today());
    if (m_report.name.isEmpty() && index >= 0)
        m_report.name = Kinder->itemText(index);
    // Practice counts answers up to the end of today by the program's clock.
    m_practice = practiceEntries(recs, QDateTime(today().addDays(1), QTime(0, 0)));
    fillTables();
    drawChart();
    Command2->setEnabled(!m_path.isEmpty());
    Command3->setEnabled(!m_path.isEmpty());
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
    if (m_path.isEmpty())
        return;
    const Report report = m_report;
    const QStringList practice = m_practice;
    const QDate day = today();
    const printing::Outcome out = printTarget(kTitle, QStringLiteral("Verlauf"), [&](Surface &s) {
        verlauf::drawReportPage(s, report, practice, day);
    });
    if (!out.ok()) {
        m_program.dialogs().message(QStringLiteral("Der Verlauf konnte nicht gedruckt werden.\r") +
                                        out.error + QStringLiteral("\r"),
                                    kTitle, Dialogs::Warning);
        return;
    }
    QString text = QStringLiteral("Der Verlauf wird gedruckt ...\r\r");
    if (out.kind == printing::Outcome::SavedAsPdf)
        text += QStringLiteral("Es ist kein Drucker eingerichtet. Die Seite steht in der Datei\r") +
                out.file + QStringLiteral("\r");
    m_program.dialogs().message(text, kTitle, Dialogs::Information);
}

void Verlauf::removeChild() {
    RecordStore *store = m_program.records();
    if (!store || m_path.isEmpty())
        return;
    const QString name = Kinder->currentText();
    if (!m_program.dialogs().askYesNo(QStringLiteral("Sollen alle gespeicherten Antworten von ") +
                                          name + QStringLiteral(" gelöscht werden?\r\r"),
                                      kTitle, true, Dialogs::Question))
        return;
    if (!store->remove(m_path))
        m_program.dialogs().message(QStringLiteral("Die Datei konnte nicht gelöscht werden:\r") +
                                        QDir::toNativeSeparators(m_path) + QStringLiteral("\r"),
                                    kTitle, Dialogs::Warning);
    Kinder->setCurrentIndex(-1);
    refresh();
}
