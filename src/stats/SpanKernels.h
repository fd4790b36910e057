#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "model/GameConstants.h"
#include "stats/StatValue.h"

// Building blocks of the span operations of the generic value classes: lookup
// tables indexed by any byte 0..255 (combinations read from files may hold any
// byte), selection tables built from the chosen values (bytes, 16-bit words,
// whole keys), and histogram loops that never allocate per combination and
// never make a call per combination.
namespace corvel::kernels {

using ByteTable = std::array<std::uint8_t, 256>;
using ByteCounts = std::array<std::uint64_t, 256>;

// sel[v] = 1 when some entry has Key[0] = v (values of 256 and more cannot be
// the value of a byte-sized property and are left out).
ByteTable SelectKey0(const TStatDrawArray& values);

// Counts of every byte at each of the six positions over the span.
using PositionCounts = std::array<ByteCounts, kNumbersPerDraw>;
void CountBytesByPosition(std::span<const TCombination> combs, PositionCounts& counts);

// Adds `count` occurrences of a value, as CombValues would merge them one by
// one: Key[0] = key, or the whole key.
void AddCount(TStatDrawArray& values, std::uint16_t key, std::uint64_t count);
void AddCount(TStatDrawArray& values, const TStatKey& key, std::uint64_t count);

// A set of 16-bit values: sel[v] tells whether some entry has Key[0] = v.
class WordSet {
  public:
    explicit WordSet(const TStatDrawArray& values) {
        for (const auto& v : values) bits_[v.Key[0] >> 6] |= std::uint64_t{1} << (v.Key[0] & 63);
    }
    bool operator[](unsigned v) const { return (bits_[(v >> 6) & 1023] >> (v & 63)) & 1; }

  private:
    std::array<std::uint64_t, 1024> bits_{};
};

// Runs body over consecutive pieces of at most 2^30 combinations, so that
// 32-bit counters emptied after each piece cannot overflow.
template <class Body>
void ForEachBlock(std::span<const TCombination> combs, Body&& body) {
    constexpr std::size_t kBlock = std::size_t{1} << 30;
    for (std::size_t i = 0; i < combs.size(); i += kBlock) body(combs.subspan(i, std::min(kBlock, combs.size() - i)));
}

// Histogram of a single value per combination below Limit (at most 65536).
// valueOf must return 0..Limit-1 for any bytes and is inlined into the loop.
template <std::size_t Limit, class ValueOf>
void HistogramOfValue(std::span<const TCombination> combs, TStatDrawArray& values, ValueOf valueOf) {
    static_assert(Limit <= 65536, "values are 16-bit words");
    // Four interleaved counters break the dependency between neighbouring
    // combinations, which mostly share their value.
    std::array<std::array<std::uint32_t, Limit>, 4> counts{};
    std::size_t i = 0;
    const std::size_t n = combs.size();
    // 32-bit counters cannot overflow within one block.
    constexpr std::size_t kBlock = std::size_t{1} << 30;
    std::array<std::uint64_t, Limit> total{};
    while (i < n) {
        const std::size_t end = std::min(n, i + kBlock);
        for (; i + 4 <= end; i += 4) {
            ++counts[0][static_cast<std::size_t>(valueOf(combs[i]))];
            ++counts[1][static_cast<std::size_t>(valueOf(combs[i + 1]))];
            ++counts[2][static_cast<std::size_t>(valueOf(combs[i + 2]))];
            ++counts[3][static_cast<std::size_t>(valueOf(combs[i + 3]))];
        }
        for (; i < end; ++i) ++counts[0][static_cast<std::size_t>(valueOf(combs[i]))];
        for (std::size_t v = 0; v < Limit; ++v) {
            total[v] += std::uint64_t{counts[0][v]} + counts[1][v] + counts[2][v] + counts[3][v];
            counts[0][v] = counts[1][v] = counts[2][v] = counts[3][v] = 0;
        }
    }
    for (std::size_t v = 0; v < Limit; ++v)
        if (total[v]) AddCount(values, static_cast<std::uint16_t>(v), total[v]);
}

// Whole keys (tuples, 32- and 64-bit patterns) as packed integers in open
// addressing tables that are sized once per span: looking a key up or
// counting it costs a multiply and a probe or two, never an allocation.
class KeySet {
  public:
    explicit KeySet(const TStatDrawArray& values);
    bool Has(const TStatKey& key) const {
        const std::uint64_t k = PackKey(key);
        for (std::size_t slot = Slot(k, mask_);; slot = (slot + 1) & mask_) {
            if (!used_[slot]) return false;
            if (keys_[slot] == k) return true;
        }
    }
    static std::size_t Slot(std::uint64_t k, std::size_t mask) {
        return static_cast<std::size_t>((k * 0x9E3779B97F4A7C15ull) >> 40) & mask;
    }

  private:
    std::vector<std::uint64_t> keys_;
    std::vector<std::uint8_t> used_;
    std::size_t mask_ = 0;
};

class KeyCounts {
  public:
    // Room for `distinct` different keys without growing.
    explicit KeyCounts(std::size_t distinct);
    void Add(const TStatKey& key) {
        const std::uint64_t k = PackKey(key);
        for (std::size_t slot = KeySet::Slot(k, mask_);; slot = (slot + 1) & mask_) {
            Entry& e = entries_[slot];
            if (e.Count == 0) {
                e.Key = k;
                e.Count = 1;
                return;
            }
            if (e.Key == k) {
                ++e.Count;
                return;
            }
        }
    }
    // Adds the counted keys to `values` in ascending key order.
    void AddTo(TStatDrawArray& values);

  private:
    struct Entry {
        std::uint64_t Key = 0;
        std::uint64_t Count = 0;
    };
    std::vector<Entry> entries_;
    std::size_t mask_ = 0;
};

// Six-bit patterns of a byte property over the positions of a combination:
// bit p is set when the number at position p has the property. Counts and
// masks of a property are functions of the pattern, so their span operations
// reduce to the pattern and a 64-entry table.
using PatternTable = std::array<std::uint8_t, 64>;
using PatternCounts = std::array<std::uint64_t, 64>;

inline int PatternOf(const ByteTable& property, const TCombination& c) {
    return property[c[0]] | property[c[1]] << 1 | property[c[2]] << 2 | property[c[3]] << 3 | property[c[4]] << 4 |
           property[c[5]] << 5;
}

// Accepts every pattern but the empty one: some position has the property.
inline const PatternTable& AnyPattern() {
    static constexpr PatternTable kAny = [] {
        PatternTable t{};
        for (std::size_t p = 1; p < t.size(); ++p) t[p] = 1;
        return t;
    }();
    return kAny;
}

// out[i] = sel[pattern of comb i]; `property` holds 0 or 1 per byte.
void MatchPattern(std::span<const TCombination> combs, const ByteTable& property, const PatternTable& sel,
                  std::uint8_t* out);
// counts[pattern] += how many combinations have the pattern.
void CountPatterns(std::span<const TCombination> combs, const ByteTable& property, PatternCounts& counts);

// out[i] = sel[valueOf(comb i)]; sel is a ByteTable or a WordSet.
template <class Selection, class ValueOf>
void MatchValue(std::span<const TCombination> combs, const Selection& sel, std::uint8_t* out, ValueOf valueOf) {
    for (std::size_t i = 0; i < combs.size(); ++i)
        out[i] = static_cast<std::uint8_t>(sel[static_cast<unsigned>(valueOf(combs[i]))]);
}

}  // namespace corvel::kernels
