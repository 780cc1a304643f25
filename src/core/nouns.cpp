#include "core/nouns.h"

#include "core/collation.h"

#include <QFileInfo>
#include <QSet>

namespace nouns {

const char *const kPattern = "der*.wmf;der*.jpg;der*.gif;der*.bmp;die*.wmf;die*.jpg;die*.gif;"
                             "die*.bmp;das*.wmf;das*.jpg;das*.gif;das*.bmp";
const QString kLetters = QStringLiteral("AÄBCDEFGHIJKLMNOÖPQRSßTUÜVWXYZ");

QString upper(const QString &s) {
    QString r = s;
    for (QChar &c : r)
        c = c.toUpper();
    return r;
}

QString lower(const QString &s) {
    QString r = s;
    for (QChar &c : r)
        c = c.toLower();
    return r;
}

bool isPictureFileName(const QString &name) {
    if (name.size() < 7) // "der" + ".jpg"
        return false;
    const QString head = name.left(3).toLower();
    if (head != QLatin1String("der") && head != QLatin1String("die") &&
        head != QLatin1String("das"))
        return false;
    const QString tail = name.right(4).toLower();
    return tail == QLatin1String(".wmf") || tail == QLatin1String(".jpg") ||
           tail == QLatin1String(".gif") || tail == QLatin1String(".bmp");
}

QStringList listPictureFiles(const QDir &dir) {
    QStringList out;
    QSet<QString> seen;
    const QStringList all = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QString &f : all) {
        // Only regular files and links to them: opening a FIFO, a device or
        // a socket named like a picture could wait for ever. The name is
        // looked up afresh, so a name that Qt could not decode loss-free
        // (not valid UTF-8) finds no file and stays out: it could never be
        // loaded by the name the listing gives.
        if (!isPictureFileName(f) || seen.contains(f) || !QFileInfo(dir, f).isFile())
            continue;
        seen.insert(f);
        out << f;
    }
    collation::sort(out);
    if (out.size() > 32767) // lists hold at most 32767 entries
        out = out.mid(0, 32767);
    return out;
}

static QString capitalised(const QString &s) {
    QString r = lower(s);
    if (!r.isEmpty())
        r[0] = r[0].toUpper();
    return r;
}

// Everything before the first dot.
static QString withoutExtension(const QString &entry) {
    const int dot = entry.indexOf(QLatin1Char('.'));
    return dot < 0 ? entry : entry.left(dot);
}

QString stemOf(const QString &entry) {
    return withoutExtension(entry).mid(3);
}

QString articleOf(const QString &entry) {
    const QString a = entry.left(3).toLower();
    if (a == QLatin1String("der") || a == QLatin1String("die") || a == QLatin1String("das"))
        return a;
    return QString();
}

QString displayFormOrNoun(const QString &entry) {
    const QString a = articleOf(entry);
    return a.isEmpty() ? nounOf(entry) : a + QLatin1Char(' ') + nounOf(entry);
}

QString nounOf(const QString &entry) {
    return capitalised(stemOf(entry.normalized(QString::NormalizationForm_C)));
}

// Steps shared by the display forms: upper case, extension cut, a blank
// after a leading article.
static QString upperWithBlank(const QString &entry) {
    QString s = upper(withoutExtension(entry.normalized(QString::NormalizationForm_C)));
    for (const char *art : {"DER", "DIE", "DAS"})
        if (s.startsWith(QLatin1String(art)))
            s = s.left(3) + QLatin1Char(' ') + s.mid(3);
    return s;
}

QString displayForm(const QString &entry) {
    const QString s = upperWithBlank(entry);
    return lower(s.left(4)) + upper(s.mid(4, 1)) + lower(s.mid(5));
}

QString nounOnlyForm(const QString &entry) {
    QString s = upper(withoutExtension(entry.normalized(QString::NormalizationForm_C)));
    if (s.startsWith(QLatin1String("DER")) || s.startsWith(QLatin1String("DIE")) ||
        s.startsWith(QLatin1String("DAS")))
        s = s.mid(3);
    return capitalised(s);
}

QString copyForm(const QString &entry) {
    const QString s = upperWithBlank(entry);
    return upper(s.mid(4, 1)) + lower(s.mid(5));
}

FilterResult filter(const QStringList &files, const QString &letterSet) {
    // A lookup table over the letters beats a substring search per character.
    QSet<QChar> allowed;
    const QString set = upper(letterSet);
    for (const QChar c : set)
        if (kLetters.contains(c))
            allowed.insert(c);
    FilterResult r;
    for (const QString &f : files) {
        const QString n = nounOf(f);
        bool ok = true;
        for (const QChar c : n)
            if (!allowed.contains(c.toUpper())) {
                ok = false;
                break;
            }
        if (ok) {
            r.nouns << n;
            r.entries << f;
        }
    }
    return r;
}

QString signedNumber(int n) {
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

QString countCaption(int n) {
    return signedNumber(n) + QStringLiteral(" Nomen ");
}

} // namespace nouns
