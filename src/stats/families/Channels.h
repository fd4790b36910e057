#pragma once

#include <cstdint>
#include <span>

#include "model/GameSettings.h"
#include "stats/StatClass.h"

// Channels (group 3): the numbers 1..48 in consecutive blocks of ChannelSize
// numbers — which channels a draw occupies, how many numbers each holds, how
// many are occupied, tuples of the channels of several positions and the
// count in one channel.
namespace corvel {

// The channel of a number for a channel width: ceil(n / width); 0 for a width
// of 0 or less (no channels).
constexpr int ChannelOf(int n, int width) { return width <= 0 ? 0 : (n + width - 1) / width; }

// The colour (0xRRGGBB) a list paints a number's cell in: the entry of its
// channel in a table of 19 colours, channels past 19 starting the table
// again; red for a number outside 1..48 or without a channel.
std::uint32_t ChannelColour(int n, int width);

// The family's class rows in registration order.
std::span<const TStatClass> ChannelClasses();

}  // namespace corvel
