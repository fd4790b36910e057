#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "stakes/TableRecord.h"

namespace corvel::gui {

// The regular table stakes as their list, one row per regular in list order:
// comment, start combination, step, current combination, stakes made.
class TablesModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int ColumnCount = 5;
    static int ColumnWidth(int column);

    explicit TablesModel(const std::vector<TTableRec>& rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The list changed.
    void Reset();

  private:
    const std::vector<TTableRec>& rows_;
    int count_ = 0;
};

}  // namespace corvel::gui
