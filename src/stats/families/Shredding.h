#pragma once

#include <span>
#include <string>

#include "model/GameSettings.h"
#include "stats/StatClass.h"

// Shredding formulas (group 12): three methods SHR1..SHR3, each valuing a draw
// by a formula of the person's over its six numbers (n1..n6) and those of the
// one or two draws before it (p1..p6, t1..t6), keeping the first digits after
// the decimal point of the result's absolute value.
namespace corvel {

// The formula and digit count of SHR1..SHR3 under the settings; a digit count
// outside 1..5 counts as the default, a parameter outside 1..3 has the empty
// formula (which never evaluates).
std::string ShreddingFormula(const TGameSettings& settings, int param);
int ShreddingDigits(const TGameSettings& settings, int param);

// The family's class rows in registration order.
std::span<const TStatClass> ShreddingClasses();

}  // namespace corvel
