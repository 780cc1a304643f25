#include "support/recordingdialogs.h"

void RecordingDialogs::message(const QString &text, const QString &title, Icon icon) {
    boxes.push_back({text, title, icon, false, false});
    if (onShow)
        onShow(boxes.last());
}

bool RecordingDialogs::askYesNo(const QString &text, const QString &title, bool defaultNo,
                                Icon icon) {
    boxes.push_back({text, title, icon, true, defaultNo});
    if (onShow)
        onShow(boxes.last());
    return answers.isEmpty() ? fallback : answers.takeFirst();
}

QString RecordingDialogs::chooseFile(const QString &title, const QString &) {
    fileDialogs << title;
    return chosenFiles.isEmpty() ? QString() : chosenFiles.takeFirst();
}
