#pragma once
// The teacher's "Extras" switches (speech, syllable arcs or colours, lasting
// records of the answers, practising missed nouns, the card box). They live in the
// program's own settings file in the user's configuration folder, so
// KALIMBO.INI keeps its ten lines; all are off until a teacher turns them on.

#include <QStringList>

class QSettings;

struct Extras {
    bool speakWords = false;       // "Wörter vorlesen"
    bool syllableArcs = false;     // "Silbenbögen": arcs under the syllables
    bool syllableColours = false;  // "Silbenfarben": syllables in two colours, with arcs
    bool practiseMistakes = false; // "Fehlerwörter üben"
    bool keepRecords = false;      // "Antworten aufzeichnen" (Protokolle/ beside the pictures)
    bool cardBox = false;          // "Karteikasten" (works on the kept answers)
    bool boardMode = false;        // "Tafelmodus": everything 1.5 times, from the next start
    bool screenKeyboard = false;   // "Bildschirmtastatur" under the writing screens and Galgen
    bool highContrast = false;     // "Kontrast": a palette of at least 4.5:1 for every text
    /// Palette indexes of the two syllable colours (blue and red, as the
    /// syllable method prints them).
    int syllableColour1 = 9;
    int syllableColour2 = 12;
    /// The class list ("Klasse ..."): kept here, or beside the pictures as
    /// Klasse.txt when the teacher chooses (then `classNames` is unused).
    QStringList classNames;
    bool classBesidePictures = false;

    /// Syllables are shown, as arcs or in colours.
    bool showsSyllables() const { return syllableArcs || syllableColours; }

    /// Reads the switches; anything missing or unreadable stays off.
    static Extras load(QSettings &settings);
    /// Writes the switches; false if the file could not be written.
    bool save(QSettings &settings) const;

    /// The same, in the user's own file (~/.config/Kalimbo/Kalimbo.ini).
    static Extras load();
    bool save() const;

    static QString userFilePath();
    /// `path` when it is a small regular file or nothing yet; otherwise a
    /// path that can be neither read nor written.
    static QString usableFile(const QString &path);

    bool operator==(const Extras &) const = default;
};
