#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "i18n/StringTable.h"
#include "model/GameSettings.h"

namespace corvel {

class TCustomStat;
class TStatList;
struct TStatDrawRec;

// Flag bits of a method (the letters shown after its caption, in bit order).
enum TStatFlag : std::uint8_t {
    kFlagS = 1,   // depends on the order of the numbers within a draw
    kFlagN = 2,   // a bare combination is enough: prefetchable
    kFlagD = 4,   // needs the reference draw as well
    kFlagP = 8,   // period method
    kFlagG = 16,  // graph method (added by AllFlags)
};

inline constexpr int kGroupCount = 13;

// How a value is written: the decimal Key[0]; a count x of six as "x:y" with
// y = 6 - x; a 6-bit pattern over the six numbers, the first number in bit 5,
// as six letters and the mask (ClearLetter and SetLetter of the row, then the
// mask in three digits: "XyXXyy (019)").
enum class TValueText : std::uint8_t { Decimal, Ratio, Mask };

// What a statistic method class says about itself without an instance: its
// row in a family table. The registry lists the rows, and an instance keeps a
// reference to the row it was created from. Besides the class-level facts the
// row says how values are written and which values are seeded; `Create` makes
// the instance that computes the values (see StatRow in stats/ValueStat.h).
struct TStatClass {
    const char* ClassName = "";
    const char* Code = "";         // code template; may hold one "%d" for the parameter
    i18n::TextId Caption{"", ""};  // caption template; may hold "%0:d"
    // Formats the caption for a parameter when the parameter alone is not
    // what the template takes (a band with its bounds, a fixed run length);
    // null: the template formatted with the parameter.
    std::string (*CaptionText)(std::string_view caption, int param) = nullptr;
    const char* FamilyCode = "";  // help topic family; empty: the code template
    std::uint8_t Group = 0;
    std::uint8_t Flags = 0;
    bool Graph = false;
    bool Enabled = true;
    bool Listed = true;
    bool CanParseValue = true;
    TValueText Text = TValueText::Decimal;
    // The text of a value written some other way (tuples, signed changes,
    // bands); null: as `Text` says.
    std::string (*ValueText)(const TStatDrawRec& value, int param) = nullptr;
    i18n::TextId ClearLetter{"", ""};  // mask letters for bit 0 and bit 1
    i18n::TextId SetLetter{"", ""};
    // Values added with count 0 before the draws are read, so that values that
    // never occurred still show: SeedFirst..SeedLast in Key[0], none when
    // SeedLast < SeedFirst.
    int SeedFirst = 0;
    int SeedLast = -1;
    // Parameter range of a parameter family; none for a single method.
    void (*ParamRange)(const TGameSettings& settings, int& low, int& high) = nullptr;
    std::unique_ptr<TCustomStat> (*Create)(const TStatClass& cls, const TStatList& list, int param) = nullptr;
    // Whether the method of one parameter has a meaningful count over all
    // combinations under these settings, for a class with flag N whose
    // values may also read earlier draws; null: as flag N says.
    bool (*Prefetchable)(const TGameSettings& settings, int param) = nullptr;

    bool HasParamRange() const { return ParamRange != nullptr; }
    std::string CodeFor(int param) const;
    std::string CaptionFor(int param) const;
    std::string GetFamilyCode() const { return *FamilyCode ? FamilyCode : Code; }
    std::uint8_t AllFlags() const { return static_cast<std::uint8_t>(Flags | (Graph ? kFlagG : 0)); }
    bool IsPrefetchable() const { return (Flags & kFlagN) != 0; }
    bool IsPrefetchable(const TGameSettings& settings, int param) const {
        return IsPrefetchable() && (!Prefetchable || Prefetchable(settings, param));
    }
    // "ms-its:" topic address of the method in the help file; empty when no
    // help file is set or it does not exist.
    std::string HelpTopic(int param, const std::string& helpFile) const;
};

template <class T>
std::unique_ptr<TCustomStat> CreateStatOf(const TStatClass& cls, const TStatList& list, int param) {
    return std::make_unique<T>(cls, list, param);
}

// A parameter range that does not depend on the settings.
template <int Low, int High>
void FixedParams(const TGameSettings&, int& low, int& high) {
    low = Low;
    high = High;
}

// The flag letters of the set bits in bit order ("SNG").
std::string FlagLetters(std::uint8_t flags);
// Three-letter code and caption of a group; "#ERROR#" for an unknown group.
std::string_view GroupCode(int group);
std::string_view GroupCaption(int group);

}  // namespace corvel
