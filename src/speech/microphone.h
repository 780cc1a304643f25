#pragma once
// The default input device of the sound server, read with a QAudioSource on
// the sound thread (a server that does not answer must not hold the
// window). The samples are counted as they come, so the recording's length
// limit and the level meter follow the sound itself, not a timer.

#include "speech/soundinput.h"

#include <memory>

class Microphone final : public SoundInput {
    Q_OBJECT
public:
    explicit Microphone(QObject *parent = nullptr);
    ~Microphone() override;

    void lookUp() override;
    void start(int limitMs) override;
    void stop() override;

    /// The rate recordings are made at: plenty for a spoken word.
    static constexpr int kRate = 22050;

private:
    struct Link;
    class Worker;
    const std::shared_ptr<Link> m_link;
    Worker *m_worker = nullptr; // on the sound thread
};
