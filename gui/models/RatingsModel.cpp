#include "models/RatingsModel.h"

#include "GuiText.h"

namespace corvel::gui {

int RatingsModel::ColumnWidth(int column) {
    if (column == 0) return 200;
    if (column <= 3) return 60;
    if (column <= 5) return 80;
    if (column <= 12) return 30;
    return 70;
}

RatingsModel::RatingsModel(const TRatingsTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), rows_(static_cast<int>(table.Count())) {}

int RatingsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int RatingsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kRatingColumns; }

QVariant RatingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            Qt::Alignment((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter));
    if (role != Qt::DisplayRole) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= table_.Count()) return {};
    return Q(table_.CellText(row, index.column(), mode_));
}

QVariant RatingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kRatingColumns) return {};
    return Q(RatingColumnCaption(section));
}

void RatingsModel::SetMode(TEfficiencyMode mode) {
    if (mode == mode_) return;
    mode_ = mode;
    if (rows_ > 0) emit dataChanged(index(0, 13), index(rows_ - 1, kRatingColumns - 1));
}

void RatingsModel::Reset() {
    beginResetModel();
    rows_ = static_cast<int>(table_.Count());
    endResetModel();
}

}  // namespace corvel::gui
