#include "StatsChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <unordered_map>

#include "GuiText.h"
#include "i18n/Texts.h"

namespace corvel::gui {
namespace {

// More labels than this would overlap; then every n-th position is labelled.
constexpr int kMostAxisLabels = 40;

}  // namespace

StatsChart::StatsChart(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("StatsChart"));
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(4, 4, 4, 4));
}

void StatsChart::Clear() {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    actual_ = nullptr;
    total_ = nullptr;
    labels_.clear();
}

void StatsChart::Build(const std::vector<TStatTableRow>& rows, const TPrefetchData* prefetch, double factor,
                       bool showTotal, const ValueText& valueText) {
    Clear();
    if (rows.size() < 2) return;

    actual_ = new QLineSeries(this);
    actual_->setName(Q(texts::kStatsChartActual));
    QPen pen(QColor(Qt::darkGreen));
    pen.setWidth(2);
    actual_->setPen(pen);
    actual_->setPointsVisible(true);
    actual_->setMarkerSize(5);

    double top = 0;
    if (prefetch) {
        std::unordered_map<std::uint64_t, const TStatTableRow*> byKey;
        for (const TStatTableRow& r : rows) byKey.emplace(PackKey(r.Value.Key), &r);
        if (showTotal) {
            total_ = new QLineSeries(this);
            total_->setName(Q(texts::kStatsChartTotal));
            QPen red(QColor(Qt::red));
            red.setWidth(1);
            total_->setPen(red);
        }
        int k = 0;
        for (const TPrefetchRecord& rec : prefetch->Records) {
            ++k;
            auto it = byKey.find(PackKey(rec.Key));
            if (it != byKey.end()) {
                labels_ << Q(it->second->Cells[0]);
            } else {
                TStatDrawRec v;
                v.Key = rec.Key;
                labels_ << Q(valueText(v));
            }
            if (total_) {
                const double y = rec.Count * factor;
                total_->append(k, y);
                top = std::max(top, y);
            }
            if (it != byKey.end()) {
                actual_->append(k, it->second->Value.Count);
                top = std::max(top, static_cast<double>(it->second->Value.Count));
            }
        }
    } else {
        std::vector<const TStatTableRow*> byKey;
        byKey.reserve(rows.size());
        for (const TStatTableRow& r : rows) byKey.push_back(&r);
        std::stable_sort(byKey.begin(), byKey.end(),
                         [](const TStatTableRow* a, const TStatTableRow* b) { return a->Value.Key < b->Value.Key; });
        int k = 0;
        for (const TStatTableRow* r : byKey) {
            actual_->append(++k, r->Value.Count);
            labels_ << Q(r->Cells[0]);
            top = std::max(top, static_cast<double>(r->Value.Count));
        }
    }
    // Small fuchsia points on the green line.
    const QHash<QXYSeries::PointConfiguration, QVariant> point{
        {QXYSeries::PointConfiguration::Color, QColor(Qt::magenta)}, {QXYSeries::PointConfiguration::Size, 2.5}};
    for (int i = 0; i < actual_->count(); ++i) actual_->setPointConfiguration(i, point);

    QChart* c = chart();
    c->addSeries(actual_);
    if (total_) c->addSeries(total_);

    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const int n = static_cast<int>(labels_.size());
    const int step = std::max(1, (n + kMostAxisLabels - 1) / kMostAxisLabels);
    for (int k = 1; k <= n; k += step) x->append(labels_[k - 1], k);
    x->setRange(0.5, n + 0.5);
    x->setLabelsAngle(n > 16 ? -90 : 0);
    x->setTruncateLabels(false);
    auto* y = new QValueAxis;
    y->setRange(0, top > 0 ? top * 1.05 : 1);
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setTickCount(5);
    y->applyNiceNumbers();
    y->setTruncateLabels(false);
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : c->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

}  // namespace corvel::gui
