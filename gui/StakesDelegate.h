#pragma once

#include <QStyledItemDelegate>

namespace corvel::gui {

// Paints the cells of the stakes grid: the row colour of the stake's kind on
// rows that are not selected, the texts 2 pixels from the edge where they are
// aligned to one (and from the left whenever a text is wider than its cell),
// and in the numbers columns each number on its own, 3 pixels apart, bold
// blue when it is among the stake's hits.
class StakesDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static constexpr int kMargin = 2;     // text from the cell's edge
    static constexpr int kNumberGap = 3;  // between the numbers of columns 2 and 4
};

}  // namespace corvel::gui
