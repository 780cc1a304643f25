#include "speech/soundoutput.h"

#include "speech/soundthread.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QDebug>
#include <QMediaDevices>
#include <QPointer>
#include <QSemaphore>
#include <QTimer>

namespace {

std::atomic<int> g_device{int(SoundOutput::Device::Unknown)};
bool g_warned = false; // sound thread only

// On the sound thread only: this is the call that can block.
QAudioDevice lookUp() {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    g_device = int(device.isNull() ? SoundOutput::Device::Missing : SoundOutput::Device::Present);
    return device;
}

} // namespace

SoundOutput *SoundOutput::create(std::shared_ptr<std::atomic<quint64>> live) {
    auto *output = new SoundOutput(std::move(live));
    output->moveToThread(soundthread::thread());
    return output;
}

SoundOutput::SoundOutput(std::shared_ptr<std::atomic<quint64>> live) : m_live(std::move(live)) {}

SoundOutput::Device SoundOutput::lastDevice() {
    return Device(g_device.load());
}

SoundOutput::Device SoundOutput::lookUpDevice(int waitMs) {
    auto answered = std::make_shared<QSemaphore>();
    QMetaObject::invokeMethod(
        soundthread::context(),
        [answered] {
            lookUp();
            answered->release();
        },
        Qt::QueuedConnection);
    if (waitMs <= 0)
        return lastDevice();
    return answered->tryAcquire(1, waitMs) ? lastDevice() : Device::Unknown;
}

void SoundOutput::play(quint64 id, const Pcm &pcm) {
    QMetaObject::invokeMethod(
        this, [this, id, pcm] { playHere(id, pcm); }, Qt::QueuedConnection);
}

void SoundOutput::stop() {
    QMetaObject::invokeMethod(
        this, [this] { stopHere(); }, Qt::QueuedConnection);
}

SoundOutput::~SoundOutput() {
    stopHere();
}

void SoundOutput::retire(QAudioSink *sink) {
    // A stopped sink may still hear back from the server about the end of
    // its stream (Qt's sink asks for a drain of its own and does not cancel
    // it), and a deleted one would crash on that answer. So it is kept a
    // while before it goes.
    sink->disconnect(this);
    sink->stop();
    sink->setParent(soundthread::context());
    QTimer::singleShot(5000, soundthread::context(), [sink] { sink->deleteLater(); });
}

void SoundOutput::stopHere() {
    for (QAudioSink *sink : std::as_const(m_sinks))
        retire(sink);
    m_sinks.clear();
}

void SoundOutput::playHere(quint64 id, const Pcm &pcm) {
    if (m_live->load() != id)
        return; // given up or replaced while waiting its turn
    stopHere();
    const QAudioDevice device = lookUp();
    if (m_live->load() != id)
        return; // the look-up took so long that the child has moved on
    if (device.isNull() || pcm.isEmpty()) {
        if (device.isNull() && !std::exchange(g_warned, true))
            qWarning("speech: no sound output device; words are not spoken");
        emit ended(id);
        return;
    }
    QAudioFormat format;
    format.setSampleRate(pcm.rate);
    format.setChannelCount(pcm.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    auto *sink = new QAudioSink(device, format);
    auto *buffer = new QBuffer(sink);
    buffer->setData(pcm.samples);
    buffer->open(QIODevice::ReadOnly);
    m_sinks.insert(sink);
    const qint64 duration = pcm.durationUs();
    connect(sink, &QAudioSink::stateChanged, this, [=, this](QAudio::State s) {
        if (!m_sinks.contains(sink))
            return;
        if (s == QAudio::ActiveState && buffer->pos() == 0) {
            emit started(id, duration);
        } else if (s == QAudio::IdleState && buffer->atEnd()) {
            drain(sink, id, duration);
        } else if (s == QAudio::StoppedState && sink->error() != QAudio::NoError) {
            qWarning("speech: the sound device failed (%d)", int(sink->error()));
            finish(sink, id);
        }
    });
    sink->start(buffer);
    if (m_sinks.contains(sink) && sink->error() != QAudio::NoError) {
        qWarning("speech: the sound device cannot play (%d)", int(sink->error()));
        finish(sink, id);
        return;
    }
    // A server that takes the sound and never plays it does not keep the
    // word going for ever.
    QTimer::singleShot(int(duration / 1000) + 3000, this,
                       [this, sink = QPointer<QAudioSink>(sink), id] { finish(sink, id); });
}

void SoundOutput::drain(QAudioSink *sink, quint64 id, qint64 durationUs) {
    // The sink has handed everything over; the server plays the rest. Its
    // play position says when the end has been heard.
    auto *poll = new QTimer(this);
    const qint64 left = qMax<qint64>(0, durationUs - sink->processedUSecs());
    const int limitMs = int(left / 1000) + 500;
    auto waited = std::make_shared<int>(0);
    connect(poll, &QTimer::timeout, this, [=, this, sink = QPointer<QAudioSink>(sink)] {
        *waited += poll->interval();
        if (!sink || !m_sinks.contains(sink) || sink->processedUSecs() >= durationUs ||
            *waited >= limitMs) {
            poll->deleteLater();
            finish(sink, id);
        }
    });
    poll->start(10);
}

void SoundOutput::finish(QAudioSink *sink, quint64 id) {
    if (!sink || !m_sinks.remove(sink))
        return;
    retire(sink);
    emit ended(id);
}
