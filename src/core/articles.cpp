#include "core/articles.h"

#include "files/safefile.h"

#include <QList>

QString ArticleDictionary::defaultFile() {
    return QStringLiteral("/usr/share/trans/de-en");
}

namespace {

/// The genders of the first brace group: "{m}", "{f}", "{n}", "{m,n}";
/// 0 for anything else ("{pl}", "{adj}").
quint8 gendersIn(QByteArrayView braces) {
    quint8 g = 0;
    for (QByteArrayView part : braces.toByteArray().split(',')) {
        part = part.trimmed();
        if (part == "m")
            g |= ArticleDictionary::Masculine;
        else if (part == "f")
            g |= ArticleDictionary::Feminine;
        else if (part == "n")
            g |= ArticleDictionary::Neuter;
        else
            return 0;
    }
    return g;
}

} // namespace

void ArticleDictionary::parse(const QByteArray &bytes) {
    m_genders.clear();
    m_genders.reserve(400000);
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', at);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView line(bytes.constData() + at, end - at);
        at = end + 1;
        if (line.isEmpty() || line.front() == '#')
            continue;
        qsizetype sides = line.indexOf(QByteArrayView(" :: "));
        const QByteArrayView german = sides < 0 ? line : line.first(sides);
        qsizetype from = 0;
        while (from < german.size()) {
            qsizetype stop = from;
            while (stop < german.size() && german[stop] != '|' && german[stop] != ';')
                ++stop;
            const QByteArrayView piece = german.sliced(from, stop - from).trimmed();
            from = stop + 1;
            const qsizetype open = piece.indexOf('{');
            const qsizetype close = open < 0 ? -1 : piece.indexOf('}', open);
            if (close < 0)
                continue;
            const QByteArrayView word = piece.first(open).trimmed();
            // One word only: "Leutnant zur See {m}" is no noun of its own.
            if (word.isEmpty() || word.contains(' '))
                continue;
            const quint8 g = gendersIn(piece.sliced(open + 1, close - open - 1));
            if (g == 0)
                continue;
            const QString noun = QString::fromUtf8(word);
            if (!noun.front().isUpper())
                continue;
            m_genders[noun] |= g;
        }
    }
}

bool ArticleDictionary::load(const QString &path) {
    const files::Contents c = files::readSmall(path, files::kDictionaryCap);
    if (!c.ok())
        return false;
    parse(c.bytes);
    return true;
}

ArticleDictionary::Suggestion ArticleDictionary::suggest(const QString &noun) const {
    Suggestion s;
    const QString word = noun.trimmed().normalized(QString::NormalizationForm_C);
    // The whole word first, then ever shorter last parts of three letters or more.
    for (qsizetype i = 0; i + 3 <= word.size(); ++i) {
        const QString candidate = i == 0 ? word : word.mid(i, 1).toUpper() + word.mid(i + 1);
        const auto it = m_genders.constFind(candidate);
        if (it == m_genders.constEnd())
            continue;
        s.from = candidate;
        switch (it.value()) {
        case Masculine:
            s.article = QStringLiteral("der");
            break;
        case Feminine:
            s.article = QStringLiteral("die");
            break;
        case Neuter:
            s.article = QStringLiteral("das");
            break;
        default:
            s.ambiguous = true;
        }
        return s;
    }
    return s;
}
