#pragma once
// The class list: the children's names, one a line, that the main menu
// offers as buttons. Kept in the program's own settings, or beside the
// pictures as Klasse.txt so that every PC of a class share sees one list.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace classlist {

/// The file beside the pictures.
extern const QString kFileName;
/// A class list is a few hundred bytes; anything far larger is no class list.
constexpr qint64 kCap = 64 * 1024;
/// Longest name kept (the name field takes no more).
constexpr int kMaxName = 64;

/// The names in order: trimmed, in NFC, without control characters or
/// empty lines, each once (any letter case, NFC or NFD alike), at most
/// kMaxName characters.
QStringList clean(const QStringList &lines);
/// The names of a Klasse.txt (UTF-8, any line ends, a byte order mark
/// allowed).
QStringList parse(const QByteArray &bytes);
/// Klasse.txt's bytes for the names: UTF-8, one a line.
QByteArray serialise(const QStringList &names);

/// The names of the Klasse.txt in `folder`; none when it is missing or is
/// not a small regular file.
QStringList read(const QString &folder);
/// Writes Klasse.txt in `folder` as a whole, never through a link; false
/// when it could not be written.
bool write(const QString &folder, const QStringList &names);

} // namespace classlist
