#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "model/GameConstants.h"

// The numbers of a combination as a set of bits: bit n stands for number n
// (1..48), so that sets compare, join and count with single word operations.
namespace corvel {

inline constexpr std::array<std::uint64_t, 256> kNumberBit = [] {
    std::array<std::uint64_t, 256> t{};
    for (int n = kMinNumber; n <= kMaxNumber; ++n) t[static_cast<std::size_t>(n)] = std::uint64_t{1} << n;
    return t;
}();

// Values outside 1..48 are no numbers of the game and add nothing.
inline std::uint64_t NumberSet(const TCombination& c) {
    return kNumberBit[c[0]] | kNumberBit[c[1]] | kNumberBit[c[2]] | kNumberBit[c[3]] | kNumberBit[c[4]] |
           kNumberBit[c[5]];
}

// How many numbers two combinations share.
inline int SharedNumbers(const TCombination& a, const TCombination& b) {
    return std::popcount(NumberSet(a) & NumberSet(b));
}

}  // namespace corvel
