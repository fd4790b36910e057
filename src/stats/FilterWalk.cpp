#include "stats/FilterWalk.h"

#include <charconv>
#include <optional>

#include "model/TextUtil.h"
#include "stats/CustomStat.h"

namespace corvel {
namespace {

enum class Test { All, AtLeast, AtMost, InList, Values };

struct LevelRule {
    Test Kind;
    int Column;
    bool Decimal;     // the cell is read as a decimal number, else as an integer
    double Fallback;  // the value of a cell that is not a number
};

// Columns: 1 count, 2 count %, 4 deviation, 5 deviation %, 6 depth, 7 depth %,
// 8 weight, 10 period min, 11 period, 12 period max.
constexpr LevelRule kRules[kLevelModeCount] = {
    {Test::All, 0, false, 0},        {Test::AtLeast, 6, false, 0},   {Test::AtLeast, 7, true, 0},
    {Test::AtMost, 6, false, 65535}, {Test::AtMost, 7, true, 65535}, {Test::InList, 6, false, 0},
    {Test::InList, 7, true, 0},      {Test::AtLeast, 4, false, 0},   {Test::AtLeast, 5, true, 0},
    {Test::AtMost, 4, false, 65535}, {Test::AtMost, 5, true, 65535}, {Test::InList, 4, false, 0},
    {Test::InList, 5, true, 0},      {Test::AtLeast, 1, false, 0},   {Test::AtLeast, 2, true, 0},
    {Test::AtMost, 1, false, 65535}, {Test::AtMost, 2, true, 65535}, {Test::InList, 1, false, 0},
    {Test::InList, 2, true, 0},      {Test::AtLeast, 8, true, 0},    {Test::AtMost, 8, true, 0},
    {Test::InList, 8, true, 0},      {Test::AtLeast, 10, false, 0},  {Test::AtMost, 10, false, 65535},
    {Test::InList, 10, false, 0},    {Test::AtLeast, 11, true, 0},   {Test::AtMost, 11, true, 0},
    {Test::InList, 11, true, 0},     {Test::AtLeast, 12, false, 0},  {Test::AtMost, 12, false, 65535},
    {Test::InList, 12, false, 0},    {Test::Values, 0, false, 0},
};

std::optional<double> ReadCell(const std::string& cell, bool decimal) {
    if (!decimal) {
        auto v = ToInt64(cell);
        return v ? std::optional<double>(static_cast<double>(*v)) : std::nullopt;
    }
    std::string t(Trim(cell));
    for (char& c : t)
        if (c == ',') c = '.';
    const char* begin = t.data();
    if (!t.empty() && *begin == '+') ++begin;
    double v = 0;
    auto [end, ec] = std::from_chars(begin, t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return v;
}

}  // namespace

bool RowPassesLevel(const TStatTableRow& row, const TFilterPart& part, const TCustomStat& stat) {
    if (part.LevelMode >= kLevelModeCount) return true;
    const LevelRule& rule = kRules[part.LevelMode];
    const std::string& cell = row.Cells[static_cast<std::size_t>(rule.Column)];
    switch (rule.Kind) {
        case Test::All:
            return true;
        case Test::AtLeast:
        case Test::AtMost: {
            const double v = ReadCell(cell, rule.Decimal).value_or(rule.Fallback);
            const double level = ToIntDef(part.LevelTest, 0);
            return rule.Kind == Test::AtLeast ? v >= level : v <= level;
        }
        case Test::InList: {
            auto v = ReadCell(cell, rule.Decimal);
            if (!v) return false;
            for (std::string_view word : SplitAny(part.LevelTest, ",;", true)) {
                auto listed = ReadCell(std::string(word), rule.Decimal);
                if (listed && *listed == *v) return true;
            }
            return false;
        }
        case Test::Values: {
            const int value = stat.ParseValue(row.Cells[0]);
            for (std::string_view word : SplitAny(part.LevelTest, ",;", true))
                if (auto listed = ToInt64(word); listed && *listed == value) return true;
            return false;
        }
    }
    return false;
}

bool RowStopsWalk(const TStatTableRow& row, const TFilterPart& part, int steps) {
    switch (part.StopMode) {
        case kStopSteps:
            return steps >= part.StopValue;
        case kStopValue:
        case kStopPercent: {
            const bool percent = part.StopMode == kStopPercent;
            auto v = ReadCell(row.Cells[percent ? 2 : 1], percent);
            if (!v) return false;
            return part.BottomUp ? *v >= part.StopValue : *v <= part.StopValue;
        }
        default:
            return false;
    }
}

}  // namespace corvel
