#pragma once
// The teacher's view of one child's card box: every noun with the
// compartment of its article card and of its spelling card, and when each
// comes back; nouns whose pictures are gone are kept, greyed. A noun can be
// put back into the first compartment (a line in the child's records, so the
// box stays the replay of the records), and the first compartment printed as
// learning cards.

#include "records/cardbox.h"

#include <QDate>
#include <QDialog>
#include <QStringList>

class Program;
class QPushButton;
class QTableWidget;

class Karteikasten : public QDialog {
    Q_OBJECT
public:
    Karteikasten(Program &program, const QString &child, const records::CardBox &box,
                 const QDate &today, QWidget *parent = nullptr);

    /// The rows as shown: "noun | article card | spelling card", greyed rows
    /// marked "(kein Bild)".
    QStringList rows() const;
    /// The nouns with a card in the first compartment that still have their
    /// picture, as "1. Fach drucken" prints them.
    QStringList firstCompartment() const;

signals:
    /// A noun was put back: the report should read the records again.
    void changed();

private:
    void fill();
    void putBack();

    Program &m_program;
    QString m_child;
    records::CardBox m_box;
    QDate m_today;
    QStringList m_entries; // one per row
    QTableWidget *Faecher = nullptr;
    QPushButton *Zurueck = nullptr; // "Zurück ins 1. Fach"
    QPushButton *Drucken = nullptr; // "1. Fach drucken"
};
