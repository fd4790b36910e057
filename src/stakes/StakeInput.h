#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Expected.h"
#include "model/GameConstants.h"

// What a person types for a new stake: the numbers played, the comment, and
// what a stake for every combination of a large list will cost in disk space.
// The desktop dialogs and the command line read their input through these.
namespace corvel {

// The longest comment the stake dialogs take, in characters.
inline constexpr int kStakeCommentMaxChars = 64;

// Six different numbers 1..48 separated by ";" or ",", spaces around them
// allowed; the numbers come back ascending. Anything else is refused with
// texts::kBadCombination.
TExpected<TCombination> ParseStakeNumbers(std::string_view text);

// The sum of the numbers typed so far (the live sum beside the numbers):
// every word that reads as a whole number counts, the rest is ignored.
long long StakeNumbersSum(std::string_view text);

// A stake needs a comment: a text of only spaces is refused with
// texts::kStakeCommentRequired.
TCheck CheckStakeComment(std::string_view comment);

// The bytes that adding `stakes` stakes for `draws` draws each adds to the
// stakes file at most: one record per stake and draw, and for a series of two
// draws or more a separator record before each of them.
std::uint64_t StakesFileGrowth(std::uint64_t stakes, int draws);

// A size for the person: bytes below a thousand, then KB, MB, GB with one
// decimal (decimal units: 3,828,711,744 bytes is 3.8 GB).
std::string ByteSizeText(std::uint64_t bytes);

}  // namespace corvel
