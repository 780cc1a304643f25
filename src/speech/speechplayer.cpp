#include "speech/speechplayer.h"

#include "speech/recordingcache.h"
#include "speech/soundoutput.h"
#include "speech/synthesizer.h"

#include <QMutex>
#include <QThreadPool>

struct SpeechPlayer::Channel {
    QMutex mutex;
    SoundOutput *output = nullptr;
};

namespace {

// One thread for the voice, kept (starting one costs time at each word) and
// never waited for: loading the voice can take as long as a sound server
// that does not answer (eSpeak looks for one even when it plays nothing).
QThreadPool &workers() {
    static QThreadPool *pool = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(1);
        p->setExpiryTimeout(-1);
        return p;
    }();
    return *pool;
}

} // namespace

SpeechPlayer::SpeechPlayer(QObject *parent)
    : QObject(parent), m_channel(std::make_shared<Channel>()),
      m_cancel(std::make_shared<std::atomic<bool>>(false)),
      m_live(std::make_shared<std::atomic<quint64>>(0)) {
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] {
        // The sound never came or never ended: give it up, and what waits
        // behind it too (it would wait as long), so the child goes on.
        m_queue.clear();
        const quint64 id = m_current;
        m_live->store(0);
        if (m_output)
            m_output->stop();
        ended(id);
    });
}

SpeechPlayer::~SpeechPlayer() {
    m_queue.clear();
    silence();
    {
        QMutexLocker lock(&m_channel->mutex);
        m_channel->output = nullptr;
    }
    if (m_output) {
        m_output->disconnect(this);
        m_output->deleteLater();
    }
}

SpeechPlayer::Device SpeechPlayer::device() {
    return SoundOutput::lookUpDevice(0);
}

bool SpeechPlayer::hasDevice(int waitMs) {
    return SoundOutput::lookUpDevice(waitMs) == SoundOutput::Device::Present;
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
    // Whatever is under way is dropped where it stands.
    m_cancel->store(true);
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_live->store(0);
    m_current = 0;
    m_limit.stop();
    if (m_output)
        m_output->stop();
}

void SpeechPlayer::start(const Utterance &u) {
    if (!m_output) {
        m_output = SoundOutput::create(m_live);
        connect(m_output, &SoundOutput::started, this, &SpeechPlayer::started);
        connect(m_output, &SoundOutput::ended, this, &SpeechPlayer::ended);
        m_channel->output = m_output;
    }
    const quint64 id = ++m_lastId;
    m_current = id;
    m_live->store(id);
    m_limit.start(kStartLimitMs);
    const auto cancel = m_cancel;
    const auto channel = m_channel;
    const Utterance what = u;
    workers().start([channel, cancel, what, id] {
        Pcm pcm;
        if (!what.recording.isEmpty())
            pcm = RecordingCache::instance().load(what.recording, cancel.get());
        if (pcm.isEmpty() && !cancel->load()) {
            // No recording, or one that cannot be played: the voice says it.
            pcm.samples = Synthesizer::instance().synthesize(what.text, cancel.get());
            pcm.rate = Synthesizer::instance().sampleRate();
            pcm.channels = 1;
        }
        // An empty sound ends at once on the sound thread, in order.
        QMutexLocker lock(&channel->mutex);
        if (channel->output && !cancel->load())
            channel->output->play(id, pcm);
    });
}

void SpeechPlayer::started(quint64 id, qint64 durationUs) {
    if (id == m_current && id != 0)
        m_limit.start(int(durationUs / 1000) + kEndLimitMs);
}

void SpeechPlayer::ended(quint64 id) {
    if (id != m_current || id == 0)
        return;
    m_current = 0;
    m_live->store(0);
    m_limit.stop();
    if (m_queue.isEmpty()) {
        emit finished();
        return;
    }
    start(m_queue.takeFirst());
}
