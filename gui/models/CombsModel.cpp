#include "models/CombsModel.h"

#include <QColor>
#include <array>

#include "GuiText.h"
#include "i18n/Texts.h"
#include "stats/families/Channels.h"

namespace corvel::gui {
namespace {

// The texts of every byte value, made once: painting a screen of numbers then
// copies shared strings instead of formatting them.
const QString& ByteText(std::uint8_t value) {
    static const std::array<QString, 256> texts = [] {
        std::array<QString, 256> t;
        for (int i = 0; i < 256; ++i) t[static_cast<std::size_t>(i)] = QString::number(i);
        return t;
    }();
    return texts[value];
}

}  // namespace

CombsModel::CombsModel(const TCombsArray& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), rows_(ListCount()) {}

int CombsModel::ListCount() const { return static_cast<int>(list_.Count()); }

int CombsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int CombsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

const TCombination* CombsModel::Combination(int row) const {
    // The list may be in the middle of a change while a view paints; rows
    // past its current end are not read.
    if (row < 0 || row >= rows_ || row >= ListCount()) return nullptr;
    return &list_[static_cast<std::size_t>(row)];
}

QVariant CombsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role == Qt::BackgroundRole) {
        const int column = index.column();
        if (!colours_ || column < FirstNumberColumn || column >= SumColumn) return {};
        const TCombination* c = Combination(index.row());
        if (!c) return {};
        return QColor::fromRgb(
            ChannelColour((*c)[static_cast<std::size_t>(column - FirstNumberColumn)], channelWidth_));
    }
    if (role != Qt::DisplayRole) return {};
    const TCombination* c = Combination(index.row());
    if (!c) return {};
    const int column = index.column();
    if (column == RowNumberColumn) return QString::number(index.row() + 1);
    if (column >= FirstNumberColumn && column < SumColumn)
        return ByteText((*c)[static_cast<std::size_t>(column - FirstNumberColumn)]);
    if (column == SumColumn) {
        int sum = 0;
        for (std::uint8_t n : *c) sum += n;
        return QString::number(sum);
    }
    return {};
}

QVariant CombsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == RowNumberColumn) return Q(texts::kCombsRowNumberColumn);
    if (section >= FirstNumberColumn && section < SumColumn) return QString::number(section);
    if (section == SumColumn) return QStringLiteral("S");
    return {};
}

void CombsModel::SetChannelColours(bool on, int channelWidth) {
    if (on == colours_ && channelWidth == channelWidth_) return;
    colours_ = on;
    channelWidth_ = channelWidth;
    if (rows_ > 0) emit dataChanged(index(0, FirstNumberColumn), index(rows_ - 1, SumColumn - 1), {Qt::BackgroundRole});
}

void CombsModel::BeginChange() { beginResetModel(); }

void CombsModel::EndChange() {
    rows_ = ListCount();
    endResetModel();
}

void CombsModel::Reset() {
    BeginChange();
    EndChange();
}

bool CombsModel::Sync() {
    if (rows_ == ListCount()) return false;
    Reset();
    return true;
}

}  // namespace corvel::gui
