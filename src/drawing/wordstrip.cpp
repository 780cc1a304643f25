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

int emOf(const Surface &s) {
    return qRound(s.fontPoints() * 20);
}

// Thin, but still seen on a 36 pt strip.
int arcWidth(const Surface &s) {
    return qMax(15, qRound(s.fontPoints() * 20 / 24));
}

int fullSag(const Surface &s) {
    return qMax(2, emOf(s) / 5);
}

// The arcs' ends hang a line's width below the descenders (p, g, y).
int arcTopBelow(const Surface &s, int textTop) {
    return textTop + s.textHeight() + arcWidth(s);
}

// One arc from the first piece's left to the last piece's right, its ends at
// top; the gap between two pieces is left out, as if they stood side by side.
void arc(Surface &s, const Pieces &pieces, int top, int sag, const QColor &colour) {
    QList<int> starts{0}; // run length along the pieces where each one starts
    for (const auto &p : pieces)
        starts << starts.last() + qMax(0, p.second - p.first);
    const int total = starts.last();
    const int inset = qMin(qMax(1, emOf(s) / 16), total / 4);
    const int from = inset;
    const int to = total - inset;
    if (to <= from)
        return;
    auto pieceAt = [&](int u) {
        int k = 0;
        while (k + 1 < pieces.size() && u > starts[k + 1])
            ++k;
        return k;
    };
    auto xAt = [&](int k, int u) { return pieces[k].first + u - starts[k]; };
    constexpr int kSegments = 16;
    int pu = from;
    int py = top;
    for (int k = 1; k <= kSegments; ++k) {
        const double t = M_PI * k / kSegments;
        const int u = from + qRound((to - from) * (1 - qCos(t)) / 2);
        const int y = top + qRound(sag * qSin(t));
        const int last = pieceAt(u);
        int x = xAt(pieceAt(pu), pu);
        int yy = py;
        for (int j = pieceAt(pu); j < last; ++j) {
            // The line stops at this piece's end and goes on at the next one's start.
            const int yb = py + qRound(double(y - py) * (starts[j + 1] - pu) / qMax(1, u - pu));
            if (x != pieces[j].second || yy != yb)
                s.line(x, yy, pieces[j].second, yb, colour);
            x = pieces[j + 1].first;
            yy = yb;
        }
        s.line(x, yy, xAt(last, u), y, colour);
        pu = u;
        py = y;
    }
}

// Arcs under the syllables, keeping the print position and line width. The
// sag shrinks to keep the arcs a line's width clear of the line at bottom,
// and only where even the least sag does not fit below the letters do the
// arcs move up.
void arcs(Surface &s, const QList<Pieces> &syllables, const QList<QColor> &colours, int top,
          int bottom) {
    const QPoint pos = s.printPosition();
    const int width = s.lineWidth();
    const int lw = arcWidth(s);
    s.setLineWidth(lw);
    int sag = fullSag(s);
    const int room = bottom - 2 * lw - top;
    if (room < sag) {
        sag = qMax(room, qMax(2, emOf(s) / 10));
        top = qMin(top, bottom - 2 * lw - sag);
    }
    for (int k = 0; k < syllables.size(); ++k)
        arc(s, syllables[k], top, sag, colours.value(k));
    s.setLineWidth(width);
    s.setPrintPosition(pos.x(), pos.y());
}

QList<QColor> arcColours(const Surface &s, const Syllables &syl, int count) {
    QColor plain = syl.arcs;
    if (!plain.isValid()) // strips take the teacher's background, black at first
        plain = qGray(s.background().rgb()) < 128 ? Qt::white : Qt::black;
    QList<QColor> out;
    for (int k = 0; k < count; ++k)
        out << (syl.coloured ? syl.colourOf(k) : plain);
    return out;
}

} // namespace

void setup(Surface &strip) {
    strip.setFont(QStringLiteral("Verdana"), 36, true);
}

void draw(Surface &s, const QString &word, int vowelColour, int consonantColour, Style style,
          const Syllables *syllables) {
    s.clear();
    print(s, word, vowelColour, consonantColour, style, syllables);
}

void print(Surface &s, const QString &word, int vowelColour, int consonantColour, Style style,
           const Syllables *syllables, int bottom) {
    const int textTop = s.currentY();
    if (style == Style::Spaced)
        s.print(QStringLiteral(" "));
    const QColor vowel = palette::colour(vowelColour);
    const QColor consonant = palette::colour(consonantColour);
    const QList<int> breaks =
        syllables ? cleanBreaks(syllables->breaks, int(word.size())) : QList<int>();
    QList<Pieces> spans;
    for (int i = 0; i < word.size(); ++i) {
        const QString letter(word[i]);
        const int syllable = syllableOf(breaks, i);
        s.setTextColour(syllables && syllables->coloured ? syllables->colourOf(syllable)
                        : palette::isVowel(word[i])      ? vowel
                                                         : consonant);
        const int left = s.currentX();
        s.print(style == Style::Trailing ? letter + QLatin1Char(' ') : letter);
        const int right = style == Style::Trailing ? left + s.textWidth(letter) : s.currentX();
        if (syllable == spans.size())
            spans << Pieces{qMakePair(left, right)};
        else
            spans.last().first().second = right;
        if (style == Style::Spaced)
            s.print(QStringLiteral(" "));
    }
    if (syllables)
        arcs(s, spans, arcColours(s, *syllables, int(spans.size())), arcTopBelow(s, textTop),
             bottom);
}

int depth(const Surface &s) {
    return arcTopBelow(s, 0) + fullSag(s) + 2 * arcWidth(s);
}

void printSyllables(Surface &s, int x, int y, const QString &word, const Syllables &syllables,
                    int bottom) {
    if (word.isEmpty())
        return;
    QList<int> edges{0};
    edges << cleanBreaks(syllables.breaks, int(word.size())) << int(word.size());
    QList<Pieces> spans;
    for (int k = 0; k + 1 < edges.size(); ++k)
        spans << Pieces{qMakePair(x + s.textWidth(word.left(edges[k])),
                                  x + s.textWidth(word.left(edges[k + 1])))};
    if (syllables.coloured) {
        const QColor before = s.textColour();
        for (int k = 0; k + 1 < edges.size(); ++k) {
            s.setTextColour(syllables.colourOf(k));
            s.text(spans[k].first().first, y, word.mid(edges[k], edges[k + 1] - edges[k]));
        }
        s.setTextColour(before);
        s.setPrintPosition(x + s.textWidth(word), y);
    } else {
        s.text(x, y, word);
    }
    arcs(s, spans, arcColours(s, syllables, int(spans.size())), arcTopBelow(s, y), bottom);
}

void arcsUnder(Surface &s, const QList<Pieces> &syllables, const QList<QColor> &colours, int top,
               int bottom) {
    arcs(s, syllables, colours, top, bottom);
}

} // namespace wordstrip
