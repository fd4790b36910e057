#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ActionList.h"
#include "GuiContext.h"
#include "QtUiHooks.h"
#include "app/StartupSwitches.h"

class QLabel;
class QSplitter;
class QTabWidget;
class QTableView;
class QTimer;

namespace corvel::gui {

class DrawsTab;
class CombsTab;
class GraphsTab;
class StatsTab;
class StakesTab;
class SystemsTab;
class CardTab;
class LayoutTab;
class RatingsTab;
class ScenarioTab;
class TablesTab;

// The desktop window: two tab groups with a splitter, the seven status bar
// panels, the menus and toolbars with every command. It owns the workspace
// for the run; the tabs show its services and call them. Creation loads the
// settings and the registry; Initialise (run once the window shows) runs the
// engine's start-up (folder lock, data, the switches' work).
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(app::DataFiles files, app::StartupSwitches switches, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up work after the window is shown. False when the program
    // must end (the folder is in use, or an unattended run finished).
    bool Initialise();

    app::Workspace& Workspace() { return ws_; }
    QtUiHooks& Hooks() { return hooks_; }
    ActionList& Actions() { return actions_; }
    QLabel* StatusPanel(int i) const { return panels_.at(static_cast<std::size_t>(i)); }
    DrawsTab* Draws() const { return drawsTab_; }
    CombsTab* Combs() const { return combsTab_; }
    StatsTab* Stats() const { return statsTab_; }
    GraphsTab* Graphs() const { return graphsTab_; }
    StakesTab* Stakes() const { return stakesTab_; }
    RatingsTab* Ratings() const { return ratingsTab_; }
    ScenarioTab* Scenario() const { return scenarioTab_; }
    SystemsTab* Systems() const { return systemsTab_; }
    CardTab* Card() const { return cardTab_; }
    LayoutTab* Layout() const { return layoutTab_; }
    TablesTab* Tables() const { return tablesTab_; }
    QTabWidget* LeftTabs() const { return left_; }
    QTabWidget* RightTabs() const { return right_; }

  public slots:
    void RefreshViews(bool force);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void BuildLayout();
    void BuildMenus();
    // Shows or hides the graphs tab and keeps the choice (TabGraphs); a tab
    // shown comes to the front.
    void ShowGraphsTab(bool on);
    // The same for the systems tab (SystemsEnabled): shown, it reads the
    // systems list; hidden, the list is emptied.
    void ShowSystemsTab(bool on);
    // The same for the regulars tab (TabTables); the list is read when the
    // tab is shown and dropped from memory when it is hidden.
    void ShowTablesTab(bool on);
    void RestoreViewSettings();
    void SaveViewSettings();
    // The lists whose column layouts the view settings keep, by stored name.
    std::vector<std::pair<std::string, QTableView*>> Lists() const;
    void UpdateArchivePanels();
    void UpdateCombsPanel();
    void UpdateStakesPanel();
    void UpdateRatingsPanel();

    QtUiHooks hooks_;
    app::Workspace ws_;
    app::StartupSwitches switches_;
    ViewHub hub_;
    ActionList actions_;
    GuiContext ctx_;

    QTabWidget* left_ = nullptr;
    QTabWidget* right_ = nullptr;
    QSplitter* splitter_ = nullptr;
    std::array<QLabel*, 7> panels_{};
    DrawsTab* drawsTab_ = nullptr;
    CombsTab* combsTab_ = nullptr;
    StatsTab* statsTab_ = nullptr;
    GraphsTab* graphsTab_ = nullptr;
    StakesTab* stakesTab_ = nullptr;
    RatingsTab* ratingsTab_ = nullptr;
    ScenarioTab* scenarioTab_ = nullptr;
    SystemsTab* systemsTab_ = nullptr;
    CardTab* cardTab_ = nullptr;
    LayoutTab* layoutTab_ = nullptr;
    TablesTab* tablesTab_ = nullptr;
    QTimer* actionTimer_ = nullptr;
    bool initialised_ = false;
    bool dataShown_ = false;       // the views show the data loaded at start-up
    bool closeAfterStop_ = false;  // closing waits for the running operation to stop
};

// The text of the exclusive-access error.
QString ExclusiveAccessText();

}  // namespace corvel::gui
