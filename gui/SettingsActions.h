#pragma once

#include <QList>

class QAction;
class QWidget;

namespace corvel::gui {

struct GuiContext;

// The settings commands: EditConfig (the game settings), EditShredding (the
// shredding formulas) and EditProxy (the proxy server).
// Registers them in the context's action list and returns them in menu order;
// the dialogs open over `parent`.
QList<QAction*> CreateSettingsActions(GuiContext& ctx, QWidget* parent);

}  // namespace corvel::gui
