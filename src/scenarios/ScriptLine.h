#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Expected.h"

// One line of a scenario: an options header, up to seven filter definitions
// and a comment, nine fields separated by "|". A run of "|" counts as one
// separator, so an unused filter is written as a single space; every field is
// trimmed when read. An empty line is a separator.
namespace corvel {

// How a line prepares the combination list (StartType).
enum class TStartType : std::uint8_t { Full = 0, Exclude = 1, Current = 2 };
inline constexpr int kStartTypes = 3;
// What a line does when more than one combination is left (ResultMode).
enum class TResultMode : std::uint8_t {
    Random = 0,
    First = 1,
    Last = 2,
    All = 3,
    SystemAll = 4,
    SystemCombs = 5,
    Stop = 6,
    Skip = 7,
    None = 8
};
inline constexpr int kResultModes = 9;
inline constexpr int kScriptFilters = 7;

struct TScriptOptions {
    std::int32_t ExcludeDraws = 0;
    std::uint8_t StartType = 0;
    std::uint8_t ResultMode = 0;
    bool ClearStakes = false;
    bool NewOnly = false;

    friend bool operator==(const TScriptOptions&, const TScriptOptions&) = default;
};

using TScriptFilters = std::array<std::string, kScriptFilters>;

// Word `word` (from 1) of the line, trimmed; empty when the line has fewer.
std::string ScriptLineWord(std::string_view line, int word);
inline std::string ScriptLineOptions(std::string_view line) { return ScriptLineWord(line, 1); }
inline std::string ScriptLineFilter(std::string_view line, int filter) { return ScriptLineWord(line, filter + 1); }
inline std::string ScriptLineComment(std::string_view line) { return ScriptLineWord(line, 9); }
bool IsScriptSeparator(std::string_view line);

// The header: start keyword (FULL, EXCL, CURR; case ignored) with ":n", the
// mode keyword, then CLR and NEX in any order. Unknown keywords give 0.
TScriptOptions ParseScriptOptions(std::string_view text);
// "EXCL:5#LAST#NEX": ":n" always, CLR and NEX when set.
std::string FormatScriptOptions(const TScriptOptions& options);
// The form stake comments carry: ":n" for EXCL only, never CLR.
std::string FormatScriptOptionsShort(const TScriptOptions& options);
// The list view's text: the start list, the mode and the stake options, joined by "; ".
std::string ScriptOptionsText(const TScriptOptions& options);
// The item editor's texts (full) and the list view's texts (short).
std::string_view StartTypeEditorText(int type);
std::string_view ResultModeEditorText(int mode);
std::string StartTypeListText(int type, int excludeDraws);
std::string_view ResultModeListText(int mode);

// The header, then "|" and each filter (a single space when blank), then
// "|" and the comment when it is not blank.
std::string BuildScriptLine(const TScriptOptions& options, const TScriptFilters& filters, std::string_view comment);
TScriptFilters ScriptLineFilters(std::string_view line);

// A comment or filter text typed by a person: "|" would shift the fields
// when the line is read back, and "@" separates the comment from the filters
// in the comments of scenario stakes, so both are refused.
TCheck CheckScriptField(std::string_view text);

}  // namespace corvel
