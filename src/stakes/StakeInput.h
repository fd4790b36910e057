#pragma once

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

}  // namespace corvel
