#pragma once
// The sound device, driven from a thread of its own. Looking up the device,
// opening it, playing and stopping can each block when the sound server
// misbehaves (one that accepts a connection and never answers holds the
// look-up for half a minute), and none of that may reach the window.
//
// Every utterance gets a sink of its own: a sink used again starts with a
// smaller buffer each time until it falls silent. A sink whose buffer ran
// dry is stopped only once the server has played the end, which it still
// holds at that moment.

#include "speech/pcm.h"

#include <QObject>
#include <QSet>
#include <atomic>
#include <memory>

class QAudioSink;

class SoundOutput final : public QObject {
    Q_OBJECT
public:
    /// A new output on the sound thread of the process. `live` holds the
    /// utterance that may sound; one that no longer holds it when its turn
    /// comes is dropped unplayed. Remove it with deleteLater().
    static SoundOutput *create(std::shared_ptr<std::atomic<quint64>> live);
    ~SoundOutput() override;

    /// Plays pcm as utterance id, stopping whatever plays. Any thread.
    void play(quint64 id, const Pcm &pcm);
    /// Silence. Any thread.
    void stop();

    enum class Device { Unknown, Present, Missing };
    /// What the last look-up found, without looking (any thread).
    static Device lastDevice();
    /// Looks the device up on the sound thread and waits at most waitMs for
    /// the answer (Unknown when it takes longer; with 0, what was known).
    static Device lookUpDevice(int waitMs);

signals:
    /// The sink took the first samples of utterance id.
    void started(quint64 id, qint64 durationUs);
    /// Utterance id has been heard to its end, or could not be played.
    void ended(quint64 id);

private:
    explicit SoundOutput(std::shared_ptr<std::atomic<quint64>> live);
    void playHere(quint64 id, const Pcm &pcm);
    void stopHere();
    void drain(QAudioSink *sink, quint64 id, qint64 durationUs);
    void finish(QAudioSink *sink, quint64 id);
    void retire(QAudioSink *sink);

    const std::shared_ptr<std::atomic<quint64>> m_live;
    QSet<QAudioSink *> m_sinks;
};
