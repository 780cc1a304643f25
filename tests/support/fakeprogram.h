#pragma once
// A program for window tests: the main menu's state set by the test, the
// recording dialogs, scripted random numbers and a manual clock. Windows are
// created through the program's real factory, so showScreen works as in the
// program.

#include "program/program.h"
#include "support/manualclock.h"
#include "support/recordingdialogs.h"
#include "support/recordingspeech.h"
#include "support/scriptedrandom.h"

#include <map>

class FakeProgram final : public Program {
public:
    FakeProgram();
    ~FakeProgram() override;

    RecordingDialogs dialogsRec;
    ScriptedRandom randomRec;
    ManualClock clockRec;
    RecordingSpeech speechRec;

    int menuShows = 0;
    /// The kept answers; nullptr keeps records off.
    records::RecordStore *recordStore = nullptr;
    bool menuVisible = true;

    /// Both lists at once (the unfiltered start).
    void setNouns(const QStringList &entries) { state().setNouns(entries, entries); }
    void setOption(Option o, bool on) { state().setOption(o, on); }
    /// The child greeted and confirmed under one name.
    void setChild(const QString &name) {
        state().setNameField(name);
        state().setNameLabel(name);
    }
    /// Changes some of the Extras switches.
    template <class F> void changeExtras(F change) {
        Extras e = extras();
        change(e);
        state().setExtras(e);
    }
    /// Lines of a log list (empty if the log window does not exist).
    QStringList log(LogList l) const;

    Dialogs &dialogs() override { return dialogsRec; }
    Random &random() override { return randomRec; }
    Clock &clock() override { return clockRec; }
    Speech &speech() override { return speechRec; }
    void appendLog(LogList list, const QString &line) override;
    records::RecordStore *records() override { return recordStore; }
    void showMenu() override;
    void hideMenu() override { menuVisible = false; }
};

/// The window of that id as its class (created hidden if needed).
template <class T> T *screenAs(Program &p, ScreenId id) {
    return dynamic_cast<T *>(p.screen(id));
}
