#pragma once

#include <QDialog>
#include <vector>

#include "model/GameConstants.h"
#include "views/Details.h"

class QSpinBox;
class QTableWidget;

namespace corvel::gui {

// The detail window of a draw or a combination (texts::kDetailsTitle): the
// property list the engine computed, and the six numbers on a number matrix
// whose number of columns can be changed.
class DetailsDialog : public QDialog {
    Q_OBJECT
  public:
    // `channelWidth`: the numbers' cells take the colours of their channels.
    DetailsDialog(const std::vector<TDetailRow>& rows, const TCombination& numbers, int columns, int channelWidth,
                  QWidget* parent = nullptr);

    QTableWidget* Properties() const { return properties_; }
    QTableWidget* Matrix() const { return matrix_; }
    QSpinBox* ColumnsBox() const { return columns_; }

  private:
    void BuildMatrix(int columns);

    TCombination numbers_;
    int channelWidth_ = 6;
    QTableWidget* properties_ = nullptr;
    QTableWidget* matrix_ = nullptr;
    QSpinBox* columns_ = nullptr;
};

}  // namespace corvel::gui
