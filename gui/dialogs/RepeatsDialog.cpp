#include "dialogs/RepeatsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>

#include "GraphChart.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "views/RepeatsAnalysis.h"

namespace corvel::gui {
namespace {

constexpr const char* kForm = "TFormRepeats";

}  // namespace

RepeatsDialog::RepeatsDialog(GuiContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("RepeatsDialog"));
    setWindowTitle(Q(texts::kAnalyzeRepeats));
    length_ = new QSpinBox(this);
    length_->setObjectName(QStringLiteral("RepeatsLength"));
    depth_ = new QSpinBox(this);
    depth_->setObjectName(QStringLiteral("RepeatsDepth"));
    for (QSpinBox* box : {length_, depth_}) {
        box->setRange(1, INT_MAX);
        connect(box->findChild<QLineEdit*>(), &QLineEdit::returnPressed, this, &RepeatsDialog::Compute);
    }
    length_->setValue(std::max(1, ctx_.View.ReadInt(kForm, "DrawsLength", 100)));
    depth_->setValue(std::max(1, ctx_.View.ReadInt(kForm, "DrawsDeep", 100)));
    auto* compute = new QPushButton(Q(texts::kRepeatsCompute), this);
    compute->setObjectName(QStringLiteral("RepeatsCompute"));
    compute->setAutoDefault(false);
    connect(compute, &QPushButton::clicked, this, &RepeatsDialog::Compute);

    rows_ = new QTableWidget(0, 4, this);
    rows_->setObjectName(QStringLiteral("RepeatsRows"));
    rows_->setHorizontalHeaderLabels({Q(texts::kRepeatsColDraw), Q(texts::kRepeatsColMatches),
                                      Q(texts::kRepeatsColRepeats), Q(texts::kRepeatsColDraws)});
    rows_->verticalHeader()->hide();
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows_->horizontalHeader()->setStretchLastSection(true);
    rows_->verticalHeader()->setDefaultSectionSize(rows_->fontMetrics().height() + 6);
    for (int c = 0; c < 3; ++c) rows_->setColumnWidth(c, rows_->horizontalHeader()->sectionSizeHint(c) + 16);
    chart_ = new GraphChart(this);
    chart_->setObjectName(QStringLiteral("RepeatsChart"));

    auto* form = new QFormLayout;
    form->addRow(Q(texts::kRepeatsLength), length_);
    form->addRow(Q(texts::kRepeatsDepth), depth_);
    form->addRow(QString(), compute);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(rows_);
    split->addWidget(chart_);
    const int chartHeight = std::max(100, ctx_.View.ReadInt(kForm, "GraphHeight", 260));
    split->setSizes({300, chartHeight});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);
    resize(820, 680);
    // Computed once the dialog shows, so that its progress has a window to stand over.
    QTimer::singleShot(0, this, &RepeatsDialog::Compute);
}

RepeatsDialog::~RepeatsDialog() {
    ctx_.View.WriteInt(kForm, "DrawsLength", length_->value());
    ctx_.View.WriteInt(kForm, "DrawsDeep", depth_->value());
    ctx_.View.WriteInt(kForm, "GraphHeight", chart_->height());
}

void RepeatsDialog::Compute() {
    if (computing_) {
        again_ = true;
        return;
    }
    computing_ = true;
    do {
        again_ = false;
        ComputeOnce();
    } while (again_);
    computing_ = false;
}

void RepeatsDialog::ComputeOnce() {
    const TDrawsArray& draws = ctx_.Ws.Archive().Draws();
    TRepeatsAnalysis analysis;
    {
        app::BusyGuard busy(ctx_.Hooks);
        const int length = std::min<int>(length_->value(), static_cast<int>(draws.size()));
        app::ProgressWindow progress(ctx_.Hooks, texts::kRepeatsCollecting, length);
        analysis = AnalyzeRepeats(draws, length_->value(), depth_->value(), ctx_.Hooks);
    }
    rows_->setRowCount(static_cast<int>(analysis.Rows.size()));
    for (std::size_t i = 0; i < analysis.Rows.size(); ++i) {
        const TRepeatRow& r = analysis.Rows[i];
        const int row = static_cast<int>(i);
        rows_->setItem(row, 0, new QTableWidgetItem(QString::number(r.Draw)));
        rows_->setItem(row, 1, new QTableWidgetItem(QString::number(r.Matches)));
        rows_->setItem(row, 2, new QTableWidgetItem(QString::number(r.Repeats)));
        rows_->setItem(row, 3, new QTableWidgetItem(Q(RepeatDrawsText(r))));
    }
    app::BusyGuard busy(ctx_.Hooks);
    ctx_.Hooks.ShowStatus(texts::kRepeatsCharting);
    chart_->Clear();
    chart_->BeginUpdate();
    for (const TGraphSeries& series : RepeatsGraph(analysis).Series) {
        GraphLineStyle style;
        style.Name = Q(series.Name);
        style.Colour = series.Colour;
        style.MarkerSize = 2;
        QLineSeries* line = chart_->AddLine(style);
        QList<QPointF> points;
        for (const TSeriesPoint& p : series.Points) points << QPointF(p.X, p.Y);
        chart_->Append(line, points);
    }
    chart_->EndUpdate();
    ctx_.Hooks.ShowStatus("");
}

}  // namespace corvel::gui
