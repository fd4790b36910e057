#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "stats/SpanKernels.h"

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

}  // namespace corvel
