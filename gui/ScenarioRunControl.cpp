#include "ScenarioRunControl.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>

#include "ActionList.h"
#include "GuiText.h"
#include "TestCountInput.h"
#include "LogsDeletion.h"
#include "QtUiHooks.h"
#include "i18n/Texts.h"
#include "model/Format.h"
#include "stakes/StakeLogs.h"

namespace corvel::gui {
namespace {

constexpr const char* kForm = "TFormMain";
constexpr const char* kLogKey = "ScriptLogEnabled";
constexpr const char* kCheckLineKey = "StakesCheckOnLine";

}  // namespace

ScenarioRunControl::ScenarioRunControl(GuiContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx), runner_(ctx.Ws) {
    ActionList& a = ctx_.Actions;
    auto canRun = [this] {
        return !runner_.Running() && ctx_.Ws.Scenario().List().Count() > 0 && !ctx_.Ws.Archive().Draws().empty() &&
               ctx_.Ws.Stakes().IsOpen();
    };
    auto* run = a.Add("ScriptRun", Q(texts::kScriptRunAction), QKeySequence(Qt::Key_F10), Q(texts::kScriptRunHint),
                      canRun, [this] { Run(false); });
    auto* test = a.Add("ScriptTest", Q(texts::kScriptTestAction), QKeySequence(Qt::CTRL | Qt::Key_F10),
                       Q(texts::kScriptTestHint), canRun, [this] { Run(true); });
    auto* stop = a.AddWhileBusy(
        "ScriptStop", Q(texts::kScriptStopAction), QKeySequence(Qt::CTRL | Qt::Key_X), Q(texts::kScriptStopHint),
        [this] { return runner_.Running() && !runner_.StopRequested(); }, [this] { Stop(); });
    log_ = a.Add(
        "LogToggle", Q(texts::kScriptLogToggle), {}, {}, [this] { return !runner_.Running(); },
        [this] {
            ctx_.View.WriteBool(kForm, kLogKey, log_->isChecked());
            ctx_.Ws.Settings().SaveView(true);
        });
    log_->setCheckable(true);
    log_->setChecked(ctx_.View.ReadBool(kForm, kLogKey, false));
    auto* logsDelete = a.Add(
        "LogsDelete", Q(texts::kScriptLogsDelete), {}, {}, [this] { return !runner_.Running(); },
        [this] { DeleteLogs(); });
    checkLine_ = a.Add("StakesCheckLine", Q(texts::kScriptCheckLineToggle), {}, {}, nullptr, [this] {
        ctx_.View.WriteBool(kForm, kCheckLineKey, checkLine_->isChecked());
        ctx_.Ws.Settings().SaveView(true);
    });
    checkLine_->setCheckable(true);
    checkLine_->setChecked(ctx_.View.ReadBool(kForm, kCheckLineKey, true));
    stop->setShortcutContext(Qt::ApplicationShortcut);
    menuActions_ = {run, test, stop, nullptr, log_, logsDelete, checkLine_};
    toolbar_ = {run, test, stop};
    runner_.StateChanged = [this] { UpdatePanels(); };
    ShowReport = [this](const QString& report) {
        QWidget* owner = locked_.isEmpty() ? nullptr : locked_.front()->window();
        auto* dialog = new QDialog(owner);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowTitle(Q(texts::kScriptReportTitle));
        auto* text = new QPlainTextEdit(report, dialog);
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
        connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
        auto* layout = new QVBoxLayout(dialog);
        layout->addWidget(text);
        layout->addWidget(buttons);
        dialog->resize(900, 500);
        dialog->show();
    };
}

void ScenarioRunControl::SetPanels(QLabel* cycle, QLabel* line, QLabel* stakes, QLabel* text) {
    cycle_ = cycle;
    line_ = line;
    stakes_ = stakes;
    text_ = text;
    UpdatePanels();
}

void ScenarioRunControl::UpdatePanels() {
    if (cycle_) cycle_->setText(Q(Format(texts::kScriptCyclePanel, {runner_.Cycle()})));
    if (line_) line_->setText(Q(Format(texts::kScriptLinePanel, {runner_.LineNumber()})));
    if (stakes_) stakes_->setText(Q(Format(texts::kScriptStakesPanel, {runner_.StakesMade()})));
    if (text_) text_->setText(Q(runner_.VariantText()));
}

void ScenarioRunControl::Lock(bool locked) {
    for (QWidget* w : locked_)
        if (w) w->setEnabled(!locked);
}

std::vector<std::string> ScenarioRunControl::Lines() const {
    std::vector<std::string> lines;
    const auto& list = ctx_.Ws.Scenario().List();
    for (std::size_t i = 0; i < list.Count(); ++i) lines.push_back(list.Line(i));
    return lines;
}

void ScenarioRunControl::Run(bool test) {
    int count = 0;
    if (test) {
        const int maximum = static_cast<int>(ctx_.Ws.Archive().Draws().size()) - 1;
        if (maximum < 1) return;
        count = askCount_ ? askCount_(maximum, std::min(kProposedTests, maximum))
                          : AskTestCount(locked_.isEmpty() ? nullptr : locked_.front()->window(), maximum);
        if (count <= 0) return;
    }
    app::TScenarioRunOptions options;
    options.Log = log_->isChecked();
    options.CheckAfterLine = checkLine_->isChecked();
    Lock(true);
    if (test)
        runner_.Test(Lines(), count, options);
    else
        runner_.Run(Lines(), options);
    Lock(false);
    UpdatePanels();
    if (test && !runner_.Report().Lines.empty()) {
        QString report = Q(app::RunReportText(runner_.Report()));
        try {
            report += QStringLiteral("\n") + Q(Format(texts::kScriptReportSaved, {runner_.SaveReport().string()}));
        } catch (const ECorvelError& e) {
            ctx_.Hooks.Error(e.what());
        }
        if (ShowReport) ShowReport(report);
    }
}

void ScenarioRunControl::Stop() {
    if (!ctx_.Hooks.Ask(texts::kScriptStopQuestion, false)) return;
    runner_.RequestStop();
    ctx_.Hooks.RequestStop();
    ctx_.Actions.UpdateAll();
}

void ScenarioRunControl::DeleteLogs() {
    DeleteLogsShowingOutcome(ctx_.Hooks, texts::kScriptLogsSearching, texts::kScriptLogsNotFound,
                             [this] { return DeleteScenarioLogs(ctx_.Ws.Files().Folder); });
}

}  // namespace corvel::gui
