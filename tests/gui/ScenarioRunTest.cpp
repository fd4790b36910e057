// Running the current scenario from the "Сценарий" tab on the sample archive:
// the forecast stakes for the next draw, the test asks for its count, runs the
// offsets down to 1, restores the offset and shows the report beside random
// stakes; the stop asks first and leaves the offset where it came; the tabs
// are locked only while the scenario runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QInputDialog>
#include <QMessageBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "GuiTestSupport.h"
#include "GuiText.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "QtUiHooks.h"
#include "ScenarioRunControl.h"
#include "TestSupport.h"
#include "tabs/ScenarioTab.h"

namespace corvel {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

class ScenarioRunTest : public test::MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (HasFatalFailure()) return;
        tab_ = window_->Scenario();
        control_ = tab_->RunControl();
        control_->ShowReport = [this](const QString& report) { report_ = report; };
        ASSERT_TRUE(Ws().Combinations().Paste("1 2 3 4 5 6\r\n7 8 9 10 11 12\r\n"));
        ASSERT_TRUE(Ws().Scenario().Add("CURR#LAST| | | | | | | |Последняя"));
    }
    bool Enabled(const char* name) {
        window_->Actions().UpdateAll();
        QAction* action = window_->Actions().Find(name);
        EXPECT_NE(action, nullptr) << name;
        return action && action->isEnabled();
    }
    void Run(const char* name) {
        window_->Actions().UpdateAll();
        QAction* action = window_->Actions().Find(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    std::vector<TStakeRec> Stakes() {
        std::vector<TStakeRec> out;
        const TStakesFile& file = Ws().Stakes().File();
        for (std::int64_t i = 0; i < file.Count(); ++i)
            if (const TStakeRec rec = file.Read(i); !rec.IsSeparator()) out.push_back(rec);
        return out;
    }
    QString Panel(const char* name) { return tab_->findChild<QLabel*>(QString::fromLatin1(name))->text(); }

    gui::ScenarioTab* tab_ = nullptr;
    gui::ScenarioRunControl* control_ = nullptr;
    QString report_;
};

TEST_F(ScenarioRunTest, TheForecastStakesForTheNextDraw) {
    ASSERT_TRUE(Enabled("ScriptRun"));
    EXPECT_FALSE(Enabled("ScriptStop"));
    Run("ScriptRun");
    const auto stakes = Stakes();
    ASSERT_EQ(stakes.size(), 1u);
    EXPECT_EQ(stakes[0].Draw, 1501);
    EXPECT_EQ(stakes[0].Comment(), "01.000: Последняя @ CURR#LAST");
    EXPECT_EQ(Panel("ScenarioStakesPanel"), U("Ставок: 1"));
    EXPECT_EQ(Panel("ScenarioTextPanel"), U("Сценарий завершен!"));
    EXPECT_TRUE(report_.isEmpty());
    EXPECT_TRUE(window_->LeftTabs()->isEnabled());
}

TEST_F(ScenarioRunTest, TheTestAsksForItsCountAndShowsTheReport) {
    int asked = 0;
    control_->SetCountAsker([&](int maximum, int proposed) {
        asked = maximum;
        EXPECT_EQ(proposed, 10);
        return 3;
    });
    bool lockedWhileRunning = false;
    auto& runner = control_->Runner();
    auto panels = runner.StateChanged;
    runner.StateChanged = [&] {
        panels();
        if (runner.Running()) lockedWhileRunning = !window_->LeftTabs()->isEnabled() && !tab_->View()->isEnabled();
    };
    Run("ScriptTest");
    EXPECT_EQ(asked, 1499);
    EXPECT_TRUE(lockedWhileRunning);
    EXPECT_TRUE(window_->LeftTabs()->isEnabled());
    EXPECT_EQ(Ws().Archive().Offset(), 0);
    const auto stakes = Stakes();
    ASSERT_EQ(stakes.size(), 3u);
    for (const TStakeRec& rec : stakes) EXPECT_TRUE(rec.Checked);
    EXPECT_TRUE(report_.contains(U("Случайные ставки:")));
    EXPECT_TRUE(report_.contains(U("Тиражей: 3, ставок: 3")));
    bool saved = false;
    for (const auto& e : std::filesystem::directory_iterator(dir_.path()))
        saved = saved || e.path().filename().string().starts_with("ScriptReport_");
    EXPECT_TRUE(saved);
}

// The real count dialog: cancelling it runs nothing; OK runs the count typed.
TEST_F(ScenarioRunTest, TheCountDialogCancelledRunsNoTest) {
    test::AnswerNextModal([](QWidget* w) {
        auto* input = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(input->windowTitle(), U("Количество тестов"));
        EXPECT_EQ(input->intValue(), 10);
        input->reject();
    });
    Run("ScriptTest");
    EXPECT_TRUE(Stakes().empty());
    EXPECT_TRUE(report_.isEmpty());
    test::AnswerNextModal([](QWidget* w) {
        auto* input = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(input, nullptr);
        input->setIntValue(2);
        input->accept();
    });
    Run("ScriptTest");
    EXPECT_EQ(Stakes().size(), 2u);
}

TEST_F(ScenarioRunTest, TheStopAsksFirstAndLeavesTheOffsetWhereItCame) {
    control_->SetCountAsker([](int, int) { return 3; });
    auto& runner = control_->Runner();
    auto panels = runner.StateChanged;
    runner.StateChanged = [&] {
        panels();
        if (runner.Cycle() != 2 || runner.StopRequested()) return;
        // The person presses the stop and confirms.
        test::AnswerNextModal([](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w)) box->done(QMessageBox::Yes);
        });
        ASSERT_TRUE(Enabled("ScriptStop"));
        Run("ScriptStop");
    };
    Run("ScriptTest");
    EXPECT_EQ(Ws().Archive().Offset(), 2);
    EXPECT_EQ(Stakes().size(), 1u);
    EXPECT_FALSE(runner.Running());
    EXPECT_TRUE(Enabled("ScriptRun"));
}

TEST_F(ScenarioRunTest, DeletingTheRunLogsKeepsEveryOtherFile) {
    test::WriteBytes(dir_ / "ScriptLog_2026-12-01-10-00-00.txt", "log");
    test::WriteBytes(dir_ / "ScriptLog_2026-12-02-10-00-00.txt", "log");
    test::WriteBytes(dir_ / "ScriptReport_2026-12-02-10-00-00.txt", "report");
    test::AnswerNextModal([](QWidget* w) { w->close(); });
    Run("LogsDelete");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "ScriptLog_2026-12-01-10-00-00.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "ScriptLog_2026-12-02-10-00-00.txt"));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "ScriptReport_2026-12-02-10-00-00.txt"));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "CorvelLotto_6x48.ldr"));
}

}  // namespace
}  // namespace corvel
