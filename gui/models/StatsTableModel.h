#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "stats/StatTable.h"

namespace corvel::gui {

// The rows of one statistics table with the engine's cell texts. The model
// keeps its own copy of the rows (a table has at most a few thousand values),
// so a later computation elsewhere in the engine cannot change what is shown
// and selected here. Sorting follows the table rule of the engine: numbers
// compare as numbers, other cells as text, ties by the value caption; a new
// sort only reorders the rows, it never recomputes them.
class StatsTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit StatsTableModel(QObject* parent = nullptr);

    // New rows of registry method `method`, sorted by the current order.
    void SetTable(const std::vector<TStatTableRow>& rows, int method);
    void Clear();

    // Registry index of the method the rows belong to; -1 when empty.
    int Method() const { return method_; }
    const TStatTableRow& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    const std::vector<TStatTableRow>& Rows() const { return rows_; }

    int SortColumn() const { return sortColumn_; }
    Qt::SortOrder SortOrder() const { return sortOrder_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Reorders the rows; selections and other persistent indexes follow them.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  signals:
    void sortChanged(int column, Qt::SortOrder order);

  private:
    std::vector<TStatTableRow> rows_;
    int method_ = -1;
    int sortColumn_ = 1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace corvel::gui
