#pragma once
// Font chooser: lists the screen fonts, shows the selected one and a sample
// whose size can be changed, and hands the chosen font name to the
// worksheet windows through Label1 (its caption says whether a font was
// taken, its font is the font). Opens beside the worksheet that called it.

#include "ui/screen.h"

#include <QPointer>
#include <QStringList>

class Program;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;

class schriften : public Screen {
    Q_OBJECT
public:
    explicit schriften(Program &program);

    /// The family taken with "Ausgewählte Schrift übernehmen"; empty while none was taken.
    QString chosenFamily() const;

    /// The window that is activated again when the chooser closes.
    void setCaller(Screen *caller) { m_caller = caller; }

    /// The screen's fonts with Latin letters, without foundries or
    /// duplicates, in the program's sort order.
    static QStringList screenFonts();

    void take();
    void cancel();

protected:
    void activated() override;
    bool titleBarClose() override;

private:
    void fill();
    void showFont(int row);
    void setSampleSize(int value);
    void resetToStart();
    void backToCaller();

    QListWidget *List1 = nullptr;
    QLabel *Label1 = nullptr; // chosen font: caption and font are the hand-over
    QLabel *Label2 = nullptr; // sample
    QScrollBar *VScroll1 = nullptr;
    QPushButton *Command1 = nullptr; // "Abbruch . . ."
    QPushButton *Command2 = nullptr; // "Ausgewählte Schrift übernehmen"
    QPointer<Screen> m_caller;
};
