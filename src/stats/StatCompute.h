#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <span>

#include "stats/CustomStat.h"

namespace corvel {

// The draws a statistic looks at: the last `length` draws ending `offset`
// draws before the newest; none for a length of 0 or less.
struct TStatWindow {
    int First = 0;
    int Last = -1;  // array index of the last draw taken into account
    int Length() const { return Last >= First ? Last - First + 1 : 0; }
};

TStatWindow MakeStatWindow(std::size_t drawCount, int offset, int length);

// The accumulated values of the method over the window, in the order the
// method produced them: seeded values first, then values as they occurred.
// Leaves the instance's context at the window's last draw and the order.
TStatDrawArray ComputeWindowValues(TCustomStat& stat, const TStatWindow& window, bool sorted);

// Creates a fresh instance of one method; parallel work makes one per task.
using TStatFactory = std::function<std::unique_ptr<TCustomStat>()>;

// The span operations over a whole list, split across the machine's cores,
// with instances from the factory (their context set). Results are the same
// as one call over the whole list.
void ParallelSpanMatch(const TStatFactory& factory, std::span<const TCombination> combs, const TStatDrawArray& values,
                       bool exclude, std::uint8_t* out);
// The histogram sorted by key.
TStatDrawArray ParallelSpanHistogram(const TStatFactory& factory, std::span<const TCombination> combs);

}  // namespace corvel
