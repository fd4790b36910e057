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

#include "stats/CompleteRuns.h"
#include "stats/SpanKernels.h"
#include "stats/families/GroupMap.h"

// Building blocks of the span kernels of the group members: runs of equal
// first numbers, the set of six numbers, and small tables of (group, count)
// keys.
namespace corvel::groups {

using kernels::FirstFour;
using kernels::ForEachRun;

// Whether a span holds long runs of combinations that share their first
// four numbers, as a generated list does (about 63 a run over the full list),
// judged by its start.
inline bool LongRuns(std::span<const TCombination> combs) {
    const std::size_t sample = std::min<std::size_t>(combs.size(), 1024);
    if (sample < 256) return false;
    std::size_t changes = 0;
    for (std::size_t i = 1; i < sample; ++i) changes += FirstFour(combs[i]) != FirstFour(combs[i - 1]);
    return changes * 16 < sample;
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
    // Only the groups up to lastGroup are looked at.
    void AddTo(TStatDrawArray& values, int lastGroup = 63) const {
        const auto end = static_cast<unsigned>(std::clamp(lastGroup + 1, 0, 64) * 16);
        for (unsigned i = 0; i < end; ++i)
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

// What the complete run after a fourth number d holds, per group: with n of
// the numbers after d in a group (After), n (48 - d - n) of its pairs have
// one number in the group and n (n - 1) / 2 both.
class CompleteRunCounts {
  public:
    explicit CompleteRunCounts(const TNumberGroups& g)
        : side_(static_cast<std::size_t>(g.Last) + 1), above_((kMaxNumber + 1) * side_) {
        for (std::size_t d = kMaxNumber; d-- > 0;) {
            std::copy_n(above_.begin() + static_cast<std::ptrdiff_t>((d + 1) * side_), side_,
                        above_.begin() + static_cast<std::ptrdiff_t>(d * side_));
            ++above_[d * side_ + g.Of[d + 1]];
        }
    }
    static std::uint64_t Numbers(std::size_t d) { return kMaxNumber - d; }
    std::uint64_t After(std::size_t d, std::size_t group) const { return above_[d * side_ + group]; }
    std::uint64_t One(std::size_t d, std::size_t group) const {
        const std::uint64_t n = After(d, group);
        return n * (Numbers(d) - n);
    }
    std::uint64_t Two(std::size_t d, std::size_t group) const {
        const std::uint64_t n = After(d, group);
        return n * (n - 1) / 2;
    }

  private:
    std::size_t side_;
    std::vector<std::uint8_t> above_;  // [d * side + group]: numbers after d in the group
};

// The runs of a span with, for a run that is not complete, per group how
// many of its combinations have one of their last two numbers in it (One)
// and how many both (Two), and the run's length: counted(first combination,
// counts). Interleaved sets of counters keep neighbouring combinations,
// which mostly share their groups, off one counter.
class LastTwoRuns {
  public:
    static constexpr int kMostGroups = 63;
    static constexpr std::size_t kSets = 2;  // the loop below alternates two
    struct Counts {
        std::vector<std::uint64_t> One, Two;
        std::uint64_t Length = 0;
    };
    static bool Worthwhile(const TNumberGroups& g, std::span<const TCombination> combs) {
        return g.Last <= kMostGroups && LongRuns(combs);
    }
    template <class Counted, class Complete>
    static void ForEach(const TNumberGroups& g, std::span<const TCombination> combs, Counted&& counted,
                        Complete&& complete) {
        const std::size_t side = static_cast<std::size_t>(g.Last) + 1;
        // The sixth number's group counts at side + group when it equals the
        // fifth's: both at once, one counter a combination less.
        std::vector<std::uint32_t> first(kSets * side), second(kSets * 2 * side);
        Counts counts{std::vector<std::uint64_t>(side), std::vector<std::uint64_t>(side), 0};
        const kernels::ByteTable of = g.Of;
        std::uint32_t* const firstSet[kSets] = {first.data(), first.data() + side};
        std::uint32_t* const secondSet[kSets] = {second.data(), second.data() + 2 * side};
        ForEachRun(combs, complete, [&](std::span<const TCombination> run) {
            for (std::size_t i = 0; i < run.size(); ++i) {
                const std::size_t a = of[run[i][4]], b = of[run[i][5]];
                ++firstSet[i & 1][a];
                ++secondSet[i & 1][a == b ? side + b : b];
            }
            for (std::size_t x = 0; x < side; ++x) {
                std::uint64_t fifth = 0, sixth = 0, both = 0;
                for (std::size_t k = 0; k < kSets; ++k) {
                    fifth += std::exchange(first[k * side + x], 0);
                    const std::uint32_t same = std::exchange(second[(2 * k + 1) * side + x], 0);
                    sixth += std::exchange(second[2 * k * side + x], 0) + same;
                    both += same;
                }
                counts.One[x] = fifth + sixth - 2 * both;
                counts.Two[x] = both;
            }
            counts.Length = run.size();
            counted(run.front(), counts);
        });
    }
};

}  // namespace corvel::groups
