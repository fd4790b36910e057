#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/GameSettings.h"

// Filter definitions: which method, over which window lengths, how the rows of
// its statistics table are picked, when the walk stops and whether the picked
// values keep or remove combinations. A definition is stored as one line of
// text ("TSD1#NUMS:50, 100#LMV:1-10;2#ST:3") inside scenario lines.
namespace corvel {

class TStatList;

inline constexpr int kLevelModeCount = 32;
inline constexpr int kStopModeCount = 6;

enum TLevelMode : std::uint8_t {
    kLevelNone = 0,        // LNO
    kLevelValuesList = 31  // LVA
};
enum TStopMode : std::uint8_t { kStopNever = 0, kStopCount = 1, kStopEmpty = 2, kStopSteps = 3, kStopValue = 4, kStopPercent = 5 };

const char* LevelToken(int mode);
const char* LevelCaption(int mode);
const char* StopToken(int mode);
const char* StopCaption(int mode);

struct TFilterItem {
    bool Active = false;
    std::string MethodText;  // field 2 as read, written back when the method is unknown
    int Method = -1;         // registry index, -1 when the code is not registered
    std::string DrawsLen;
    std::int32_t SortColumn = 0;
    bool BottomUp = false;
    bool MultiSelect = false;
    bool Keep = false;
    std::uint8_t LevelMode = 0;
    std::string LevelValue;
    bool CDLOverride = false;
    TCdlCoefficients CDL;
    std::uint8_t StopMode = 0;
    std::int32_t StopValue = 0;
};

struct TFilterPart {
    bool Active = false;
    int Method = -1;
    std::int32_t WindowLength = 0;
    std::int32_t SortColumn = 0;
    bool BottomUp = false;
    bool MultiSelect = false;
    bool Keep = false;
    std::uint8_t LevelMode = 0;
    std::string LevelTest;
    std::string LevelText;
    bool CDLOverride = false;
    TCdlCoefficients CDL;
    std::uint8_t StopMode = 0;
    std::int32_t StopValue = 0;
};

using TFilterRec = std::array<TFilterPart, 7>;

// Lists of integers: "5", "1, 2;3", or a range with a step "1-10;2". Text that
// fits neither form, a step of 0, or a list of more than a million values
// gives an empty list.
std::vector<int> ParseIntList(std::string_view text);

TFilterItem ParseFilterItem(std::string_view text, const TStatList& list);
std::string FilterItemText(const TFilterItem& item, const TStatList& list);
std::string FilterPartText(const TFilterPart& part, const TStatList& list);
std::string FilterRecText(const TFilterRec& rec, const TStatList& list);

// One part per window length (and per level value for the single-value level
// modes). Throws ECorvelError "Некорректное описание фильтра: %s!" when the
// window list, or a needed level list, is empty.
std::vector<TFilterPart> ExpandFilterItem(const TFilterItem& item, const TStatList& list);

// The checks of the filter dialog on OK: the error text, or empty when the
// definition is acceptable. `field` tells which field to focus.
struct TFilterItemCheck {
    std::string Error;
    enum Field { kNone, kWindows, kLevel, kStop } Focus = kNone;
};
TFilterItemCheck CheckFilterItem(const TFilterItem& item, const TStatList& list);

// Characters the two list fields of the dialog accept.
bool IsListFieldCharacter(char c);

}  // namespace corvel
