#pragma once
// The one careful way to files beside the pictures and in the user's
// folders. The picture folder is often a class share that pupils can write
// to, so every file is treated as something a pupil may have left there: a
// link, a FIFO, a device, a folder or a huge file.
//
// Reading: the open never blocks (a FIFO would wait for a writer), the
// opened descriptor must be a regular file (a link to one is fine, a link to
// a FIFO or /dev/zero is not), and its size must fit the kind of file.
// Writing: no link is followed, neither for the file nor for the folder it
// is created in, and only a regular file is written to.

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>

class QFile;

namespace files {

enum class Status {
    Ok,
    Missing,    // nothing of that name
    NotRegular, // a FIFO, device, socket, folder, or a link where none may be
    TooLarge,   // larger than the cap of its kind
    Failed,     // any other error (see `error`)
};

/// Size caps by kind of file.
constexpr qint64 kSettingsCap = 4 * 1024 * 1024;     // settings files, Silben.txt
constexpr qint64 kRecordsCap = 64 * 1024 * 1024;     // one child's records
constexpr qint64 kImportCap = 64 * 1024 * 1024;      // a picture a teacher adds
constexpr qint64 kDictionaryCap = 128 * 1024 * 1024; // a system word list

/// What a file looks like on the other side of an open.
struct Info {
    Status status = Status::Missing;
    int error = 0;   // errno where the status is Failed
    qint64 size = 0; // of the opened regular file
    quint64 device = 0, inode = 0;
    qint64 mtimeSec = 0, mtimeNsec = 0;
};

/// Opens `path` for reading into `file` (already closed) without blocking;
/// only a regular file of at most `cap` bytes is opened. A link to a regular
/// file is followed: reading never changes anything.
Info openForReading(const QString &path, QFile &file, qint64 cap);

/// Looks at `path` the same way without keeping it open.
Info probe(const QString &path, qint64 cap);

struct Contents {
    Info info;
    QByteArray bytes;
    bool ok() const { return info.status == Status::Ok; }
};

/// The whole of a small file, read through openForReading.
Contents readSmall(const QString &path, qint64 cap);

/// A folder opened without following a link (O_DIRECTORY|O_NOFOLLOW); the
/// files in it are reached relative to the opened folder, so a link placed
/// for the folder after the check cannot redirect them.
class Folder {
public:
    Folder() = default;
    ~Folder();
    Folder(Folder &&other) noexcept;
    Folder &operator=(Folder &&other) noexcept;
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;

    /// Opens the folder `name` inside the folder at `parent`, creating it
    /// when `create` is set. `parent` itself may be reached through links
    /// (it is the folder the teacher chose); `name` may not be a link.
    static Folder open(const QString &parent, const QString &name, bool create, Info *info);

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    /// Opens the regular file `name` in this folder to append (creating it),
    /// without following a link and without blocking. Returns the descriptor
    /// (the caller closes it) or -1 with the reason in `info`.
    int openForAppend(const QString &name, Info *info) const;

    /// Creates the new regular file `name` in this folder for writing,
    /// without following a link; anything of that name already there, a
    /// dangling link included, fails with EEXIST. Returns the descriptor
    /// (the caller closes it) or -1 with the reason in `info`.
    int createNew(const QString &name, Info *info) const;

    /// Opens the regular file `name` in this folder for reading, without
    /// following a link and without blocking; at most `cap` bytes.
    Info openForReading(const QString &name, QFile &file, qint64 cap) const;

    /// Removes the file `name` from this folder (a link is removed, never
    /// its target); true when it is gone.
    bool remove(const QString &name) const;

    /// Writes `bytes` as the new file `name`: first to a temporary name in
    /// this folder, then renamed without replacing anything (see
    /// renameNoReplace). On any failure nothing of the new file is left and
    /// an existing `name` is untouched; EEXIST in `error` when it existed.
    Info writeNew(const QString &name, const QByteArray &bytes) const;

    /// Writes `bytes` over the small file `name` (a list the program keeps):
    /// a temporary file renamed over it, so a reader sees the old or the new
    /// contents, never half of them. A link in its place is replaced, never
    /// followed.
    Info replace(const QString &name, const QByteArray &bytes) const;

private:
    /// Writes `bytes` to a new temporary file beside `name` and hands its
    /// name to `move` (0 or an errno); on any failure the temporary goes.
    Info writeThrough(const QString &name, const QByteArray &bytes,
                      const std::function<int(const QString &temp)> &move) const;

    int m_fd = -1;
};

/// Renames `fromName` in `from` to `toName` in `to`, refusing an existing
/// target (EEXIST), even a dangling link: renameat2(RENAME_NOREPLACE), or
/// where the file system lacks it a hard link and an unlink of the old name.
/// Returns 0 or the errno of the failure; on failure the old file is complete.
int renameNoReplace(const Folder &from, const QString &fromName, const Folder &to,
                    const QString &toName);

/// The fallback of renameNoReplace on its own: link, then unlink.
int renameByLink(const Folder &from, const QString &fromName, const Folder &to,
                 const QString &toName);

/// Writes all of `bytes` at the end of the open file `fd`; on a short
/// write the file is cut back to `sizeBefore`, so it never keeps half a
/// line. Returns 0 or the errno of the failure (ENOSPC for a short write).
int appendWhole(int fd, const QByteArray &bytes, qint64 sizeBefore);

/// Replaces the file `name` in the folder at `folder` by `bytes` as a
/// whole: written to a new file beside it, synced, and renamed over it, so
/// a reader finds the old or the new file, never half of one. Only a
/// regular file is replaced: a link, folder or FIFO of that name stays as
/// it is (NotRegular). Ok, or the reason it failed.
Info replaceWhole(const QString &folder, const QString &name, const QByteArray &bytes);

/// A German sentence for the teacher on why a file could not be used.
QString describe(const Info &info);

} // namespace files
