#pragma once
// Every answer of every child, one CSV file per child in a folder beside the
// pictures. Each answer is one whole line written by a single append, so two
// computers writing to one shared folder never mix their lines, and a writer
// that dies mid-line damages at most that line.

#include "files/safefile.h"
#include "records/record.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class Clock;

namespace records {

/// A child's file as found in the folder.
struct ChildFile {
    QString name; // the exact name, as stored in the file
    QString path;
};

class RecordStore {
public:
    /// `folder` is the records folder itself (created on the first answer);
    /// answers are kept at the time of `clock` (the system's without one).
    explicit RecordStore(const QString &folder, const Clock *clock = nullptr);

    QString folder() const { return m_folder; }

    /// Appends one answer for the child; false when records are off for this
    /// run (the folder could not be written) or this write failed.
    bool append(const QString &name, const Answer &answer);

    /// False once the folder could not be written; nothing more is written
    /// in this run. A child whose own file cannot be written loses only
    /// that child's answers.
    bool isEnabled() const { return m_enabled; }
    /// The German text that tells the teacher why records stopped.
    QString problem() const { return m_problem; }
    /// The problems not told yet (each told once), then empty: the window
    /// layer shows them to the teacher in one message.
    QString takeProblemReport();
    /// Called once, at the write that switched records off.
    std::function<void(const QString &problem)> onFailure;
    /// The time answers are kept at.
    QDateTime now() const;

    /// The children that have a file, sorted by name.
    QList<ChildFile> children() const;
    /// The path of a child's file (it may not exist yet).
    QString pathFor(const QString &name) const;
    /// Deletes one child's file; true when it is gone.
    bool remove(const QString &path);

    /// Safe file name (without folder) for a name: the name itself when it is
    /// a plain name, otherwise a readable part and a short hash of the exact name.
    static QString fileNameFor(const QString &name);
    /// The records of one file in file order; damaged lines are skipped.
    static QList<Record> read(const QString &path);
    /// The same for file contents already in memory.
    static QList<Record> parse(const QByteArray &data);
    /// One CSV line (with its line break) for an answer.
    static QByteArray line(const QString &name, const Answer &answer, const QDateTime &when);
    static QByteArray header();

private:
    void fail(const QString &why);
    void failFile(const QString &name, const QString &file, const QString &why);
    files::Folder openFolder(bool create, files::Info *info) const;

    QString m_folder;
    const Clock *m_clock = nullptr;
    bool m_enabled = true;
    QString m_problem;
    QStringList m_unreported;
    QSet<QString> m_badFiles;
};

} // namespace records
