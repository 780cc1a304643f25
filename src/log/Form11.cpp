#include "log/Form11.h"

#include "log/verlauf.h"
#include "records/recordstore.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

Form11::Form11(Program &program)
    : Screen(program, 10815, 7575, QStringLiteral("Kalimbo (Benutzereingaben)"),
             QColor(192, 192, 255)),
      m_program(program) {
    Shape1 = controls::shape(this, QColor(128, 128, 255), 0, 0, 11055, 615);
    KALIMBO_NAME(Shape1);
    Command1 = controls::button(this, QStringLiteral("Abbruch ..."), 120, 120, 1575, 375);
    KALIMBO_NAME(Command1);
    Label1 = controls::label(this, QStringLiteral("Freund"), 3000, 120, 7695, 375,
                             controls::verdana(12, true));
    KALIMBO_NAME(Label1);
    controls::colourise(Label1, QColor(128, 128, 255));

    const int lefts[6] = {120, 1920, 3720, 5520, 7320, 9120};
    const QFont headFont = controls::msSansSerif(9.75, true);
    for (int i = 0; i < 12; ++i) {
        const int col = i % 6;
        const bool second = i >= 6;
        auto *h = controls::label(this, QString::fromUtf8(exercises::all()[size_t(i)].heading),
                                  lefts[col], second ? 4320 : 960, 1575, 255, headFont);
        h->setAlignment(Qt::AlignCenter);
        controls::colourise(h, Qt::black, Qt::white);
        m_headings[i] = h;
        auto *l = controls::list(this, lefts[col], second ? 4560 : 1200, 1575, 2910);
        controls::colourise(l, QColor(128, 255, 255));
        l->setAccessibleName(h->text());
        l->setObjectName(QStringLiteral("List%1").arg(i + 1));
        m_lists[i] = l;
    }
    connect(Command1, &QPushButton::clicked, this, [this] { m_program.leave(this); });

    // At the head band's right end, over the last column and as wide as
    // "Abbruch ..."; the name gives up that end while the button shows.
    Command2 = controls::button(this, QStringLiteral("Verlauf ..."), 9120, 120, 1575, 375);
    KALIMBO_NAME(Command2);
    showHistoryButton();
    connect(Command2, &QPushButton::clicked, this, [this] {
        // From here the report's "Abbruch ..." comes back here.
        if (auto *report = qobject_cast<Verlauf *>(m_program.screen(ScreenId::Verlauf)))
            report->goBack = nullptr;
        hide();
        m_program.showScreen(ScreenId::Verlauf);
    });
}

void Form11::showHistoryButton() {
    const bool shown = m_program.records() != nullptr;
    Command2->setVisible(shown);
    twips::place(Label1, 3000, 120, shown ? 6015 : 7695, 375);
}

void Form11::appendTo(Program &program, LogList list, const QString &line) {
    if (auto *log = static_cast<Form11 *>(program.screen(ScreenId::Form11)))
        log->append(list, line);
}

void Form11::clearIn(Program &program) {
    if (auto *log = static_cast<Form11 *>(program.existing(ScreenId::Form11)))
        log->clearAll();
}

void Form11::append(LogList l, const QString &line) {
    QListWidget *w = list(l);
    if (w->count() < 32767)
        w->addItem(line);
}

void Form11::clearAll() {
    for (QListWidget *l : m_lists)
        l->clear();
}

QStringList Form11::lines(LogList l) const {
    QStringList out;
    const QListWidget *w = list(l);
    for (int i = 0; i < w->count(); ++i)
        out << w->item(i)->text();
    return out;
}

QString Form11::heading(LogList l) const {
    return m_headings[int(l) - 1]->text();
}

void Form11::activated() {
    centre();
    Label1->setText(m_program.nameLabel());
    records::RecordStore *store = m_program.records();
    showHistoryButton();
    // A records folder that cannot be written is told once, to the teacher.
    if (store) {
        const QString problem = store->takeProblemReport();
        if (!problem.isEmpty())
            m_program.dialogs().message(problem, QStringLiteral("Kalimbo (Verlauf)"));
    }
}
