#include "tabs/StakesTab.h"
#include "ListLayout.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "ActionList.h"
#include "GraphShow.h"
#include "GuiText.h"
#include "LogsDeletion.h"
#include "QtUiHooks.h"
#include "RatingsRebuild.h"
#include "StakesDelegate.h"
#include "ToolStrip.h"
#include "app/UserOperation.h"
#include "dialogs/MultiStakeDialog.h"
#include "dialogs/StakeConditionDialog.h"
#include "dialogs/StakeDialog.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Format.h"
#include "models/StakesModel.h"
#include "stakes/StakeInput.h"
#include "stakes/StakeLogs.h"
#include "stakes/StakeSummary.h"
#include "tabs/CombsTab.h"

namespace corvel::gui {
namespace {

constexpr const char* kForm = "TFormMain";
constexpr const char* kScrollKey = "StakesScrollEnabled";
constexpr const char* kLogKey = "StakesLogEnabled";

std::uint64_t DrawSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

}  // namespace

StakesTab::StakesTab(GuiContext& ctx, CombsTab& combs, QWidget* parent) : QWidget(parent), ctx_(ctx), combs_(combs) {
    setObjectName(QStringLiteral("StakesTab"));
    SetRandomSeed(DrawSeed());
    ctx_.Ws.Stakes().LogEnabled = ctx_.View.ReadBool(kForm, kLogKey, false);

    model_ = new StakesModel(ctx_.Ws.Stakes().File(), this);
    // Deleting takes one range of rows.
    view_ = NewRecordList(this, QStringLiteral("StakesView"), model_, QAbstractItemView::ContiguousSelection);
    view_->setItemDelegate(new StakesDelegate(view_));
    QHeaderView* columns = view_->horizontalHeader();
    columns->setMinimumSectionSize(20);
    // The grid's widths, widened where a caption or the size of a whole list
    // would not fit them.
    const int sampleWidth = fontMetrics().horizontalAdvance(QStringLiteral("88888888")) + 4 * StakesDelegate::kMargin;
    for (int c = 0; c < StakesModel::ColumnCount; ++c) {
        int width = std::max(StakesModel::ColumnWidth(c), columns->sectionSizeHint(c));
        if (c == StakesModel::SampleColumn) width = std::max(width, sampleWidth);
        columns->resizeSection(c, width);
    }

    footer_ = new QLabel(this);
    footer_->setObjectName(QStringLiteral("StakesFooter"));
    footer_->setContentsMargins(6, 2, 6, 2);
    footer_->setTextFormat(Qt::RichText);
    footer_->setWordWrap(true);
    footer_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    BuildActions();

    connect(&ctx_.Hub, &ViewHub::stakesChanged, this, [this] { Refresh(false); });
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, &ctx_.Actions, &ActionList::UpdateAll);
    // A double click on a combination stakes it.
    connect(combs_.CombsView(), &QAbstractItemView::doubleClicked, this, [this] { add_->trigger(); });
    UpdateFooter();
}

void StakesTab::BuildActions() {
    ActionList& a = ctx_.Actions;
    auto fileOpen = [this] { return FileOpen(); };
    auto hasRecords = [this] { return Records() > 0; };
    add_ = a.Add("StakeAdd", Q(texts::kStakesTabAdd), QKeySequence(Qt::Key_F4), Q(texts::kStakesTabAddHint), fileOpen,
                 [this] { AddStake(); });
    auto* random = a.Add(
        "StakeAddRandom", Q(texts::kStakesTabAddRandom), QKeySequence(Qt::CTRL | Qt::Key_F4),
        Q(texts::kStakesTabAddRandomHint), [this] { return FileOpen() && HasCombs(); }, [this] { AddRandomStake(); });
    auto* selected = a.Add(
        "StakeAddSelected", Q(texts::kStakesTabAddSelected), QKeySequence(Qt::SHIFT | Qt::Key_F4),
        Q(texts::kStakesTabAddSelectedHint),
        [this] {
            const QItemSelectionModel* selection = combs_.CombsView()->selectionModel();
            return FileOpen() && HasCombs() && selection && selection->hasSelection();
        },
        [this] { AddSelectedStakes(); });
    auto* all = a.Add(
        "StakeAddAll", Q(texts::kStakesTabAddAll), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F4),
        Q(texts::kStakesTabAddAllHint), [this] { return FileOpen() && HasCombs(); }, [this] { AddAllStakes(); });
    auto* del = a.Add(
        "StakeDel", Q(texts::kStakesTabDelete), QKeySequence(Qt::Key_Delete), Q(texts::kStakesTabDeleteHint),
        [this] {
            std::int64_t first = 0, last = 0;
            return Records() > 0 && SelectedRange(first, last);
        },
        [this] { DeleteSelected(); });
    auto* filter = a.Add("StakeFilter", Q(texts::kStakesTabFilter), QKeySequence(Qt::ALT | Qt::Key_D),
                         Q(texts::kStakesTabFilterHint), hasRecords, [this] { DeleteByCondition(); });
    auto* clear = a.Add("StakeClear", Q(texts::kStakesTabClear), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete),
                        Q(texts::kStakesTabClearHint), hasRecords, [this] { Clear(); });
    auto* check = a.Add("StakesCheckManual", Q(texts::kStakesTabCheck), QKeySequence(Qt::CTRL | Qt::Key_F5),
                        Q(texts::kStakesTabCheckHint), hasRecords, [this] { CheckManual(); });
    scroll_ = a.Add("StakesScroll", Q(texts::kStakesTabScroll), {}, Q(texts::kStakesTabScrollHint), nullptr,
                    [this] { ToggleScroll(); });
    scroll_->setCheckable(true);
    scroll_->setChecked(ctx_.View.ReadBool(kForm, kScrollKey, true));
    log_ =
        a.Add("LogStakes", Q(texts::kStakesTabLog), {}, Q(texts::kStakesTabLogHint), nullptr, [this] { ToggleLog(); });
    log_->setCheckable(true);
    log_->setChecked(ctx_.Ws.Stakes().LogEnabled);
    auto* graph = a.Add("StakesGraphDraws", Q(texts::kGraphDrawProfitsCaption), QKeySequence(Qt::Key_F6), {},
                        hasRecords, [this] { ShowGraph(this, ctx_.Ws.Stakes().DrawProfitsGraph()); });
    auto* logDelete = a.Add("LogStakesDelete", Q(texts::kStakesTabLogDelete), {}, Q(texts::kStakesTabLogDeleteHint),
                            nullptr, [this] { DeleteLogs(); });

    add_->setIconText(Q(texts::kStakesTabAddIcon));
    random->setIconText(Q(texts::kStakesTabAddRandomIcon));
    selected->setIconText(Q(texts::kStakesTabAddSelectedIcon));
    all->setIconText(Q(texts::kStakesTabAddAllIcon));
    del->setIconText(Q(texts::kStakesTabDeleteIcon));
    filter->setIconText(Q(texts::kStakesTabFilterIcon));
    clear->setIconText(Q(texts::kStakesTabClearIcon));
    check->setIconText(Q(texts::kStakesTabCheckIcon));
    scroll_->setIconText(Q(texts::kStakesTabScrollIcon));
    log_->setIconText(Q(texts::kStakesTabLogIcon));
    logDelete->setIconText(Q(texts::kStakesTabLogDeleteIcon));
    graph->setIconText(Q(texts::kStakesTabGraphIcon));

    menuActions_ = {add_,    random, selected, all,     nullptr, del,  filter,   clear,
                    nullptr, check,  graph,    nullptr, scroll_, log_, logDelete};

    auto* toolbar = new ToolStrip(this);
    toolbar->setObjectName(QStringLiteral("StakesToolBar"));
    toolbar->AddGroup({add_, random, selected, all});
    toolbar->AddGroup({del, filter, clear});
    toolbar->AddGroup({check, graph});
    toolbar->AddGroup({scroll_, log_, logDelete});

    // Delete removes stakes only while the grid has the focus: in another
    // list the key must not delete rows of this one.
    view_->addActions({add_, del, filter, check});
    del->setShortcutContext(Qt::WidgetShortcut);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(toolbar);
    layout->addWidget(view_, 1);
    layout->addWidget(footer_);
}

void StakesTab::SetRandomSeed(std::uint64_t seed) {
    seed_ = seed;
    random_.seed(seed);
}

bool StakesTab::FileOpen() const { return ctx_.Ws.Stakes().IsOpen(); }

std::int64_t StakesTab::Records() const { return FileOpen() ? ctx_.Ws.Stakes().File().Count() : 0; }

bool StakesTab::HasCombs() const { return !ctx_.Ws.Combinations().List().Current().Empty(); }

bool StakesTab::SelectedRange(std::int64_t& first, std::int64_t& last) const {
    const QItemSelectionModel* selection = view_->selectionModel();
    if (!selection) return false;
    bool any = false;
    for (const QItemSelectionRange& range : selection->selection()) {
        const std::int64_t top = range.top();
        const std::int64_t bottom = std::min<std::int64_t>(range.bottom(), model_->Records() - 1);
        if (bottom < top) continue;
        first = any ? std::min(first, top) : top;
        last = any ? std::max(last, bottom) : bottom;
        any = true;
    }
    return any;
}

void StakesTab::Refresh(bool scroll) {
    model_->Reset();
    if (scroll || (adding_ && scroll_->isChecked())) ScrollToEnd();
    UpdateFooter();
}

void StakesTab::ScrollToEnd() {
    if (model_->Records() <= 0) return;
    const int last = static_cast<int>(model_->Records() - 1);
    view_->setCurrentIndex(model_->index(last, 0));
    view_->selectRow(last);
    view_->scrollToBottom();
}

void StakesTab::UpdateFooter() {
    // The summary reads the whole file: once a bulk add has ended, not per step.
    if (adding_) return;
    QStringList parts;
    for (const auto& [label, value] : StakesSummaryRows(ctx_.Ws.Stakes().Summary()))
        parts << QStringLiteral("%1: <b>%2</b>").arg(Q(label).toHtmlEscaped(), Q(value).toHtmlEscaped());
    footer_->setText(parts.join(QStringLiteral(" &nbsp; ")));
}

void StakesTab::AddThroughDialog(const TStakeRec& rec, const QString& title) {
    StakeDialog dialog(ctx_.Hooks, window());
    dialog.setWindowTitle(title);
    dialog.SetRecord(rec, 1);
    if (dialog.exec() != QDialog::Accepted) return;
    // The service adds, checks and announces; the grid follows.
    if (ctx_.Ws.Stakes().Add(dialog.Record(), dialog.DrawsCount())) Refresh(true);
}

void StakesTab::AddStake() {
    const TCombsArray& list = ctx_.Ws.Combinations().List().Current();
    const auto sample = static_cast<std::int32_t>(list.Count());
    // The focused combination when it is selected, else the first selected one.
    std::optional<TCombination> chosen;
    const int focused = combs_.FocusedRow();
    const QItemSelectionModel* selection = combs_.CombsView()->selectionModel();
    if (focused >= 0 && selection && selection->isRowSelected(focused))
        chosen = list[static_cast<std::size_t>(focused)];
    else if (selection && selection->hasSelection())
        if (const std::vector<std::size_t> rows = combs_.SelectedRows(); !rows.empty() && rows.front() < list.Count())
            chosen = list[rows.front()];
    TStakeRec rec = ctx_.Ws.Stakes().NewStake(chosen.value_or(TCombination{}), sample);
    if (!chosen) rec.Stake = TStakeNumbers{};
    AddThroughDialog(rec, Q(texts::kStakeDialogTitle));
}

void StakesTab::AddRandomStake() {
    const TCombsArray& list = ctx_.Ws.Combinations().List().Current();
    if (list.Empty()) return;
    std::uniform_int_distribution<std::size_t> pick(0, list.Count() - 1);
    const std::size_t index = pick(random_);
    const TStakeRec rec = ctx_.Ws.Stakes().NewStake(list[index], static_cast<std::int32_t>(list.Count()));
    AddThroughDialog(rec, Q(Format(texts::kStakesTabRandomTitle, {std::to_string(seed_)})));
}

void StakesTab::AddSelectedStakes() {
    const std::vector<std::size_t> rows = combs_.SelectedRows();
    if (rows.empty()) return;
    AddForCombinations(&rows);
}

void StakesTab::AddAllStakes() {
    const std::size_t count = ctx_.Ws.Combinations().List().Current().Count();
    if (count == 0) return;
    // Millions of stakes take gigabytes: the person sees how many first.
    const std::string question =
        Format(texts::kStakesTabAddAllQuestion,
               {count, ByteSizeText(StakesFileGrowth(count, 1)), ByteSizeText(StakesFileGrowth(count, 2) / 2)});
    if (!ctx_.Hooks.Ask(question, false)) return;
    AddForCombinations(nullptr);
}

void StakesTab::AddForCombinations(const std::vector<std::size_t>* rows) {
    const TCombsArray& list = ctx_.Ws.Combinations().List().Current();
    const std::size_t total = rows ? rows->size() : list.Count();
    if (total == 0) return;
    MultiStakeDialog dialog(ctx_.Hooks, NextDrawNumber(ctx_.Ws.Archive().Draws(), ctx_.Ws.Archive().Offset()),
                            window());
    if (dialog.exec() != QDialog::Accepted) return;
    const int draws = dialog.DrawsCount();

    // One record made in full, the others copied from it with their numbers.
    TStakeRec model =
        ctx_.Ws.Stakes().NewStake(list[rows ? rows->front() : 0], static_cast<std::int32_t>(list.Count()));
    model.Draw = dialog.Draw();
    model.SetComment(dialog.Comment());

    bool added = false;
    {
        app::BusyGuard busy(ctx_.Hooks);
        adding_ = true;
        app::ProgressWindow progress(ctx_.Hooks, texts::kStakesCreating, 100);
        ctx_.Hooks.ShowProgressCancel();
        std::size_t percentShown = 0;
        const auto count = static_cast<std::int64_t>(total);
        // The stakes are made as the file takes them, in list order; the gauge
        // and the grid follow once per percent.
        added = ctx_.Ws.Stakes().AddGenerated(
            count,
            [&](std::int64_t i) {
                const auto at = static_cast<std::size_t>(i);
                if (const std::size_t percent = 100 * at / total; percent > percentShown) {
                    ctx_.Hooks.StepProgress(static_cast<int>(percent - percentShown));
                    percentShown = percent;
                    Refresh(false);
                }
                TCombination numbers = list[rows ? (*rows)[at] : at];
                SortNumbers(numbers);
                TStakeRec rec = model;
                for (std::size_t k = 0; k < numbers.size(); ++k) rec.Stake.Values[k] = numbers[k];
                return rec;
            },
            draws);
        adding_ = false;
    }
    combs_.CombsView()->clearSelection();
    Refresh(added);
    // A stop leaves the file as it was, and says so.
    if (!added && ctx_.Hooks.StopRequested()) ctx_.Hooks.Info(texts::kStakesTabBulkStopped);
}

void StakesTab::DeleteSelected() {
    std::int64_t first = 0, last = 0;
    if (!SelectedRange(first, last)) return;
    if (!ctx_.Hooks.ConfirmDelete(static_cast<int>(last - first + 1))) return;
    view_->clearSelection();
    if (ctx_.Ws.Stakes().DeleteRange(first, last)) ctx_.Ws.Stakes().Check();
    Refresh(false);
}

void StakesTab::DeleteByCondition() {
    StakeConditionDialog dialog(window());
    if (dialog.exec() != QDialog::Accepted) return;
    view_->clearSelection();
    if (ctx_.Ws.Stakes().DeleteByCondition(dialog.Condition(), dialog.Value())) ctx_.Ws.Stakes().Check();
    Refresh(false);
}

void StakesTab::Clear() {
    const std::int64_t records = Records();
    if (records <= 0) return;
    if (!ctx_.Hooks.ConfirmDelete(static_cast<int>(std::min<std::int64_t>(records, INT32_MAX)))) return;
    view_->clearSelection();
    ctx_.Ws.Stakes().Clear();
    Refresh(false);
    // The ratings keep the deleted stakes until they are rebuilt from the file.
    RebuildRatingsAsked(ctx_);
}

void StakesTab::CheckManual() {
    ctx_.Ws.Stakes().Check();
    Refresh(false);
}

void StakesTab::ToggleScroll() {
    ctx_.View.WriteBool(kForm, kScrollKey, scroll_->isChecked());
    ctx_.Ws.Settings().SaveView(true);
}

void StakesTab::ToggleLog() {
    ctx_.Ws.Stakes().LogEnabled = log_->isChecked();
    ctx_.View.WriteBool(kForm, kLogKey, log_->isChecked());
    ctx_.Ws.Settings().SaveView(true);
}

void StakesTab::DeleteLogs() {
    DeleteLogsShowingOutcome(ctx_.Hooks, texts::kStakeLogsSearching, texts::kStakeLogsNotFound,
                             [this] { return DeleteStakeLogs(ctx_.Ws.Files().Folder); });
}

}  // namespace corvel::gui
