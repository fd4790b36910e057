#include "models/DrawsModel.h"

#include "GuiText.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "stats/families/Channels.h"

namespace corvel::gui {

DrawsModel::DrawsModel(const app::Workspace& ws, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws), rows_(static_cast<int>(ws.Archive().Draws().size())) {}

int DrawsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int DrawsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

int DrawsModel::ArchiveIndex(int row) const {
    // The archive may already have changed while the view still shows the old
    // count (a repaint between the change and Refresh): rows past the end are
    // simply empty.
    const int count = static_cast<int>(ws_.Archive().Draws().size());
    if (row < 0 || row >= count) return -1;
    return count - 1 - row;
}

QVariant DrawsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int archiveIndex = ArchiveIndex(index.row());
    if (archiveIndex < 0) return {};
    switch (role) {
        case Qt::DisplayRole: {
            const TDrawRec rec = GetDraw(ws_.Archive().Draws(), archiveIndex, ws_.Archive().Sorted());
            const int column = index.column();
            if (column == kNumber) return rec.Number;
            if (column >= kFirstNumber && column < kFirstNumber + static_cast<int>(kNumbersPerDraw))
                return static_cast<int>(rec.Numbers[static_cast<std::size_t>(column - kFirstNumber)]);
            if (column == kExtra1) return static_cast<int>(rec.Extra[0]);
            if (column == kExtra2) return static_cast<int>(rec.Extra[1]);
            if (column == kSum) return rec.Sum();
            if (column == kDate) return Q(rec.DateText());
            return {};
        }
        case Qt::TextAlignmentRole:
            return index.column() == kDate ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                           : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::BackgroundRole: {
            const int column = index.column();
            if (colours_ && column >= kFirstNumber && column < kExtra1) {
                const TDrawRec rec = GetDraw(ws_.Archive().Draws(), archiveIndex, ws_.Archive().Sorted());
                return QColor::fromRgb(ChannelColour(rec.Numbers[static_cast<std::size_t>(column - kFirstNumber)],
                                                     ws_.Settings().Game().Config.ChannelSize));
            }
            if (index.row() == ws_.Archive().Offset()) return OffsetRowColor();
            return {};
        }
        default:
            return {};
    }
}

QVariant DrawsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
        case kNumber:
            return Q(texts::kDrawsNumberColumn);
        case kExtra1:
            return QStringLiteral("E1");
        case kExtra2:
            return QStringLiteral("E2");
        case kSum:
            return QStringLiteral("S");
        case kDate:
            return Q(texts::kDrawsDateColumn);
        default:
            if (section >= kFirstNumber && section < kExtra1) return QString::number(section);
            return {};
    }
}

void DrawsModel::SetChannelColours(bool on) {
    if (on == colours_) return;
    colours_ = on;
    if (rows_ > 0) emit dataChanged(index(0, kFirstNumber), index(rows_ - 1, kExtra1 - 1), {Qt::BackgroundRole});
}

void DrawsModel::Refresh(bool force) {
    const int count = static_cast<int>(ws_.Archive().Draws().size());
    if (force || count != rows_) {
        beginResetModel();
        rows_ = count;
        endResetModel();
    } else if (rows_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, kColumns - 1));
    }
}

}  // namespace corvel::gui
