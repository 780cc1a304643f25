#pragma once
// Where a teacher's recording comes from: the microphone (Microphone), or
// whatever a test hands over. Every answer comes as a signal on the thread
// that made the input, never as a wait.

#include "speech/pcm.h"

#include <QObject>
#include <QString>

class SoundInput : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SoundInput() override = default;

    /// Looks for an input device; answers with available().
    virtual void lookUp() = 0;
    /// Starts recording, mono 16-bit; it ends by itself after limitMs.
    /// Answers with level() while it runs, then recorded() or failed().
    virtual void start(int limitMs) = 0;
    /// Ends the recording now: recorded() follows with what came so far.
    virtual void stop() = 0;

signals:
    /// Whether recording can work; when not, `why` says so in German.
    void available(bool present, const QString &why);
    /// The loudness of the sound coming in, 0 to 100.
    void level(int percent);
    /// The recording has ended.
    void recorded(const Pcm &pcm);
    /// The recording could not start or broke off; `why` in German.
    void failed(const QString &why);
};
