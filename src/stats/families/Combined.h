#pragma once

#include <span>

#include "stats/StatClass.h"

// Combined values (group 0): small groups of the numbers themselves as values —
// every pair, triple or quadruple of a draw, those of neighbouring positions,
// and the one starting at a given position, each a tuple in position order.
namespace corvel {

// The family's class rows in registration order.
std::span<const TStatClass> CombinedValueClasses();

}  // namespace corvel
