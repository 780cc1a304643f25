#include "core/menustate.h"

MenuState::MenuState() {
    m_options[std::size_t(Option::Bestaetigungen)] = true;
    m_options[std::size_t(Option::Namenseingabe)] = true;
}

void MenuState::setNouns(const QStringList &nouns, const QStringList &pictureFiles,
                         const QString &filterLetters) {
    if (nouns == m_nouns && pictureFiles == m_files && filterLetters == m_filterLetters)
        return;
    m_nouns = nouns;
    m_files = pictureFiles;
    m_filterLetters = filterLetters;
    emit nounsChanged();
}

void MenuState::setNameField(const QString &name) {
    if (name == m_nameField)
        return;
    m_nameField = name;
    emit nameChanged();
}

void MenuState::setNameLabel(const QString &name) {
    if (name == m_nameLabel)
        return;
    m_nameLabel = name;
    emit nameChanged();
}

void MenuState::setOption(Option o, bool on) {
    if (m_options[std::size_t(o)] == on)
        return;
    m_options[std::size_t(o)] = on;
    emit optionChanged(o);
}

void MenuState::setColours(int vowel, int consonant, const QColor &background) {
    if (vowel == m_vowel && consonant == m_consonant && background == m_background)
        return;
    m_vowel = vowel;
    m_consonant = consonant;
    m_background = background;
    emit coloursChanged();
}

void MenuState::setExtras(const Extras &extras) {
    if (extras == m_extras)
        return;
    m_extras = extras;
    emit extrasChanged();
}

void MenuState::setClassNames(const QStringList &names) {
    if (names == m_classNames)
        return;
    m_classNames = names;
    emit classChanged();
}
