#pragma once

#include <QList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "GuiContext.h"
#include "views/Layout.h"

class QAction;
class QSpinBox;
class QTableWidget;

namespace corvel::gui {

// The layout tab (texts::kMainWindowSchemeTab): the numbers of a window of
// draws placed by count and last appearance, the numbers of the draw after
// the window marked, and five compare lists over windows of other lengths.
// The numbers of the selected cells keep or remove combinations (NUMS).
class LayoutTab : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kCompareLists = 5;

    LayoutTab(GuiContext& ctx, QWidget* parent = nullptr);
    QList<QAction*> MenuActions() const { return menuActions_; }
    QTableWidget* Matrix() const { return matrix_; }
    QTableWidget* CompareList(int k) const { return compare_[static_cast<std::size_t>(k)]; }
    QSpinBox* LengthBox() const { return length_; }

    void SetShown(bool shown);
    // The numbers written in the selected matrix cells, ascending.
    std::vector<int> SelectedNumbers() const;

  public slots:
    void Refresh(bool force);
    void BuildMatrix();
    void BuildCompareLists();

  private:
    void Paint();
    void FilterSelected(bool exclude);
    bool SelectionInNumbers() const;

    GuiContext& ctx_;
    QList<QAction*> menuActions_;
    QSpinBox* length_ = nullptr;
    QTableWidget* matrix_ = nullptr;
    std::array<QSpinBox*, kCompareLists> compareLength_{};
    std::array<QTableWidget*, kCompareLists> compare_{};
    QAction* gradient_ = nullptr;
    TLayoutMatrix built_;
    bool shown_ = false;
    std::uint64_t builtArchive_ = ~std::uint64_t{0};
    std::uint64_t builtOffset_ = ~std::uint64_t{0};
};

}  // namespace corvel::gui
