// The ratings in the workspace: checking adds to the rows already in the
// ratings file (read first, never written over), and a rebuild starts from
// the stakes file alone.
#include <gtest/gtest.h>

#include "FakeUiHooks.h"
#include "TestSupport.h"
#include "app/Workspace.h"

namespace corvel {
namespace {

TEST(RatingsService, CheckingAddsToTheRowsOfTheFileAndARebuildStartsAfresh) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    {
        TRatingsTable old;
        TStakeRec earlier;
        earlier.Draw = 3;
        earlier.Checked = true;
        earlier.Stake.Count = 6;
        earlier.Hits.Count = 2;
        earlier.SetComment("Давняя ставка");
        old.Add(earlier);
        old.Save(dir / "CorvelLotto_6x48.lrt");
    }
    test::FakeUiHooks hooks;
    app::Workspace ws{app::DataFiles{dir.path()}, hooks, 16};
    ws.OpenSettingsAndRegistry();
    ASSERT_TRUE(ws.Stakes().Open());
    ws.Archive().Load();
    TStakeRec stake = ws.Stakes().NewStake({1, 2, 3, 4, 5, 6}, 16);
    ASSERT_TRUE(ws.Stakes().Add(stake, 1));
    ASSERT_TRUE(ws.Archive().AddDraw(test::MakeDraw(1501, {5, 40, 3, 41, 4, 42})));

    TRatingsTable saved;
    saved.Load(dir / "CorvelLotto_6x48.lrt");
    ASSERT_EQ(saved.Count(), 2u);
    // Sorted by the average, descending: three matches before two.
    EXPECT_EQ(saved.Rows()[0].Comment(), "Ставка \"вручную\"");
    EXPECT_EQ(saved.Rows()[0].ByMatches[3], 1u);
    EXPECT_EQ(saved.Rows()[1].Comment(), "Давняя ставка");

    ASSERT_TRUE(ws.Ratings().Rebuild(ws.Stakes()));
    saved.Load(dir / "CorvelLotto_6x48.lrt");
    ASSERT_EQ(saved.Count(), 1u);
    EXPECT_EQ(saved.Rows()[0].Stakes, 1u);
    EXPECT_TRUE(hooks.Errors.empty());
}

TEST(RatingsService, ARatingsFileThatCannotBeReadIsKeptAside) {
    test::TempDir dir;
    const std::string damaged(305, 'x');  // no whole number of 304-byte records
    test::WriteBytes(dir / "CorvelLotto_6x48.lrt", damaged);
    test::FakeUiHooks hooks;
    app::Workspace ws{app::DataFiles{dir.path()}, hooks, 16};
    ws.Ratings().Load();
    EXPECT_TRUE(ws.Ratings().Table().Empty());
    ASSERT_EQ(hooks.Warnings.size(), 1u);
    EXPECT_EQ(hooks.Warnings[0].rfind("Ошибка чтения файла рейтинга!\r\r", 0), 0u) << hooks.Warnings[0];
    EXPECT_NE(hooks.Warnings[0].find("CorvelLotto_6x48.lrt.bak"), std::string::npos) << hooks.Warnings[0];
    EXPECT_TRUE(test::ReadBytes(dir / "CorvelLotto_6x48.lrt.bak") == damaged);
    EXPECT_FALSE(std::filesystem::exists(dir / "CorvelLotto_6x48.lrt"));
}

}  // namespace
}  // namespace corvel
