#pragma once

#include <QList>
#include <QWidget>
#include <vector>

#include "GuiContext.h"

class QAction;
class QSpinBox;
class QTableView;

namespace corvel::gui {

class DrawsModel;

// The draw archive tab: the list of draws (newest first) with the commands to
// add, edit and delete draws, the sorted-numbers switch and the offset (the
// newest draws hidden from every computation). Every change of the archive is
// saved by the workspace at once and announced on the hub.
class DrawsTab : public QWidget {
    Q_OBJECT
  public:
    DrawsTab(GuiContext& ctx, QWidget* parent = nullptr);
    // The tab's commands, in menu order (the main window builds its menu).
    QList<QAction*> MenuActions() const { return menuActions_; }

    QTableView* View() const { return view_; }
    DrawsModel* Model() const { return model_; }
    QSpinBox* OffsetBox() const { return offset_; }
    // The switch of the channel colours of the list (the view menu holds it).
    QAction* ColourAction() const { return colours_; }

  public slots:
    // Follows the archive, the offset and the sorted switch; with force the
    // list rows are rebuilt even when the number of draws did not change.
    void Refresh(bool force);

  private:
    void AddDraw();
    void ShowDetails();
    void EditDraw();
    void DeleteDraws();
    void ToggleSorted();
    void ToggleColours();
    void OffsetEdited(int value);
    // Selected list rows, last row first.
    std::vector<int> SelectedRows() const;
    int FocusedArchiveIndex() const;

    GuiContext& ctx_;
    QList<QAction*> menuActions_;
    DrawsModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QSpinBox* offset_ = nullptr;
    QAction* sorted_ = nullptr;
    QAction* colours_ = nullptr;
};

}  // namespace corvel::gui
