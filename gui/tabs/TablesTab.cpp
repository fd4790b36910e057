#include "tabs/TablesTab.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "ActionList.h"
#include "GuiText.h"
#include "TestCountInput.h"
#include "ListLayout.h"
#include "QtUiHooks.h"
#include "ToolStrip.h"
#include "dialogs/StakeDialog.h"
#include "dialogs/TableDialog.h"
#include "i18n/Texts.h"
#include "models/TablesModel.h"
#include "tabs/CombsTab.h"
#include "tabs/StakesTab.h"

namespace corvel::gui {

TablesTab::TablesTab(GuiContext& ctx, CombsTab& combs, StakesTab& stakes, QWidget* parent)
    : QWidget(parent), ctx_(ctx), combs_(combs), stakes_(stakes) {
    setObjectName(QStringLiteral("TablesTab"));
    model_ = new TablesModel(ctx_.Ws.Tables().Rows(), this);
    view_ = NewRecordList(this, QStringLiteral("TablesView"), model_, QAbstractItemView::ExtendedSelection);
    for (int c = 0; c < TablesModel::ColumnCount; ++c)
        view_->horizontalHeader()->resizeSection(c, TablesModel::ColumnWidth(c));
    BuildActions();
    connect(&ctx_.Hub, &ViewHub::tablesChanged, this, &TablesTab::Refresh);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, &ctx_.Actions, &ActionList::UpdateAll);
    Refresh();
}

void TablesTab::BuildActions() {
    ActionList& a = ctx_.Actions;
    auto loaded = [this] { return ctx_.Ws.Tables().Loaded(); };
    auto* add = a.Add("TablesAdd", Q(texts::kTablesAddAction), {}, {}, loaded, [this] { Add(); });
    auto* del = a.Add(
        "TablesDel", Q(texts::kTablesDelAction), {}, {}, [this, loaded] { return loaded() && !SelectedRows().empty(); },
        [this] { Delete(); });
    auto canStake = [this, loaded] {
        return loaded() && ctx_.Ws.Stakes().IsOpen() && !ctx_.Ws.Archive().Draws().empty();
    };
    auto* stake = a.Add(
        "TablesStakeAdd", Q(texts::kTablesStakeAddAction), {}, {},
        [this, canStake] { return canStake() && SelectedRows().size() == 1; }, [this] { MakeStake(); });
    auto* test = a.Add(
        "TablesStakeTest", Q(texts::kTablesStakeTestAction), {}, {},
        [this, canStake] { return canStake() && ctx_.Ws.Archive().Draws().size() > 1 && !SelectedRows().empty(); },
        [this] { Test(); });
    menuActions_ = {add, del, nullptr, stake, test};

    auto* toolbar = new ToolStrip(this);
    toolbar->setObjectName(QStringLiteral("TablesToolBar"));
    toolbar->AddGroup({add, del});
    toolbar->AddGroup({stake, test});
    view_->addActions({add, del, stake, test});
    connect(view_, &QTableView::doubleClicked, stake, &QAction::trigger);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(toolbar);
    layout->addWidget(view_, 1);
}

void TablesTab::Refresh() {
    view_->clearSelection();
    model_->Reset();
}

std::vector<std::size_t> TablesTab::SelectedRows() const {
    std::vector<std::size_t> rows;
    const QItemSelectionModel* selection = view_->selectionModel();
    if (!selection) return rows;
    for (const QModelIndex& index : selection->selectedRows()) rows.push_back(static_cast<std::size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TablesTab::Add() {
    const TCombsArray& list = ctx_.Ws.Combinations().List().Current();
    std::vector<app::TSelectedComb> selected;
    for (std::size_t row : combs_.SelectedRows())
        if (row < list.Count()) selected.push_back({row + 1, list[row]});
    TableDialog dialog(ctx_.Hooks, ctx_.Ws.Tables(), std::move(selected), window());
    if (dialog.exec() != QDialog::Accepted) return;
    ctx_.Ws.Tables().Add(dialog.Draft(), dialog.Selected());
}

void TablesTab::Delete() {
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty() || !ctx_.Hooks.ConfirmDelete(static_cast<int>(rows.size()))) return;
    ctx_.Ws.Tables().Delete(rows);
}

void TablesTab::MakeStake() {
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.size() != 1) return;
    const auto made = ctx_.Ws.Tables().NextStake(rows.front());
    if (!made) return;
    StakeDialog dialog(ctx_.Hooks, window());
    dialog.SetRecord(made->Stake, 1);
    // Cancelled: the regular stays as it was.
    if (dialog.exec() != QDialog::Accepted) return;
    if (ctx_.Ws.Tables().AddStake(*made, dialog.Record(), dialog.DrawsCount())) stakes_.Refresh(true);
}

void TablesTab::Test() {
    const std::vector<std::size_t> rows = SelectedRows();
    const int maximum = static_cast<int>(ctx_.Ws.Archive().Draws().size()) - 1;
    if (rows.empty() || maximum < 1) return;
    const int proposed = std::min(kProposedTests, maximum);
    int count = 0;
    if (askCount_) {
        count = askCount_(maximum, proposed);
    } else {
        count = AskTestCount(window(), maximum);
    }
    if (count <= 0) return;
    ctx_.Ws.Tables().Test(rows, count);
    stakes_.Refresh(true);
}

}  // namespace corvel::gui
