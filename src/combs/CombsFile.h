#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/CombsArray.h"

// Combination files (.lcv): text, one combination per line. Written as the six
// numbers joined with ";" and CR LF line ends; read from every line that splits
// at "," and ";" into exactly six words. Values are kept as written, also
// outside 1..48; a word that is not an integer 0..255 becomes 0, which no draw
// holds, so a damaged value never turns into another valid number.
namespace corvel {

class TCombsList;

// A word of a combination file as a byte.
std::uint8_t LcvWordToByte(std::string_view word);

// One line of a combination file: how many words it splits into, and the
// first six of them as bytes. The line is a combination when Words is six.
struct TLcvLine {
    int Words = 0;
    TCombination Numbers{};
};
TLcvLine ParseLcvLine(std::string_view line);

// Replaces the list with the combinations of the file text. Throws
// ECorvelError, leaving the list as it was, when there are more of them than
// the list can hold.
void ParseCombsText(std::string_view text, TCombsArray& list);

// The file text of the whole list.
std::string CombsFileText(const TCombsArray& list);

// Reading and writing the file; both throw ECorvelError (EFileError for the
// file itself) and then leave the list, or the old file, untouched. Writing
// goes through a temporary file in the same folder.
void ReadCombsFile(const std::filesystem::path& path, TCombsArray& list);
void WriteCombsFile(const std::filesystem::path& path, const TCombsArray& list);

// Opening a file as the new list: on success the undo copy is forgotten (the
// new list does not descend from the old one); on failure (the exception of
// ReadCombsFile) the list and its undo copy stay as they were.
void OpenCombsFile(TCombsList& list, const std::filesystem::path& path);

}  // namespace corvel
