#include "tabs/StatsTab.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <vector>

#include "ActionList.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "RowCopy.h"
#include "StatsChart.h"
#include "app/UserOperation.h"
#include "dialogs/FilterDialog.h"
#include "i18n/Texts.h"
#include "ToolStrip.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "models/StatsTableModel.h"
#include "stats/CustomStat.h"
#include "stats/StatList.h"

namespace corvel::gui {
namespace {

constexpr const char* kForm = "TFormMain";
constexpr const char* kList = "lvDrawsStat";
constexpr int kDefaultWindow = 1000;
constexpr int kDefaultChartHeight = 260;
constexpr int kPrefetchColumnWidth = 80;
constexpr int kFirstPrefetchColumn = 3;
constexpr int kLastPrefetchColumn = 5;

std::string ListKey(const char* what) { return std::string(kList) + "." + what; }

}  // namespace

void FillMethodCombo(QComboBox& combo, const TStatList& stats, bool onlyVisible, bool onlyGraphs) {
    struct Entry {
        QString Text;
        int Index;
    };
    std::vector<Entry> entries;
    for (int i = 0; i < stats.Count(); ++i) {
        const TStatClass& cls = *stats.Item(i).StatClass;
        if (!cls.Enabled || !cls.Listed || (onlyVisible && !stats.IsVisible(i)) || (onlyGraphs && !cls.Graph)) continue;
        entries.push_back({Q(stats.GetMethodText(i, true)), i});
    }
    if (stats.Ordered)
        std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return QString::compare(a.Text, b.Text, Qt::CaseInsensitive) < 0;
        });
    const QSignalBlocker block(&combo);
    combo.clear();
    for (const Entry& e : entries) combo.addItem(e.Text, e.Index);
}

StatsTab::StatsTab(GuiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("StatsTab"));
    connect(&ctx_.Hub, &QObject::destroyed, this, [this] { contextAlive_ = false; });

    ctx_.Ws.Statistics().SetPrefetchsEnabled(ctx_.View.ReadBool(kForm, "PrefetchsEnabled", false));
    showTotalLine_ = ctx_.View.ReadBool(kForm, "ShowTotalLine", true);
    if (!ctx_.View.ReadBool(kForm, "PrefetchsInit", false)) {
        ctx_.View.WriteBool(kForm, "PrefetchsInit", true);
        ctx_.View.WriteBool(kForm, "PrefetchsEnabled", ctx_.Ws.Statistics().PrefetchsEnabled());
    }

    BuildActions();
    BuildLayout();
    FillMethods(false);
    ShowPrefetchColumns();

    connect(&ctx_.Hub, &ViewHub::settingsChanged, this, [this] { FillMethods(true); });
}

void StatsTab::BuildActions() {
    ActionList& a = ctx_.Actions;
    calc_ = a.Add(
        "DrawsStatCalc", Q(texts::kStatsTabCalc), QKeySequence(), Q(texts::kStatsTabCalcHint),
        [this] { return CanCalculate(); }, [this] { Refresh(true); });
    prefetch_ = a.Add(
        "DrawsStatePrefetchsEnabled", Q(texts::kStatsTabPrefetch), QKeySequence(), {},
        [this] {
            // The check mark always tells the engine's switch.
            prefetch_->setChecked(ctx_.Ws.Statistics().PrefetchsEnabled());
            return true;
        },
        [this] { TogglePrefetch(); });
    prefetch_->setCheckable(true);
    prefetch_->setChecked(ctx_.Ws.Statistics().PrefetchsEnabled());
    totalLine_ = a.Add(
        "DrawsStatShowTotalLine", Q(texts::kStatsTabTotalLine), QKeySequence(), {},
        [this] {
            totalLine_->setChecked(showTotalLine_);
            return ctx_.Ws.Statistics().PrefetchsEnabled();
        },
        [this] { ToggleTotalLine(); });
    totalLine_->setCheckable(true);
    totalLine_->setChecked(showTotalLine_);
    include_ = a.Add(
        "StatFilter_Include", Q(texts::kGuiKeepSelected), QKeySequence(Qt::Key_F7), Q(texts::kStatsTabKeepSelectedHint),
        [this] { return CanFilter(); }, [this] { Filter(false); });
    exclude_ = a.Add(
        "StatFilter_Exclude", Q(texts::kGuiDeleteSelected), QKeySequence(Qt::CTRL | Qt::Key_F7),
        Q(texts::kStatsTabDeleteSelectedHint), [this] { return CanFilter(); }, [this] { Filter(true); });
    definition_ = a.Add(
        "StatFilter_Definition", Q(texts::kStatsTabApplyFilter), QKeySequence(), Q(texts::kStatsTabApplyFilterHint),
        [this] { return CanApplyDefinition(); }, [this] { ApplyDefinition(); });
    menuActions_ = {calc_, nullptr, prefetch_, totalLine_, nullptr, include_, exclude_, definition_};
}

void StatsTab::BuildLayout() {
    methods_ = new QComboBox(this);
    methods_->setObjectName(QStringLiteral("cbStatType"));
    methods_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    methods_->setMinimumContentsLength(30);
    methods_->setStatusTip(Q(texts::kStatsTabMethodHint));

    window_ = new QSpinBox(this);
    window_->setObjectName(QStringLiteral("seDrawsStatLen"));
    window_->setRange(1, std::numeric_limits<int>::max());
    window_->setValue(std::max(1, ctx_.View.ReadInt(kForm, "DrawsStatLen", kDefaultWindow)));
    window_->setKeyboardTracking(false);
    const QString windowHint = Q(texts::kStatsTabWindowHint);
    window_->setToolTip(windowHint);
    window_->setStatusTip(windowHint);
    window_->installEventFilter(this);
    if (auto* edit = window_->findChild<QLineEdit*>()) edit->installEventFilter(this);

    // The commands wrap onto further rows when the panel is narrow.
    auto* tools = new ToolStrip(this);
    tools->setObjectName(QStringLiteral("StatsToolBar"));
    tools->AddGroup({calc_});
    tools->AddGroup({prefetch_});
    tools->AddGroup({totalLine_});
    tools->AddGroup({include_, exclude_});
    tools->AddGroup({definition_});

    auto* top = new QHBoxLayout;
    top->addWidget(methods_, 1);
    auto* windowLabel = new QLabel(Q(texts::kStatsTabWindowLabel), this);
    windowLabel->setBuddy(window_);
    top->addWidget(windowLabel);
    top->addWidget(window_);

    model_ = new StatsTableModel(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("lvDrawsStat"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    table_->addActions({include_, exclude_});
    AddRowCopyAction(*table_);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setSectionsMovable(true);  // widths and order are kept by the main window
    int sortColumn = 1;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
    if (const auto sort = ctx_.View.ReadInts(kForm, ListKey("SortType"), 2);
        sort && (*sort)[0] >= 0 && (*sort)[0] < kStatColumns) {
        sortColumn = (*sort)[0];
        sortOrder = (*sort)[1] ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
    header->setSortIndicator(sortColumn, sortOrder);
    table_->setSortingEnabled(true);  // sorts the model by the indicator
    connect(model_, &StatsTableModel::sortChanged, this, [this](int column, Qt::SortOrder order) {
        if (contextAlive_) ctx_.View.WriteInts(kForm, ListKey("SortType"), {column, order == Qt::DescendingOrder});
    });

    chart_ = new StatsChart(this);
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("StatsSplitter"));
    splitter_->addWidget(table_);
    splitter_->addWidget(chart_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setChildrenCollapsible(false);
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        if (contextAlive_ && splitter_->sizes().size() == 2)
            ctx_.View.WriteInt(kForm, "DrawsStatHeight", splitter_->sizes().at(1));
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(tools);
    layout->addWidget(splitter_, 1);

    connect(methods_, &QComboBox::currentIndexChanged, this, [this](int line) {
        if (line >= 0) {
            selectedLine_ = line;
            selectedCode_ = ctx_.Ws.Statistics().Registry().Item(methods_->itemData(line).toInt()).Code();
        }
        if (CanCalculate() && ctx_.Hooks.IsIdle()) Refresh(false);
    });
    connect(window_, &QSpinBox::valueChanged, this, [this](int value) {
        if (contextAlive_) ctx_.View.WriteInt(kForm, "DrawsStatLen", value);
    });
}

void StatsTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (sized_) return;
    sized_ = true;
    // The table takes what the window gives beyond the chart's height (the
    // chart keeps its height when the window is resized).
    const int chart = std::max(60, ctx_.View.ReadInt(kForm, "DrawsStatHeight", kDefaultChartHeight));
    splitter_->setSizes({std::max(60, splitter_->height() - chart), chart});
}

bool StatsTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter in the window length computes with the typed value, when
            // it lies within the box's limits.
            if (window_->hasAcceptableInput()) {
                window_->interpretText();
                if (CanCalculate() && ctx_.Hooks.IsIdle()) Refresh(false);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int StatsTab::SelectedMethod() const { return methods_->currentIndex() < 0 ? -1 : methods_->currentData().toInt(); }

bool StatsTab::CanCalculate() const { return !ctx_.Ws.Archive().Draws().empty() && SelectedMethod() >= 0; }

bool StatsTab::CanFilter() const {
    return model_->Method() >= 0 && !ctx_.Ws.Combinations().List().Current().Empty() &&
           table_->selectionModel()->hasSelection();
}

void StatsTab::FillMethods(bool keepSelection) {
    // The registry may have been rebuilt: the indexes behind the shown rows
    // are no longer valid.
    model_->Clear();
    chart_->Clear();
    key_.reset();

    FillMethodCombo(*methods_, ctx_.Ws.Statistics().Registry(), true);
    int line = 0;
    if (keepSelection) {
        line = -1;
        for (int i = 0; i < methods_->count() && line < 0; ++i)
            if (ctx_.Ws.Statistics().Registry().Item(methods_->itemData(i).toInt()).Code() == selectedCode_) line = i;
        if (line < 0) line = selectedLine_ < methods_->count() ? selectedLine_ : 0;
    }
    const QSignalBlocker block(methods_);
    methods_->setCurrentIndex(methods_->count() ? line : -1);
    if (methods_->currentIndex() >= 0) {
        selectedLine_ = methods_->currentIndex();
        selectedCode_ = ctx_.Ws.Statistics().Registry().Item(SelectedMethod()).Code();
    }
}

void StatsTab::Refresh(bool force) {
    const int method = SelectedMethod();
    app::TRevisions revisions = ctx_.Ws.Revisions();
    revisions.Combs = 0;  // the list is no input of the table
    const Key key{revisions, window_->value(), method};
    if (!force && key_ && *key_ == key) return;
    key_ = key;
    chart_->Clear();
    if (method < 0 || ctx_.Ws.Archive().Draws().empty()) {
        model_->Clear();
        return;
    }
    ctx_.Ws.Statistics().ComputeTable(method, key.Window, force);
    const TStatTable& table = ctx_.Ws.Statistics().Table();
    prefetchUsed_ = table.PrefetchUsed;
    factor_ = table.Factor;
    model_->SetTable(table.Rows, method);
    RebuildChart();
}

void StatsTab::RebuildChart() {
    chart_->Clear();
    const int method = model_->Method();
    if (method < 0) return;
    const bool built = app::RunOperation(ctx_.Hooks, {}, [&] {
        std::optional<TPrefetchData> prefetch;
        if (prefetchUsed_) prefetch = ctx_.Ws.Statistics().OpenPrefetch(method);
        const auto stat = ctx_.Ws.Statistics().Registry().CreateStat(method);
        chart_->Build(model_->Rows(), prefetch ? &*prefetch : nullptr, factor_, showTotalLine_,
                      [&stat](const TStatDrawRec& v) { return stat->ValueToText(v); });
    });
    if (!built) chart_->Clear();
}

void StatsTab::Filter(bool exclude) {
    QModelIndexList rows = table_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    TStatDrawArray values;
    std::string text;
    for (const QModelIndex& index : rows) {
        const TStatTableRow& row = model_->Row(index.row());
        values.push_back(row.Value);
        text += (text.empty() ? "" : "; ") + row.Cells[0];
    }
    ctx_.Ws.Combinations().Filter(model_->Method(), values, text, exclude);
}

bool StatsTab::CanApplyDefinition() const {
    return !ctx_.Ws.Archive().Draws().empty() && ctx_.Ws.Combinations().List().Current().Count() > 1 &&
           ctx_.Ws.Statistics().Registry().Count() > 0;
}

void StatsTab::ApplyDefinition() {
    TFilterItem item = lastDefinition_;
    if (!item.Active) {
        // A first definition starts from what the tab shows: the chosen method
        // over the window length in the box.
        item.Method = SelectedMethod();
        item.DrawsLen = std::to_string(window_->value());
        item.CDL = ctx_.Ws.Statistics().Registry().Settings.CDLDefault;
    }
    if (!EditFilterItem(ctx_, item, window())) return;
    lastDefinition_ = item;
    ctx_.Ws.Combinations().ApplyFilterDefinition(item);
}

void StatsTab::SaveToggle(const char* key, bool value) {
    ctx_.View.WriteBool(kForm, key, value);
    ctx_.Ws.Settings().SaveView();
}

void StatsTab::TogglePrefetch() {
    ctx_.Ws.Statistics().SetPrefetchsEnabled(!ctx_.Ws.Statistics().PrefetchsEnabled());
    prefetch_->setChecked(ctx_.Ws.Statistics().PrefetchsEnabled());
    SaveToggle("PrefetchsEnabled", ctx_.Ws.Statistics().PrefetchsEnabled());
    ctx_.Ws.Statistics().BuildPrefetchFiles(false, 0);
    ShowPrefetchColumns();
    Refresh(true);
}

void StatsTab::ToggleTotalLine() {
    showTotalLine_ = !showTotalLine_;
    totalLine_->setChecked(showTotalLine_);
    SaveToggle("ShowTotalLine", showTotalLine_);
    ctx_.Hooks.ShowStatus(texts::kStatsTabCharting);
    RebuildChart();
    ctx_.Hooks.ShowStatus("");
}

void StatsTab::ShowPrefetchColumns() {
    const bool on = ctx_.Ws.Statistics().PrefetchsEnabled();
    for (int c = kFirstPrefetchColumn; c <= kLastPrefetchColumn; ++c) {
        table_->setColumnHidden(c, !on);
        if (on) table_->setColumnWidth(c, kPrefetchColumnWidth);
    }
}

}  // namespace corvel::gui
