#pragma once

#include <span>

#include "model/GameConstants.h"
#include "stats/StatClass.h"

// Sums (group 1): the sum of the six numbers of a draw — the sum itself, the
// sums of its even and of its prime numbers, whether it lies in one of three
// fixed bands, how the sum changed after earlier draws whose sum resembled
// that of the last analysed draw, and how often two numbers of the draw add
// up to a third.
namespace corvel {

// The smallest and the largest sum of six different numbers, and how far the
// sum of an earlier draw may lie from the reference sum for its change to
// count in SUMV.
inline constexpr int kSmallestSum = kNumbersPerDraw * (kNumbersPerDraw + 1) / 2;
inline constexpr int kLargestSum = kNumbersPerDraw * kMaxNumber - kNumbersPerDraw * (kNumbersPerDraw - 1) / 2;
inline constexpr int kSumChangeTolerance = (kLargestSum - kSmallestSum) / 10;
static_assert(kSmallestSum == 21 && kLargestSum == 273 && kSumChangeTolerance == 25);

// A band of the sum (bounds included) and the two numbers its caption shows
// after the band's number.
struct TSumBand {
    int Low;
    int High;
    int CaptionX;
    int CaptionY;
};
// The band of SUM1..SUM3.
const TSumBand& SumBand(int band);

// The family's class rows in registration order.
std::span<const TStatClass> SumClasses();

}  // namespace corvel
