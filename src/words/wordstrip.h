#pragma once
// The coloured word strip: a noun printed letter by letter in a large font,
// vowels in the vowel colour, every other character in the consonant colour.

#include <QString>

class Surface;
class Canvas;

namespace wordstrip {

enum class Style {
    Spaced,   // one leading blank, each letter followed by a blank
    Unspaced, // the letters side by side (copy and dictation)
};

/// Gives a canvas the word strip's font (Verdana 36 pt bold).
void setup(Canvas &strip);
/// Clears the surface and prints the word in the two palette colours.
void draw(Surface &s, const QString &word, int vowelColour, int consonantColour,
          Style style = Style::Spaced);

} // namespace wordstrip
