#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <cstdint>
#include <vector>

#include "stakes/StakesFile.h"

namespace corvel::gui {

// The open stakes file as the stakes grid: one row per record in file order
// (an empty file shows one empty row). Rows are read from the file when they
// are painted; a small block of the records read last is kept, and dropped
// at every Reset, so a row always shows the record as the file holds it.
class StakesModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column {
        DrawColumn = 0,
        KindColumn = 1,
        StakeColumn = 2,
        SampleColumn = 3,
        ResultColumn = 4,
        HitsCountColumn = 5,
        HitsColumn = 6,
        ProfitColumn = 7,
        CommentColumn = 8,
        ColumnCount = 9
    };
    enum Role {
        // Columns 2 and 4: the numbers shown (a QList<int>) ...
        NumbersRole = Qt::UserRole + 1,
        // ... and which of them are among the hits (a QList<bool>, same order).
        MatchedRole,
    };

    // The grid's colours.
    static QColor KindColour(TStakeKind kind);  // invalid for separators and unknown kinds
    static QColor ProfitColour(bool positive);  // columns 5-7 of a checked stake
    static QColor HitColour();                  // a matched number in columns 2 and 4

    // The initial width of a column.
    static int ColumnWidth(int column);

    explicit StakesModel(const TStakesFile& file, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Records in the file as last counted (the rows of an empty file: 1).
    std::int64_t Records() const { return records_; }
    // The record of a row; nothing for the empty row or past the end.
    const TStakeRec* Record(int row) const;

    // The file changed: the cache is dropped and the row count taken anew;
    // when it did not change the rows are only repainted.
    void Reset();

  private:
    const TStakesFile& file_;
    std::int64_t records_ = 0;
    // The last block of records read, from cacheFirst_ on.
    mutable std::vector<TStakeRec> cache_;
    mutable std::int64_t cacheFirst_ = 0;
};

}  // namespace corvel::gui
