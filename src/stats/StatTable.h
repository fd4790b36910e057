#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/DrawRecord.h"
#include "model/GameSettings.h"
#include "stats/CustomStat.h"
#include "stats/Prefetch.h"
#include "stats/StatCompute.h"

// The statistics table: one row per value of a method over the last N draws,
// with counts, expected counts from the prefetch cache, depth, weight, periods,
// three estimates of the next occurrence and, when draws are hidden by the
// offset, the draw in which the value actually came next.
namespace corvel {

inline constexpr int kStatColumns = 20;

// Column captions, in order.
const std::array<const char*, kStatColumns>& StatColumnCaptions();

struct TStatTableRow {
    TStatDrawRec Value;  // the row's own copy; filters take it
    std::array<std::string, kStatColumns> Cells;
};

struct TStatTable {
    std::vector<TStatTableRow> Rows;  // in the order the method produced the values
    TStatWindow Window;
    TStatTotals Totals;
    bool PrefetchUsed = false;
    double Factor = 0;  // expected-count factor when the prefetch cache is used
};

struct TStatTableInput {
    const TDrawsArray& Draws;
    int Offset = 0;
    int WindowLength = 1000;
    bool Sorted = false;
    TCdlCoefficients Cdl;
    const TPrefetchData* Prefetch = nullptr;  // none: columns 3 to 5 show "-"
};

TStatTable ComputeStatTable(TCustomStat& stat, const TStatTableInput& input);

// The integer nearest to x; an exact half goes to the even neighbour.
long long Nearest(long double x);

// Sorts the rows by one column: cells that both read as decimal numbers (","
// taken as ".") compare as numbers, others as case-insensitive text; equal
// cells fall back to the row caption (column 0) under the same rule.
void SortStatTable(std::vector<TStatTableRow>& rows, int column, bool descending);

}  // namespace corvel
