#include "syllables/syllabifier.h"

#include "files/safefile.h"

#include <QFile>
#include <QStringDecoder>

#include <hyphen.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>

namespace {

// --- the pattern dictionary, shared by every syllabifier of the process ---

using Dict = std::shared_ptr<HyphenDict>;

Dict loadDict(const QString &path) {
    // Never destroyed: a loading thread may still run when the program ends.
    static auto *mutex = new std::mutex;
    static auto *loaded = new std::map<QString, Dict>; // a missing file is kept as null
    const std::lock_guard<std::mutex> lock(*mutex);
    auto it = loaded->find(path);
    if (it != loaded->end())
        return it->second;
    Dict dict;
    if (HyphenDict *d = hnj_hyphen_load(QFile::encodeName(path).constData()))
        dict = Dict(d, hnj_hyphen_free);
    loaded->emplace(path, dict);
    return dict;
}

// --- a word prepared for the patterns -------------------------------------

// The word in NFC and lower case, and for each of its characters the index
// in the original word where it came from, so breaks can be mapped back.
struct Prepared {
    QString text;
    QList<int> origin;
    int originalLength = 0;
};

Prepared prepare(const QString &word) {
    Prepared p;
    p.originalLength = int(word.size());
    p.text.reserve(word.size());
    p.origin.reserve(word.size());
    const int n = int(word.size());
    int i = 0;
    while (i < n) {
        int j = i + 1;
        if (word[i].isHighSurrogate() && j < n && word[j].isLowSurrogate())
            ++j;
        while (j < n && word[j].isMark())
            ++j;
        // Latin-1 characters without marks are already composed.
        if (j == i + 1 && word[i].unicode() < 0x300) {
            p.text += word[i].toLower();
            p.origin << i;
        } else {
            const QString composed = word.mid(i, j - i).normalized(QString::NormalizationForm_C);
            for (const QChar c : composed) {
                p.text += c.toLower();
                p.origin << i;
            }
        }
        i = j;
    }
    return p;
}

QList<int> mapBack(const Prepared &p, const QList<int> &breaks) {
    QList<int> out;
    for (int b : breaks) {
        const int o = p.origin.value(b, p.originalLength);
        if (o > 0 && o < p.originalLength && (out.isEmpty() || o > out.last()))
            out << o;
    }
    return out;
}

// --- letters and sounds ----------------------------------------------------

bool isWordLetter(QChar c) {
    return c.isLetter() || c.isMark();
}

bool isVowel(QChar c) {
    static const QString vowels = QStringLiteral("aeiouyäöüéèêáàâíìîóòôúùû");
    return vowels.contains(c);
}

// Letter groups read as one sound. The order matters: sch before ch.
const char16_t *const kConsonantGroups[] = {u"sch", u"ch", u"ck", u"ph", u"qu"};
// Diphthongs, long vowels and the umlauts written out (Kaese). Where the
// patterns break between the two letters they are two sounds (Mu-se-um,
// See-i-gel, Fe-ri-en), which the patterns know better than any list.
const char16_t *const kVowelGroups[] = {u"ei", u"ai", u"au", u"eu", u"äu", u"ie",
                                        u"ey", u"ay", u"aa", u"ee", u"oo", u"ou",
                                        u"oi", u"oy", u"ae", u"oe", u"ue"};
// At the end of a word the patterns never break, and ae, oe, ue there are
// two sounds (Sta-tu-e, O-bo-e).
const char16_t *const kTwoSoundsAtEnd[] = {u"ae", u"oe", u"ue"};
// Nouns whose final ie is two sounds, i and e (Li-ni-e, Fa-mi-li-e): the
// unstressed Latin endings. A stressed final ie is the long i (Bat-te-rie,
// Me-lo-die, Har-mo-nie), which no letter rule tells apart; these endings
// cover the nouns of a first-grade list, and Silben.txt the rest.
const char16_t *const kTwoSoundIeEndings[] = {
    u"lie",  u"zie",     u"inie",    u"anie", u"enie", u"unie", u"nnie",  u"begonie", u"serie",
    u"arie", u"materie", u"kalorie", u"udie", u"ödie", u"stie", u"ensie", u"prämie"};

bool endsWithAny(QStringView text, const char16_t *const *endings, int count) {
    for (int k = 0; k < count; ++k)
        if (text.endsWith(QStringView(endings[k])))
            return true;
    return false;
}

struct Unit {
    int start;
    int length;
    bool vowel; // one vowel sound, of one letter or a group
};

// The sounds of one letter run [from, to), read from left to right. A
// pattern break between two letters keeps them apart.
QList<Unit> units(const QString &t, int from, int to, const QList<int> &patternBreaks) {
    QList<Unit> out;
    const QStringView run = QStringView(t).mid(from, to - from);
    int i = from;
    while (i < to) {
        Unit u{i, 1, isVowel(t[i])};
        const QStringView rest = QStringView(t).mid(i, to - i);
        for (const char16_t *g : kConsonantGroups) {
            const QStringView group(g);
            if (!rest.startsWith(group))
                continue;
            // The diminutive "-chen" after s (Häus-chen) is s + ch, not sch,
            // when the patterns say so.
            if (group.size() == 3 && patternBreaks.contains(i + 1) &&
                rest.mid(1).startsWith(u"chen"))
                continue;
            u = {i, int(group.size()), false};
            break;
        }
        if (u.length == 1 && !patternBreaks.contains(i + 1)) {
            for (const char16_t *g : kVowelGroups) {
                if (!rest.startsWith(QStringView(g)))
                    continue;
                const bool atEnd = rest.size() == 2;
                if (atEnd &&
                    (endsWithAny(rest, kTwoSoundsAtEnd, std::size(kTwoSoundsAtEnd)) ||
                     (rest == u"ie" && i > from &&
                      endsWithAny(run, kTwoSoundIeEndings, std::size(kTwoSoundIeEndings)))))
                    break;
                u = {i, 2, true};
                break;
            }
        }
        // A y before a vowel at the start is a consonant (Yak, Yo-ga).
        if (i == from && t[i] == QLatin1Char('y') && u.length == 1 && i + 1 < to &&
            isVowel(t[i + 1]))
            u.vowel = false;
        // A combining mark stays with its letter.
        while (u.start + u.length < to && t[u.start + u.length].isMark())
            ++u.length;
        out << u;
        i += u.length;
    }
    return out;
}

int letterCount(const QString &t, int from, int to) {
    int n = 0;
    for (int i = from; i < to; ++i)
        n += t[i].isMark() ? 0 : 1;
    return n;
}

// A consonant and l or r that open a syllable together (A-pril, A-fri-ka).
bool opensTogether(const QString &t, const Unit &a, const Unit &b) {
    static const QString first = QStringLiteral("bpdtgkf");
    const QChar second = t[b.start];
    if (b.length != 1 || (second != QLatin1Char('l') && second != QLatin1Char('r')))
        return false;
    if (a.length == 3) // sch
        return true;
    return a.length == 1 && first.contains(t[a.start]) &&
           !(second == QLatin1Char('l') &&
             (t[a.start] == QLatin1Char('d') || t[a.start] == QLatin1Char('t')));
}

// Every syllable holds one vowel sound. The patterns split two sounds inside
// a word themselves (The-a-ter, Mu-se-um); they never leave a single letter
// at the start or end of a word or next to a compound's joint, so a syllable
// with two sounds is split here where one side is a lone vowel (I-gel,
// Back-o-fen, Li-ni-e, Ka-ka-o). Elsewhere the patterns know better (Jeans,
// Skate-board). Between the two sounds, the last consonant goes to the
// second syllable, or the last two where they open a syllable together.
void splitSounds(const QString &t, const QList<Unit> &us, int from, int to, QList<int> &breaks) {
    QList<int> added;
    int start = from;
    int lastVowel = -1; // unit index of the last vowel sound in the current syllable
    for (int k = 0; k < us.size(); ++k) {
        const Unit &u = us[k];
        if (u.start > start && breaks.contains(u.start)) {
            start = u.start;
            lastVowel = -1;
        }
        if (!u.vowel)
            continue;
        if (lastVowel >= 0) {
            int end = to; // of the current syllable
            for (int b : breaks)
                if (b > u.start)
                    end = qMin(end, b);
            int cut = k - 1 > lastVowel ? us[k - 1].start : u.start;
            if (k - 2 > lastVowel && opensTogether(t, us[k - 2], us[k - 1]))
                cut = us[k - 2].start;
            if (letterCount(t, start, cut) == 1 || letterCount(t, cut, end) == 1) {
                added << cut;
                start = cut;
            }
        }
        lastVowel = k;
    }
    breaks << added;
    std::sort(breaks.begin(), breaks.end());
}

// The reading rules, applied to one letter run [from, to) of the prepared
// text and the breaks the patterns gave for it.
QList<int> readingBreaks(const QString &t, int from, int to, const QList<int> &patternBreaks) {
    const QList<Unit> us = units(t, from, to, patternBreaks);
    QList<int> out;
    for (int b : patternBreaks) {
        for (const Unit &u : us) {
            if (b <= u.start || b >= u.start + u.length)
                continue;
            // Inside a group: consonants go to the next syllable together
            // (Zuc-ker becomes Zu-cker); a vowel group, one only where the
            // patterns do not part it, is not cut.
            b = u.vowel || u.start == from ? -1 : u.start;
            break;
        }
        if (b > from && !out.contains(b))
            out << b;
    }
    std::sort(out.begin(), out.end());
    splitSounds(t, us, from, to, out);
    return out;
}

// Every syllable needs a vowel, and the last one more than one letter
// (Hund, not Hun-d) unless it is a vowel sound of its own after a vowel
// (Ra-di-o).
void mergeWeakSyllables(const QString &t, QList<int> &breaks) {
    auto hasVowel = [&](int a, int b) {
        for (int i = a; i < b; ++i)
            if (isVowel(t[i]))
                return true;
        return false;
    };
    int k = 0;
    while (k <= breaks.size() && !breaks.isEmpty()) {
        const int a = k == 0 ? 0 : breaks[k - 1];
        const int b = k == breaks.size() ? int(t.size()) : breaks[k];
        if (hasVowel(a, b)) {
            ++k;
        } else if (k == 0) {
            breaks.removeAt(0); // joins the next syllable
        } else {
            breaks.removeAt(k - 1); // joins the previous one
            --k;
        }
    }
    if (!breaks.isEmpty()) {
        int tail = 0;
        for (int i = breaks.last(); i < t.size(); ++i)
            tail += isWordLetter(t[i]) ? 1 : 0;
        const int b = breaks.last();
        const bool ownSound = tail == 1 && b > 0 && isVowel(t[b]) && isVowel(t[b - 1]);
        if (tail <= 1 && !ownSound)
            breaks.removeLast();
    }
}

// --- the teacher's list --------------------------------------------------

QString decodeWindows1252(const QByteArray &bytes) {
    // 0x80 to 0x9F; the rest is Latin-1. Unassigned bytes keep their code.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString s;
    s.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        s += QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
    }
    return s;
}

QString decodeList(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = utf8.decode(bytes);
    if (!utf8.hasError())
        return s;
    return decodeWindows1252(bytes);
}

// Hyphen, en dash and middle dot all mark a break in the teacher's list.
bool isBreakMark(QChar c) {
    return c == QLatin1Char('-') || c == QChar(0x2013) || c == QChar(0x00B7);
}

} // namespace

// --- Syllabifier -----------------------------------------------------------

struct Syllabifier::Patterns {
    QString path;
    std::once_flag once;
    Dict dict;
    std::atomic<bool> loaded{false};

    HyphenDict *get() {
        std::call_once(once, [this] {
            dict = loadDict(path);
            loaded = true;
        });
        return dict.get();
    }
};

QString Syllabifier::defaultPatternFile() {
    return QStringLiteral("/usr/share/hyphen/hyph_de_DE.dic");
}

QString Syllabifier::overrideFileName() {
    return QStringLiteral("Silben.txt");
}

Syllabifier::Syllabifier(const QString &patternFile) : m_patterns(std::make_shared<Patterns>()) {
    m_patterns->path = patternFile;
}

bool Syllabifier::hasPatterns() const {
    return m_patterns->get() != nullptr;
}

void Syllabifier::preload(std::function<void()> loaded) const {
    std::thread([patterns = m_patterns, loaded = std::move(loaded)] {
        patterns->get();
        if (loaded)
            loaded();
    }).detach();
}

bool Syllabifier::ready() const {
    return m_patterns->loaded;
}

QList<int> Syllabifier::breaks(const QString &noun) const {
    return breaksOf(noun, true);
}

QList<int> Syllabifier::patternBreaks(const QString &noun) const {
    return breaksOf(noun, false);
}

QList<int> Syllabifier::breaksOf(const QString &noun, bool teachersList) const {
    if (noun.isEmpty())
        return {};
    const Prepared p = prepare(noun);
    const auto over = teachersList ? m_overrides.constFind(p.text) : m_overrides.constEnd();
    if (over != m_overrides.constEnd())
        return mapBack(p, *over);
    HyphenDict *dict = m_patterns->get();
    if (!dict)
        return {};

    const QString &t = p.text;
    const int n = int(t.size());
    QList<int> all;
    QByteArray latin;
    QByteArray hyphens;
    int i = 0;
    while (i < n) {
        if (!isWordLetter(t[i])) {
            ++i;
            continue;
        }
        int end = i;
        while (end < n && isWordLetter(t[end]))
            ++end;
        // A new letter run after a hyphen or blank starts a syllable.
        if (i > 0)
            all << i;
        const int len = end - i;
        QList<int> found;
        // libhyphen's own limit on word length.
        if (len >= 2 && len < MAX_CHARS) {
            latin.resize(len);
            for (int k = 0; k < len; ++k) {
                const char16_t u = t[i + k].unicode();
                // Letters outside the patterns' code page match no pattern.
                latin[k] = u < 0x100 ? char(u) : '\x01';
            }
            hyphens.fill('\0', len + 5);
            char **rep = nullptr;
            int *pos = nullptr;
            int *cut = nullptr;
            if (hnj_hyphen_hyphenate2(dict, latin.constData(), len, hyphens.data(), nullptr, &rep,
                                      &pos, &cut) == 0) {
                for (int k = 0; k + 1 < len; ++k)
                    if ((hyphens[k] & 1) && !t[i + k + 1].isMark())
                        found << i + k + 1;
            }
            if (rep) {
                for (int k = 0; k < len; ++k)
                    free(rep[k]);
                free(rep);
            }
            free(pos);
            free(cut);
        }
        all << readingBreaks(t, i, end, found);
        i = end;
    }
    mergeWeakSyllables(t, all);
    return mapBack(p, all);
}

QStringList Syllabifier::split(const QString &noun) const {
    QStringList parts;
    int from = 0;
    for (int b : breaks(noun)) {
        parts << noun.mid(from, b - from);
        from = b;
    }
    if (from < noun.size() || parts.isEmpty())
        parts << noun.mid(from);
    return parts;
}

QString Syllabifier::hyphenated(const QString &noun, QChar mark) const {
    return split(noun).join(mark);
}

Syllabifier::OverrideResult Syllabifier::loadOverrides(const QString &path) {
    // A teacher's list is a few hundred lines: a FIFO, a device or a file of
    // many megabytes in its place is no list.
    const files::Contents c = files::readSmall(path, files::kSettingsCap);
    if (!c.ok()) {
        m_overrides.clear();
        return {};
    }
    OverrideResult r = parseOverrides(c.bytes);
    r.opened = true;
    return r;
}

Syllabifier::OverrideResult Syllabifier::parseOverrides(const QByteArray &bytes) {
    OverrideResult r;
    r.opened = true;
    m_overrides.clear();
    QString text = decodeList(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList sides = line.split(QLatin1Char('='));
        bool ok = sides.size() == 2;
        Prepared word;
        QList<int> breaks;
        if (ok) {
            word = prepare(sides[0].trimmed());
            const Prepared marked = prepare(sides[1].trimmed());
            QString letters;
            bool lastWasMark = true; // no break at the very start
            for (const QChar c : marked.text) {
                if (isBreakMark(c)) {
                    ok = ok && !lastWasMark;
                    breaks << int(letters.size());
                    lastWasMark = true;
                } else {
                    letters += c;
                    lastWasMark = false;
                }
            }
            ok = ok && !lastWasMark && !word.text.isEmpty() && letters == word.text;
        }
        if (!ok) {
            r.skippedLines << n + 1;
            continue;
        }
        m_overrides.insert(word.text, breaks);
        ++r.accepted;
    }
    return r;
}
