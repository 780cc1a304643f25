#include "speech/speechplayer.h"

#include "speech/synthesizer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QAudioSink>
#include <QBuffer>
#include <QDebug>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace {

// A buffer that tells when the sound device takes its first bytes.
class PcmBuffer final : public QBuffer {
public:
    using QBuffer::QBuffer;
    std::function<void()> onRead;

protected:
    qint64 readData(char *data, qint64 maxSize) override {
        const qint64 n = QBuffer::readData(data, maxSize);
        if (n > 0 && onRead)
            onRead();
        return n;
    }
};

} // namespace

SpeechPlayer::SpeechPlayer(QObject *parent)
    : QObject(parent), m_cancel(std::make_shared<std::atomic<bool>>(false)) {
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(-1); // keep the thread: starting one costs time at each word
}

SpeechPlayer::~SpeechPlayer() {
    m_cancel->store(true);
    m_pool.waitForDone();
    silence();
}

void SpeechPlayer::speak(const QString &text, const QString &recording) {
    stop();
    start({text, recording});
}

void SpeechPlayer::speakAfter(const QString &text, const QString &recording) {
    if (isSpeaking())
        m_queue.append({text, recording});
    else
        start({text, recording});
}

void SpeechPlayer::stop() {
    m_queue.clear();
    silence();
}

void SpeechPlayer::silence() {
    // Whatever is under way belongs to an older generation from now on.
    ++m_generation;
    m_cancel->store(true);
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_state = State::Silent;
    if (m_sink)
        m_sink->stop();
    if (m_player)
        m_player->stop();
}

bool SpeechPlayer::hasDevice() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

bool SpeechPlayer::haveDevice() {
    if (hasDevice())
        return true;
    if (!m_warnedDevice)
        qWarning("speech: no sound output device; words are not spoken");
    m_warnedDevice = true;
    return false;
}

void SpeechPlayer::firstSample() {
    if (m_sampleSeen)
        return;
    m_sampleSeen = true;
    if (onFirstSample)
        onFirstSample();
}

void SpeechPlayer::start(const Utterance &u) {
    const quint64 generation = ++m_generation;
    m_sampleSeen = false;
    if (!haveDevice()) {
        // Nothing to hear: the queue still drains, later.
        m_state = State::Synthesising;
        QMetaObject::invokeMethod(
            this, [this, generation] { ended(generation); }, Qt::QueuedConnection);
        return;
    }
    if (!u.recording.isEmpty()) {
        playRecording(u.recording);
        return;
    }
    m_state = State::Synthesising;
    const auto cancel = m_cancel;
    const QString text = u.text;
    m_pool.start([this, cancel, text, generation] {
        const QByteArray pcm = Synthesizer::instance().synthesize(text, cancel.get());
        if (cancel->load())
            return;
        const int rate = Synthesizer::instance().sampleRate();
        // Posted to the window thread; dropped if this player is gone by then
        // (the destructor waits for this job, so `this` is alive here).
        QMetaObject::invokeMethod(
            this, [this, generation, pcm, rate] { playPcm(generation, pcm, rate); },
            Qt::QueuedConnection);
    });
}

void SpeechPlayer::playPcm(quint64 generation, const QByteArray &pcm, int rate) {
    if (generation != m_generation)
        return;
    if (pcm.isEmpty() || rate <= 0) {
        ended(generation);
        return;
    }
    if (!m_sink || m_sinkRate != rate) {
        delete m_sink;
        m_sinkRate = rate;
        QAudioFormat format;
        format.setSampleRate(rate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        m_sink = new QAudioSink(QMediaDevices::defaultAudioOutput(), format, this);
        connect(m_sink, &QAudioSink::stateChanged, this, [this](QAudio::State s) {
            if (m_state != State::PlayingPcm)
                return; // our own stop
            if (s == QAudio::IdleState) {
                // The buffer ran dry: the word is said.
                m_sink->stop();
                ended(m_generation);
            } else if (s == QAudio::StoppedState && m_sink->error() != QAudio::NoError) {
                qWarning("speech: the sound device failed (%d)", int(m_sink->error()));
                ended(m_generation);
            }
        });
    }
    if (!m_pcm) {
        auto *buffer = new PcmBuffer(this);
        buffer->onRead = [this] { firstSample(); };
        m_pcm = buffer;
    }
    m_pcm->close();
    m_pcm->setData(pcm);
    m_pcm->open(QIODevice::ReadOnly);
    m_state = State::PlayingPcm;
    m_sink->start(m_pcm);
    if (m_sink->error() != QAudio::NoError) {
        qWarning("speech: the sound device cannot play (%d)", int(m_sink->error()));
        m_sink->stop();
        ended(generation);
    }
}

void SpeechPlayer::playRecording(const QString &path) {
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        m_player->setAudioOutput(m_output);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus s) {
                    if (m_state != State::PlayingRecording)
                        return;
                    if (s == QMediaPlayer::EndOfMedia) {
                        ended(m_generation);
                    } else if (s == QMediaPlayer::InvalidMedia) {
                        qWarning() << "speech: recording cannot be played:"
                                   << m_player->source().toLocalFile();
                        ended(m_generation);
                    }
                });
        connect(m_player, &QMediaPlayer::errorOccurred, this,
                [this](QMediaPlayer::Error, const QString &message) {
                    if (m_state != State::PlayingRecording)
                        return;
                    qWarning() << "speech: recording failed:" << message;
                    ended(m_generation);
                });
        connect(m_player, &QMediaPlayer::positionChanged, this, [this](qint64 ms) {
            if (m_state == State::PlayingRecording && ms > 0)
                firstSample();
        });
    }
    m_state = State::PlayingRecording;
    const QUrl url = QUrl::fromLocalFile(path);
    if (m_player->source() != url)
        m_player->setSource(url);
    else
        m_player->setPosition(0);
    m_player->play();
}

void SpeechPlayer::ended(quint64 generation) {
    if (generation != m_generation)
        return;
    m_state = State::Silent;
    if (m_queue.isEmpty()) {
        emit finished();
        return;
    }
    start(m_queue.takeFirst());
}
