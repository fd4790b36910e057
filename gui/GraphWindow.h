#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "model/GraphSeries.h"

class QCheckBox;
class QLineSeries;

namespace corvel::gui {

class GraphChart;

// The separate window texts::kGraphWindowTitle with one line chart, for any
// graph the program makes (TGraph). Points arrive one at a time through
// AddGraphPoint, which finds or makes the line they belong to; the check box
// below the chart shows or hides the value marks of every line that was made
// with marks. It is not modal: the main window stays usable beside it.
class GraphWindow : public QWidget {
    Q_OBJECT
  public:
    explicit GraphWindow(QWidget* parent = nullptr);

    // Appends (x, y) to the line named seriesName (compared without regard to
    // case), made first when there is none: width 2, 3 x 3 point markers
    // shown or not, value marks shown or not (each the point's x as an
    // integer text), the colour 0xRRGGBB or the automatic one for 0. The
    // settings apply when the line is made; later points only add to it.
    QLineSeries* AddGraphPoint(double x, const QString& seriesName, double y, bool markers, bool marks,
                               std::uint32_t colour);
    // Replaces what the window shows by the graph, point by point, takes its
    // caption and brings the window up.
    void Show(const TGraph& graph);

    GraphChart* Chart() const { return chart_; }
    QCheckBox* MarksBox() const { return marks_; }
    // The lines made with marks, which the check box governs.
    QList<QLineSeries*> MarkedLines() const;

  private:
    void ShowMarks(bool on);

    GraphChart* chart_ = nullptr;
    QCheckBox* marks_ = nullptr;
    QList<QPointer<QLineSeries>> marked_;
};

}  // namespace corvel::gui
