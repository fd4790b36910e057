#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Draw dates as the archive keeps them: the text "dd.mm.yyyy".
namespace corvel {

std::string FormatDateText(std::chrono::year_month_day date);

// Reads day, month and year from the character positions of "dd.mm.yyyy" in the
// trimmed text (a missing or non-numeric field counts as 0). Empty text, a
// year that is not four digits, or a date that does not exist, gives no date.
std::optional<std::chrono::year_month_day> ParseDateText(std::string_view text);

}  // namespace corvel
