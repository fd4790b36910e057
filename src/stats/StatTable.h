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

// Column captions, in order, in the language in use (each null-terminated and
// valid while the string table is not changed).
std::array<const char*, kStatColumns> StatColumnCaptions();

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

// -1, 0 or 1: cells that both read as finite decimal numbers ("," taken as
// ".", a leading "+" allowed) compare as numbers, two other cells as
// case-insensitive text, and a cell that is not a number (such as "-") comes
// before every number. A total preorder, so sorting by it is well defined.
int CompareStatCells(const std::string& a, const std::string& b);
// Two rows by one column, equal cells by the row caption (column 0).
int CompareStatRows(const TStatTableRow& a, const TStatTableRow& b, int column);

// Sorts the rows by one column under CompareStatRows, keeping the order of
// rows that compare equal.
void SortStatTable(std::vector<TStatTableRow>& rows, int column, bool descending);

}  // namespace corvel
