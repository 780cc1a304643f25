#pragma once
// The article of a noun from a German-English word list (Debian's
// trans-de-en: lines such as "Hund {m} [zool.] | Hunde {pl} :: dog | dogs").
// Read once, in the background, then asked per noun.

#include <QByteArray>
#include <QHash>
#include <QString>

class ArticleDictionary {
public:
    /// Where Debian installs the list.
    static QString defaultFile();

    enum Gender : quint8 { Masculine = 1, Feminine = 2, Neuter = 4 };
    struct Suggestion {
        QString article;        // "der", "die", "das"; empty when none or several
        bool ambiguous = false; // the list gives more than one gender
        QString from;           // the word looked up: the noun or its last part
    };

    /// Takes the nouns of the list's German sides.
    void parse(const QByteArray &bytes);
    /// Reads the list through the careful file path; false without it.
    bool load(const QString &path = defaultFile());

    /// The article of `noun`; for a compound the list lacks, that of its
    /// longest last part it has (Erdbeere from Beere).
    Suggestion suggest(const QString &noun) const;

    int size() const { return int(m_genders.size()); }

private:
    QHash<QString, quint8> m_genders;
};
