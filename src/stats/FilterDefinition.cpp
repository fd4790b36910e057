#include "stats/FilterDefinition.h"

#include <charconv>
#include <cmath>
#include <string>

#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "model/TextUtil.h"
#include "stats/CustomStat.h"
#include "stats/StatList.h"

namespace corvel {
namespace {

struct ModeInfo {
    const char* Token;
    i18n::TextId Caption;
};

constexpr ModeInfo kLevels[kLevelModeCount] = {
    {"LNO", texts::kFilterLevelNone},
    {"LMV", texts::kFilterLevelDepthAtLeastValue},
    {"LMP", texts::kFilterLevelDepthAtLeastPercent},
    {"LLV", texts::kFilterLevelDepthAtMostValue},
    {"LLP", texts::kFilterLevelDepthAtMostPercent},
    {"LDV", texts::kFilterLevelDepthInValueList},
    {"LDP", texts::kFilterLevelDepthInPercentList},
    {"DMV", texts::kFilterLevelDeviationAtLeastValue},
    {"DMP", texts::kFilterLevelDeviationAtLeastPercent},
    {"DLV", texts::kFilterLevelDeviationAtMostValue},
    {"DLP", texts::kFilterLevelDeviationAtMostPercent},
    {"DDV", texts::kFilterLevelDeviationInValueList},
    {"DDP", texts::kFilterLevelDeviationInPercentList},
    {"CMV", texts::kFilterLevelCountAtLeastValue},
    {"CMP", texts::kFilterLevelCountAtLeastPercent},
    {"CLV", texts::kFilterLevelCountAtMostValue},
    {"CLP", texts::kFilterLevelCountAtMostPercent},
    {"CDV", texts::kFilterLevelCountInValueList},
    {"CDP", texts::kFilterLevelCountInPercentList},
    {"WMV", texts::kFilterLevelWeightAtLeastValue},
    {"WLV", texts::kFilterLevelWeightAtMostValue},
    {"WDV", texts::kFilterLevelWeightInValueList},
    {"PIM", texts::kFilterLevelPeriodMinAtLeastValue},
    {"PIL", texts::kFilterLevelPeriodMinAtMostValue},
    {"PIR", texts::kFilterLevelPeriodMinInValueList},
    {"PAM", texts::kFilterLevelPeriodAtLeastValue},
    {"PAL", texts::kFilterLevelPeriodAtMostValue},
    {"PAR", texts::kFilterLevelPeriodInValueList},
    {"PXM", texts::kFilterLevelPeriodMaxAtLeastValue},
    {"PXL", texts::kFilterLevelPeriodMaxAtMostValue},
    {"PXR", texts::kFilterLevelPeriodMaxInValueList},
    {"LVA", texts::kFilterLevelValuesInValueList},
};

constexpr ModeInfo kStops[kStopModeCount] = {
    {"SF", texts::kFilterStopNever}, {"SC", texts::kFilterStopCount}, {"SZ", texts::kFilterStopEmpty},
    {"ST", texts::kFilterStopSteps}, {"SV", texts::kFilterStopValue}, {"SP", texts::kFilterStopPercent},
};

constexpr std::size_t kMaxListValues = 1'000'000;

// ExpandFilterItem holds every part at once; the level text of the list modes
// (the same in each part) may take this many bytes over all of them.
constexpr std::size_t kMaxExpandedLevelText = std::size_t{64} << 20;

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreCaseAscii(text.substr(0, prefix.size()), prefix);
}

std::string AfterColon(std::string_view field) {
    std::size_t colon = field.find(':');
    return colon == std::string_view::npos ? std::string() : std::string(Trim(field.substr(colon + 1)));
}

// A coefficient in any of the forms people type: "." or "," as the decimal
// point, digits and a minus sign, every other character ignored (so "1e2" is
// 12); 0 when nothing readable is left. Independent of the C locale.
long double ReadCoefficient(std::string_view text) {
    std::string clean;
    for (char c : text) {
        if ((c >= '0' && c <= '9') || c == '-')
            clean += c;
        else if (c == '.' || c == ',')
            clean += '.';
    }
    long double v = 0;
    auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), v, std::chars_format::fixed);
    (void)end;  // "1-2" reads as 1, as far as it is a number
    return ec == std::errc() && std::isfinite(v) ? v : 0;
}

// Plain decimal with at most 15 significant digits and "." as the point,
// never an exponent: -1, 0.5, 0.00001, 123456789012346000.
std::string CoefficientText(long double v) {
    if (!std::isfinite(v) || v == 0) return "0";
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    if (ec != std::errc()) return "0";
    const std::string sci(buf, end);  // [-]d.dddddddddddddde[+-]x
    const std::size_t e = sci.find('e');
    const bool negative = sci[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (sci[i] != '.') digits += sci[i];
    const int exponent = std::stoi(sci.substr(e + 1));
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    // The first digit stands for 10^exponent.
    std::string text;
    if (exponent < 0) {
        text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            text = digits + std::string(whole - digits.size(), '0');
        } else {
            text = digits.substr(0, whole) + "." + digits.substr(whole);
        }
    }
    return negative ? "-" + text : text;
}

std::string CdlText(const TCdlCoefficients& c) {
    return CoefficientText(c.CountCoef) + ":" + CoefficientText(c.DeviationCoef) + ":" + CoefficientText(c.LevelCoef) +
           ":" + (c.UsePercents ? "1" : "0") + ":" + (c.UseAbsValues ? "1" : "0");
}

std::string Letters(bool bottomUp, bool multiSelect, bool keep) {
    return std::string(bottomUp ? "B" : "T") + (multiSelect ? "M" : "S") + (keep ? "F" : "D");
}

bool IsSingleLevelMode(int mode) {
    return (mode >= 1 && mode <= 4) || (mode >= 7 && mode <= 10) || (mode >= 13 && mode <= 16) ||
           (mode >= 19 && mode <= 30);
}

TIntSequence ReadIntSequence(std::string_view text) {
    TIntSequence seq;
    bool allIntegers = true;
    for (std::string_view word : SplitAny(text, ",;", false)) {
        auto v = ToInt64(word);
        if (!v || *v < INT32_MIN || *v > INT32_MAX || seq.Listed.size() == kMaxListValues) {
            allIntegers = false;
            break;
        }
        seq.Listed.push_back(static_cast<int>(*v));
    }
    if (allIntegers && !seq.Listed.empty()) return seq;
    seq.Listed.clear();

    // a-b;s: the first "-" that is not the first character splits a from b.
    const std::size_t dash = text.find('-', 1);
    if (text.empty() || dash == std::string_view::npos) return seq;
    const std::size_t sep = text.find_first_of(",;", dash + 1);
    if (sep == std::string_view::npos) return seq;
    auto a = ToInt64(text.substr(0, dash));
    auto b = ToInt64(text.substr(dash + 1, sep - dash - 1));
    auto s = ToInt64(text.substr(sep + 1));
    // Every value must be a 32-bit integer; the first is a.
    if (!a || !b || !s || *s == 0 || *b < *a || *a < INT32_MIN || *a > INT32_MAX) return seq;
    // (b - a) div s + 1 values, worked out in unsigned 64 bits (b - a may not
    // fit a signed one). A negative step leaves a alone when |s| > b - a,
    // else nothing.
    const std::uint64_t span = static_cast<std::uint64_t>(*b) - static_cast<std::uint64_t>(*a);
    std::uint64_t steps = 0;  // (b - a) div s
    if (*s > 0) {
        steps = span / static_cast<std::uint64_t>(*s);
    } else if (span >= std::uint64_t{0} - static_cast<std::uint64_t>(*s)) {
        return seq;
    }
    if (steps >= kMaxListValues) return seq;
    // The values run from a towards b, so the last one decides the range.
    if (*s > 0 && steps * static_cast<std::uint64_t>(*s) > static_cast<std::uint64_t>(INT32_MAX - *a)) return seq;
    seq.IsRange = true;
    seq.Start = *a;
    seq.Step = *s;
    seq.RangeCount = static_cast<std::size_t>(steps) + 1;
    return seq;
}

}  // namespace

// Part k has window k div perWindow_ and, in the single-value level modes,
// level k mod perWindow_.
TFilterExpansion::TFilterExpansion(const TFilterItem& item, const TStatList& list) : item_(item) {
    windows_ = ReadIntSequence(item.DrawsLen);
    if (item.LevelMode != kLevelNone) levels_ = ReadIntSequence(item.LevelValue);
    if (windows_.Count() == 0 || (item.LevelMode != kLevelNone && levels_.Count() == 0))
        throw ECorvelError(Format(texts::kBadFilterDefinition, {FilterItemText(item, list)}));
    singleLevel_ = IsSingleLevelMode(item.LevelMode);
    perWindow_ = singleLevel_ ? levels_.Count() : 1;
    // windows x perWindow <= the cap, tested without multiplying.
    if (windows_.Count() > kMaxFilterParts / perWindow_)
        throw ETooManyFilterParts(Format(texts::kTooManyFilterParts, {FilterItemText(item, list), kMaxFilterParts}));
    count_ = windows_.Count() * perWindow_;
    if (!singleLevel_) {
        if (item.LevelMode != kLevelNone) {
            for (std::size_t i = 0; i < levels_.Count(); ++i)
                listTest_ += (i ? "," : "") + std::to_string(levels_.At(i));
        } else {
            listTest_ = item.LevelValue;
        }
    }
}

TFilterPart TFilterExpansion::Part(std::size_t k) const {
    TFilterPart p;
    p.Active = item_.Active;
    p.Method = item_.Method;
    p.WindowLength = windows_.At(k / perWindow_);
    p.SortColumn = item_.SortColumn;
    p.BottomUp = item_.BottomUp;
    p.MultiSelect = item_.MultiSelect;
    p.Keep = item_.Keep;
    p.LevelMode = item_.LevelMode;
    p.CDLOverride = item_.CDLOverride;
    p.CDL = item_.CDL;
    p.StopMode = item_.StopMode;
    p.StopValue = item_.StopValue;
    if (singleLevel_) {
        p.LevelTest = p.LevelText = std::to_string(levels_.At(k % perWindow_));
    } else {
        p.LevelText = item_.LevelValue;
        p.LevelTest = listTest_;
    }
    return p;
}

const char* LevelToken(int mode) {
    return mode >= 0 && mode < kLevelModeCount ? kLevels[mode].Token : kLevels[0].Token;
}
std::string_view LevelCaption(int mode) {
    return mode >= 0 && mode < kLevelModeCount ? kLevels[mode].Caption : kLevels[0].Caption;
}
const char* StopToken(int mode) { return mode >= 0 && mode < kStopModeCount ? kStops[mode].Token : kStops[0].Token; }
std::string_view StopCaption(int mode) {
    return mode >= 0 && mode < kStopModeCount ? kStops[mode].Caption : kStops[0].Caption;
}

std::vector<int> ParseIntList(std::string_view text) {
    const TIntSequence seq = ReadIntSequence(text);
    std::vector<int> values;
    values.reserve(seq.Count());
    for (std::size_t i = 0; i < seq.Count(); ++i) values.push_back(seq.At(i));
    return values;
}

TFilterItem ParseFilterItem(std::string_view text, const TStatList& list) {
    TFilterItem item;
    if (Trim(text).empty()) return item;
    item.Active = true;
    const auto fields = SplitAny(text, "#", false);

    const std::string_view f1 = Trim(fields[0]);
    item.SortColumn = f1.size() > 3 ? ToIntDef(f1.substr(3), 1) : 1;
    item.BottomUp = f1.find('B') != std::string_view::npos;
    item.MultiSelect = f1.find('M') != std::string_view::npos;
    item.Keep = f1.find('F') != std::string_view::npos;

    if (fields.size() > 1) {
        const std::string_view f2 = fields[1];
        item.MethodText = std::string(f2);
        const std::string_view code = Trim(f2.substr(0, f2.find(':')));
        item.Method = list.FindMethod(code);
        if (item.Method >= 0) item.DrawsLen = AfterColon(f2);
    }
    if (fields.size() > 2) {
        const std::string_view f3 = Trim(fields[2]);
        for (int m = 0; m < kLevelModeCount; ++m)
            if (StartsWithIgnoreCase(f3, kLevels[m].Token)) {
                item.LevelMode = static_cast<std::uint8_t>(m);
                break;
            }
        item.LevelValue = AfterColon(f3);
    }
    item.StopValue = 1;
    if (fields.size() > 3) {
        const std::string_view f4 = Trim(fields[3]);
        for (int m = 0; m < kStopModeCount; ++m)
            if (StartsWithIgnoreCase(f4, kStops[m].Token)) {
                item.StopMode = static_cast<std::uint8_t>(m);
                break;
            }
        item.StopValue = ToIntDef(AfterColon(f4), 1);
    }
    if (fields.size() > 4) {
        item.CDLOverride = true;
        const auto parts = SplitAny(fields[4], ":", false);
        auto part = [&](std::size_t i) { return i < parts.size() ? parts[i] : std::string_view(); };
        item.CDL.CountCoef = ReadCoefficient(part(0));
        item.CDL.DeviationCoef = ReadCoefficient(part(1));
        item.CDL.LevelCoef = ReadCoefficient(part(2));
        item.CDL.UsePercents = part(3) == "1";
        item.CDL.UseAbsValues = part(4) == "1";
    }
    return item;
}

std::string FilterItemText(const TFilterItem& item, const TStatList& list) {
    std::string text = Letters(item.BottomUp, item.MultiSelect, item.Keep) + std::to_string(item.SortColumn) + "#";
    text += item.Method >= 0 && item.Method < list.Count() ? list.Item(item.Method).Code() + ":" + item.DrawsLen
                                                           : item.MethodText;
    text += std::string("#") + LevelToken(item.LevelMode) + ":" + item.LevelValue;
    text += std::string("#") + StopToken(item.StopMode) + ":" + std::to_string(item.StopValue);
    if (item.CDLOverride) text += "#" + CdlText(item.CDL);
    return text;
}

std::string FilterPartText(const TFilterPart& part, const TStatList& list) {
    std::string code = part.Method >= 0 && part.Method < list.Count() ? list.Item(part.Method).Code() : "?";
    std::string text = Letters(part.BottomUp, part.MultiSelect, part.Keep) + "#" + code + ":" +
                       std::to_string(part.WindowLength) + "#" + LevelToken(part.LevelMode) + ":" + part.LevelText +
                       "#" + StopToken(part.StopMode) + ":" + std::to_string(part.StopValue);
    if (part.CDLOverride) text += "#" + CdlText(part.CDL);
    return text;
}

std::string FilterRecText(const TFilterRec& rec, const TStatList& list) {
    std::string text;
    for (const auto& part : rec) {
        if (!part.Active) continue;
        if (!text.empty()) text += " + ";
        text += FilterPartText(part, list);
    }
    return text;
}

std::size_t FilterPartCount(const TFilterItem& item, const TStatList& list) {
    return TFilterExpansion(item, list).Count();
}

TFilterPart FilterPartAt(const TFilterItem& item, std::size_t k, const TStatList& list) {
    const TFilterExpansion e(item, list);
    if (k >= e.Count()) throw EInvalidArgument(Format(texts::kNoFilterPart, {k, FilterItemText(item, list)}));
    return e.Part(k);
}

std::vector<TFilterPart> ExpandFilterItem(const TFilterItem& item, const TStatList& list) {
    const TFilterExpansion e(item, list);
    // All parts at once also hold the list modes' level text once per part.
    if (e.SharedLevelTextSize() > kMaxExpandedLevelText / e.Count())
        throw ETooManyFilterParts(Format(texts::kTooManyFilterParts, {FilterItemText(item, list), kMaxFilterParts}));
    std::vector<TFilterPart> parts;
    parts.reserve(e.Count());
    for (std::size_t k = 0; k < e.Count(); ++k) parts.push_back(e.Part(k));
    return parts;
}

TFilterItemCheck CheckFilterItem(const TFilterItem& item, const TStatList& list) {
    const std::vector<int> windows = ParseIntList(item.DrawsLen);
    if (windows.empty() || (windows.size() == 1 && windows[0] == 0))
        return {texts::kBadRange.Str(), TFilterItemCheck::kWindows};
    if (item.LevelMode == kLevelValuesList &&
        (item.Method < 0 || item.Method >= list.Count() || !list.Item(item.Method).StatClass->CanParseValue))
        return {texts::kNoValueListMode.Str(), TFilterItemCheck::kLevel};
    if (item.LevelMode != kLevelNone && ParseIntList(item.LevelValue).empty())
        return {texts::kBadRange.Str(), TFilterItemCheck::kLevel};
    if (item.MultiSelect && item.StopMode == kStopCount)
        return {texts::kMultiSelectStopCount.Str(), TFilterItemCheck::kStop};
    return {};
}

bool IsListFieldCharacter(char c) {
    return (c >= '0' && c <= '9') || c == ',' || c == '-' || c == ';' || static_cast<unsigned char>(c) < 32;
}

}  // namespace corvel
