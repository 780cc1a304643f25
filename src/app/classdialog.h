#pragma once
// "Klasse": the teacher writes the children's names, one a line, and
// chooses where the list is kept: in her own settings, or beside the
// pictures as Klasse.txt for every PC of the class share.

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QPlainTextEdit;

class ClassDialog : public QDialog {
    Q_OBJECT
public:
    ClassDialog(const QStringList &names, bool besidePictures, QWidget *parent = nullptr);

    /// The names as the list keeps them (cleaned, each once).
    QStringList names() const;
    bool besidePictures() const;

private:
    QPlainTextEdit *Namen = nullptr;
    QCheckBox *NebenDenBildern = nullptr;
};
