#pragma once
// The coloured word strip: a noun printed letter by letter in a large font,
// vowels in the vowel colour, every other character in the consonant colour.

#include <QColor>
#include <QList>
#include <QString>

class Surface;

namespace wordstrip {

enum class Style {
    Spaced,   // one leading blank, each letter followed by a blank
    Unspaced, // the letters side by side (copy and dictation)
};

/// Gives a strip's surface the word strip's font (Verdana 36 pt bold).
void setup(Surface &strip);
/// Clears the surface and prints the word in the two palette colours.
/// With syllable breaks (positions where a syllable starts; an empty list is
/// one syllable) the syllables take the consonant and the vowel colour in
/// turn, starting with the consonant colour, each with a thin arc beneath;
/// the letters stand exactly where they stand without.
void draw(Surface &s, const QString &word, int vowelColour, int consonantColour,
          Style style = Style::Spaced, const QList<int> *syllableBreaks = nullptr);

/// Thin arcs under the syllables of a word printed with its top-left corner
/// at x, y in the surface's current font, as on a worksheet. The print
/// position and line width are left as they were.
void syllableArcs(Surface &s, int x, int y, const QString &word, const QList<int> &breaks,
                  const QColor &colour = Qt::black);

} // namespace wordstrip
