#include "stats/CustomStat.h"

#include <algorithm>
#include <vector>

#include "model/DrawArchive.h"
#include "model/Format.h"
#include "model/TextUtil.h"
#include "stats/StatList.h"

namespace corvel {
namespace {

const TDrawsArray kNoDraws;

int DecimalValue(std::string_view text) {
    auto v = ToInt64(text);
    return v && *v >= INT32_MIN && *v <= INT32_MAX ? static_cast<int>(*v) : 0;
}

}  // namespace

TCustomStat::TCustomStat(const TStatClass& cls, const TStatList& list, int param, bool wholeKeys)
    : class_(cls),
      list_(list),
      context_{list.Draws() ? list.Draws() : &kNoDraws, -1, false},
      param_(param),
      wholeKeys_(wholeKeys) {}

void TCustomStat::SetContext(int lastIndex, bool sorted) {
    context_.LastIndex = lastIndex;
    context_.Sorted = sorted;
    prevDraw_ = class_.Flags & kFlagD ? GetDraw(lastIndex) : TDrawRec{};
}

TDrawRec TCustomStat::GetDraw(int index) const { return corvel::GetDraw(*context_.Draws, index, context_.Sorted); }

std::string TCustomStat::ValueToText(const TStatDrawRec& value) const {
    if (class_.ValueText) return class_.ValueText(value, param_);
    const int key = value.Key[0];
    switch (class_.Text) {
        case TValueText::Ratio:
            return Format("%d:%d", {key, kNumbersPerDraw - key});
        case TValueText::Mask: {
            std::string letters;
            for (int bit = kNumbersPerDraw - 1; bit >= 0; --bit)
                letters += (key >> bit) & 1 ? class_.SetLetter : class_.ClearLetter;
            return Format("%s (%.3d)", {letters, key});
        }
        case TValueText::Decimal:
            break;
    }
    return std::to_string(key);
}

int TCustomStat::TextToValue(std::string_view text) const {
    switch (class_.Text) {
        case TValueText::Ratio:
            return DecimalValue(text.substr(0, text.find(':')));
        case TValueText::Mask: {
            int mask = 0;
            int letters = 0;
            for (std::string_view ch : Utf8Characters(Trim(text))) {
                if (letters == kNumbersPerDraw || ch == " ") break;
                mask = mask * 2 + (ch == class_.SetLetter ? 1 : 0);
                ++letters;
            }
            return mask;
        }
        case TValueText::Decimal:
            break;
    }
    return DecimalValue(text);
}

int TCustomStat::ParseValue(std::string_view text) const { return class_.CanParseValue ? TextToValue(text) : 0; }

void TCustomStat::SeedValues(const TValueSink& sink) {
    for (int v = class_.SeedFirst; v <= class_.SeedLast; ++v) sink(v);
}

void TCustomStat::EnumValues(TStatDrawArray& values) {
    TStatDrawRec work;
    auto add = [&](const TStatKey& key) {
        work.Key = key;
        AddStatValue(values, work, false);
    };
    SeedValues(TValueSink(add));
}

void TCustomStat::CombValues(const TCombination& comb, TStatDrawArray& values) {
    TStatDrawRec work;
    work.Count = 1;
    auto add = [&](const TStatKey& key) {
        work.Key = key;
        AddStatValue(values, work, false);
    };
    Values({comb, nullptr, context_.LastIndex + 1}, TValueSink(add));
}

void TCustomStat::DrawValues(int index, TStatDrawArray& values) {
    const TDrawRec draw = GetDraw(index);
    TStatDrawRec work;
    work.LastDraw = draw.Number;
    work.PrevDraw = draw.Number;
    work.Depth = context_.LastIndex - index + 1;
    work.Count = 1;
    // A value the draw gives again (a difference or a digit that repeats)
    // counts again but is no new occurrence: its distance of 0 to itself must
    // not enter the intervals.
    std::vector<std::uint64_t> given;
    auto add = [&](const TStatKey& key) {
        work.Key = key;
        const std::uint64_t packed = PackKey(key);
        const bool again = std::find(given.begin(), given.end(), packed) != given.end();
        if (!again) given.push_back(packed);
        AddStatValue(values, work, !again);
    };
    Values({draw.Numbers, &draw, index}, TValueSink(add));
}

bool TCustomStat::AnySelected(const TStatItem& item, const TStatDrawArray& values) {
    bool found = false;
    auto test = [&](const TStatKey& key) { found = found || Selected(values, key); };
    Values(item, TValueSink(test));
    return found;
}

bool TCustomStat::CombMatches(const TCombination& comb, const TStatDrawArray& values, bool) {
    return AnySelected({comb, nullptr, context_.LastIndex + 1}, values);
}

int TCustomStat::GraphValue(const TCombination& numbers, int index) {
    // Past the analysed window the numbers are a bare combination: the
    // archive's record at that index (a later draw) is not theirs to read.
    const TDrawRec draw = index > context_.LastIndex ? TDrawRec{} : GetDraw(index);
    bool first = true;
    int value = 0;
    auto take = [&](const TStatKey& key) {
        if (first) value = key[0];
        first = false;
    };
    Values({numbers, index > context_.LastIndex ? nullptr : &draw, index}, TValueSink(take));
    return value;
}

int TCustomStat::DrawGraphValue(int index) { return GraphValue(GetDraw(index).Numbers, index); }

int TCustomStat::CombGraphValue(const TCombination& comb) { return GraphValue(comb, context_.LastIndex + 1); }

int TCustomStat::FindValueDraw(const TStatDrawRec& value, int fromIndex) {
    const std::uint64_t key = PackKey(value.Key);
    BeginPass();
    TStatDrawArray values;
    const int from = std::max(fromIndex, 0);
    // A period is the distance to the item's previous occurrence, so the
    // last-seen draws must be carried from draw to draw and must already know
    // the draw before the first one examined (the draw the value was last
    // seen in); emptied per draw, no period would ever be found.
    const bool periods = (class_.Flags & kFlagP) != 0;
    if (periods && from > 0) DrawValues(from - 1, values);
    for (int i = from; i < static_cast<int>(context_.Draws->size()); ++i) {
        values.clear();
        if (!periods) pass_.LastValues.clear();
        DrawValues(i, values);
        for (const auto& v : values)
            if (PackKey(v.Key) == key) return v.LastDraw;
    }
    return -1;
}

void TCustomStat::SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool exclude,
                            std::uint8_t* out) {
    SpanMatchPerCombination(combs, values, exclude, out);
}

void TCustomStat::SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) {
    SpanHistogramPerCombination(combs, values);
}

void TCustomStat::SpanMatchPerCombination(std::span<const TCombination> combs, const TStatDrawArray& values,
                                          bool exclude, std::uint8_t* out) {
    for (std::size_t i = 0; i < combs.size(); ++i) out[i] = CombMatches(combs[i], values, exclude) ? 1 : 0;
}

void TCustomStat::SpanHistogramPerCombination(std::span<const TCombination> combs, TStatDrawArray& values) {
    for (const auto& c : combs) CombValues(c, values);
}

}  // namespace corvel
