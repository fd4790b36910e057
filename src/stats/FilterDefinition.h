#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Errors.h"
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
enum TStopMode : std::uint8_t {
    kStopNever = 0,
    kStopCount = 1,
    kStopEmpty = 2,
    kStopSteps = 3,
    kStopValue = 4,
    kStopPercent = 5
};

const char* LevelToken(int mode);
std::string_view LevelCaption(int mode);
const char* StopToken(int mode);
std::string_view StopCaption(int mode);

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

// The most parts one definition may expand into (windows x level values in
// the single-value level modes, windows otherwise). Each part is one filter
// step of a scenario over the statistics table and the combination list, so
// far fewer are ever useful; the cap keeps a mistyped range from running for
// days or exhausting memory.
inline constexpr std::size_t kMaxFilterParts = 100'000;

// A definition expands into more parts than kMaxFilterParts.
class ETooManyFilterParts : public ECorvelError {
  public:
    using ECorvelError::ECorvelError;
};

// The parts of a definition, without making them all: part k has window
// k div L and level value k mod L, L being the number of level values in the
// single-value level modes (1 otherwise), in the order of the lists.
// Both throw ECorvelError texts::kBadFilterDefinition when the window
// list, or a needed level list, is empty, and ETooManyFilterParts above
// kMaxFilterParts (the count is never multiplied out past the cap, so no
// overflow). FilterPartAt throws EInvalidArgument for k >= the count. Each call
// reads the definition's lists again: O(length of the list texts).
std::size_t FilterPartCount(const TFilterItem& item, const TStatList& list);
TFilterPart FilterPartAt(const TFilterItem& item, std::size_t k, const TStatList& list);

// An integer list as written, read without spelling out a range: the listed
// values, or the start, step and count of a range.
struct TIntSequence {
    std::vector<int> Listed;
    std::int64_t Start = 0;
    std::int64_t Step = 0;
    std::size_t RangeCount = 0;
    bool IsRange = false;

    std::size_t Count() const { return IsRange ? RangeCount : Listed.size(); }
    int At(std::size_t i) const {
        return IsRange ? static_cast<int>(Start + static_cast<std::int64_t>(i) * Step) : Listed[i];
    }
};

// The parts of one definition read once, for walking them one by one: the
// order and the errors of FilterPartCount, and Part(k) costs only the part.
class TFilterExpansion {
  public:
    TFilterExpansion(const TFilterItem& item, const TStatList& list);
    std::size_t Count() const { return count_; }
    // k < Count().
    TFilterPart Part(std::size_t k) const;
    // The level text of the list modes, which every part carries.
    std::size_t SharedLevelTextSize() const { return listTest_.size(); }

  private:
    TFilterItem item_;
    TIntSequence windows_;
    TIntSequence levels_;
    bool singleLevel_ = false;
    std::size_t perWindow_ = 1;
    std::size_t count_ = 0;
    std::string listTest_;  // LevelTest of the list modes, shared by all parts
};

// All parts at once, in the order above; the same errors, and also
// ETooManyFilterParts when the parts together would hold too much level text
// (a long value list in a list mode, repeated in every part).
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
