#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "stats/CustomStat.h"
#include "stats/families/GroupKernels.h"

// The counting members of the group families: the group of each number, the
// count in one group, the number of occupied groups and the counts of every
// group. Each member gives its values for one item (Values, Seed) and its
// span kernels (Match, Histogram) over a group map.
namespace corvel::groups {

// ---- the group of each number (CHAN, COLS, ROWS, SGMS)

struct EachGroup {
    static constexpr bool kWholeKeys = false;
    static constexpr bool kDrawsOnly = false;

    template <class Sink>
    static void Values(const TNumberGroups& g, int, const TCombination& c, Sink&& sink) {
        for (auto n : c)
            if (g.Of[n]) sink(g.Of[n]);
    }
    static void Seed(const TNumberGroups& g, int, const TValueSink& sink) {
        for (auto group : g.Listed) sink(group);
    }
    static void Match(const TNumberGroups& g, int, std::span<const TCombination> combs, const TStatDrawArray& values,
                      std::uint8_t* out) {
        const kernels::ByteTable sel = kernels::SelectKey0(values);
        kernels::ByteTable property{};
        for (std::size_t b = 0; b < 256; ++b) property[b] = g.Of[b] && sel[g.Of[b]];
        kernels::MatchPattern(combs, property, kernels::AnyPattern(), out);
    }
    static void Histogram(const TNumberGroups& g, int, std::span<const TCombination> combs, TStatDrawArray& values) {
        kernels::PositionCounts counts{};
        kernels::CountBytesByPosition(combs, counts);
        std::array<std::uint64_t, 256> byGroup{};
        for (std::size_t b = 0; b < 256; ++b)
            for (const auto& position : counts) byGroup[g.Of[b]] += position[b];
        for (std::size_t group = 1; group < byGroup.size(); ++group)
            if (byGroup[group]) kernels::AddCount(values, static_cast<std::uint16_t>(group), byGroup[group]);
    }
};

// ---- the numbers in one group p (CHN%d, COL%d, ROW%d, SGM%d)

struct InOneGroup {
    static constexpr bool kWholeKeys = false;
    static constexpr bool kDrawsOnly = false;

    static kernels::ByteTable Property(const TNumberGroups& g, int p) {
        kernels::ByteTable t{};
        for (std::size_t b = 0; b < 256; ++b) t[b] = p > 0 && g.Of[b] == p;
        return t;
    }
    template <class Sink>
    static void Values(const TNumberGroups& g, int p, const TCombination& c, Sink&& sink) {
        int count = 0;
        for (auto n : c) count += p > 0 && g.Of[n] == p;
        sink(count);
    }
    static void Seed(const TNumberGroups& g, int, const TValueSink& sink) {
        for (int k = 1; k <= g.SeedInOneGroupUpTo; ++k) sink(k);
    }
    static void Match(const TNumberGroups& g, int p, std::span<const TCombination> combs, const TStatDrawArray& values,
                      std::uint8_t* out) {
        const kernels::ByteTable sel = kernels::SelectKey0(values);
        kernels::PatternTable byPattern{};
        for (std::size_t pattern = 0; pattern < 64; ++pattern) byPattern[pattern] = sel[std::popcount(pattern)];
        kernels::MatchPattern(combs, Property(g, p), byPattern, out);
    }
    static void Histogram(const TNumberGroups& g, int p, std::span<const TCombination> combs, TStatDrawArray& values) {
        kernels::PatternCounts counts{};
        kernels::CountPatterns(combs, Property(g, p), counts);
        std::array<std::uint64_t, kNumbersPerDraw + 1> byCount{};
        for (std::size_t pattern = 0; pattern < 64; ++pattern) byCount[std::popcount(pattern)] += counts[pattern];
        for (std::size_t k = 0; k < byCount.size(); ++k)
            if (byCount[k]) kernels::AddCount(values, static_cast<std::uint16_t>(k), byCount[k]);
    }
};

// ---- the number of occupied groups (CHNC, COLN, ROWN, SGMC)

struct OccupiedGroups {
    static constexpr bool kWholeKeys = false;
    static constexpr bool kDrawsOnly = false;

    using BitTable = std::array<std::uint64_t, 256>;
    static BitTable Bits(const TNumberGroups& g) {
        BitTable t{};
        for (std::size_t b = 0; b < 256; ++b) t[b] = g.Of[b] ? std::uint64_t{1} << (g.Of[b] & 63) : 0;
        return t;
    }
    static int Of(const BitTable& t, const TCombination& c) {
        return std::popcount(t[c[0]] | t[c[1]] | t[c[2]] | t[c[3]] | t[c[4]] | t[c[5]]);
    }
    template <class Sink>
    static void Values(const TNumberGroups& g, int, const TCombination& c, Sink&& sink) {
        std::uint64_t seen = 0;
        for (auto n : c)
            if (g.Of[n]) seen |= std::uint64_t{1} << (g.Of[n] & 63);
        sink(std::popcount(seen));
    }
    static void Seed(const TNumberGroups& g, int, const TValueSink& sink) {
        for (int k = 1; k <= g.SeedDistinctUpTo; ++k) sink(k);
    }
    static void Match(const TNumberGroups& g, int, std::span<const TCombination> combs, const TStatDrawArray& values,
                      std::uint8_t* out) {
        const BitTable t = Bits(g);
        const kernels::ByteTable sel = kernels::SelectKey0(values);
        if (LongRuns(combs)) {
            ForEachOrOfBits(t, combs, [&](std::size_t i, std::uint64_t seen) { out[i] = sel[std::popcount(seen)]; });
            return;
        }
        kernels::MatchValue(combs, sel, out, [&t](const TCombination& c) { return Of(t, c); });
    }
    static void Histogram(const TNumberGroups& g, int, std::span<const TCombination> combs, TStatDrawArray& values) {
        const BitTable t = Bits(g);
        if (LastTwoRuns::Worthwhile(g, combs)) {
            std::array<std::array<std::uint64_t, 8>, 4> counts{};
            // A complete run after d: with a of its numbers after d in the
            // groups of the first four or in none, a pair adds no group when
            // both its numbers are among those a, one when one is or both
            // share another group, and two otherwise.
            const CompleteRunCounts complete(g);
            const std::size_t side = static_cast<std::size_t>(g.Last) + 1;
            std::array<std::uint64_t, kMaxNumber + 1> sameGroup{};  // pairs after d in one group
            for (std::size_t d = 0; d <= kMaxNumber; ++d)
                for (std::size_t x = 0; x < side; ++x) sameGroup[d] += complete.Two(d, x);
            ForEachRun(
                combs,
                [&](const TCombination& c, std::size_t d) {
                    const std::uint64_t seen = t[c[0]] | t[c[1]] | t[c[2]] | t[c[3]];
                    std::uint64_t among = complete.After(d, 0), sameOutside = sameGroup[d] - complete.Two(d, 0);
                    for (std::uint64_t rest = seen; rest; rest &= rest - 1) {
                        const auto x = static_cast<std::size_t>(std::countr_zero(rest));
                        among += complete.After(d, x);
                        sameOutside -= complete.Two(d, x);
                    }
                    const std::uint64_t outside = CompleteRunCounts::Numbers(d) - among;
                    const auto k = static_cast<std::size_t>(std::popcount(seen));
                    counts[0][k & 7] += among * (among - 1) / 2;
                    counts[0][(k + 1) & 7] += among * outside + sameOutside;
                    counts[0][(k + 2) & 7] += outside * (outside - 1) / 2 - sameOutside;
                },
                [&](std::span<const TCombination> run) {
                    ForEachOrOfBits(
                        t, run, [&](std::size_t i, std::uint64_t seen) { ++counts[i & 3][std::popcount(seen) & 7]; });
                });
            for (std::size_t k = 0; k < 8; ++k)
                if (const std::uint64_t n = counts[0][k] + counts[1][k] + counts[2][k] + counts[3][k])
                    kernels::AddCount(values, static_cast<std::uint16_t>(k), n);
            return;
        }
        kernels::HistogramOfValue<8>(combs, values, [&t](const TCombination& c) { return Of(t, c); });
    }
};

// ---- how many numbers each listed group holds (CHNV, COLV, ROWV, SGMV)

// One value per listed group: (group, count), zero counts included.
struct CountsPerGroup {
    static constexpr bool kWholeKeys = true;
    static constexpr bool kDrawsOnly = false;

    template <class Sink>
    static void Values(const TNumberGroups& g, int, const TCombination& c, Sink&& sink) {
        for (auto group : g.Listed) {
            std::uint16_t count = 0;
            for (auto n : c) count = static_cast<std::uint16_t>(count + (g.Of[n] == group));
            sink(TStatKey{group, count, 0, 0});
        }
    }
    static void Seed(const TNumberGroups& g, int, const TValueSink& sink) {
        for (auto group : g.Listed)
            for (int k = 0; k <= g.SeedCountsUpTo; ++k) sink(TStatKey{group, static_cast<std::uint16_t>(k), 0, 0});
    }
    // The count of every occupied group, once per group: calls fn(group, count)
    // at the group's first position.
    template <class Fn>
    static void ForEachOccupied(const TNumberGroups& g, const TCombination& c, Fn&& fn) {
        std::uint8_t at[kNumbersPerDraw];
        for (std::size_t i = 0; i < kNumbersPerDraw; ++i) at[i] = g.Of[c[i]];
        for (std::size_t i = 0; i < kNumbersPerDraw; ++i) {
            if (!at[i]) continue;
            bool first = true;
            unsigned count = 1;
            for (std::size_t j = 0; j < kNumbersPerDraw; ++j) {
                if (j == i || at[j] != at[i]) continue;
                if (j < i) first = false;
                ++count;
            }
            if (first) fn(at[i], count);
        }
    }
    // fn(group, count) for every group among the first four numbers, once.
    template <class Fn>
    static void ForEachGroupOfFirstFour(const TNumberGroups& g, const TCombination& c, Fn&& fn) {
        const unsigned at[4] = {g.Of[c[0]], g.Of[c[1]], g.Of[c[2]], g.Of[c[3]]};
        for (std::size_t i = 0; i < 4; ++i) {
            if (!at[i]) continue;
            bool seen = false;
            unsigned count = 1;
            for (std::size_t j = 0; j < 4; ++j)
                if (j != i && at[j] == at[i]) {
                    seen = seen || j < i;
                    ++count;
                }
            if (!seen) fn(at[i], count);
        }
    }
    // Up to 16 groups the counts of all of them come at once: group g owns
    // bits 4(g - 1) .. 4g - 1 of a word, and each position adds its group's
    // unit (six numbers never carry into the next group).
    using Nibbles = std::array<std::uint64_t, 256>;
    static bool FitsNibbles(const TNumberGroups& g) { return g.Last <= 16; }
    static Nibbles NibbleTable(const TNumberGroups& g) {
        Nibbles t{};
        for (std::size_t b = 0; b < 256; ++b)
            if (g.Of[b]) t[b] = std::uint64_t{1} << (4 * (g.Of[b] - 1));
        return t;
    }
    static std::uint64_t Packed(const Nibbles& t, const TCombination& c) {
        return t[c[0]] + t[c[1]] + t[c[2]] + t[c[3]] + t[c[4]] + t[c[5]];
    }
    static constexpr std::uint64_t kNibbleLow = 0x1111111111111111ull;
    // The lowest bit of every group that holds a number.
    static std::uint64_t OccupiedNibbles(std::uint64_t packed) {
        return (packed | packed >> 1 | packed >> 2) & kNibbleLow;
    }
    template <class Fn>
    static void ForEachNibble(std::uint64_t packed, Fn&& fn) {
        for (std::uint64_t occupied = OccupiedNibbles(packed); occupied; occupied &= occupied - 1) {
            const int bit = std::countr_zero(occupied);
            fn(static_cast<unsigned>(bit / 4 + 1), static_cast<unsigned>(packed >> bit & 7));
        }
    }

    static void Match(const TNumberGroups& g, int, std::span<const TCombination> combs, const TStatDrawArray& values,
                      std::uint8_t* out) {
        const GroupKeySet sel(values);
        if (LongRuns(combs) && g.Last < 64) {
            // Within a run of equal first four numbers only the groups a and
            // b of the last two numbers differ: the run's other groups keep
            // the counts of the first four, so a combination matches when
            // one of those is selected, or a's or b's count with the last two.
            const std::size_t side = static_cast<std::size_t>(g.Last) + 1;
            std::vector<std::uint64_t> bit(side);
            std::vector<std::uint8_t> plusOne(side), plusTwo(side);
            for (std::size_t x = 1; x < side; ++x) bit[x] = std::uint64_t{1} << x;
            std::uint64_t kept = 0;  // groups whose count of the first four is selected
            std::uint32_t prefix = 0;
            for (std::size_t i = 0; i < combs.size(); ++i) {
                const TCombination& c = combs[i];
                if (i == 0 || FirstFour(c) != prefix) [[unlikely]] {
                    prefix = FirstFour(c);
                    kept = 0;
                    for (auto group : g.Listed) {
                        unsigned before = 0;
                        for (std::size_t p = 0; p < 4; ++p) before += g.Of[c[p]] == group;
                        if (sel.Has(group, before)) kept |= bit[group];
                        plusOne[group] = sel.Has(group, before + 1);
                        plusTwo[group] = sel.Has(group, before + 2);
                    }
                }
                const std::size_t a = g.Of[c[4]], b = g.Of[c[5]];
                const bool changed = a == b ? plusTwo[a] : plusOne[a] | plusOne[b];
                out[i] = static_cast<std::uint8_t>(changed || (kept & ~(bit[a] | bit[b])) != 0);
            }
            return;
        }
        if (FitsNibbles(g)) {
            // A combination without a number in a listed group whose count 0
            // is selected matches at once.
            std::uint64_t emptySelected = 0;
            for (auto group : g.Listed)
                if (sel.Has(group, 0)) emptySelected |= std::uint64_t{1} << (4 * (group - 1));
            const Nibbles t = NibbleTable(g);
            for (std::size_t i = 0; i < combs.size(); ++i) {
                const std::uint64_t packed = Packed(t, combs[i]);
                bool hit = (emptySelected & ~OccupiedNibbles(packed)) != 0;
                if (!hit)
                    ForEachNibble(packed, [&](unsigned group, unsigned count) { hit = hit || sel.Has(group, count); });
                out[i] = hit;
            }
            return;
        }
        std::uint64_t emptySelected = 0;
        for (auto group : g.Listed)
            if (sel.Has(group, 0)) emptySelected |= std::uint64_t{1} << (group & 63);
        const OccupiedGroups::BitTable bits = OccupiedGroups::Bits(g);
        for (std::size_t i = 0; i < combs.size(); ++i) {
            const TCombination& c = combs[i];
            const std::uint64_t occupied = bits[c[0]] | bits[c[1]] | bits[c[2]] | bits[c[3]] | bits[c[4]] | bits[c[5]];
            bool hit = (emptySelected & ~occupied) != 0;
            if (!hit)
                ForEachOccupied(g, c, [&](unsigned group, unsigned count) { hit = hit || sel.Has(group, count); });
            out[i] = hit;
        }
    }
    static void Histogram(const TNumberGroups& g, int, std::span<const TCombination> combs, TStatDrawArray& values) {
        GroupKeyCounts counts;
        if (LastTwoRuns::Worthwhile(g, combs)) {
            // Per run and group: how many of its combinations have 0, 1 or 2
            // of the last two numbers in the group, on top of the first four.
            const std::size_t side = static_cast<std::size_t>(g.Last) + 1;
            std::vector<bool> listed(side);
            for (auto group : g.Listed) listed[group] = true;
            auto add = [&](unsigned group, unsigned before, std::uint64_t length, std::uint64_t one,
                           std::uint64_t two) {
                // The count 0 follows from the others below.
                if (before > 0) counts.Add(group, before, length - one - two);
                counts.Add(group, before + 1, one);
                counts.Add(group, before + 2, two);
            };
            // A complete run adds the same to every group its first four
            // numbers leave empty: counted per fourth number at the end, with
            // the occupied groups, at most four, added at once.
            const CompleteRunCounts complete(g);
            std::vector<std::uint64_t> runsAfter(kMaxNumber + 1), occupiedAfter((kMaxNumber + 1) * side);
            const std::optional<Nibbles> nibbles = FitsNibbles(g) ? std::optional(NibbleTable(g)) : std::nullopt;
            LastTwoRuns::ForEach(
                g, combs,
                [&](const TCombination& c, const LastTwoRuns::Counts& runs) {
                    for (auto group : g.Listed) {
                        unsigned before = 0;
                        for (std::size_t p = 0; p < 4; ++p) before += g.Of[c[p]] == group;
                        add(group, before, runs.Length, runs.One[group], runs.Two[group]);
                    }
                },
                [&](const TCombination& c, std::size_t d) {
                    ++runsAfter[d];
                    auto occupied = [&](unsigned group, unsigned before) {
                        if (!listed[group]) return;
                        ++occupiedAfter[d * side + group];
                        add(group, before, kernels::PairsAfter(d), complete.One(d, group), complete.Two(d, group));
                    };
                    if (nibbles)
                        ForEachNibble((*nibbles)[c[0]] + (*nibbles)[c[1]] + (*nibbles)[c[2]] + (*nibbles)[c[3]],
                                      occupied);
                    else
                        ForEachGroupOfFirstFour(g, c, occupied);
                });
            for (std::size_t d = 0; d <= kMaxNumber; ++d) {
                if (!runsAfter[d]) continue;
                for (auto group : g.Listed)
                    if (const std::uint64_t empty = runsAfter[d] - occupiedAfter[d * side + group])
                        add(group, 0, 0, empty * complete.One(d, group), empty * complete.Two(d, group));
            }
        } else if (FitsNibbles(g)) {
            const Nibbles t = NibbleTable(g);
            for (const TCombination& c : combs)
                ForEachNibble(Packed(t, c), [&](unsigned group, unsigned count) { counts.Add(group, count); });
        } else {
            for (const TCombination& c : combs)
                ForEachOccupied(g, c, [&](unsigned group, unsigned count) { counts.Add(group, count); });
        }
        // A listed group is empty in every combination that has no number in it.
        for (auto group : g.Listed) {
            std::uint64_t occupied = 0;
            for (unsigned k = 1; k <= kNumbersPerDraw; ++k) occupied += counts.At(group, k);
            counts.Add(group, 0, combs.size() - occupied);
        }
        counts.AddTo(values, g.Last);
    }
};

}  // namespace corvel::groups
