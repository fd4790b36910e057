#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <memory>

#include "MainWindow.h"
#include "TestSupport.h"

namespace corvel::test {

// The desktop program's main window over a copy of the sample archive in a
// folder of its own, shown and started as the program starts it.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CopySampleArchive(dir_.path());
        window_ = std::make_unique<gui::MainWindow>(app::DataFiles{dir_.path()}, app::StartupSwitches{});
        window_->show();
        ASSERT_TRUE(window_->Initialise());
    }
    app::Workspace& Ws() { return window_->Workspace(); }
    // Triggers an action the way a menu click would: only when it is enabled
    // after the actions have been brought up to date.
    void Run(const char* name) {
        window_->Actions().UpdateAll();
        QAction* action = window_->Actions().Find(name);
        ASSERT_NE(action, nullptr) << name;
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
    }

    TempDir dir_;
    std::unique_ptr<gui::MainWindow> window_;
};

}  // namespace corvel::test
