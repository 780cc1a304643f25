#include "core/palette.h"

namespace palette {

const QString kVowels = QStringLiteral("AEIOUÄÖÜaeiouäöü");

QColor colour(int index) {
    static const QRgb table[16] = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255),
    };
    return QColor(table[((index % 16) + 16) % 16]);
}

bool isVowel(QChar c) {
    return kVowels.contains(c);
}

} // namespace palette
