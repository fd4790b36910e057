#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The fixed rules of "Corvel Lotto 6x48": six different numbers 1..48 per draw
// plus two extra numbers. Nothing here is configurable.
namespace corvel {

inline constexpr int kNumbersPerDraw = 6;
inline constexpr int kMinNumber = 1;
inline constexpr int kMaxNumber = 48;
inline constexpr int kExtraPerDraw = 2;
inline constexpr std::size_t kAllCombinations = 12'271'512;  // C(48, 6)

// File names: game files use the game stem, program files the program stem.
inline constexpr const char* kGameStem = "CorvelLotto_6x48";
inline constexpr const char* kProgramStem = "corvel-lotto";

// One combination: six numbers in the order the combination holds them. Values
// read from files are kept as written, so any byte 0..255 may appear here.
using TCombination = std::array<std::uint8_t, kNumbersPerDraw>;
static_assert(sizeof(TCombination) == 6);

}  // namespace corvel
