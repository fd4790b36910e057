#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "stats/CustomStat.h"
#include "stats/families/GroupKernels.h"

// The members of the group families that look at several positions or at
// the shape of the occupied groups: tuples of groups, the pattern of occupied
// groups and the adjacent numbers inside a group (matrix columns and rows).
namespace corvel::groups {

// ---- tuples of the groups of several positions (KCM, KCS, KFM, ...)

// Every choice of K of the six positions, each ascending, in lexicographic
// order; or the K neighbouring positions from each position.
template <std::size_t K, bool Neighbours>
constexpr auto kChoices = [] {
    constexpr std::size_t count = Neighbours ? kNumbersPerDraw - K + 1 : K == 2 ? 15 : K == 3 ? 20 : 15;
    std::array<std::array<std::uint8_t, K>, count> choices{};
    std::size_t n = 0;
    if constexpr (Neighbours) {
        for (std::size_t first = 0; first < count; ++first)
            for (std::size_t k = 0; k < K; ++k) choices[first][k] = static_cast<std::uint8_t>(first + k);
    } else {
        for (unsigned mask = 0; mask < 64; ++mask) {
            if (std::popcount(mask) != static_cast<int>(K)) continue;
            std::size_t k = 0;
            for (unsigned p = 0; p < kNumbersPerDraw; ++p)
                if (mask >> p & 1) choices[n][k++] = static_cast<std::uint8_t>(p);
            ++n;
        }
        // Lexicographic order of the position lists.
        for (std::size_t a = 0; a < count; ++a)
            for (std::size_t b = a + 1; b < count; ++b)
                if (choices[b] < choices[a]) std::swap(choices[a], choices[b]);
    }
    return choices;
}();

// The groups of K positions as a key in position order (not sorted); words
// past K are 0. These are values of draws only: a bare combination adds none,
// but a filter tests it as the draw it would be.
template <std::size_t K, bool Neighbours>
struct GroupTuples {
    static constexpr bool kWholeKeys = true;
    static constexpr bool kDrawsOnly = true;

    template <class Sink>
    static void Values(const TNumberGroups& g, int, const TCombination& c, Sink&& sink) {
        for (const auto& at : kChoices<K, Neighbours>) {
            TStatKey key{};
            for (std::size_t k = 0; k < K; ++k) key[k] = g.Of[c[at[k]]];
            sink(key);
        }
    }
    static void Seed(const TNumberGroups&, int, const TValueSink&) {}
    static void Match(const TNumberGroups& g, int, std::span<const TCombination> combs, const TStatDrawArray& values,
                      std::uint8_t* out) {
        // A tuple of groups is an index into a table of bits, four bits a
        // group below 16 groups (a table of 8 KB for four of them), else six.
        const unsigned shift = g.Last < 16 ? 4 : 6;
        if (K <= 3 || shift == 4) {
            const unsigned limit = 1u << shift;
            std::vector<std::uint64_t> selected(std::max<std::size_t>(1, (std::size_t{1} << (shift * K)) / 64));
            for (const auto& v : values) {
                bool fits = true;
                std::size_t index = 0;
                for (std::size_t k = 0; k < 4; ++k) {
                    if (k < K) {
                        fits = fits && v.Key[k] < limit;
                        index = index << shift | (v.Key[k] & (limit - 1));
                    } else {
                        fits = fits && v.Key[k] == 0;
                    }
                }
                if (fits) selected[index / 64] |= std::uint64_t{1} << (index % 64);
            }
            for (std::size_t i = 0; i < combs.size(); ++i) {
                std::uint8_t at[kNumbersPerDraw];
                for (std::size_t p = 0; p < kNumbersPerDraw; ++p) at[p] = g.Of[combs[i][p]] & (limit - 1);
                std::uint64_t hit = 0;
                for (const auto& choice : kChoices<K, Neighbours>) {
                    std::size_t index = 0;
                    for (std::size_t k = 0; k < K; ++k) index = index << shift | at[choice[k]];
                    hit |= selected[index / 64] >> (index % 64);
                }
                out[i] = static_cast<std::uint8_t>(hit & 1);
            }
        } else {
            const kernels::KeySet sel(values);
            for (std::size_t i = 0; i < combs.size(); ++i) {
                bool hit = false;
                Values(g, 0, combs[i], [&](const TStatKey& key) { hit = hit || sel.Has(key); });
                out[i] = hit;
            }
        }
    }
    static void Histogram(const TNumberGroups&, int, std::span<const TCombination>, TStatDrawArray&) {}
};

// ---- the pattern of occupied groups (COLM, ROWM)

// Bit Last - g stands for group g (group 1 is the most significant bit). The
// pattern is kept over the key words from word 0 up: up to 32 bits in words 0
// and 1, wider patterns (more than 32 columns or rows) in word 2 as well.
struct OccupiedPattern {
    static constexpr bool kWholeKeys = true;
    static constexpr bool kDrawsOnly = false;

    static TStatKey KeyOf(std::uint64_t pattern) {
        return {static_cast<std::uint16_t>(pattern), static_cast<std::uint16_t>(pattern >> 16),
                static_cast<std::uint16_t>(pattern >> 32), static_cast<std::uint16_t>(pattern >> 48)};
    }
    static std::uint64_t PatternOf(const TStatKey& key) { return PackKey(key); }
    using BitTable = std::array<std::uint64_t, 256>;
    static BitTable Bits(const TNumberGroups& g) {
        BitTable t{};
        for (std::size_t b = 0; b < 256; ++b)
            if (g.Of[b] && g.Of[b] <= g.Last) t[b] = std::uint64_t{1} << (g.Last - g.Of[b]);
        return t;
    }
    static std::uint64_t Of(const BitTable& t, const TCombination& c) {
        return t[c[0]] | t[c[1]] | t[c[2]] | t[c[3]] | t[c[4]] | t[c[5]];
    }
    template <class Sink>
    static void Values(const TNumberGroups& g, int, const TCombination& c, Sink&& sink) {
        std::uint64_t pattern = 0;
        for (auto n : c)
            if (g.Of[n] && g.Of[n] <= g.Last) pattern |= std::uint64_t{1} << (g.Last - g.Of[n]);
        sink(KeyOf(pattern));
    }
    static void Seed(const TNumberGroups&, int, const TValueSink&) {}
    static void Match(const TNumberGroups& g, int, std::span<const TCombination> combs, const TStatDrawArray& values,
                      std::uint8_t* out) {
        const BitTable t = Bits(g);
        if (g.Last <= 20) {
            // Up to 2^20 patterns: one bit each.
            std::vector<std::uint64_t> selected(((std::size_t{1} << g.Last) + 63) / 64);
            for (const auto& v : values) {
                const std::uint64_t pattern = PatternOf(v.Key);
                if (pattern >> g.Last == 0) selected[pattern / 64] |= std::uint64_t{1} << (pattern % 64);
            }
            auto test = [&](std::size_t i, std::uint64_t pattern) {
                out[i] = static_cast<std::uint8_t>(selected[pattern / 64] >> (pattern % 64) & 1);
            };
            if (LongRuns(combs)) {
                ForEachOrOfBits(t, combs, test);
                return;
            }
            for (std::size_t i = 0; i < combs.size(); ++i) test(i, Of(t, combs[i]));
            return;
        }
        const kernels::KeySet sel(values);
        for (std::size_t i = 0; i < combs.size(); ++i) out[i] = sel.Has(KeyOf(Of(t, combs[i])));
    }
    static void Histogram(const TNumberGroups& g, int, std::span<const TCombination> combs, TStatDrawArray& values) {
        const BitTable t = Bits(g);
        // Neighbouring combinations mostly share their pattern: the value
        // kernels count with interleaved counters.
        auto patternOf = [&t](const TCombination& c) { return static_cast<int>(Of(t, c)); };
        if (g.Last <= 12 && LongRuns(combs)) {
            const std::size_t patterns = std::size_t{1} << g.Last;
            std::vector<std::uint64_t> counts(2 * patterns);
            // A complete run after d adds the patterns of its pairs, worked
            // out once per d from the numbers after d in each group, to the
            // pattern of its first four numbers.
            const CompleteRunCounts complete(g);
            std::array<std::vector<std::pair<std::uint64_t, std::uint64_t>>, kMaxNumber + 1> pairPatterns;
            const auto bit = [&g](std::size_t x) { return x ? std::uint64_t{1} << (g.Last - x) : 0; };
            const auto side = static_cast<std::size_t>(g.Last) + 1;
            ForEachRun(
                combs,
                [&](const TCombination& c, std::size_t d) {
                    auto& list = pairPatterns[d];
                    if (list.empty())
                        for (std::size_t x = 0; x < side; ++x) {
                            const std::uint64_t m = complete.After(d, x);
                            if (m > 1) list.emplace_back(bit(x), m * (m - 1) / 2);
                            for (std::size_t y = x + 1; y < side; ++y)
                                if (const std::uint64_t n = m * complete.After(d, y))
                                    list.emplace_back(bit(x) | bit(y), n);
                        }
                    const std::uint64_t first = t[c[0]] | t[c[1]] | t[c[2]] | t[c[3]];
                    for (const auto& [pattern, n] : list) counts[first | pattern] += n;
                },
                [&](std::span<const TCombination> run) {
                    ForEachOrOfBits(
                        t, run, [&](std::size_t i, std::uint64_t pattern) { ++counts[(i & 1) * patterns + pattern]; });
                });
            for (std::size_t pattern = 0; pattern < patterns; ++pattern)
                if (const std::uint64_t n = counts[pattern] + counts[patterns + pattern])
                    kernels::AddCount(values, KeyOf(pattern), n);
            return;
        }
        if (g.Last <= 8) return kernels::HistogramOfValue<256>(combs, values, patternOf);
        if (g.Last <= 12) return kernels::HistogramOfValue<4096>(combs, values, patternOf);
        if (g.Last <= 16) {
            std::vector<std::uint64_t> counts(std::size_t{1} << g.Last);
            for (const TCombination& c : combs) ++counts[Of(t, c)];
            for (std::size_t pattern = 0; pattern < counts.size(); ++pattern)
                if (counts[pattern]) kernels::AddCount(values, KeyOf(pattern), counts[pattern]);
            return;
        }
        // At most one pattern per combination, and never more than the ways
        // to occupy up to six of the groups.
        std::size_t distinct = 0;
        for (int k = 0; k <= kNumbersPerDraw; ++k) {
            std::size_t ways = 1;
            for (int i = 1; i <= k; ++i)
                ways = ways * static_cast<std::size_t>(g.Last - k + i) / static_cast<std::size_t>(i);
            distinct += ways;
        }
        kernels::KeyCounts counts(std::min(distinct, combs.size()));
        for (const TCombination& c : combs) counts.Add(KeyOf(Of(t, c)));
        counts.AddTo(values);
    }
};

// ---- adjacent numbers inside a group (COLA, ROWA, COLC, ROWC)

// Calls fn(group, pairs) once for every group that holds adjacent pairs, in
// the order of its first pair (pairs of positions i < j in order).
template <class Fn>
void ForEachAdjacentGroup(const TNumberGroups& g, const TCombination& c, Fn&& fn) {
    std::uint8_t order[15];
    std::uint8_t pairs[15];
    std::size_t groups = 0;
    for (std::size_t i = 0; i < kNumbersPerDraw; ++i)
        for (std::size_t j = i + 1; j < kNumbersPerDraw; ++j) {
            if (!g.Adjacent(c[i], c[j])) continue;
            const std::uint8_t group = g.Of[c[i]];
            std::size_t k = 0;
            while (k < groups && order[k] != group) ++k;
            if (k == groups) {
                order[groups] = group;
                pairs[groups++] = 0;
            }
            ++pairs[k];
        }
    for (std::size_t k = 0; k < groups; ++k) fn(order[k], pairs[k]);
}

// The same for six different numbers 1..48, from their set: the pairs are
// the numbers n with n + Step also present and in the same group, at most
// five; each group is met once, in no particular order.
struct AdjacentSets {
    std::uint64_t Starts = 0;                 // bit n: n and n + Step are adjacent
    std::array<std::uint64_t, 64> InGroup{};  // bits of the numbers of each group

    explicit AdjacentSets(const TNumberGroups& g) {
        for (int n = kMinNumber; n <= kMaxNumber; ++n) {
            if (g.Of[n]) InGroup[g.Of[n] & 63] |= std::uint64_t{1} << n;
            if (g.Step > 0 && n + g.Step <= kMaxNumber &&
                g.Adjacent(static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n + g.Step)))
                Starts |= std::uint64_t{1} << n;
        }
    }
    template <class Fn>
    void ForEach(const TNumberGroups& g, std::uint64_t set, Fn&& fn) const {
        std::uint64_t pairs = set & (set >> g.Step) & Starts;
        while (pairs) {
            const std::uint64_t group = InGroup[g.Of[std::countr_zero(pairs)] & 63];
            fn(g.Of[std::countr_zero(pairs)], static_cast<unsigned>(std::popcount(pairs & group)));
            pairs &= ~group;
        }
    }
};

// (group, pairs + 1) for every group holding adjacent pairs.
struct AdjacentInGroup {
    static constexpr bool kWholeKeys = true;
    static constexpr bool kDrawsOnly = false;

    template <class Sink>
    static void Values(const TNumberGroups& g, int, const TCombination& c, Sink&& sink) {
        ForEachAdjacentGroup(g, c, [&](std::uint8_t group, unsigned pairs) {
            sink(TStatKey{group, static_cast<std::uint16_t>(pairs + 1), 0, 0});
        });
    }
    static void Seed(const TNumberGroups&, int, const TValueSink&) {}
    template <class Fn>
    static void ForEach(const TNumberGroups& g, const AdjacentSets& sets, const TCombination& c, Fn&& fn) {
        std::uint64_t set;
        if (SixNumbers(c, set)) [[likely]]
            sets.ForEach(g, set, fn);
        else
            ForEachAdjacentGroup(g, c, fn);
    }
    static void Match(const TNumberGroups& g, int, std::span<const TCombination> combs, const TStatDrawArray& values,
                      std::uint8_t* out) {
        const GroupKeySet sel(values);
        const AdjacentSets sets(g);
        for (std::size_t i = 0; i < combs.size(); ++i) {
            bool hit = false;
            ForEach(g, sets, combs[i], [&](unsigned group, unsigned pairs) { hit = hit || sel.Has(group, pairs + 1); });
            out[i] = hit;
        }
    }
    static void Histogram(const TNumberGroups& g, int, std::span<const TCombination> combs, TStatDrawArray& values) {
        GroupKeyCounts counts;
        TStatDrawArray many;  // more pairs than a table row holds: only repeated bytes give them
        const AdjacentSets sets(g);
        auto add = [&](unsigned group, unsigned pairs) {
            if (pairs + 1 < 16)
                counts.Add(group, pairs + 1);
            else
                kernels::AddCount(
                    many, TStatKey{static_cast<std::uint16_t>(group), static_cast<std::uint16_t>(pairs + 1), 0, 0}, 1);
        };
        if (LongRuns(combs)) {
            ForEachOrOfBits(kNumberBits, combs, [&](std::size_t i, std::uint64_t set) {
                if (SixNumbers(set)) [[likely]]
                    sets.ForEach(g, set, add);
                else
                    ForEachAdjacentGroup(g, combs[i], add);
            });
        } else {
            for (const TCombination& c : combs) ForEach(g, sets, c, add);
        }
        counts.AddTo(values, g.Last);
        for (const auto& v : many) AddStatValue(values, v, false);
    }
};

// The number of groups holding adjacent pairs.
struct AdjacentGroups {
    static constexpr bool kWholeKeys = false;
    static constexpr bool kDrawsOnly = false;

    static int Of(const TNumberGroups& g, const AdjacentSets& sets, const TCombination& c) {
        int groups = 0;
        AdjacentInGroup::ForEach(g, sets, c, [&](unsigned, unsigned) { ++groups; });
        return groups;
    }
    template <class Sink>
    static void Values(const TNumberGroups& g, int, const TCombination& c, Sink&& sink) {
        int groups = 0;
        ForEachAdjacentGroup(g, c, [&](std::uint8_t, unsigned) { ++groups; });
        sink(groups);
    }
    static void Seed(const TNumberGroups&, int, const TValueSink&) {}
    static void Match(const TNumberGroups& g, int, std::span<const TCombination> combs, const TStatDrawArray& values,
                      std::uint8_t* out) {
        const AdjacentSets sets(g);
        kernels::MatchValue(combs, kernels::SelectKey0(values), out,
                            [&](const TCombination& c) { return Of(g, sets, c); });
    }
    static void Histogram(const TNumberGroups& g, int, std::span<const TCombination> combs, TStatDrawArray& values) {
        const AdjacentSets sets(g);
        if (LongRuns(combs)) {
            std::array<std::array<std::uint64_t, 16>, 2> counts{};
            ForEachOrOfBits(kNumberBits, combs, [&](std::size_t i, std::uint64_t set) {
                unsigned groups = 0;
                auto count = [&](unsigned, unsigned) { ++groups; };
                if (SixNumbers(set)) [[likely]]
                    sets.ForEach(g, set, count);
                else
                    ForEachAdjacentGroup(g, combs[i], count);
                ++counts[i & 1][groups & 15];
            });
            for (std::size_t k = 0; k < 16; ++k)
                if (const std::uint64_t n = counts[0][k] + counts[1][k])
                    kernels::AddCount(values, static_cast<std::uint16_t>(k), n);
            return;
        }
        kernels::HistogramOfValue<16>(combs, values, [&](const TCombination& c) { return Of(g, sets, c); });
    }
};

}  // namespace corvel::groups
