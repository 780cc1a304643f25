#include "drawing/fonts.h"

#include <QFont>
#include <QStringList>

namespace fonts {

void installSubstitutions() {
    static bool done = false;
    if (done)
        return;
    done = true;
    // Average advance of German captions, in ems (regular / bold):
    // DejaVu Sans 0.52 / 0.59, Liberation Sans 0.46 / 0.49. Verdana is wider
    // still, so DejaVu Sans comes closest to it. MS Sans Serif has Arial's
    // proportions, and Liberation Sans is metric-compatible with Arial;
    // DejaVu Sans would make its captions about a fifth wider than laid out.
    const QString dejaVu = QStringLiteral("DejaVu Sans");
    const QString liberation = QStringLiteral("Liberation Sans");
    const QString noto = QStringLiteral("Noto Sans");
    const QStringList wide = {dejaVu, liberation, noto};
    const QStringList narrow = {liberation, QStringLiteral("Nimbus Sans"), dejaVu, noto};
    for (const char *name : {"Verdana", "Tahoma"})
        QFont::insertSubstitutions(QString::fromLatin1(name), wide);
    for (const char *name : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Helvetica"})
        QFont::insertSubstitutions(QString::fromLatin1(name), narrow);
    // The Liberation fonts share the widths of these two; DejaVu is wider.
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono"),
                                                               QStringLiteral("DejaVu Sans Mono")});
}

} // namespace fonts
