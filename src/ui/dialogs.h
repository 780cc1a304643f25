#pragma once
// Modal message boxes. Texts use "\r" as the line break, as the program's
// messages are written; the Qt implementation shows them as lines.

#include <QString>

class QWidget;

class Dialogs {
public:
    enum Icon { NoIcon, Information, Warning, Critical, Question };
    virtual ~Dialogs() = default;
    /// OK box.
    virtual void message(const QString &text, const QString &title, Icon icon = NoIcon) = 0;
    /// Yes/No box; true for Yes.
    virtual bool askYesNo(const QString &text, const QString &title, bool defaultNo = true,
                          Icon icon = NoIcon) = 0;
    /// A file the user chooses to open (`filter` as Qt's file dialogs take
    /// it); empty when none was chosen.
    virtual QString chooseFile(const QString &title, const QString &filter) = 0;
};

/// QMessageBox and QFileDialog, parented to the program's active window.
class QtDialogs final : public Dialogs {
public:
    void message(const QString &text, const QString &title, Icon icon = NoIcon) override;
    bool askYesNo(const QString &text, const QString &title, bool defaultNo = true,
                  Icon icon = NoIcon) override;
    QString chooseFile(const QString &title, const QString &filter) override;
};
