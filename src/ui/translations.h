#pragma once
// Qt's own texts (message-box buttons, the context menus of text fields and
// scroll bars) in German, whatever language the system is set to.

class QCoreApplication;

namespace translations {
/// Installs Qt's German catalogue on the application. Safe to call more than
/// once; false when the catalogue is not installed (Qt then stays English).
bool installQtGerman(QCoreApplication &app);
} // namespace translations
