#pragma once
// A spelling hint for a new noun from libhunspell's German dictionary
// (hunspell-de-de), where it is installed. Only ever a hint: the teacher's
// own words (names of pupils, dialect words) are not in any dictionary.

#include <QString>
#include <QStringList>
#include <memory>

class Hunspell;

class SpellingHint {
public:
    SpellingHint();
    ~SpellingHint();
    SpellingHint(const SpellingHint &) = delete;
    SpellingHint &operator=(const SpellingHint &) = delete;

    /// Where Debian installs the German dictionary (without ".aff"/".dic").
    static QString defaultBase();

    /// Loads `<base>.aff` and `<base>.dic`; false when they are missing.
    bool load(const QString &base = defaultBase());
    bool loaded() const { return bool(m_speller); }

    /// True when the dictionary knows the word, or when there is none.
    bool knows(const QString &word) const;
    /// A few spellings the dictionary offers instead.
    QStringList suggestions(const QString &word, int most = 3) const;

private:
    std::string encode(const QString &word) const;
    QString decode(const std::string &word) const;

    std::unique_ptr<Hunspell> m_speller;
    bool m_utf8 = true;
};
