#include "stakes/ChanceBaseline.h"

#include <algorithm>
#include <random>

#include "model/GameConstants.h"
#include "model/SeededRandom.h"
#include "stakes/StakeCheck.h"
#include "stakes/StakeSummary.h"

namespace corvel {

TMoney SixNumberPrize(int matches, const TConfigData& config) {
    if (matches < 0 || matches > kNumbersPerDraw) return {};
    return StakeProfit(kNumbersPerDraw, matches, config) - StakeProfit(kNumbersPerDraw, -1, config);
}

TChanceBaseline ChanceBaseline(std::int64_t stakes, TMoney prizes, const TConfigData& config, std::uint64_t seed,
                               std::uint64_t replays) {
    TChanceBaseline b;
    b.Seed = seed;
    b.Replays = replays;
    std::array<double, 7> p{};
    std::array<std::int64_t, 7> prize{};
    double all = 0;
    for (int m = 0; m <= kNumbersPerDraw; ++m) all += static_cast<double>(MatchWays(kNumbersPerDraw, m));
    for (std::size_t m = 0; m < p.size(); ++m) {
        p[m] = static_cast<double>(MatchWays(kNumbersPerDraw, static_cast<int>(m))) / all;
        prize[m] = SixNumberPrize(static_cast<int>(m), config).Raw();
        b.ExpectedByMatches[m] = static_cast<double>(std::max<std::int64_t>(stakes, 0)) * p[m];
        b.ExpectedPrizes += b.ExpectedByMatches[m] * static_cast<double>(prize[m]) / TMoney::kScale;
    }
    if (stakes <= 0) return b;

    // Prizes of a million stakes in 1/10,000 units stay exact in 128 bits.
    __extension__ using TWide = __int128;
    TSeededRandom random(seed);
    for (std::uint64_t r = 0; r < replays; ++r) {
        std::int64_t left = stakes;
        double leftProbability = 1;
        TWide won = 0;
        for (std::size_t m = p.size(); m-- > 0 && left > 0;) {
            std::int64_t n = left;
            if (m > 0) {
                const double q = std::min(1.0, p[m] / leftProbability);
                n = std::binomial_distribution<std::int64_t>(left, q)(random.Engine());
            }
            won += static_cast<TWide>(n) * prize[m];
            left -= n;
            leftProbability -= p[m];
        }
        b.AtLeastAsWell += won >= prizes.Raw() ? 1 : 0;
    }
    b.PValue = static_cast<double>(b.AtLeastAsWell + 1) / static_cast<double>(replays + 1);
    return b;
}

}  // namespace corvel
