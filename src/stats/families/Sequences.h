#pragma once

#include <span>

#include "stats/StatClass.h"

// Sequences (group 6): runs of consecutive numbers inside one draw — their
// lengths, how many there are and the longest. Repeats (group 7): numbers of a
// draw that were drawn one to four draws before, shifted by ±1 or ±2, in three
// draws in a row or in exactly two draws in a row, as the numbers themselves
// and as counts.
namespace corvel {

// The family's class rows in registration order.
std::span<const TStatClass> SequenceClasses();

}  // namespace corvel
