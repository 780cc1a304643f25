#pragma once
// The main menu: greets the child, shows how many nouns there are, starts
// the exercises and games, and carries the teacher's sliding panels
// (options, colours, letters, name). It lists the pictures and writes what
// other windows read (the noun list, name, options, colours) into the
// program's model as its controls change.

#include "core/settings.h"
#include "program/program.h"
#include "ui/screen.h"

#include <QHash>
#include <QStringList>

class Canvas;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class ScreenKeyboard;
class KalimboProgram;

/// A panel that slides in and out of the client area; its position is kept
/// in twips so that it reads back exactly.
struct SlidingPanel {
    QWidget *widget = nullptr;
    int left = 0;
    int top = 0;
    void moveTo(int l, int t);
    void moveLeft(int l) { moveTo(l, top); }
    void moveTop(int t) { moveTo(left, t); }
};

class Form1 : public Screen {
    Q_OBJECT
public:
    explicit Form1(KalimboProgram &program);

    /// True if no picture file was found at start (the program must end).
    bool aborted() const { return m_aborted; }

    /// Lists the picture files again (pictures were added, renamed or
    /// removed) and writes the new noun list, filtered as before.
    void picturesChanged();
    /// The nouns the letter panel's preview shows.
    QStringList previewList() const;

    /// The current letter set: selected letters in list order.
    QString letterSet() const;
    /// A press on the colour panel at x, y in twips.
    void colourChoice(int x, int y);

protected:
    void activated() override;
    bool titleBarClose() override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    // Routines.
    bool bildersuche();
    void lautliste();
    void lautfilter();
    void iniladen();
    /// Writes KALIMBO.INI; says so in a message box if that fails.
    void inisave();
    void farbtafel();
    void hintergrundfarbe();
    /// While "Kontrast" is on, says so when a colour the teacher just chose
    /// is hard to read on the background (a warning; every colour stays allowed).
    void warnContrast();
    void optionaus();
    /// The filter switch handler.
    void filterChanged();
    /// The exit question of "Beenden".
    void beenden();
    /// Shows the "Extras" switches and stores each change.
    void openExtras();

    void buildHead();
    void buildButtons();
    void buildNamePanel();
    void buildOptionsPanel();
    void buildColourPanel();
    void buildLetterPanel();

    /// A launch button: count check, letter panel closed, window shown.
    void launch(int count, int minimum, const QString &text, const QString &title, ScreenId id,
                bool closesLetterPanel = true);
    void closeLetterPanel();
    void nameButton();
    /// The class list's names as buttons in the name panel (none: the
    /// panel as it always was).
    void showClass();
    /// Keeps the pictures the class dialog changed in `home`; when the list
    /// moved from `oldHome`, its pictures move along. Tells what failed.
    void storeClassPictures(const QStringList &names, const QHash<QString, QByteArray> &changes,
                            const QString &oldHome, const QString &home);
    void fertig();
    void lehrer();
    void farben();
    void laute();
    void setConsonant(int i);
    void setVowel(int i);
    QCheckBox *optionBox(Option o) const;
    /// Writes the noun list into the model, with the letters it was filtered
    /// by (none: unfiltered).
    void setNounList(const QStringList &entries, const QString &filterLetters = QString());
    /// Writes the colours into the model.
    void showColours();

    // Controls, named as the teacher's and child's tools are named.
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label7 = nullptr, *Label8 = nullptr;
    QLabel *Picture1 = nullptr, *Picture2 = nullptr;
    QWidget *Shape1 = nullptr, *Shape5 = nullptr, *Shape6 = nullptr; // head band, button blocks
    QCheckBox *Check1 = nullptr;                                     // filter switch
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr,
                *Command8 = nullptr, *Command9 = nullptr, *Command10 = nullptr,
                *Command11 = nullptr, *Command12 = nullptr, *Command13 = nullptr,
                *Command14 = nullptr, *Command15 = nullptr, *Command16 = nullptr,
                *Command17 = nullptr, *Command18 = nullptr, *Command19 = nullptr,
                *Command20 = nullptr, *Command21 = nullptr;
    // Name panel.
    SlidingPanel Picture6;
    QLabel *Label11 = nullptr, *Label9 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command24 = nullptr, *Command25 = nullptr;
    QWidget *Klasse = nullptr;              // the class list's name buttons, while there is one
    ScreenKeyboard *NameKeyboard = nullptr; // "Bildschirmtastatur" under the name panel
    // Options panel.
    SlidingPanel Picture5;
    QCheckBox *Check2 = nullptr, *Check3 = nullptr, *Check4 = nullptr, *Check5 = nullptr,
              *Check6 = nullptr, *Check7 = nullptr;
    /// Opens the "Extras" switches (kept apart from the six options and KALIMBO.INI).
    QPushButton *ExtrasButton = nullptr;
    QPushButton *Command22 = nullptr, *Command23 = nullptr, *Command27 = nullptr,
                *Command28 = nullptr, *Command29 = nullptr;
    // Colour panel.
    SlidingPanel Picture3;
    Canvas *colourCanvas = nullptr;
    QWidget *Shape2 = nullptr, *Shape3 = nullptr;
    Canvas *Hintergrund = nullptr;
    QLabel *Warnung = nullptr; // the contrast warning
    bool m_loadingColours = false;
    bool m_contrastDrawn = false; // the colour panel drawn with "Kontrast" on
    QScrollBar *VScroll1 = nullptr, *VScroll2 = nullptr, *VScroll3 = nullptr;
    // Letter panel.
    SlidingPanel Picture4;
    QListWidget *List1 = nullptr; // letters
    QListWidget *List3 = nullptr; // filter preview
    QPushButton *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command26 = nullptr;

    KalimboProgram &m_program;
    QStringList File1;
    QStringList List2;
    int m_vowel = 12;
    int m_consonant = 10;
    bool m_aborted = false;
};
