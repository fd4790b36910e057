#pragma once

#include <span>

#include "stats/StatClass.h"

// Segments (group 5): the numbers 1..48 in the user's segments (the segment
// map MatrixSegments) — the channel members with the segment of a number in
// place of its channel.
namespace corvel {

// The family's class rows in registration order.
std::span<const TStatClass> SegmentClasses();

}  // namespace corvel
