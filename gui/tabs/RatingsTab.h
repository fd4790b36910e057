#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <vector>

#include "GuiContext.h"
#include "ratings/RatingGraphs.h"

class QAction;
class QTableView;

namespace corvel::gui {

class RatingsModel;

// The ratings tab (texts::kMainWindowRatingTab): the checked stakes summed up
// by comment, sorted by a click on a column header (the service sorts and
// saves), the meaning of the "E" columns (kept as RatingsEffMode), the
// rebuild from the stakes file, the CSV export, the graphs of the selected
// rows and the way back from rows to scenario lines.
class RatingsTab : public QWidget {
    Q_OBJECT
  public:
    // Asks for the CSV file to write; an empty text when the person cancels.
    using FileChooser = std::function<QString()>;

    RatingsTab(GuiContext& ctx, QWidget* parent = nullptr);
    QList<QAction*> MenuActions() const { return menuActions_; }
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    QTableView* View() const { return view_; }
    RatingsModel* Model() const { return model_; }

  signals:
    // Rows became scenario lines: the scenario tab is to be shown.
    void linesAddedToScenario();

  public slots:
    void Refresh();

  private:
    void BuildActions();
    void SetMode(int mode);
    void SortBy(int column);
    void AddToScenario();
    void ShowStakesGraph(TStakeGraphValue value);
    void Export();
    std::vector<std::size_t> SelectedRows() const;

    GuiContext& ctx_;
    QList<QAction*> menuActions_;
    FileChooser chooseFile_;
    RatingsModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QList<QAction*> modes_;
};

}  // namespace corvel::gui
