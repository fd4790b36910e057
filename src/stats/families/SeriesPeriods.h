#pragma once

#include <span>

#include "stats/StatClass.h"

// Serial groups (group 8) and periods (group 9): a number's history rather
// than one draw. A series is a run of consecutive draws in which an item (a
// number, its channel or its segment) is present (GRPV, GRCV, GRSV) or absent
// (GRPP, GRCP, GRSP); only the items of the newest draw of the window give
// values, as (item, run length). A period (PRDV, PRDC, PRDG) is the distance
// in draw numbers between two successive occurrences of an item, as (item,
// period).
namespace corvel {

// The family's class rows in registration order.
std::span<const TStatClass> SeriesPeriodClasses();

}  // namespace corvel
