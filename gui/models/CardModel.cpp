#include "models/CardModel.h"

#include <QBrush>
#include <QColor>
#include <QPalette>
#include <QApplication>

namespace corvel::gui {

CardModel::CardModel(QObject* parent) : QAbstractTableModel(parent) {}

int CardModel::rowCount(const QModelIndex& parent) const {
    // An empty archive shows one empty row.
    return parent.isValid() ? 0 : std::max<int>(1, static_cast<int>(rows_.size()));
}

int CardModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant CardModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const TCardRow& r = rows_[row];
    const int column = index.column();
    if (role == Qt::DisplayRole) {
        if (column == 0) return r.Draw;
        if (column <= kMaxNumber) return r.Has(column) ? QVariant(column) : QVariant();
        return int{r.Extra[static_cast<std::size_t>(column - kExtra1)]};
    }
    if (role == Qt::TextAlignmentRole) return int(column == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
    if (role == Qt::BackgroundRole && column >= 1) {
        const QColor base = QApplication::palette().color(QPalette::Base);
        const std::uint32_t rgb =
            CardCellColour(rows_, row, column, channels_, sequences_, width_, base.rgb() & 0xFFFFFF);
        return QBrush(QColor(static_cast<QRgb>(0xFF000000u | rgb)));
    }
    return {};
}

QVariant CardModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == 0) return QString();
    if (section <= kMaxNumber) return section;
    return section == kExtra1 ? QStringLiteral("E1") : QStringLiteral("E2");
}

void CardModel::SetRows(std::vector<TCardRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void CardModel::SetColours(bool channels, bool sequences, int channelWidth) {
    channels_ = channels;
    sequences_ = sequences;
    width_ = channelWidth;
    if (!rows_.empty()) emit dataChanged(index(0, 1), index(rowCount() - 1, kColumns - 1), {Qt::BackgroundRole});
}

}  // namespace corvel::gui
