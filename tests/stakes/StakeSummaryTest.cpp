// The stakes summary over a hand-made file, and the match probabilities of
// stakes of 6, 7 and 8 numbers: every figure below is worked out by hand from
// binomial coefficients (C(48, 6) = 12,271,512; C(42, 3) = 11,480;
// C(41, 3) = 10,660; C(7, 3) = 35).
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "stakes/StakeRecord.h"
#include "stakes/StakeSummary.h"

namespace corvel {
namespace {

TStakeRec StakeOf(std::int32_t draw, std::vector<std::uint8_t> numbers, double profit) {
    TStakeRec r;
    r.Kind = TStakeKind::Manual;
    r.Draw = draw;
    r.Stake.Count = static_cast<std::int32_t>(numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i) r.Stake.Values[i] = numbers[i];
    r.Profit = TMoney::FromDouble(profit);
    return r;
}

TConfigData Prizes() {
    TConfigData c;
    c.Cost = TMoney::FromDouble(2);
    c.Profits = {{3, TMoney::FromDouble(10)}, {6, TMoney::FromDouble(1'000'000)}, {3, TMoney::FromDouble(99)}};
    return c;
}

TEST(MatchWays, CountsOfEachMatchAddUpToEveryDraw) {
    struct Case {
        int k, m;
        std::int64_t ways;
    };
    for (const Case& c : {Case{6, 6, 1}, Case{6, 3, 20 * 11'480}, Case{6, 0, 5'245'786}, Case{7, 6, 7},
                          Case{7, 3, 35 * 10'660}, Case{8, 6, 28}, Case{6, 7, 0}, Case{6, -1, 0}})
        EXPECT_EQ(MatchWays(c.k, c.m), c.ways) << c.k << " numbers, " << c.m << " matches";
    for (int k = 6; k <= 8; ++k) {
        std::int64_t all = 0;
        for (int m = 0; m <= 6; ++m) all += MatchWays(k, m);
        EXPECT_EQ(all, 12'271'512) << k << " numbers";
    }
}

TEST(ExpectedStakePrize, WeighsTheFirstPrizeOfEachMatchCount) {
    // Six numbers: (229,600 x 10 + 1 x 1,000,000) / 12,271,512; the second
    // entry for 3 matches (99) is never paid, as in checking.
    EXPECT_NEAR(ExpectedStakePrize(6, Prizes()), 3'296'000.0 / 12'271'512, 1e-12);
    // Seven numbers: (373,100 x 10 + 7 x 1,000,000) / 12,271,512.
    EXPECT_NEAR(ExpectedStakePrize(7, Prizes()), 10'731'000.0 / 12'271'512, 1e-12);
    EXPECT_EQ(ExpectedStakePrize(6, TConfigData{}), 0.0);
}

TEST(SummarizeStakes, CountsCostsPrizesAndTheExpectedPrizeOfWaitingStakes) {
    test::TempDir dir;
    const auto path = dir / "CorvelLotto_6x48.lsk";
    TStakeRec checked = StakeOf(10, {1, 2, 3, 4, 5, 6}, 8);  // 3 matches: -2 + 10
    checked.Checked = true;
    checked.Result = {1, 2, 3, 40, 41, 42};
    checked.Hits = {3, {1, 2, 3}};
    TStakeRec damaged = StakeOf(12, {1, 2, 3, 4, 5, 6}, -2);
    damaged.Stake.Count = 9;
    const std::vector<TStakeRec> recs = {checked,
                                         BlankStake(),
                                         StakeOf(11, {1, 2, 3, 4, 5, 6}, -2),
                                         StakeOf(11, {1, 2, 3, 4, 5, 6, 7}, -14),
                                         StakeOf(11, {1, 2, 3, 4, 5}, -2),
                                         damaged};
    std::string bytes(recs.size() * TStakeRec::kFileSize, '\0');
    for (std::size_t i = 0; i < recs.size(); ++i)
        EncodeStakeRec(recs[i], reinterpret_cast<std::uint8_t*>(bytes.data()) + i * TStakeRec::kFileSize);
    test::WriteBytes(path, bytes);
    TStakesFile file(path);
    file.Open();

    const TStakesSummary s = SummarizeStakes(file, Prizes());
    EXPECT_EQ(s.Records, 6);
    EXPECT_EQ(s.Stakes, 4);  // the five-number stake counts, but never waits for checking
    EXPECT_EQ(s.Checked, 1);
    EXPECT_EQ(s.Waiting, 2);
    EXPECT_EQ(s.Damaged, 1);
    EXPECT_EQ(s.CheckedCost, TMoney::FromDouble(2));
    EXPECT_EQ(s.Prizes, TMoney::FromDouble(10));
    EXPECT_EQ(s.Balance, TMoney::FromDouble(8));
    EXPECT_EQ(s.WaitingCost, TMoney::FromDouble(16));
    EXPECT_NEAR(s.ExpectedPrize, 14'027'000.0 / 12'271'512, 1e-9);
}

}  // namespace
}  // namespace corvel
