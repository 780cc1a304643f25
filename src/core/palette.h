#pragma once
// The sixteen-colour palette and the vowel rule of the coloured words.

#include <QColor>
#include <QString>

namespace palette {

/// Palette colour 0 to 15 (indexes outside wrap into the range).
QColor colour(int index);
/// Vowels are drawn in the vowel colour, every other character in the consonant colour.
bool isVowel(QChar c);
extern const QString kVowels;

} // namespace palette
