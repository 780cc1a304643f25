#pragma once
// Sound in memory: signed 16-bit samples in the machine's byte order,
// interleaved when there is more than one channel.

#include <QByteArray>

struct Pcm {
    QByteArray samples;
    int rate = 0;
    int channels = 1;

    bool isEmpty() const { return samples.isEmpty() || rate <= 0 || channels <= 0; }
    qint64 frames() const { return channels > 0 ? samples.size() / (2 * channels) : 0; }
    qint64 durationUs() const { return rate > 0 ? frames() * 1000000 / rate : 0; }
};
