#include "core/extras.h"

#include "core/classlist.h"
#include "files/safefile.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <sys/stat.h>

namespace {
const char *const kSpeak = "Extras/WoerterVorlesen";
// "Silbenfarben" keeps its key: a teacher who turned it on still sees the
// syllables coloured, now in the syllable colours.
const char *const kSyllables = "Extras/Silbenfarben";
const char *const kArcs = "Extras/Silbenboegen";
const char *const kColour1 = "Extras/Silbenfarbe1";
const char *const kColour2 = "Extras/Silbenfarbe2";
const char *const kMistakes = "Extras/FehlerwoerterUeben";
const char *const kRecords = "Extras/AntwortenAufzeichnen";
const char *const kClassNames = "Klasse/Namen";
const char *const kClassBeside = "Klasse/NebenDenBildern";
const char *const kCardBox = "Extras/Karteikasten";
const char *const kBoard = "Extras/Tafelmodus";
const char *const kKeyboard = "Extras/Bildschirmtastatur";
const char *const kContrast = "Extras/Kontrast";

QSettings &userFile() {
    static QSettings s(Extras::usableFile(Extras::userFilePath()), QSettings::IniFormat);
    return s;
}

int paletteIndex(QSettings &settings, const char *key, int fallback) {
    bool ok = false;
    const int i = settings.value(key, fallback).toInt(&ok);
    return ok && i >= 0 && i < 16 ? i : fallback;
}
} // namespace

Extras Extras::load(QSettings &settings) {
    Extras e;
    e.speakWords = settings.value(kSpeak, false).toBool();
    e.syllableArcs = settings.value(kArcs, false).toBool();
    e.syllableColours = settings.value(kSyllables, false).toBool();
    e.syllableColour1 = paletteIndex(settings, kColour1, e.syllableColour1);
    e.syllableColour2 = paletteIndex(settings, kColour2, e.syllableColour2);
    e.practiseMistakes = settings.value(kMistakes, false).toBool();
    e.keepRecords = settings.value(kRecords, false).toBool();
    e.classNames = classlist::clean(settings.value(kClassNames).toStringList());
    e.classBesidePictures = settings.value(kClassBeside, false).toBool();
    e.cardBox = settings.value(kCardBox, false).toBool();
    e.boardMode = settings.value(kBoard, false).toBool();
    e.screenKeyboard = settings.value(kKeyboard, false).toBool();
    e.highContrast = settings.value(kContrast, false).toBool();
    return e;
}

bool Extras::save(QSettings &settings) const {
    settings.setValue(kSpeak, speakWords);
    settings.setValue(kArcs, syllableArcs);
    settings.setValue(kSyllables, syllableColours);
    settings.setValue(kColour1, syllableColour1);
    settings.setValue(kColour2, syllableColour2);
    settings.setValue(kMistakes, practiseMistakes);
    settings.setValue(kRecords, keepRecords);
    settings.setValue(kClassNames, classNames);
    settings.setValue(kClassBeside, classBesidePictures);
    settings.setValue(kCardBox, cardBox);
    settings.setValue(kBoard, boardMode);
    settings.setValue(kKeyboard, screenKeyboard);
    settings.setValue(kContrast, highContrast);
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
