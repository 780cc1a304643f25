#include "core/extras.h"

#include "files/safefile.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <sys/stat.h>

namespace {
const char *const kSpeak = "Extras/WoerterVorlesen";
const char *const kSyllables = "Extras/Silbenfarben";
const char *const kMistakes = "Extras/FehlerwoerterUeben";
const char *const kRecords = "Extras/AntwortenAufzeichnen";

QSettings &userFile() {
    static QSettings s(Extras::usableFile(Extras::userFilePath()), QSettings::IniFormat);
    return s;
}
} // namespace

Extras Extras::load(QSettings &settings) {
    Extras e;
    e.speakWords = settings.value(kSpeak, false).toBool();
    e.syllableColours = settings.value(kSyllables, false).toBool();
    e.practiseMistakes = settings.value(kMistakes, false).toBool();
    e.keepRecords = settings.value(kRecords, false).toBool();
    return e;
}

bool Extras::save(QSettings &settings) const {
    settings.setValue(kSpeak, speakWords);
    settings.setValue(kSyllables, syllableColours);
    settings.setValue(kMistakes, practiseMistakes);
    settings.setValue(kRecords, keepRecords);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString Extras::userFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Kalimbo/Kalimbo.ini");
}

QString Extras::usableFile(const QString &path) {
    // Qt's own reading would wait for ever on a FIFO and read a huge file
    // whole, and its writing would follow a link. Anything but a small
    // regular file (or none) is left alone: the switches stay off and
    // saving them fails, which the teacher is told.
    struct stat st;
    const bool link = ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
    const files::Status status = files::probe(path, files::kSettingsCap).status;
    if (!link && (status == files::Status::Ok || status == files::Status::Missing))
        return path;
    return QStringLiteral("/dev/null/Kalimbo.ini");
}

Extras Extras::load() {
    return load(userFile());
}

bool Extras::save() const {
    return save(userFile());
}
