#include "support/filesystems.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

TmpfsMount::TmpfsMount(qint64 bytes) {
    if (geteuid() != 0) {
        m_reason = "mounting a tmpfs needs root";
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(bytes);
    if (::mount("tmpfs", QFile::encodeName(path()).constData(), "tmpfs", 0, options.constData()) !=
        0) {
        m_reason = QByteArray("cannot mount a tmpfs: ") + std::strerror(errno);
        return;
    }
    m_mounted = true;
}

TmpfsMount::~TmpfsMount() {
    if (!m_mounted)
        return;
    if (QDir::currentPath().startsWith(path()))
        QDir::setCurrent(QDir::tempPath());
    ::umount2(QFile::encodeName(path()).constData(), MNT_DETACH);
}

bool TmpfsMount::fill() {
    const int fd = ::open(QFile::encodeName(filePath("filler")).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const QByteArray chunk(512, 'f');
    ssize_t n = 0;
    while ((n = ::write(fd, chunk.constData(), size_t(chunk.size()))) > 0) {
    }
    const bool full = n < 0 && errno == ENOSPC;
    ::close(fd);
    return full;
}

bool TmpfsMount::makeReadOnly() {
    return m_mounted && ::mount("tmpfs", QFile::encodeName(path()).constData(), "tmpfs",
                                MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

PipeWatchdog::PipeWatchdog(const QString &fifo, int ms) {
    const QByteArray name = QFile::encodeName(fifo);
    m_thread = std::thread([this, name, ms] {
        std::unique_lock lock(m_mutex);
        auto stopped = [this] { return m_stopped; };
        if (m_cv.wait_for(lock, std::chrono::milliseconds(ms), stopped))
            return;
        m_fired = true;
        // Succeeds only while a reader has the pipe open: its open() returns
        // and its read() sees the end at once. Repeated for later readers.
        do {
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        } while (!m_cv.wait_for(lock, std::chrono::milliseconds(20), stopped));
    });
}

PipeWatchdog::~PipeWatchdog() {
    stop();
}

bool PipeWatchdog::stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_cv.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    return m_fired;
}
