#pragma once

#include <QList>
#include <QWidget>
#include <cstddef>
#include <optional>
#include <string>

#include "GuiContext.h"
#include "stats/FilterDefinition.h"

class QAction;
class QComboBox;
class QSpinBox;
class QSplitter;
class QTableView;

namespace corvel {
class TStatList;
}

namespace corvel::gui {

class StatsChart;
class StatsTableModel;

// Fills a method list: every registry entry that is enabled and listed (and,
// with onlyVisible, among the user's favourites), shown with its group and
// flag letters, carrying its registry index as item data; alphabetical when
// the registry says Ordered, else in registration order. With onlyGraphs only
// the methods that can be plotted draw by draw.
void FillMethodCombo(QComboBox& combo, const TStatList& stats, bool onlyVisible, bool onlyGraphs = false);

// The statistics tab (texts::kMainWindowStats): the statistic-type list, the window length, the table
// of the chosen method over the last N draws with the chart below it, and the
// commands that turn selected rows into keep or remove filters.
class StatsTab : public QWidget {
    Q_OBJECT
  public:
    StatsTab(GuiContext& ctx, QWidget* parent = nullptr);
    // The tab's commands, in menu order (the main window builds its menu).
    QList<QAction*> MenuActions() const { return menuActions_; }

    QComboBox* MethodList() const { return methods_; }
    QSpinBox* WindowLength() const { return window_; }
    QTableView* Table() const { return table_; }
    StatsTableModel* Model() const { return model_; }
    StatsChart* Chart() const { return chart_; }
    // Registry index of the selected method; -1 when none.
    int SelectedMethod() const;

  public slots:
    // Recomputes the table for the selected method and window; an unforced
    // call with the same archive length, offset, window and method keeps the
    // table (and the rows the user selected).
    void Refresh(bool force);
    // Refills the method list after the registry changed, keeping the chosen
    // method when it is still listed.
    void FillMethods(bool keepSelection);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // What the shown table was computed for: the data by their revisions
    // (an edited draw keeps the archive's length), the window and the method.
    struct Key {
        app::TRevisions Revisions;
        int Window;
        int Method;
        bool operator==(const Key&) const = default;
    };

    void BuildActions();
    void BuildLayout();
    bool CanCalculate() const;
    bool CanFilter() const;
    void Filter(bool exclude);
    bool CanApplyDefinition() const;
    void ApplyDefinition();
    void TogglePrefetch();
    void ToggleTotalLine();
    void ShowPrefetchColumns();
    void RebuildChart();
    void SaveToggle(const char* key, bool value);

    GuiContext& ctx_;
    QList<QAction*> menuActions_;
    QAction* calc_ = nullptr;
    QAction* prefetch_ = nullptr;
    QAction* totalLine_ = nullptr;
    QAction* include_ = nullptr;
    QAction* exclude_ = nullptr;
    QAction* definition_ = nullptr;
    QComboBox* methods_ = nullptr;
    QSpinBox* window_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTableView* table_ = nullptr;
    StatsTableModel* model_ = nullptr;
    StatsChart* chart_ = nullptr;
    bool showTotalLine_ = true;
    bool prefetchUsed_ = false;  // the shown table was computed with a cache
    double factor_ = 0;
    std::optional<Key> key_;
    // The chosen method by code and line, kept across registry rebuilds.
    std::string selectedCode_;
    int selectedLine_ = 0;
    bool sized_ = false;
    // The definition last applied (the dialog starts from it).
    TFilterItem lastDefinition_;
    // False once the main window has begun to release the shared objects.
    bool contextAlive_ = true;
};

}  // namespace corvel::gui
