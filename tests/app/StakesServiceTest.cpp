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

TEST_F(StakesServiceTest, WholeListAppendIsAllOrNothing) {
    // More stakes than one piece of the append: the stop request comes
    // after the first piece is on the disk, and the file goes back to empty.
    const TStakeRec base = ws_.Stakes().NewStake({1, 2, 3, 4, 5, 6}, 16);
    auto make = [&](std::int64_t i) {
        TStakeRec r = base;
        r.Stake.Values[5] = static_cast<std::uint8_t>(7 + i % 40);
        return r;
    };
    hooks_.Stop = true;
    EXPECT_FALSE(ws_.Stakes().AddGenerated(10'000, make, 1));
    EXPECT_EQ(ws_.Stakes().File().Count(), 0);
    EXPECT_TRUE(hooks_.Errors.empty());

    hooks_.Stop = false;
    ASSERT_TRUE(ws_.Stakes().AddGenerated(10'000, make, 2));
    // A series of two for each: 3 records for the first stake, 4 for every other.
    EXPECT_EQ(ws_.Stakes().File().Count(), 3 + 4 * 9'999);
    EXPECT_EQ(ws_.Stakes().File().Read(2).Draw, 1502);
    EXPECT_EQ(ws_.Stakes().File().Read(4).Stake.Values[5], 8);
}

TEST_F(StakesServiceTest, FolderStaysLockedAfterTheStakesFileIsRewritten) {
    ASSERT_TRUE(ws_.LockFolder());
    const TStakeRec stake = ws_.Stakes().NewStake({1, 2, 3, 4, 5, 6}, 16);
    ASSERT_TRUE(ws_.Stakes().Add(stake, 2));
    ASSERT_TRUE(ws_.Stakes().DeleteRange(0, 0));
    ASSERT_EQ(ws_.Stakes().File().Count(), 2);
    // Another process cannot take the folder: its stake is refused.
    const test::ProcessResult r = test::RunCorvel(
        {"--data-dir", dir_.path().string(), "--lock-wait", "0", "stakes", "add", "1501", "7;8;9;10;11;12"});
    EXPECT_EQ(r.ExitCode, 1) << r.Err;
    EXPECT_NE(r.Err.find("Невозможно получить монопольный доступ к файлам данных!"), std::string::npos) << r.Err;
    EXPECT_EQ(ws_.Stakes().File().Count(), 2);
}

}  // namespace
}  // namespace corvel
