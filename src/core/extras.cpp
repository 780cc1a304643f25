#include "core/extras.h"

#include <QSettings>

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

QSettings &userFile() {
    static QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kalimbo"),
                       QStringLiteral("Kalimbo"));
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
    settings.sync();
    return settings.status() == QSettings::NoError;
}

Extras Extras::load() {
    return load(userFile());
}

bool Extras::save() const {
    return save(userFile());
}
