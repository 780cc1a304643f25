#pragma once
// The main menu's state, which every other window reads: the noun list, the
// name, the six options, the colours and the teacher's Extras switches. The
// main menu writes it from its controls; windows read it and may follow its
// signals (the noun list can change while the program runs).

#include "core/extras.h"

#include <QColor>
#include <QObject>
#include <QStringList>
#include <array>

/// The six switches of the options panel.
enum class Option {
    Bestaetigungen,    // Check2 "Bestätigungen ein"
    Farbeinstellungen, // Check3
    Wortfilterauswahl, // Check4
    Namenseingabe,     // Check5
    BilderBeiNomen,    // Check6
    Druckerausgabe,    // Check7
};

class MenuState : public QObject {
    Q_OBJECT
public:
    MenuState();

    /// The noun list (filtered or not).
    const QStringList &nouns() const { return m_nouns; }
    /// Every picture file of the working directory, unfiltered.
    const QStringList &pictureFiles() const { return m_files; }
    /// Both lists at once, so a window told of the change sees them agree;
    /// `filterLetters` are the letters the noun list was filtered by (empty:
    /// it was not filtered).
    void setNouns(const QStringList &nouns, const QStringList &pictureFiles,
                  const QString &filterLetters = QString());
    void setNouns(const QStringList &nouns) { setNouns(nouns, m_files); }
    /// The letters the class has learnt as far as the noun list shows: those
    /// of the letter filter it passed, in list order; empty while the list
    /// holds every picture file.
    const QString &filterLetters() const { return m_filterLetters; }

    /// The name field: used in greetings; never empty.
    const QString &nameField() const { return m_nameField; }
    void setNameField(const QString &name);
    /// The name label: the name as last confirmed.
    const QString &nameLabel() const { return m_nameLabel; }
    void setNameLabel(const QString &name);

    bool option(Option o) const { return m_options[std::size_t(o)]; }
    void setOption(Option o, bool on);

    /// Palette indexes of the letter colours.
    int vowelColour() const { return m_vowel; }
    int consonantColour() const { return m_consonant; }
    /// Colour of the main menu's background sample box.
    const QColor &background() const { return m_background; }
    void setColours(int vowel, int consonant, const QColor &background);

    /// The teacher's "Extras" switches (all off unless turned on).
    const Extras &extras() const { return m_extras; }
    void setExtras(const Extras &extras);

    /// The class list the name panel offers (empty: none).
    const QStringList &classNames() const { return m_classNames; }
    void setClassNames(const QStringList &names);

signals:
    void nounsChanged();
    void nameChanged();
    void optionChanged(Option o);
    void coloursChanged();
    void extrasChanged();
    void classChanged();

private:
    QStringList m_nouns;
    QStringList m_files;
    QString m_filterLetters;
    QString m_nameField = QStringLiteral("Gast");
    QString m_nameLabel = QStringLiteral("Freund");
    std::array<bool, 6> m_options{};
    int m_vowel = 12;
    int m_consonant = 10;
    QColor m_background = Qt::black;
    Extras m_extras;
    QStringList m_classNames;
};
