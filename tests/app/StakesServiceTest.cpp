// The stakes service in the workspace: a new stake is for the draw after the
// analysed window, adding that draw checks it at once, and checking uses the
// whole archive whatever the offset.
#include <gtest/gtest.h>

#include "FakeUiHooks.h"
#include "TestSupport.h"
#include "app/Workspace.h"
#include "model/DrawArchive.h"

namespace corvel {
namespace {

class StakesServiceTest : public testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir_.path());
        ws_.OpenSettingsAndRegistry();
        ASSERT_TRUE(ws_.Stakes().Open());
        ws_.Archive().Load();
    }
    test::TempDir dir_;
    test::FakeUiHooks hooks_;
    app::Workspace ws_{app::DataFiles{dir_.path()}, hooks_, 16};
};

TEST_F(StakesServiceTest, AddingTheDrawChecksTheStakesThatWaitedForIt) {
    const TStakeRec stake = ws_.Stakes().NewStake({1, 2, 3, 4, 5, 6}, 16);
    EXPECT_EQ(stake.Draw, 1501);  // the newest draw of the sample is 1500
    EXPECT_EQ(stake.Comment(), "Ставка \"вручную\"");
    ASSERT_TRUE(ws_.Stakes().Add(stake, 1));
    EXPECT_FALSE(ws_.Stakes().File().Read(0).Checked);
    const std::uint64_t before = ws_.Revisions().Stakes;
    // Draw 1501 holds 3, 4 and 5 of the stake.
    ASSERT_TRUE(ws_.Archive().AddDraw(test::MakeDraw(1501, {5, 40, 3, 41, 4, 42})));
    const TStakeRec checked = ws_.Stakes().File().Read(0);
    EXPECT_TRUE(checked.Checked);
    EXPECT_EQ(checked.Hits.Count, 3);
    EXPECT_EQ(checked.Result, (TCombination{5, 40, 3, 41, 4, 42}));
    EXPECT_GT(ws_.Revisions().Stakes, before);
    EXPECT_TRUE(hooks_.Errors.empty());
}

TEST_F(StakesServiceTest, CheckingIgnoresTheOffset) {
    // Hide the newest 100 draws; a stake for draw 1450, hidden now, is
    // checked against the archive all the same.
    ws_.Archive().SetOffset(100);
    TStakeRec stake = ws_.Stakes().NewStake({1, 2, 3, 4, 5, 6}, 16);
    EXPECT_EQ(stake.Draw, 1401);
    stake.Draw = 1450;
    ASSERT_TRUE(ws_.Stakes().Add(stake, 1));
    const TStakeRec checked = ws_.Stakes().File().Read(0);
    ASSERT_TRUE(checked.Checked);
    const TDrawRec& draw = ws_.Archive().Draws()[static_cast<std::size_t>(FindDrawIndex(ws_.Archive().Draws(), 1450))];
    EXPECT_EQ(checked.Result, draw.Numbers);
}

TEST_F(StakesServiceTest, RefusedAppendIsReportedAndWritesNothing) {
    TStakeRec stake = ws_.Stakes().NewStake({1, 2, 3, 4, 5, 6}, 16);
    stake.Checked = true;
    EXPECT_FALSE(ws_.Stakes().Add(stake, 1));
    ASSERT_EQ(hooks_.Errors.size(), 1u);
    EXPECT_EQ(hooks_.Errors[0],
              "Ошибка добавления записи в файл ставок!\r\rДобавление в конец файла уже проверенной ставки!");
    EXPECT_EQ(ws_.Stakes().File().Count(), 0);
}

TEST_F(StakesServiceTest, AChunkAddedWithoutCheckingWaitsForTheCheck) {
    // Draw 1450 is in the archive, yet the stakes wait for the check.
    TStakeRec stake = ws_.Stakes().NewStake({1, 2, 3, 4, 5, 6}, 16);
    stake.Draw = 1450;
    const TStakeRec recs[] = {stake, stake};
    ASSERT_TRUE(ws_.Stakes().Add(recs, 1, false));
    ASSERT_EQ(ws_.Stakes().File().Count(), 2);
    EXPECT_FALSE(ws_.Stakes().File().Read(0).Checked);
    EXPECT_FALSE(ws_.Stakes().File().Read(1).Checked);
    EXPECT_EQ(ws_.Stakes().Check(), 2);
    EXPECT_TRUE(ws_.Stakes().File().Read(1).Checked);
}

}  // namespace
}  // namespace corvel
