#include "core/spelling.h"

#include "files/safefile.h"

#include <QFile>
#include <hunspell/hunspell.hxx>

SpellingHint::SpellingHint() = default;
SpellingHint::~SpellingHint() = default;

QString SpellingHint::defaultBase() {
    return QStringLiteral("/usr/share/hunspell/de_DE");
}

bool SpellingHint::load(const QString &base) {
    const QString aff = base + QStringLiteral(".aff"), dic = base + QStringLiteral(".dic");
    // libhunspell opens the files itself: only regular files of a sane size.
    for (const QString &path : {aff, dic})
        if (files::probe(path, files::kDictionaryCap).status != files::Status::Ok)
            return false;
    m_speller = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(),
                                           QFile::encodeName(dic).constData());
    m_utf8 = QByteArray::fromStdString(m_speller->get_dict_encoding())
                 .compare("UTF-8", Qt::CaseInsensitive) == 0;
    return true;
}

std::string SpellingHint::encode(const QString &word) const {
    return m_utf8 ? word.toStdString() : word.toLatin1().toStdString();
}

QString SpellingHint::decode(const std::string &word) const {
    return m_utf8 ? QString::fromStdString(word) : QString::fromLatin1(word);
}

bool SpellingHint::knows(const QString &word) const {
    return !m_speller || word.isEmpty() || m_speller->spell(encode(word));
}

QStringList SpellingHint::suggestions(const QString &word, int most) const {
    QStringList out;
    if (!m_speller)
        return out;
    for (const std::string &s : m_speller->suggest(encode(word))) {
        if (out.size() >= most)
            break;
        out << decode(s);
    }
    return out;
}
