#pragma once
// The program as every window sees it: the services (message boxes, random
// numbers, clock), the main menu's state that other windows read, the log,
// and the way between windows. The main menu owns the state; other windows
// only read it. Windows are created lazily on first show and discarded when
// closed by their title bar.

#include "core/exercisetable.h"
#include "core/menustate.h"
#include "drawing/wordstrip.h"
#include "records/cardbox.h"
#include "ui/screen.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class Dialogs;
class Syllabifier;
class Random;
class Clock;
namespace records {
class RecordStore;
}
class Speech;
class ChildRecords;

/// What the windows observe of the program.
class ProgramEvents : public QObject {
    Q_OBJECT
signals:
    /// The syllable patterns have loaded (or were found missing): strips drawn
    /// without syllables meanwhile can show them now.
    void syllablesReady();
};

/// A window that prints given nouns as the cards of its sheet (the
/// learning cards), so a window beside it can print without knowing it.
class CardPrinter {
public:
    virtual ~CardPrinter() = default;
    virtual void printCards(const QStringList &entries) = 0;
};

class Program;
/// Creates the window for an id, or returns nullptr for ids it does not know.
using ScreenFactory = std::function<Screen *(ScreenId, Program &)>;

class Program : public ScreenHost {
public:
    explicit Program(ScreenFactory factory);
    ~Program() override;

    // Services.
    virtual Dialogs &dialogs() = 0;
    virtual Random &random() = 0;
    virtual Clock &clock() = 0;
    /// Says words aloud (the exercise windows; silent unless asked).
    virtual Speech &speech() = 0;

    // The main menu's state: the main menu writes it, windows read it here
    // and may follow its signals.
    MenuState &state() { return m_state; }
    const MenuState &state() const { return m_state; }
    /// The noun list (filtered or not).
    const QStringList &nounList() const { return m_state.nouns(); }
    /// Every picture file of the working directory, unfiltered.
    const QStringList &pictureFiles() const { return m_state.pictureFiles(); }
    /// The name field: used in greetings; never empty.
    QString nameField() const { return m_state.nameField(); }
    /// The name label: the name as last confirmed.
    QString nameLabel() const { return m_state.nameLabel(); }
    /// The name the child's answers are kept under: the one the child is
    /// greeted with.
    QString childName() const;
    bool option(Option o) const { return m_state.option(o); }
    /// Palette indexes of the letter colours.
    int vowelColour() const { return m_state.vowelColour(); }
    int consonantColour() const { return m_state.consonantColour(); }
    /// Colour of the main menu's background sample box.
    QColor background() const { return m_state.background(); }
    /// The teacher's "Extras" switches (all off unless turned on).
    const Extras &extras() const { return m_state.extras(); }
    /// Reads the class list again from where the Extras say it is kept
    /// (Klasse.txt beside the pictures, or the program's own settings).
    void readClassList();
    /// Lists the pictures again after they changed on disk; the model then
    /// tells every window that holds nouns.
    virtual void picturesChanged() {}

    /// "Hallo <name> !" and two line breaks.
    QString greeting() const;

    // The user-input log.
    virtual void appendLog(LogList list, const QString &line) = 0;

    // Every answer per child, beside the log.
    /// The store of the children's answers; nullptr while records are off.
    virtual records::RecordStore *records() { return nullptr; }
    /// Keeps one answer for the child of the name label: the noun entry, right
    /// or wrong, and what was chosen or typed. Does nothing while records are off.
    void recordAnswer(LogList exercise, const QString &entry, bool right,
                      const QString &given = QString());
    /// The nouns the child (`childName`) missed lately, most recently
    /// missed first, while the teacher has "Fehlerwörter üben" on and
    /// records are kept; none otherwise.
    QStringList missedNouns();

    // The card box ("Karteikasten"), while records are kept and it is on.
    /// The child's card box, up to date with the records file; nullptr
    /// while it is off.
    const records::CardBox *cardBox();
    /// A session of an exercise with the card box: the nouns it begins with
    /// and the cards as they were at its start.
    struct CardSession {
        QStringList nouns;
        std::optional<records::CardKind> kind;
        QHash<QString, records::Card> before;
    };
    /// Begins a session: the child's due cards of the kind the exercise
    /// answers; nothing while the card box is off or for an exercise that
    /// moves no card.
    CardSession beginCardSession(LogList exercise);
    /// The cards the session moved on (none while the card box is off).
    QList<records::CardMove> endCardSession(const CardSession &session);
    /// Ends a session: the child sees the cards that moved on (`Fortschritt`),
    /// if any moved and the program is not ending.
    void finishCardSession(const CardSession &session);
    /// The card box's day: today by the records' clock.
    QDate cardBoxDay();
    /// Prints the nouns as learning cards, through the learning-card
    /// worksheet's drawing and print path.
    void printLearningCards(const QStringList &entries);

    // Windows.
    /// Hides the current window and shows the main menu.
    virtual void showMenu() = 0;
    /// Hides the main menu and shows the window (created on first use).
    virtual void showScreen(ScreenId id);
    /// The window, created hidden if it does not exist yet.
    Screen *screen(ScreenId id);
    /// The window if it exists, else nullptr.
    Screen *existing(ScreenId id) const;
    /// "Abbruch": hide the window, show the main menu; state kept.
    void leave(Screen *s);
    void closedByTitleBar(Screen *s) override;
    /// Hides the main menu (before another window shows).
    virtual void hideMenu() = 0;
    /// Closes and destroys every window (program end).
    void destroyAll();
    /// Shows a small window of its own (a child's progress after a session)
    /// over the main menu once the current event is done; it is deleted when
    /// closed, at the latest when the program ends.
    void showTransient(QWidget *window);

    /// Size in twips of the picture measured last (16-bit, shared by all windows).
    QSize pictureSize() const { return {m_pictureWidth, m_pictureHeight}; }
    /// Stores a measured size with 16-bit rounding.
    void setPictureSize(const QSize &twips);

    // Reading syllables ("Silbenbögen", "Silbenfarben").
    /// The hyphenation patterns the syllables come from (before they are
    /// first asked for).
    void setSyllablePatternFile(const QString &path) { m_syllablePatternFile = path; }
    /// The one syllabifier of the program, with the teacher's list (Silben.txt
    /// beside the pictures, in any letter case) read when first asked for.
    Syllabifier &syllables();
    /// Reads the teacher's list again after it changed.
    void syllableListChanged();
    /// Starts reading the patterns in the background while syllables are shown
    /// (once per run): they take seconds, which the first word must not wait
    /// for. `events()` says when they are ready.
    void prepareSyllables();
    /// How the noun's syllables are shown, while "Silbenbögen" or
    /// "Silbenfarben" is on; nothing while both are off, and nothing while the
    /// patterns still load unless the caller waits for them (paper).
    std::optional<wordstrip::Syllables> syllablesOf(const QString &noun, bool wait = false);

    ProgramEvents &events() { return *m_events; }

private:
    struct Relay;
    /// The child's kept answers, up to date; nullptr while records are off.
    ChildRecords *childRecords();
    /// Starts reading the child's answers ahead while something needs them.
    void prepareChildRecords();

    MenuState m_state;
    std::unique_ptr<ChildRecords> m_child;
    qint16 m_pictureWidth = 0;
    qint16 m_pictureHeight = 0;
    QString m_syllablePatternFile;
    void loadSyllableList();
    std::unique_ptr<Syllabifier> m_syllables;
    bool m_syllablesPrepared = false;
    std::unique_ptr<ProgramEvents> m_events;
    std::shared_ptr<Relay> m_relay;
    ScreenFactory m_factory;
    std::map<ScreenId, Screen *> m_screens;
    /// Windows closed by their title bar and not yet deleted by the event loop;
    /// they must not outlive the program they refer to.
    std::vector<QPointer<Screen>> m_discarded;
    std::vector<QPointer<QWidget>> m_transients;
};
