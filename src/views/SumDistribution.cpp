#include "views/SumDistribution.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "i18n/Texts.h"
#include "model/Format.h"

namespace corvel {

std::vector<TSumCount> CombinationSumCounts() {
    // ways[k][s]: sets of k different numbers among those seen so far with sum s.
    std::vector<std::array<std::int64_t, kLargestSum + 1>> ways(kNumbersPerDraw + 1);
    for (auto& row : ways) row.fill(0);
    ways[0][0] = 1;
    for (int n = 1; n <= kMaxNumber; ++n)
        for (int k = kNumbersPerDraw; k >= 1; --k)
            for (int s = kLargestSum; s >= n; --s) ways[k][s] += ways[k - 1][s - n];
    std::vector<TSumCount> counts;
    for (int s = kSmallestSum; s <= kLargestSum; ++s) counts.push_back({s, ways[kNumbersPerDraw][s]});
    return counts;
}

TSumDistribution ComputeSumDistribution(const TDrawsArray& draws) {
    TSumDistribution d;
    d.Combinations = CombinationSumCounts();
    std::map<int, std::int64_t> bySum;
    for (const TDrawRec& draw : draws) {
        int sum = 0;
        for (const std::uint8_t n : draw.Numbers) sum += n;
        ++bySum[sum];
    }
    for (const auto& [sum, count] : bySum) d.Draws.push_back({sum, count});
    auto byCount = [](const TSumCount& a, const TSumCount& b) { return a.Count < b.Count; };
    d.CombinationsMax = std::max_element(d.Combinations.begin(), d.Combinations.end(), byCount)->Count;
    d.CombinationsMin = std::min_element(d.Combinations.begin(), d.Combinations.end(), byCount)->Count;
    if (!d.Draws.empty()) d.DrawsMax = std::max_element(d.Draws.begin(), d.Draws.end(), byCount)->Count;

    const double range = static_cast<double>(d.CombinationsMax - d.CombinationsMin + 1);
    const double fractions[3] = {1.0 / 3.0, 1.0 / 2.0, 2.0 / 3.0};
    const std::size_t middle = d.Combinations.size() / 2;
    for (std::size_t b = 0; b < 3; ++b) {
        TSumBand& band = d.Bands[b];
        // Rounded half to even, as the thresholds have always been.
        band.Threshold =
            static_cast<std::int64_t>(std::nearbyint(static_cast<double>(d.CombinationsMin) + range * fractions[b]));
        for (std::size_t i = 0; i <= middle; ++i)
            if (d.Combinations[i].Count >= band.Threshold) {
                band.Lower = d.Combinations[i].Sum;
                break;
            }
        for (std::size_t i = d.Combinations.size(); i-- > middle;)
            if (d.Combinations[i].Count >= band.Threshold) {
                band.Upper = d.Combinations[i].Sum;
                break;
            }
    }
    return d;
}

TGraph SumDistributionGraph(const TSumDistribution& d) {
    TGraph graph;
    graph.Caption = texts::kSumDistributionCaption.Str();
    TGraphSeries drawn{texts::kSumDistributionDraws.Str(), 0xFF0000, true, true, {}};
    for (const TSumCount& c : d.Draws)
        drawn.Points.push_back({static_cast<double>(c.Sum), static_cast<double>(c.Count)});
    const double scale =
        d.CombinationsMax > 0 ? static_cast<double>(d.DrawsMax) / static_cast<double>(d.CombinationsMax) : 0.0;
    TGraphSeries all{texts::kSumDistributionCombinations.Str(), 0x800000, false, false, {}};
    for (const TSumCount& c : d.Combinations)
        all.Points.push_back({static_cast<double>(c.Sum), static_cast<double>(c.Count) * scale});
    graph.Series.push_back(std::move(drawn));
    graph.Series.push_back(std::move(all));
    const char* fractions[3] = {"1/3", "1/2", "2/3"};
    const std::uint32_t colours[3] = {0x008000, 0x0000FF, 0xFF00FF};
    for (std::size_t b = 0; b < 3; ++b) {
        const TSumBand& band = d.Bands[b];
        TGraphSeries line{
            Format(texts::kSumDistributionBand, {static_cast<int>(b + 1), fractions[b], band.Lower, band.Upper}),
            colours[b],
            false,
            false,
            {}};
        for (const TSumCount& c : d.Combinations)
            line.Points.push_back({static_cast<double>(c.Sum), static_cast<double>(band.Threshold) * scale});
        graph.Series.push_back(std::move(line));
    }
    return graph;
}

}  // namespace corvel
