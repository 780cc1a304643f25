#pragma once
// Hearing a word: the service the exercise windows ask to say a noun. A
// teacher's recording is played when one is given, otherwise the text is
// said by a synthetic German voice. Saying never blocks the window and never
// reports failure to the child: a missing sound device stays silent.

#include <QString>

class Speech {
public:
    virtual ~Speech() = default;
    /// Stops whatever is being said and says this instead, from the recording
    /// when one is given (a file path), else in the synthetic voice.
    virtual void speak(const QString &text, const QString &recording = QString()) = 0;
    /// Says this once what is being said now has ended (at once when silent).
    virtual void speakAfter(const QString &text, const QString &recording = QString()) = 0;
    /// Silence, and nothing left waiting.
    virtual void stop() = 0;
};
