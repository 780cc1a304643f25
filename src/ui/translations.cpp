#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace translations {

bool installQtGerman(QCoreApplication &app) {
    // One translator for the application's lifetime, parented to it.
    auto *existing = app.findChild<QTranslator *>(QStringLiteral("kalimboQtGerman"));
    if (existing)
        return true;
    auto *translator = new QTranslator(&app);
    translator->setObjectName(QStringLiteral("kalimboQtGerman"));
    if (!translator->load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace translations
