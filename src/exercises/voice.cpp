#include "exercises/voice.h"

#include "core/nouns.h"
#include "program/program.h"
#include "speech/recordings.h"
#include "speech/speech.h"

#include <utility>

QString Voice::displayForm() const {
    return m_entry.isEmpty() ? QString() : nouns::displayForm(m_entry);
}

QString Voice::noun() const {
    return m_entry.isEmpty() ? QString() : nouns::nounOf(m_entry);
}

void Voice::request(const QString &text, bool recording, bool after) {
    // Every sound waits for the teacher's switch: off, the program is silent.
    if (!m_program.extras().speakWords || text.trimmed().isEmpty())
        return;
    const QString file = recording ? recordings::recordingFor(m_entry) : QString();
    if (after)
        m_program.speech().speakAfter(text, file);
    else
        m_program.speech().speak(text, file);
}

void Voice::say(const QString &text, bool recording) {
    m_answerSpoken = false;
    request(text, recording, false);
}

void Voice::sayAnswer(const QString &text, bool recording) {
    request(text, recording, false);
    m_answerSpoken = true;
}

void Voice::announce(const QString &text, bool recording) {
    request(text, recording, std::exchange(m_answerSpoken, false));
}

void Voice::stop() {
    m_answerSpoken = false;
    m_program.speech().stop();
}
