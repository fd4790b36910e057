#pragma once

#include <QList>
#include <QWidget>

#include "GuiContext.h"

class QAction;
class QStandardItemModel;
class QTableView;

namespace corvel::gui {

// The systems tab (texts::kMainWindowSystemsTab): the systems list - the
// catalogue's placeholder while the vendor's service is not reached, then
// the systems kept in the folder "Systems" - and system play over the
// distinct numbers of the combination list, the whole system or only the
// combinations the list holds, through the multi-stake dialog.
class SystemsTab : public QWidget {
    Q_OBJECT
  public:
    SystemsTab(GuiContext& ctx, QWidget* parent = nullptr);
    QList<QAction*> MenuActions() const { return menuActions_; }

    QTableView* View() const { return view_; }
    QStandardItemModel* Model() const { return model_; }

    // The tab shown reads the list, the tab hidden empties it; the play
    // actions need it shown.
    void SetShown(bool shown);
    bool Shown() const { return shown_; }

  public slots:
    void Refresh();

  private:
    void BuildActions();
    void Play(bool listOnly);

    GuiContext& ctx_;
    QList<QAction*> menuActions_;
    QStandardItemModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    bool shown_ = false;
};

}  // namespace corvel::gui
