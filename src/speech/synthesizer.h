#pragma once
// The synthetic German voice (eSpeak NG), synthesised into memory in this
// process: no sound device is touched here, so it works without one. The
// voice loads on first use. eSpeak keeps global state, so every call is
// serialised; call it from a worker thread, never from the window's.

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <atomic>

class Synthesizer {
public:
    /// The one voice of the process.
    static Synthesizer &instance();

    /// Loads the voice unless loaded; false (with a warning, once) if it cannot be.
    bool load();
    /// Samples per second of the PCM (0 until loaded).
    int sampleRate() const { return m_rate.load(); }
    /// Signed 16-bit mono PCM in the machine's byte order; empty when the
    /// voice cannot be loaded or the text says nothing. Stops early and
    /// returns what it has when cancel becomes true.
    QByteArray synthesize(const QString &text, const std::atomic<bool> *cancel = nullptr);

private:
    Synthesizer() = default;
    bool loadLocked();

    QMutex m_mutex;
    std::atomic<int> m_rate{0};
    bool m_tried = false;
};
