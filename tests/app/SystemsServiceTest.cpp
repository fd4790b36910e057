// System play through the workspace: stakes of kind System for a series of
// draws, the sample size of each mode, checking once the draws are known, the
// local systems as the list shows them, and the errors reported.
#include <gtest/gtest.h>

#include <filesystem>

#include "FakeUiHooks.h"
#include "TestSupport.h"
#include "app/Workspace.h"

namespace corvel {
namespace {

class SystemsServiceTest : public testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir_.path());
        ws_.OpenSettingsAndRegistry();
        ASSERT_TRUE(ws_.Stakes().Open());
        ws_.Archive().Load();
        std::filesystem::create_directory(dir_ / "Systems");
        // Eight numbers in order of appearance: 5 9 20 31 40 44 2 45.
        ASSERT_TRUE(ws_.Combinations().Paste("5 9 20 31 40 44\r\n2 9 20 31 40 45\r\n5 9 20 31 40 45\r\n"));
    }
    test::TempDir dir_;
    test::FakeUiHooks hooks_;
    app::Workspace ws_{app::DataFiles{dir_.path()}, hooks_, 16};
};

TEST_F(SystemsServiceTest, PlayStakesEveryLineForEachDrawOfTheSeries) {
    test::WriteBytes(dir_ / "Systems" / "6-08-2_0017.dat", "01 02 03 04 05 06\r\n07 02 03 04 05 08\r\n");
    const auto play = ws_.Systems().Prepare(false);
    ASSERT_TRUE(play) << (hooks_.Errors.empty() ? "" : hooks_.Errors[0]);
    // Draws 1499 and 1500 are in the archive: the stakes are checked at once.
    ASSERT_TRUE(ws_.Systems().Play(*play, 1499, 2, play->Title));
    const TStakesFile& file = ws_.Stakes().File();
    std::vector<TStakeRec> stakes;
    for (std::int64_t i = 0; i < file.Count(); ++i)
        if (const TStakeRec r = file.Read(i); !r.IsSeparator()) stakes.push_back(r);
    ASSERT_EQ(stakes.size(), 4u);
    for (const TStakeRec& r : stakes) {
        EXPECT_EQ(r.Kind, TStakeKind::System);
        EXPECT_EQ(r.Sample, 2);  // the system's lines
        EXPECT_EQ(r.Comment(), "Системная игра для 8 чисел [вся система]: 6-08-2_0017");
        EXPECT_TRUE(r.Checked);
        EXPECT_EQ(r.Stake.Count, 6);
    }
    // Each line's series of two draws in file order: 5 9 20 31 40 44, then 2 9 20 31 40 45.
    const int draws[4] = {1499, 1500, 1499, 1500};
    const int smallest[4] = {5, 5, 2, 2};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(stakes[i].Draw, draws[i]) << i;
        EXPECT_EQ(stakes[i].Stake.Values[0], smallest[i]) << i;
    }
    EXPECT_TRUE(hooks_.Errors.empty());
}

TEST_F(SystemsServiceTest, ListModeWithoutACommonCombinationAddsNothingAndSaysSo) {
    test::WriteBytes(dir_ / "Systems" / "6-08-0_0001.dat", "7 8 1 2 3 4\r\n");
    const auto play = ws_.Systems().Prepare(true);
    ASSERT_TRUE(play);
    EXPECT_EQ(play->Sample, 3);
    EXPECT_TRUE(play->Combinations.empty());
    EXPECT_TRUE(ws_.Systems().Play(*play, 1501, 1, play->Title));
    EXPECT_EQ(ws_.Stakes().File().Count(), 0);
    ASSERT_EQ(hooks_.Infos.size(), 1u);
}

TEST_F(SystemsServiceTest, ErrorsAreReportedAndTheListShowsEveryLocalSystem) {
    EXPECT_FALSE(ws_.Systems().Prepare(false));
    ASSERT_EQ(hooks_.Errors.size(), 1u);
    EXPECT_NE(hooks_.Errors[0].find("Система для 8 чисел не найдена"), std::string::npos);

    test::WriteBytes(dir_ / "Systems" / "6-08-0_0001.dat", "1 2 3 4 5 13\r\n");
    test::WriteBytes(dir_ / "Systems" / "6-07-1_0002.dat", "1 2 3 4 5 6\r\n1 2 3 4 5 7\r\n");
    test::WriteBytes(dir_ / "Systems" / "notes.txt", "");
    EXPECT_FALSE(ws_.Systems().Prepare(true));
    ASSERT_EQ(hooks_.Errors.size(), 2u);
    EXPECT_TRUE(hooks_.Errors[1].starts_with("Ошибка загрузки комбинаций системы!\r\r")) << hooks_.Errors[1];

    const auto systems = ws_.Systems().LocalSystems();
    ASSERT_EQ(systems.size(), 2u);
    EXPECT_EQ(systems[0].Name, "6-07-1_0002");
    EXPECT_EQ(systems[0].Numbers, 7);
    EXPECT_EQ(systems[0].Block, 1);
    EXPECT_EQ(systems[0].Lines, 2);
    EXPECT_TRUE(systems[0].Error.empty());
    EXPECT_EQ(systems[0].Created.size(), 19u);
    EXPECT_EQ(systems[1].Numbers, 8);
    EXPECT_EQ(systems[1].Lines, 0);
    EXPECT_FALSE(systems[1].Error.empty());
    EXPECT_EQ(ws_.Stakes().File().Count(), 0);
}

}  // namespace
}  // namespace corvel
