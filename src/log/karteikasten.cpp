#include "log/karteikasten.h"

#include "core/clock.h"
#include "core/nouns.h"
#include "program/program.h"
#include "records/recordstore.h"
#include "ui/controls.h"

#include <QHeaderView>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

using namespace records;

namespace {

QString compartmentText(const Card &c, const QDate &today) {
    if (c.compartment == 0)
        return QString();
    const QString where = c.compartment == CardBox::kKnown
                              ? QStringLiteral("gekonnt")
                              : QStringLiteral("Fach ") + QString::number(c.compartment);
    const QDate due = c.due();
    return where + (due <= today
                        ? QStringLiteral(", fällig")
                        : QStringLiteral(", ab ") + due.toString(QStringLiteral("dd.MM.")));
}

} // namespace

Karteikasten::Karteikasten(Program &program, const QString &child, const CardBox &box,
                           const QDate &today, QWidget *parent)
    : QDialog(parent), m_program(program), m_child(child), m_box(box), m_today(today) {
    setObjectName(QStringLiteral("Karteikasten"));
    setWindowTitle(QStringLiteral("Kalimbo (Karteikasten: ") + child + QLatin1Char(')'));
    setModal(true);
    controls::colourise(this, QColor(192, 192, 255));
    auto *layout = new QVBoxLayout(this);
    Faecher = new QTableWidget(0, 3, this);
    KALIMBO_NAME(Faecher);
    Faecher->setHorizontalHeaderLabels(
        {QStringLiteral("Nomen"), QStringLiteral("Begleiter"), QStringLiteral("Schreiben")});
    Faecher->verticalHeader()->hide();
    Faecher->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Faecher->setSelectionBehavior(QAbstractItemView::SelectRows);
    Faecher->setSelectionMode(QAbstractItemView::SingleSelection);
    Faecher->setFont(controls::verdana(8.25));
    Faecher->horizontalHeader()->setFont(controls::verdana(8.25, true));
    Faecher->setColumnWidth(0, 170);
    Faecher->setColumnWidth(1, 150);
    Faecher->setColumnWidth(2, 150);
    layout->addWidget(Faecher);
    Zurueck = new QPushButton(QStringLiteral("Zurück ins 1. Fach"), this);
    KALIMBO_NAME(Zurueck);
    Zurueck->setFont(controls::verdana(9.75, true));
    Zurueck->setEnabled(false);
    Drucken = new QPushButton(QStringLiteral("1. Fach drucken"), this);
    KALIMBO_NAME(Drucken);
    Drucken->setFont(controls::verdana(9.75, true));
    Drucken->setToolTip(QStringLiteral("Die Wörter im 1. Fach als Lernkärtchen drucken"));
    auto *close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setFont(controls::verdana(9.75, true));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Zurueck);
    buttons->addWidget(Drucken);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    setFixedSize(520, 460);
    connect(Faecher, &QTableWidget::itemSelectionChanged, this,
            [this] { Zurueck->setEnabled(!Faecher->selectedItems().isEmpty()); });
    connect(Zurueck, &QPushButton::clicked, this, &Karteikasten::putBack);
    connect(Drucken, &QPushButton::clicked, this,
            [this] { m_program.printLearningCards(firstCompartment()); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    fill();
}

void Karteikasten::fill() {
    // Every noun with a card, the lowest compartment first, then by noun.
    QSet<QString> all;
    for (CardKind k : {CardKind::Article, CardKind::Spelling})
        for (auto it = m_box.cards(k).cbegin(); it != m_box.cards(k).cend(); ++it)
            all.insert(it.key());
    m_entries = QStringList(all.begin(), all.end());
    auto lowest = [this](const QString &e) {
        int c = CardBox::kKnown + 1;
        for (CardKind k : {CardKind::Article, CardKind::Spelling})
            if (const int n = m_box.card(e, k).compartment)
                c = qMin(c, n);
        return c;
    };
    std::sort(m_entries.begin(), m_entries.end(), [&](const QString &a, const QString &b) {
        const int ca = lowest(a), cb = lowest(b);
        return ca != cb ? ca < cb : QString::localeAwareCompare(a.mid(3), b.mid(3)) < 0;
    });
    const QStringList &present = m_program.pictureFiles();
    Faecher->setRowCount(int(m_entries.size()));
    for (int r = 0; r < m_entries.size(); ++r) {
        const QString &e = m_entries[r];
        const bool gone = !present.contains(e);
        const QStringList cells{nouns::displayFormOrNoun(e) +
                                    (gone ? QStringLiteral(" (kein Bild)") : QString()),
                                compartmentText(m_box.card(e, CardKind::Article), m_today),
                                compartmentText(m_box.card(e, CardKind::Spelling), m_today)};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (gone)
                item->setForeground(QColor(150, 150, 150));
            Faecher->setItem(r, c, item);
        }
    }
    Drucken->setEnabled(!firstCompartment().isEmpty());
}

QStringList Karteikasten::firstCompartment() const {
    // In the table's order; a noun without its picture would be a card
    // without one.
    QStringList out;
    const QStringList &present = m_program.pictureFiles();
    for (const QString &e : m_entries)
        if (present.contains(e) && (m_box.card(e, CardKind::Article).compartment == 1 ||
                                    m_box.card(e, CardKind::Spelling).compartment == 1))
            out << e;
    return out;
}

QStringList Karteikasten::rows() const {
    QStringList out;
    for (int r = 0; r < Faecher->rowCount(); ++r)
        out << Faecher->item(r, 0)->text() + QStringLiteral(" | ") + Faecher->item(r, 1)->text() +
                   QStringLiteral(" | ") + Faecher->item(r, 2)->text();
    return out;
}

void Karteikasten::putBack() {
    const int row = Faecher->currentRow();
    RecordStore *store = m_program.records();
    if (row < 0 || row >= m_entries.size() || !store)
        return;
    const QString entry = m_entries[row];
    if (!store->append(m_child, {QString::fromLatin1(kBackToFirst), entry, false, QString()}))
        return;
    Record r;
    r.exercise = QString::fromLatin1(kBackToFirst);
    r.entry = entry;
    const QDateTime now = store->now();
    r.day = now.date();
    r.secs = now.toSecsSinceEpoch();
    // The box as the records now say, without reading them again (the box
    // was replayed at an earlier time, so the new line comes after it).
    m_box.add(r, now);
    fill();
    emit changed();
}
