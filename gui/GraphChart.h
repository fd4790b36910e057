#pragma once

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QLineSeries;
class QValueAxis;

namespace corvel::gui {

// How one line of a graph looks.
struct GraphLineStyle {
    QString Name;
    std::uint32_t Colour = 0;  // 0xRRGGBB; 0 leaves the line to the chart's automatic colour
    int Width = 2;
    bool Markers = true;
    qreal MarkerSize = 3;
    std::uint32_t MarkerOutline = 0;  // 0xRRGGBB of the markers' outline; 0: the line's colour
    bool Marks = false;               // value marks: each point's x as an integer text
};

// A line chart of named lines over two value axes that take in every point,
// with the legend at the bottom. Lines made between BeginUpdate and EndUpdate
// are handed to the chart together at the end: a line already in the chart
// redoes its whole geometry for every point added to it.
class GraphChart : public QChartView {
    Q_OBJECT
  public:
    explicit GraphChart(QWidget* parent = nullptr);

    // Removes every line and ends an update; the axes go back to their empty
    // range.
    void Clear();
    void BeginUpdate();
    void EndUpdate();

    // The line of that name compared without regard to case (Cyrillic
    // letters too); null when there is none.
    QLineSeries* Find(const QString& name) const;
    QLineSeries* AddLine(const GraphLineStyle& style);
    // Appends the points to a line of this chart and widens the axes to them.
    void Append(QLineSeries* line, const QList<QPointF>& points);

    // Every line in the order made, also those not yet handed to the chart.
    QList<QLineSeries*> Lines() const;
    QValueAxis* AxisX() const { return x_; }
    QValueAxis* AxisY() const { return y_; }

  private:
    struct Line {
        QLineSeries* Series;
        GraphLineStyle Style;
        bool Shown;  // handed to the chart
    };
    void Show(Line& line);
    void Rescale();

    std::vector<Line> lines_;
    QValueAxis* x_ = nullptr;
    QValueAxis* y_ = nullptr;
    int updating_ = 0;
    struct Bounds {
        double MinX, MaxX, MinY, MaxY;
    };
    std::optional<Bounds> bounds_;  // of every point appended
};

}  // namespace corvel::gui
