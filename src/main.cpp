// Kalimbo: German nouns with their articles, for children in their first
// school years. Starts on the picture files of the working directory.

#include "app/icon.h"
#include "app/kalimboprogram.h"
#include "core/clock.h"
#include "core/random.h"
#include "drawing/fonts.h"
#include "ui/dialogs.h"
#include "ui/translations.h"

#include "core/extras.h"

#include <QApplication>
#include <QSettings>

namespace {
/// "Tafelmodus": the whole program one and a half times as large, so that
/// every target is big enough for a finger on a whiteboard. Qt reads the
/// factor when the application starts, so it is set before; a factor the
/// user set by hand wins.
void applyBoardMode() {
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return;
    QSettings settings(Extras::usableFile(Extras::userFilePath()), QSettings::IniFormat);
    if (Extras::load(settings).boardMode)
        qputenv("QT_SCALE_FACTOR", "1.5");
}
} // namespace

int main(int argc, char **argv) {
    applyBoardMode();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalimbo"));
    translations::installQtGerman(app);
    fonts::installSubstitutions();
    QApplication::setFont(QFont(QStringLiteral("Verdana"), 9));
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.kalimbo.Kalimbo"));
    QApplication::setWindowIcon(icon::window());

    QtDialogs dialogs;
    SystemRandom random;
    SystemClock clock;
    KalimboProgram program(dialogs, random, clock);
    if (!program.start())
        return 0;
    // The main menu's close ends the program itself; keep running until then.
    QApplication::setQuitOnLastWindowClosed(false);
    return app.exec();
}
