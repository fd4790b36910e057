#pragma once

#include <cstdint>
#include <string_view>

#include "model/Expected.h"
#include "model/GameConstants.h"

namespace corvel {

// The numbers of a stake as a person types them: exactly six different
// numbers 1..48 separated by ";" or ",", spaces allowed; given back ascending.
// Anything else is refused with texts::kBadCombination.
TExpected<TCombination> ParseStakeNumbers(std::string_view text);

// The comment of a new stake (UTF-8): required, at most 64 characters.
inline constexpr std::size_t kMaxStakeCommentChars = 64;
TCheck CheckStakeComment(std::string_view utf8);

// The sum of the numbers typed so far (the live sum beside the numbers):
// every word that reads as a whole number counts, the rest is ignored.
long long StakeNumbersSum(std::string_view text);

// The bytes that adding `stakes` stakes for `draws` draws each adds to the
// stakes file at most: one record per stake and draw, and for a series of two
// draws or more a separator record before each of them.
std::uint64_t StakesFileGrowth(std::uint64_t stakes, int draws);

}  // namespace corvel
