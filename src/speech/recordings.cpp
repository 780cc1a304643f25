#include "speech/recordings.h"

#include "files/safefile.h"

#include <QFile>
#include <algorithm>
#include <dirent.h>

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

// The names in a folder, read without looking at any of the files (a look
// at a FIFO or a file on a slow share must not happen for every name).
static QStringList namesIn(const QDir &dir) {
    QStringList names;
    DIR *d = ::opendir(QFile::encodeName(dir.absolutePath()).constData());
    if (!d)
        return names;
    while (const dirent *e = ::readdir(d))
        names << QFile::decodeName(e->d_name);
    ::closedir(d);
    return names;
}

QString recordingFor(const QString &entry, const QDir &dir) {
    const qsizetype dot = entry.indexOf(QLatin1Char('.'));
    const QString stem = key(dot < 0 ? entry : entry.left(dot));
    if (stem.isEmpty())
        return QString();
    struct Candidate {
        int rank;
        QString name;
    };
    QList<Candidate> candidates;
    for (const QString &name : namesIn(dir)) {
        const int rank = int(extensions().indexOf(suffixOf(name)));
        if (rank >= 0 && key(name.left(name.indexOf(QLatin1Char('.')))) == stem)
            candidates.append({rank, name});
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        return a.rank != b.rank ? a.rank < b.rank : a.name < b.name;
    });
    // The best one that really is a recording: an empty file or anything
    // that is no regular file leaves the word to the voice.
    for (const Candidate &c : candidates) {
        const QString path = dir.absoluteFilePath(c.name);
        const files::Info info = files::probe(path, kFileCap);
        if (info.status == files::Status::Ok && info.size > 0)
            return path;
    }
    return QString();
}

} // namespace recordings
