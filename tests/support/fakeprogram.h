#pragma once
// A program for window tests: the main menu's state as plain members, the
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

    QStringList nouns; // the noun list
    QStringList files; // every picture file
    QString name = QStringLiteral("Gast");
    QString label = QStringLiteral("Freund");
    std::map<Option, bool> options = {{Option::Bestaetigungen, true},
                                      {Option::Namenseingabe, true}};
    int vowel = 12;
    int consonant = 10;
    QColor back = Qt::black;
    int menuShows = 0;
    /// The kept answers; nullptr keeps records off.
    records::RecordStore *recordStore = nullptr;
    bool menuVisible = true;

    /// Both lists at once (the unfiltered start).
    void setNouns(const QStringList &entries) { nouns = files = entries; }
    /// Lines of a log list (empty if the log window does not exist).
    QStringList log(LogList l) const;

    Dialogs &dialogs() override { return dialogsRec; }
    Random &random() override { return randomRec; }
    Clock &clock() override { return clockRec; }
    Speech &speech() override { return speechRec; }
    QStringList nounList() const override { return nouns; }
    QStringList pictureFiles() const override { return files; }
    QString nameField() const override { return name; }
    QString nameLabel() const override { return label; }
    bool option(Option o) const override;
    void setPicturesOption(bool on) override { options[Option::BilderBeiNomen] = on; }
    int vowelColour() const override { return vowel; }
    int consonantColour() const override { return consonant; }
    QColor background() const override { return back; }
    void appendLog(LogList list, const QString &line) override;
    records::RecordStore *records() override { return recordStore; }
    void showMenu() override;
    void hideMenu() override { menuVisible = false; }
};

/// The window of that id as its class (created hidden if needed).
template <class T> T *screenAs(Program &p, ScreenId id) {
    return dynamic_cast<T *>(p.screen(id));
}
