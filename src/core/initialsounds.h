#pragma once
// The initial-sound table ("Anlauttabelle") as schools teach it: which of
// the teacher's nouns stands for which sound. A noun goes to its longest
// initial sound (Schaf to Sch, never to S); sounds that hardly ever begin a
// noun (ß, ng, ch, x, ck, ie) are shown inside a word where the folder has
// one. Needs no window.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QSettings;

namespace initialsounds {

struct Sound {
    /// Stable name for the settings file ("Sch", "Ae", "in-ng").
    QString id;
    /// As written at the start of a noun ("Sch", "Ä") or, inside, in lower case ("ng").
    QString letters;
    /// Shown inside a word rather than at its start.
    bool inside = false;

    /// What a cell shows: "Sch sch", "Ä ä"; a sound inside a word alone ("ng").
    QString pair() const;
};

/// The sounds of the table in order: the initial sounds, then the rare ones.
const QList<Sound> &sounds();
/// How many of them are initial sounds (they always have a cell).
int initialCount();

/// The longest initial sound the noun begins with, as an index into
/// sounds(); -1 when it begins with none (a digit, a Q without u).
int initialSound(const QString &noun);

/// One noun that fits a cell.
struct Match {
    QString entry;
    QString noun;
    /// Where the sound stands in the noun and how long it is.
    int at = 0;
    int length = 0;
    /// A V spoken as [f] (Vogel): the teacher's choice, not a mismatch.
    bool spokenAsF = false;
};

struct Cell {
    int sound = 0; // index into sounds()
    /// Every noun that fits, the best first.
    QList<Match> candidates;
    /// The one shown: index into candidates, -1 for an empty cell.
    int chosen = -1;

    const Sound &soundOf() const { return sounds()[sound]; }
    const Match *match() const { return chosen >= 0 ? &candidates[chosen] : nullptr; }
};

struct Table {
    /// Every initial sound in table order, then the rare sounds that have a noun.
    QList<Cell> cells;

    /// The initial sounds without a noun, as written ("C", "Qu").
    QStringList gaps() const;
    /// "Für diese Laute fehlt ein Bild: C, J, Qu, X, Y"; empty without gaps.
    QString gapReport() const;
};

/// Builds the table from noun entries (derHund.jpg). `choices` maps a
/// sound's id to the entry the teacher chose for it; a choice that no
/// longer fits is ignored.
Table build(const QStringList &entries, const QHash<QString, QString> &choices = {});

/// The teacher's choices for the table, kept in the program's own settings file.
struct Settings {
    /// Letters in the program's vowel and consonant colours; off: black.
    bool colour = true;
    /// The font the teacher took; empty for the default.
    QString family;
    /// Sound id to the entry chosen for its cell.
    QHash<QString, QString> choices;

    static Settings load(QSettings &settings);
    void save(QSettings &settings) const;
    bool operator==(const Settings &) const = default;
};

/// Whether a V at the start is spoken as [f], as in Vogel and Vater.
bool vSpokenAsF(const QString &noun);

} // namespace initialsounds
