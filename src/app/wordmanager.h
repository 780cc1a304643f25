#pragma once
// "Wörter": the teacher's own nouns. Lists the nouns of the picture folder
// with picture, article, recording and syllables; adds a noun from any
// picture (file dialog, drop, paste); records the selected noun from the
// microphone; takes over pictures the listing leaves out; moves a noun into
// "Papierkorb". Reached only from the Extras dialog.
// Every change is written next to the pictures without replacing anything,
// and the main menu lists its pictures again at once.

#include "drawing/pictureimport.h"

#include <QDialog>
#include <QDir>
#include <memory>

class Program;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QMimeData;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;
class QThreadPool;
class SoundInput;
class WordModel;
struct Pcm;

class WordManager : public QDialog {
    Q_OBJECT
public:
    /// `input` (taken over) is where recordings come from; the microphone
    /// when none is given.
    explicit WordManager(Program &program, QWidget *parent = nullptr, SoundInput *input = nullptr);
    ~WordManager() override;

    /// The nouns listed, in the main menu's order (picture file names).
    QStringList entries() const;
    /// The pictures that are not nouns yet.
    QStringList notYetNouns() const;
    /// True while a picture is being read or the folder looked through.
    bool busy() const;

    /// Reads a picture for the adding form (off the window thread).
    void importFile(const QString &path);
    /// A paste or a drop: a file, or picture data.
    void importMime(const QMimeData *mime);
    /// "Übernehmen": a picture of the folder into the adding form.
    void takeOver(const QString &fileName);
    /// Fills in the form's noun and article (tests; the teacher types).
    void setNoun(const QString &noun, const QString &article = QString());
    /// "Speichern": true when the new noun was saved.
    bool save();
    /// "Löschen": asks, then moves the picture and its recording into
    /// "Papierkorb". True when they were moved.
    bool moveToTrash(const QString &entry);

    /// Renames a noun or changes its article: the picture, its recordings
    /// and its line in the syllable list move together, never over an
    /// existing file. `newName` is "die Hündin". True when it was renamed.
    bool rename(const QString &entry, const QString &newName);

    /// Writes the noun's line in the syllable list ("A-mei-se"); an empty
    /// division removes it. True when the list was written.
    bool setSyllables(const QString &entry, const QString &division);
    /// The division the program makes without a line of the teacher's;
    /// empty while the patterns still load.
    QString divisionWithoutList(const QString &noun);

    /// Lists the folder again.
    void reload();

    /// The noun selected in the list (its picture file), empty when none.
    QString selectedEntry() const;
    /// Selects a noun in the list; false when it is not listed.
    bool select(const QString &entry);

    /// The longest recording: it ends by itself then.
    static constexpr int kRecordingLimitMs = 10000;
    /// "Aufnehmen": records the selected noun until "Stopp" or the limit.
    void startRecording();
    /// "Stopp".
    void stopRecording();
    /// True while a recording runs.
    bool recording() const { return m_recording; }
    /// Stores pcm as the recording of `entry`, the silence at both ends
    /// trimmed: `<name>.wav` beside the picture, as the exercises play it.
    /// A recording the noun has already goes into "Papierkorb", after a
    /// Yes/No question with "Nein" preselected. True when it was stored.
    bool storeRecording(const QString &entry, const Pcm &pcm);

signals:
    /// A picture was read (or refused) for the adding form.
    void prepared();
    /// The list of pictures not yet nouns is complete.
    void notYetNounsListed();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void startImport(const QString &name, const QString &sourceFile,
                     std::function<pictureimport::Prepared()> work);
    void showPrepared(const pictureimport::Prepared &p, const QString &sourceFile);
    void suggestArticle();
    void clearForm();
    void listNotYetNouns(const QStringList &names);
    QString chosenArticle() const;
    void message(const QString &text);
    void microphoneFound(bool present, const QString &why);
    void recordingEnded(const Pcm &pcm);
    void updateButtons();

    Program &m_program;
    QDir m_dir;
    WordModel *m_model = nullptr;
    std::unique_ptr<QThreadPool> m_pool;
    int m_running = 0;
    pictureimport::Prepared m_prepared;
    QString m_source; // the folder's file the picture came from, if any
    bool m_articleTouched = false;
    SoundInput *m_input = nullptr;
    bool m_microphone = false; // known to work
    bool m_recording = false;
    QString m_recordingEntry;

    QTableView *Liste = nullptr;
    QPushButton *Hinzufuegen = nullptr; // "Bild hinzufügen ..."
    QPushButton *Loeschen = nullptr;
    QPushButton *Umbenennen = nullptr;
    QPushButton *Silben = nullptr; // "Silben ..."
    QPushButton *Aufnehmen = nullptr;
    QPushButton *Stopp = nullptr;
    QPushButton *Anhoeren = nullptr; // "Anhören"
    QProgressBar *Pegel = nullptr;   // the level while recording
    QLabel *Mikrofon = nullptr;      // why "Aufnehmen" cannot be used, or how it goes
    QListWidget *Uebrige = nullptr;  // pictures not yet nouns
    QPushButton *Uebernehmen = nullptr;
    QLabel *Vorschau = nullptr;
    QLineEdit *Nomen = nullptr;
    QRadioButton *Der = nullptr;
    QRadioButton *Die = nullptr;
    QRadioButton *Das = nullptr;
    QButtonGroup *m_articles = nullptr;
    QLabel *Vorschlag = nullptr;
    QLabel *Hinweis = nullptr;
    QPushButton *Speichern = nullptr;
};
