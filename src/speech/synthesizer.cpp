#include "speech/synthesizer.h"

#include <QDebug>
#include <espeak-ng/speak_lib.h>

namespace {

struct Job {
    QByteArray pcm;
    const std::atomic<bool> *cancel = nullptr;
};

int collect(short *wav, int samples, espeak_EVENT *events) {
    auto *job = events ? static_cast<Job *>(events->user_data) : nullptr;
    if (!job)
        return 0;
    if (wav && samples > 0)
        job->pcm.append(reinterpret_cast<const char *>(wav), qsizetype(samples) * 2);
    return job->cancel && job->cancel->load() ? 1 : 0; // 1 aborts the synthesis
}

} // namespace

Synthesizer &Synthesizer::instance() {
    static Synthesizer s;
    return s;
}

bool Synthesizer::load() {
    QMutexLocker lock(&m_mutex);
    return loadLocked();
}

bool Synthesizer::loadLocked() {
    if (m_rate.load() > 0)
        return true;
    if (m_tried)
        return false;
    m_tried = true;
    // DONT_EXIT: a missing data folder must not end the program.
    const int rate =
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) {
        qWarning("speech: the synthetic voice could not be started; words are not spoken");
        return false;
    }
    if (espeak_SetVoiceByName("de") != EE_OK) {
        qWarning("speech: no German voice; words are not spoken");
        espeak_Terminate();
        return false;
    }
    espeak_SetSynthCallback(collect);
    m_rate = rate;
    return true;
}

QByteArray Synthesizer::synthesize(const QString &text, const std::atomic<bool> *cancel) {
    QMutexLocker lock(&m_mutex);
    if (!loadLocked() || text.trimmed().isEmpty())
        return QByteArray();
    Job job;
    job.cancel = cancel;
    const QByteArray utf8 = text.toUtf8();
    espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                 nullptr, &job);
    return job.pcm;
}
