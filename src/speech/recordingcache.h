#pragma once
// Teachers' recordings decoded into memory, so that a click plays them like
// the synthetic voice. A recording is decoded once and kept while its file
// stays the same; one recorded anew (a new size, time stamp or file) is
// decoded again at its next use. Decoding happens on threads of its own with
// a time limit and a cap on the sound kept, so a broken or hostile file costs
// the child no waiting: it simply cannot be played, and the voice speaks.

#include "speech/pcm.h"

#include <QHash>
#include <QMutex>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <memory>

class RecordingCache {
public:
    struct Limits {
        int decodeMs = 3000;         // decoding one recording
        qint64 keptUs = 30000000;    // sound kept from one recording
        qint64 keptBytes = 32 << 20; // all recordings together
    };

    /// The cache of the process.
    static RecordingCache &instance();
    explicit RecordingCache(const Limits &limits);
    ~RecordingCache();

    /// The sound of the recording at path: from memory while the file is
    /// unchanged, else decoded now. Empty when it cannot be played (no
    /// regular file, empty, too large, not a sound, too slow to decode) or
    /// when cancel became true meanwhile. Call it from a worker thread.
    Pcm load(const QString &path, const std::atomic<bool> *cancel = nullptr);

    /// The rate recordings are decoded to.
    static constexpr int kRate = 44100;

private:
    struct Job;
    struct Entry {
        quint64 device = 0, inode = 0;
        qint64 size = 0, mtimeSec = 0, mtimeNsec = 0;
        Pcm pcm; // empty: cannot be played
        quint64 used = 0;
    };
    void keep(const QString &path, const Entry &entry);

    const Limits m_limits;
    QMutex m_mutex;
    QHash<QString, Entry> m_entries;
    QHash<QString, std::shared_ptr<Job>> m_pending;
    quint64 m_clock = 0;
    QThreadPool m_pool;
};
