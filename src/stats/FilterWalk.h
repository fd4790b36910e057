#pragma once

#include <string>

#include "stats/FilterDefinition.h"
#include "stats/StatTable.h"

// The row tests of an automatic filter walk over a statistics table: which
// rows qualify for a level mode, and when the walk stops.
namespace corvel {

class TCustomStat;

// Whether the row passes the part's level test (LevelMode, LevelTest).
bool RowPassesLevel(const TStatTableRow& row, const TFilterPart& part, const TCustomStat& stat);

// Whether the walk stops before this row for the stop modes that look at the
// row or the step counter (SF never; ST by steps; SV, SP by the row's count
// cells). The list-size modes SC and SZ are decided by the caller. `steps`
// counts, with multi-select, every row examined so far; row by row, the
// applications that left combinations.
bool RowStopsWalk(const TStatTableRow& row, const TFilterPart& part, int steps);

}  // namespace corvel
