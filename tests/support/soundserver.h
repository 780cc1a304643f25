#pragma once
// Hearing what reaches the sound server: a private PulseAudio server with one
// null sink, whose monitor is recorded with parec. Only for tests and
// benchmarks of sound; they skip where the server cannot run here.

#include "speech/pcm.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

/// A WAV file (16-bit PCM) holding pcm.
QByteArray wavBytes(const Pcm &pcm);
/// A sine tone of the given length at the given rate.
Pcm tone(int ms, int hz = 440, int rate = 22050, int channels = 1);

class SoundServer {
public:
    /// Starts the server and points this process at it (PULSE_SERVER), which
    /// must happen before anything in the process touches sound.
    SoundServer();
    ~SoundServer();
    bool ok() const { return m_ok; }
    QString why() const { return m_why; }
    QString address() const;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    bool m_ok = false;
    QString m_why;
};

/// What the null sink played, as mono 16-bit samples at `rate`, each chunk
/// stamped with the time it arrived.
class MonitorRecorder {
public:
    explicit MonitorRecorder(const SoundServer &server, int rate = 22050);
    ~MonitorRecorder();
    /// Waits until the monitor delivers (false if it never does).
    bool start();
    void stop();
    int rate() const { return m_rate; }

    /// The samples so far.
    QByteArray samples() const;
    /// Nanoseconds on `clock` when sample i was played (arrival of its chunk
    /// less what came after it; includes the monitor's own small latency).
    qint64 playedAtNs(qint64 i) const;
    const QElapsedTimer &clock() const { return m_clock; }

    /// Runs of sound louder than `threshold`, where silences shorter than
    /// gapMs are part of a run: start and length in samples.
    struct Run {
        qint64 start, length;
    };
    QList<Run> runs(int threshold, int gapMs) const;

private:
    const SoundServer &m_server;
    const int m_rate;
    QElapsedTimer m_clock;
    std::thread m_reader;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_flowing{false};
    mutable QMutex m_mutex;
    QByteArray m_samples;
    QList<QPair<qint64, qint64>> m_chunks; // end sample, arrival ns
};

/// The runs of pcm itself measured the same way.
QList<MonitorRecorder::Run> runsOf(const QByteArray &samples, int rate, int threshold, int gapMs);
