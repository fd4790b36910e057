#pragma once

#include <string>
#include <vector>

#include "model/DrawRecord.h"
#include "stats/StatList.h"

// The detail window of a draw or a combination: a property list with the
// plotted value of every listed graph method.
namespace corvel {

struct TDetailRow {
    std::string Property;
    std::string Value;
};

// A draw of the archive: its number and date, then the methods' values with
// the draw as the reference draw. An index outside the archive gives nothing.
std::vector<TDetailRow> DrawDetails(const TStatList& list, const TDrawsArray& draws, int index, bool sorted);

// A combination, as the draw after the last analysed one (the window ends
// `offset` draws before the newest): the methods' values only.
std::vector<TDetailRow> CombinationDetails(const TStatList& list, const TDrawsArray& draws, const TCombination& comb,
                                           int offset, bool sorted);

}  // namespace corvel
