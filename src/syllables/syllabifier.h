#pragma once
// Reading syllables of a German noun for first-grade reading: the breaks of
// the German hyphenation patterns, adjusted by the rules children learn to
// read by (every syllable holds one vowel sound, so a lone vowel stands as a
// syllable at the start, after a compound's joint and at the end: I-gel,
// Back-o-fen, Li-ni-e; sounds written with several letters stay together;
// "ck" goes to the next syllable). A teacher's list can override single words.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class Syllabifier {
public:
    /// Debian's German hyphenation patterns.
    static QString defaultPatternFile();
    /// The name of the teacher's override list beside the pictures.
    static QString overrideFileName();

    /// The pattern file is read on first use only, and once per process.
    explicit Syllabifier(const QString &patternFile = defaultPatternFile());

    /// Positions in the noun at which a new syllable starts, ascending, never 0
    /// nor the length. Empty for one syllable or when the patterns are missing.
    QList<int> breaks(const QString &noun) const;
    /// The breaks the patterns give, the teacher's list left aside (what a
    /// line in the list would change).
    QList<int> patternBreaks(const QString &noun) const;
    /// The noun cut at its breaks ("Ameise" gives A, mei, se).
    QStringList split(const QString &noun) const;
    /// "A-mei-se".
    QString hyphenated(const QString &noun, QChar mark = QLatin1Char('-')) const;

    /// True if the pattern file could be read (loads it if not done yet).
    bool hasPatterns() const;
    /// Reads the pattern file on a thread of its own (it takes seconds), so
    /// that the first word need not wait for all of it; then calls `loaded`
    /// on that thread.
    void preload(std::function<void()> loaded = {}) const;
    /// True once the pattern file has been read or found missing; never waits.
    bool ready() const;

    struct OverrideResult {
        bool opened = false;
        int accepted = 0;
        QList<int> skippedLines; // 1-based numbers of lines that were not understood
    };
    /// Replaces the overrides by those of a list with lines "Ameise=A-mei-se",
    /// in UTF-8, or Windows-1252 when the bytes are not valid UTF-8.
    OverrideResult loadOverrides(const QString &path);
    OverrideResult parseOverrides(const QByteArray &bytes);
    int overrideCount() const { return int(m_overrides.size()); }

private:
    QList<int> breaksOf(const QString &noun, bool teachersList) const;
    struct Patterns;
    std::shared_ptr<Patterns> m_patterns;
    // Key: the word in NFC and lower case; value: breaks in that form.
    QHash<QString, QList<int>> m_overrides;
};
