#include "stats/FilterApply.h"

#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include <memory>

namespace corvel {
namespace {
constexpr std::size_t kChunk = 256 * 1024;
}

std::size_t FilterCombinationList(const TCombsArray& source, TCombsArray& target, const TStatFactory& factory,
                                  const TStatDrawArray& values, bool exclude, bool sorted, int lastIndex) {
    const std::size_t n = source.Count();
    target.Clear();
    if (n == 0) return 0;
    const std::size_t chunks = (n + kChunk - 1) / kChunk;
    const std::uint8_t keepWhen = exclude ? 0 : 1;

    // Pass 1: the match byte of every combination and the kept count per chunk.
    auto mask = std::make_unique_for_overwrite<std::uint8_t[]>(n);
    std::vector<std::size_t> kept(chunks + 1, 0);
    tbb::enumerable_thread_specific<std::unique_ptr<TCustomStat>> stats([&] { return factory(); });
    const std::span<const TCombination> all = source.Items();
    tbb::parallel_for(std::size_t{0}, chunks, [&](std::size_t c) {
        const std::size_t begin = c * kChunk, size = std::min(kChunk, n - begin);
        std::unique_ptr<TCustomStat>& stat = stats.local();
        stat->SpanMatch(all.subspan(begin, size), values, exclude, sorted, lastIndex, mask.get() + begin);
        std::size_t count = 0;
        for (std::size_t i = begin; i < begin + size; ++i) count += mask[i] == keepWhen;
        kept[c + 1] = count;
    });
    for (std::size_t c = 1; c <= chunks; ++c) kept[c] += kept[c - 1];

    // Pass 2: each chunk copies its kept combinations to its own place.
    TCombination* out = target.Data();
    const TCombination* in = source.Data();
    tbb::parallel_for(std::size_t{0}, chunks, [&](std::size_t c) {
        const std::size_t begin = c * kChunk, end = std::min(begin + kChunk, n);
        std::size_t k = kept[c];
        const std::size_t limit = kept[c + 1];
        for (std::size_t i = begin; i < end; ++i) {
            // Written unconditionally (no branch to mispredict); the guard only
            // stops the write after the chunk's last kept combination.
            if (k < limit) out[k] = in[i];
            k += mask[i] == keepWhen;
        }
    });
    target.SetCount(kept[chunks]);
    return kept[chunks];
}

}  // namespace corvel
