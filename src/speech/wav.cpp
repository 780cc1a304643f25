#include "speech/wav.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

namespace wav {

QByteArray encode(const Pcm &pcm) {
    if (pcm.rate <= 0 || pcm.channels <= 0)
        return QByteArray();
    const quint32 data = quint32(pcm.frames() * pcm.channels * 2);
    QByteArray out;
    out.reserve(44 + data);
    auto u32 = [&out](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), 4);
    };
    auto u16 = [&out](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), 2);
    };
    out.append("RIFF", 4);
    u32(36 + data);
    out.append("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(quint16(pcm.channels));
    u32(quint32(pcm.rate));
    u32(quint32(pcm.rate * pcm.channels * 2));
    u16(quint16(pcm.channels * 2));
    u16(16);
    out.append("data", 4);
    u32(data);
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        out.append(pcm.samples.constData(), data);
    } else {
        const auto *s = reinterpret_cast<const qint16 *>(pcm.samples.constData());
        for (quint32 i = 0; i < data / 2; ++i)
            u16(quint16(s[i]));
    }
    return out;
}

Pcm trimSilence(const Pcm &pcm, const Trim &trim) {
    Pcm out;
    out.rate = pcm.rate;
    out.channels = pcm.channels;
    const qint64 frames = pcm.frames();
    if (pcm.isEmpty() || frames == 0)
        return out;
    const int channels = pcm.channels;
    const qint64 window = qMax<qint64>(1, qint64(pcm.rate) * trim.windowMs / 1000);
    const auto *s = reinterpret_cast<const qint16 *>(pcm.samples.constData());
    const double limit = double(trim.threshold) * trim.threshold;
    qint64 first = -1, last = -1; // frames: start of the first loud window, end of the last
    for (qint64 at = 0; at < frames; at += window) {
        const qint64 end = qMin(frames, at + window);
        double sum = 0;
        for (qint64 i = at * channels; i < end * channels; ++i)
            sum += double(s[i]) * s[i];
        if (sum / double((end - at) * channels) >= limit) {
            if (first < 0)
                first = at;
            last = end;
        }
    }
    if (first < 0)
        return out;
    const qint64 margin = qint64(pcm.rate) * trim.marginMs / 1000;
    const qint64 from = qMax<qint64>(0, first - margin);
    const qint64 to = qMin(frames, last + margin);
    out.samples = pcm.samples.mid(from * channels * 2, (to - from) * channels * 2);
    return out;
}

int meterLevel(const char *samples, qsizetype bytes) {
    int peak = 0;
    for (qsizetype i = 0; i + 1 < bytes; i += 2) {
        qint16 v;
        std::memcpy(&v, samples + i, 2);
        peak = qMax(peak, v < 0 ? -int(v) : int(v));
    }
    if (peak == 0)
        return 0;
    const double db = 20 * std::log10(peak / 32768.0);
    return qBound(0, int(std::lround((db + 60) * 100 / 60)), 100);
}

} // namespace wav
