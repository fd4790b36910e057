#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/GameSettings.h"
#include "stats/CustomStat.h"
#include "stats/StatList.h"
#include "stats/SpanKernels.h"

// The methods of the families that divide the numbers 1..48 into groups
// numbered from 1 (channels, matrix columns, matrix rows, segments). Every
// member of those families is one of a few ideas over a group map: the group
// of each number, how many numbers each group holds, how many groups are
// occupied, tuples of the groups of several positions, the count in one group,
// the pattern of occupied groups and the adjacent numbers inside a group. A
// family supplies the map made from the settings (copied into each instance
// when it is created, so that one computation sees one geometry) and its rows.
namespace corvel {

// A division of the numbers into groups, with what the members of one family
// seed and how they write a group.
struct TNumberGroups {
    // Group of every byte: 1.. for the numbers 1..48, 0 (no group) for any
    // other byte a combination read from a file may hold.
    kernels::ByteTable Of{};
    // The groups a draw lists its counts for, in listing order.
    std::vector<std::uint8_t> Listed;
    int Last = 0;  // the highest group number; patterns have this many bits
    // Rows seeded before the draws are read; none when the bound is below the
    // first value.
    int SeedCountsUpTo = -1;     // counts 0..n of every listed group
    int SeedDistinctUpTo = 0;    // occupied groups 1..n
    int SeedInOneGroupUpTo = 0;  // numbers in one group 1..n
    // Adjacency inside a group (matrix only): two numbers of one group are
    // adjacent when their places in the other direction differ by 1; on the
    // numbers that is a difference of Step. 0: no adjacency.
    kernels::ByteTable Across{};
    int Step = 0;
    // The text of a group in value texts; null: the decimal number.
    std::string (*GroupText)(const TNumberGroups& groups, int group) = nullptr;
    int ChannelWidth = 0;  // for the channel texts

    std::string TextOf(int group) const { return GroupText ? GroupText(*this, group) : std::to_string(group); }
    bool Adjacent(std::uint8_t a, std::uint8_t b) const {
        return Step > 0 && Of[a] != 0 && Of[a] == Of[b] && (Across[a] - Across[b] == 1 || Across[b] - Across[a] == 1);
    }
};

namespace groups {

// Whether a span holds long runs of combinations that share their first
// four numbers, as a generated list does (about 75 a run over the full list),
// judged by its start.
inline std::uint32_t FirstFour(const TCombination& c) {
    std::uint32_t p;
    std::memcpy(&p, c.data(), sizeof p);
    return p;
}
inline bool LongRuns(std::span<const TCombination> combs) {
    if (combs.size() < 4096) return false;
    std::size_t changes = 0;
    for (std::size_t i = 1; i < 4096; ++i) changes += FirstFour(combs[i]) != FirstFour(combs[i - 1]);
    return changes * 16 < 4096;
}

// fn(i, t[c0] | ... | t[c5]) for every combination in order, the first four
// numbers' part taken once per run of equal first numbers: two lookups a
// combination instead of six where the runs are long.
using BitTable = std::array<std::uint64_t, 256>;
template <class Fn>
void ForEachOrOfBits(const BitTable& t, std::span<const TCombination> combs, Fn&& fn) {
    if (combs.empty()) return;
    std::uint32_t prefix = FirstFour(combs[0]);
    std::uint64_t first = t[combs[0][0]] | t[combs[0][1]] | t[combs[0][2]] | t[combs[0][3]];
    for (std::size_t i = 0; i < combs.size(); ++i) {
        const TCombination& c = combs[i];
        if (const std::uint32_t p = FirstFour(c); p != prefix) [[unlikely]] {
            prefix = p;
            first = t[c[0]] | t[c[1]] | t[c[2]] | t[c[3]];
        }
        fn(i, first | t[c[4]] | t[c[5]]);
    }
}

// Numbers of the game as bits 1..48 of a set, any other byte as bit 0: the
// six bytes of a real combination are six different numbers (six bits, bit 0
// clear); any other combination takes the general path of a member.
constexpr BitTable kNumberBits = [] {
    BitTable t{};
    for (std::size_t b = 0; b < 256; ++b) t[b] = b >= kMinNumber && b <= kMaxNumber ? std::uint64_t{1} << b : 1;
    return t;
}();
inline bool SixNumbers(std::uint64_t set) { return (set & 1) == 0 && std::popcount(set) == kNumbersPerDraw; }
inline bool SixNumbers(const TCombination& c, std::uint64_t& set) {
    set = kNumberBits[c[0]] | kNumberBits[c[1]] | kNumberBits[c[2]] | kNumberBits[c[3]] | kNumberBits[c[4]] |
          kNumberBits[c[5]];
    return SixNumbers(set);
}

// Counts per (group, k) for groups below 64 and k below 16, turned into
// entries at the end of a span.
class GroupKeyCounts {
  public:
    void Add(unsigned group, unsigned k) { ++counts_[(group & 63) * 16 + (k & 15)]; }
    void Add(unsigned group, unsigned k, std::uint64_t n) { counts_[(group & 63) * 16 + (k & 15)] += n; }
    std::uint64_t At(unsigned group, unsigned k) const { return counts_[(group & 63) * 16 + (k & 15)]; }
    void AddTo(TStatDrawArray& values) const {
        for (unsigned i = 0; i < counts_.size(); ++i)
            if (counts_[i])
                kernels::AddCount(
                    values, TStatKey{static_cast<std::uint16_t>(i / 16), static_cast<std::uint16_t>(i % 16), 0, 0},
                    counts_[i]);
    }

  private:
    std::array<std::uint64_t, 64 * 16> counts_{};
};

// A selection of (group, k) keys for groups below 64 and k below 16.
class GroupKeySet {
  public:
    explicit GroupKeySet(const TStatDrawArray& values) {
        for (const auto& v : values)
            if (v.Key[0] < 64 && v.Key[1] < 16 && v.Key[2] == 0 && v.Key[3] == 0)
                bits_[v.Key[0]] = static_cast<std::uint16_t>(bits_[v.Key[0]] | 1u << v.Key[1]);
    }
    bool Has(unsigned group, unsigned k) const { return group < 64 && k < 16 && (bits_[group] >> k & 1); }
    std::uint16_t Of(unsigned group) const { return group < 64 ? bits_[group] : 0; }

  private:
    std::array<std::uint16_t, 64> bits_{};
};

// Runs of combinations that share their first four numbers, as a generated
// list holds them: within a run a combination differs from the others only
// in the groups of its last two numbers. fold(first four numbers, counts)
// gets, per group, how many combinations of the run have their fifth number
// in it (First), their sixth (Second) and both (Both), and the run's length.
// Interleaved sets of counters keep neighbouring combinations, which mostly
// share their groups, off one counter.
class LastTwoRuns {
  public:
    static constexpr int kMostGroups = 63;
    static constexpr std::size_t kSets = 2;  // the loop below alternates two
    struct Counts {
        std::vector<std::uint64_t> First, Second, Both;
        std::uint64_t Length = 0;
    };
    static bool Worthwhile(const TNumberGroups& g, std::span<const TCombination> combs) {
        return g.Last <= kMostGroups && LongRuns(combs);
    }
    template <class Fold>
    static void ForEach(const TNumberGroups& g, std::span<const TCombination> combs, Fold&& fold) {
        const std::size_t side = static_cast<std::size_t>(g.Last) + 1;
        // The sixth number's group counts at side + group when it equals the
        // fifth's: both at once, one counter a combination less.
        std::vector<std::uint32_t> first(kSets * side), second(kSets * 2 * side);
        Counts counts{std::vector<std::uint64_t>(side), std::vector<std::uint64_t>(side),
                      std::vector<std::uint64_t>(side), 0};
        auto flush = [&](const TCombination& c, std::size_t length) {
            for (std::size_t x = 0; x < side; ++x) {
                counts.First[x] = counts.Second[x] = counts.Both[x] = 0;
                for (std::size_t k = 0; k < kSets; ++k) {
                    counts.First[x] += std::exchange(first[k * side + x], 0);
                    const std::uint32_t both = std::exchange(second[(2 * k + 1) * side + x], 0);
                    counts.Second[x] += std::exchange(second[2 * k * side + x], 0) + both;
                    counts.Both[x] += both;
                }
            }
            counts.Length = length;
            fold(c, counts);
        };
        const kernels::ByteTable of = g.Of;
        std::uint32_t* const firstSet[kSets] = {first.data(), first.data() + side};
        std::uint32_t* const secondSet[kSets] = {second.data(), second.data() + 2 * side};
        const std::size_t n = combs.size();
        std::size_t start = 0;
        std::uint32_t prefix = n ? FirstFour(combs[0]) : 0;
        for (std::size_t i = 0; i < n; ++i) {
            const TCombination& c = combs[i];
            if (FirstFour(c) != prefix) [[unlikely]] {
                flush(combs[start], i - start);
                start = i;
                prefix = FirstFour(c);
            }
            const std::size_t a = of[c[4]], b = of[c[5]];
            ++firstSet[i & 1][a];
            ++secondSet[i & 1][a == b ? side + b : b];
        }
        if (!combs.empty()) flush(combs[start], combs.size() - start);
    }
};

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
        if (LongRuns(combs)) {
            std::array<std::array<std::uint64_t, 8>, 4> counts{};
            ForEachOrOfBits(t, combs,
                            [&](std::size_t i, std::uint64_t seen) { ++counts[i & 3][std::popcount(seen) & 7]; });
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
            LastTwoRuns::ForEach(g, combs, [&](const TCombination& c, const LastTwoRuns::Counts& runs) {
                for (auto group : g.Listed) {
                    unsigned before = 0;
                    for (std::size_t p = 0; p < 4; ++p) before += g.Of[c[p]] == group;
                    const std::uint64_t two = runs.Both[group];
                    const std::uint64_t one = runs.First[group] + runs.Second[group] - 2 * two;
                    // The count 0 follows from the others below.
                    if (before > 0) counts.Add(group, before, runs.Length - one - two);
                    counts.Add(group, before + 1, one);
                    counts.Add(group, before + 2, two);
                }
            });
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
        counts.AddTo(values);
    }
};

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
            ForEachOrOfBits(t, combs,
                            [&](std::size_t i, std::uint64_t pattern) { ++counts[(i & 1) * patterns + pattern]; });
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
        counts.AddTo(values);
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

}  // namespace groups

// A method of a group family: Member (one of the structs above) over the map
// that MakeGroups builds from the settings of the registry.
template <class Member, TNumberGroups (*MakeGroups)(const TGameSettings&)>
class TGroupStat : public TCustomStat {
  public:
    TGroupStat(const TStatClass& cls, const TStatList& list, int param)
        : TCustomStat(cls, list, param, Member::kWholeKeys), groups_(MakeGroups(list.Settings)) {}

    const TNumberGroups& Groups() const { return groups_; }

    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool,
                   std::uint8_t* out) override {
        Member::Match(groups_, Param(), combs, values, out);
    }
    void SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) override {
        if constexpr (!Member::kDrawsOnly) Member::Histogram(groups_, Param(), combs, values);
    }

  protected:
    void Values(const TStatItem& item, const TValueSink& sink) override {
        if (Member::kDrawsOnly && !item.Draw) return;
        Member::Values(groups_, Param(), item.Numbers, sink);
    }
    void SeedValues(const TValueSink& sink) override { Member::Seed(groups_, Param(), sink); }
    bool AnySelected(const TStatItem& item, const TStatDrawArray& values) override {
        bool found = false;
        Member::Values(groups_, Param(), item.Numbers, [&](const auto& value) {
            if constexpr (Member::kWholeKeys)
                found = found || HasKey(values, ToKey(value));
            else
                found = found || HasKeyWord(values, 0, ToKey(value)[0]);
        });
        return found;
    }

  private:
    TNumberGroups groups_;
};

// Value texts of the group members.
std::string GroupTupleText(const TStatDrawRec& value, std::size_t size);
std::string GroupCountText(const TNumberGroups& groups, const TStatDrawRec& value);
// Pattern texts: one letter per group, group 1 first, then the pattern value.
std::string GroupPatternText(const TNumberGroups& groups, const TStatDrawRec& value);
int GroupPatternFromText(std::string_view text);

// The group methods with their value texts: the decimal group or count
// (Plain), the group text (GroupName, whose text reads back as the number
// before the first blank), (group, count) pairs, tuples and patterns.
enum class TGroupText : std::uint8_t { Plain, GroupName, GroupCount, Tuple, Pattern };

template <class Member, TNumberGroups (*MakeGroups)(const TGameSettings&), TGroupText Text, std::size_t TupleSize = 0>
class TGroupTextStat final : public TGroupStat<Member, MakeGroups> {
  public:
    using TGroupStat<Member, MakeGroups>::TGroupStat;
    std::string ValueToText(const TStatDrawRec& value) const override {
        switch (Text) {
            case TGroupText::GroupName:
                return this->Groups().TextOf(value.Key[0]);
            case TGroupText::GroupCount:
                return GroupCountText(this->Groups(), value);
            case TGroupText::Tuple:
                return GroupTupleText(value, TupleSize);
            case TGroupText::Pattern:
                return GroupPatternText(this->Groups(), value);
            case TGroupText::Plain:
                break;
        }
        return TCustomStat::ValueToText(value);
    }
    int TextToValue(std::string_view text) const override {
        if (Text == TGroupText::Pattern) return GroupPatternFromText(text);
        if (Text == TGroupText::GroupName) return TCustomStat::TextToValue(text.substr(0, text.find(' ')));
        return TCustomStat::TextToValue(text);
    }
};

template <class Member, TNumberGroups (*MakeGroups)(const TGameSettings&), TGroupText Text, std::size_t TupleSize = 0>
constexpr TStatClass GroupRow(TStatClass row) {
    row.Create = &CreateStatOf<TGroupTextStat<Member, MakeGroups, Text, TupleSize>>;
    // A tuple's text does not read back into a value.
    if (Text == TGroupText::Tuple) row.CanParseValue = false;
    return row;
}

}  // namespace corvel
