#pragma once
// The real voice: the synthetic German voice synthesised on a worker thread
// and played from memory through a QAudioSink, a teacher's recording played
// by a QMediaPlayer. Everything is asynchronous, so a window never waits for
// sound. Nothing is opened before the first word; without a sound device
// the words pass in silence with one warning on stderr.

#include "speech/speech.h"

#include <QList>
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>

class QAudioOutput;
class QAudioSink;
class QBuffer;
class QMediaPlayer;

class SpeechPlayer final : public QObject, public Speech {
    Q_OBJECT
public:
    explicit SpeechPlayer(QObject *parent = nullptr);
    ~SpeechPlayer() override;

    void speak(const QString &text, const QString &recording = QString()) override;
    void speakAfter(const QString &text, const QString &recording = QString()) override;
    void stop() override;

    /// True if the system has a sound output device now.
    static bool hasDevice();
    /// True from a request until its sound has ended.
    bool isSpeaking() const { return m_state != State::Silent || !m_queue.isEmpty(); }
    /// Runs when the first sound of an utterance is handed to the device
    /// (measurements only).
    std::function<void()> onFirstSample;

signals:
    /// Everything asked for has been said (or given up).
    void finished();

private:
    enum class State { Silent, Synthesising, PlayingPcm, PlayingRecording };
    struct Utterance {
        QString text;
        QString recording;
    };

    void start(const Utterance &u);
    void playPcm(quint64 generation, const QByteArray &pcm, int rate);
    void playRecording(const QString &path);
    /// The current utterance ended (or failed): the next one, if any.
    void ended(quint64 generation);
    void silence();
    bool haveDevice();
    void firstSample();

    QThreadPool m_pool; // one thread: the voice is serialised anyway
    std::shared_ptr<std::atomic<bool>> m_cancel;
    quint64 m_generation = 0;
    State m_state = State::Silent;
    QList<Utterance> m_queue;
    bool m_sampleSeen = false;
    bool m_warnedDevice = false;

    QAudioSink *m_sink = nullptr;
    int m_sinkRate = 0;
    QBuffer *m_pcm = nullptr;
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_output = nullptr;
};
