#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <vector>

#include "GuiContext.h"

class QAction;
class QSpinBox;
class QSplitter;
class QTableView;

namespace corvel::gui {

class AppliedFiltersModel;
class CombsModel;

// The combinations tab (texts::kMainWindowCombs): the current combination list over the whole height
// with the applied-filters list below it, and the commands that build, load,
// save, copy, paste and cut the list. Every change of the list goes through
// the workspace; afterwards both views are reset and the hub is told.
class CombsTab : public QWidget {
    Q_OBJECT
  public:
    // Asks for a combination file to open (save false) or to save under;
    // an empty text when the user cancels.
    using FileChooser = std::function<QString(bool save)>;

    CombsTab(GuiContext& ctx, QWidget* parent = nullptr);
    // The tab's commands, in menu order (the main window builds its menu).
    QList<QAction*> MenuActions() const { return menuActions_; }
    // The switch of the channel colours of the list (the view menu holds it).
    QAction* ColourAction() const { return colours_; }

    // Replaces the file dialogs (tests answer without a native dialog).
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    QTableView* CombsView() const { return combsView_; }
    QTableView* FiltersView() const { return filtersView_; }
    CombsModel* Model() const { return combsModel_; }
    AppliedFiltersModel* FiltersModel() const { return filtersModel_; }
    QSpinBox* DrawsExcludeBox() const { return drawsExclude_; }

    int FocusedRow() const;
    // The selected rows in ascending order, read from the selection ranges
    // (select-all over millions of rows is one range, not millions of indexes).
    std::vector<std::size_t> SelectedRows() const;

  public slots:
    void Refresh(bool force);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildViews();
    void BuildActions();
    void ShowDetails();
    void RestoreViewSettings();

    // Runs a change of the list or the applied filters with both models
    // reset around it, then tells the hub.
    void ChangeList(const std::function<void()>& change);
    void OnCombsChanged();
    // Widens the caption column of the applied filters to its longest text.
    void FitFilterCaptions();

    void Generate();
    void Open();
    void Save();
    void Copy();
    void Paste();
    void DeleteSelected();
    void ExcludeDraws();
    void Undo();
    void CheckNumbers();
    void FindInDraws();

    bool HasCombs() const;
    bool HasSelection() const;
    QString ChooseFile(bool save);

    GuiContext& ctx_;
    QList<QAction*> menuActions_;
    QAction* colours_ = nullptr;
    FileChooser chooseFile_;
    CombsModel* combsModel_ = nullptr;
    AppliedFiltersModel* filtersModel_ = nullptr;
    QTableView* combsView_ = nullptr;
    QTableView* filtersView_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QSpinBox* drawsExclude_ = nullptr;
    QAction* delExists_ = nullptr;
    bool clipboardHasText_ = false;
    bool changing_ = false;
};

}  // namespace corvel::gui
