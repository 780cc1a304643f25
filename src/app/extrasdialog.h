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

    QCheckBox *speakWords() const { return m_speak; }
    QCheckBox *syllableColours() const { return m_syllables; }
    QCheckBox *practiseMistakes() const { return m_mistakes; }
    QCheckBox *keepRecords() const { return m_records; }
    QPushButton *history() const { return m_history; }

signals:
    /// A switch changed and the new state should be stored.
    void changed();
    /// The teacher asked for the report of the children's answers.
    void historyRequested();

private:
    QCheckBox *m_speak = nullptr;
    QCheckBox *m_syllables = nullptr;
    QCheckBox *m_mistakes = nullptr;
    QCheckBox *m_records = nullptr;
    QPushButton *m_history = nullptr;
};
