#include "MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "GuiText.h"
#include "app/Version.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "ListLayout.h"
#include "ScenarioRunControl.h"
#include "SettingsActions.h"
#include "WindowPlacement.h"
#include "GraphShow.h"
#include "dialogs/RepeatsDialog.h"
#include "tabs/CardTab.h"
#include "tabs/CombsTab.h"
#include "tabs/LayoutTab.h"
#include "views/SumDistribution.h"
#include "tabs/DrawsTab.h"
#include "tabs/GraphsTab.h"
#include "tabs/RatingsTab.h"
#include "tabs/ScenarioTab.h"
#include "tabs/StakesTab.h"
#include "tabs/StatsTab.h"
#include "tabs/SystemsTab.h"
#include "tabs/TablesTab.h"

namespace corvel::gui {
namespace {

constexpr const char* kForm = "TFormMain";
constexpr const char* kTablesTabKey = "TabTables";

// Tabs whose parts come later: a short note, and the tab stays disabled.
QWidget* Placeholder(const QString& what, QWidget* parent) {
    auto* label = new QLabel(Q(texts::kMainWindowSectionLater).arg(what), parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

}  // namespace

QString ExclusiveAccessText() { return Q(ErrorReport(texts::kExclusiveAccess, texts::kProgramWillClose)); }

MainWindow::MainWindow(app::DataFiles files, app::StartupSwitches switches, QWidget* parent)
    : QMainWindow(parent),
      hooks_(this),
      ws_(std::move(files), hooks_),
      switches_(std::move(switches)),
      hub_(ws_),
      actions_(hooks_, this),
      ctx_{ws_, hooks_, ws_.Settings().View(), hub_, actions_} {
    setObjectName(QStringLiteral("MainWindow"));
    ws_.Settings().LoadView();
    setWindowTitle(Q(texts::kMainWindowTitle));
    BuildLayout();
    hooks_.SetStatusLabel(panels_[6]);
    hooks_.SetUnattended(switches_.Unattended());
    hooks_.SetIdleHandler([this] {
        // Commands become available as soon as the operation ends.
        actions_.UpdateAll();
        // Closing asked for during a long operation: ask again once it stopped.
        if (!closeAfterStop_) return;
        closeAfterStop_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    });

    hooks_.ShowStatus(texts::kConfigLoading);
    ws_.OpenSettingsAndRegistry();
    hooks_.ShowStatus("");

    drawsTab_ = new DrawsTab(ctx_, left_);
    combsTab_ = new CombsTab(ctx_, left_);
    statsTab_ = new StatsTab(ctx_, right_);
    graphsTab_ = new GraphsTab(ctx_, right_);
    left_->addTab(drawsTab_, Q(texts::kMainWindowDrawsTab));
    left_->addTab(combsTab_, Q(texts::kMainWindowCombs));
    stakesTab_ = new StakesTab(ctx_, *combsTab_, right_);
    ratingsTab_ = new RatingsTab(ctx_, right_);
    tablesTab_ = new TablesTab(ctx_, *combsTab_, *stakesTab_, right_);
    scenarioTab_ = new ScenarioTab(ctx_, *combsTab_, right_);
    systemsTab_ = new SystemsTab(ctx_, right_);
    cardTab_ = new CardTab(ctx_, right_);
    layoutTab_ = new LayoutTab(ctx_, right_);
    right_->addTab(statsTab_, Q(texts::kMainWindowStats));
    for (const i18n::TextId& caption :
         {texts::kMainWindowChartsTab, texts::kMainWindowMapTab, texts::kMainWindowSchemeTab, texts::kMainWindowWeekTab,
          texts::kMainWindowStakesTab, texts::kMainWindowRatingTab, texts::kMainWindowRegularsTab,
          texts::kMainWindowSystemsTab, texts::kMainWindowScenarioTab}) {
        const QString name = Q(caption);
        QWidget* built = nullptr;
        if (std::string_view(caption.Key) == texts::kMainWindowChartsTab.Key) built = graphsTab_;
        if (std::string_view(caption.Key) == texts::kMainWindowStakesTab.Key) built = stakesTab_;
        if (std::string_view(caption.Key) == texts::kMainWindowRatingTab.Key) built = ratingsTab_;
        if (std::string_view(caption.Key) == texts::kMainWindowRegularsTab.Key) built = tablesTab_;
        if (std::string_view(caption.Key) == texts::kMainWindowScenarioTab.Key) built = scenarioTab_;
        if (std::string_view(caption.Key) == texts::kMainWindowSystemsTab.Key) built = systemsTab_;
        if (std::string_view(caption.Key) == texts::kMainWindowMapTab.Key) built = cardTab_;
        if (std::string_view(caption.Key) == texts::kMainWindowSchemeTab.Key) built = layoutTab_;
        if (built) {
            right_->addTab(built, name);
            continue;
        }
        // The week view is never shown; its switch only keeps its setting.
        const int index = right_->addTab(Placeholder(name, right_), name);
        right_->setTabEnabled(index, false);
        right_->setTabVisible(index, false);
    }
    // While a scenario runs, its lines, the archive, the combinations and the
    // statistics are its own.
    scenarioTab_->RunControl()->SetLockedWidgets({left_, statsTab_, scenarioTab_->View()});
    BuildMenus();
    RestoreViewSettings();

    connect(&hub_, &ViewHub::archiveChanged, this, [this] {
        UpdateArchivePanels();
        RefreshViews(true);
    });
    connect(&hub_, &ViewHub::offsetChanged, this, [this] {
        UpdateArchivePanels();
        RefreshViews(true);
    });
    connect(&hub_, &ViewHub::settingsChanged, this, [this] { RefreshViews(true); });
    connect(&hub_, &ViewHub::combsChanged, this, [this] { UpdateCombsPanel(); });
    connect(&hub_, &ViewHub::stakesChanged, this, [this] { UpdateStakesPanel(); });
    connect(&hub_, &ViewHub::ratingsChanged, this, [this] { UpdateRatingsPanel(); });
    connect(ratingsTab_, &RatingsTab::linesAddedToScenario, this, [this] { right_->setCurrentWidget(scenarioTab_); });
    connect(&hub_, &ViewHub::refreshViews, this, &MainWindow::RefreshViews);
    // A tab switched while an operation runs is brought up to date by the
    // refresh that follows the operation.
    connect(right_, &QTabWidget::currentChanged, this, [this] {
        if (hooks_.IsIdle()) RefreshViews(false);
    });

    // Action enabling follows the state: tested a few times a second and after
    // every command.
    actionTimer_ = new QTimer(this);
    connect(actionTimer_, &QTimer::timeout, &actions_, &ActionList::UpdateAll);
    actionTimer_->start(200);
    actions_.UpdateAll();
}

MainWindow::~MainWindow() { hooks_.SetIdleHandler(nullptr); }

void MainWindow::BuildLayout() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    left_ = new QTabWidget(splitter_);
    right_ = new QTabWidget(splitter_);
    left_->setObjectName(QStringLiteral("LeftTabs"));
    right_->setObjectName(QStringLiteral("RightTabs"));
    splitter_->addWidget(left_);
    splitter_->addWidget(right_);
    splitter_->setStretchFactor(1, 1);
    setCentralWidget(splitter_);

    const std::string initial[7] = {Format(texts::kStatusArchive, {0}),
                                    "",
                                    "",
                                    Format(texts::kCombsCount, {0}),
                                    Format(texts::kMainWindowStatusStakes, {0}),
                                    Format(texts::kMainWindowStatusRating, {0}),
                                    ""};
    const int widths[7] = {140, 150, 150, 170, 90, 90, 0};
    for (int i = 0; i < 7; ++i) {
        auto* label = new QLabel(Q(initial[i]), this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (widths[i]) label->setMinimumWidth(widths[i]);
        statusBar()->addWidget(label, i == 6 ? 1 : 0);
        panels_[static_cast<std::size_t>(i)] = label;
    }
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(Q(texts::kMainWindowProgramMenu));
    auto* exit = actions_.Add("ExitProgram", Q(texts::kMainWindowExit), QKeySequence(Qt::ALT | Qt::Key_F4), {}, nullptr,
                              [this] { close(); });
    auto addMenu = [this](const QString& title, const QList<QAction*>& list) {
        QMenu* menu = menuBar()->addMenu(title);
        for (QAction* a : list) {
            if (a)
                menu->addAction(a);
            else
                menu->addSeparator();
        }
    };
    addMenu(Q(texts::kMainWindowDrawsMenu), drawsTab_->MenuActions());
    addMenu(Q(texts::kMainWindowCombs), combsTab_->MenuActions());
    addMenu(Q(texts::kMainWindowStats), statsTab_->MenuActions());
    addMenu(Q(texts::kMainWindowStakesTab), stakesTab_->MenuActions());
    addMenu(Q(texts::kMainWindowRatingTab), ratingsTab_->MenuActions());
    addMenu(Q(texts::kMainWindowRegularsTab), tablesTab_->MenuActions());
    addMenu(Q(texts::kMainWindowScenarioTab), scenarioTab_->MenuActions());
    auto* repeats = actions_.Add(
        "AnalyzeRepeats", Q(texts::kAnalyzeRepeats), {}, {}, [this] { return !ws_.Archive().Draws().empty(); },
        [this] {
            RepeatsDialog dialog(ctx_, this);
            dialog.exec();
        });
    auto* sums = actions_.Add("TotalSumCombs", Q(texts::kTotalSumCombs), {}, {}, nullptr, [this] {
        app::BusyGuard busy(hooks_);
        hooks_.ShowStatus(texts::kRepeatsCollecting);
        const TGraph graph = SumDistributionGraph(ComputeSumDistribution(ws_.Archive().Draws()));
        hooks_.ShowStatus("");
        ShowGraph(this, graph);
    });
    addMenu(Q(texts::kAnalysesMenu), {repeats, sums});
    addMenu(Q(texts::kMainWindowSettingsMenu), CreateSettingsActions(ctx_, this));
    auto* graphsToggle = actions_.Add("TabGraps", Q(texts::kMainWindowGraphsToggle), QKeySequence(), {}, nullptr,
                                      [this] { ShowGraphsTab(!right_->isTabVisible(right_->indexOf(graphsTab_))); });
    graphsToggle->setCheckable(true);
    graphsToggle->setChecked(ws_.Settings().View().ReadBool(kForm, "TabGraphs", true));
    auto* tablesToggle = actions_.Add("TabTables", Q(texts::kTablesTabToggle), QKeySequence(), {}, nullptr,
                                      [this] { ShowTablesTab(!right_->isTabVisible(right_->indexOf(tablesTab_))); });
    tablesToggle->setCheckable(true);
    tablesToggle->setChecked(ws_.Settings().View().ReadBool(kForm, kTablesTabKey, true));
    // Ctrl+J opens a scenario, so the systems tab is switched with Ctrl+Shift+J.
    auto* systemsToggle = actions_.Add(
        "SystemsOn", Q(texts::kSystemsOn), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_J), Q(texts::kSystemsOnHint),
        nullptr, [this] { ShowSystemsTab(!right_->isTabVisible(right_->indexOf(systemsTab_))); });
    systemsToggle->setCheckable(true);
    systemsToggle->setChecked(ws_.Settings().View().ReadBool(kForm, "SystemsEnabled", true));
    QList<QAction*> systemsMenu{systemsToggle, nullptr};
    systemsMenu << systemsTab_->MenuActions();
    addMenu(Q(texts::kMainWindowSystemsTab), systemsMenu);
    // The card and layout tabs: shown, they are rebuilt and come to the front.
    auto tabToggle = [this](const char* name, const i18n::TextId& caption, QWidget* tab, auto show) {
        QAction* toggle = actions_.Add(name, Q(caption), {}, {}, nullptr, [this, name, tab, show] {
            const bool on = !right_->isTabVisible(right_->indexOf(tab));
            right_->setTabVisible(right_->indexOf(tab), on);
            ws_.Settings().View().WriteBool(kForm, name, on);
            ws_.Settings().SaveView();
            if (QAction* self = actions_.Find(name)) self->setChecked(on);
            show(on);
            if (on) right_->setCurrentWidget(tab);
        });
        toggle->setCheckable(true);
        toggle->setChecked(ws_.Settings().View().ReadBool(kForm, name, true));
        return toggle;
    };
    auto* cardToggle = tabToggle("TabCard", texts::kTabCard, cardTab_, [this](bool on) { cardTab_->SetShown(on); });
    auto* layoutToggle =
        tabToggle("TabLayout", texts::kTabLayout, layoutTab_, [this](bool on) { layoutTab_->SetShown(on); });
    // The week view is never shown: its switch stores that it is off.
    auto* weekToggle = actions_.Add("TabWeek", Q(texts::kTabWeek), {}, {}, nullptr, [this] {
        ws_.Settings().View().WriteBool(kForm, "TabWeek", false);
        ws_.Settings().SaveView();
        if (QAction* self = actions_.Find("TabWeek")) self->setChecked(false);
    });
    weekToggle->setCheckable(true);
    addMenu(Q(texts::kMainWindowMapTab), cardTab_->MenuActions());
    addMenu(Q(texts::kMainWindowSchemeTab), layoutTab_->MenuActions());
    addMenu(Q(texts::kMainWindowViewMenu),
            {graphsToggle, cardToggle, layoutToggle, weekToggle, tablesToggle, systemsToggle, nullptr,
             drawsTab_->ColourAction(), combsTab_->ColourAction()});
    file->addAction(exit);
    addActions(QList<QAction*>{exit});
}

void MainWindow::RestoreViewSettings() {
    ViewSettings& view = ws_.Settings().View();
    RestoreWindowPlacement(view, kForm, *this, QSize(1280, 800));
    const int leftWidth = view.ReadInt(kForm, "LeftPanelWidth", 430);
    splitter_->setSizes({leftWidth, std::max(200, width() - leftWidth)});
    for (const auto& [name, list] : Lists()) RestoreListLayout(view, kForm, name, *list);
    right_->setTabVisible(right_->indexOf(graphsTab_), view.ReadBool(kForm, "TabGraphs", true));
    for (auto [tab, key] : {std::pair<QWidget*, const char*>{cardTab_, "TabCard"}, {layoutTab_, "TabLayout"}})
        right_->setTabVisible(right_->indexOf(tab), view.ReadBool(kForm, key, true));
    const bool systems = view.ReadBool(kForm, "SystemsEnabled", true);
    right_->setTabVisible(right_->indexOf(systemsTab_), systems);
    systemsTab_->SetShown(systems);
    right_->setTabVisible(right_->indexOf(tablesTab_), view.ReadBool(kForm, kTablesTabKey, true));
}

void MainWindow::ShowGraphsTab(bool on) {
    right_->setTabVisible(right_->indexOf(graphsTab_), on);
    if (QAction* toggle = actions_.Find("TabGraps")) toggle->setChecked(on);
    ws_.Settings().View().WriteBool(kForm, "TabGraphs", on);
    ws_.Settings().SaveView();
    // Coming to the front draws the tab when its inputs changed meanwhile.
    if (on) right_->setCurrentWidget(graphsTab_);
}

void MainWindow::ShowSystemsTab(bool on) {
    right_->setTabVisible(right_->indexOf(systemsTab_), on);
    if (QAction* toggle = actions_.Find("SystemsOn")) toggle->setChecked(on);
    ws_.Settings().View().WriteBool(kForm, "SystemsEnabled", on);
    ws_.Settings().SaveView();
    systemsTab_->SetShown(on);
    if (on) right_->setCurrentWidget(systemsTab_);
}

void MainWindow::ShowTablesTab(bool on) {
    right_->setTabVisible(right_->indexOf(tablesTab_), on);
    if (QAction* toggle = actions_.Find("TabTables")) toggle->setChecked(on);
    ws_.Settings().View().WriteBool(kForm, kTablesTabKey, on);
    ws_.Settings().SaveView();
    if (!on) {
        ws_.Tables().Unload();
        return;
    }
    if (dataShown_) ws_.Tables().Load();
    right_->setCurrentWidget(tablesTab_);
}

void MainWindow::SaveViewSettings() {
    ViewSettings& view = ws_.Settings().View();
    SaveWindowPlacement(view, kForm, *this);
    if (!splitter_->sizes().isEmpty()) view.WriteInt(kForm, "LeftPanelWidth", splitter_->sizes().front());
    for (const auto& [name, list] : Lists()) SaveListLayout(view, kForm, name, *list);
    ws_.Settings().SaveView();
}

std::vector<std::pair<std::string, QTableView*>> MainWindow::Lists() const {
    return {{"lvDraws", drawsTab_->View()},          {"lvCombs", combsTab_->CombsView()},
            {"lvFilters", combsTab_->FiltersView()}, {"lvDrawsStat", statsTab_->Table()},
            {"lvStakes", stakesTab_->View()},        {"lvRatings", ratingsTab_->View()},
            {"lvScript", scenarioTab_->View()},      {"lvSystems", systemsTab_->View()},
            {"lvTables", tablesTab_->View()}};
}

bool MainWindow::Initialise() {
    if (initialised_) return true;
    initialised_ = true;
    hooks_.ShowStatus(texts::kMainWindowInitialising);
    setWindowTitle(
        Q(texts::kMainWindowTitleWithVersion).arg(windowTitle(), QString::fromLatin1(app::ProgramVersion())));
    const auto result = ws_.Start(switches_, [this] {
        dataShown_ = true;
        cardTab_->SetShown(right_->isTabVisible(right_->indexOf(cardTab_)));
        layoutTab_->SetShown(right_->isTabVisible(right_->indexOf(layoutTab_)));
        UpdateArchivePanels();
        UpdateCombsPanel();
        UpdateStakesPanel();
        UpdateRatingsPanel();
        stakesTab_->Refresh(false);
        ratingsTab_->Refresh();
        scenarioTab_->Refresh();
        if (ws_.Settings().View().ReadBool(kForm, kTablesTabKey, true)) ws_.Tables().Load();
        RefreshViews(true);
    });
    if (result != app::Workspace::StartResult::Running) return false;
    hooks_.ShowStatus("");
    actions_.UpdateAll();
    return true;
}

void MainWindow::RefreshViews(bool force) {
    if (!dataShown_) return;
    statsTab_->Refresh(force);
    // The graphs keep the revisions they were drawn at: they are redrawn
    // only when something they show changed.
    graphsTab_->Refresh(false);
    drawsTab_->Refresh(false);
    combsTab_->Refresh(false);
    UpdateCombsPanel();
}

void MainWindow::UpdateArchivePanels() {
    const auto texts = ArchiveStatusTexts(ws_.Archive().Draws(), ws_.Archive().Offset());
    for (int i = 0; i < 3; ++i) panels_[static_cast<std::size_t>(i)]->setText(Q(texts[static_cast<std::size_t>(i)]));
}

void MainWindow::UpdateCombsPanel() {
    panels_[3]->setText(Q(Format(texts::kCombsCount, {ws_.Combinations().List().Current().Count()})));
}

void MainWindow::UpdateStakesPanel() {
    const auto& stakes = ws_.Stakes();
    panels_[4]->setText(Q(Format(texts::kMainWindowStatusStakes, {stakes.IsOpen() ? stakes.File().Count() : 0})));
}

void MainWindow::UpdateRatingsPanel() {
    panels_[5]->setText(Q(Format(texts::kMainWindowStatusRating, {ws_.Ratings().Table().Count()})));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!hooks_.IsIdle()) {
        // A long operation is running: it is asked to stop, and the window
        // closes once it has returned (the operation's data stay whole).
        hooks_.RequestStop();
        closeAfterStop_ = true;
        event->ignore();
        return;
    }
    SaveViewSettings();
    event->accept();
}

bool MainWindow::event(QEvent* e) {
    // Hints go to panel 6 while nothing runs; the status text of a running
    // operation is left alone.
    if (e->type() == QEvent::StatusTip) {
        if (hooks_.IsIdle()) panels_[6]->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

}  // namespace corvel::gui
