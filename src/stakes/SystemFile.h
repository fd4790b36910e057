#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/CombsArray.h"
#include "model/GameConstants.h"

// Systems (wheels): a list of lines of six indices 1..N that map N chosen
// numbers onto six-number stakes, kept as text files in the folder "Systems"
// of the data folder.
namespace corvel {

// One line of a system: six indices counted from 1.
using TSystemLine = std::array<std::uint8_t, kNumbersPerDraw>;

// The smallest and largest count of numbers a system can use.
inline constexpr int kSystemMinNumbers = 7;
inline constexpr int kSystemMaxNumbers = kMaxNumber;
// A system file larger than this is refused before it is read.
inline constexpr std::uint64_t kSystemFileMaxBytes = 64ull << 20;

// Reads the text of a system for `numbers` chosen numbers: one line of six
// indices per combination, separated by any of the characters
// " *+,-./:;=\_|~" (and tabs); empty lines are skipped. Every index must lie
// in 1..numbers and the six indices of a line must differ, so that playing
// the system never reads past the chosen numbers. Throws EInvalidArgument
// naming the line; a text without any line is refused too.
std::vector<TSystemLine> ParseSystemText(std::string_view text, int numbers);

// The local file name of a system: "6-NN-B_IIII.dat" (numbers, block length,
// catalogue id).
std::string SystemFileName(int numbers, int block, int id);

// What the name of a local system file says; nothing for names of another form.
struct TSystemFileName {
    int Numbers = 0;
    int Block = 0;
    int Id = 0;
};
std::optional<TSystemFileName> ParseSystemFileName(std::string_view name);

// The system file for `numbers` numbers in the folder: of the files named
// "6-NN-*_*.dat" the first by name (a download keeps only one per count).
// Nothing when the folder or such a file is missing.
std::optional<std::filesystem::path> FindSystemFile(const std::filesystem::path& folder, int numbers);

// The distinct numbers of the list in the order they first appear, read
// combination by combination, number by number (at most 48).
std::vector<std::uint8_t> ChosenNumbers(const TCombsArray& list);

// Maps every line onto the chosen numbers (index j gives chosen[j - 1]) and
// sorts each combination ascending. The lines must have been read for
// chosen.size() numbers.
std::vector<TCombination> ExpandSystem(const std::vector<TSystemLine>& lines, const std::vector<std::uint8_t>& chosen);

// The combinations of `expanded` that are also in the list, in their own
// order; one pass over the list against a hash set of the system's lines.
std::vector<TCombination> KeepCombinationsInList(const std::vector<TCombination>& expanded, const TCombsArray& list);

// A system expanded over the numbers of a combination list, ready to stake.
struct TSystemPlay {
    bool ListOnly = false;
    int Numbers = 0;                         // the distinct numbers of the list
    std::string Name;                        // the system file's name without extension
    std::string Title;                       // the default comment of the stakes
    std::int32_t Sample = 0;                 // the list's size in list mode, else the system's line count
    std::vector<TCombination> Combinations;  // sorted, in file order
};

// Finds the system for the list's distinct numbers in the folder, reads it
// and maps it onto them; in list mode only the combinations also in the list
// are kept. Throws ECorvelError: no such system (the whole message), or a
// file that cannot be read or holds a faulty line (after the load error text).
TSystemPlay PlanSystemPlay(const std::filesystem::path& folder, const TCombsArray& list, bool listOnly);

}  // namespace corvel
