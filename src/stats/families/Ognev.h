#pragma once

#include <span>

#include "model/DrawRecord.h"
#include "stats/StatClass.h"

// Ognev numbers (group 11): the six numbers reduced by repeated differences of
// neighbours to two values x1, x2 and then to r = |x2 - x1|. HCO1 is r; HCO2
// is x1 + x2 when r is 0 or 1, else r; HCO3 lists, for the draw a filter
// looks ahead from, the Ognev numbers of the newest draw with their multiples
// as numbers to play.
namespace corvel {

// The two values the reduction leaves (x1 in the low byte, x2 in the high
// byte), the numbers taken in the order given.
int OgnevPair(const TCombination& numbers);
// Mode 0: r; mode 1: x1 + x2 when r is 0 or 1, else r.
int OgnevNumber(const TCombination& numbers, int mode);

// The family's class rows in registration order.
std::span<const TStatClass> OgnevClasses();

}  // namespace corvel
