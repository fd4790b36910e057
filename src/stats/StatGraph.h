#pragma once

#include <vector>

#include "model/DrawRecord.h"

// The graph of one statistic over the recent draws: its plotted value draw
// by draw, the mean, and the value met most often.
namespace corvel {

class TCustomStat;
class TStatList;

struct TGraphPoint {
    int Draw = 0;  // the draw number
    int Value = 0;
};

struct TStatGraph {
    std::vector<TGraphPoint> Points;  // oldest first
    double Mean = 0;
    int MostFrequent = 0;  // the highest count; of equal counts the value met first; 0 for no draws
};

// The window of `length` draws ending `offset` draws before the newest (from
// the oldest when the archive is shorter); nothing when the offset leaves no
// draw. The method's context is set to the window's last draw.
TStatGraph ComputeStatGraph(TCustomStat& stat, const TDrawsArray& draws, int length, int offset, bool sorted);

// The registry indexes of the graph-capable methods, in the list's order.
std::vector<int> GraphMethods(const TStatList& list);

}  // namespace corvel
