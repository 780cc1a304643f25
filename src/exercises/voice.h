#pragma once
// When an exercise screen's words are heard: only while the teacher has
// words read aloud, and a right answer before the next noun is announced.
// Nothing here changes what a click shows or does.

#include <QString>

class Program;

class Voice {
public:
    explicit Voice(Program &program) : m_program(program) {}

    /// The entry on show (a picture file name); its recording may say it.
    void setEntry(const QString &entry) { m_entry = entry; }
    /// The entry as spoken: with its article, or the noun alone (both empty
    /// without an entry).
    QString displayForm() const;
    QString noun() const;

    /// Says text now, restarting a word being said; from the teacher's
    /// recording of the entry if allowed and present.
    void say(const QString &text, bool recording);
    /// Says a right answer (after its confirmation has been closed); the next
    /// noun's announcement waits until it has been said.
    void sayAnswer(const QString &text, bool recording);
    /// A new noun is on show: says it.
    void announce(const QString &text, bool recording);
    /// Silence, and nothing waiting (a hidden window).
    void stop();

private:
    void request(const QString &text, bool recording, bool after);

    Program &m_program;
    QString m_entry;
    bool m_answerSpoken = false;
};
