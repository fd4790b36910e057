#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/DrawRecord.h"

// The card of the draws: one row per draw, newest first, one column per
// number, so that runs (a number drawn in consecutive draws) and neighbours
// (consecutive numbers in one draw) stand out.
namespace corvel {

struct TCardRow {
    int Draw = 0;
    std::uint64_t Numbers = 0;  // bit n set: n drawn (1..48)
    std::array<std::uint8_t, 2> Extra{};

    bool Has(int n) const { return n >= 1 && n <= 63 && (Numbers >> n & 1); }
};

// Every draw of the archive, newest first.
std::vector<TCardRow> BuildCard(const TDrawsArray& draws);

// How a drawn number stands out: drawn in the row above or below (a run),
// with a drawn number left or right of it in its row (a neighbour).
enum class TCardMark : std::uint8_t { None, Run, Neighbour, RunAndNeighbour };
TCardMark CardMark(const std::vector<TCardRow>& rows, std::size_t row, int number);

// The colour (0xRRGGBB) of a data cell: column 1..48 for the numbers, 49 and
// 50 for the extra numbers; `window` is the colour of a plain cell. Runs and
// neighbours are marked when `sequences` is on, the other number cells take
// their channel's colour when `channels` is on.
std::uint32_t CardCellColour(const std::vector<TCardRow>& rows, std::size_t row, int column, bool channels,
                             bool sequences, int channelWidth, std::uint32_t window);

}  // namespace corvel
