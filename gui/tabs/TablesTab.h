#pragma once

#include <QList>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <vector>

#include "GuiContext.h"

class QAction;
class QTableView;

namespace corvel::gui {

class CombsTab;
class StakesTab;
class TablesModel;

// The regulars tab (texts::kMainWindowRegularsTab): the list of the regular
// table stakes and its commands - add through the regular dialog over the
// combinations selected in the list, delete, make a stake from one regular
// through the stake dialog, and test the selected ones over the last draws.
// Every change goes through the workspace's tables service, which announces
// it; the list follows. The commands work only while the list is loaded,
// that is while the tab is shown.
class TablesTab : public QWidget {
    Q_OBJECT
  public:
    // Asks for the number of tests (1..maximum); 0 when the person cancels.
    using CountAsker = std::function<int(int maximum, int proposed)>;

    TablesTab(GuiContext& ctx, CombsTab& combs, StakesTab& stakes, QWidget* parent = nullptr);
    QList<QAction*> MenuActions() const { return menuActions_; }
    void SetCountAsker(CountAsker asker) { askCount_ = std::move(asker); }

    QTableView* View() const { return view_; }
    TablesModel* Model() const { return model_; }

  public slots:
    void Refresh();

  private:
    void BuildActions();
    void Add();
    void Delete();
    void MakeStake();
    void Test();
    std::vector<std::size_t> SelectedRows() const;

    GuiContext& ctx_;
    CombsTab& combs_;
    StakesTab& stakes_;
    QList<QAction*> menuActions_;
    TablesModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    CountAsker askCount_;
};

}  // namespace corvel::gui
