#include "tabs/LayoutTab.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <climits>
#include <set>

#include "ActionList.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "ToolStrip.h"
#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "model/Format.h"

namespace corvel::gui {
namespace {

constexpr const char* kForm = "TFormMain";
constexpr int kCompareDefaults[LayoutTab::kCompareLists] = {50, 100, 200, 300, 400};

QTableWidget* NewGrid(QWidget* parent, const QString& name) {
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(name);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    return grid;
}

}  // namespace

LayoutTab::LayoutTab(GuiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("LayoutTab"));
    length_ = new QSpinBox(this);
    length_->setObjectName(QStringLiteral("LayoutLen"));
    length_->setRange(1, INT_MAX);
    length_->setValue(std::max(1, ctx_.View.ReadInt(kForm, "LayoutLen", 100)));
    connect(length_->findChild<QLineEdit*>(), &QLineEdit::returnPressed, this, &LayoutTab::BuildMatrix);
    matrix_ = NewGrid(this, QStringLiteral("LayoutMatrix"));
    connect(matrix_->selectionModel(), &QItemSelectionModel::selectionChanged, &ctx_.Actions, &ActionList::UpdateAll);

    ActionList& a = ctx_.Actions;
    auto visible = [this] { return shown_ && !ctx_.Ws.Archive().Draws().empty(); };
    auto* calc = a.Add("LayoutCalc", Q(texts::kLayoutCalc), {}, {}, visible, [this] { BuildMatrix(); });
    auto* cmpCalc = a.Add("LayoutCmpCalc", Q(texts::kLayoutCalc), {}, {}, visible, [this] { BuildCompareLists(); });
    gradient_ = a.Add(
        "ViewShemaGradient", Q(texts::kViewShemaGradient), {}, {}, [this] { return shown_; },
        [this] {
            ctx_.View.WriteBool(kForm, "LayoutGradient", gradient_->isChecked());
            ctx_.Ws.Settings().SaveView();
            Paint();
        });
    gradient_->setCheckable(true);
    gradient_->setChecked(ctx_.View.ReadBool(kForm, "LayoutGradient", true));
    auto canFilter = [this] {
        return shown_ && !ctx_.Ws.Combinations().List().Current().Empty() && SelectionInNumbers();
    };
    auto* keep =
        a.Add("LayoutFilter_Include", Q(texts::kGridFilterKeep), {}, {}, canFilter, [this] { FilterSelected(false); });
    auto* remove =
        a.Add("LayoutFilter_Exclude", Q(texts::kGridFilterRemove), {}, {}, canFilter, [this] { FilterSelected(true); });
    menuActions_ = {calc, cmpCalc, nullptr, keep, remove, nullptr, gradient_};
    matrix_->addActions({keep, remove});
    matrix_->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* toolbar = new ToolStrip(this);
    toolbar->setObjectName(QStringLiteral("LayoutToolBar"));
    toolbar->AddGroup({calc}, {new QLabel(Q(texts::kLayoutLength), this), length_});
    toolbar->AddGroup({keep, remove});
    toolbar->AddGroup({gradient_});

    auto* comparePanel = new QWidget(this);
    auto* compareRow = new QHBoxLayout(comparePanel);
    compareRow->setContentsMargins(0, 0, 0, 0);
    for (int k = 0; k < kCompareLists; ++k) {
        auto* column = new QVBoxLayout;
        auto* box = new QSpinBox(comparePanel);
        box->setObjectName(QStringLiteral("LayoutCompareLen%1").arg(k + 1));
        box->setRange(1, INT_MAX);
        box->setMinimumWidth(40);
        box->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        box->setValue(
            std::max(1, ctx_.View.ReadInt(kForm, Format("LayoutCompareLen%d", {k + 1}), kCompareDefaults[k])));
        connect(box->findChild<QLineEdit*>(), &QLineEdit::returnPressed, this, &LayoutTab::BuildCompareLists);
        auto* list = NewGrid(comparePanel, QStringLiteral("LayoutCompare%1").arg(k + 1));
        list->setColumnCount(2);
        list->setHorizontalHeaderLabels({Q(texts::kLayoutCountColumn), QString()});
        list->horizontalHeader()->setStretchLastSection(true);
        list->setColumnWidth(0, list->fontMetrics().horizontalAdvance(Q(texts::kLayoutCountColumn)) + 30);
        list->setWordWrap(false);
        // The five lists share the panel's width; none asks for more.
        list->setMinimumWidth(40);
        list->setSortingEnabled(true);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        column->addWidget(box);
        column->addWidget(list, 1);
        compareRow->addLayout(column, 1);
        compareLength_[static_cast<std::size_t>(k)] = box;
        compare_[static_cast<std::size_t>(k)] = list;
    }
    auto* cmpButton = new QPushButton(Q(texts::kLayoutCalc), comparePanel);
    cmpButton->setObjectName(QStringLiteral("LayoutCmpCalcButton"));
    connect(cmpButton, &QPushButton::clicked, cmpCalc, &QAction::trigger);
    compareRow->addWidget(cmpButton, 0, Qt::AlignTop);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(matrix_);
    split->addWidget(comparePanel);
    split->setSizes({400, std::max(80, ctx_.View.ReadInt(kForm, "LayoutCompareHeight", 200))});
    connect(split, &QSplitter::splitterMoved, this,
            [this, comparePanel] { ctx_.View.WriteInt(kForm, "LayoutCompareHeight", comparePanel->height()); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(toolbar);
    layout->addWidget(split, 1);
    connect(&ctx_.Hub, &ViewHub::archiveChanged, this, [this] { Refresh(false); });
    connect(&ctx_.Hub, &ViewHub::offsetChanged, this, [this] { Refresh(false); });
}

void LayoutTab::SetShown(bool shown) {
    shown_ = shown;
    if (shown) Refresh(true);
}

void LayoutTab::Refresh(bool force) {
    if (!shown_) return;
    const app::TRevisions& now = ctx_.Ws.Revisions();
    if (!force && now.Archive == builtArchive_ && now.Offset == builtOffset_) return;
    BuildMatrix();
    BuildCompareLists();
}

void LayoutTab::BuildMatrix() {
    builtArchive_ = ctx_.Ws.Revisions().Archive;
    builtOffset_ = ctx_.Ws.Revisions().Offset;
    ctx_.View.WriteInt(kForm, "LayoutLen", length_->value());
    app::BusyGuard busy(ctx_.Hooks);
    ctx_.Hooks.ShowStatus(texts::kLayoutBuilding);
    built_ = BuildLayout(ctx_.Ws.Archive().Draws(), length_->value(), ctx_.Ws.Archive().Offset());
    matrix_->clear();
    matrix_->setRowCount(static_cast<int>(built_.Counts.size()));
    matrix_->setColumnCount(static_cast<int>(built_.LastDraws.size()) + 1);
    QStringList header{Q(texts::kLayoutCountColumn)};
    for (const int draw : built_.LastDraws) header << QString::number(draw);
    matrix_->setHorizontalHeaderLabels(header);
    matrix_->setColumnWidth(0, 50);
    for (std::size_t r = 0; r < built_.Cells.size(); ++r) {
        auto* count = new QTableWidgetItem(QString::number(built_.Counts[r]));
        count->setFlags(Qt::ItemIsEnabled);
        matrix_->setItem(static_cast<int>(r), 0, count);
        for (std::size_t c = 0; c < built_.Cells[r].size(); ++c) {
            auto* item = new QTableWidgetItem(Q(LayoutCellText(built_, built_.Cells[r][c])));
            item->setTextAlignment(Qt::AlignCenter);
            matrix_->setItem(static_cast<int>(r), static_cast<int>(c) + 1, item);
        }
    }
    // Each column as wide as its widest text, at least 40 pixels.
    const QFontMetrics metrics = matrix_->fontMetrics();
    for (int c = 1; c < matrix_->columnCount(); ++c) {
        int width = std::max(40, metrics.horizontalAdvance(header[c]) + 10);
        for (int r = 0; r < matrix_->rowCount(); ++r)
            if (const QTableWidgetItem* item = matrix_->item(r, c))
                width = std::max(width, metrics.horizontalAdvance(item->text()) + 10);
        matrix_->setColumnWidth(c, width);
    }
    Paint();
    ctx_.Hooks.ShowStatus("");
}

void LayoutTab::BuildCompareLists() {
    for (int k = 0; k < kCompareLists; ++k) {
        QSpinBox* box = compareLength_[static_cast<std::size_t>(k)];
        QTableWidget* list = compare_[static_cast<std::size_t>(k)];
        ctx_.View.WriteInt(kForm, Format("LayoutCompareLen%d", {k + 1}), box->value());
        const TCompareList built =
            BuildCompareList(ctx_.Ws.Archive().Draws(), box->value(), ctx_.Ws.Archive().Offset());
        list->setSortingEnabled(false);
        list->setRowCount(static_cast<int>(built.Rows.size()));
        list->setHorizontalHeaderLabels({Q(texts::kLayoutCountColumn), Q(built.Caption)});
        for (std::size_t i = 0; i < built.Rows.size(); ++i) {
            auto* count = new QTableWidgetItem;
            count->setData(Qt::DisplayRole, built.Rows[i].Count);
            list->setItem(static_cast<int>(i), 0, count);
            list->setItem(static_cast<int>(i), 1, new QTableWidgetItem(Q(built.Rows[i].Numbers)));
        }
        list->setSortingEnabled(true);
        list->sortByColumn(0, Qt::DescendingOrder);
    }
}

void LayoutTab::Paint() {
    for (int r = 0; r < matrix_->rowCount(); ++r)
        for (int c = 1; c < matrix_->columnCount(); ++c)
            if (QTableWidgetItem* item = matrix_->item(r, c))
                item->setBackground(QColor(
                    static_cast<QRgb>(0xFF000000u | LayoutCellColour(built_, r + 1, c, gradient_->isChecked()))));
}

bool LayoutTab::SelectionInNumbers() const {
    const QModelIndexList cells = matrix_->selectionModel()->selectedIndexes();
    if (cells.isEmpty()) return false;
    for (const QModelIndex& i : cells)
        if (i.column() < 1) return false;
    return true;
}

std::vector<int> LayoutTab::SelectedNumbers() const {
    std::set<int> numbers;
    for (const QModelIndex& i : matrix_->selectionModel()->selectedIndexes()) {
        if (i.column() < 1 || i.row() >= static_cast<int>(built_.Cells.size())) continue;
        const auto& row = built_.Cells[static_cast<std::size_t>(i.row())];
        if (static_cast<std::size_t>(i.column() - 1) >= row.size()) continue;
        for (const std::uint8_t n : row[static_cast<std::size_t>(i.column() - 1)].Numbers) numbers.insert(n);
    }
    return {numbers.begin(), numbers.end()};
}

void LayoutTab::FilterSelected(bool exclude) {
    ctx_.Ws.Combinations().FilterByNumbers(SelectedNumbers(), Q(texts::kMainWindowSchemeTab).toStdString(), exclude);
}

}  // namespace corvel::gui
