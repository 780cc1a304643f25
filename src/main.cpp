// Kalimbo: German nouns with their articles, for children in their first
// school years. Starts on the picture files of the working directory.

#include "app/icon.h"
#include "app/kalimboprogram.h"
#include "core/clock.h"
#include "core/random.h"
#include "drawing/fonts.h"
#include "ui/dialogs.h"
#include "ui/translations.h"

#include <QApplication>

int main(int argc, char **argv) {
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
