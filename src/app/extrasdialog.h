#pragma once
// "Extras": the teacher's switches for what Kalimbo adds to the classic
// exercises. Reached from the options panel, so it stays out of the child's
// way; each switch is stored as soon as it changes.

#include <QDialog>

struct Extras;
class QCheckBox;
class QPushButton;

class ExtrasDialog : public QDialog {
    Q_OBJECT
public:
    ExtrasDialog(Extras &extras, QWidget *parent = nullptr);

signals:
    /// A switch changed and the new state should be stored.
    void changed();
    /// The teacher asked for the report of the children's answers.
    void historyRequested();

private:
    QCheckBox *SpeakWords = nullptr;
    QCheckBox *SyllableArcs = nullptr;
    QCheckBox *SyllableColours = nullptr;
    QCheckBox *PractiseMistakes = nullptr;
    QCheckBox *KeepRecords = nullptr;
    QPushButton *History = nullptr; // "Verlauf ..."
};
