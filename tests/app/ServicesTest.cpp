// The workspace's services on real files: change revisions and their
// notifications, the statistics table following them, and the settings
// transaction with its roll-back.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <vector>

#include "FakeUiHooks.h"
#include "TestSupport.h"
#include "app/Workspace.h"
#include "i18n/Texts.h"
#include "model/GameSettingsFile.h"

namespace corvel {
namespace {

class ServicesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir_.path());
        ws_.Statistics().SetPrefetchsEnabled(false);
        ws_.OpenSettingsAndRegistry();
        ASSERT_TRUE(ws_.Archive().Load());
        ws_.Changes().Subscribe([this](app::EChange c) { told_.push_back(c); });
    }
    int Index(const char* code) const { return ws_.Statistics().Registry().FindMethod(code); }

    // How often each number was drawn in the last `window` draws, counted
    // straight from the archive.
    std::map<int, int> CountedNumbers(int window) const {
        const TDrawsArray& draws = ws_.Archive().Draws();
        std::map<int, int> counts;
        for (std::size_t i = draws.size() - static_cast<std::size_t>(window); i < draws.size(); ++i)
            for (auto n : draws[i].Numbers) ++counts[n];
        return counts;
    }
    std::map<int, int> TableNumbers() const {
        std::map<int, int> counts;
        for (const auto& row : ws_.Statistics().Table().Rows)
            if (row.Value.Count > 0) counts[row.Value.Key[0]] = row.Value.Count;
        return counts;
    }

    test::TempDir dir_;
    test::FakeUiHooks hooks_;
    app::Workspace ws_{app::DataFiles{dir_.path()}, hooks_, 16};
    std::vector<app::EChange> told_;
};

// A draw edited in place leaves the archive as long as it was; the table
// computed before must not be kept for it.
TEST_F(ServicesTest, TableFollowsADrawEditedInPlace) {
    ASSERT_TRUE(ws_.Statistics().ComputeTable(Index("NUMS"), 100, false));
    ASSERT_EQ(TableNumbers(), CountedNumbers(100));

    const std::size_t last = ws_.Archive().Draws().size() - 1;
    TDrawRec edited = ws_.Archive().Draws()[last];
    // Numbers this draw did not hold, so the counts must move.
    edited.Numbers = {1, 2, 3, 4, 5, 6};
    if (ws_.Archive().Draws()[last].Numbers == edited.Numbers) edited.Numbers = {43, 44, 45, 46, 47, 48};
    const std::map<int, int> before = CountedNumbers(100);
    const app::TRevisions revisions = ws_.Revisions();
    ASSERT_TRUE(ws_.Archive().ReplaceDraw(static_cast<int>(last), edited));
    EXPECT_EQ(ws_.Archive().Draws().size(), last + 1);
    EXPECT_EQ(ws_.Revisions().Archive, revisions.Archive + 1);
    EXPECT_EQ(told_, std::vector<app::EChange>{app::EChange::Archive});

    ASSERT_NE(CountedNumbers(100), before);
    ASSERT_TRUE(ws_.Statistics().ComputeTable(Index("NUMS"), 100, false));
    EXPECT_EQ(TableNumbers(), CountedNumbers(100));
    EXPECT_TRUE(hooks_.Errors.empty());
}

TEST_F(ServicesTest, OffsetAndOrderAreAnnouncedOnlyWhenTheyChange) {
    const int high = static_cast<int>(ws_.Archive().Draws().size()) - 1;
    ws_.Archive().SetOffset(0);  // as it is
    ws_.Archive().SetSorted(false);
    EXPECT_TRUE(told_.empty());
    ws_.Archive().SetOffset(high + 50);  // clamped to the oldest draw
    EXPECT_EQ(ws_.Archive().Offset(), high);
    ws_.Archive().SetSorted(true);
    EXPECT_EQ(told_, (std::vector<app::EChange>{app::EChange::Offset, app::EChange::Sorted}));
    EXPECT_EQ(ws_.Revisions().Offset, 1u);
    EXPECT_EQ(ws_.Revisions().Sorted, 1u);

    // Each is a new key of the table: the window moved, the numbers are read sorted.
    ws_.Archive().SetOffset(0);
    ASSERT_TRUE(ws_.Statistics().ComputeTable(Index("NUMS"), 100, false));
    const auto sortedTable = ws_.Statistics().Table().Rows.size();
    ws_.Archive().SetOffset(10);
    ASSERT_TRUE(ws_.Statistics().ComputeTable(Index("NUMS"), 100, false));
    std::map<int, int> counts;
    const TDrawsArray& draws = ws_.Archive().Draws();
    for (std::size_t i = draws.size() - 110; i < draws.size() - 10; ++i)
        for (auto n : draws[i].Numbers) ++counts[n];
    EXPECT_EQ(TableNumbers(), counts);
    EXPECT_GT(sortedTable, 0u);
}

TEST_F(ServicesTest, SettingsTransactionWritesReregistersAndAnnounces) {
    TStatList& registry = ws_.Statistics().Registry();
    registry.Item(Index("EVEN")).UserCaption = "Чётные";  // given in this run, not saved yet
    TConfigData edited = ws_.Settings().Game().Config;
    edited.ChannelSize = 8;
    edited.CDL.LevelCoef = 3;
    ASSERT_TRUE(ws_.Settings().SaveConfig(edited));
    EXPECT_EQ(told_, std::vector<app::EChange>{app::EChange::Settings});
    EXPECT_EQ(ws_.Settings().Game().Config.ChannelSize, 8);
    EXPECT_EQ(ws_.Settings().Game().CDLDefault.LevelCoef, 3);
    EXPECT_EQ(registry.Item(Index("EVEN")).UserCaption,
              "Чётные");  // kept across the new registration
    TGameSettings disk;
    LoadGameSettings(ws_.Files().GameSettings(), disk);
    EXPECT_EQ(disk.Config.ChannelSize, 8);
    EXPECT_EQ(hooks_.Busy, 0);
    EXPECT_TRUE(hooks_.Errors.empty());
}

TEST_F(ServicesTest, RefusedSettingsWriteLeavesMemoryAsTheFileHoldsIt) {
    const TGameSettings before = ws_.Settings().Game();
    // The settings file cannot be replaced: its name is taken by a folder.
    std::filesystem::create_directory(ws_.Files().GameSettings());
    TConfigData edited = before.Config;
    edited.MatrixCols = 8;
    EXPECT_FALSE(ws_.Settings().SaveConfig(edited));
    EXPECT_FALSE(ws_.Settings().SaveShredding({"n1", "n2", "n3"}, {1, 1, 1}));
    EXPECT_FALSE(ws_.Settings().SaveGenerate(2, "1;2;3;4;5;6;7"));
    EXPECT_EQ(ws_.Settings().Game().Config.MatrixCols, before.Config.MatrixCols);
    EXPECT_EQ(ws_.Settings().Game().Formulas, before.Formulas);
    EXPECT_EQ(ws_.Settings().Game().CombsGenerateMode, before.CombsGenerateMode);
    EXPECT_TRUE(told_.empty());
    ASSERT_EQ(hooks_.Errors.size(), 3u);
    for (const std::string& e : hooks_.Errors)
        EXPECT_EQ(e.rfind(std::string(texts::kConfigWriteError) + "\r\r", 0), 0u) << e;
    EXPECT_EQ(hooks_.Busy, 0);
    EXPECT_EQ(hooks_.Statuses.back(), "");
}

}  // namespace
}  // namespace corvel
