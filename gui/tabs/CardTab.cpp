#include "tabs/CardTab.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <QVBoxLayout>
#include <set>

#include "ActionList.h"
#include "GuiText.h"
#include "ListLayout.h"
#include "QtUiHooks.h"
#include "ToolStrip.h"
#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "models/CardModel.h"

namespace corvel::gui {
namespace {

constexpr const char* kForm = "TFormMain";

}  // namespace

CardTab::CardTab(GuiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("CardTab"));
    model_ = new CardModel(this);
    view_ = NewRecordList(this, QStringLiteral("CardView"), model_, QAbstractItemView::ExtendedSelection);
    // Cells, not rows: the numbers of a selected range make the filter.
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    QHeaderView* header = view_->horizontalHeader();
    header->setMinimumSectionSize(18);
    header->resizeSection(0, 50);
    // Two digits and a little room: the whole card fits a wide window.
    const int side = view_->fontMetrics().horizontalAdvance(QStringLiteral("88")) + 8;
    for (int c = 1; c < CardModel::kColumns; ++c) header->resizeSection(c, side);

    ActionList& a = ctx_.Actions;
    auto repaint = [this] {
        ctx_.View.WriteBool(kForm, "ColorCard", channels_->isChecked());
        ctx_.View.WriteBool(kForm, "ColorCardSequences", sequences_->isChecked());
        ctx_.Ws.Settings().SaveView();
        model_->SetColours(channels_->isChecked(), sequences_->isChecked(),
                           ctx_.Ws.Settings().Game().Config.ChannelSize);
    };
    channels_ = a.Add(
        "ViewColorCard", Q(texts::kViewColorCard), {}, {}, [this] { return shown_; }, repaint);
    sequences_ = a.Add(
        "ViewColorCardSequences", Q(texts::kViewColorCardSequences), {}, {}, [this] { return shown_; }, repaint);
    for (QAction* toggle : {channels_, sequences_}) toggle->setCheckable(true);
    channels_->setChecked(ctx_.View.ReadBool(kForm, "ColorCard", true));
    sequences_->setChecked(ctx_.View.ReadBool(kForm, "ColorCardSequences", true));
    auto canFilter = [this] {
        return shown_ && !ctx_.Ws.Combinations().List().Current().Empty() && SelectionInNumbers();
    };
    auto* keep =
        a.Add("CardFilter_Include", Q(texts::kGridFilterKeep), {}, {}, canFilter, [this] { FilterSelected(false); });
    auto* remove =
        a.Add("CardFilter_Exclude", Q(texts::kGridFilterRemove), {}, {}, canFilter, [this] { FilterSelected(true); });
    menuActions_ = {keep, remove, nullptr, channels_, sequences_};

    auto* toolbar = new ToolStrip(this);
    toolbar->setObjectName(QStringLiteral("CardToolBar"));
    toolbar->AddGroup({keep, remove});
    toolbar->AddGroup({channels_, sequences_});
    view_->addActions({keep, remove});
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, &ctx_.Actions, &ActionList::UpdateAll);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(toolbar);
    layout->addWidget(view_, 1);
    connect(&ctx_.Hub, &ViewHub::archiveChanged, this, [this] { Refresh(false); });
    connect(&ctx_.Hub, &ViewHub::settingsChanged, this, [this] { Refresh(false); });
}

void CardTab::SetShown(bool shown) {
    shown_ = shown;
    if (shown) Refresh(true);
}

void CardTab::Refresh(bool force) {
    if (!shown_) return;
    const app::TRevisions& now = ctx_.Ws.Revisions();
    if (!force && now.Archive == builtArchive_ && now.Settings == builtSettings_) return;
    builtArchive_ = now.Archive;
    builtSettings_ = now.Settings;
    app::BusyGuard busy(ctx_.Hooks);
    ctx_.Hooks.ShowStatus(texts::kCardUpdating);
    model_->SetRows(BuildCard(ctx_.Ws.Archive().Draws()));
    model_->SetColours(channels_->isChecked(), sequences_->isChecked(), ctx_.Ws.Settings().Game().Config.ChannelSize);
    ctx_.Hooks.ShowStatus("");
}

bool CardTab::SelectionInNumbers() const {
    const QModelIndexList cells = view_->selectionModel()->selectedIndexes();
    if (cells.isEmpty()) return false;
    int low = CardModel::kColumns, high = -1;
    for (const QModelIndex& i : cells) {
        low = std::min(low, i.column());
        high = std::max(high, i.column());
    }
    return low >= 1 && high <= kMaxNumber;
}

std::vector<int> CardTab::SelectedNumbers() const {
    std::set<int> numbers;
    for (const QModelIndex& i : view_->selectionModel()->selectedIndexes()) {
        const auto row = static_cast<std::size_t>(i.row());
        if (i.column() >= 1 && i.column() <= kMaxNumber && row < model_->Rows().size() &&
            model_->Rows()[row].Has(i.column()))
            numbers.insert(i.column());
    }
    return {numbers.begin(), numbers.end()};
}

void CardTab::FilterSelected(bool exclude) {
    ctx_.Ws.Combinations().FilterByNumbers(SelectedNumbers(), Q(texts::kMainWindowMapTab).toStdString(), exclude);
}

}  // namespace corvel::gui
