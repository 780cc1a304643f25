#include "core/classlist.h"

#include "files/safefile.h"

#include <QSet>

namespace classlist {

const QString kFileName = QStringLiteral("Klasse.txt");

QStringList clean(const QStringList &lines) {
    QStringList out;
    QSet<QString> seen;
    for (const QString &line : lines) {
        QString name;
        for (const QChar c : line.normalized(QString::NormalizationForm_C))
            if (c.isSpace())
                name += QLatin1Char(' ');
            else if (!c.isNonCharacter() && c.category() != QChar::Other_Control &&
                     c.category() != QChar::Other_Format)
                name += c;
        name = name.simplified().left(kMaxName);
        const QString key = name.toCaseFolded();
        if (name.isEmpty() || seen.contains(key))
            continue;
        seen.insert(key);
        out << name;
    }
    return out;
}

QStringList parse(const QByteArray &bytes) {
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return clean(text.split(QLatin1Char('\n')));
}

QByteArray serialise(const QStringList &names) {
    QByteArray out;
    for (const QString &n : clean(names))
        out += n.toUtf8() + '\n';
    return out;
}

QStringList read(const QString &folder) {
    const files::Contents c = files::readSmall(folder + QLatin1Char('/') + kFileName, kCap);
    return c.ok() ? parse(c.bytes) : QStringList();
}

bool write(const QString &folder, const QStringList &names) {
    return files::replaceWhole(folder, kFileName, serialise(names)).status == files::Status::Ok;
}

} // namespace classlist
