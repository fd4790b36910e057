#pragma once

#include <span>

#include "stats/StatClass.h"

// Chains (group 10): transitions between draws. For the numbers, channels,
// segments or counts in one channel or segment that the newest draw of the
// window shares with an earlier draw, what the draw after that earlier one
// held: values (from, to) over two draws and (from, from, to) over three. A
// filter keeps or drops the combinations that hold a selected follower; a
// combination stands for the draw after the last analysed one, so nothing
// after that draw is ever read.
namespace corvel {

// The family's class rows in registration order.
std::span<const TStatClass> ChainClasses();

}  // namespace corvel
