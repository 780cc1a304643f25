#include "core/extras.h"

#include <QSettings>

namespace {
const char *const kSpeak = "Extras/WoerterVorlesen";
const char *const kSyllables = "Extras/Silbenfarben";
const char *const kMistakes = "Extras/FehlerwoerterUeben";
const char *const kRecords = "Extras/AntwortenAufzeichnen";

QSettings &userFile() {
    static QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kalimbo"),
                       QStringLiteral("Kalimbo"));
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

Extras Extras::load() {
    return load(userFile());
}

bool Extras::save() const {
    return save(userFile());
}
