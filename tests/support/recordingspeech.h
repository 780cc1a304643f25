#pragma once
// Speech for tests: every request is kept, nothing is heard.

#include "speech/speech.h"

#include <QList>

class RecordingSpeech final : public Speech {
public:
    struct Request {
        QString text;
        QString recording;  // file name only, empty for the synthetic voice
        bool after = false; // queued behind what was being said
    };
    QList<Request> requests;
    int stops = 0;

    void speak(const QString &text, const QString &recording = QString()) override {
        requests.append({text, fileName(recording), false});
    }
    void speakAfter(const QString &text, const QString &recording = QString()) override {
        requests.append({text, fileName(recording), true});
    }
    void stop() override { ++stops; }

    /// The texts asked for, in order.
    QStringList texts() const {
        QStringList t;
        for (const Request &r : requests)
            t << r.text;
        return t;
    }
    void clear() {
        requests.clear();
        stops = 0;
    }

private:
    static QString fileName(const QString &path) { return path.mid(path.lastIndexOf(u'/') + 1); }
};
