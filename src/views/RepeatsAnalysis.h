#pragma once

#include <string>
#include <vector>

#include "model/DrawRecord.h"
#include "model/GraphSeries.h"
#include "model/Progress.h"

// How often each recent draw shares numbers with the draws before it: for
// every draw of the window and every match count k, how many of the `depth`
// earlier draws share exactly k numbers with it, and which.
namespace corvel {

struct TRepeatRow {
    int Draw = 0;              // the draw's number
    int Matches = 0;           // k, 1..6
    int Repeats = 0;           // earlier draws sharing exactly k numbers
    std::vector<int> Earlier;  // their numbers, newest first
};

struct TRepeatsAnalysis {
    std::vector<TRepeatRow> Rows;  // newest draw first; a draw's rows in the order their k was first met
    int LargestMatch = 0;
};

// The last `length` draws of the whole archive (the draw offset does not
// apply), each compared with up to `depth` draws before it, never before the
// first draw. One progress step per draw of the window; a stop request ends
// it early with the rows found so far.
TRepeatsAnalysis AnalyzeRepeats(const TDrawsArray& draws, int length, int depth, TProgress& progress);

// The chart: one series per k = 1..largest (named by k), a point (draw
// number, repeats) per row, oldest draw first, colours from a fixed palette.
TGraph RepeatsGraph(const TRepeatsAnalysis& analysis);

// The list of earlier draws of a row: their numbers joined by blanks.
std::string RepeatDrawsText(const TRepeatRow& row);

// The colour of the i-th series of a chart (0xRRGGBB), the same on every run.
std::uint32_t PaletteColour(std::size_t i);

}  // namespace corvel
