#include "models/AppliedFiltersModel.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "GuiText.h"
#include "i18n/Texts.h"

namespace corvel::gui {
namespace {

// A plus (keep) or a minus (remove) drawn in the step's colour.
QIcon MarkIcon(bool keep) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(keep ? QColor(0x00, 0x80, 0x00) : QColor(0xC0, 0x00, 0x00), 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(3, 8), QPointF(13, 8));
    if (keep) painter.drawLine(QPointF(8, 3), QPointF(8, 13));
    return QIcon(pixmap);
}

const QIcon& KeepIcon() {
    static const QIcon icon = MarkIcon(true);
    return icon;
}

const QIcon& RemoveIcon() {
    static const QIcon icon = MarkIcon(false);
    return icon;
}

}  // namespace

AppliedFiltersModel::AppliedFiltersModel(const TAppliedFilters& filters, QObject* parent)
    : QAbstractTableModel(parent), filters_(filters), rows_(static_cast<int>(filters.Rows().size())) {}

int AppliedFiltersModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int AppliedFiltersModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant AppliedFiltersModel::data(const QModelIndex& index, int role) const {
    const auto& rows = filters_.Rows();
    if (!index.isValid() || index.row() >= rows_ || index.row() >= static_cast<int>(rows.size())) return {};
    const TAppliedFilter& row = rows[static_cast<std::size_t>(index.row())];
    switch (role) {
        case KeepRole:
            return row.Keep;
        case Qt::DecorationRole:
            if (index.column() == CaptionColumn) return row.Keep ? KeepIcon() : RemoveIcon();
            return {};
        case Qt::TextAlignmentRole:
            if (index.column() == CountColumn)
                return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
            return {};
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            switch (index.column()) {
                case CaptionColumn:
                    return Q(row.Caption);
                case ValuesColumn:
                    return Q(row.Values);
                case CountColumn:
                    return QString::number(static_cast<qulonglong>(row.Count));
                default:
                    return {};
            }
        default:
            return {};
    }
}

QVariant AppliedFiltersModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case CaptionColumn:
            return Q(texts::kAppliedFiltersColumn);
        case ValuesColumn:
            return Q(texts::kAppliedFiltersValuesColumn);
        case CountColumn:
            return Q(texts::kAppliedFiltersCombsColumn);
        default:
            return {};
    }
}

void AppliedFiltersModel::BeginChange() { beginResetModel(); }

void AppliedFiltersModel::EndChange() {
    rows_ = static_cast<int>(filters_.Rows().size());
    endResetModel();
}

void AppliedFiltersModel::Reset() {
    BeginChange();
    EndChange();
}

}  // namespace corvel::gui
