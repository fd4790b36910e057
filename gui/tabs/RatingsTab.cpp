#include "tabs/RatingsTab.h"
#include "ListLayout.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "ActionList.h"
#include "GraphShow.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "RatingsRebuild.h"
#include "ToolStrip.h"
#include "i18n/Texts.h"
#include "models/RatingsModel.h"

namespace corvel::gui {
namespace {

constexpr const char* kForm = "TFormMain";
constexpr const char* kModeKey = "RatingsEffMode";
constexpr int kDefaultMode = 1;

}  // namespace

RatingsTab::RatingsTab(GuiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("RatingsTab"));
    model_ = new RatingsModel(ctx_.Ws.Ratings().Table(), this);
    view_ = NewRecordList(this, QStringLiteral("RatingsView"), model_, QAbstractItemView::ExtendedSelection);
    QHeaderView* columns = view_->horizontalHeader();
    columns->setMinimumSectionSize(20);
    // The service sorts (and saves); the header only shows its order.
    columns->setSectionsClickable(true);
    columns->setSortIndicatorShown(true);
    // The list's widths, widened where a caption with the sort mark would not fit.
    for (int c = 0; c < kRatingColumns; ++c)
        columns->resizeSection(c, std::max(RatingsModel::ColumnWidth(c), columns->sectionSizeHint(c)));
    connect(columns, &QHeaderView::sectionClicked, this, &RatingsTab::SortBy);

    BuildActions();
    connect(&ctx_.Hub, &ViewHub::ratingsChanged, this, &RatingsTab::Refresh);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, &ctx_.Actions, &ActionList::UpdateAll);
    Refresh();
}

void RatingsTab::BuildActions() {
    ActionList& a = ctx_.Actions;
    auto* refresh = a.Add(
        "RatingsRefresh", Q(texts::kRatingsTabRefresh), QKeySequence(Qt::Key_F5), Q(texts::kRatingsTabRefreshHint),
        [this] { return ctx_.Ws.Stakes().IsOpen(); }, [this] { RebuildRatingsAsked(ctx_); });
    auto* toScript = a.Add(
        "RatingsToScript", Q(texts::kRatingsTabToScript), {}, Q(texts::kRatingsTabToScriptHint),
        [this] { return !SelectedRows().empty(); }, [this] { AddToScenario(); });
    auto* exportCsv = a.Add(
        "RatingsExport", Q(texts::kRatingsTabExport), {}, {}, [this] { return !ctx_.Ws.Ratings().Table().Empty(); },
        [this] { Export(); });
    exportCsv->setIconText(Q(texts::kRatingsTabExportIcon));
    // The graphs of the selected rows' stakes and of their match counts.
    auto stakesGraphEnabled = [this] {
        return ctx_.Ws.Stakes().IsOpen() && ctx_.Ws.Stakes().File().Count() > 0 && !SelectedRows().empty();
    };
    auto* hitsGraph = a.Add("StakesGraphOverlap", Q(texts::kGraphStakeHitsCaption), QKeySequence(Qt::CTRL | Qt::Key_F6),
                            {}, stakesGraphEnabled, [this] { ShowStakesGraph(TStakeGraphValue::Hits); });
    auto* profitsGraph =
        a.Add("StakesGraphProfits", Q(texts::kGraphStakeProfitsCaption), QKeySequence(Qt::ALT | Qt::Key_F6), {},
              stakesGraphEnabled, [this] { ShowStakesGraph(TStakeGraphValue::Profit); });
    auto* matchesGraph = a.Add(
        "RatingsGraphOverlap", Q(texts::kGraphMatchCountsCaption), {}, {}, [this] { return !SelectedRows().empty(); },
        [this] { ShowGraph(this, ctx_.Ws.Ratings().MatchCountsGraph(SelectedRows())); });
    connect(view_, &QTableView::doubleClicked, matchesGraph, &QAction::trigger);
    hitsGraph->setIconText(Q(texts::kRatingsTabHitsGraphIcon));
    profitsGraph->setIconText(Q(texts::kRatingsTabProfitsGraphIcon));
    matchesGraph->setIconText(Q(texts::kRatingsTabMatchesGraphIcon));

    const i18n::TextId* captions[3] = {&texts::kRatingsTabEffMode0, &texts::kRatingsTabEffMode1,
                                       &texts::kRatingsTabEffMode2};
    const i18n::TextId* icons[3] = {&texts::kRatingsTabEffMode0Icon, &texts::kRatingsTabEffMode1Icon,
                                    &texts::kRatingsTabEffMode2Icon};
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    int mode = ctx_.View.ReadInt(kForm, kModeKey, kDefaultMode);
    if (mode < 0 || mode > 2) mode = kDefaultMode;
    for (int i = 0; i < 3; ++i) {
        QAction* action =
            a.Add("RatingsEffMode" + std::to_string(i), Q(*captions[i]), {}, {}, nullptr, [this, i] { SetMode(i); });
        action->setCheckable(true);
        action->setIconText(Q(*icons[i]));
        group->addAction(action);
        modes_ << action;
    }
    modes_[mode]->setChecked(true);
    model_->SetMode(static_cast<TEfficiencyMode>(mode));

    menuActions_ = {refresh,      nullptr,      toScript, exportCsv, nullptr,   hitsGraph,
                    profitsGraph, matchesGraph, nullptr,  modes_[0], modes_[1], modes_[2]};

    auto* toolbar = new ToolStrip(this);
    toolbar->setObjectName(QStringLiteral("RatingsToolBar"));
    toolbar->AddGroup({refresh});
    toolbar->AddGroup({toScript, exportCsv});
    toolbar->AddGroup({hitsGraph, profitsGraph, matchesGraph});
    toolbar->AddGroup({modes_[0], modes_[1], modes_[2]});
    view_->addActions({refresh, toScript, exportCsv, hitsGraph, profitsGraph, matchesGraph});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(toolbar);
    layout->addWidget(view_, 1);
}

void RatingsTab::Refresh() {
    view_->clearSelection();
    model_->Reset();
    const auto& service = ctx_.Ws.Ratings();
    view_->horizontalHeader()->setSortIndicator(service.SortColumn,
                                                service.Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void RatingsTab::SetMode(int mode) {
    model_->SetMode(static_cast<TEfficiencyMode>(mode));
    ctx_.View.WriteInt(kForm, kModeKey, mode);
    ctx_.Ws.Settings().SaveView(true);
}

void RatingsTab::SortBy(int column) {
    auto& service = ctx_.Ws.Ratings();
    // The same column again turns the order round; a new one starts with the
    // largest figures first (the comments from A).
    const bool descending = column == service.SortColumn ? !service.Descending : column != 0;
    if (!ctx_.Hooks.IsIdle()) {
        Refresh();
        return;
    }
    service.Sort(column, descending);
    Refresh();
}

std::vector<std::size_t> RatingsTab::SelectedRows() const {
    std::vector<std::size_t> rows;
    const QItemSelectionModel* selection = view_->selectionModel();
    if (!selection) return rows;
    for (const QModelIndex& index : selection->selectedRows()) rows.push_back(static_cast<std::size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void RatingsTab::ShowStakesGraph(TStakeGraphValue value) {
    ShowGraph(this, ctx_.Ws.Ratings().StakesGraph(ctx_.Ws.Stakes(), SelectedRows(), value));
}

void RatingsTab::AddToScenario() {
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty()) return;
    if (ctx_.Ws.Ratings().AddToScenario(rows, ctx_.Ws.Statistics(), ctx_.Ws.Scenario()) > 0)
        emit linesAddedToScenario();
}

void RatingsTab::Export() {
    QString file;
    if (chooseFile_) {
        file = chooseFile_();
    } else {
        QFileDialog dialog(this, QString(), QString::fromStdString(ctx_.Ws.Files().Folder.string()),
                           Q(texts::kRatingsCsvFileFilter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        if (dialog.exec() == QDialog::Accepted) file = dialog.selectedFiles().value(0);
    }
    if (file.isEmpty()) return;
    ctx_.Ws.Ratings().ExportCsv(std::filesystem::path(QFile::encodeName(file).toStdString()));
}

}  // namespace corvel::gui
