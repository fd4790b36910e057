#pragma once

#include <QObject>

#include "app/Workspace.h"
#include "model/ViewSettings.h"

namespace corvel::gui {

class QtUiHooks;
class ActionList;

// Signals that tie the views together: the change notifications of the
// workspace's services as Qt signals, and the main window refreshes what
// depends on them.
class ViewHub : public QObject {
    Q_OBJECT
  public:
    explicit ViewHub(app::Workspace& ws, QObject* parent = nullptr) : QObject(parent), ws_(ws) {
        subscription_ = ws_.Changes().Subscribe([this](app::EChange change) {
            switch (change) {
                case app::EChange::Archive:
                    emit archiveChanged();
                    break;
                case app::EChange::Offset:
                    emit offsetChanged();
                    break;
                case app::EChange::Sorted:
                    emit refreshViews(true);
                    break;
                case app::EChange::Settings:
                    emit settingsChanged();
                    break;
                case app::EChange::Combs:
                    emit combsChanged();
                    break;
                case app::EChange::Stakes:
                    emit stakesChanged();
                    break;
                case app::EChange::Scenario:
                    emit scenarioChanged();
                    break;
                case app::EChange::Ratings:
                    emit ratingsChanged();
                    break;
                case app::EChange::Tables:
                    emit tablesChanged();
                    break;
            }
        });
    }
    ~ViewHub() override { ws_.Changes().Unsubscribe(subscription_); }

  signals:
    void archiveChanged();   // draws added, edited, deleted or loaded
    void offsetChanged();    // DrawsOffset changed
    void combsChanged();     // the combination list or the applied filters changed
    void settingsChanged();  // game settings changed (registry rebuilt)
    void stakesChanged();    // the stakes file changed (stakes added, deleted or checked)
    void scenarioChanged();  // the lines of the current scenario changed
    void ratingsChanged();   // the ratings changed (stakes checked, rebuilt, sorted)
    void tablesChanged();    // the regular table stakes changed (loaded, added, advanced, deleted)
    // Recompute every analysis view (the statistics table first).
    void refreshViews(bool force);

  private:
    app::Workspace& ws_;
    int subscription_ = 0;
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
