#include "drawing/fonts.h"

#include <QFont>
#include <QStringList>

namespace fonts {

void installSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QStringList sans = {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                              QStringLiteral("Noto Sans")};
    for (const char *name : {"Verdana", "MS Sans Serif", "Arial", "Tahoma", "Helvetica"})
        QFont::insertSubstitutions(QString::fromLatin1(name), sans);
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"),
                               {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono")});
}

} // namespace fonts
