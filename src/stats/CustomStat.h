#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/DrawRecord.h"
#include "stats/StatClass.h"
#include "stats/StatValue.h"

namespace corvel {

class TStatList;

// Base of every statistic method: turns one draw (DrawValues) or one bare
// combination (CombValues) into values, tests combinations against chosen
// values (CombMatches), and describes its values as text.
//
// Besides these per-combination operations a method answers for a whole span
// of combinations in one call (SpanMatch, SpanHistogram). The base class builds
// them on the per-combination operations; families override them with tight
// loops. Both paths must give identical results. An instance is used by one
// thread at a time; parallel work creates one instance per task.
class TCustomStat {
public:
    TCustomStat(const TStatClass& cls, const TStatList& list, int param);
    virtual ~TCustomStat() = default;
    TCustomStat(const TCustomStat&) = delete;
    TCustomStat& operator=(const TCustomStat&) = delete;

    const TStatClass& Class() const { return class_; }
    const TStatList& List() const { return list_; }
    int Param() const { return param_; }
    std::string GetCode() const { return class_.CodeFor(param_); }
    std::string GetDisplayName() const { return class_.CaptionFor(param_); }
    std::uint8_t GetFlags() const { return class_.Flags; }

    virtual std::string ValueToText(const TStatDrawRec& value) const = 0;
    virtual int TextToValue(std::string_view text) const;
    int ParseValue(std::string_view text) const;

    // Adds every possible value with count 0, so that values that never occurred
    // still show. The base only clears the scratch record.
    virtual void EnumValues(int lastIndex, TStatDrawArray& values);
    // The values of a bare combination, merged without interval bookkeeping.
    virtual void CombValues(const TCombination& comb, TStatDrawArray& values);
    // The values of archive draw `index`, in the window ending at `lastIndex`.
    virtual void DrawValues(int index, int lastIndex, TLastValueArray& lastValues, TStatWorkArea& state,
                            TStatDrawArray& values, bool sorted);
    // True when a value of the combination has the key of an entry of `values`.
    virtual bool CombMatches(const TCombination& comb, const TStatDrawArray& values, bool exclude, bool sorted,
                             int lastIndex) = 0;

    // Readies the instance for testing combinations as the draw after
    // `lastIndex`: methods with flag D compare with that draw.
    void PrepareFilter(int lastIndex, bool sorted) { LoadDraws(-1, lastIndex, sorted); }

    // Draw number of the first draw from `fromIndex` on that holds the value;
    // -1 when none does.
    int FindValueDraw(const TStatDrawRec& value, int fromIndex, bool sorted, int lastIndex);

    // out[i] = 1 when combination i matches, else 0.
    virtual void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool exclude,
                           bool sorted, int lastIndex, std::uint8_t* out);
    // Adds the values of every combination to `values` as CombValues would,
    // one combination after the other (counts add up; the order of the entries
    // may differ).
    virtual void SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values);

    // The per-combination paths the span operations must agree with.
    void SpanMatchPerCombination(std::span<const TCombination> combs, const TStatDrawArray& values, bool exclude,
                                 bool sorted, int lastIndex, std::uint8_t* out);
    void SpanHistogramPerCombination(std::span<const TCombination> combs, TStatDrawArray& values);

protected:
    // Loads archive record `index` into CurDraw and, for methods with flag D,
    // record `prevIndex` into PrevDraw.
    void LoadDraws(int index, int prevIndex, bool sorted);
    TDrawRec GetDraw(int index, bool sorted) const;
    const TDrawsArray& Draws() const { return *draws_; }

    TDrawRec CurDraw;
    TDrawRec PrevDraw;
    TStatDrawRec Work;

private:
    const TStatClass& class_;
    const TStatList& list_;
    const TDrawsArray* draws_;
    int param_;
};

// The statistic bases of the framework.

// A method with one plotted number per draw.
class TCustomGraphStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    std::string ValueToText(const TStatDrawRec& value) const override;
    virtual int GraphValue(const TCombination& numbers, int index, int lastIndex, bool sorted) = 0;
    int DrawGraphValue(int index, int lastIndex, bool sorted);
};

// Per-number values.
class TCustomValuesStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    std::string ValueToText(const TStatDrawRec& value) const override;
};

// Counts and lengths.
class TCustomNumbersStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    std::string ValueToText(const TStatDrawRec& value) const override;
};

// A count x of six shown as "x:y" with y = 6 - x.
class TCustomRatioStat : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    std::string ValueToText(const TStatDrawRec& value) const override;
    int TextToValue(std::string_view text) const override;
};

// A 6-bit pattern over the six numbers, the first number in bit 5, shown as six
// letters and the mask: "ЧнЧЧнн (019)".
class TCustomMaskStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    virtual std::string_view GetClearLetter() const = 0;
    virtual std::string_view GetSetLetter() const = 0;
    std::string ValueToText(const TStatDrawRec& value) const override;
    int TextToValue(std::string_view text) const override;
    void EnumValues(int lastIndex, TStatDrawArray& values) override;
};

}  // namespace corvel
