#include "rules/hangman.h"

#include "core/nouns.h"

namespace hangman {

const QString kKeyOrder = QStringLiteral("APBQCRDSETFUGVHWIXJYKZLÄMÖNÜOß");

QString secretWordOf(const QString &entry) {
    const QString rest = nouns::stemOf(entry.normalized(QString::NormalizationForm_C));
    return rest.left(1) + nouns::lower(rest.mid(1));
}

bool hasKey(QChar c) {
    return kKeyOrder.contains(c.toUpper());
}

} // namespace hangman

void Hangman::start(const QString &entry) {
    m_entry = entry;
    m_secret = hangman::secretWordOf(entry);
    m_mask.clear();
    // A character no key can play (blank, hyphen, digit) is shown at once,
    // or the game could never be won.
    for (const QChar c : m_secret) {
        m_mask += QLatin1Char(' ');
        m_mask += hangman::hasKey(c) ? QChar(u'_') : c;
    }
    m_misses = 0;
}

Hangman::Outcome Hangman::play(QChar letter) {
    const QChar up = letter.toUpper();
    if (nouns::upper(m_secret).contains(up)) {
        const QChar low = up.toLower();
        for (int i = 0; i < m_secret.size(); ++i) {
            if (m_secret[i] == up)
                m_mask[2 * i + 1] = up;
            else if (m_secret[i] == low)
                m_mask[2 * i + 1] = low;
        }
        return m_mask.contains(QLatin1Char('_')) ? Outcome::Hit : Outcome::Won;
    }
    if (m_misses < kMaxMisses)
        ++m_misses;
    return m_misses >= kMaxMisses ? Outcome::Lost : Outcome::Miss;
}
