#pragma once

#include <array>
#include <cstdint>

#include "model/GameSettings.h"
#include "model/Money.h"

// What chance alone would have done: as many stakes of six numbers as a
// scenario line made, each on the same draw, but with numbers chosen at
// random. The match counts of a random stake follow the hypergeometric law
// C(6, m) C(42, 6 - m) / C(48, 6) whatever the draw, so the expectation is
// exact, and replays of the whole set of stakes tell how often chance did at
// least as well as the line.
namespace corvel {

inline constexpr std::uint64_t kChanceReplays = 10'000;

struct TChanceBaseline {
    std::array<double, 7> ExpectedByMatches{};  // stakes x the probability of m matches
    double ExpectedPrizes = 0;                  // in money units
    std::uint64_t Seed = 0;
    std::uint64_t Replays = 0;
    std::uint64_t AtLeastAsWell = 0;  // replays whose prizes reached the line's
    // (AtLeastAsWell + 1) / (Replays + 1): the chance of doing at least as
    // well, never 0 for a finite number of replays.
    double PValue = 1;
};

// The prize of a six-number stake with m matches (0 for m outside 0..6).
TMoney SixNumberPrize(int matches, const TConfigData& config);

// The baseline for `stakes` stakes whose prizes came to `prizes`, replayed
// `replays` times from the seed. Each replay draws the counts of stakes with
// 6, 5, ... matches one after the other from their binomial laws given the
// stakes still unassigned, so its cost does not grow with the number of stakes.
TChanceBaseline ChanceBaseline(std::int64_t stakes, TMoney prizes, const TConfigData& config, std::uint64_t seed,
                               std::uint64_t replays = kChanceReplays);

}  // namespace corvel
