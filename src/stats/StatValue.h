#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The value records every statistic method produces, and the helpers that
// merge, look up, sort and total them.
namespace corvel {

using TStatKey = std::array<std::uint16_t, 4>;

// The four key words as one integer, word 0 lowest: equal keys, equal integers.
inline std::uint64_t PackKey(const TStatKey& k) {
    return std::uint64_t{k[0]} | std::uint64_t{k[1]} << 16 | std::uint64_t{k[2]} << 32 | std::uint64_t{k[3]} << 48;
}

// A signed 32-bit value kept in two key words (words 0 and 1, or 2 and 3).
inline void SetKeyInt32(TStatKey& k, int word, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    k[static_cast<std::size_t>(word)] = static_cast<std::uint16_t>(u & 0xFFFF);
    k[static_cast<std::size_t>(word) + 1] = static_cast<std::uint16_t>(u >> 16);
}
inline std::int32_t KeyInt32(const TStatKey& k, int word) {
    return static_cast<std::int32_t>(std::uint32_t{k[static_cast<std::size_t>(word)]} |
                                     std::uint32_t{k[static_cast<std::size_t>(word) + 1]} << 16);
}
// One of the eight key bytes (byte 0 is the low byte of word 0).
inline std::uint8_t KeyByte(const TStatKey& k, int byte) {
    return static_cast<std::uint8_t>(k[static_cast<std::size_t>(byte / 2)] >> (8 * (byte % 2)));
}

// One value of a statistic with its bookkeeping over a window of draws.
struct TStatDrawRec {
    std::int32_t LastDraw = 0;  // draw number of the newest occurrence, 0 = never
    std::int32_t Depth = 0;     // draws back from the end of the window, 1 = the last draw
    std::int32_t PrevDraw = 0;  // working field while scanning
    std::uint16_t MinInterval = 0;
    std::uint16_t MaxInterval = 0;
    std::int32_t Count = 0;
    std::int32_t Expected = 0;  // from the prefetch cache, else 0
    TStatKey Key{};

    friend bool operator==(const TStatDrawRec&, const TStatDrawRec&) = default;
};
using TStatDrawArray = std::vector<TStatDrawRec>;

struct TStatSimpleRec {
    std::int32_t Key = 0;
    std::int32_t Value = 0;
};
using TStatSimpleArray = std::vector<TStatSimpleRec>;

struct TLastValueRec {
    std::int32_t LastDraw = 0;
    TStatKey Key{};
};
using TLastValueArray = std::vector<TLastValueRec>;

// Per-number state that families carrying state from draw to draw keep for one
// pass over the draws: 48 entries (numbers 1..48) of three integers, zeroed by
// the caller before the pass.
using TStatWorkArea = std::array<std::array<std::int32_t, 3>, 48>;

// Merges one value into the array (see the statistic framework's rules for
// count, depth and the intervals between occurrences).
void AddStatValue(TStatDrawArray& values, const TStatDrawRec& item, bool withIntervals);
void AddSimpleValue(TStatSimpleArray& values, std::int32_t key, std::int32_t amount);
// Draw distance since the value was seen last, -1 when it is new.
std::int32_t UpdateLastValue(const TStatDrawRec& item, TLastValueArray& lastValues);

// Key predicates: true at the first entry that matches.
bool HasKey(const TStatDrawArray& values, const TStatKey& key);
bool HasKey0And2(const TStatDrawArray& values, std::uint16_t a, std::uint16_t b);
bool HasKeyByte(const TStatDrawArray& values, int byte, std::uint8_t a);
bool HasKeyWord(const TStatDrawArray& values, int word, std::uint16_t a);
bool HasKey0Or2(const TStatDrawArray& values, std::uint16_t a);

// Stable sort by the key words 0..3, each as an unsigned 16-bit number.
void SortStatValues(TStatDrawArray& values);

struct TStatTotals {
    std::int32_t MinCount = 0;
    std::int32_t MaxCount = 0;
    std::int32_t MaxDepth = 0;
    std::int64_t TotalCount = 0;
};
TStatTotals StatTotals(const TStatDrawArray& values);

}  // namespace corvel
