#pragma once

#include <QChartView>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "stats/Prefetch.h"
#include "stats/StatTable.h"

class QLineSeries;

namespace corvel::gui {

// The chart under the statistics table: how often each value occurred
// (texts::kStatsChartActual) and, with a prefetch cache, how often it would
// occur if the window followed the distribution over all combinations
// (texts::kStatsChartTotal, the cache count times the table's factor). The points
// run along the cache records in file order; without a cache along the values
// sorted by key. Point k (from 1) is labelled with the value text.
class StatsChart : public QChartView {
    Q_OBJECT
  public:
    explicit StatsChart(QWidget* parent = nullptr);

    using ValueText = std::function<std::string(const TStatDrawRec&)>;
    // Draws the rows. `prefetch` is the cache the table was computed with (none
    // when the table used none); `showTotal` adds the ideal line. A table of
    // fewer than two rows leaves the chart empty.
    void Build(const std::vector<TStatTableRow>& rows, const TPrefetchData* prefetch, double factor, bool showTotal,
               const ValueText& valueText);
    void Clear();

    QLineSeries* ActualSeries() const { return actual_; }
    QLineSeries* TotalSeries() const { return total_; }
    // Label of each position, in position order.
    const QStringList& Labels() const { return labels_; }

  private:
    QLineSeries* actual_ = nullptr;
    QLineSeries* total_ = nullptr;
    QStringList labels_;
};

}  // namespace corvel::gui
