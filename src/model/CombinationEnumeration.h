#pragma once

#include <cstddef>
#include <functional>
#include <span>

#include "model/GameConstants.h"

// The complete set of C(48, 6) combinations in lexicographic order, each with
// its numbers ascending.
namespace corvel {

// Writes all 12,271,512 combinations into `out`, which must have room for them;
// returns how many were written.
std::size_t EnumerateAllCombinations(std::span<TCombination> out);

// Runs body over the full enumeration in blocks, on all cores at once: one
// block per pair of first two numbers (at most 163,185 combinations, written
// into a per-thread buffer), so no list of all combinations is needed. The
// body is called concurrently and must keep its own state per thread.
void ForEachEnumerationBlock(const std::function<void(std::span<const TCombination>)>& body);

}  // namespace corvel
