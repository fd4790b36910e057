#include "models/TablesModel.h"

#include "GuiText.h"
#include "i18n/Texts.h"

namespace corvel::gui {

int TablesModel::ColumnWidth(int column) {
    if (column == 0) return 220;
    if (column == 1 || column == 3) return 150;
    return 60;
}

TablesModel::TablesModel(const std::vector<TTableRec>& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), count_(static_cast<int>(rows.size())) {}

int TablesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count_; }

int TablesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TablesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(
            (index.column() == 2 || index.column() == 4 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    if (role != Qt::DisplayRole) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= rows_.size()) return {};
    const TTableRec& r = rows_[row];
    switch (index.column()) {
        case 0:
            return Q(r.Comment());
        case 1:
            return Q(TableCombinationText(r.Start));
        case 2:
            return QString::number(r.Step);
        case 3:
            return Q(TableCombinationText(r.Current));
        case 4:
            return QString::number(r.Made);
        default:
            return {};
    }
}

QVariant TablesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const i18n::TextId* const captions[ColumnCount] = {&texts::kTablesColComment, &texts::kTablesColStart,
                                                              &texts::kTablesColStep, &texts::kTablesColCurrent,
                                                              &texts::kTablesColMade};
    if (section < 0 || section >= ColumnCount) return {};
    return Q(*captions[section]);
}

void TablesModel::Reset() {
    beginResetModel();
    count_ = static_cast<int>(rows_.size());
    endResetModel();
}

}  // namespace corvel::gui
