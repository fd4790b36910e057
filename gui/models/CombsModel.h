#pragma once

#include <QAbstractTableModel>

#include "model/CombsArray.h"

namespace corvel::gui {

// The current combination list as a table: the row number, the six numbers
// and their sum. It reads the engine's list in place (no copy of up to
// 12,271,512 rows), so a view over it stays cheap whatever the list holds.
// The row count is taken when the model is reset: whoever changes the list
// brackets the change with BeginChange/EndChange, or calls Reset afterwards,
// so a view never sees a count that differs from the one it was told.
class CombsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { RowNumberColumn = 0, FirstNumberColumn = 1, SumColumn = 7, ColumnCount = 8 };

    explicit CombsModel(const TCombsArray& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void BeginChange();
    void EndChange();
    void Reset();
    // Resets when the list's count no longer matches the rows shown; true
    // when it did.
    bool Sync();

    // The combination of a row, or nothing for a row outside the list.
    const TCombination* Combination(int row) const;

    // Paints the number cells in the colours of their channels for the
    // channel width (off: no colour); repaints when that changes.
    void SetChannelColours(bool on, int channelWidth);
    bool ChannelColours() const { return colours_; }

  private:
    int ListCount() const;

    const TCombsArray& list_;
    int rows_ = 0;
    bool colours_ = false;
    int channelWidth_ = 0;
};

}  // namespace corvel::gui
