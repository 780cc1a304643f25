#pragma once
// "Klasse": the teacher writes the children's names, one a line, may give a
// child a picture (shown as a small round image), and chooses where the
// list is kept: in her own settings, or beside the pictures as Klasse.txt
// for every PC of the class share.

#include <QByteArray>
#include <QDialog>
#include <QHash>
#include <QImage>
#include <QStringList>

class Dialogs;
class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class ClassDialog : public QDialog {
    Q_OBJECT
public:
    /// `pictureHome`: where the pictures of the list are kept now.
    ClassDialog(const QStringList &names, bool besidePictures, const QString &pictureHome,
                Dialogs &dialogs, QWidget *parent = nullptr);
    ~ClassDialog() override;

    /// The names as the list keeps them (cleaned, each once).
    QStringList names() const;
    bool besidePictures() const;
    /// The pictures chosen or taken away (empty bytes), by name, to be kept
    /// when the dialog is accepted.
    const QHash<QString, QByteArray> &pictureChanges() const { return m_changes; }
    /// The picture shown for a name (null: none).
    QImage pictureOf(const QString &name) const { return m_pictures.value(name); }
    /// Chooses a picture file for the selected child; it is prepared on a
    /// worker (`pictureReady` follows).
    void choosePicture();
    void removePicture();
    /// A chosen picture is still being prepared.
    bool isBusy() const { return m_busy > 0; }

signals:
    /// A chosen picture was prepared (or refused, with a message).
    void pictureReady(const QString &name);

private:
    void listChildren();
    QString selectedName() const;

    Dialogs &m_dialogs;
    QHash<QString, QImage> m_pictures;
    QHash<QString, QByteArray> m_changes;
    int m_busy = 0;
    QPlainTextEdit *Namen = nullptr;
    QListWidget *Kinder = nullptr;
    QPushButton *Bild = nullptr;     // "Bild ..."
    QPushButton *OhneBild = nullptr; // "Ohne Bild"
    QCheckBox *NebenDenBildern = nullptr;
};
