#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/GameConstants.h"

// How combinations are written as text and read back: the decimal texts of
// every byte value, and splitting a line into the words of one combination.
// Both the .lcv files and the clipboard use these; nothing here allocates, so
// the parsers can run over millions of lines.
namespace corvel {

// "0" .. "255": the decimal text of any byte.
std::string_view ByteDecimal(std::uint8_t value);

// Writes the decimal text of the value at `out` and returns the end of it.
// It stores four bytes whatever the length, so `out` needs three bytes of
// room past the text; one fixed-size store beats a copy of variable length.
char* PutByteDecimal(char* out, std::uint8_t value);

// At least two digits: "00" .. "99", then "100" .. "255".
std::string_view ByteTwoDigits(std::uint8_t value);

// The characters that separate the words of a line, as a lookup table over
// every byte value.
class TSeparators {
  public:
    constexpr explicit TSeparators(std::string_view characters) {
        for (char c : characters) table_[static_cast<unsigned char>(c)] = true;
    }
    constexpr bool operator()(char c) const { return table_[static_cast<unsigned char>(c)]; }

  private:
    std::array<bool, 256> table_{};
};

// The words of one line, trimmed, blank pieces left out. Only the first
// kNumbersPerDraw + 1 are kept: that is enough to tell "six" from "not six".
struct TLineWords {
    std::array<std::string_view, kNumbersPerDraw + 1> Words{};
    int Count = 0;

    bool IsCombination() const { return Count == kNumbersPerDraw; }
};

TLineWords SplitLineWords(std::string_view line, const TSeparators& separators);

// Calls onLine for every non-empty line of the text; CR, LF and CR LF all end
// a line.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine&& onLine) {
    std::size_t start = 0;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || text[i] == '\n' || text[i] == '\r') {
            if (i > start) onLine(text.substr(start, i - start));
            start = i + 1;
        }
    }
}

}  // namespace corvel
