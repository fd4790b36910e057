#pragma once

#include <span>

#include "model/GameSettings.h"
#include "stats/StatClass.h"

// Segments (group 5): the numbers 1..48 in the user's segments (the segment
// map MatrixSegments) — the channel members with the segment of a number in
// place of its channel.
namespace corvel {

// The family's class rows in registration order.
std::span<const TStatClass> SegmentClasses();

// The parameters of a family with one method per segment: from the smallest
// to the largest segment of the map, so that a segment between them that no
// number uses still gets its method.
void SegmentParamRange(const TGameSettings& settings, int& low, int& high);

}  // namespace corvel
