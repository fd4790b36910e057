#pragma once

#include <QDialog>

#include "GuiContext.h"

class QPushButton;
class QSpinBox;
class QTableWidget;

namespace corvel::gui {

class GraphChart;

// The repeats analysis (texts::kAnalyzeRepeats): the window length and the
// depth, the compute button (also Enter in either field), the rows of the engine's
// analysis and their chart, one line per match count. Computed when it
// opens; the two numbers and the chart's height are kept in the view settings.
class RepeatsDialog : public QDialog {
    Q_OBJECT
  public:
    RepeatsDialog(GuiContext& ctx, QWidget* parent = nullptr);
    ~RepeatsDialog() override;

    QSpinBox* LengthBox() const { return length_; }
    QSpinBox* DepthBox() const { return depth_; }
    QTableWidget* Rows() const { return rows_; }
    GraphChart* Chart() const { return chart_; }
    // While the analysis runs (its progress lets events through); a request
    // meanwhile runs once it ended.
    bool Computing() const { return computing_; }

  public slots:
    void Compute();

  private:
    void ComputeOnce();

    GuiContext& ctx_;
    QSpinBox* length_ = nullptr;
    QSpinBox* depth_ = nullptr;
    QTableWidget* rows_ = nullptr;
    GraphChart* chart_ = nullptr;
    bool computing_ = false;
    bool again_ = false;
};

}  // namespace corvel::gui
