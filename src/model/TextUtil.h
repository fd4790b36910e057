#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Small text helpers shared by the parsers of the engine.
namespace corvel {

std::string_view Trim(std::string_view s);

// The whole trimmed text as a decimal integer (an optional sign), else nothing.
std::optional<std::int64_t> ToInt64(std::string_view s);
int ToIntDef(std::string_view s, int fallback);

// Splits at any of the separator characters; empty pieces are dropped when asked.
std::vector<std::string_view> SplitAny(std::string_view s, std::string_view separators, bool skipEmpty);

// ASCII-only case folding, enough for codes and ini keys.
std::string ToUpperAscii(std::string_view s);
bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b);

// Lower case of a UTF-8 text for comparisons ignoring case: the Latin and the
// Russian letters (with Ё) are folded, everything else is kept.
std::string FoldCaseRussian(std::string_view s);

// The code points of a UTF-8 text, each as its own UTF-8 piece.
std::vector<std::string_view> Utf8Characters(std::string_view s);

}  // namespace corvel
