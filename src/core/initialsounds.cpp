#include "core/initialsounds.h"

#include "core/collation.h"
#include "core/nouns.h"
#include "core/palette.h"

#include <QSettings>
#include <algorithm>
#include <span>
#include <tuple>
#include <utility>
#include <vector>

namespace initialsounds {

namespace {

struct Plain {
    const char *id;
    const char *letters; // UTF-8
    bool inside;
};

// Table order as schools print it; the rare sounds follow.
const Plain kSounds[] = {
    {"A", "A", false},   {"Ae", "Ä", false},    {"Au", "Au", false},   {"B", "B", false},
    {"C", "C", false},   {"Ch", "Ch", false},   {"D", "D", false},     {"E", "E", false},
    {"Ei", "Ei", false}, {"Eu", "Eu", false},   {"F", "F", false},     {"G", "G", false},
    {"H", "H", false},   {"I", "I", false},     {"J", "J", false},     {"K", "K", false},
    {"L", "L", false},   {"M", "M", false},     {"N", "N", false},     {"O", "O", false},
    {"Oe", "Ö", false},  {"P", "P", false},     {"Pf", "Pf", false},   {"Qu", "Qu", false},
    {"R", "R", false},   {"S", "S", false},     {"Sch", "Sch", false}, {"Sp", "Sp", false},
    {"St", "St", false}, {"T", "T", false},     {"U", "U", false},     {"Ue", "Ü", false},
    {"V", "V", false},   {"W", "W", false},     {"X", "X", false},     {"Y", "Y", false},
    {"Z", "Z", false},   {"in-ss", "ß", true},  {"in-ng", "ng", true}, {"in-ch", "ch", true},
    {"in-x", "x", true}, {"in-ck", "ck", true}, {"in-ie", "ie", true},
};

struct Tables {
    QList<Sound> sounds;
    int initial = 0;
    /// Initial sounds in lower case, the longest first, with their index.
    QList<QPair<QString, int>> longestFirst;
};

const Tables &tables() {
    static const Tables t = [] {
        Tables out;
        for (const Plain &p : kSounds) {
            out.sounds << Sound{QLatin1String(p.id), QString::fromUtf8(p.letters), p.inside};
            if (!p.inside)
                ++out.initial;
        }
        for (int i = 0; i < out.initial; ++i)
            out.longestFirst << qMakePair(out.sounds[i].letters.toLower(), i);
        std::stable_sort(
            out.longestFirst.begin(), out.longestFirst.end(),
            [](const auto &a, const auto &b) { return a.first.size() > b.first.size(); });
        return out;
    }();
    return t;
}

/// Where a rare sound stands inside the word (not at its start), or -1.
int insideAt(const QString &lower, const QString &letters) {
    for (int at = int(lower.indexOf(letters, 1)); at > 0;
         at = int(lower.indexOf(letters, at + 1))) {
        // ch of sch is no ch sound, nor chs (Fuchs, spoken as x).
        if (letters == QLatin1String("ch") &&
            (lower[at - 1] == QLatin1Char('s') || lower.mid(at + 2, 1) == QLatin1String("s")))
            continue;
        return at;
    }
    return -1;
}

/// A clearly heard sound: a consonant followed by a vowel (Ball before Brot),
/// a vowel followed by a consonant (Ameise before Aal).
bool clearlyHeard(const QString &lower, int length) {
    if (length >= lower.size())
        return false;
    return palette::isVowel(lower[0]) != palette::isVowel(lower[length]);
}

} // namespace

QString Sound::pair() const {
    return inside ? letters : letters + QLatin1Char(' ') + letters.toLower();
}

const QList<Sound> &sounds() {
    return tables().sounds;
}

int initialCount() {
    return tables().initial;
}

int initialSound(const QString &noun) {
    const QString lower = noun.toLower();
    for (const auto &[letters, index] : tables().longestFirst)
        if (lower.startsWith(letters))
            return index;
    return -1;
}

bool vSpokenAsF(const QString &noun) {
    // German words of long standing speak their V as [f]: the prefixes ver-,
    // vor-, voll-, viel-, vier- and a few old words. Loan words keep [v]
    // (Vase, Vulkan, Video, Violine), as does a V no stem here names. The
    // longest stem the noun begins with decides, so a loan word that starts
    // like a prefix (Veranda, Version) is listed as itself; "=" marks a
    // whole word (Verb; Verband and Verbot are ver-).
    static const char *const kSpokenF[] = {
        "ver",   "vor",   "voll", "viel", "vier", "vater", "väter",    "vati",   "vetter", "vieh",
        "vogel", "vögel", "vogt", "volk", "völk", "vers",  "veilchen", "vesper", "vlies"};
    static const char *const kSpokenV[] = {"verb=",    "verben=",    "veranda", "version",
                                           "versal",   "vertikal",   "verve",   "vernissage",
                                           "veronika", "volleyball", "vortex",  "vatikan"};
    struct Stem {
        QString letters;
        bool whole;
        bool f;
    };
    static const QList<Stem> stems = [] {
        QList<Stem> out;
        auto add = [&out](std::span<const char *const> list, bool f) {
            for (const char *letters : list) {
                QString l = QString::fromUtf8(letters);
                const bool whole = l.endsWith(QLatin1Char('='));
                if (whole)
                    l.chop(1);
                out << Stem{l, whole, f};
            }
        };
        add(kSpokenF, true);
        add(kSpokenV, false);
        return out;
    }();
    const QString lower = noun.toLower();
    qsizetype longest = 0;
    bool f = false;
    for (const Stem &stem : stems) {
        const bool fits = stem.whole ? lower == stem.letters : lower.startsWith(stem.letters);
        if (fits && stem.letters.size() > longest) {
            longest = stem.letters.size();
            f = stem.f;
        }
    }
    return f;
}

Settings Settings::load(QSettings &s) {
    Settings out;
    s.beginGroup(QStringLiteral("Anlauttabelle"));
    out.colour = s.value(QStringLiteral("Farbig"), out.colour).toBool();
    out.family = s.value(QStringLiteral("Schrift")).toString().left(200);
    s.beginGroup(QStringLiteral("Wahl"));
    for (const Sound &sound : sounds())
        if (const QString entry = s.value(sound.id).toString().left(500); !entry.isEmpty())
            out.choices.insert(sound.id, entry);
    s.endGroup();
    s.endGroup();
    return out;
}

void Settings::save(QSettings &s) const {
    s.beginGroup(QStringLiteral("Anlauttabelle"));
    s.setValue(QStringLiteral("Farbig"), colour);
    s.setValue(QStringLiteral("Schrift"), family);
    s.remove(QStringLiteral("Wahl"));
    s.beginGroup(QStringLiteral("Wahl"));
    for (auto it = choices.constBegin(); it != choices.constEnd(); ++it)
        s.setValue(it.key(), it.value());
    s.endGroup();
    s.endGroup();
}

QStringList Table::gaps() const {
    QStringList out;
    for (const Cell &c : cells)
        if (!c.soundOf().inside && c.candidates.isEmpty())
            out << c.soundOf().letters;
    return out;
}

QString Table::gapReport() const {
    const QStringList g = gaps();
    return g.isEmpty()
               ? QString()
               : QStringLiteral("Für diese Laute fehlt ein Bild: ") + g.join(QStringLiteral(", "));
}

Table build(const QStringList &entries, const QHash<QString, QString> &choices) {
    const Tables &t = tables();
    const int count = int(t.sounds.size());
    QList<QList<Match>> found(count);
    QStringList nouns;
    nouns.reserve(entries.size());
    for (const QString &entry : entries) {
        const QString noun = nouns::nounOf(entry);
        if (noun.isEmpty())
            continue;
        nouns << noun;
        const QString lower = noun.toLower();
        if (const int s = initialSound(noun); s >= 0) {
            const int length = int(t.sounds[s].letters.size());
            found[s] << Match{entry, noun, 0, length,
                              t.sounds[s].id == QLatin1String("V") && vSpokenAsF(noun)};
        }
        for (int s = t.initial; s < count; ++s)
            if (const int at = insideAt(lower, t.sounds[s].letters); at > 0)
                found[s] << Match{entry, noun, at, int(t.sounds[s].letters.size()), false};
    }
    // One collation of all nouns; the cells then compare ranks.
    QStringList sorted = nouns;
    collation::sort(sorted);
    QHash<QString, int> rank;
    rank.reserve(sorted.size());
    for (int i = 0; i < sorted.size(); ++i)
        rank.insert(sorted[i], i); // equal nouns share the last rank
    Table table;
    for (int s = 0; s < count; ++s) {
        const bool inside = t.sounds[s].inside;
        if (inside && found[s].isEmpty())
            continue;
        // Initial sounds: a clearly heard one first; inside: the shortest word.
        using Key = std::tuple<int, int, QString>;
        std::vector<std::pair<Key, Match>> keyed;
        keyed.reserve(size_t(found[s].size()));
        for (const Match &m : std::as_const(found[s])) {
            const int first =
                inside ? int(m.noun.size()) : (clearlyHeard(m.noun.toLower(), m.length) ? 0 : 1);
            keyed.push_back({Key{first, rank.value(m.noun), m.entry}, m});
        }
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        QList<Match> list;
        list.reserve(qsizetype(keyed.size()));
        for (const auto &k : keyed)
            list << k.second;
        Cell cell;
        cell.sound = s;
        cell.candidates = list;
        if (!list.isEmpty()) {
            cell.chosen = 0;
            const QString wanted = choices.value(t.sounds[s].id);
            for (int i = 0; !wanted.isEmpty() && i < list.size(); ++i)
                if (list[i].entry == wanted)
                    cell.chosen = i;
        }
        table.cells << cell;
    }
    return table;
}

} // namespace initialsounds
