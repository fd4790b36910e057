#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <span>

#include "model/GameConstants.h"
#include "stats/StatValue.h"

// Building blocks of the families' span operations: lookup tables indexed by
// any byte 0..255 (combinations read from files may hold any byte), selection
// tables built from the chosen values, and histogram loops that never allocate
// and never make a call per combination.
namespace corvel::kernels {

using ByteTable = std::array<std::uint8_t, 256>;
using ByteCounts = std::array<std::uint64_t, 256>;

// sel[v] = 1 when some entry has Key[0] = v (values of 256 and more cannot be
// the value of a byte-sized property and are left out).
ByteTable SelectKey0(const TStatDrawArray& values);

// Counts of every byte at each of the six positions over the span.
using PositionCounts = std::array<ByteCounts, kNumbersPerDraw>;
void CountBytesByPosition(std::span<const TCombination> combs, PositionCounts& counts);

// Adds `count` occurrences of a value with Key[0] = key, as CombValues would
// merge them one by one.
void AddCount(TStatDrawArray& values, std::uint16_t key, std::uint64_t count);

// Histogram of a single byte-sized value per combination. valueOf must return
// 0..255 and is inlined into the loop.
template <class ValueOf>
void HistogramOfValue(std::span<const TCombination> combs, TStatDrawArray& values, ValueOf valueOf) {
    // Four interleaved counters break the dependency between neighbouring
    // combinations, which mostly share their value.
    std::array<std::array<std::uint32_t, 256>, 4> counts{};
    std::size_t i = 0;
    const std::size_t n = combs.size();
    // 32-bit counters cannot overflow within one block.
    constexpr std::size_t kBlock = std::size_t{1} << 30;
    std::array<std::uint64_t, 256> total{};
    while (i < n) {
        const std::size_t end = std::min(n, i + kBlock);
        for (; i + 4 <= end; i += 4) {
            ++counts[0][valueOf(combs[i])];
            ++counts[1][valueOf(combs[i + 1])];
            ++counts[2][valueOf(combs[i + 2])];
            ++counts[3][valueOf(combs[i + 3])];
        }
        for (; i < end; ++i) ++counts[0][valueOf(combs[i])];
        for (std::size_t v = 0; v < 256; ++v) {
            total[v] += std::uint64_t{counts[0][v]} + counts[1][v] + counts[2][v] + counts[3][v];
            counts[0][v] = counts[1][v] = counts[2][v] = counts[3][v] = 0;
        }
    }
    for (std::size_t v = 0; v < 256; ++v)
        if (total[v]) AddCount(values, static_cast<std::uint16_t>(v), total[v]);
}

// Six-bit patterns of a byte property over the positions of a combination:
// bit p is set when the number at position p has the property. Counts and
// masks of a property are functions of the pattern, so their span operations
// reduce to the pattern and a 64-entry table.
using PatternTable = std::array<std::uint8_t, 64>;
using PatternCounts = std::array<std::uint64_t, 64>;

inline int PatternOf(const ByteTable& property, const TCombination& c) {
    return property[c[0]] | property[c[1]] << 1 | property[c[2]] << 2 | property[c[3]] << 3 |
           property[c[4]] << 4 | property[c[5]] << 5;
}

// out[i] = sel[pattern of comb i]; `property` holds 0 or 1 per byte.
void MatchPattern(std::span<const TCombination> combs, const ByteTable& property, const PatternTable& sel,
                  std::uint8_t* out);
// counts[pattern] += how many combinations have the pattern.
void CountPatterns(std::span<const TCombination> combs, const ByteTable& property, PatternCounts& counts);

// out[i] = sel[valueOf(comb i)].
template <class ValueOf>
void MatchValue(std::span<const TCombination> combs, const ByteTable& sel, std::uint8_t* out, ValueOf valueOf) {
    for (std::size_t i = 0; i < combs.size(); ++i) out[i] = sel[valueOf(combs[i])];
}

}  // namespace corvel::kernels
