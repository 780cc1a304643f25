#include "ui/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

static QString shown(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Trailing breaks only pad the box; Qt would show them as empty lines.
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

static QMessageBox::Icon qtIcon(Dialogs::Icon i) {
    switch (i) {
    case Dialogs::Information:
        return QMessageBox::Information;
    case Dialogs::Warning:
        return QMessageBox::Warning;
    case Dialogs::Critical:
        return QMessageBox::Critical;
    case Dialogs::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

void QtDialogs::message(const QString &text, const QString &title, Icon icon) {
    QMessageBox box(qtIcon(icon), title, shown(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtDialogs::askYesNo(const QString &text, const QString &title, bool defaultNo, Icon icon) {
    QMessageBox box(qtIcon(icon), title, shown(text), QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::chooseFile(const QString &title, const QString &filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, QDir::homePath(),
                                        filter);
}
