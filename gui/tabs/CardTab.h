#pragma once

#include <QList>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "GuiContext.h"

class QAction;
class QTableView;

namespace corvel::gui {

class CardModel;

// The card tab (texts::kMainWindowMapTab): every draw of the archive as a
// row of 48 number columns, runs and neighbours marked, channels coloured;
// the numbers of the selected cells keep or remove combinations (NUMS). It is
// rebuilt only while shown and only when the archive or the settings changed.
class CardTab : public QWidget {
    Q_OBJECT
  public:
    CardTab(GuiContext& ctx, QWidget* parent = nullptr);
    QList<QAction*> MenuActions() const { return menuActions_; }
    QTableView* View() const { return view_; }
    CardModel* Model() const { return model_; }

    void SetShown(bool shown);
    // The distinct numbers of the selected non-empty number cells, ascending.
    std::vector<int> SelectedNumbers() const;

  public slots:
    void Refresh(bool force);

  private:
    void FilterSelected(bool exclude);
    bool SelectionInNumbers() const;

    GuiContext& ctx_;
    QList<QAction*> menuActions_;
    CardModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QAction* channels_ = nullptr;
    QAction* sequences_ = nullptr;
    bool shown_ = false;
    std::uint64_t builtArchive_ = ~std::uint64_t{0};
    std::uint64_t builtSettings_ = ~std::uint64_t{0};
};

}  // namespace corvel::gui
