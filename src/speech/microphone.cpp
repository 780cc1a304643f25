#include "speech/microphone.h"

#include "speech/soundthread.h"
#include "speech/wav.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QMediaDevices>
#include <QMutex>
#include <QTimer>

namespace {

const QString kNoDevice = QStringLiteral("Kein Mikrofon gefunden.");
const QString kCannotOpen = QStringLiteral("Das Mikrofon lässt sich nicht öffnen.");

} // namespace

// The way back to the window thread; emptied when the Microphone goes, so a
// worker that ends later reaches nobody.
struct Microphone::Link {
    QMutex mutex;
    Microphone *owner = nullptr;

    template <class F> void post(F f) {
        QMutexLocker lock(&mutex);
        if (owner)
            QMetaObject::invokeMethod(owner, std::move(f), Qt::QueuedConnection);
    }
};

class Microphone::Worker final : public QObject {
public:
    explicit Worker(std::shared_ptr<Link> link) : m_link(std::move(link)) {
        m_guard->setSingleShot(true);
        connect(m_guard, &QTimer::timeout, this, [this] { finish(); });
        connect(m_poll, &QTimer::timeout, this, [this] { take(); });
    }
    ~Worker() override { drop(); }

    void lookUp() {
        const bool present = !QMediaDevices::audioInputs().isEmpty();
        m_link->post([link = m_link, present] {
            if (link->owner)
                emit link->owner->available(present, present ? QString() : kNoDevice);
        });
    }

    void start(int limitMs) {
        drop();
        const QAudioDevice device = QMediaDevices::defaultAudioInput();
        if (device.isNull()) {
            fail(kNoDevice);
            return;
        }
        QAudioFormat format;
        format.setSampleRate(kRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format))
            format = device.preferredFormat();
        m_pcm = Pcm();
        m_carry.clear();
        m_pcm.rate = format.sampleRate();
        m_pcm.channels = 1;
        m_limitFrames = qint64(format.sampleRate()) * limitMs / 1000;
        m_source = new QAudioSource(device, format, this);
        // Small pieces of sound, so the meter moves with the voice and "Stopp"
        // cuts where it was pressed (a server's default can be seconds).
        m_source->setBufferSize(format.bytesForDuration(50000));
        m_io = m_source->start();
        if (!m_io || m_source->error() != QAudio::NoError) {
            drop();
            fail(kCannotOpen);
            return;
        }
        connect(m_io, &QIODevice::readyRead, this, [this] { take(); });
        // Qt's PulseAudio source does not always say when sound came: it is
        // also fetched every few milliseconds, whatever is there.
        m_poll->start(30);
        connect(m_source, &QAudioSource::stateChanged, this, [this](QAudio::State s) {
            if (m_source && s == QAudio::StoppedState && m_source->error() != QAudio::NoError) {
                drop();
                fail(kCannotOpen);
            }
        });
        // A server that stops delivering does not keep the recording open:
        // past its length and a second more, it ends with what came.
        m_guard->start(limitMs + 1000);
    }

    void finish() {
        if (!m_source)
            return;
        take();
        Pcm pcm = m_pcm;
        drop();
        m_link->post([link = m_link, pcm] {
            if (link->owner)
                emit link->owner->recorded(pcm);
        });
    }

private:
    // What came in, as mono 16-bit whatever the device delivers.
    void take() {
        if (!m_io || m_pcm.frames() >= m_limitFrames)
            return;
        const QAudioFormat f = m_source->format();
        const int frameBytes = f.bytesPerFrame();
        const QByteArray bytes = m_carry + m_io->readAll();
        if (frameBytes <= 0 || bytes.size() < frameBytes) {
            m_carry = bytes;
            return;
        }
        // Whole frames only; a piece of one waits for the rest.
        const qsizetype frames = bytes.size() / frameBytes;
        m_carry = bytes.mid(frames * frameBytes);
        QByteArray mono;
        if (f.sampleFormat() == QAudioFormat::Int16 && f.channelCount() == 1) {
            mono = bytes.left(frames * 2);
        } else {
            mono.resize(frames * 2);
            auto *out = reinterpret_cast<qint16 *>(mono.data());
            for (qsizetype i = 0; i < frames; ++i) {
                float sum = 0;
                for (int c = 0; c < f.channelCount(); ++c)
                    sum += f.normalizedSampleValue(bytes.constData() + i * frameBytes +
                                                   c * f.bytesPerSample());
                out[i] = qint16(qBound(-32768.f, sum / f.channelCount() * 32767.f, 32767.f));
            }
        }
        mono.truncate((m_limitFrames - m_pcm.frames()) * 2);
        m_pcm.samples.append(mono);
        const int percent = wav::meterLevel(mono.constData(), mono.size());
        m_link->post([link = m_link, percent] {
            if (link->owner)
                emit link->owner->level(percent);
        });
        if (m_pcm.frames() >= m_limitFrames)
            QMetaObject::invokeMethod(
                this, [this] { finish(); }, Qt::QueuedConnection);
    }

    void fail(const QString &why) {
        m_link->post([link = m_link, why] {
            if (link->owner)
                emit link->owner->failed(why);
        });
    }

    void drop() {
        m_guard->stop();
        m_poll->stop();
        if (m_source) {
            m_source->disconnect(this);
            if (m_io)
                m_io->disconnect(this);
            m_source->stop();
            m_source->deleteLater();
        }
        m_source = nullptr;
        m_io = nullptr;
    }

    const std::shared_ptr<Link> m_link;
    QAudioSource *m_source = nullptr;
    QIODevice *m_io = nullptr;
    // Children: they move to the sound thread with the worker.
    QTimer *m_guard = new QTimer(this);
    QTimer *m_poll = new QTimer(this);
    Pcm m_pcm;
    QByteArray m_carry; // part of a frame
    qint64 m_limitFrames = 0;
};

Microphone::Microphone(QObject *parent) : SoundInput(parent), m_link(std::make_shared<Link>()) {
    m_link->owner = this;
    m_worker = new Worker(m_link);
    m_worker->moveToThread(soundthread::thread());
}

Microphone::~Microphone() {
    {
        QMutexLocker lock(&m_link->mutex);
        m_link->owner = nullptr;
    }
    // The worker ends on its own thread, where its source lives.
    m_worker->deleteLater();
}

void Microphone::lookUp() {
    QMetaObject::invokeMethod(
        m_worker, [w = m_worker] { w->lookUp(); }, Qt::QueuedConnection);
}

void Microphone::start(int limitMs) {
    QMetaObject::invokeMethod(
        m_worker, [w = m_worker, limitMs] { w->start(limitMs); }, Qt::QueuedConnection);
}

void Microphone::stop() {
    QMetaObject::invokeMethod(
        m_worker, [w = m_worker] { w->finish(); }, Qt::QueuedConnection);
}
