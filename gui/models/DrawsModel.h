#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include "app/Workspace.h"

namespace corvel::gui {

// The draws list: one row per draw of the workspace's archive, newest first
// (row i is the draw at array index High - i), read straight from the archive
// on every request. Columns: draw number, the six numbers (ascending in sorted
// mode), the two extra numbers, their sum and the date. The row of the last
// analysed draw (row DrawsOffset) gets the offset colour; with the channel
// colours on, the number cells take the colours of their channels.
class DrawsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { kNumber = 0, kFirstNumber = 1, kExtra1 = 7, kExtra2 = 8, kSum = 9, kDate = 10, kColumns = 11 };
    static QColor OffsetRowColor() { return QColor(0xFF, 0xAA, 0xAA); }

    explicit DrawsModel(const app::Workspace& ws, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Follows the archive: with force, or when the number of draws changed,
    // the rows are rebuilt (the selection goes); otherwise every row is
    // repainted in place (sorted mode, offset, an edited draw).
    void Refresh(bool force);
    // Array index of the draw shown in a row; -1 outside the archive.
    int ArchiveIndex(int row) const;

    // Paints the six number cells in the colours of their channels (for the
    // channel width of the game settings); repaints when switched.
    void SetChannelColours(bool on);
    bool ChannelColours() const { return colours_; }

  private:
    const app::Workspace& ws_;
    int rows_ = 0;  // the count the view was last told
    bool colours_ = false;
};

}  // namespace corvel::gui
