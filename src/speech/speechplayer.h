#pragma once
// The real voice. A teacher's recording is decoded into memory (and kept
// while its file stays the same), the synthetic German voice is synthesised
// into memory, both on a worker thread of the process; the sound is played on the sound
// thread (SoundOutput), one fresh sink per utterance. The window thread only
// hands requests on and hears back, so it never waits for sound: every
// request ends, heard or given up after a time limit. Nothing is opened
// before the first word; without a sound device the words pass in silence
// with one warning on stderr.

#include "speech/soundoutput.h"
#include "speech/speech.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <memory>

class SpeechPlayer final : public QObject, public Speech {
    Q_OBJECT
public:
    explicit SpeechPlayer(QObject *parent = nullptr);
    ~SpeechPlayer() override;

    void speak(const QString &text, const QString &recording = QString()) override;
    void speakAfter(const QString &text, const QString &recording = QString()) override;
    void stop() override;

    /// For a window: whether a sound device works, as far as is known now,
    /// without waiting; each call also looks again, off the window thread.
    using Device = SoundOutput::Device;
    static Device device();
    /// True if the system has a sound output device, looked up off the
    /// calling thread, which waits up to waitMs for the answer (false when it
    /// takes longer). Not for the window thread.
    static bool hasDevice(int waitMs = 3000);
    /// True from a request until its sound has ended.
    bool isSpeaking() const { return m_current != 0 || !m_queue.isEmpty(); }

    /// How long an utterance may take to reach the sound device, and to be
    /// heard beyond its length, before it is given up.
    static constexpr int kStartLimitMs = 6000;
    static constexpr int kEndLimitMs = 4000;

signals:
    /// Everything asked for has been said (or given up).
    void finished();

private:
    struct Utterance {
        QString text;
        QString recording;
    };

    void start(const Utterance &u);
    void started(quint64 id, qint64 durationUs);
    /// The current utterance ended, failed or was given up: the next one.
    void ended(quint64 id);
    void silence();

    // Where the workers hand their sound; emptied when this player goes, so
    // that no worker is waited for (one may be stuck in a sound server).
    struct Channel;
    const std::shared_ptr<Channel> m_channel;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    const std::shared_ptr<std::atomic<quint64>> m_live; // the utterance that may sound
    quint64 m_current = 0;                              // 0: silent
    quint64 m_lastId = 0;
    QList<Utterance> m_queue;
    QTimer m_limit;
    SoundOutput *m_output = nullptr; // on the sound thread, made at the first word
};
