// Checking stakes against a small archive written by the test: the results,
// matches and profits worked out by hand, the stakes that must stay unchecked,
// the log lines and the replacement of an overgrown log.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "model/Cp1251.h"
#include "stakes/StakeCheck.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

TStakeRec StakeOf(std::int32_t draw, std::vector<std::uint8_t> numbers, const char* comment = "Тест") {
    TStakeRec r;
    r.Kind = TStakeKind::Manual;
    r.Draw = draw;
    r.Sample = 7;
    r.Stake.Count = static_cast<std::int32_t>(numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i) r.Stake.Values[i] = numbers[i];
    r.SetComment(comment);
    return r;
}

TConfigData Config(double cost, std::vector<TProfit> prizes) {
    TConfigData c;
    c.Cost = TMoney::FromDouble(cost);
    c.Profits = std::move(prizes);
    return c;
}

class RecordingSink : public TCheckedStakeSink {
  public:
    void AddCheckedStake(const TStakeRec& rec) override { Draws.push_back(rec.Draw); }
    std::vector<std::int32_t> Draws;
};

class StakeCheckTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(file_.Open().empty());
        // Draw 10: 5 17 3 40 22 9 (drawing order), extras 1 and 2.
        draws_ = {test::MakeDraw(9, {1, 2, 3, 4, 5, 6}), test::MakeDraw(10, {5, 17, 3, 40, 22, 9}, {1, 2})};
    }
    std::vector<TStakeRec> All() {
        std::vector<TStakeRec> out(static_cast<std::size_t>(file_.Count()));
        file_.ReadRange(0, out);
        return out;
    }
    test::TempDir dir_;
    TStakesFile file_{dir_ / "CorvelLotto_6x48.lsk"};
    TDrawsArray draws_;
};

TEST(StakeProfit, WorkedOutByHand) {
    EXPECT_EQ(SimpleStakesIn(5), 1);
    EXPECT_EQ(SimpleStakesIn(6), 1);
    EXPECT_EQ(SimpleStakesIn(7), 7);
    EXPECT_EQ(SimpleStakesIn(8), 28);
    // Cost 1.5, no prize for 2 matches: -1.50.
    EXPECT_EQ(StakeProfit(6, 2, Config(1.5, {{3, TMoney::FromDouble(10)}})).Raw(), -15000);
    // Seven numbers at cost 1 with all six drawn and 100 for six: -7 + 100.
    EXPECT_EQ(StakeProfit(7, 6, Config(1, {{6, TMoney::FromDouble(100)}})).Raw(), 930000);
    // Eight numbers at cost 0.5 with a prize of 50 for 3: -14 + 50.
    EXPECT_EQ(StakeProfit(8, 3, Config(0.5, {{3, TMoney::FromDouble(50)}})).Raw(), 360000);
    // Two entries for one overlap: the first counts.
    EXPECT_EQ(StakeProfit(6, 4, Config(2, {{4, TMoney::FromDouble(30)}, {4, TMoney::FromDouble(99)}})).Raw(), 280000);
    // Unchecked (-1 matches): the cost alone; no entry, not even one for 0, applies.
    EXPECT_EQ(StakeProfit(6, -1, Config(2, {{0, TMoney::FromDouble(1)}})).Raw(), -20000);
}

TEST_F(StakeCheckTest, ChecksWhatHasADrawAndLeavesTheRest) {
    const TConfigData config = Config(1, {{2, TMoney::FromDouble(3)}, {6, TMoney::FromDouble(1000)}});
    const TStakeRec recs[] = {
        StakeOf(10, {3, 5, 11, 12, 13, 14}),     // two matches: 3 and 5
        BlankStake(),                            // separator
        StakeOf(10, {3, 5, 9, 17, 22, 40, 41}),  // seven numbers, all six drawn
        StakeOf(11, {1, 2, 3, 4, 5, 6}),         // the draw is not in the archive yet
        StakeOf(10, {3, 5, 9, 17, 22}),          // five numbers are never checked
    };
    for (const auto& r : recs) file_.Append(r);
    RecordingSink sink;
    const TStakeCheckResult result = CheckStakes(file_, draws_, config, nullptr, &sink);
    EXPECT_EQ(result.Checked, 2);
    EXPECT_EQ(sink.Draws, (std::vector<std::int32_t>{10, 10}));

    const auto all = All();
    EXPECT_TRUE(all[0].Checked);
    EXPECT_EQ(all[0].Result, (TCombination{5, 17, 3, 40, 22, 9}));  // archive order
    EXPECT_EQ(all[0].Hits.Count, 2);
    EXPECT_EQ(all[0].Hits.Values[0], 3);
    EXPECT_EQ(all[0].Hits.Values[1], 5);
    EXPECT_EQ(all[0].Profit.Raw(), 20000);  // -1 + 3
    EXPECT_EQ(all[2].Hits.Count, 6);
    EXPECT_EQ(all[2].Profit.Raw(), 9930000);  // -7 + 1000
    for (std::size_t i : {1u, 3u, 4u}) {
        EXPECT_FALSE(all[i].Checked) << i;
        EXPECT_EQ(all[i].Hits.Count, -1) << i;
    }
    // A second pass finds nothing new: a checked stake is never checked again.
    EXPECT_EQ(CheckStakes(file_, draws_, Config(5, {}), nullptr, nullptr).Checked, 0);
    EXPECT_EQ(All()[0].Profit.Raw(), 20000);
}

TEST_F(StakeCheckTest, DamagedRecordsAreSkipped) {
    file_.Append(StakeOf(10, {3, 5, 11, 12, 13, 14}));
    TStakeRec bad = StakeOf(10, {3, 5, 11, 12, 13, 14});
    bad.Stake.Values[2] = 77;  // not a number of the game
    file_.Append(bad);
    const TStakeCheckResult result = CheckStakes(file_, draws_, Config(1, {}), nullptr, nullptr);
    EXPECT_EQ(result.Checked, 1);
    EXPECT_EQ(result.Damaged, 1);
    EXPECT_FALSE(All()[1].Checked);
}

TEST_F(StakeCheckTest, LogLinesAndTheReplacementOfAnOvergrownLog) {
    TStakeLog log(dir_.path());
    log.Now = [] { return std::string("2026.12.10 21:30:05"); };
    file_.Append(StakeOf(10, {3, 5, 11, 12, 13, 14}, "Ставка \"вручную\""));
    file_.Append(StakeOf(10, {1, 2, 4, 6, 7, 8}));
    const fs::path two = dir_ / "CorvelLotto_6x48-2.log";
    const fs::path none = dir_ / "CorvelLotto_6x48-0.log";
    // An overgrown log for 2 matches: replaced by one holding only the new line.
    test::WriteBytes(two, "old");
    fs::resize_file(two, TStakeLog::kMaxLogBytes + 1);
    const TStakeCheckResult result = CheckStakes(file_, draws_, Config(1.5, {}), &log, nullptr);
    EXPECT_EQ(result.Checked, 2);
    EXPECT_EQ(result.LogError, "");
    EXPECT_EQ(Cp1251ToUtf8(test::ReadBytes(two)),
              "2026.12.10 21:30:05: Тираж № 10. Ставка: \"Ставка \"вручную\"\" [3;5;11;12;13;14] {7}. "
              "Результаты тиража: [5;17;3;40;22;9]. Совпадений: 2. Профит: -1.50.\r\n");
    EXPECT_EQ(Cp1251ToUtf8(test::ReadBytes(none)),
              "2026.12.10 21:30:05: Тираж № 10. Ставка: \"Тест\" [1;2;4;6;7;8] {7}. "
              "Результаты тиража: [5;17;3;40;22;9]. Совпадений: 0. Профит: -1.50.\r\n");
}

TEST_F(StakeCheckTest, WithoutALogNoLogFileIsWritten) {
    file_.Append(StakeOf(10, {3, 5, 11, 12, 13, 14}));
    EXPECT_EQ(CheckStakes(file_, draws_, Config(1, {}), nullptr, nullptr).Checked, 1);
    EXPECT_EQ(test::FolderEntries(dir_.path()), std::vector<std::string>{"CorvelLotto_6x48.lsk"});
}

}  // namespace
}  // namespace corvel
