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

#include "stats/SpanKernels.h"
#include "stats/families/GroupMap.h"

// Building blocks of the span kernels of the group members: runs of equal
// first numbers, the set of six numbers, and small tables of (group, count)
// keys.
namespace corvel::groups {

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

}  // namespace corvel::groups
