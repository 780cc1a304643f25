#include "records/record.h"

#include <QStringList>

namespace records {

const QStringList &exerciseIds() {
    static const QStringList ids{"lesen",     "bildwahl", "wortwahl",  "begleiter",
                                 "ergaenzen", "abc",      "abschrift", "diktat",
                                 "teppich",   "fange",    "memory",    "galgen"};
    return ids;
}

QString exerciseTitle(const QString &id) {
    static const char *const titles[] = {"Lesen",    "Bildwahl", "Wortwahl",  "Begleiter",
                                         "Ergänzen", "A B C",    "Abschrift", "Diktat",
                                         "Teppich",  "Fange",    "Memory",    "Galgen"};
    const int i = exerciseIds().indexOf(id);
    return i < 0 ? id : QString::fromUtf8(titles[i]);
}

bool isJudged(const QString &id) {
    // Reading a noun is looking at it, not answering: older files have such
    // lines, which stay readable but count for nothing.
    return id != QLatin1String("lesen");
}

bool isArticleExercise(const QString &id) {
    return id == QLatin1String("begleiter");
}

QString articleOf(const QString &entry) {
    const QString a = entry.left(3).toLower();
    if (a == QLatin1String("der") || a == QLatin1String("die") || a == QLatin1String("das"))
        return a;
    return QString();
}

} // namespace records
