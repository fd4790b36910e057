#pragma once

#include <span>

#include "model/GraphSeries.h"
#include "ratings/RatingRecord.h"

// The data of the graphs of the stakes and the ratings, each a caption and
// line series whose values are in money units or counts. A graph without
// data is refused with ECorvelError (texts::kGraphNeedsDraws).
namespace corvel {

class TStakesFile;

// The profit of the stakes per draw number (checked or not; separators left
// out), the draws in the order the file first names them, with the mean over
// the draws and the running total.
TGraph DrawProfitsGraph(const TStakesFile& file);

// What the stake graphs of rating rows show for each stake.
enum class TStakeGraphValue { Hits, Profit };

// For the rows: among the checked stakes of the last 100 draws that have
// checked stakes, each stake whose comment is a row's comment (letter case
// ignored, as the ratings do) is a point (draw, its matches or profit) in the
// series of that comment. Series come in the order of their first stake.
// Refused without rows or with fewer than two such draws.
TGraph StakesOfRowsGraph(const TStakesFile& file, std::span<const TRatingRec> rows, TStakeGraphValue value);

// x = 0..6: the counts of a random play of as many stakes as the largest row
// has (texts::kGraphNormalSeries), then each row's stakes by their matches.
TGraph MatchCountsGraph(std::span<const TRatingRec> rows);

}  // namespace corvel
