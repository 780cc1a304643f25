#pragma once
// "Verlauf": the teacher's report on one child's kept answers, with a chart
// of right and wrong answers per day, printing, and deleting a child's file.
// Opened from the log window and from the Extras dialog while the program
// keeps records; it reads the files off the window thread.

#include "drawing/printing.h"
#include "log/reportreading.h"
#include "program/program.h"
#include "records/report.h"
#include "ui/screen.h"

#include <QThreadPool>
#include <atomic>
#include <memory>
#include <mutex>

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
/// The part of a PDF file name that names the child: letters, digits and
/// hyphens kept, anything else made an underscore, at most 40 characters.
QString fileNamePart(const QString &name);
} // namespace verlauf

class Verlauf : public Screen {
    Q_OBJECT
public:
    explicit Verlauf(Program &program);

    /// Where the printed report goes (tests write a PDF instead).
    std::function<printing::Outcome(const QString &doc, const QString &stem,
                                    const printing::PageRoutine &page)>
        printTarget;

    /// Where "Abbruch ..." goes: the log window unless set (the Extras
    /// dialog sets it to come back to itself).
    std::function<void()> goBack;

    ~Verlauf() override;

    /// The report on show (empty without a child).
    const records::Report &report() const { return m_report; }
    QStringList practice() const { return m_practice; }
    /// Reads the children's files again, off the window thread, and shows
    /// the chosen one when done.
    void refresh();
    /// True from a request until its figures are shown.
    bool isReading() const { return m_reading; }

protected:
    void activated() override;

private:
    void showChild(int index);
    void startReading(const verlauf::ReadingRequest &request);
    void readingDone(quint64 generation, const verlauf::Reading &reading);
    /// Shows the figures, or in their place a note ("wird gelesen", none yet).
    void showNote(const QString &note);
    void fillTables();
    void drawChart();
    void print();
    void removeChild();
    /// The table of the child's card box, for the teacher.
    void showCardBox();
    QDate today() const;

    Program &m_program;
    QPushButton *Command1 = nullptr;   // "Abbruch ..."
    QComboBox *Kinder = nullptr;       // the children with records
    QPushButton *Command2 = nullptr;   // "Drucken . . ."
    QPushButton *Command3 = nullptr;   // "Löschen . . ."
    QPushButton *Command4 = nullptr;   // "Fächer ...": the card box, while the teacher keeps one
    QTableWidget *Uebungen = nullptr;  // figures per exercise
    QTableWidget *Fehler = nullptr;    // nouns most often wrong
    QTableWidget *Begleiter = nullptr; // articles chosen against right
    QListWidget *Ueben = nullptr;      // nouns to practise
    Canvas *Tage = nullptr;            // bars per day
    QLabel *Hinweis = nullptr;         // in the figures' place while there are none
    QList<QWidget *> m_figures;        // the tables, the chart and their headings
    records::Report m_report;
    QStringList m_practice;
    records::CardBox m_box;
    QString m_path;

    /// The answers read last, kept for the next reading; one reading at a time.
    struct Reader {
        std::mutex mutex;
        records::AnswerFile file;
    };
    std::shared_ptr<Reader> m_reader = std::make_shared<Reader>();
    std::shared_ptr<std::atomic<bool>> m_cancel = std::make_shared<std::atomic<bool>>(false);
    QThreadPool m_pool;
    quint64 m_generation = 0;
    bool m_reading = false;
};
