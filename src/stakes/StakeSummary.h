#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/GameSettings.h"
#include "model/Money.h"
#include "stakes/StakesFile.h"

// What the stakes in the file have cost, won and may still win. The expected
// prize of a stake waiting for its draw is exact: the probability of each
// match count for a stake of k numbers against six numbers drawn from 48 is
// C(k, m) C(48 - k, 6 - m) / C(48, 6), weighted by the prize-table entry that
// checking would pay for m matches.
namespace corvel {

struct TStakesSummary {
    std::int64_t Records = 0;  // separators included
    std::int64_t Stakes = 0;   // records for a draw (Draw > 0)
    std::int64_t Checked = 0;
    std::int64_t Waiting = 0;  // unchecked stakes of six numbers or more, which checking will take
    std::int64_t Damaged = 0;  // records that cannot be trusted; left out of every figure
    // Checked stakes: the cost at the current price of a stake, the prizes
    // (their fixed profit plus that cost) and the balance (their profits).
    TMoney CheckedCost;
    TMoney Prizes;
    TMoney Balance;
    // Waiting stakes: the cost they were made with and the expected prize.
    TMoney WaitingCost;
    double ExpectedPrize = 0;  // in money units
};

// Probability numerator of m matches for a stake of k numbers: C(k, m) C(48 - k, 6 - m)
// (the denominator is C(48, 6)); 0 outside 0..min(k, 6).
std::int64_t MatchWays(int numbers, int matches);

// The expected prize of one stake of k numbers under the prize table, in money units.
double ExpectedStakePrize(int numbers, const TConfigData& config);

TStakesSummary SummarizeStakes(const TStakesFile& file, const TConfigData& config);

// The summary as labelled figures, in the order the stakes tab and the
// command line show them (money with two decimals).
std::vector<std::pair<std::string, std::string>> StakesSummaryRows(const TStakesSummary& summary);

}  // namespace corvel
