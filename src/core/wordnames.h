#pragma once
// The rules for a noun a teacher adds: which names are allowed, which file
// already holds a noun, what a picture file's name suggests, and the
// teacher's syllable lines. No window, no file access.

#include <QHash>
#include <QString>
#include <QStringList>

namespace wordnames {

/// The longest noun accepted (file names on old shares stay short).
constexpr int kMaxNounLength = 60;

/// The noun in NFC, trimmed.
QString normalised(const QString &noun);

/// Why the noun cannot be used (a German sentence), or empty when it can.
/// Expects the normalised form.
QString problemWith(const QString &noun);

/// The file name a noun is saved under: "derHund.jpg".
QString fileNameFor(const QString &article, const QString &noun, const QString &suffix);

/// File name endings of pictures a teacher may bring (lower case, no dot).
const QStringList &pictureSuffixes();
/// True when the name ends in one of them (any letter case).
bool hasPictureSuffix(const QString &fileName);

/// The file among `fileNames` that holds `noun` already: a picture named
/// with any article and in any letter case or picture format
/// ("DIEhund.PNG" holds Hund). Empty when none does; `except` is passed over.
QString holderOf(const QString &noun, const QStringList &fileNames,
                 const QString &except = QString());

/// What a picture file's name suggests: "derHund.png" gives der and Hund,
/// "Hund.jpg" gives Hund alone, "IMG_2034.jpg" gives nothing.
struct Guess {
    QString article; // "der", "die", "das" or empty
    QString noun;    // normalised, upper-case start, or empty
};
Guess guessFrom(const QString &fileName);

/// The pictures the noun listing leaves out although they could be nouns:
/// picture formats whose name the listing ignores and whose noun is not
/// listed already. In the order given.
QStringList notYetNouns(const QStringList &fileNames, const QStringList &listed);

/// The teacher's syllable list: lines "Ameise=A-mei-se". The key is the
/// word in NFC and lower case, the value the division as written.
QHash<QString, QString> syllableLines(const QString &text);
/// The list with the line of `oldNoun` dropped and, if `division` is not
/// empty, a line for `newNoun` appended; every other line as it was.
QString withSyllableLine(const QString &text, const QString &oldNoun, const QString &newNoun,
                         const QString &division);

} // namespace wordnames
