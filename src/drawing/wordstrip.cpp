#include "drawing/wordstrip.h"

#include "core/palette.h"
#include "drawing/surface.h"

#include <QtMath>

#include <algorithm>

namespace wordstrip {

namespace {

// Breaks inside the word, ascending, each once.
QList<int> cleanBreaks(const QList<int> &breaks, int length) {
    QList<int> out;
    for (int b : breaks)
        if (b > 0 && b < length)
            out << b;
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// The syllable a character belongs to: the number of breaks at or before it.
int syllableOf(const QList<int> &breaks, int i) {
    return int(std::upper_bound(breaks.begin(), breaks.end(), i) - breaks.begin());
}

// A flat half ellipse from left to right, its ends at top, hanging below.
void arc(Surface &s, int left, int right, int top, const QColor &colour) {
    const int em = qRound(s.fontPoints() * 20);
    const int inset = qMin(qMax(1, em / 16), (right - left) / 4);
    left += inset;
    right -= inset;
    if (right <= left)
        return;
    const int sag = qMax(2, em / 5);
    constexpr int kSegments = 16;
    int px = left;
    int py = top;
    for (int k = 1; k <= kSegments; ++k) {
        const double t = M_PI * k / kSegments;
        const int x = left + qRound((right - left) * (1 - qCos(t)) / 2);
        const int y = top + qRound(sag * qSin(t));
        s.line(px, py, x, y, colour);
        px = x;
        py = y;
    }
}

// Arcs under the given letter spans (first and last letter's left and right
// edge, one entry per syllable), keeping the print position and line width.
void arcs(Surface &s, const QList<QPair<int, int>> &spans, int top, const QList<QColor> &colours) {
    const QPoint pos = s.printPosition();
    const int width = s.lineWidth();
    // Thin, but still seen on a 36 pt strip.
    s.setLineWidth(qMax(15, qRound(s.fontPoints() * 20 / 24)));
    for (int k = 0; k < spans.size(); ++k)
        arc(s, spans[k].first, spans[k].second, top, colours[k]);
    s.setLineWidth(width);
    s.setPrintPosition(pos.x(), pos.y());
}

// The arcs' ends sit just above the bottom of the text line, below the
// letters' baseline.
int arcTop(const Surface &s, int textTop) {
    return textTop + s.textHeight() - s.textHeight() / 8;
}

} // namespace

void setup(Surface &strip) {
    strip.setFont(QStringLiteral("Verdana"), 36, true);
}

void draw(Surface &s, const QString &word, int vowelColour, int consonantColour, Style style,
          const QList<int> *syllableBreaks) {
    s.clear();
    const bool spaced = style == Style::Spaced;
    if (spaced)
        s.print(QStringLiteral(" "));
    const QColor vowel = palette::colour(vowelColour);
    const QColor consonant = palette::colour(consonantColour);
    if (!syllableBreaks) {
        for (const QChar c : word) {
            s.setTextColour(palette::isVowel(c) ? vowel : consonant);
            s.print(QString(c));
            if (spaced)
                s.print(QStringLiteral(" "));
        }
        return;
    }

    const QList<int> breaks = cleanBreaks(*syllableBreaks, int(word.size()));
    QList<QPair<int, int>> spans;
    QList<QColor> colours;
    for (int i = 0; i < word.size(); ++i) {
        const int syllable = syllableOf(breaks, i);
        const QColor colour = syllable % 2 == 0 ? consonant : vowel;
        s.setTextColour(colour);
        const int left = s.currentX();
        s.print(QString(word[i]));
        if (syllable == spans.size()) {
            spans << qMakePair(left, s.currentX());
            colours << colour;
        } else {
            spans.last().second = s.currentX();
        }
        if (spaced)
            s.print(QStringLiteral(" "));
    }
    arcs(s, spans, arcTop(s, 0), colours);
}

void syllableArcs(Surface &s, int x, int y, const QString &word, const QList<int> &breaks,
                  const QColor &colour) {
    if (word.isEmpty())
        return;
    QList<int> edges{0};
    edges << cleanBreaks(breaks, int(word.size())) << int(word.size());
    QList<QPair<int, int>> spans;
    for (int k = 0; k + 1 < edges.size(); ++k)
        spans << qMakePair(x + s.textWidth(word.left(edges[k])),
                           x + s.textWidth(word.left(edges[k + 1])));
    arcs(s, spans, arcTop(s, y), QList<QColor>(spans.size(), colour));
}

} // namespace wordstrip
