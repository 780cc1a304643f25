#pragma once
// Letter carpet: the letters of a noun hidden among fillers on 5 x 5
// coloured cells; the child clicks them in order.

#include "rules/carpet.h"
#include "ui/screen.h"

class Canvas;
class ImageView;
class PressLabel;
class Program;
class QLabel;
class QPushButton;

class Form7 : public Screen {
    Q_OBJECT
public:
    explicit Form7(Program &program);

    /// A mouse press on the carpet at twips inside it.
    void carpetPressed(QPoint twips);
    bool solutionShown() const;

    /// The carpet as it stands, for reading.
    const Carpet &carpet() const { return m_carpet; }
    /// The cell the keyboard's cursor is on, -1 while it is not shown.
    int cursorCell() const;

    static constexpr int kPanelShown = 120;
    static constexpr int kPanelHidden = 14400;
    static constexpr int kSolutionLeft = 8520;
    static constexpr int kSolutionTop = 5640;

protected:
    void activated() override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void newCarpet();
    void drawCarpet();
    void drawCell(int k, const QColor &fill);
    void solutionClicked();
    void placeSolutionText();
    /// Arrow keys move the cursor, Space and Return choose its cell.
    bool carpetKey(int key);
    void showCursor(int k);

    Carpet m_carpet;
    int m_cursor = 0;                 // the keyboard's cell
    QWidget *m_cursorFrame = nullptr; // shown once a key moves over the carpet
    QString m_missed;                 // wrong letters clicked on this carpet
    QLabel *Label1 = nullptr;         // the noun, spaced out
    Canvas *bild2 = nullptr;          // found letters
    Canvas *bild1 = nullptr;          // the carpet
    QPushButton *Command1 = nullptr;  // "Abbruch . . ."
    QPushButton *Command2 = nullptr;  // "Hilfe"
    QPushButton *Command3 = nullptr;  // "N e u"
    PressLabel *Picture1 = nullptr;   // solution panel
    ImageView *Image2 = nullptr;      // its picture
    PressLabel *Label4 = nullptr;     // its noun
    Program &m_program;
};
