#pragma once
// Reading the report's figures off the window thread. A class keeps a whole
// school year of answers in one child's file, which takes longer to read
// than a window may stand still; and between two looks the file has mostly
// only grown, so only what was appended is read again.

#include "records/recordstore.h"
#include "records/report.h"

#include <QDate>
#include <QList>
#include <QString>
#include <atomic>

namespace verlauf {

/// The answers of one child's file, kept between readings.
class AnswerFile {
public:
    /// Brings the answers up to date with the file at `path`: when it is the
    /// file read last and has only grown since, only the new lines are read.
    /// A missing file has no answers. False, with the reason in German in
    /// `problem`, when the file cannot be read; false without a reason when
    /// `cancelled` was set on the way.
    bool update(const QString &path, QString *problem,
                const std::atomic<bool> *cancelled = nullptr);
    const QList<records::Record> &answers() const { return m_answers; }
    /// Bytes read by the last update (the whole file, or what was appended).
    qint64 lastRead() const { return m_lastRead; }

private:
    void reset(const QString &path);

    QString m_path;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    /// Bytes taken so far: whole lines only, so a line still being written
    /// is read again next time.
    qint64 m_offset = 0;
    /// The last bytes before m_offset as they were read: a file rewritten
    /// since no longer ends the old part with them.
    QByteArray m_tail;
    QList<records::Record> m_answers;
    qint64 m_lastRead = 0;
};

/// What the report window asks for.
struct ReadingRequest {
    /// The records folder: its children are listed and one of them is read.
    QString folder;
    /// The child to show: by name, else by `fallback`, else the first child.
    QString wanted;
    QString fallback;
    /// The class list: these children come first, also those without a file.
    QStringList classNames;
    /// Reads just this file and lists nothing (another child chosen).
    QString path;
    QDate today;
};

/// What the report window shows.
struct Reading {
    bool listed = false; // `children` is a fresh listing
    QList<records::ChildFile> children;
    int chosen = -1; // index into children, when listed
    QString path;
    records::Report report;
    QStringList practice;
    /// Why the child's file could not be read (German), else empty.
    QString problem;
    bool cancelled = false;
};

/// The children of the class list first, in its order (a child without a
/// file yet with the path its file would have), then the others.
QList<records::ChildFile> classFirst(QList<records::ChildFile> children,
                                     const QStringList &classNames,
                                     const records::RecordStore &store);

/// Lists and reads as asked. Plain code for a worker thread; `file` keeps
/// the answers read for the next call.
Reading readReport(AnswerFile &file, const ReadingRequest &request,
                   const std::atomic<bool> *cancelled = nullptr);

} // namespace verlauf
