#include "core/wordnames.h"

#include "core/nouns.h"

#include <QSet>

namespace wordnames {

namespace {

bool isArticle(const QString &s) {
    return s == QLatin1String("der") || s == QLatin1String("die") || s == QLatin1String("das");
}

QString key(const QString &noun) {
    return nouns::lower(normalised(noun));
}

/// The name up to its first dot, as the listing cuts the noun.
QString base(const QString &fileName) {
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

} // namespace

QString normalised(const QString &noun) {
    return noun.trimmed().normalized(QString::NormalizationForm_C);
}

QString problemWith(const QString &noun) {
    if (noun.isEmpty())
        return QStringLiteral("Bitte ein Nomen eingeben.");
    if (noun.size() > kMaxNounLength)
        return QStringLiteral("Das Nomen ist zu lang (höchstens %1 Buchstaben).")
            .arg(kMaxNounLength);
    for (const QChar c : noun)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return QStringLiteral("Das Nomen enthält ein unsichtbares Steuerzeichen.");
    if (noun.contains(QLatin1Char('/')) || noun.contains(QLatin1Char('\\')))
        return QStringLiteral("Das Nomen darf keinen Schrägstrich enthalten.");
    if (noun.contains(QLatin1String("..")))
        return QStringLiteral("Das Nomen darf keine zwei Punkte enthalten.");
    for (const QChar c : noun)
        if (!nouns::kLetters.contains(c.toUpper()))
            return QStringLiteral("„%1“ ist kein Buchstabe, den Kalimbo kennt (erlaubt sind A "
                                  "bis Z, Ä, Ö, Ü und ß).")
                .arg(c);
    if (!noun.front().isUpper())
        return QStringLiteral("Ein Nomen beginnt mit einem großen Buchstaben.");
    return QString();
}

QString fileNameFor(const QString &article, const QString &noun, const QString &suffix) {
    return article + normalised(noun) + QLatin1Char('.') + suffix;
}

const QStringList &pictureSuffixes() {
    static const QStringList list = {"jpg", "jpeg", "jpe",  "png", "gif", "bmp",
                                     "wmf", "svg",  "webp", "tif", "tiff"};
    return list;
}

bool hasPictureSuffix(const QString &fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && pictureSuffixes().contains(fileName.mid(dot + 1).toLower());
}

QString holderOf(const QString &noun, const QStringList &fileNames, const QString &except) {
    const QString wanted = key(noun);
    for (const QString &f : fileNames) {
        if (f == except || !hasPictureSuffix(f) || !isArticle(f.left(3).toLower()))
            continue;
        if (key(base(f).mid(3)) == wanted)
            return f;
    }
    return QString();
}

Guess guessFrom(const QString &fileName) {
    Guess g;
    QString rest = normalised(base(fileName));
    const QString head = rest.left(3).toLower();
    // "derHund", "DERHund": an article only where the noun visibly starts.
    if (isArticle(head) && rest.size() > 3 && rest.at(3).isUpper()) {
        g.article = head;
        rest = rest.mid(3);
    }
    if (rest.isEmpty())
        return g;
    const QString noun = nouns::upper(rest.left(1)) + nouns::lower(rest.mid(1));
    if (problemWith(noun).isEmpty())
        g.noun = noun;
    return g;
}

QStringList notYetNouns(const QStringList &fileNames, const QStringList &listed) {
    QSet<QString> known;
    for (const QString &entry : listed)
        known.insert(key(nouns::nounOf(entry)));
    QStringList out;
    for (const QString &f : fileNames) {
        if (f.startsWith(QLatin1Char('.')) || !hasPictureSuffix(f) || nouns::isPictureFileName(f))
            continue;
        const Guess g = guessFrom(f);
        if (!g.noun.isEmpty() && known.contains(key(g.noun)))
            continue;
        out << f;
    }
    return out;
}

QHash<QString, QString> syllableLines(const QString &text) {
    QHash<QString, QString> out;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        out.insert(key(line.left(eq)), line.mid(eq + 1).trimmed());
    }
    return out;
}

QString withSyllableLine(const QString &text, const QString &oldNoun, const QString &newNoun,
                         const QString &division) {
    const bool crlf = text.contains(QLatin1String("\r\n"));
    const QString eol = crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QStringList lines = text.split(eol);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QString oldKey = key(oldNoun), newKey = key(newNoun);
    QStringList out;
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!line.startsWith(QLatin1Char('#')) && eq > 0) {
            const QString k = key(line.left(eq));
            if (k == oldKey || k == newKey)
                continue;
        }
        out << raw;
    }
    if (!division.trimmed().isEmpty())
        out << normalised(newNoun) + QLatin1Char('=') + normalised(division);
    return out.isEmpty() ? QString() : out.join(eol) + eol;
}

} // namespace wordnames
