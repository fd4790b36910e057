#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/DrawRecord.h"
#include "model/Expected.h"

// The numbers field of the draw dialog: six different numbers 1..48, then the
// two extra numbers 1..48, separated by ";" or ",".
namespace corvel {

struct TDrawNumbersInput {
    TCombination Numbers{};
    std::array<std::uint8_t, kExtraPerDraw> Extra{};
};

// Refused with texts::kBadCombination when the text is not acceptable.
TExpected<TDrawNumbersInput> ParseDrawNumbers(std::string_view text);

// The field's text for a record: "n1;...;n6;e1;e2".
std::string FormatDrawNumbers(const TDrawRec& rec);

}  // namespace corvel
