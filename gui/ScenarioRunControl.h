#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "GuiContext.h"
#include "app/ScenarioRunner.h"

class QAction;
class QLabel;
class QWidget;

namespace corvel::gui {

// Running the current scenario from the desktop program: the forecast
// (ScriptRun) and the test over the last N draws (ScriptTest), the stop
// (ScriptStop, with a question), the run-log and per-line-check switches and
// the deletion of the run logs. While a scenario runs, the widgets given
// are disabled and the status labels follow the run (cycle, line, stakes,
// the variant); after a test the report is shown and kept beside the log.
class ScenarioRunControl : public QObject {
    Q_OBJECT
  public:
    // Asks for the number of tests (1..maximum); 0 when the person cancels.
    using CountAsker = std::function<int(int maximum, int proposed)>;

    explicit ScenarioRunControl(GuiContext& ctx, QObject* parent = nullptr);

    // Actions in the order of the menu (nullptr: a separator).
    QList<QAction*> MenuActions() const { return menuActions_; }
    QList<QAction*> ToolbarActions() const { return toolbar_; }
    // The labels of the scenario tab's status bar: cycle, line, stakes, text.
    void SetPanels(QLabel* cycle, QLabel* line, QLabel* stakes, QLabel* text);
    // The widgets disabled while a scenario runs.
    void SetLockedWidgets(QList<QWidget*> widgets) { locked_ = std::move(widgets); }
    void SetCountAsker(CountAsker asker) { askCount_ = std::move(asker); }
    // Shows the report; tests replace it.
    std::function<void(const QString& report)> ShowReport;

    const app::ScenarioRunner& Runner() const { return runner_; }
    app::ScenarioRunner& Runner() { return runner_; }

  private:
    void Run(bool test);
    void Stop();
    void UpdatePanels();
    void Lock(bool locked);
    void DeleteLogs();
    std::vector<std::string> Lines() const;

    GuiContext& ctx_;
    app::ScenarioRunner runner_;
    QList<QAction*> menuActions_;
    QList<QAction*> toolbar_;
    QAction* log_ = nullptr;
    QAction* checkLine_ = nullptr;
    QPointer<QLabel> cycle_, line_, stakes_, text_;
    QList<QWidget*> locked_;
    CountAsker askCount_;
};

}  // namespace corvel::gui
