#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "GuiContext.h"

class QAction;
class QLabel;
class QTableView;

namespace corvel::gui {

class CombsTab;
class ScenarioModel;
class ScenarioRunControl;

// The scenario tab (texts::kMainWindowScenarioTab): the lines of the current
// scenario, the commands that open, append and save scenario files, add,
// clone, edit, move and delete lines, and the count of lines below. Every
// change goes through the workspace's scenario service, which saves it at
// once and announces it; the list follows.
class ScenarioTab : public QWidget {
    Q_OBJECT
  public:
    // Asks for a scenario file to open (save false) or to save under; an
    // empty text when the person cancels.
    using FileChooser = std::function<QString(bool save)>;

    ScenarioTab(GuiContext& ctx, CombsTab& combs, QWidget* parent = nullptr);
    QList<QAction*> MenuActions() const { return menuActions_; }
    // Replaces the file dialogs (tests answer without a native dialog).
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    QTableView* View() const { return view_; }
    ScenarioModel* Model() const { return model_; }
    QLabel* Footer() const { return footer_; }
    ScenarioRunControl* RunControl() const { return run_; }

  public slots:
    void Refresh();

  private:
    void BuildActions();
    void Open();
    void Save();
    void Load();
    // The item editor with the item; on OK the line is appended (a new one)
    // or replaces line `replace`.
    void EditLine(const QString& title, const std::string& line, bool fresh, std::ptrdiff_t replace);
    void AddSeparator();
    void DeleteSelected();
    void Clear();
    void Move(bool up);
    void SelectRow(int row);

    std::size_t Lines() const;
    // The selected rows, ascending.
    std::vector<std::size_t> SelectedRows() const;
    // The current row when it is selected, else the first selected one; -1 for none.
    int ChosenRow() const;
    bool ChosenIsLine() const;  // the chosen row is a line, not a separator
    QString ChooseFile(bool save);

    GuiContext& ctx_;
    CombsTab& combs_;
    QList<QAction*> menuActions_;
    FileChooser chooseFile_;
    ScenarioModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QLabel* footer_ = nullptr;
    ScenarioRunControl* run_ = nullptr;
};

}  // namespace corvel::gui
