#pragma once

class QCoreApplication;

namespace corvel::gui {

// Loads Qt's own Russian texts (the buttons of message boxes, file dialogs,
// the context menus of edit fields) from the catalogues the system ships, so
// no English word of the toolkit shows in the window. False when the
// catalogue is missing; the window then works with Qt's English texts.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace corvel::gui
