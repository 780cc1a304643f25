#include "words/wordstrip.h"

#include "platform/canvas.h"
#include "words/palette.h"

namespace wordstrip {

void setup(Canvas &strip) { strip.surface().setFont(QStringLiteral("Verdana"), 36, true); }

void draw(Surface &s, const QString &word, int vowelColour, int consonantColour, Style style)
{
    s.clear();
    const bool spaced = style == Style::Spaced;
    if (spaced)
        s.print(QStringLiteral(" "));
    const QColor vowel = palette::colour(vowelColour);
    const QColor consonant = palette::colour(consonantColour);
    for (const QChar c : word) {
        s.setTextColour(palette::isVowel(c) ? vowel : consonant);
        s.print(QString(c));
        if (spaced)
            s.print(QStringLiteral(" "));
    }
}

} // namespace wordstrip
