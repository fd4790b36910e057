#pragma once

#include <QObject>

#include "app/Workspace.h"
#include "model/ViewSettings.h"

namespace corvel::gui {

class QtUiHooks;
class ActionList;

// Signals that tie the views together: a tab that changes shared data says so
// here, and the main window refreshes what depends on it.
class ViewHub : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void archiveChanged();   // draws added, edited, deleted or loaded
    void offsetChanged();    // DrawsOffset changed
    void combsChanged();     // the combination list or the applied filters changed
    void settingsChanged();  // game settings changed (registry rebuilt)
    // Recompute every analysis view (the statistics table first).
    void refreshViews(bool force);
};

// What every tab, dialog and controller of the desktop program gets: the
// engine's workspace, the user-interface services, the view settings store
// and the hub. Owned by the main window; passed by reference.
struct GuiContext {
    app::Workspace& Ws;
    QtUiHooks& Hooks;
    ViewSettings& View;
    ViewHub& Hub;
    ActionList& Actions;
};

}  // namespace corvel::gui
