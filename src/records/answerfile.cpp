#include "records/answerfile.h"

#include "files/safefile.h"
#include "records/recordstore.h"

#include <QFile>
#include <cerrno>
#include <future>
#include <thread>

namespace records {

namespace {

constexpr qint64 kTailBytes = 64;
/// Below this the second thread costs more than it saves.
constexpr qsizetype kSplitFrom = 1 << 20;

/// Parses whole lines, on two threads where there is much to parse.
QList<Record> parseLines(const QByteArray &lines) {
    const qsizetype half = lines.size() / 2;
    const qsizetype cut = lines.size() >= kSplitFrom && std::thread::hardware_concurrency() > 1
                              ? lines.indexOf('\n', half) + 1
                              : 0;
    if (cut <= 0 || cut >= lines.size())
        return RecordStore::parse(lines);
    const QByteArray second = QByteArray::fromRawData(lines.constData() + cut, lines.size() - cut);
    auto later = std::async(std::launch::async, [&second] { return RecordStore::parse(second); });
    QList<Record> out = RecordStore::parse(QByteArray::fromRawData(lines.constData(), cut));
    out.append(later.get());
    return out;
}

} // namespace

void AnswerFile::reset(const QString &path) {
    m_path = path;
    m_device = m_inode = 0;
    m_offset = 0;
    m_tail.clear();
    m_answers.clear();
    ++m_generation;
}

bool AnswerFile::update(const QString &path, QString *problem, const std::atomic<bool> *cancelled) {
    m_lastRead = 0;
    QFile f;
    const files::Info info = files::openForReading(path, f, files::kRecordsCap);
    if (info.status == files::Status::Missing) {
        reset(path);
        return true;
    }
    if (info.status != files::Status::Ok) {
        reset(QString());
        if (problem)
            *problem = files::describe(info);
        return false;
    }
    bool grown =
        path == m_path && info.device == m_device && info.inode == m_inode && info.size >= m_offset;
    if (grown && !m_tail.isEmpty())
        grown = f.seek(m_offset - m_tail.size()) && f.read(m_tail.size()) == m_tail;
    if (!grown) {
        reset(path);
        m_device = info.device;
        m_inode = info.inode;
    }
    if (!f.seek(m_offset)) {
        reset(QString());
        if (problem)
            *problem = files::describe({files::Status::Failed, EIO});
        return false;
    }
    // The file may grow while it is read: never past the cap.
    const QByteArray bytes = f.read(files::kRecordsCap - m_offset + 1);
    if (m_offset + bytes.size() > files::kRecordsCap) {
        reset(QString());
        if (problem)
            *problem = files::describe({files::Status::TooLarge});
        return false;
    }
    m_lastRead = bytes.size();
    const qsizetype whole = bytes.lastIndexOf('\n') + 1;
    if (whole == 0)
        return true;
    if (cancelled && cancelled->load())
        return false;
    const QByteArray lines = QByteArray::fromRawData(bytes.constData(), whole);
    m_answers.append(parseLines(lines));
    m_offset += whole;
    m_tail = (m_tail + lines.right(kTailBytes)).right(kTailBytes);
    return true;
}

} // namespace records
