#pragma once
// The initial-sound table ("Anlauttabelle"): an A4 table of the initial
// sounds as schools teach them, each cell with one of the teacher's
// pictures, the letter pair and the noun with its sound in bold. A click on
// a cell shows the next noun that fits; the choice is kept in the program's
// own settings file. Sounds without a noun are reported before printing.

#include "core/initialsounds.h"
#include "worksheets/sheetwindow.h"

class QCheckBox;
class QLabel;
class QListWidget;

/// The table as plain data: the drawing reads nothing else.
struct SoundTablePage {
    initialsounds::Table table;
    /// The font the table is drawn in (installed).
    QString family;
    /// Letters in the vowel and consonant colours; off: black.
    bool colour = true;
    int vowelColour = 12;
    int consonantColour = 10;
};

class Anlauttabelle : public SheetWindow {
    Q_OBJECT
public:
    explicit Anlauttabelle(Program &program);

    void drawSheet(Surface &s, bool paper) const override;
    /// Draws a table on any surface in the page's twips; changes nothing.
    void drawPage(Surface &s, const SoundTablePage &page) const;

    const SoundTablePage &page() const { return m_page; }
    /// Cell `index` of a table of `count` cells, in the page's twips.
    static QRect cellRect(int index, int count);
    /// The cell at a point of the page, or -1.
    int cellAt(QPoint pageTwips) const;
    /// Shows the next noun that fits the cell and keeps the choice.
    void cycle(int cell);

protected:
    void refill() override;
    void storeFamily(const QString &family) override;
    bool readyToPrint() override;

private:
    void drawCell(Surface &s, const SoundTablePage &page, const initialsounds::Cell &cell,
                  const QRect &r) const;
    QString rowText(const initialsounds::Cell &cell) const;
    void showReport();

    QLabel *Report = nullptr;
    QLabel *Hint = nullptr;
    QListWidget *Laute1 = nullptr;   // one row per cell
    QPushButton *Command3 = nullptr; // "Anderes Bild"
    QCheckBox *Colour = nullptr;
    QLabel *FontName = nullptr;

    initialsounds::Settings m_settings;
    SoundTablePage m_page;
};
