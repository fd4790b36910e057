#include "tabs/GraphsTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

#include "ActionList.h"
#include "GraphChart.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "ToolStrip.h"
#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "stats/CustomStat.h"
#include "stats/StatGraph.h"
#include "stats/StatList.h"
#include "tabs/StatsTab.h"

namespace corvel::gui {
namespace {

constexpr const char* kForm = "TFormMain";
constexpr int kDefaultLength = 100;
constexpr std::uint32_t kGreen = 0x008000;
constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kRed = 0xFF0000;

}  // namespace

GraphsTab::GraphsTab(GuiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("GraphsTab"));
    connect(&ctx_.Hub, &QObject::destroyed, this, [this] { contextAlive_ = false; });
    draw_ = ctx_.Actions.Add(
        "DrawsGraphDraw", Q(texts::kGraphsTabDraw), QKeySequence(), Q(texts::kGraphsTabDrawHint),
        [this] { return CanDraw(); }, [this] { Refresh(true); });
    BuildLayout();
    FillMethods(false);
    connect(&ctx_.Hub, &ViewHub::settingsChanged, this, [this] { FillMethods(true); });
}

void GraphsTab::BuildLayout() {
    methods_ = new QComboBox(this);
    methods_->setObjectName(QStringLiteral("cbDrawsGraphType"));
    methods_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    methods_->setMinimumContentsLength(30);
    const QString typeHint = Q(texts::kGraphsTabType);
    methods_->setToolTip(typeHint);
    methods_->setStatusTip(typeHint);

    length_ = new QSpinBox(this);
    length_->setObjectName(QStringLiteral("edDrawsGraphLen"));
    length_->setRange(1, std::numeric_limits<int>::max());
    length_->setValue(std::max(1, ctx_.View.ReadInt(kForm, "DrawsGraphLen", kDefaultLength)));
    length_->setKeyboardTracking(false);
    const QString lengthHint = Q(texts::kGraphsTabLengthHint);
    length_->setToolTip(lengthHint);
    length_->setStatusTip(lengthHint);
    length_->installEventFilter(this);
    if (auto* edit = length_->findChild<QLineEdit*>()) edit->installEventFilter(this);

    marks_ = new QCheckBox(Q(texts::kGraphsTabShowMarks), this);
    marks_->setObjectName(QStringLiteral("cbDrawsGraphShowMarks"));

    auto* top = new QHBoxLayout;
    top->addWidget(methods_, 1);
    auto* lengthLabel = new QLabel(Q(texts::kGraphsTabLengthLabel), this);
    lengthLabel->setBuddy(length_);
    top->addWidget(lengthLabel);
    top->addWidget(length_);

    auto* tools = new ToolStrip(this);
    tools->setObjectName(QStringLiteral("GraphsToolBar"));
    tools->AddGroup({draw_});
    tools->AddGroup({}, {marks_});

    chart_ = new GraphChart(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(tools);
    layout->addWidget(chart_, 1);

    connect(methods_, &QComboBox::currentIndexChanged, this, [this](int line) {
        if (line >= 0) selectedCode_ = ctx_.Ws.Statistics().Registry().Item(methods_->itemData(line).toInt()).Code();
        if (ctx_.Hooks.IsIdle()) Refresh(false);
    });
    connect(length_, &QSpinBox::valueChanged, this, [this](int value) {
        if (!contextAlive_) return;
        ctx_.View.WriteInt(kForm, "DrawsGraphLen", value);
        if (ctx_.Hooks.IsIdle()) Refresh(false);
    });
    connect(marks_, &QCheckBox::toggled, this, [this](bool on) {
        const QList<QLineSeries*> lines = chart_->Lines();
        if (!lines.isEmpty()) lines.front()->setPointLabelsVisible(on);
    });
}

void GraphsTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (ctx_.Hooks.IsIdle()) Refresh(false);
}

bool GraphsTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter draws with the typed length when it lies within the
            // box's limits; other text is left for the user to mend.
            if (length_->hasAcceptableInput()) {
                length_->interpretText();
                if (ctx_.Hooks.IsIdle()) Refresh(false);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int GraphsTab::SelectedMethod() const { return methods_->currentIndex() < 0 ? -1 : methods_->currentData().toInt(); }

bool GraphsTab::CanDraw() const { return !ctx_.Ws.Archive().Draws().empty() && SelectedMethod() >= 0; }

void GraphsTab::FillMethods(bool keepSelection) {
    // The registry may have been rebuilt: the method behind the shown graph
    // is no longer known by its index.
    chart_->Clear();
    key_.reset();
    FillMethodCombo(*methods_, ctx_.Ws.Statistics().Registry(), true, true);
    int line = methods_->count() ? 0 : -1;
    if (keepSelection)
        for (int i = 0; i < methods_->count(); ++i)
            if (ctx_.Ws.Statistics().Registry().Item(methods_->itemData(i).toInt()).Code() == selectedCode_) {
                line = i;
                break;
            }
    const QSignalBlocker block(methods_);
    methods_->setCurrentIndex(line);
    if (line >= 0) selectedCode_ = ctx_.Ws.Statistics().Registry().Item(SelectedMethod()).Code();
}

void GraphsTab::Refresh(bool force) {
    if (!contextAlive_ || !isVisible()) return;
    app::TRevisions revisions = ctx_.Ws.Revisions();
    // Only the draws, their window and order and the settings the methods
    // read go into the graph.
    revisions.Combs = revisions.Stakes = revisions.Scenario = revisions.Ratings = 0;
    const Key key{revisions, length_->value(), SelectedMethod()};
    if (!force && key_ && *key_ == key) return;
    key_ = key;
    ++drawings_;
    chart_->Clear();
    if (!CanDraw()) return;
    const bool drawn = app::RunOperation(ctx_.Hooks, {texts::kGraphsBuilding, {}}, [this] { Draw(); });
    if (!drawn) chart_->Clear();
}

void GraphsTab::Draw() {
    const TStatList& registry = ctx_.Ws.Statistics().Registry();
    const int method = SelectedMethod();
    const auto stat = registry.CreateStat(method);
    const auto& archive = ctx_.Ws.Archive();
    const TStatGraph graph =
        ComputeStatGraph(*stat, archive.Draws(), length_->value(), archive.Offset(), archive.Sorted());

    QList<QPointF> values;
    QList<QPointF> mean;
    QList<QPointF> mostFrequent;
    for (const TGraphPoint& p : graph.Points) {
        values << QPointF(p.Draw, p.Value);
        mean << QPointF(p.Draw, graph.Mean);
        mostFrequent << QPointF(p.Draw, graph.MostFrequent);
    }

    chart_->BeginUpdate();
    GraphLineStyle main;
    main.Name = Q(registry.GetMethodCaption(method));
    main.Colour = kGreen;
    main.Width = 2;
    main.Markers = true;
    main.MarkerSize = 2;
    main.MarkerOutline = kMagenta;
    main.Marks = marks_->isChecked();
    chart_->Append(chart_->AddLine(main), values);
    GraphLineStyle flat;
    flat.Markers = false;
    flat.Name = Q(texts::kGraphMeanSeries);
    flat.Colour = kBlue;
    chart_->Append(chart_->AddLine(flat), mean);
    flat.Name = Q(texts::kGraphMostFrequentSeries);
    flat.Colour = kRed;
    chart_->Append(chart_->AddLine(flat), mostFrequent);
    chart_->EndUpdate();
}

}  // namespace corvel::gui
