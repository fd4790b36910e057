#pragma once

#include <cstddef>
#include <span>

#include "model/GameConstants.h"

// The complete set of C(48, 6) combinations in lexicographic order, each with
// its numbers ascending.
namespace corvel {

// Writes all 12,271,512 combinations into `out`, which must have room for them;
// returns how many were written.
std::size_t EnumerateAllCombinations(std::span<TCombination> out);

}  // namespace corvel
