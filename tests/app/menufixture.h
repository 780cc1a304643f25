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

#include <QAbstractButton>
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
    void addNumbered(int n) {
        for (int i = 0; i < n; ++i)
            dir.addFile(QStringLiteral("derNomen%1.jpg").arg(i));
    }
    bool start() {
        program = std::make_unique<KalimboProgram>(dialogs, random, clock);
        program->onEnd = [this] { ended = true; };
        return program->start();
    }
    /// The menu started on n numbered files, null if the start failed.
    Form1 *startWith(int n) {
        addNumbered(n);
        return start() ? menu() : nullptr;
    }
    Form1 *menu() const { return program->menu(); }
    /// Changes the Extras as the dialog does, e.g. `[](Extras &e) { e.cardBox = true; }`.
    template <class F> void changeExtras(F change) {
        Extras e = program->extras();
        change(e);
        program->state().setExtras(e);
    }
    /// A control of the main menu by its name.
    template <class T = QWidget> T *get(const char *name) const { return control<T>(menu(), name); }
    /// Clicks a button (or any control) of the main menu where the user would.
    void click(const char *name) const {
        QTest::mouseClick(control<QWidget>(menu(), name), Qt::LeftButton);
    }
};
