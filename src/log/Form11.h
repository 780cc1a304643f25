#pragma once
// The user-input log: twelve lists of what the child got right, one per
// exercise, shown to the teacher under "Kontrolle". It lives in memory only.

#include "program/program.h"
#include "ui/screen.h"

class QLabel;
class QListWidget;
class QPushButton;

class Form11 : public Screen {
    Q_OBJECT
public:
    explicit Form11(Program &program);

    /// Appends a line to one list; creates the window hidden if needed.
    static void appendTo(Program &program, LogList list, const QString &line);
    /// Empties all twelve lists, if the window exists.
    static void clearIn(Program &program);

    void append(LogList list, const QString &line);
    void clearAll();
    QStringList lines(LogList list) const;
    QString heading(LogList l) const;

protected:
    void activated() override;

private:
    /// "Verlauf ..." shows while the program keeps records.
    void showHistoryButton();

    Program &m_program;
    QWidget *Shape1 = nullptr;       // head band
    QPushButton *Command1 = nullptr; // "Abbruch ..."
    QLabel *Label1 = nullptr;        // the child's name
    /// "Verlauf ...": the kept answers; shown only while the program keeps them.
    QPushButton *Command2 = nullptr;
    /// List1 to List12, in the order of LogList.
    QListWidget *m_lists[12] = {};
    QLabel *m_headings[12] = {};

    QListWidget *list(LogList l) const { return m_lists[int(l) - 1]; }
};
