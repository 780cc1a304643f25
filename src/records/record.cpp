#include "records/record.h"

#include "core/exercisetable.h"

#include <QStringList>

namespace records {

QString exerciseTitle(const QString &id) {
    const Exercise *e = exercises::byRecordId(id);
    return e ? QString::fromUtf8(e->heading) : id;
}

bool isJudged(const QString &id) {
    // Reading a noun is looking at it, not answering: older files have such
    // lines, which stay readable but count for nothing. Nor is a teacher's
    // putting cards back an answer.
    return id != QLatin1String("lesen") && id != QLatin1String(kBackToFirst);
}

bool isArticleExercise(const QString &id) {
    return id == QLatin1String("begleiter");
}

} // namespace records
