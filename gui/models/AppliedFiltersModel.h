#pragma once

#include <QAbstractTableModel>

#include "stats/FilterApply.h"

namespace corvel::gui {

// The applied-filters list of the workspace as a table: the step's caption
// with a keep (+) or remove (−) mark, the values it used, and how many
// combinations were left after it. It reads the workspace's list in place;
// the row count is taken at a reset, as in CombsModel.
class AppliedFiltersModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { CaptionColumn = 0, ValuesColumn = 1, CountColumn = 2, ColumnCount = 3 };
    // True for a keep step, false for a remove step (any column).
    static constexpr int KeepRole = Qt::UserRole + 1;

    explicit AppliedFiltersModel(const TAppliedFilters& filters, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void BeginChange();
    void EndChange();
    void Reset();

  private:
    const TAppliedFilters& filters_;
    int rows_ = 0;
};

}  // namespace corvel::gui
