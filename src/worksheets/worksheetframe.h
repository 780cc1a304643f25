#pragma once
// The frame shared by the three worksheet windows: the picture list, the
// cards of the current page, the page preview with its number strip, paging,
// picture exchange, the font chooser, clipboard copy, printing and help.
// Each window adds its preview routine and its page routine.

#include "drawing/picture.h"
#include "ui/screen.h"
#include "worksheets/handover.h"
#include "worksheets/worksheetpage.h"

#include <QStringList>
#include <functional>

class Program;
class Canvas;
class ImageView;
class Surface;
class QLabel;
class QListWidget;
class QPushButton;

/// The four help lines on exchanging pictures, shared by the windows.
QStringList exchangeHelpLines();

class WorksheetFrame : public Screen {
    Q_OBJECT
public:
    /// What differs between the three windows.
    struct Setup {
        QString caption;
        int clientHeight = 7530;
        int pageSize = 9;
        QString previewFamily = QStringLiteral("Verdana");
        double previewPoints = 8.25;
        bool previewBold = false;
        int stripStep = 700;
        int stripOffset = 350;
        double printPoints = 16;
        int listeHeight = 4860;
        QString confirmTitle;
        QString closingText;
        QString closingTitle;
        QString helpTitle;
        QStringList helpLines;
        /// First part of the fallback PDF's name ("Lernkaertchen").
        QString pdfStem;
    };

    WorksheetFrame(Program &program, const Setup &setup);
    ~WorksheetFrame() override;

    /// Where the printed page goes: the default printer (or its PDF fallback)
    /// unless a test puts in another target.
    handover::PrintTarget printTarget = handover::defaultPrinter();

    const Setup &setup() const { return m_setup; }
    int pageSize() const { return m_setup.pageSize; }
    /// The page as it is drawn: start, cards, sounds and font.
    const WorksheetPage &page() const { return m_page; }
    int pageStart() const { return m_page.start; }
    /// The entries of the page, in order.
    QStringList cards() const { return m_page.cards; }
    /// The font name the preview draws in (and the page is printed in).
    QString previewFamily() const { return m_page.family; }

    /// Draws this window's preview of a page on any surface (font set by the
    /// caller). Reads nothing but the page and changes nothing.
    virtual void previewRoutine(Surface &s, const WorksheetPage &page) const = 0;
    /// Draws the printed page on any surface (font set by the caller).
    virtual void pageRoutine(Surface &s, const WorksheetPage &page) const = 0;

    /// Prints the card numbers of the current page on the number strip's surface.
    void drawNumbers(Surface &strip) const;

    // The routines behind the buttons.
    void nextPage();
    void previousPage();
    /// The preview routine on Picture1, with the common first and last steps.
    void vorschau();
    void exchange();
    void copyToClipboard();
    void printPage();
    /// Prints these entries as the sheet's cards, a page for every page
    /// size of them, through the same way as the current page.
    void printEntries(const QStringList &entries);
    void help();
    void chooseFont();
    void back();

protected:
    void activated() override;

    /// The cards of a new page are in place (the sounds are still empty).
    virtual void pageFilled(WorksheetPage &page) { Q_UNUSED(page); }
    /// Card k became the selected card (click, or the drawing selecting it).
    virtual void cardSelected(int k);

    /// Prints a noun with its top-left corner at x, y and, while syllables are
    /// shown, thin black arcs under them ("Silbenbögen") or the syllables in
    /// their colours with arcs ("Silbenfarben"), the arcs above `bottom` (the
    /// card's line). Paper waits for the syllable patterns; the preview is
    /// drawn again when they have loaded.
    void printNoun(Surface &s, int x, int y, const QString &noun, bool paper, int bottom) const;
    /// The picture of an entry for the preview (or, while printing, for the
    /// paper): decoded ahead at the size it is drawn, else from the cache.
    Picture picture(const QString &entry) const;
    /// The cards a routine draws: the page's, at most a page size.
    int cardCount(const WorksheetPage &page) const;
    /// The page's sounds, which the sound cards change.
    WorksheetPage &pageData() { return m_page; }
    /// The card selected in Liste1, or -1.
    int selectedCard() const;
    void selectCard(int k);

    Program &m_program;

private:
    void fillPage(int p);
    /// Prints the pages (the teacher asked first while the printer is off)
    /// and tells how it went, once; false when the teacher declined.
    bool printPages(const QList<WorksheetPage> &pages);
    /// What the window shows once a page is drawn: the last card selected, as
    /// drawing it card by card would leave it, and the first picture of the list.
    void showDrawnSelection();
    /// The preview of the page, nothing else changed.
    void drawPreview();
    void selectFirstPicture();

    // Controls, named as the windows name them.
    ImageView *Image1 = nullptr;     // source picture (selected in Bilder1)
    ImageView *Image2 = nullptr;     // target picture (selected in Liste1)
    QPushButton *Command3 = nullptr; // ">>" exchange
    QListWidget *Bilder1 = nullptr;  // every picture file
    QListWidget *Liste1 = nullptr;   // the cards of the page
    Canvas *Picture1 = nullptr;      // preview
    Canvas *Picture2 = nullptr;      // number strip
    QWidget *Shape1 = nullptr;
    QPushButton *Command1 = nullptr; // "Abbruch . . ."
    QPushButton *Command4 = nullptr; // help
    QPushButton *Command8 = nullptr; // clipboard
    QPushButton *Command5 = nullptr; // print
    QPushButton *Command2 = nullptr; // font chooser
    QPushButton *Command7 = nullptr; // "<<"
    QPushButton *Command6 = nullptr; // ">>"
    QLabel *Label1 = nullptr;        // shows the page start, outside the client area

    Setup m_setup;
    /// Every picture file, as Bilder1 lists them.
    QStringList m_pictures;
    WorksheetPage m_page;
    /// Only while a routine draws: its pictures, decoded side by side
    /// beforehand at the size they are drawn.
    handover::PreparedPictures m_prepared;
};
