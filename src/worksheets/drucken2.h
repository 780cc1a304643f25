#pragma once
// Sound-exercise cards: sixteen cards per page, each with writing lines, the
// picture, a sound of the noun (capitalised and lower case) and three small
// boxes. A card's sound is its noun's first letter unless the teacher picks
// the first, middle or last letter or marks letters in Text1.

#include "worksheets/worksheetframe.h"

class QLineEdit;

class drucken2 : public WorksheetFrame {
    Q_OBJECT
public:
    explicit drucken2(Program &program);

    /// The sounds of the page, parallel to the cards.
    QStringList sounds() const { return page().sounds; }

    void previewRoutine(Surface &s, const WorksheetPage &page) const override;
    void pageRoutine(Surface &s, const WorksheetPage &page) const override;

    /// Default sound: the noun's first letter in upper case.
    static QString defaultSound(const QString &entry);
    /// Position (1-based) of the middle letter: L / 2 rounded half to even,
    /// at least 1 so that a one-letter noun offers its letter.
    static int middlePosition(int length);

protected:
    void pageFilled(WorksheetPage &page) override;
    void cardSelected(int k) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setSound(const QString &sound);
    void takeMarkedText();

    QListWidget *Laute1 = nullptr; // shows the sounds, outside the client area
    QLineEdit *Text1 = nullptr;    // the selected card's noun, for marking letters
    QPushButton *anlaut = nullptr;
    QPushButton *inlaut = nullptr;
    QPushButton *auslaut = nullptr;
    bool m_drawing = false;
};
