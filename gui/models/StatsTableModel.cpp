#include "models/StatsTableModel.h"

#include "GuiText.h"

namespace corvel::gui {

StatsTableModel::StatsTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void StatsTableModel::SetTable(const std::vector<TStatTableRow>& rows, int method) {
    beginResetModel();
    rows_ = rows;
    method_ = rows_.empty() ? -1 : method;
    SortStatTable(rows_, sortColumn_, sortOrder_ == Qt::DescendingOrder);
    endResetModel();
}

void StatsTableModel::Clear() {
    if (rows_.empty() && method_ < 0) return;
    beginResetModel();
    rows_.clear();
    method_ = -1;
    endResetModel();
}

int StatsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StatsTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kStatColumns; }

QVariant StatsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kStatColumns) return {};
    if (role == Qt::DisplayRole)
        return Q(rows_[static_cast<std::size_t>(index.row())].Cells[static_cast<std::size_t>(index.column())]);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(index.column() == 0 ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                                       : Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

QVariant StatsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kStatColumns) return {};
    if (role == Qt::DisplayRole) return Q(StatColumnCaptions()[static_cast<std::size_t>(section)]);
    // A header clicked for the first time sorts ascending.
    if (role == Qt::InitialSortOrderRole) return static_cast<int>(Qt::AscendingOrder);
    return {};
}

void StatsTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kStatColumns) return;
    const bool changed = column != sortColumn_ || order != sortOrder_;
    sortColumn_ = column;
    sortOrder_ = order;
    if (!rows_.empty()) {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        // Sort stand-ins that carry each row's old position in their key (the
        // sort reads only the cells), then move the rows accordingly.
        std::vector<TStatTableRow> standIns(rows_.size());
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            standIns[i].Cells = rows_[i].Cells;
            SetKeyInt32(standIns[i].Value.Key, 0, static_cast<std::int32_t>(i));
        }
        SortStatTable(standIns, column, order == Qt::DescendingOrder);
        std::vector<TStatTableRow> sorted;
        sorted.reserve(rows_.size());
        std::vector<int> newRow(rows_.size());
        for (std::size_t i = 0; i < standIns.size(); ++i) {
            const auto old = static_cast<std::size_t>(KeyInt32(standIns[i].Value.Key, 0));
            newRow[old] = static_cast<int>(i);
            sorted.push_back(std::move(rows_[old]));
        }
        rows_ = std::move(sorted);
        const QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex& i : from) to << index(newRow[static_cast<std::size_t>(i.row())], i.column());
        changePersistentIndexList(from, to);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
    if (changed) emit sortChanged(column, order);
}

}  // namespace corvel::gui
