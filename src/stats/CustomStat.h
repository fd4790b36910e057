#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "model/DrawRecord.h"
#include "stats/StatClass.h"
#include "stats/StatValue.h"

namespace corvel {

class TStatList;

// The draws an instance reads: the archive, the last analysed draw (array
// index; the end of a statistic window, or the draw a filtered combination
// follows) and whether a draw's numbers are read sorted ascending.
struct TStatContext {
    const TDrawsArray* Draws = nullptr;
    int LastIndex = -1;
    bool Sorted = false;
};

// One draw or bare combination whose values are asked for.
struct TStatItem {
    const TCombination& Numbers;  // a draw's in the context's order; a combination's as it holds them
    const TDrawRec* Draw;         // the archive record; null for a bare combination
    int Index;                    // archive index; a combination stands for the draw after LastIndex
};

// A value as a key: a single word goes to Key[0].
inline TStatKey ToKey(int word0) { return TStatKey{static_cast<std::uint16_t>(word0), 0, 0, 0}; }
inline const TStatKey& ToKey(const TStatKey& key) { return key; }

// Receives the values of one item, one call per value. A method defines its
// values once, as a function writing into a sink; whether they are merged into
// a table, tested against a selection or plotted is the sink's business.
class TValueSink {
  public:
    template <class F>
    requires(!std::is_same_v<std::remove_cv_t<F>, TValueSink>) explicit TValueSink(F& f)
        : target_(&f), call_(&Call<F>) {}
    void operator()(const TStatKey& key) const { call_(target_, key); }
    // A value kept in Key[0] alone.
    void operator()(int word0) const { (*this)(ToKey(word0)); }

  private:
    template <class F>
    static void Call(void* f, const TStatKey& key) {
        (*static_cast<F*>(f))(key);
    }
    void* target_;
    void (*call_)(void*, const TStatKey&);
};

// State that methods carrying information from draw to draw keep over one
// pass over the draws (series, periods); cleared by BeginPass.
struct TStatPassState {
    TStatWorkArea Work{};
    TLastValueArray LastValues;
};

// Base of every statistic method. A method supplies one definition of its
// values (Values); the base turns it into the operations the rest of the
// program uses and owns their bookkeeping: the values of a bare combination
// (CombValues), of an archive draw with depth and intervals (DrawValues), the
// filter test (CombMatches), the plotted number (GraphValue) and the seeded
// rows (EnumValues). Texts come from the class row.
//
// Besides these per-combination operations a method answers for a whole span
// of combinations in one call (SpanMatch, SpanHistogram). The base builds them
// on the per-combination operations; the generic value classes replace them
// with kernels chosen by the value definition. Both paths must give identical
// results. An instance is used by one thread at a time; parallel work creates
// one instance per task.
class TCustomStat {
  public:
    TCustomStat(const TStatClass& cls, const TStatList& list, int param, bool wholeKeys = false);
    virtual ~TCustomStat() = default;
    TCustomStat(const TCustomStat&) = delete;
    TCustomStat& operator=(const TCustomStat&) = delete;

    const TStatClass& Class() const { return class_; }
    const TStatList& List() const { return list_; }
    int Param() const { return param_; }
    std::string GetCode() const { return class_.CodeFor(param_); }
    std::string GetDisplayName() const { return class_.CaptionFor(param_); }
    std::uint8_t GetFlags() const { return class_.Flags; }

    // Sets the last analysed draw and the order of the numbers; methods with
    // flag D load that draw as their reference draw.
    void SetContext(int lastIndex, bool sorted);
    // Readies the instance for testing combinations as the draw after
    // `lastIndex`.
    void PrepareFilter(int lastIndex, bool sorted) { SetContext(lastIndex, sorted); }
    const TStatContext& Context() const { return context_; }

    virtual std::string ValueToText(const TStatDrawRec& value) const;
    virtual int TextToValue(std::string_view text) const;
    int ParseValue(std::string_view text) const;

    // Adds every seeded value with count 0.
    void EnumValues(TStatDrawArray& values);
    // The values of a bare combination, merged without interval bookkeeping.
    void CombValues(const TCombination& comb, TStatDrawArray& values);
    // Starts a pass over the draws (clears the pass state).
    void BeginPass() { pass_ = {}; }
    // The values of archive draw `index`, in the window ending at the
    // context's last index, merged with depth and intervals. Methods whose
    // records carry more than the draw's own bookkeeping (the runs of a
    // series) merge their own.
    virtual void DrawValues(int index, TStatDrawArray& values);
    // True when a value of the combination has the key of an entry of
    // `values` (word 0 only for methods whose values are one word).
    bool CombMatches(const TCombination& comb, const TStatDrawArray& values, bool exclude);
    // The number plotted for archive draw `index` whose numbers are given:
    // its first value; 0 when it has none. A method whose plotted number is
    // not one of its values, or follows another rule, gives its own.
    virtual int GraphValue(const TCombination& numbers, int index);
    int DrawGraphValue(int index);
    // The same for a bare combination standing for the draw after the
    // context's last index, as a filter sees it (no later draw of the archive
    // is read).
    int CombGraphValue(const TCombination& comb);

    // Draw number of the first draw from `fromIndex` on that holds the value;
    // -1 when none does.
    int FindValueDraw(const TStatDrawRec& value, int fromIndex);

    // out[i] = 1 when combination i matches, else 0.
    virtual void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool exclude,
                           std::uint8_t* out);
    // Adds the values of every combination to `values` as CombValues would,
    // one combination after the other (counts add up; the order of the entries
    // may differ).
    virtual void SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values);

    // The per-combination paths the span operations must agree with.
    void SpanMatchPerCombination(std::span<const TCombination> combs, const TStatDrawArray& values, bool exclude,
                                 std::uint8_t* out);
    void SpanHistogramPerCombination(std::span<const TCombination> combs, TStatDrawArray& values);

    // Archive record `index` in the context's order; all zero outside the
    // archive. Methods comparing with earlier draws read them with this.
    TDrawRec GetDraw(int index) const;
    // The reference draw of methods with flag D (the context's last draw).
    const TDrawRec& PrevDraw() const { return prevDraw_; }
    TStatPassState& Pass() { return pass_; }

  protected:
    // The one definition of the method's values: every value of the item,
    // in order, into the sink.
    virtual void Values(const TStatItem& item, const TValueSink& sink) = 0;
    // The seeded values; the base seeds the class row's range.
    virtual void SeedValues(const TValueSink& sink);
    // Whether a value of the item is selected: Values through a sink that
    // tests each value. A generic class may give the same answer without the
    // call per value.
    virtual bool AnySelected(const TStatItem& item, const TStatDrawArray& values);
    bool Selected(const TStatDrawArray& values, const TStatKey& key) const {
        return wholeKeys_ ? HasKey(values, key) : HasKeyWord(values, 0, key[0]);
    }

  private:
    const TStatClass& class_;
    const TStatList& list_;
    TStatContext context_;
    TDrawRec prevDraw_{};
    TStatPassState pass_;
    int param_;
    bool wholeKeys_;
};

}  // namespace corvel
