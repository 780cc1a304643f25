#pragma once
// "Extras": the teacher's switches for speech, syllables, records, practice
// and the card box, each off until she turns it on. Reached from the options
// panel, so it stays out of the child's way; each switch is stored as soon as
// it changes.

#include <QDialog>
#include <functional>

struct Extras;
class QCheckBox;
class QLayout;
class QLabel;
class QPushButton;

class QScrollArea;

class ExtrasDialog : public QDialog {
    Q_OBJECT
public:
    /// What the dialog tells the teacher besides the switches.
    struct Facts {
        /// Where the answers are kept.
        QString recordsFolder;
        /// Asked once the dialog shows: whether a sound output is there.
        std::function<bool()> soundDevice;
    };

    ExtrasDialog(Extras &extras, const Facts &facts, QWidget *parent = nullptr);

signals:
    /// A switch changed and the new state should be stored.
    void changed();
    /// The teacher asked for the report of the children's answers.
    void historyRequested();
    /// The teacher asked for the class list.
    void classRequested();
    /// The teacher asked for the word manager.
    void wordsRequested();
    /// The teacher asked for a worksheet of her own pictures.
    void writingLinesRequested();
    void soundTableRequested();

private:
    /// Greys out what needs the records, with the reason beside it.
    void showRecordsNeeded(bool recordsOn);
    /// Keeps the fixed width and takes the height the texts need.
    void fitHeight();

    QWidget *m_content = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLayout *m_closeRow = nullptr; // "Schließen", below the scrolling part
    QCheckBox *SpeakWords = nullptr;
    QLabel *NoSound = nullptr; // said when no sound output works
    QCheckBox *SyllableArcs = nullptr;
    QCheckBox *SyllableColours = nullptr;
    QCheckBox *PractiseMistakes = nullptr;
    QLabel *PractiseNeedsRecords = nullptr;
    QCheckBox *CardBox = nullptr; // "Karteikasten"
    QLabel *CardBoxNeedsRecords = nullptr;
    QCheckBox *KeepRecords = nullptr;
    QCheckBox *BoardMode = nullptr;      // "Tafelmodus"
    QCheckBox *ScreenKeyboard = nullptr; // "Bildschirmtastatur"
    QCheckBox *Contrast = nullptr;       // "Kontrast"
    QPushButton *History = nullptr;      // "Verlauf ..."
    QLabel *HistoryNeedsRecords = nullptr;
    QPushButton *Klasse = nullptr;       // "Klasse ..."
    QPushButton *Words = nullptr;        // "Wörter verwalten ..."
    QPushButton *WritingLines = nullptr; // "Schreiblinien ..."
    QPushButton *SoundTable = nullptr;   // "Anlauttabelle ..."
};
