#pragma once
// The coloured word strip: a noun printed letter by letter in a large font,
// vowels in the vowel colour, every other character in the consonant colour.
// Syllables show as schools show them: "Silbenbögen" (an arc under each
// syllable, the letters in their own colours) or "Silbenfarben" (the
// syllables by turns in two colours, each with an arc in its colour).

#include <QColor>
#include <QList>
#include <QPair>
#include <QString>

class Surface;

namespace wordstrip {

enum class Style {
    Spaced,   // one leading blank, each letter followed by a blank
    Unspaced, // the letters side by side (copy and dictation)
    Trailing, // each letter followed by a blank (memory cards)
};

/// How the syllables of a word are shown.
struct Syllables {
    /// Positions where a syllable starts (an empty list is one syllable).
    QList<int> breaks;
    /// "Silbenfarben": the letters take the syllable colours by turns.
    bool coloured = false;
    QColor first = QColor(0, 0, 255);
    QColor second = QColor(255, 0, 0);
    /// The arcs of "Silbenbögen", by default black or, on a dark background,
    /// white; with colours each arc takes its syllable's.
    QColor arcs;

    QColor colourOf(int syllable) const { return syllable % 2 == 0 ? first : second; }
};

/// Gives a strip's surface the word strip's font (Verdana 36 pt bold).
void setup(Surface &strip);
/// Clears the surface and prints the word from its top-left corner (below).
void draw(Surface &s, const QString &word, int vowelColour, int consonantColour,
          Style style = Style::Spaced, const Syllables *syllables = nullptr);
/// Prints the word at the print position in the two palette colours, with
/// its syllables when given; the letters stand exactly where they stand
/// without. Arcs hang below the descenders, a line's width clear of a line
/// at `bottom`.
void print(Surface &s, const QString &word, int vowelColour, int consonantColour, Style style,
           const Syllables *syllables, int bottom = 1 << 30);
/// How far below its top a word in the surface's font reaches with its arcs.
int depth(const Surface &s);

/// A word printed whole with its top-left corner at x, y, as on a worksheet:
/// in the surface's text colour with arcs, or in the syllable colours. The
/// arcs keep clear of the line at `bottom`; text colour, print position and line width are
/// left as they were.
void printSyllables(Surface &s, int x, int y, const QString &word, const Syllables &syllables,
                    int bottom = 1 << 30);

/// One syllable's letters as horizontal pieces (a syllable whose letters
/// stand in two boxes has two); its arc runs under them as if they stood
/// side by side.
using Pieces = QList<QPair<int, int>>;
/// Arcs under syllables whose letters were drawn elsewhere in the surface's
/// font (the catch game's word row), hanging from `top`, clear of `bottom`.
void arcsUnder(Surface &s, const QList<Pieces> &syllables, const QList<QColor> &colours, int top,
               int bottom);

} // namespace wordstrip
