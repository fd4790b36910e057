#pragma once

#include <QList>
#include <QWidget>
#include <optional>
#include <string>

#include "GuiContext.h"

class QAction;
class QCheckBox;
class QComboBox;
class QSpinBox;

namespace corvel::gui {

class GraphChart;

// The graphs tab (texts::kMainWindowChartsTab): one graph-capable statistic
// plotted draw by draw over the last N draws of the analysed window, with its
// mean and its most frequent value as flat lines. It draws only while shown,
// and only when its inputs changed since the last drawing, unless forced.
class GraphsTab : public QWidget {
    Q_OBJECT
  public:
    GraphsTab(GuiContext& ctx, QWidget* parent = nullptr);
    // The tab's commands, in menu order.
    QList<QAction*> MenuActions() const { return {draw_}; }

    QComboBox* MethodList() const { return methods_; }
    QSpinBox* Length() const { return length_; }
    QCheckBox* MarksBox() const { return marks_; }
    GraphChart* Chart() const { return chart_; }
    // Registry index of the selected method; -1 when none.
    int SelectedMethod() const;
    // How many times the graphs were drawn (a skipped redraw does not count).
    int Drawings() const { return drawings_; }

  public slots:
    // Draws the graphs when the tab is shown and, unless forced, when the
    // archive, the offset, the sorted order, the game settings, the length or
    // the method differ from the last drawing.
    void Refresh(bool force);
    // Refills the method list after the registry changed, keeping the chosen
    // method when it is still listed.
    void FillMethods(bool keepSelection);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // What the shown graphs were drawn for: the data by their revisions (an
    // edited draw keeps the archive's length), the length and the method.
    struct Key {
        app::TRevisions Revisions;
        int Length;
        int Method;
        bool operator==(const Key&) const = default;
    };

    void BuildLayout();
    bool CanDraw() const;
    void Draw();

    GuiContext& ctx_;
    QAction* draw_ = nullptr;
    QComboBox* methods_ = nullptr;
    QSpinBox* length_ = nullptr;
    QCheckBox* marks_ = nullptr;
    GraphChart* chart_ = nullptr;
    std::optional<Key> key_;
    int drawings_ = 0;
    // The chosen method by code, kept across registry rebuilds.
    std::string selectedCode_;
    // False once the main window has begun to release the shared objects.
    bool contextAlive_ = true;
};

}  // namespace corvel::gui
