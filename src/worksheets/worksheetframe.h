#pragma once
// The frame shared by the three worksheet windows: the picture list, the
// cards of the current page, the page preview with its number strip, paging,
// picture exchange, the font chooser, clipboard copy, printing and help.
// Each window adds its preview routine and its page routine.

#include "drawing/picture.h"
#include "drawing/printing.h"
#include "ui/screen.h"

#include <QHash>
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
    QLabel *Label1 = nullptr;        // page start, outside the client area

    /// Where the printed page goes: the default printer (or its PDF fallback)
    /// unless a test puts in another target.
    std::function<printing::Outcome(const QString &documentName, const QString &stem,
                                    const printing::PageRoutine &page)>
        printTarget;

    const Setup &setup() const { return m_setup; }
    int pageSize() const { return m_setup.pageSize; }
    int pageStart() const;
    /// The entries of the page, in order.
    QStringList cards() const;
    /// The font name the preview draws in (and the page is printed in).
    QString previewFamily() const { return m_family; }

    /// Draws this window's preview of the page on any surface (font set by the caller).
    virtual void previewRoutine(Surface &s) = 0;
    /// Draws the printed page on any surface (font set by the caller).
    virtual void pageRoutine(Surface &s) = 0;

    /// Prints the card numbers of the current page on the number strip's surface.
    void drawNumbers(Surface &strip);

    // The routines behind the buttons.
    void nextPage();
    void previousPage();
    /// The preview routine on Picture1, with the common first and last steps.
    void vorschau();
    void exchange();
    void copyToClipboard();
    void printPage();
    void help();
    void chooseFont();
    void back();

protected:
    void activated() override;

    /// Liste1 was cleared for a new page.
    virtual void pageCleared() {}
    /// An entry was appended to Liste1 while filling the page.
    virtual void cardAppended(const QString &entry) { Q_UNUSED(entry); }
    /// Card k became the selected card (click, or the routines selecting it).
    virtual void cardSelected(int k);

    /// Prints a noun with its top-left corner at x, y and, while "Silbenfarben"
    /// is on, thin black arcs under its syllables. Paper waits for the syllable
    /// patterns; the preview has its arcs from its first drawing after they loaded.
    void printNoun(Surface &s, int x, int y, const QString &noun, bool paper);
    /// Selects card i of Liste1, loads its picture into Image1 and returns its entry.
    QString takeCard(int i);
    /// The picture of an entry for the preview (or, while printing, for
    /// the paper). Decoded pixels stay in the program's picture cache, so a
    /// redraw usually decodes nothing.
    Picture picture(const QString &entry);
    /// The picture for the image boxes.
    Picture viewPicture(const QString &entry);
    int cardCount() const;
    void selectFirstPicture();

    Program &m_program;

private:
    void fillPage(int p);
    /// Decodes the raster pictures that a drawing routine will draw, side by
    /// side on the processor's cores, at the device size each will take.
    /// `keep`: the decoded images also go into the picture cache.
    void decodeAhead(const std::function<void(Surface &)> &routine, double pixelsPerTwip,
                     bool keep);
    Setup m_setup;
    QString m_family;
    /// Only while a routine draws: its pictures, decoded side by side
    /// beforehand at the size they are drawn.
    QHash<QString, Picture> m_prepared;
};
