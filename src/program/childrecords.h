#pragma once
// The kept answers of the child at the keyboard while the program runs, for
// the card box and the practice of missed nouns: read off the window thread
// as soon as the child is known, afterwards only what was appended since (by
// this computer or another on the share), and the card box follows them.

#include "records/answerfile.h"
#include "records/cardbox.h"

#include <QDateTime>
#include <QString>
#include <future>

class ChildRecords {
public:
    ChildRecords() = default;
    ChildRecords(const ChildRecords &) = delete;
    ChildRecords &operator=(const ChildRecords &) = delete;
    /// Waits for a reading under way.
    ~ChildRecords();

    /// Starts reading the file at `path` on a worker, unless it is the file
    /// kept already or a reading is under way.
    void prepare(const QString &path, const QDateTime &now);
    /// Brings answers and card box up to date with the file at `path` as of
    /// `now`: waits for a reading under way (what is drawn never depends on
    /// the machine's speed), then reads what was appended since.
    void update(const QString &path, const QDateTime &now);

    const QList<records::Record> &answers() const { return m_file.answers(); }
    const records::CardBox &box() const { return m_box; }

private:
    void join();
    void read(const QDateTime &now);

    QString m_path;
    records::AnswerFile m_file;
    records::CardBox m_box;
    std::future<void> m_reading;
};
