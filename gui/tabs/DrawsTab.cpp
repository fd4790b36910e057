#include "tabs/DrawsTab.h"

#include <QAction>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "ActionList.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "RowCopy.h"
#include "ToolStrip.h"
#include "dialogs/DrawDialog.h"
#include "dialogs/DetailsDialog.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "models/DrawsModel.h"

namespace corvel::gui {
namespace {

constexpr const char* kForm = "TFormMain";
constexpr const char* kSortedKey = "SortedDraws";
constexpr const char* kColoursKey = "ColorDraws";

QString DrawCaption() { return Q(texts::kDrawsTabNewDrawCaption); }

}  // namespace

DrawsTab::DrawsTab(GuiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("DrawsTab"));
    ctx_.Ws.Archive().SetSorted(ctx_.View.ReadBool(kForm, kSortedKey, false));

    model_ = new DrawsModel(ctx_.Ws, this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("DrawsList"));
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    // Narrow columns, so that the whole row fits the left panel.
    const QFontMetrics metrics = view_->fontMetrics();
    view_->horizontalHeader()->setMinimumSectionSize(10);
    view_->horizontalHeader()->setDefaultSectionSize(metrics.horizontalAdvance(QStringLiteral("88")) + 10);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->setColumnWidth(DrawsModel::kNumber, metrics.horizontalAdvance(Q(texts::kDrawsNumberColumn)) + 12);
    view_->setColumnWidth(DrawsModel::kSum, metrics.horizontalAdvance(QStringLiteral("888")) + 10);
    view_->setColumnWidth(DrawsModel::kDate, metrics.horizontalAdvance(QStringLiteral("88.88.8888")) + 12);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->horizontalHeader()->setSectionsMovable(true);
    AddRowCopyAction(*view_);

    auto* add = ctx_.Actions.Add("DrawsAdd", Q(texts::kDrawsTabAdd), {}, Q(texts::kDrawsTabAddHint), nullptr,
                                 [this] { AddDraw(); });
    auto* edit = ctx_.Actions.Add(
        "DrawsEdit", Q(texts::kDrawsTabEdit), {}, {}, [this] { return FocusedArchiveIndex() >= 0; },
        [this] { EditDraw(); });
    auto* del = ctx_.Actions.Add(
        "DrawsDel", Q(texts::kDrawsTabDelete), {}, {}, [this] { return !SelectedRows().empty(); },
        [this] { DeleteDraws(); });
    sorted_ = ctx_.Actions.Add("DrawsSorted", Q(texts::kDrawsTabSorted), {}, {}, nullptr, [this] { ToggleSorted(); });
    sorted_->setCheckable(true);
    sorted_->setChecked(ctx_.Ws.Archive().Sorted());
    auto* info = ctx_.Actions.Add(
        "DrawsInfo", Q(texts::kDrawsInfo), {}, {}, [this] { return FocusedArchiveIndex() >= 0; },
        [this] { ShowDetails(); });
    connect(view_, &QAbstractItemView::doubleClicked, info, &QAction::trigger);
    menuActions_ = {add, edit, del, nullptr, sorted_, nullptr, info};
    colours_ =
        ctx_.Actions.Add("ViewColorDraws", Q(texts::kViewColorDraws), {}, {}, nullptr, [this] { ToggleColours(); });
    colours_->setCheckable(true);
    colours_->setChecked(ctx_.View.ReadBool(kForm, kColoursKey, true));
    model_->SetChannelColours(colours_->isChecked());

    offset_ = new QSpinBox(this);
    offset_->setObjectName(QStringLiteral("DrawsOffset"));
    offset_->setRange(0, 0);
    offset_->setMinimumWidth(offset_->fontMetrics().horizontalAdvance(QStringLiteral("8888888")) + 24);
    offset_->setKeyboardTracking(false);  // a typed value counts once it is complete
    const QString offsetHint = Q(texts::kDrawsTabOffsetHint);
    offset_->setToolTip(offsetHint);
    offset_->setStatusTip(offsetHint);
    connect(offset_, &QSpinBox::valueChanged, this, &DrawsTab::OffsetEdited);

    auto* toolbar = new ToolStrip(this);
    toolbar->setObjectName(QStringLiteral("DrawsToolbar"));
    toolbar->AddGroup({add, edit, del});
    toolbar->AddGroup({sorted_});

    auto* offsetRow = new QHBoxLayout;
    offsetRow->setContentsMargins(6, 2, 6, 2);
    auto* offsetLabel = new QLabel(Q(texts::kDrawsTabOffsetLabel), this);
    offsetLabel->setBuddy(offset_);
    offsetRow->addWidget(offsetLabel);
    offsetRow->addWidget(offset_);
    offsetRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addLayout(offsetRow);
    layout->addWidget(view_, 1);

    // The edit and delete commands follow the selection at once.
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, &ctx_.Actions, &ActionList::UpdateAll);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, &ctx_.Actions, &ActionList::UpdateAll);

    // A double click does nothing yet: it is kept for the draw details, and
    // opening the edit dialog by it changed old draws by accident.

    Refresh(true);
}

void DrawsTab::Refresh(bool force) {
    model_->Refresh(force);
    const int count = static_cast<int>(ctx_.Ws.Archive().Draws().size());
    const QSignalBlocker block(offset_);
    offset_->setMaximum(std::max(0, count - 1));
    offset_->setValue(ctx_.Ws.Archive().Offset());
    sorted_->setChecked(ctx_.Ws.Archive().Sorted());
}

std::vector<int> DrawsTab::SelectedRows() const {
    std::vector<int> rows;
    const QItemSelectionModel* selection = view_->selectionModel();
    if (!selection) return rows;
    for (const QModelIndex& index : selection->selectedRows())
        if (model_->ArchiveIndex(index.row()) >= 0) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end(), std::greater<>());
    return rows;
}

int DrawsTab::FocusedArchiveIndex() const {
    const QItemSelectionModel* selection = view_->selectionModel();
    if (!selection) return -1;
    const QModelIndex current = selection->currentIndex();
    return current.isValid() ? model_->ArchiveIndex(current.row()) : -1;
}

void DrawsTab::ShowDetails() {
    const int index = FocusedArchiveIndex();
    const TDrawsArray& draws = ctx_.Ws.Archive().Draws();
    if (index < 0 || index >= static_cast<int>(draws.size())) return;
    const bool sorted = ctx_.Ws.Archive().Sorted();
    const auto rows = DrawDetails(ctx_.Ws.Statistics().Registry(), draws, index, sorted);
    DetailsDialog dialog(rows, draws[static_cast<std::size_t>(index)].Numbers,
                         ctx_.Ws.Statistics().Registry().Settings.Config.MatrixCols,
                         ctx_.Ws.Statistics().Registry().Settings.Config.ChannelSize, window());
    dialog.exec();
}

void DrawsTab::AddDraw() {
    TDrawRec rec;
    rec.Number = NextDrawNumber(ctx_.Ws.Archive().Draws(), 0);
    const auto entered = DrawDialog::Run(ctx_.Hooks, window(), DrawCaption(), rec);
    if (!entered) return;
    // A saved change is announced by the archive, and every view follows it.
    if (!ctx_.Ws.Archive().AddDraw(*entered)) Refresh(false);
}

void DrawsTab::EditDraw() {
    const int index = FocusedArchiveIndex();
    if (index < 0) return;
    // The stored record, numbers in drawing order, whatever the list shows.
    const TDrawRec rec = ctx_.Ws.Archive().Draws()[static_cast<std::size_t>(index)];
    const auto entered = DrawDialog::Run(ctx_.Hooks, window(), DrawCaption(), rec);
    if (!entered) return;
    if (!ctx_.Ws.Archive().ReplaceDraw(index, *entered)) Refresh(false);
}

void DrawsTab::DeleteDraws() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    if (!ctx_.Hooks.ConfirmDelete(static_cast<int>(rows.size()))) return;
    // By archive index: numbers may repeat in an imported archive.
    std::vector<int> indexes;
    indexes.reserve(rows.size());
    for (int row : rows) indexes.push_back(model_->ArchiveIndex(row));
    view_->clearSelection();
    ctx_.Ws.Archive().DeleteDrawsAt(indexes);
    Refresh(true);
}

void DrawsTab::ToggleColours() {
    model_->SetChannelColours(colours_->isChecked());
    ctx_.View.WriteBool(kForm, kColoursKey, colours_->isChecked());
    ctx_.Ws.Settings().SaveView();
}

void DrawsTab::ToggleSorted() {
    ctx_.View.WriteBool(kForm, kSortedKey, sorted_->isChecked());
    ctx_.Ws.Settings().SaveView(true);
    // The archive announces the new order, and every view follows it.
    ctx_.Ws.Archive().SetSorted(sorted_->isChecked());
    Refresh(false);
}

void DrawsTab::OffsetEdited(int value) {
    if (!ctx_.Hooks.IsIdle()) {
        // Nothing may change under a running operation: back to the offset in use.
        const QSignalBlocker block(offset_);
        offset_->setValue(ctx_.Ws.Archive().Offset());
        return;
    }
    if (value == ctx_.Ws.Archive().Offset()) return;
    ctx_.Ws.Archive().SetOffset(value);
    Refresh(false);
}

}  // namespace corvel::gui
