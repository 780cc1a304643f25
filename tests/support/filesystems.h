#pragma once
// Real file-system trouble for tests: a tiny tmpfs that can be filled or made
// read-only, and a watchdog that frees a reader stuck on a named pipe.

#include <QString>
#include <QTemporaryDir>
#include <condition_variable>
#include <mutex>
#include <thread>

class TmpfsMount {
public:
    /// Mounts a tmpfs of `bytes` on a temporary folder (needs root).
    explicit TmpfsMount(qint64 bytes = 64 * 1024);
    ~TmpfsMount();
    bool mounted() const { return m_mounted; }
    /// Why the mount failed, for QSKIP.
    QByteArray reason() const { return m_reason; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    /// Writes a file "filler" until the file system is full.
    bool fill();
    bool makeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QByteArray m_reason;
};

/// Opens the pipe's writing end again and again once `ms` have passed, so a
/// reader that waits for a writer returns (and the test can fail, not hang).
class PipeWatchdog {
public:
    explicit PipeWatchdog(const QString &fifo, int ms = 3000);
    ~PipeWatchdog();
    /// Stops the watchdog; true if it had to free a reader.
    bool stop();

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_stopped = false;
    bool m_fired = false;
    std::thread m_thread;
};
