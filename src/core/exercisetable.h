#pragma once
// The twelve exercises and games in one table: the log list each writes to,
// its heading in the log window and the report, the id its answers are kept
// under, the main menu's launch title, the least number of nouns it needs
// and its window. Everything that names an exercise reads it from here.

#include <QString>
#include <QStringView>
#include <array>

/// Every window besides the main menu.
enum class ScreenId {
    Form2,         // reading
    Form3,         // article choice
    Form4,         // "Ich sehe"
    Form5,         // word choice
    Form6,         // picture choice
    Form9,         // copy
    Form10,        // dictation
    Galgen,        // hangman
    Memo,          // memory
    Fang,          // catch game
    Form7,         // letter carpet
    Form8,         // ABC ordering
    Drucken1,      // learning cards
    Drucken2,      // sound-exercise cards
    Drucken3,      // writing worksheets
    Schriften,     // font chooser
    Form11,        // user-input log
    TrvLabel,      // about box
    Verlauf,       // the children's records
    Schreiblinien, // writing sheets on school lines
    Anlauttabelle, // the initial-sound table
};

/// The twelve lists of the user-input log, numbered as the log window's lists.
enum class LogList {
    Lesen = 1,
    Bildwahl,
    Wortwahl,
    Begleiter,
    Ergaenzen,
    Abc,
    Abschrift,
    Diktat,
    Teppich,
    Fange,
    Memory,
    Galgen,
};

struct Exercise {
    LogList log;
    const char *heading;     // the log window's heading, UTF-8 ("Ergänzen")
    const char *recordId;    // stable id in the records ("ergaenzen")
    const char *launchTitle; // the main menu's title for it ("Nomen" for reading)
    int leastNouns;          // fewer nouns than this and it does not start
    bool tooFewText;         // below the least: "zu wenig" rather than "keine" Nomen
    ScreenId screen;
};

namespace exercises {

/// All twelve, in the order of the log window's lists.
const std::array<Exercise, 12> &all();
const Exercise &of(LogList log);
/// The exercise kept under a record id; nullptr for an unknown id.
const Exercise *byRecordId(QStringView id);
QString heading(LogList log);
QString recordId(LogList log);

} // namespace exercises
