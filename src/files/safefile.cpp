#include "files/safefile.h"

#include <QAtomicInteger>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

Info fromStat(const struct stat &st, qint64 cap) {
    Info info;
    if (!S_ISREG(st.st_mode)) {
        info.status = Status::NotRegular;
        return info;
    }
    info.size = qint64(st.st_size);
    info.device = quint64(st.st_dev);
    info.inode = quint64(st.st_ino);
    info.mtimeSec = qint64(st.st_mtim.tv_sec);
    info.mtimeNsec = qint64(st.st_mtim.tv_nsec);
    info.status = info.size > cap ? Status::TooLarge : Status::Ok;
    return info;
}

Info fromErrno(int error) {
    Info info;
    info.error = error;
    if (error == ENOENT)
        info.status = Status::Missing;
    else if (error == ELOOP || error == ENOTDIR || error == ENXIO || error == EISDIR)
        info.status = Status::NotRegular;
    else
        info.status = Status::Failed;
    return info;
}

/// Opens `name` (relative to the folder `dirFd`) without blocking and
/// checks the opened descriptor: a regular file within `cap`; -1 unless Ok.
int openChecked(int dirFd, const QString &name, int flags, qint64 cap, Info &info) {
    const int fd =
        ::openat(dirFd, QFile::encodeName(name).constData(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        info = fromErrno(errno);
        return -1;
    }
    struct stat st;
    info = ::fstat(fd, &st) == 0 ? fromStat(st, cap) : fromErrno(errno);
    if (info.status != Status::Ok) {
        ::close(fd);
        return -1;
    }
    return fd;
}

/// Hands an opened descriptor (or its failure) to `file`.
Info adopt(int fd, Info info, QFile &file) {
    if (fd >= 0 && !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        info.status = Status::Failed;
    }
    return info;
}

} // namespace

Info openForReading(const QString &path, QFile &file, qint64 cap) {
    Info info;
    const int fd = openChecked(AT_FDCWD, path, O_RDONLY, cap, info);
    return adopt(fd, info, file);
}

Info probe(const QString &path, qint64 cap) {
    Info info;
    const int fd = openChecked(AT_FDCWD, path, O_RDONLY, cap, info);
    if (fd >= 0)
        ::close(fd);
    return info;
}

Contents readSmall(const QString &path, qint64 cap) {
    Contents c;
    QFile f;
    c.info = openForReading(path, f, cap);
    if (!c.ok())
        return c;
    // The size may have grown since the look: never read past the cap.
    c.bytes = f.read(cap + 1);
    if (c.bytes.size() > cap) {
        c.bytes.clear();
        c.info.status = Status::TooLarge;
    }
    return c;
}

Folder::~Folder() {
    if (m_fd >= 0)
        ::close(m_fd);
}

Folder::Folder(Folder &&other) noexcept : m_fd(other.m_fd) {
    other.m_fd = -1;
}

Folder &Folder::operator=(Folder &&other) noexcept {
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

Folder Folder::open(const QString &parent, const QString &name, bool create, Info *info) {
    Info local;
    Info &out = info ? *info : local;
    Folder folder;
    const int parentFd =
        ::open(QFile::encodeName(parent).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd < 0) {
        out = fromErrno(errno);
        return folder;
    }
    const QByteArray native = QFile::encodeName(name);
    if (create && ::mkdirat(parentFd, native.constData(), 0777) != 0 && errno != EEXIST) {
        out = fromErrno(errno);
        ::close(parentFd);
        return folder;
    }
    const int fd = ::openat(parentFd, native.constData(),
                            O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    const int openErrno = errno;
    ::close(parentFd);
    if (fd < 0) {
        out = fromErrno(openErrno);
        // A link where the folder should be, or a file of that name.
        if (openErrno == ELOOP || openErrno == ENOTDIR)
            out.status = Status::NotRegular;
        return folder;
    }
    out = Info();
    out.status = Status::Ok;
    folder.m_fd = fd;
    return folder;
}

int Folder::openForAppend(const QString &name, Info *info) const {
    Info local;
    Info &out = info ? *info : local;
    if (m_fd < 0) {
        out = fromErrno(EBADF);
        return -1;
    }
    return openChecked(m_fd, name, O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW,
                       std::numeric_limits<qint64>::max(), out);
}

int Folder::createNew(const QString &name, Info *info) const {
    Info local;
    Info &out = info ? *info : local;
    if (m_fd < 0) {
        out = fromErrno(EBADF);
        return -1;
    }
    return openChecked(m_fd, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW,
                       std::numeric_limits<qint64>::max(), out);
}

Info Folder::openForReading(const QString &name, QFile &file, qint64 cap) const {
    if (m_fd < 0)
        return fromErrno(EBADF);
    Info info;
    const int fd = openChecked(m_fd, name, O_RDONLY | O_NOFOLLOW, cap, info);
    return adopt(fd, info, file);
}

bool Folder::remove(const QString &name) const {
    if (m_fd < 0)
        return false;
    return ::unlinkat(m_fd, QFile::encodeName(name).constData(), 0) == 0 || errno == ENOENT;
}

namespace {

QString temporaryName(const QString &name) {
    static QAtomicInteger<quint32> counter;
    // A leading dot: no listing pattern matches it, and file managers hide it.
    return QStringLiteral(".%1.%2-%3.tmp")
        .arg(name)
        .arg(::getpid())
        .arg(counter.fetchAndAddRelaxed(1));
}

int writeAll(int fd, const QByteArray &bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC;
        done += n;
    }
    // A network share may report a full disk only here.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP)
        return errno;
    return 0;
}

Info failure(int error) {
    Info info;
    info.status = Status::Failed;
    info.error = error;
    return info;
}

} // namespace

Info Folder::writeThrough(const QString &name, const QByteArray &bytes,
                          const std::function<int(const QString &temp)> &move) const {
    Info info;
    const QString temp = temporaryName(name);
    const int fd = createNew(temp, &info);
    if (fd < 0)
        return info;
    int error = writeAll(fd, bytes);
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error == 0)
        error = move(temp);
    if (error != 0) {
        remove(temp);
        return failure(error);
    }
    info = Info();
    info.status = Status::Ok;
    info.size = bytes.size();
    return info;
}

Info Folder::writeNew(const QString &name, const QByteArray &bytes) const {
    return writeThrough(name, bytes, [&](const QString &temp) {
        return renameNoReplace(*this, temp, *this, name);
    });
}

Info Folder::replace(const QString &name, const QByteArray &bytes) const {
    return writeThrough(name, bytes, [&](const QString &temp) {
        return ::renameat(m_fd, QFile::encodeName(temp).constData(), m_fd,
                          QFile::encodeName(name).constData()) == 0
                   ? 0
                   : errno;
    });
}

int renameByLink(const Folder &from, const QString &fromName, const Folder &to,
                 const QString &toName) {
    if (!from.isOpen() || !to.isOpen())
        return EBADF;
    const QByteArray oldName = QFile::encodeName(fromName);
    // linkat never replaces: an existing target, a dangling link included,
    // fails with EEXIST.
    if (::linkat(from.fd(), oldName.constData(), to.fd(), QFile::encodeName(toName).constData(),
                 0) != 0)
        return errno;
    if (::unlinkat(from.fd(), oldName.constData(), 0) != 0 && errno != ENOENT) {
        const int error = errno;
        // Both names would hold the file: take the new one back.
        ::unlinkat(to.fd(), QFile::encodeName(toName).constData(), 0);
        return error;
    }
    return 0;
}

int renameNoReplace(const Folder &from, const QString &fromName, const Folder &to,
                    const QString &toName) {
    if (!from.isOpen() || !to.isOpen())
        return EBADF;
    if (::renameat2(from.fd(), QFile::encodeName(fromName).constData(), to.fd(),
                    QFile::encodeName(toName).constData(), RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    // File systems without the flag (some network shares, older kernels).
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP)
        return renameByLink(from, fromName, to, toName);
    return error;
}

int appendWhole(int fd, const QByteArray &bytes, qint64 sizeBefore) {
    qint64 done = 0;
    int error = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            break;
        }
        if (n == 0) {
            error = ENOSPC;
            break;
        }
        done += n;
    }
    if (error != 0 && done > 0) {
        // Part of the bytes went out: take them back, so the file holds
        // only what it held before.
        while (::ftruncate(fd, off_t(sizeBefore)) != 0 && errno == EINTR) {
        }
    }
    return error;
}

Info replaceWhole(const QString &folder, const QString &name, const QByteArray &bytes) {
    Info info;
    const Folder dir = Folder::open(folder, QStringLiteral("."), false, &info);
    if (!dir.isOpen())
        return info;
    struct stat st {};
    if (::fstatat(dir.fd(), QFile::encodeName(name).constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (!S_ISREG(st.st_mode))
            return fromStat(st, 0);
    } else if (errno != ENOENT) {
        return fromErrno(errno);
    }
    return dir.replace(name, bytes);
}

QString describe(const Info &info) {
    switch (info.status) {
    case Status::Ok:
        return QString();
    case Status::Missing:
        return QStringLiteral("Die Datei oder der Ordner fehlt.");
    case Status::NotRegular:
        return QStringLiteral("Dort liegt keine gewöhnliche Datei (sondern eine Verknüpfung, "
                              "ein Ordner oder ein Gerät).");
    case Status::TooLarge:
        return QStringLiteral("Die Datei ist zu groß.");
    case Status::Failed:
        break;
    }
    switch (info.error) {
    case ENOSPC:
        return QStringLiteral("Der Datenträger ist voll.");
    case EDQUOT:
        return QStringLiteral("Der zugeteilte Speicherplatz ist aufgebraucht.");
    case EFBIG:
        return QStringLiteral("Die Datei ist zu groß für den Datenträger.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Es fehlt die Berechtigung.");
    case EIO:
        return QStringLiteral("Der Datenträger meldet einen Lesefehler.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Es sind zu viele Dateien geöffnet.");
    case EEXIST:
        return QStringLiteral("Dort liegt schon etwas mit diesem Namen.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Name ist zu lang.");
    case EINVAL:
        return QStringLiteral("Der Name ist auf diesem Datenträger nicht erlaubt.");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Die Datei wird gerade benutzt.");
    case ESTALE:
    case ENOTCONN:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case EHOSTUNREACH:
        return QStringLiteral("Das Netzlaufwerk antwortet nicht.");
    default:
        return QStringLiteral("Unbekannter Fehler (Nummer %1).").arg(info.error);
    }
}

} // namespace files
