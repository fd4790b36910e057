#include "stats/FilterApply.h"

#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include <cstring>

#if defined(__SSSE3__)
#include <tmmintrin.h>
#endif
#include <memory>

namespace corvel {
namespace {
constexpr std::size_t kChunk = 256 * 1024;

// Compacts two combinations per step: their 12 bytes (and 4 bytes of the
// next one) are loaded as one vector, the kept ones shuffled to the front and
// stored as 16 bytes at the next free slot. The store reaches into the two
// slots after it, so it runs only while those still belong to the chunk's
// region; they are written properly by the kept combinations that follow.
// Stops before `last`, the chunk's last kept combination.
void CompactPairs(const TCombination* in, TCombination* out, const std::uint8_t* mask, std::uint8_t keepWhen,
                  std::size_t& i, std::size_t last, std::size_t& k, std::size_t limit) {
#if defined(__SSSE3__)
    static constexpr std::int8_t kShuffles[4][16] = {
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},    // neither kept: any bytes
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},    // the first
        {6, 7, 8, 9, 10, 11, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},  // the second, moved to the front
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},    // both
    };
    __m128i shuffles[4];
    for (int s = 0; s < 4; ++s) shuffles[s] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kShuffles[s]));
    // i + 2 < last: the 16-byte load stays within the list (in[i + 2] exists).
    for (; i + 2 < last && k + 3 <= limit; i += 2) {
        const unsigned a = mask[i] == keepWhen, b = mask[i + 1] == keepWhen;
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_shuffle_epi8(v, shuffles[a | b << 1]));
        k += a + b;
    }
#else
    (void)in, (void)out, (void)mask, (void)keepWhen, (void)i, (void)last, (void)k, (void)limit;
#endif
}

}  // namespace

std::size_t FilterCombinationList(const TCombsArray& source, TCombsArray& target, const TStatFactory& factory,
                                  const TStatDrawArray& values, bool exclude, std::vector<std::uint8_t>* scratch) {
    const std::size_t n = source.Count();
    target.Clear();
    if (n == 0) return 0;
    const std::size_t chunks = (n + kChunk - 1) / kChunk;
    const std::uint8_t keepWhen = exclude ? 0 : 1;

    // Pass 1: the match byte of every combination and the kept count per chunk.
    std::vector<std::uint8_t> ownMask;
    std::vector<std::uint8_t>& maskBuffer = scratch ? *scratch : ownMask;
    if (maskBuffer.size() < n) maskBuffer.resize(n);
    std::uint8_t* mask = maskBuffer.data();
    std::vector<std::size_t> kept(chunks + 1, 0);
    tbb::enumerable_thread_specific<std::unique_ptr<TCustomStat>> stats([&] { return factory(); });
    const std::span<const TCombination> all = source.Items();
    tbb::parallel_for(std::size_t{0}, chunks, [&](std::size_t c) {
        const std::size_t begin = c * kChunk, size = std::min(kChunk, n - begin);
        std::unique_ptr<TCustomStat>& stat = stats.local();
        stat->SpanMatch(all.subspan(begin, size), values, exclude, mask + begin);
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
        if (k == limit) return;
        std::size_t last = end - 1;  // the chunk's last kept combination
        while (mask[last] != keepWhen) --last;
        std::size_t i = begin;
        CompactPairs(in, out, mask, keepWhen, i, last, k, limit);
        for (; i < last; ++i) {
            // Stored unconditionally (no branch to mispredict) at the next
            // free slot, which stays inside the chunk's region; a removed
            // combination is overwritten by the next kept one.
            out[k] = in[i];
            k += mask[i] == keepWhen;
        }
        out[k] = in[last];
    });
    target.SetCount(kept[chunks]);
    return kept[chunks];
}

}  // namespace corvel
