#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/GameConstants.h"

namespace corvel {

// One draw as the archive file stores it: the draw number, the six numbers in
// the order they were drawn, the two extra numbers and the date text. The date
// is kept as the raw code page 1251 bytes of the file (at most 11), so a record
// that is read and written again stays byte for byte the same.
struct TDrawRec {
    static constexpr std::size_t kFileSize = 24;
    static constexpr std::size_t kDateCapacity = 11;

    std::int32_t Number = 0;
    TCombination Numbers{};
    std::array<std::uint8_t, kExtraPerDraw> Extra{};
    std::uint8_t DateLength = 0;
    std::array<char, kDateCapacity> DateBytes{};

    std::string DateText() const;             // UTF-8
    void SetDateText(std::string_view utf8);  // cut to 10 characters as the system stores dates
    int Sum() const;                          // the S column: sum of the six numbers

    friend bool operator==(const TDrawRec&, const TDrawRec&) = default;
};

using TDrawsArray = std::vector<TDrawRec>;  // index 0 is the oldest draw

// Record layout of the archive file, field by field, little-endian.
void EncodeDrawRec(const TDrawRec& rec, std::uint8_t* out24);
TDrawRec DecodeDrawRec(const std::uint8_t* in24);

// A copy of the record whose six numbers are sorted ascending (extras untouched).
TDrawRec SortedCopy(const TDrawRec& rec);
void SortNumbers(TCombination& numbers);

}  // namespace corvel
