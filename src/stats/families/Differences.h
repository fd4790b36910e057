#pragma once

#include <span>

#include "stats/StatClass.h"

// Differences (group 2): the differences between the numbers of a draw — every
// difference between neighbouring positions, the largest of them, the spread
// from the smallest to the largest number, how often equal differences
// repeat, and runs of two, three or four neighbouring differences together.
namespace corvel {

// The family's class rows in registration order.
std::span<const TStatClass> DifferenceClasses();

}  // namespace corvel
