#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The data of a line graph, independent of any chart widget: named series of
// points, each labelled with its x as an integer text when shown.
namespace corvel {

struct TSeriesPoint {
    double X = 0;
    double Y = 0;
};

struct TGraphSeries {
    std::string Name;          // UTF-8; series are told apart by name, ignoring case
    std::uint32_t Colour = 0;  // 0xRRGGBB; 0 leaves the colour to the chart
    bool Markers = true;       // point markers
    bool Marks = false;        // value marks at the points
    std::vector<TSeriesPoint> Points;
};

struct TGraph {
    std::string Caption;  // UTF-8, the window's title
    std::vector<TGraphSeries> Series;
};

}  // namespace corvel
