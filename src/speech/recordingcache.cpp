#include "speech/recordingcache.h"

#include "files/safefile.h"
#include "speech/recordings.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWaitCondition>
#include <functional>

struct RecordingCache::Job {
    files::Info stamp;
    QMutex mutex;
    QWaitCondition done;
    bool finished = false;
    Pcm pcm;
};

namespace {

bool sameFile(const files::Info &a, quint64 device, quint64 inode, qint64 size, qint64 sec,
              qint64 nsec) {
    return a.device == device && a.inode == inode && a.size == size && a.mtimeSec == sec &&
           a.mtimeNsec == nsec;
}

// Appends a decoded buffer to mono 16-bit samples, whatever the format the
// decoder chose to deliver.
void appendMono(const QAudioBuffer &buffer, Pcm &pcm) {
    const QAudioFormat f = buffer.format();
    const int channels = f.channelCount();
    const int bytes = f.bytesPerSample();
    if (channels <= 0 || bytes <= 0 || f.sampleRate() <= 0)
        return;
    if (pcm.rate == 0)
        pcm.rate = f.sampleRate();
    const auto *data = buffer.constData<char>();
    const qsizetype frames = buffer.frameCount();
    if (f.sampleFormat() == QAudioFormat::Int16 && channels == 1) {
        pcm.samples.append(data, frames * 2);
        return;
    }
    const qsizetype at = pcm.samples.size();
    pcm.samples.resize(at + frames * 2);
    auto *out = reinterpret_cast<qint16 *>(pcm.samples.data() + at);
    for (qsizetype i = 0; i < frames; ++i) {
        float sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += f.normalizedSampleValue(data + (i * channels + c) * bytes);
        out[i] = qint16(qBound(-32768.f, sum / channels * 32767.f, 32767.f));
    }
}

// Decodes device into mono PCM and hands the result to deliver, an empty
// one when the sound cannot be played. deliver runs before the decoder is
// stopped: stopping a failed pipeline can take a second, and nobody needs to
// wait for that.
void decode(QIODevice &device, const RecordingCache::Limits &limits,
            const std::function<void(const Pcm &, const QString &)> &deliver) {
    QAudioDecoder decoder;
    QAudioFormat wanted;
    wanted.setSampleFormat(QAudioFormat::Int16);
    wanted.setChannelCount(1);
    wanted.setSampleRate(RecordingCache::kRate);
    decoder.setAudioFormat(wanted);
    decoder.setSourceDevice(&device);

    Pcm pcm;
    QString failure;
    bool over = false;
    QEventLoop loop;
    auto end = [&](const QString &why) {
        if (over)
            return;
        over = true;
        failure = why;
        loop.quit();
    };
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &loop, [&] {
        const QAudioBuffer buffer = decoder.read();
        if (over || !buffer.isValid())
            return;
        appendMono(buffer, pcm);
        const qint64 keep = limits.keptUs * pcm.rate / 1000000 * 2;
        if (pcm.samples.size() >= keep) {
            pcm.samples.truncate(keep); // a word, not an audio book: the start is enough
            end(QString());
        }
    });
    QObject::connect(&decoder, &QAudioDecoder::finished, &loop, [&] { end(QString()); });
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &loop,
                     [&](QAudioDecoder::Error) { end(decoder.errorString()); });
    QTimer::singleShot(limits.decodeMs, &loop,
                       [&] { end(QStringLiteral("decoding takes too long")); });
    decoder.start();
    if (!over)
        loop.exec();
    if (failure.isEmpty() && pcm.isEmpty())
        failure = QStringLiteral("no sound in it");
    deliver(failure.isEmpty() ? pcm : Pcm(), failure);
    // The pipeline's threads end here, before the decoder is torn down.
    decoder.stop();
}

} // namespace

RecordingCache &RecordingCache::instance() {
    // Never destroyed: a decoder still stopping at exit must not hold it up.
    static auto *cache = new RecordingCache(Limits());
    return *cache;
}

RecordingCache::RecordingCache(const Limits &limits) : m_limits(limits) {
    // Several threads: a failed decoder that takes its time to stop must not
    // delay the next recording.
    m_pool.setMaxThreadCount(4);
}

RecordingCache::~RecordingCache() {
    m_pool.waitForDone();
}

Pcm RecordingCache::load(const QString &path, const std::atomic<bool> *cancel) {
    const files::Info now = files::probe(path, recordings::kFileCap);
    if (now.status != files::Status::Ok || now.size == 0)
        return Pcm();
    std::shared_ptr<Job> job;
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_entries.find(path);
        if (it != m_entries.end() &&
            sameFile(now, it->device, it->inode, it->size, it->mtimeSec, it->mtimeNsec)) {
            it->used = ++m_clock;
            return it->pcm;
        }
        job = m_pending.value(path);
        const files::Info &s = job ? job->stamp : now;
        if (!job || !sameFile(now, s.device, s.inode, s.size, s.mtimeSec, s.mtimeNsec)) {
            job = std::make_shared<Job>();
            job->stamp = now;
            m_pending.insert(path, job);
            m_pool.start([this, job, path] {
                QFile file;
                const files::Info opened = files::openForReading(path, file, recordings::kFileCap);
                auto deliver = [&](const Pcm &pcm, const QString &failure) {
                    if (!failure.isEmpty())
                        qWarning() << "speech: recording cannot be played:" << path << failure;
                    if (opened.status == files::Status::Ok)
                        keep(path, {opened.device, opened.inode, opened.size, opened.mtimeSec,
                                    opened.mtimeNsec, pcm, 0});
                    {
                        QMutexLocker lock(&m_mutex);
                        if (m_pending.value(path) == job)
                            m_pending.remove(path);
                    }
                    QMutexLocker lock(&job->mutex);
                    job->pcm = pcm;
                    job->finished = true;
                    job->done.wakeAll();
                };
                if (opened.status != files::Status::Ok || opened.size == 0)
                    deliver(Pcm(), files::describe(opened));
                else
                    decode(file, m_limits, deliver);
            });
        }
    }
    // Waits for the decoder, but never past its time limit and a second for
    // the queue: a stuck decoder leaves the word to the voice.
    QElapsedTimer waited;
    waited.start();
    QMutexLocker lock(&job->mutex);
    while (!job->finished) {
        if ((cancel && cancel->load()) || waited.elapsed() > m_limits.decodeMs + 1000)
            return Pcm();
        job->done.wait(&job->mutex, 20);
    }
    return job->pcm;
}

void RecordingCache::keep(const QString &path, const Entry &entry) {
    QMutexLocker lock(&m_mutex);
    Entry &e = m_entries[path];
    e = entry;
    e.used = ++m_clock;
    // Within the memory allowed, the least recently used go first.
    qint64 total = 0;
    for (const Entry &x : std::as_const(m_entries))
        total += x.pcm.samples.size();
    while (total > m_limits.keptBytes && m_entries.size() > 1) {
        auto oldest = m_entries.begin();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
            if (it->used < oldest->used)
                oldest = it;
        total -= oldest->pcm.samples.size();
        m_entries.erase(oldest);
    }
}
