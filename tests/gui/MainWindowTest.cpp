// The main window on the sample data: start-up, the status panels and the
// folder lock.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTabWidget>

#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "app/FolderLock.h"

namespace corvel {
namespace {

TEST(MainWindow, StartsOnTheSampleData) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    gui::MainWindow window(app::DataFiles{dir.path()}, {});
    window.show();
    ASSERT_TRUE(window.Initialise());
    EXPECT_EQ(window.StatusPanel(0)->text(), QStringLiteral("Архив тиражей: 1500"));
    EXPECT_EQ(window.StatusPanel(1)->text(), QStringLiteral("Следующий тираж: 1501"));
    EXPECT_EQ(window.StatusPanel(3)->text(), QStringLiteral("Комбинаций: 12271512"));
    EXPECT_EQ(window.RightTabs()->count(), 10);
    EXPECT_FALSE(window.RightTabs()->isTabEnabled(1));  // "Графики" comes later
    EXPECT_TRUE(window.Hooks().Messages().isEmpty()) << window.Hooks().Messages().join(QStringLiteral("\n")).toStdString();
}

TEST(MainWindow, SecondCopyOnTheSameFolderIsRefused) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    app::FolderLock first;
    ASSERT_TRUE(first.Acquire(dir / "CorvelLotto_6x48.lsk"));
    gui::MainWindow window(app::DataFiles{dir.path()}, {});
    test::PressInNextMessageBox(QMessageBox::Ok);
    EXPECT_FALSE(window.Initialise());
    ASSERT_FALSE(window.Hooks().Messages().isEmpty());
    EXPECT_TRUE(window.Hooks().Messages().back().startsWith(QStringLiteral("Невозможно получить монопольный доступ")));
    first.Release();
}

}  // namespace
}  // namespace corvel
