#pragma once

#include <QAbstractTableModel>

#include "ratings/RatingsTable.h"

namespace corvel::gui {

// The ratings as their list: one row per rating row in the table's order,
// the twenty columns as the table words them for the chosen meaning of the
// "E" columns. Texts are made when a row is painted.
class RatingsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The initial width of a column.
    static int ColumnWidth(int column);

    explicit RatingsModel(const TRatingsTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    TEfficiencyMode Mode() const { return mode_; }
    void SetMode(TEfficiencyMode mode);
    // The table changed.
    void Reset();

  private:
    const TRatingsTable& table_;
    TEfficiencyMode mode_ = TEfficiencyMode::Absolute;
    int rows_ = 0;
};

}  // namespace corvel::gui
