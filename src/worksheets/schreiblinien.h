#pragma once
// Writing sheets on school lines ("Schreiblinien"): for each noun its
// picture, the noun with its article written once in a font whose x-height
// fills the middle band, one or two rows to trace over, then empty rows.
// The nouns come from the noun list, chosen and paged as on the writing
// worksheet; line set, heights, tint, rows and font are the teacher's and
// are kept in the program's own settings file.

#include "core/writinglines.h"
#include "worksheets/sheetwindow.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QSpinBox;

/// One sheet as plain data: the drawing reads nothing else.
struct WritingPage {
    /// Index in the noun list of the page's first noun.
    int start = 0;
    /// The entries of the page, in order; an exchange replaces one in place.
    QStringList entries;
    writinglines::Settings settings;
    /// The font the page is drawn in (installed).
    QString family;
    /// Palette index of the vowels while the settings ask for colour.
    int vowelColour = 12;
};

class Schreiblinien : public SheetWindow {
    Q_OBJECT
public:
    explicit Schreiblinien(Program &program);

    void drawSheet(Surface &s, bool paper) const override;
    /// Draws a page on any surface in the page's twips; changes nothing.
    void drawPage(Surface &s, const WritingPage &page, bool paper) const;

    const WritingPage &page() const { return m_page; }
    /// Takes new settings (as the controls would), keeps and shows them.
    void setSettings(const writinglines::Settings &settings);

    /// Where the rows stand on one sheet.
    static writinglines::Layout layout(const writinglines::Settings &settings);
    /// Nouns on one sheet.
    static int nounsPerPage(const writinglines::Settings &settings);

    void nextPage();
    void previousPage();
    void exchange();

protected:
    void refill() override;
    void storeFamily(const QString &family) override;

private:
    void fillPage(int start);
    void showSettings();
    void readControls();
    void settingsChanged();
    void drawNoun(Surface &s, const WritingPage &page, const writinglines::Layout &layout,
                  const QString &entry, double topMm, bool paper) const;

    QListWidget *Bilder1 = nullptr;  // every noun of the noun list
    QListWidget *Liste1 = nullptr;   // the nouns of the sheet
    QPushButton *Command3 = nullptr; // ">>" exchange
    QPushButton *Command7 = nullptr; // "<<"
    QPushButton *Command6 = nullptr; // ">>"
    QComboBox *LineSet = nullptr;
    QDoubleSpinBox *Upper = nullptr;
    QDoubleSpinBox *Middle = nullptr;
    QDoubleSpinBox *Lower = nullptr;
    QDoubleSpinBox *Gap = nullptr;
    QPushButton *Defaults = nullptr;
    QComboBox *Tint = nullptr;
    QCheckBox *BoldBase = nullptr;
    QSpinBox *TraceRows = nullptr;
    QComboBox *TraceStyle = nullptr;
    QSpinBox *EmptyRows = nullptr;
    QCheckBox *Colour = nullptr;
    QLabel *FontName = nullptr;
    QLabel *PerPage = nullptr;

    /// The noun list as taken at the last refill.
    QStringList m_entries;
    WritingPage m_page;
    bool m_showing = false; // controls being set from the settings
};
