#pragma once
// One child's answers kept between readings. A class keeps a whole school
// year of answers in one child's file; between two looks the file has mostly
// only grown, so only what was appended (by this computer or another on the
// share) is read again. Plain code, also for a worker thread.

#include "records/record.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>

namespace records {

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
    const QList<Record> &answers() const { return m_answers; }
    /// Bytes read by the last update (the whole file, or what was appended).
    qint64 lastRead() const { return m_lastRead; }
    /// Counts the times the answers were started afresh (another file, or
    /// this one replaced or cut): while it stays, answers were only added.
    quint64 generation() const { return m_generation; }

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
    QList<Record> m_answers;
    qint64 m_lastRead = 0;
    quint64 m_generation = 0;
};

} // namespace records
