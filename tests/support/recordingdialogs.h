#pragma once
// Message boxes for tests: every box is kept, Yes/No answers come from a script.

#include "ui/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class RecordingDialogs final : public Dialogs {
public:
    struct Box {
        QString text;
        QString title;
        Icon icon = NoIcon;
        bool yesNo = false;
        bool defaultNo = false;
    };
    QList<Box> boxes;
    /// Answers for askYesNo, taken from the front; when empty, `fallback`.
    QList<bool> answers;
    bool fallback = true;
    /// Files "chosen" in file dialogs, taken from the front (empty: cancelled);
    /// the titles of the dialogs asked for.
    QStringList chosenFiles;
    QStringList fileDialogs;
    /// Runs while a box is "open" (to look at the windows under it).
    std::function<void(const Box &)> onShow;

    void message(const QString &text, const QString &title, Icon icon = NoIcon) override;
    bool askYesNo(const QString &text, const QString &title, bool defaultNo = true,
                  Icon icon = NoIcon) override;
    QString chooseFile(const QString &title, const QString &filter) override;

    const Box &last() const { return boxes.last(); }
    QString lastText() const { return boxes.isEmpty() ? QString() : boxes.last().text; }
    void clear() { boxes.clear(); }
};
