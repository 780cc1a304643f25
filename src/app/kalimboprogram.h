#pragma once
// The program: owns the main menu and, through the window factory, every
// other window; the main menu keeps its state in the program's model.

#include "program/program.h"

#include <functional>
#include <memory>

class Form1;
class SpeechPlayer;

class KalimboProgram final : public Program {
public:
    KalimboProgram(Dialogs &dialogs, Random &random, Clock &clock);
    ~KalimboProgram() override;

    /// Loads the main menu and shows it; false if the program must end at once.
    bool start();
    /// Ends the program: every window closes.
    void end();
    bool hasEnded() const { return m_ended; }
    /// What end() does after closing the windows (the application's quit).
    std::function<void()> onEnd;

    Form1 *menu() const { return m_menu.get(); }

    Dialogs &dialogs() override { return m_dialogs; }
    Random &random() override { return m_random; }
    Clock &clock() override { return m_clock; }
    /// The real voice, made on the first word so start-up does not wait for it.
    Speech &speech() override;
    void picturesChanged() override;
    void appendLog(LogList list, const QString &line) override;
    /// A store in "Protokolle" beside the pictures when the extra "Verlauf" is on.
    records::RecordStore *records() override;
    /// Where the children's answers are kept (whether or not they are).
    QString recordsFolder() const;
    /// Whether the system has a sound output now (tests replace it).
    std::function<bool()> hasSoundDevice;
    void showMenu() override;
    void hideMenu() override;

private:
    Dialogs &m_dialogs;
    Random &m_random;
    Clock &m_clock;
    std::unique_ptr<Form1> m_menu;
    std::unique_ptr<SpeechPlayer> m_speech;
    bool m_ended = false;
    std::unique_ptr<records::RecordStore> m_records;
};
