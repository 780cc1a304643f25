#pragma once
// The frame shared by the one-noun exercise screens: a private working list
// (a deck drawn from the main menu's noun list without repetition), the
// measuring and placing of the picture, the coloured word strip and the way
// back to the main menu. Each screen keeps only what differs.

#include "drawing/picture.h"
#include "drawing/wordstrip.h"
#include "exercises/voice.h"
#include "program/program.h"
#include "rules/deck.h"
#include "ui/imageview.h"
#include "ui/screen.h"

#include <QStringList>
#include <optional>

class Canvas;
class QPushButton;
class QWidget;

/// A picture frame that outlines itself when its picture could not be
/// loaded, so a missing file shows as an empty frame instead of nothing.
class PictureFrame : public ImageView {
    Q_OBJECT
public:
    using ImageView::ImageView;
    /// Shows a picture; a null one with a file name is drawn as a placeholder.
    void showPicture(const Picture &p);
    bool isPlaceholder() const { return m_placeholder; }
    void clear();
    /// Places the frame in twips and remembers the exact figures.
    void placeTw(const QRect &r);
    QRect twipsRect() const { return m_twips; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    bool m_placeholder = false;
    QRect m_twips;
};

class ExerciseFrame : public Screen {
    Q_OBJECT
public:
    /// Window background of every exercise screen.
    static const QColor kBackground;
    /// Bar behind the bottom buttons.
    static const QColor kBar;

    /// refillBelow: the working list is refilled when it holds fewer entries
    /// than this at a draw (1: only when empty; 10 for the choice screens).
    ExerciseFrame(Program &program, int clientWidthTw, int clientHeightTw, const QString &caption,
                  int refillBelow = 1);

    Program &program() const { return m_program; }
    /// The entry drawn last, as the noun list holds it (derHund.jpg).
    const QString &drawnEntry() const { return m_entry; }
    /// The entry drawn last in the form the screen shows it ("der Hund",
    /// "Hund"), once it is shown.
    const QString &shownEntry() const { return Label1; }
    /// Entries not yet drawn in this pass.
    const QStringList &workingList() const { return List1.remaining(); }
    /// The picture loaded last to measure it.
    const Picture &measuredPicture() const { return Image3; }

protected:
    Deck List1;                      // working list: entries not yet drawn in this pass
    QString Label1;                  // current entry (rewritten to a display form when shown)
    Picture Image3;                  // measuring image: the picture loaded last
    PictureFrame *Image1 = nullptr;  // landscape frame (the only frame on some screens)
    PictureFrame *Image2 = nullptr;  // portrait frame
    Canvas *Picture1 = nullptr;      // word strip
    QPushButton *Command1 = nullptr; // "Abbruch . . ."

    /// Centres, gives the word strip the main menu's background, then start();
    /// a session begins when the window comes from elsewhere.
    void activated() override;
    /// What the screen does at activation after centring and colouring.
    virtual void start() = 0;
    /// The log list the screen's answers go to, for screens whose answers
    /// move a card of the card box.
    virtual std::optional<LogList> answersTo() const { return std::nullopt; }

    // Layout helpers for the parts every screen has.
    void makeFrames(QRect landscape, QRect portrait);
    void makeStrip(int left, int top, int width, int height);
    void makeBar(int top);
    /// "Abbruch . . ." in the middle of the bar; the two outer buttons are the screen's.
    QPushButton *makeAbbruch(int top);
    /// The bar at top with "<<", "Abbruch . . ." and ">>" (the arrows in the given font).
    void makeArrowBar(int top, QPushButton *&back, QPushButton *&forward, const QFont &arrowFont);
    /// The arrows' font on the article and choice screens.
    static QFont arrowFont();
    QPushButton *makeButton(const QString &text, int l, int t, int w, int h, const QFont &font);

    /// Takes a random entry out of the working list into Label1 and returns it
    /// (refilling first as the screen's rule says; the child's missed nouns
    /// first while the teacher asks for them). Empty only when the noun list
    /// itself is empty.
    QString draw();
    /// Loads the picture of an entry into the measuring image and stores its
    /// size in the program's two picture variables.
    const Picture &measure(const QString &entry);
    /// Both frames emptied, the measured picture shown in the landscape frame
    /// when it is at least as wide as high, else in the portrait frame.
    void showInFrames();
    /// The reading screen's single frame: squeezed to 5280 where larger and
    /// centred on (5400, 2700).
    void showCentred(PictureFrame *frame);
    /// Draws a word on the strip in the current letter colours, with its
    /// syllables while they are shown (again once the patterns have loaded).
    void drawWord(const QString &word, wordstrip::Style style = wordstrip::Style::Spaced);
    /// The strip's background from the main menu's box.
    void colourStrip();
    /// "Abbruch . . .": empty the picture controls, back to the main menu.
    void abbruch();

    /// Hearing the drawn noun.
    Voice &voice() { return m_voice; }
    const Voice &voice() const { return m_voice; }
    /// A hidden window falls silent, and its session ends.
    void hideEvent(QHideEvent *e) override;

    /// Keeps the child's answer on the entry drawn last: the first answer
    /// to each noun drawn, one line per noun and attempt.
    void record(LogList exercise, bool right, const QString &given = QString());
    /// The noun on show is about to be left (another is drawn, or the
    /// screen is left): a screen that judges late judges now.
    virtual void leavingEntry() {}

    /// Message box of an exercise with the greeting in front.
    void tell(const QString &text, const QString &title);
    bool confirmations() const;

private:
    /// The main menu's noun list changed.
    void nounsChanged();
    /// With the card box on, the child's due cards come first in a session;
    /// at its end the child sees the cards that moved on.
    void beginSession();
    void endSession();

    Program &m_program;
    Voice m_voice;
    QString m_entry;
    // What the strip shows, to be drawn again with syllables.
    QString m_stripWord;
    wordstrip::Style m_stripStyle = wordstrip::Style::Spaced;
    bool m_stripDrawn = false;
    bool m_judged = false; // the noun on show has its answer
    bool m_inSession = false;
    Program::CardSession m_session; // its cards put first
};
