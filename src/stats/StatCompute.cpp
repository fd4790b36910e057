#include "stats/StatCompute.h"

#include <tbb/blocked_range.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include <algorithm>

namespace corvel {
namespace {
// About 1.5 MB of combinations per task: large enough that per-task set-up
// (selection tables, counters) vanishes, small enough to balance two cores.
constexpr std::size_t kGrain = 256 * 1024;
}  // namespace

TStatWindow MakeStatWindow(std::size_t drawCount, int offset, int length) {
    TStatWindow w;
    w.Last = static_cast<int>(drawCount) - 1 - offset;
    if (w.Last >= static_cast<int>(drawCount)) w.Last = static_cast<int>(drawCount) - 1;
    // A length of 0 or less takes no draws: First lies past Last.
    const std::int64_t first = std::int64_t{w.Last} - std::int64_t{length} + 1;
    w.First = length <= 0 ? w.Last + 1 : static_cast<int>(std::max<std::int64_t>(0, first));
    return w;
}

TStatDrawArray ComputeWindowValues(TCustomStat& stat, const TStatWindow& window, bool sorted) {
    TStatDrawArray values;
    if (window.Last < window.First || window.Last < 0) return values;
    stat.SetContext(window.Last, sorted);
    stat.EnumValues(values);
    stat.BeginPass();
    for (int i = window.First; i <= window.Last; ++i) stat.DrawValues(i, values);
    return values;
}

void ParallelSpanMatch(const TStatFactory& factory, std::span<const TCombination> combs, const TStatDrawArray& values,
                       bool exclude, std::uint8_t* out) {
    tbb::enumerable_thread_specific<std::unique_ptr<TCustomStat>> stats([&] { return factory(); });
    tbb::parallel_for(
        tbb::blocked_range<std::size_t>(0, combs.size(), kGrain), [&](const tbb::blocked_range<std::size_t>& r) {
            stats.local()->SpanMatch(combs.subspan(r.begin(), r.size()), values, exclude, out + r.begin());
        });
}

TStatDrawArray ParallelSpanHistogram(const TStatFactory& factory, std::span<const TCombination> combs) {
    struct Local {
        std::unique_ptr<TCustomStat> Stat;
        TStatDrawArray Values;
    };
    tbb::enumerable_thread_specific<Local> locals([&] { return Local{factory(), {}}; });
    tbb::parallel_for(tbb::blocked_range<std::size_t>(0, combs.size(), kGrain),
                      [&](const tbb::blocked_range<std::size_t>& r) {
                          Local& local = locals.local();
                          local.Stat->SpanHistogram(combs.subspan(r.begin(), r.size()), local.Values);
                      });
    TStatDrawArray merged;
    for (const Local& local : locals)
        for (const auto& v : local.Values) AddStatValue(merged, v, false);
    SortStatValues(merged);
    return merged;
}

}  // namespace corvel
