#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "GuiContext.h"
#include "stakes/StakeRecord.h"

class QAction;
class QLabel;
class QTableView;

namespace corvel::gui {

class CombsTab;
class StakesModel;

// The stakes tab (texts::kMainWindowStakesTab): the grid over the open stakes
// file, its tool row, the summary below it, and the commands that make stakes
// (by hand, at random, from the selected or from all combinations), delete
// them, check them and keep the stakes logs. Every change goes through the
// workspace's stakes service, which announces it; the grid follows.
class StakesTab : public QWidget {
    Q_OBJECT
  public:
    StakesTab(GuiContext& ctx, CombsTab& combs, QWidget* parent = nullptr);
    // The tab's commands, in menu order (the main window builds its menu).
    QList<QAction*> MenuActions() const { return menuActions_; }

    QTableView* View() const { return view_; }
    StakesModel* Model() const { return model_; }
    QLabel* Footer() const { return footer_; }

    // The seed of the random stakes: drawn once per run, or set here so that a
    // run can be repeated (the stake dialog's title shows it).
    std::uint64_t RandomSeed() const { return seed_; }
    void SetRandomSeed(std::uint64_t seed);

  public slots:
    // Follows the file; with scroll the last row is selected and shown.
    void Refresh(bool scroll);

  private:
    void BuildActions();
    void AddStake();
    void AddRandomStake();
    void AddSelectedStakes();
    void AddAllStakes();
    void DeleteSelected();
    void DeleteByCondition();
    void Clear();
    void CheckManual();
    void ToggleScroll();
    void ToggleLog();
    void DeleteLogs();

    // The stake dialog on the record; on OK the stake is added and checked.
    void AddThroughDialog(const TStakeRec& rec, const QString& title);
    // The multi-stake dialog, then one stake per combination of the list:
    // the rows given, or all of them (rows null).
    void AddForCombinations(const std::vector<std::size_t>* rows);
    void ScrollToEnd();
    void UpdateFooter();

    bool FileOpen() const;
    std::int64_t Records() const;
    bool HasCombs() const;
    // The data rows selected in the grid, as a range of record indexes.
    bool SelectedRange(std::int64_t& first, std::int64_t& last) const;

    GuiContext& ctx_;
    CombsTab& combs_;
    QList<QAction*> menuActions_;
    StakesModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QLabel* footer_ = nullptr;
    QAction* add_ = nullptr;
    QAction* scroll_ = nullptr;
    QAction* log_ = nullptr;
    std::uint64_t seed_ = 0;
    std::mt19937_64 random_;
    bool adding_ = false;  // bulk adding: the grid scrolls only with StakesScroll on
};

}  // namespace corvel::gui
