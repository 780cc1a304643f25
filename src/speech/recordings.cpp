#include "speech/recordings.h"

namespace recordings {

const QStringList &extensions() {
    static const QStringList ext = {QStringLiteral("wav"), QStringLiteral("ogg"),
                                    QStringLiteral("opus"), QStringLiteral("mp3"),
                                    QStringLiteral("flac")};
    return ext;
}

// One spelling for comparison: composed umlauts, case folded.
static QString key(const QString &s) {
    return s.normalized(QString::NormalizationForm_C).toCaseFolded();
}

static QString suffixOf(const QString &name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

bool isSoundFileName(const QString &name) {
    return extensions().contains(suffixOf(name));
}

QString recordingFor(const QString &entry, const QDir &dir) {
    const qsizetype dot = entry.indexOf(QLatin1Char('.'));
    const QString stem = key(dot < 0 ? entry : entry.left(dot));
    if (stem.isEmpty())
        return QString();
    int best = int(extensions().size());
    QString found;
    const QStringList names = dir.entryList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &name : names) {
        const int rank = int(extensions().indexOf(suffixOf(name)));
        if (rank < 0 || rank >= best)
            continue;
        const qsizetype d = name.indexOf(QLatin1Char('.'));
        if (key(name.left(d)) != stem)
            continue;
        best = rank;
        found = dir.absoluteFilePath(name);
    }
    return found;
}

} // namespace recordings
