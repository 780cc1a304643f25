#include "app/kalimboprogram.h"

#include "app/Form1.h"
#include "app/screens.h"
#include "log/Form11.h"
#include "records/recordstore.h"
#include "speech/speechplayer.h"
#include "ui/dialogs.h"

#include <QCoreApplication>
#include <QDir>

KalimboProgram::KalimboProgram(Dialogs &dialogs, Random &random, Clock &clock)
    : Program(createScreen), m_dialogs(dialogs), m_random(random), m_clock(clock) {
    onEnd = [] { QCoreApplication::quit(); };
    // Never waits: the look-up runs off the window thread, and a device not
    // known yet counts as working until the look-up says otherwise.
    hasSoundDevice = [] { return SpeechPlayer::device() != SpeechPlayer::Device::Missing; };
    state().setExtras(Extras::load());
}

KalimboProgram::~KalimboProgram() {
    destroyAll();
    m_menu.reset();
}

Speech &KalimboProgram::speech() {
    if (!m_speech)
        m_speech = std::make_unique<SpeechPlayer>();
    return *m_speech;
}

bool KalimboProgram::start() {
    // The menu launcher's word on the folder it starts in (one it could not
    // write or make), said once before the menu shows.
    const QString note = qEnvironmentVariable("KALIMBO_START_NOTE");
    qunsetenv("KALIMBO_START_NOTE");
    if (!note.isEmpty())
        m_dialogs.message(note, QStringLiteral("Kalimbo"), Dialogs::Warning);
    m_menu = std::make_unique<Form1>(*this);
    if (m_menu->aborted()) {
        m_ended = true;
        return false;
    }
    m_menu->showAndActivate();
    prepareSyllables();
    return true;
}

void KalimboProgram::end() {
    if (m_ended)
        return;
    m_ended = true;
    destroyAll(); // sets `ending`, so no window treats this as a title-bar close
    if (m_menu)
        m_menu->hide();
    if (onEnd)
        onEnd();
}

void KalimboProgram::picturesChanged() {
    if (m_menu)
        m_menu->picturesChanged();
}

records::RecordStore *KalimboProgram::records() {
    // Kept only while the teacher has records switched on; the store stays
    // once made, so a write failure is reported once per run.
    if (!extras().keepRecords)
        return nullptr;
    if (!m_records)
        m_records = std::make_unique<records::RecordStore>(recordsFolder(), &clock());
    return m_records.get();
}

QString KalimboProgram::recordsFolder() const {
    return QDir::current().absoluteFilePath(QStringLiteral("Protokolle"));
}

void KalimboProgram::appendLog(LogList list, const QString &line) {
    Form11::appendTo(*this, list, line);
}

void KalimboProgram::showMenu() {
    if (m_menu && !m_ended)
        m_menu->showAndActivate();
}

void KalimboProgram::hideMenu() {
    if (m_menu)
        m_menu->hide();
}
