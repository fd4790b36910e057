#include "stakes/StakeSummary.h"

#include <algorithm>
#include <array>
#include <vector>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "model/GameConstants.h"
#include "stakes/StakeCheck.h"

namespace corvel {
namespace {

std::int64_t Choose(int n, int k) {
    if (k < 0 || n < 0 || k > n) return 0;
    std::int64_t c = 1;
    for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
    return c;
}

// The prize checking pays for m matches: the first table entry for m.
TMoney PrizeFor(int matches, const TConfigData& config) {
    for (const TProfit& p : config.Profits)
        if (p.Overlap == matches) return p.Profit;
    return {};
}

}  // namespace

std::int64_t MatchWays(int numbers, int matches) {
    if (matches < 0 || matches > kNumbersPerDraw || matches > numbers) return 0;
    return Choose(numbers, matches) * Choose(kMaxNumber - numbers, kNumbersPerDraw - matches);
}

double ExpectedStakePrize(int numbers, const TConfigData& config) {
    // Sum of ways x prize in raw units is exact in 128 bits (a prize of a
    // billion is 10^13 units, times 12 million ways); one division at the end.
    __extension__ using TWide = __int128;
    TWide weighted = 0;
    for (int m = 0; m <= kNumbersPerDraw; ++m)
        weighted += static_cast<TWide>(MatchWays(numbers, m)) * PrizeFor(m, config).Raw();
    const double all = static_cast<double>(Choose(kMaxNumber, kNumbersPerDraw));
    return static_cast<double>(weighted) / all / static_cast<double>(TMoney::kScale);
}

TStakesSummary SummarizeStakes(const TStakesFile& file, const TConfigData& config) {
    TStakesSummary s;
    s.Records = file.Count();
    // Waiting stakes by their count of numbers, for one expected prize per count.
    std::array<std::int64_t, TStakeNumbers::kCapacity + 1> waitingBySize{};
    constexpr std::size_t kChunk = 4096;
    std::vector<TStakeRec> chunk(kChunk);
    for (std::int64_t at = 0; at < s.Records;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(s.Records - at, kChunk));
        file.ReadRange(at, std::span(chunk).first(n));
        for (std::size_t i = 0; i < n; ++i) {
            const TStakeRec& rec = chunk[i];
            if (!StakeDamage(rec).empty()) {
                ++s.Damaged;
                continue;
            }
            if (rec.IsSeparator()) continue;
            ++s.Stakes;
            if (rec.Checked) {
                ++s.Checked;
                const TMoney cost = TMoney() - StakeProfit(rec.Stake.Count, -1, config);
                s.CheckedCost += cost;
                s.Prizes += rec.Profit + cost;
                s.Balance += rec.Profit;
            } else if (rec.Stake.Count >= kNumbersPerDraw) {
                ++s.Waiting;
                s.WaitingCost += TMoney() - rec.Profit;
                ++waitingBySize[static_cast<std::size_t>(rec.Stake.Count)];
            }
        }
        at += static_cast<std::int64_t>(n);
    }
    for (int k = kNumbersPerDraw; k <= TStakeNumbers::kCapacity; ++k)
        if (waitingBySize[static_cast<std::size_t>(k)] > 0)
            s.ExpectedPrize +=
                static_cast<double>(waitingBySize[static_cast<std::size_t>(k)]) * ExpectedStakePrize(k, config);
    return s;
}

std::vector<std::pair<std::string, std::string>> StakesSummaryRows(const TStakesSummary& s) {
    auto count = [](std::int64_t n) { return std::to_string(n); };
    auto money = [](double amount) { return Format("%.2f", {amount}); };
    std::vector<std::pair<std::string, std::string>> rows = {
        {texts::kStakesSummaryRecords.Str(), count(s.Records)},
        {texts::kStakesSummaryStakes.Str(), count(s.Stakes)},
        {texts::kStakesSummaryChecked.Str(), count(s.Checked)},
        {texts::kStakesSummaryCheckedCost.Str(), money(s.CheckedCost.ToDouble())},
        {texts::kStakesSummaryPrizes.Str(), money(s.Prizes.ToDouble())},
        {texts::kStakesSummaryBalance.Str(), money(s.Balance.ToDouble())},
        {texts::kStakesSummaryWaiting.Str(), count(s.Waiting)},
        {texts::kStakesSummaryWaitingCost.Str(), money(s.WaitingCost.ToDouble())},
        {texts::kStakesSummaryExpectedPrize.Str(), money(s.ExpectedPrize)},
        {texts::kStakesSummaryExpectedBalance.Str(), money(s.ExpectedPrize - s.WaitingCost.ToDouble())},
    };
    if (s.Damaged > 0) rows.emplace_back(texts::kStakesSummaryDamaged.Str(), count(s.Damaged));
    return rows;
}

}  // namespace corvel
