#include "GraphWindow.h"

#include <QCheckBox>
#include <QLineSeries>
#include <QVBoxLayout>

#include "GraphChart.h"
#include "GuiText.h"
#include "i18n/Texts.h"

namespace corvel::gui {

GraphWindow::GraphWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("GraphWindow"));
    setWindowTitle(Q(texts::kGraphWindowTitle));
    chart_ = new GraphChart(this);
    marks_ = new QCheckBox(Q(texts::kGraphWindowShowMarks), this);
    marks_->setObjectName(QStringLiteral("cbShowMarks"));
    marks_->setChecked(true);
    connect(marks_, &QCheckBox::toggled, this, &GraphWindow::ShowMarks);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(chart_, 1);
    layout->addWidget(marks_);
    resize(800, 500);
}

QLineSeries* GraphWindow::AddGraphPoint(double x, const QString& seriesName, double y, bool markers, bool marks,
                                        std::uint32_t colour) {
    QLineSeries* line = chart_->Find(seriesName);
    if (!line) {
        GraphLineStyle style;
        style.Name = seriesName;
        style.Colour = colour;
        style.Width = 2;
        style.Markers = markers;
        style.MarkerSize = 3;
        // A line made while the box is cleared starts with its marks hidden,
        // as the box says; ticking the box shows them.
        style.Marks = marks && marks_->isChecked();
        line = chart_->AddLine(style);
        if (marks) marked_ << line;
    }
    chart_->Append(line, {QPointF(x, y)});
    return line;
}

void GraphWindow::Show(const TGraph& graph) {
    chart_->Clear();
    marked_.clear();
    setWindowTitle(Q(graph.Caption));
    chart_->BeginUpdate();
    for (const TGraphSeries& series : graph.Series) {
        const QString name = Q(series.Name);
        for (const TSeriesPoint& p : series.Points)
            AddGraphPoint(p.X, name, p.Y, series.Markers, series.Marks, series.Colour);
    }
    chart_->EndUpdate();
    show();
    raise();
    activateWindow();
}

QList<QLineSeries*> GraphWindow::MarkedLines() const {
    QList<QLineSeries*> list;
    for (const QPointer<QLineSeries>& line : marked_)
        if (line) list << line.data();
    return list;
}

void GraphWindow::ShowMarks(bool on) {
    for (QLineSeries* line : MarkedLines()) line->setPointLabelsVisible(on);
}

}  // namespace corvel::gui
