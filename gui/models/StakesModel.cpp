#include "models/StakesModel.h"

#include <QBrush>
#include <QList>
#include <algorithm>
#include <exception>

#include "GuiText.h"
#include "i18n/Texts.h"

namespace corvel::gui {
namespace {

// Records read in one go when a row outside the kept block is painted: a
// screen of rows costs one read.
constexpr std::int64_t kCacheBlock = 64;

int ShownCount(std::int32_t count) { return std::clamp(count, 0, TStakeNumbers::kCapacity); }

bool IsHit(const TStakeRec& rec, std::uint8_t n) {
    const int hits = ShownCount(rec.Hits.Count);
    for (int i = 0; i < hits; ++i)
        if (rec.Hits.Values[static_cast<std::size_t>(i)] == n) return true;
    return false;
}

QString Joined(const std::uint8_t* values, int count, QChar separator) {
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i) text += separator;
        text += QString::number(values[i]);
    }
    return text;
}

QString CellText(const TStakeRec& rec, int column) {
    switch (column) {
        case StakesModel::DrawColumn:
            return QString::number(rec.Draw);
        case StakesModel::KindColumn:
            return Q(StakeKindText(rec.Kind));
        case StakesModel::StakeColumn:
            return Joined(rec.Stake.Values.data(), ShownCount(rec.Stake.Count), QLatin1Char(';'));
        case StakesModel::SampleColumn:
            return QString::number(rec.Sample);
        case StakesModel::ResultColumn:
            return rec.Checked ? Joined(rec.Result.data(), kNumbersPerDraw, QLatin1Char(';')) : QString();
        case StakesModel::HitsCountColumn:
            return rec.Checked ? QString::number(rec.Hits.Count) : QString();
        case StakesModel::HitsColumn:
            return rec.Checked ? Joined(rec.Hits.Values.data(), ShownCount(rec.Hits.Count), QLatin1Char(' '))
                               : QString();
        case StakesModel::ProfitColumn:
            return Q(rec.Profit.ToText());
        case StakesModel::CommentColumn:
            return Q(rec.Comment());
        default:
            return {};
    }
}

}  // namespace

QColor StakesModel::KindColour(TStakeKind kind) {
    switch (kind) {
        case TStakeKind::Manual:
            return QColor(0xEA, 0xFF, 0xEA);
        case TStakeKind::Regular:
            return QColor(0xFF, 0xEA, 0xEA);
        case TStakeKind::Scenario:
            return QColor(0xEA, 0xFF, 0xFF);
        case TStakeKind::System:
            return QColor(0xFC, 0xFD, 0xD9);
        default:
            return {};
    }
}

QColor StakesModel::ProfitColour(bool positive) { return positive ? QColor(0, 128, 0) : QColor(255, 0, 0); }

QColor StakesModel::HitColour() { return QColor(0, 0, 255); }

int StakesModel::ColumnWidth(int column) {
    switch (column) {
        case StakeColumn:
        case ResultColumn:
            return 120;
        case CommentColumn:
            return 1000;
        default:
            return 60;
    }
}

StakesModel::StakesModel(const TStakesFile& file, QObject* parent) : QAbstractTableModel(parent), file_(file) {
    records_ = file_.IsOpen() ? file_.Count() : 0;
}

int StakesModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(std::max<std::int64_t>(1, records_));
}

int StakesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

const TStakeRec* StakesModel::Record(int row) const {
    if (row < 0 || row >= records_ || !file_.IsOpen()) return nullptr;
    const std::int64_t index = row;
    if (index >= cacheFirst_ && index < cacheFirst_ + static_cast<std::int64_t>(cache_.size()))
        return &cache_[static_cast<std::size_t>(index - cacheFirst_)];
    try {
        const std::int64_t count = std::min(file_.Count(), records_);
        if (index >= count) return nullptr;
        const std::int64_t first = std::max<std::int64_t>(0, index - kCacheBlock / 4);
        cache_.assign(static_cast<std::size_t>(std::min(kCacheBlock, count - first)), TStakeRec{});
        file_.ReadRange(first, cache_);
        cacheFirst_ = first;
    } catch (const std::exception&) {
        // A file that cannot be read right now shows empty rows; the
        // operation that broke it has reported the error.
        cache_.clear();
        return nullptr;
    }
    return &cache_[static_cast<std::size_t>(index - cacheFirst_)];
}

QVariant StakesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        if (column == ProfitColumn) return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        if (column == CommentColumn) return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    }
    const TStakeRec* rec = Record(index.row());
    // Separator rows (and the empty row of an empty file) show nothing.
    if (!rec || rec->IsSeparator()) return {};
    switch (role) {
        case Qt::DisplayRole:
            return CellText(*rec, column);
        case Qt::BackgroundRole: {
            const QColor colour = KindColour(rec->Kind);
            return colour.isValid() ? QVariant(QBrush(colour)) : QVariant();
        }
        case Qt::ForegroundRole:
            if (rec->Checked && column >= HitsCountColumn && column <= ProfitColumn)
                return QBrush(ProfitColour(rec->Profit > TMoney()));
            return {};
        case NumbersRole:
        case MatchedRole: {
            if (column != StakeColumn && column != ResultColumn) return {};
            if (column == ResultColumn && !rec->Checked) return {};
            const std::uint8_t* values = column == StakeColumn ? rec->Stake.Values.data() : rec->Result.data();
            const int count = column == StakeColumn ? ShownCount(rec->Stake.Count) : kNumbersPerDraw;
            if (role == NumbersRole) {
                QList<int> numbers;
                for (int i = 0; i < count; ++i) numbers << values[i];
                return QVariant::fromValue(numbers);
            }
            QList<bool> matched;
            for (int i = 0; i < count; ++i) matched << (rec->Checked && IsHit(*rec, values[i]));
            return QVariant::fromValue(matched);
        }
        default:
            return {};
    }
}

QVariant StakesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const i18n::TextId* const headers[ColumnCount] = {
        &texts::kStakesDrawColumn,   &texts::kStakesKindColumn,   &texts::kStakesStakeColumn,
        &texts::kStakesSampleColumn, &texts::kStakesResultColumn, &texts::kStakesHitsCountColumn,
        &texts::kStakesHitsColumn,   &texts::kStakesProfitColumn, &texts::kStakesCommentColumn};
    if (section < 0 || section >= ColumnCount) return {};
    return Q(*headers[section]);
}

void StakesModel::Reset() {
    cache_.clear();
    const std::int64_t records = file_.IsOpen() ? file_.Count() : 0;
    if (records == records_) {
        // Same rows, maybe new contents (checked in place): repaint them.
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
        return;
    }
    beginResetModel();
    records_ = records;
    endResetModel();
}

}  // namespace corvel::gui
