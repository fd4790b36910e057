#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/DrawRecord.h"
#include "model/GraphSeries.h"

// The sums of the six numbers over all C(48, 6) combinations beside the sums
// of the archive's draws, with three bands of the most frequent sums.
namespace corvel {

inline constexpr int kSmallestSum = 1 + 2 + 3 + 4 + 5 + 6;       // 21
inline constexpr int kLargestSum = 43 + 44 + 45 + 46 + 47 + 48;  // 273

struct TSumCount {
    int Sum = 0;
    std::int64_t Count = 0;
};

// A band: the sums whose combination count reaches the threshold, from Lower
// to Upper (0 when not found).
struct TSumBand {
    std::int64_t Threshold = 0;
    int Lower = 0;
    int Upper = 0;
};

struct TSumDistribution {
    std::vector<TSumCount> Combinations;  // every sum 21..273 ascending
    std::vector<TSumCount> Draws;         // the sums the archive holds, ascending
    std::int64_t CombinationsMax = 0, CombinationsMin = 0, DrawsMax = 0;
    std::array<TSumBand, 3> Bands{};  // from 1/3, 1/2 and 2/3 of the count range
};

// How many combinations of six different numbers 1..48 have each sum,
// counted by subset sums (exact, no enumeration).
std::vector<TSumCount> CombinationSumCounts();

// The distribution over the whole archive.
TSumDistribution ComputeSumDistribution(const TDrawsArray& draws);

// The graph window's series: the draws per sum, the combinations per sum
// scaled to the draws' peak, and the three bands as flat lines.
TGraph SumDistributionGraph(const TSumDistribution& d);

}  // namespace corvel
