#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/DrawRecord.h"

// The layout of a window of draws: every number placed by how often it was
// drawn (rows, most often first) and when it was drawn last (columns, newest
// first), with the numbers of the draw after the window marked; and the
// compare lists, the numbers grouped by their count over other windows.
namespace corvel {

struct TLayoutCell {
    std::vector<std::uint8_t> Numbers;  // in the order they were met, newest draw first
    bool Marked = false;                // holds a number of the draw after the window
};

struct TLayoutMatrix {
    std::vector<int> Counts;                      // row captions, descending
    std::vector<int> LastDraws;                   // column captions (draw numbers), descending
    std::vector<std::vector<TLayoutCell>> Cells;  // [row][column]
    std::uint64_t NextDraw = 0;                   // bit n: n is a number of the draw after the window
};

// The `length` draws ending `offset` draws before the newest (fewer when the
// archive is shorter). With an offset of 1 or more the draw after the window
// is a real draw, and its numbers are marked.
TLayoutMatrix BuildLayout(const TDrawsArray& draws, int length, int offset);

// A cell's text: its numbers joined by ", ", a marked number as "[n]".
std::string LayoutCellText(const TLayoutMatrix& m, const TLayoutCell& cell);

// The colour (0xRRGGBB) of data cell (row r, column c), both counted from 1:
// lime for a marked cell; with `gradient` a blend over the rows and columns;
// otherwise a chequerboard of 5 x 5 blocks in light pink and light green.
std::uint32_t LayoutCellColour(const TLayoutMatrix& m, int r, int c, bool gradient);

struct TCompareRow {
    int Count = 0;
    std::string Numbers;  // joined by ", " in the order they were met
};
struct TCompareList {
    std::string Caption;            // "first draw - last draw" of the window
    std::vector<TCompareRow> Rows;  // in the order their counts were first met
};

// The numbers of the `length` draws ending `offset` draws before the newest,
// grouped by their count.
TCompareList BuildCompareList(const TDrawsArray& draws, int length, int offset);

}  // namespace corvel
