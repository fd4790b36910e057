#include "stats/CustomStat.h"

#include "model/DrawArchive.h"
#include "model/Format.h"
#include "model/TextUtil.h"
#include "stats/StatList.h"

namespace corvel {
namespace {
const TDrawsArray kNoDraws;
}

TCustomStat::TCustomStat(const TStatClass& cls, const TStatList& list, int param)
    : class_(cls), list_(list), draws_(list.Draws() ? list.Draws() : &kNoDraws), param_(param) {}

int TCustomStat::TextToValue(std::string_view text) const {
    auto v = ToInt64(text);
    return v && *v >= INT32_MIN && *v <= INT32_MAX ? static_cast<int>(*v) : 0;
}

int TCustomStat::ParseValue(std::string_view text) const { return class_.CanParseValue ? TextToValue(text) : 0; }

void TCustomStat::EnumValues(int, TStatDrawArray&) { Work = {}; }

void TCustomStat::CombValues(const TCombination&, TStatDrawArray&) {
    Work = {};
    Work.Count = 1;
}

void TCustomStat::LoadDraws(int index, int prevIndex, bool sorted) {
    CurDraw = GetDraw(index, sorted);
    if (class_.Flags & kFlagD) PrevDraw = GetDraw(prevIndex, sorted);
}

TDrawRec TCustomStat::GetDraw(int index, bool sorted) const { return corvel::GetDraw(*draws_, index, sorted); }

void TCustomStat::DrawValues(int index, int lastIndex, TLastValueArray&, TStatWorkArea&, TStatDrawArray&,
                             bool sorted) {
    LoadDraws(index, lastIndex, sorted);
    Work = {};
    Work.LastDraw = CurDraw.Number;
    Work.PrevDraw = CurDraw.Number;
    Work.Depth = lastIndex - index + 1;
    Work.Count = 1;
}

int TCustomStat::FindValueDraw(const TStatDrawRec& value, int fromIndex, bool sorted, int lastIndex) {
    const std::uint64_t key = PackKey(value.Key);
    TStatWorkArea state{};
    TStatDrawArray values;
    TLastValueArray lastValues;
    for (int i = std::max(fromIndex, 0); i < static_cast<int>(draws_->size()); ++i) {
        values.clear();
        lastValues.clear();
        DrawValues(i, lastIndex, lastValues, state, values, sorted);
        for (const auto& v : values)
            if (PackKey(v.Key) == key) return v.LastDraw;
    }
    return -1;
}

void TCustomStat::SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool exclude,
                            bool sorted, int lastIndex, std::uint8_t* out) {
    SpanMatchPerCombination(combs, values, exclude, sorted, lastIndex, out);
}

void TCustomStat::SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) {
    SpanHistogramPerCombination(combs, values);
}

void TCustomStat::SpanMatchPerCombination(std::span<const TCombination> combs, const TStatDrawArray& values,
                                          bool exclude, bool sorted, int lastIndex, std::uint8_t* out) {
    for (std::size_t i = 0; i < combs.size(); ++i)
        out[i] = CombMatches(combs[i], values, exclude, sorted, lastIndex) ? 1 : 0;
}

void TCustomStat::SpanHistogramPerCombination(std::span<const TCombination> combs, TStatDrawArray& values) {
    for (const auto& c : combs) CombValues(c, values);
}

std::string TCustomGraphStat::ValueToText(const TStatDrawRec& value) const { return std::to_string(value.Key[0]); }

int TCustomGraphStat::DrawGraphValue(int index, int lastIndex, bool sorted) {
    return GraphValue(GetDraw(index, sorted).Numbers, index, lastIndex, sorted);
}

std::string TCustomValuesStat::ValueToText(const TStatDrawRec& value) const { return std::to_string(value.Key[0]); }

std::string TCustomNumbersStat::ValueToText(const TStatDrawRec& value) const { return std::to_string(value.Key[0]); }

std::string TCustomRatioStat::ValueToText(const TStatDrawRec& value) const {
    return Format("%d:%d", {value.Key[0], kNumbersPerDraw - value.Key[0]});
}

int TCustomRatioStat::TextToValue(std::string_view text) const {
    return TCustomStat::TextToValue(text.substr(0, text.find(':')));
}

std::string TCustomMaskStat::ValueToText(const TStatDrawRec& value) const {
    const int mask = value.Key[0];
    std::string letters;
    for (int bit = kNumbersPerDraw - 1; bit >= 0; --bit)
        letters += (mask >> bit) & 1 ? GetSetLetter() : GetClearLetter();
    return Format("%s (%.3d)", {letters, mask});
}

int TCustomMaskStat::TextToValue(std::string_view text) const {
    int mask = 0;
    int letters = 0;
    for (std::string_view ch : Utf8Characters(Trim(text))) {
        if (letters == kNumbersPerDraw || ch == " ") break;
        mask = mask * 2 + (ch == GetSetLetter() ? 1 : 0);
        ++letters;
    }
    return mask;
}

void TCustomMaskStat::EnumValues(int lastIndex, TStatDrawArray& values) {
    TCustomStat::EnumValues(lastIndex, values);
    for (int mask = 0; mask < (1 << kNumbersPerDraw); ++mask) {
        Work.Key[0] = static_cast<std::uint16_t>(mask);
        AddStatValue(values, Work, false);
    }
}

}  // namespace corvel
