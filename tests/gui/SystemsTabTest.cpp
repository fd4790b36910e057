// The systems tab offscreen: the list (the catalogue's placeholder, then the
// systems of the folder), both ways of playing through the multi-stake
// dialog, and switching the tab off and on.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTabWidget>
#include <filesystem>
#include <memory>

#include "GuiTestSupport.h"
#include "GuiText.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "dialogs/MultiStakeDialog.h"
#include "tabs/SystemsTab.h"

namespace corvel {
namespace {

class SystemsTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir_.path());
        std::filesystem::create_directory(dir_ / "Systems");
        // For the list's eight numbers, in order of appearance 5 9 20 31 40 44 2 45.
        test::WriteBytes(dir_ / "Systems" / "6-08-0_0003.dat", "01 02 03 04 05 06\r\n07 08 01 02 03 04\r\n");
        window_ = std::make_unique<gui::MainWindow>(app::DataFiles{dir_.path()}, app::StartupSwitches{});
        window_->show();
        ASSERT_TRUE(window_->Initialise());
        ASSERT_TRUE(Ws().Combinations().Paste("5 9 20 31 40 44\r\n2 9 20 31 40 45\r\n5 9 20 31 40 45\r\n"));
        tab_ = window_->Systems();
    }
    app::Workspace& Ws() { return window_->Workspace(); }
    QAction* Action(const char* name) {
        window_->Actions().UpdateAll();
        return window_->Actions().Find(name);
    }
    std::vector<TStakeRec> Stakes() {
        std::vector<TStakeRec> out;
        const TStakesFile& file = Ws().Stakes().File();
        for (std::int64_t i = 0; i < file.Count(); ++i)
            if (const TStakeRec r = file.Read(i); !r.IsSeparator()) out.push_back(r);
        return out;
    }
    QString Cell(int row, int column) { return tab_->Model()->item(row, column)->text(); }

    test::TempDir dir_;
    std::unique_ptr<gui::MainWindow> window_;
    gui::SystemsTab* tab_ = nullptr;
};

TEST_F(SystemsTabTest, ListsThePlaceholderAndTheSystemsOfTheFolder) {
    QTabWidget* tabs = window_->RightTabs();
    ASSERT_TRUE(tabs->isTabVisible(tabs->indexOf(tab_)));
    ASSERT_EQ(tab_->Model()->rowCount(), 2);
    EXPECT_EQ(Cell(0, 0), gui::Q("Список систем не доступен!"));
    EXPECT_EQ(Cell(1, 0), QStringLiteral("6-08-0_0003"));
    EXPECT_EQ(Cell(1, 2), QStringLiteral("08"));
    EXPECT_EQ(Cell(1, 4), QStringLiteral("2"));
    EXPECT_EQ(Cell(1, 6), gui::Q("Загружена"));
}

TEST_F(SystemsTabTest, PlaysTheWholeSystemOrOnlyTheListsCombinations) {
    test::AnswerDialog<gui::MultiStakeDialog>([](gui::MultiStakeDialog& d) {
        EXPECT_EQ(d.windowTitle(), gui::Q("Системная игра для 8 чисел [вся система]: 6-08-0_0003"));
        EXPECT_EQ(d.CommentField()->text(), d.windowTitle());
        EXPECT_EQ(d.Draw(), 1501);
        test::PressOk(d);
    });
    Action("SystemStakeAll")->trigger();
    auto stakes = Stakes();
    ASSERT_EQ(stakes.size(), 2u);
    EXPECT_EQ(stakes[0].Kind, TStakeKind::System);
    EXPECT_EQ(stakes[1].Stake.Values[0], 2);  // 2 5 9 20 31 45
    EXPECT_EQ(stakes[1].Draw, 1501);

    // List mode: only 5 9 20 31 40 44 is also a combination of the list; a
    // cancelled dialog stakes nothing.
    test::AnswerDialog<gui::MultiStakeDialog>([](gui::MultiStakeDialog&) {});
    Action("SystemStakeFilter")->trigger();
    EXPECT_EQ(Stakes().size(), 2u);
    test::AnswerDialog<gui::MultiStakeDialog>([](gui::MultiStakeDialog& d) {
        d.CommentField()->setText(QStringLiteral("Только список"));
        test::PressOk(d);
    });
    Action("SystemStakeFilter")->trigger();
    stakes = Stakes();
    ASSERT_EQ(stakes.size(), 3u);
    EXPECT_EQ(stakes[2].Comment(), "Только список");
    EXPECT_EQ(stakes[2].Sample, 3);
    EXPECT_EQ(stakes[2].Stake.Values[5], 44);
}

TEST_F(SystemsTabTest, SwitchingTheTabOffEmptiesTheListAndIsKept) {
    QTabWidget* tabs = window_->RightTabs();
    Action("SystemsOn")->trigger();
    EXPECT_FALSE(tabs->isTabVisible(tabs->indexOf(tab_)));
    EXPECT_EQ(tab_->Model()->rowCount(), 0);
    EXPECT_FALSE(Action("SystemStakeAll")->isEnabled());
    EXPECT_FALSE(Ws().Settings().View().ReadBool("TFormMain", "SystemsEnabled", true));
    Action("SystemsOn")->trigger();
    EXPECT_TRUE(tabs->isTabVisible(tabs->indexOf(tab_)));
    EXPECT_EQ(tabs->currentWidget(), tab_);
    EXPECT_EQ(tab_->Model()->rowCount(), 2);
    EXPECT_TRUE(Action("SystemStakeAll")->isEnabled());
}

}  // namespace
}  // namespace corvel
