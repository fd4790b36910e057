#include "ListLayout.h"

#include <QHeaderView>
#include <QTableView>
#include <algorithm>
#include <vector>

#include "model/ViewSettings.h"

namespace corvel::gui {
namespace {

constexpr int kMaxColumnWidth = 4000;

std::string WidthKey(const std::string& name, int column) { return name + ".Column" + std::to_string(column); }
std::string OrderKey(const std::string& name) { return name + ".ColumnOrder"; }

}  // namespace

void SaveListLayout(ViewSettings& view, const char* form, const std::string& name, const QTableView& list) {
    const QHeaderView* header = list.horizontalHeader();
    std::vector<int> order;
    for (int visual = 0; visual < header->count(); ++visual) order.push_back(header->logicalIndex(visual));
    for (int column = 0; column < header->count(); ++column)
        if (!header->isSectionHidden(column)) view.WriteInt(form, WidthKey(name, column), header->sectionSize(column));
    view.WriteInts(form, OrderKey(name), order);
}

void RestoreListLayout(const ViewSettings& view, const char* form, const std::string& name, QTableView& list) {
    QHeaderView* header = list.horizontalHeader();
    const int count = header->count();
    for (int column = 0; column < count; ++column) {
        const int width = view.ReadInt(form, WidthKey(name, column), 0);
        if (width > 0) header->resizeSection(column, std::min(width, kMaxColumnWidth));
    }
    const auto order = view.ReadInts(form, OrderKey(name), static_cast<std::size_t>(count));
    if (!order) return;
    std::vector<int> sorted = *order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < count; ++i)
        if (sorted[static_cast<std::size_t>(i)] != i) return;  // not an order of these columns
    for (int visual = 0; visual < count; ++visual)
        header->moveSection(header->visualIndex((*order)[static_cast<std::size_t>(visual)]), visual);
}

QTableView* NewRecordList(QWidget* parent, const QString& name, QAbstractItemModel* model,
                          QAbstractItemView::SelectionMode mode) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(mode);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    QHeaderView* rows = view->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view->fontMetrics().height() + 6);
    rows->hide();
    QHeaderView* columns = view->horizontalHeader();
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setSectionsMovable(true);
    return view;
}

}  // namespace corvel::gui
