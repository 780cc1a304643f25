#include "program/childrecords.h"

#include <chrono>

ChildRecords::~ChildRecords() {
    join();
}

void ChildRecords::join() {
    if (m_reading.valid())
        m_reading.get();
}

void ChildRecords::read(const QDateTime &now) {
    // A file that cannot be read has no answers: the box is empty and the
    // exercises draw as described.
    m_file.update(m_path, nullptr);
    m_box.follow(m_file.answers(), m_file.generation(), now);
}

void ChildRecords::prepare(const QString &path, const QDateTime &now) {
    // A name being typed asks at every keystroke: a reading under way is
    // never waited for here, update() catches up with what it missed.
    if (m_reading.valid() &&
        m_reading.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    join();
    if (path == m_path)
        return;
    m_path = path;
    m_reading = std::async(std::launch::async, [this, now] { read(now); });
}

void ChildRecords::update(const QString &path, const QDateTime &now) {
    join();
    m_path = path;
    read(now);
}
