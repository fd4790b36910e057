#include "stats/families/Shredding.h"

#include <algorithm>
#include <vector>

#include "i18n/Texts.h"
#include "model/Expression.h"
#include "model/GameSettingsFile.h"
#include "stats/CustomStat.h"
#include "stats/SpanKernels.h"
#include "stats/StatList.h"

namespace corvel {
namespace {

TStatKey ValueKey(int value) {
    TStatKey key{};
    SetKeyInt32(key, 0, value);
    return key;
}

// Values of five digits do not fit one key word: every value is kept as a
// 32-bit number in words 0 and 1.
std::string ValueText(const TStatDrawRec& value, int) { return std::to_string(KeyInt32(value.Key, 0)); }

// The formula is compiled once per instance; the span kernels run it on every
// combination with the variables of the earlier draws fixed for the span. A
// formula kept as text (see TCompiledFormula) takes the per-combination paths.
class TShreddingStat final : public TCustomStat {
  public:
    TShreddingStat(const TStatClass& cls, const TStatList& list, int param)
        : TCustomStat(cls, list, param, true),
          formula_(ShreddingFormula(list.Settings, param)),
          digits_(ShreddingDigits(list.Settings, param)) {}

    // The draws before the plotted one; for a bare combination after the
    // window those are the window's last two draws.
    int GraphValue(const TCombination& numbers, int index) override {
        return Value(numbers, Earlier(index - 1), Earlier(index - 2));
    }

    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool exclude,
                   std::uint8_t* out) override {
        if (!formula_.Compiled()) return SpanMatchPerCombination(combs, values, exclude, out);
        const std::size_t limit = Limit();
        std::vector<std::uint8_t> selected(limit, 0);
        for (const TStatDrawRec& v : values) {
            const std::int32_t value = KeyInt32(v.Key, 0);
            if (v.Key[2] == 0 && v.Key[3] == 0 && value >= 0 && static_cast<std::size_t>(value) < limit)
                selected[static_cast<std::size_t>(value)] = 1;
        }
        const int last = Context().LastIndex;
        TFormulaValues slots = FormulaValues({}, Earlier(last), Earlier(last - 1));
        for (std::size_t i = 0; i < combs.size(); ++i) {
            std::copy(combs[i].begin(), combs[i].end(), slots.begin());
            out[i] = selected[static_cast<std::size_t>(formula_.Shredded(slots, digits_))];
        }
    }

    void SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) override {
        if (!formula_.Compiled()) return SpanHistogramPerCombination(combs, values);
        // 32-bit counters, emptied after every block.
        std::vector<std::uint32_t> counts(Limit(), 0);
        std::vector<std::uint64_t> totals(Limit(), 0);
        TFormulaValues slots{};
        kernels::ForEachBlock(combs, [&](std::span<const TCombination> block) {
            for (const TCombination& c : block) {
                std::copy(c.begin(), c.end(), slots.begin());
                ++counts[static_cast<std::size_t>(formula_.Shredded(slots, digits_))];
            }
            for (std::size_t v = 0; v < counts.size(); ++v) {
                totals[v] += counts[v];
                counts[v] = 0;
            }
        });
        for (std::size_t v = 0; v < totals.size(); ++v)
            if (totals[v]) kernels::AddCount(values, ValueKey(static_cast<int>(v)), totals[v]);
    }

  protected:
    // A draw of the archive has the draws before it; a bare combination, as
    // the prefetch counts it, has none (all their numbers 0).
    void Values(const TStatItem& item, const TValueSink& sink) override {
        if (item.Draw)
            sink(ValueKey(Value(item.Numbers, Earlier(item.Index - 1), Earlier(item.Index - 2))));
        else
            sink(ValueKey(Value(item.Numbers, {}, {})));
    }
    // A filtered combination plays the draw after the window: the window's
    // last draw and the one before it are its earlier draws.
    bool AnySelected(const TStatItem& item, const TStatDrawArray& values) override {
        if (item.Draw) return TCustomStat::AnySelected(item, values);
        const int last = Context().LastIndex;
        return Selected(values, ValueKey(Value(item.Numbers, Earlier(last), Earlier(last - 1))));
    }

  private:
    int Value(const TCombination& n, const TCombination& p, const TCombination& t) const {
        return formula_.Shredded(FormulaValues(n, p, t), digits_);
    }
    // The numbers of a draw before the one valued (all 0 before the oldest).
    // A value reads only the draws before its own: a combination after the
    // window reads the window's last draws, never a later one.
    TCombination Earlier(int index) const { return GetDraw(index).Numbers; }
    std::size_t Limit() const {
        std::size_t limit = 1;
        for (int d = 0; d < digits_; ++d) limit *= 10;
        return limit;
    }

    TCompiledFormula formula_;
    int digits_;
};

bool FormulaNeedsNoEarlierDraw(const TGameSettings& settings, int param) {
    return !TCompiledFormula(ShreddingFormula(settings, param)).UsesEarlierDraws();
}

const TStatClass kFamily[] = {
    {.ClassName = "TstShreddingStat",
     .Code = "SHR%d",
     .Caption = texts::kStatShredding,
     .FamilyCode = "SHRx",
     .Group = 12,
     .Flags = kFlagS | kFlagN,
     .Graph = true,
     .ValueText = &ValueText,
     .ParamRange = &FixedParams<1, 3>,
     .Create = &CreateStatOf<TShreddingStat>,
     .Prefetchable = &FormulaNeedsNoEarlierDraw},
};

}  // namespace

std::string ShreddingFormula(const TGameSettings& settings, int param) {
    return param >= 1 && param <= static_cast<int>(settings.Formulas.size())
               ? settings.Formulas[static_cast<std::size_t>(param - 1)]
               : std::string();
}

int ShreddingDigits(const TGameSettings& settings, int param) {
    if (param < 1 || param > static_cast<int>(settings.FormulaDigits.size())) return kDefaultFormulaDigits;
    const int digits = settings.FormulaDigits[static_cast<std::size_t>(param - 1)];
    return kFormulaDigitsRange.Contains(digits) ? digits : kDefaultFormulaDigits;
}

std::span<const TStatClass> ShreddingClasses() { return kFamily; }

}  // namespace corvel
