#pragma once
// The noun list made from picture file names: derHund.jpg gives the noun
// Hund with its article der. The rules here need no window.

#include <QDir>
#include <QString>
#include <QStringList>

namespace nouns {

/// The twelve listing patterns, as the listing is set up.
extern const char *const kPattern;
/// The thirty letters of the letter list, in list order.
extern const QString kLetters;

/// Upper case by the system's rules for single characters: ä becomes Ä,
/// ß stays ß (it has no one-letter capital).
QString upper(const QString &s);
QString lower(const QString &s);

/// True if the name matches one of the twelve patterns, without regard to case.
bool isPictureFileName(const QString &fileName);
/// The picture files of a directory, sorted by the program's collation.
QStringList listPictureFiles(const QDir &dir);

/// The entry from its fourth character up to the first ".", as written.
QString stemOf(const QString &entry);
/// The noun of an entry: from the fourth character up to the first ".",
/// lower case with an upper-case first letter (derHUND.jpg gives Hund).
/// Decomposed umlauts are composed first.
QString nounOf(const QString &entry);

/// The article of an entry in lower case ("der" for DERHund.jpg); empty
/// when the entry does not start with der, die or das.
QString articleOf(const QString &entry);

/// The display form: "der Hund" (the article in lower case, a blank, the noun).
QString displayForm(const QString &entry);
/// The display form of an entry that may lack a valid article (an entry in
/// a records file written by hand): the noun alone then.
QString displayFormOrNoun(const QString &entry);
/// The noun alone with an article cut off if there is one (picture choice).
QString nounOnlyForm(const QString &entry);
/// The noun alone as the copy and dictation screens write it.
QString copyForm(const QString &entry);

struct FilterResult {
    QStringList entries; // the noun list: passing file names, unchanged
    QStringList nouns;   // the preview: their nouns
};
/// Runs the letter filter over the listing, in listing order.
FilterResult filter(const QStringList &files, const QString &letterSet);

/// The count label: " 42 Nomen ".
QString countCaption(int n);
/// A number with a leading blank in the place of its sign.
QString signedNumber(int n);

} // namespace nouns
