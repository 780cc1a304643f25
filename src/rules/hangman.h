#pragma once
// The rules of hangman, without widgets: the secret word of an entry, the
// mask of found letters, misses and the end of a game.

#include <QString>

namespace hangman {

/// The 30 letter keys in board order (the board fills column by column).
extern const QString kKeyOrder;
/// The secret word: the entry after its article, cut before the first ".",
/// the first character as in the file name, the rest in lower case.
QString secretWordOf(const QString &entry);
/// True if one of the 30 keys plays this character.
bool hasKey(QChar c);

} // namespace hangman

class Hangman {
public:
    enum class Outcome { Hit, Miss, Won, Lost };
    static constexpr int kMaxMisses = 10;

    /// A new game on the entry: all marks open, no misses.
    void start(const QString &entry);
    /// Plays one key's letter.
    Outcome play(QChar letter);

    QString secret() const { return m_secret; }
    QString pictureFile() const { return m_entry; }
    /// A blank and a mark per character: "_" or the found character.
    QString mask() const { return m_mask; }
    int misses() const { return m_misses; }

private:
    QString m_entry;
    QString m_secret;
    QString m_mask;
    int m_misses = 0;
};
