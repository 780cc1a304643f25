#pragma once
// "Verlauf": the teacher's report on one child's kept answers, with a chart
// of right and wrong answers per day, printing, and deleting a child's file.
// Opened from the log window when the program keeps records.

#include "drawing/printing.h"
#include "program/program.h"
#include "records/report.h"
#include "ui/screen.h"

class Canvas;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QListWidget;
class Surface;

namespace records {
class RecordStore;
}

namespace verlauf {
/// Days in the bar chart, ending today.
constexpr int kChartDays = 14;
/// Bars of right (green) and wrong (red) answers per day into the rectangle.
void drawDayChart(Surface &s, const QRect &area, const QList<records::DayTally> &days);
/// The printed report: one page in twips from the top-left corner.
void drawReportPage(Surface &s, const records::Report &report, const QStringList &practice,
                    const QDate &today);
} // namespace verlauf

class Verlauf : public Screen {
    Q_OBJECT
public:
    explicit Verlauf(Program &program);

    /// Where the printed report goes (tests write a PDF instead).
    std::function<printing::Outcome(const QString &doc, const QString &stem,
                                    const printing::PageRoutine &page)>
        printTarget;

    /// The report on show (empty without a child).
    const records::Report &report() const { return m_report; }
    QStringList practice() const { return m_practice; }
    /// Reads the children's files again and shows the chosen one.
    void refresh();

protected:
    void activated() override;

private:
    void showChild(int index);
    void fillTables();
    void drawChart();
    void print();
    void removeChild();
    QDate today() const;

    Program &m_program;
    QPushButton *Command1 = nullptr;   // "Abbruch ..."
    QComboBox *Kinder = nullptr;       // the children with records
    QPushButton *Command2 = nullptr;   // "Drucken . . ."
    QPushButton *Command3 = nullptr;   // "Löschen . . ."
    QTableWidget *Uebungen = nullptr;  // figures per exercise
    QTableWidget *Fehler = nullptr;    // nouns most often wrong
    QTableWidget *Begleiter = nullptr; // articles chosen against right
    QListWidget *Ueben = nullptr;      // nouns to practise
    Canvas *Tage = nullptr;            // bars per day
    records::Report m_report;
    QStringList m_practice;
    QString m_path;
};
