#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "views/Card.h"

namespace corvel::gui {

// The card grid over the engine's card rows: column 0 the draw number,
// columns 1..48 the numbers drawn, 49 and 50 the extra numbers; the colours
// of the engine's rules (runs, neighbours, channels) as the background.
class CardModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kExtra1 = 49;
    static constexpr int kColumns = 51;

    explicit CardModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void SetRows(std::vector<TCardRow> rows);
    void SetColours(bool channels, bool sequences, int channelWidth);
    const std::vector<TCardRow>& Rows() const { return rows_; }
    bool Channels() const { return channels_; }
    bool Sequences() const { return sequences_; }

  private:
    std::vector<TCardRow> rows_;
    bool channels_ = true;
    bool sequences_ = true;
    int width_ = 6;
};

}  // namespace corvel::gui
