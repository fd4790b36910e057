#include "GraphChart.h"

#include <QChart>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>

namespace corvel::gui {
namespace {

QColor Rgb(std::uint32_t rgb) { return QColor(static_cast<QRgb>(0xFF000000u | rgb)); }

// A square marker drawn in the line's colour inside an outline of its own.
QImage OutlinedMarker(const QColor& fill, const QColor& outline) {
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(fill);
    QPainter painter(&image);
    QPen pen(outline);
    pen.setWidth(2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(1, 1, 6, 6));
    return image;
}

}  // namespace

GraphChart::GraphChart(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("GraphChart"));
    setRenderHint(QPainter::Antialiasing);
    QChart* c = chart();
    c->legend()->setAlignment(Qt::AlignBottom);
    c->setMargins(QMargins(4, 4, 4, 4));
    x_ = new QValueAxis(this);
    x_->setLabelFormat(QStringLiteral("%.0f"));
    x_->setTruncateLabels(false);
    y_ = new QValueAxis(this);
    y_->setLabelFormat(QStringLiteral("%g"));
    y_->setTruncateLabels(false);
    c->addAxis(x_, Qt::AlignBottom);
    c->addAxis(y_, Qt::AlignLeft);
    Rescale();
}

void GraphChart::Clear() {
    chart()->removeAllSeries();
    for (Line& line : lines_)
        if (!line.Shown) delete line.Series;
    lines_.clear();
    bounds_.reset();
    updating_ = 0;
    Rescale();
}

void GraphChart::BeginUpdate() { ++updating_; }

void GraphChart::EndUpdate() {
    if (updating_ == 0 || --updating_ > 0) return;
    for (Line& line : lines_)
        if (!line.Shown) Show(line);
    Rescale();
}

QLineSeries* GraphChart::Find(const QString& name) const {
    for (const Line& line : lines_)
        if (QString::compare(line.Series->name(), name, Qt::CaseInsensitive) == 0) return line.Series;
    return nullptr;
}

QLineSeries* GraphChart::AddLine(const GraphLineStyle& style) {
    auto* series = new QLineSeries;
    series->setName(style.Name);
    series->setPointsVisible(style.Markers);
    series->setMarkerSize(style.MarkerSize);
    series->setPointLabelsFormat(QStringLiteral("@xPoint"));
    series->setPointLabelsClipping(false);
    series->setPointLabelsVisible(style.Marks);
    lines_.push_back({series, style, false});
    if (updating_ == 0) Show(lines_.back());
    return series;
}

void GraphChart::Show(Line& line) {
    QLineSeries* series = line.Series;
    // The chart gives a line its automatic colour when it takes it in; the
    // pen set afterwards keeps that colour unless the style names one.
    chart()->addSeries(series);
    QPen pen = series->pen();
    if (line.Style.Colour) pen.setColor(Rgb(line.Style.Colour));
    pen.setWidth(line.Style.Width);
    series->setPen(pen);
    if (line.Style.Markers && line.Style.MarkerOutline)
        series->setLightMarker(OutlinedMarker(pen.color(), Rgb(line.Style.MarkerOutline)));
    series->attachAxis(x_);
    series->attachAxis(y_);
    line.Shown = true;
}

void GraphChart::Append(QLineSeries* line, const QList<QPointF>& points) {
    if (!line || points.isEmpty()) return;
    line->append(points);
    for (const QPointF& p : points) {
        if (!bounds_) bounds_ = Bounds{p.x(), p.x(), p.y(), p.y()};
        bounds_->MinX = std::min(bounds_->MinX, p.x());
        bounds_->MaxX = std::max(bounds_->MaxX, p.x());
        bounds_->MinY = std::min(bounds_->MinY, p.y());
        bounds_->MaxY = std::max(bounds_->MaxY, p.y());
    }
    if (updating_ == 0) Rescale();
}

QList<QLineSeries*> GraphChart::Lines() const {
    QList<QLineSeries*> list;
    for (const Line& line : lines_) list << line.Series;
    return list;
}

void GraphChart::Rescale() {
    if (!bounds_) {
        x_->setRange(0, 1);
        y_->setRange(0, 1);
        return;
    }
    // One point or a flat line still gets a visible span around it; the
    // values keep a little room above and below so the line stays off the
    // frame.
    const Bounds& b = *bounds_;
    if (b.MaxX > b.MinX)
        x_->setRange(b.MinX, b.MaxX);
    else
        x_->setRange(b.MinX - 1, b.MaxX + 1);
    const double room = b.MaxY > b.MinY ? (b.MaxY - b.MinY) * 0.05 : 1;
    y_->setRange(b.MinY - room, b.MaxY + room);
    y_->applyNiceNumbers();
    // A short span of whole numbers gets a tick at each; a longer one round
    // steps, which may widen the range a little.
    const double span = x_->max() - x_->min();
    if (span >= 10)
        x_->applyNiceNumbers();
    else
        x_->setTickCount(static_cast<int>(std::clamp(span + 1, 2.0, 11.0)));
}

}  // namespace corvel::gui
