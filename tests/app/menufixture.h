#pragma once
// A started main menu in a temporary working directory, with recording
// dialogs, scripted random numbers and a manual clock.

#include "app/Form1.h"
#include "app/kalimboprogram.h"
#include "core/nouns.h"
#include "drawing/fonts.h"
#include "support/manualclock.h"
#include "support/picturedir.h"
#include "support/recordingdialogs.h"
#include "support/scriptedrandom.h"
#include "support/windowfixture.h"

#include <memory>

struct MenuFixture {
    PictureDir dir;
    RecordingDialogs dialogs;
    ScriptedRandom random;
    ManualClock clock;
    std::unique_ptr<KalimboProgram> program;
    bool ended = false;

    MenuFixture() { fonts::installSubstitutions(); }

    /// Files with these names (content is irrelevant to the main menu).
    void addFiles(const QStringList &names) {
        for (const QString &n : names)
            dir.addFile(n);
    }
    /// n files derNomen0.jpg ... (names only).
    void addNumbered(int n, const QString &stem = QStringLiteral("derNomen")) {
        for (int i = 0; i < n; ++i)
            dir.addFile(QStringLiteral("%1%2.jpg").arg(stem).arg(i));
    }
    bool start() {
        program = std::make_unique<KalimboProgram>(dialogs, random, clock);
        program->onEnd = [this] { ended = true; };
        return program->start();
    }
    Form1 *menu() const { return program->menu(); }
};
