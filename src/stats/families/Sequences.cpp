#include "stats/families/Sequences.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "i18n/Texts.h"
#include "model/NumberSet.h"
#include "model/GameConstants.h"
#include "model/DrawArchive.h"
#include "stats/CombinationVector.h"
#include "stats/ValueStat.h"
#include "stats/families/DrawValuesOnly.h"

namespace corvel {
namespace {

using namespace values;

template <class Stat>
constexpr TStatClass RowOf(TStatClass row) {
    row.Create = &CreateStatOf<Stat>;
    return row;
}

// ---- runs of consecutive numbers

// The steps between neighbouring positions as a five-bit pattern: bit i - 1
// is set when the number at position i is one greater than the one before it
// (i = 1..5). Any bytes are safe: 255 + 1 is no byte.
inline int RisingSteps(const TCombination& c) {
#if CORVEL_COMB_SSE
    // Lane i: the number at position i + 1 is one greater than the number at
    // position i; 255 + 1 wraps to 0 in a lane and is ruled out.
    const __m128i v = vec::LoadCombination(c);
    const __m128i rises = _mm_cmpeq_epi8(_mm_srli_si128(v, 1), _mm_add_epi8(v, _mm_set1_epi8(1)));
    const __m128i top = _mm_cmpeq_epi8(v, _mm_set1_epi8(-1));
    return _mm_movemask_epi8(_mm_andnot_si128(top, rises)) & 0x1F;
#else
    return static_cast<int>(c[1] == c[0] + 1) | static_cast<int>(c[2] == c[1] + 1) << 1 |
           static_cast<int>(c[3] == c[2] + 1) << 2 | static_cast<int>(c[4] == c[3] + 1) << 3 |
           static_cast<int>(c[5] == c[4] + 1) << 4;
#endif
}

// The plotted values count a step up or down alike.
inline int RisingOrFallingSteps(const TCombination& c) {
    int steps = 0;
    for (std::size_t i = 1; i < c.size(); ++i)
        steps |= static_cast<int>(c[i] == c[i - 1] + 1 || c[i] + 1 == c[i - 1]) << (i - 1);
    return steps;
}

constexpr int kStepPatterns = 1 << (kNumbersPerDraw - 1);

// Up to six values of a step pattern.
struct RunValues {
    std::uint8_t Count = 0;
    std::array<std::uint8_t, kNumbersPerDraw> Values{};
};

// The lengths of the runs in position order; a number without a step to
// either neighbour is a run of length 1.
constexpr RunValues RunLengths(int steps) {
    RunValues v;
    std::uint8_t length = 1;
    for (int i = 0; i < kNumbersPerDraw - 1; ++i) {
        if (steps >> i & 1) {
            ++length;
        } else {
            v.Values[v.Count++] = length;
            length = 1;
        }
    }
    v.Values[v.Count++] = length;
    return v;
}

constexpr RunValues SingleValue(int value) { return {1, {static_cast<std::uint8_t>(value)}}; }

constexpr int LongRuns(int steps) {
    const RunValues runs = RunLengths(steps);
    int n = 0;
    for (int k = 0; k < runs.Count; ++k) n += runs.Values[static_cast<std::size_t>(k)] >= 2;
    return n;
}

constexpr int LongestRun(int steps) {
    const RunValues runs = RunLengths(steps);
    int longest = 0;
    for (int k = 0; k < runs.Count; ++k) longest = std::max<int>(longest, runs.Values[static_cast<std::size_t>(k)]);
    return longest;
}

constexpr RunValues RunCountValue(int steps) { return SingleValue(LongRuns(steps)); }
constexpr RunValues LongestRunValue(int steps) { return SingleValue(LongestRun(steps)); }
// On the graph a draw without any step has no stretch at all.
constexpr int PlottedLongestRun(int steps) { return steps ? LongestRun(steps) : 0; }

// Values that are a function of the rising steps of the six numbers; the span
// kernels work on the pattern and a 32-entry table.
template <RunValues (*Of)(int steps)>
struct StepValues {
    static constexpr bool kWholeKeys = false;
    static constexpr std::array<RunValues, kStepPatterns> kTable = [] {
        std::array<RunValues, kStepPatterns> t{};
        for (int p = 0; p < kStepPatterns; ++p) t[static_cast<std::size_t>(p)] = Of(p);
        return t;
    }();

    template <class Sink>
    static void Values(int, const TStatItem& item, Sink&& sink) {
        const RunValues& v = kTable[static_cast<std::size_t>(RisingSteps(item.Numbers))];
        for (std::size_t k = 0; k < v.Count; ++k) sink(v.Values[k]);
    }
    static void Match(int, std::span<const TCombination> combs, const TStatDrawArray& values, std::uint8_t* out) {
        const ByteTable selected = kernels::SelectKey0(values);
        std::array<std::uint8_t, kStepPatterns> byPattern{};
        for (std::size_t p = 0; p < byPattern.size(); ++p)
            for (std::size_t k = 0; k < kTable[p].Count; ++k) byPattern[p] |= selected[kTable[p].Values[k]];
        for (std::size_t i = 0; i < combs.size(); ++i)
            out[i] = byPattern[static_cast<std::size_t>(RisingSteps(combs[i]))];
    }
    static void Histogram(int, std::span<const TCombination> combs, TStatDrawArray& values) {
        // The patterns counted as one value each (interleaved counters), then
        // spread into the values of each pattern.
        TStatDrawArray byPattern;
        kernels::HistogramOfValue<kStepPatterns>(combs, byPattern,
                                                 [](const TCombination& c) { return RisingSteps(c); });
        std::array<std::uint64_t, kNumbersPerDraw + 1> byValue{};
        for (const TStatDrawRec& p : byPattern)
            for (std::size_t k = 0; k < kTable[p.Key[0]].Count; ++k)
                byValue[kTable[p.Key[0]].Values[k]] += static_cast<std::uint64_t>(p.Count);
        for (std::size_t v = 0; v < byValue.size(); ++v)
            if (byValue[v]) kernels::AddCount(values, static_cast<std::uint16_t>(v), byValue[v]);
    }
};

// A run method whose graph counts falling steps too.
template <RunValues (*Of)(int steps), int (*Plot)(int steps)>
class TPlottedRunStat : public TValueStat<StepValues<Of>> {
  public:
    using TValueStat<StepValues<Of>>::TValueStat;
    int GraphValue(const TCombination& numbers, int) override { return Plot(RisingOrFallingSteps(numbers)); }
};

// ---- repeats from earlier draws

// Number n moved by `shift` and wrapped into 1..48 (48 + 1 gives 1, 1 - 1
// gives 48); 0 for a byte that is not a number.
constexpr int ShiftedNumber(int n, int shift) {
    if (n < kMinNumber || n > kMaxNumber) return 0;
    int m = n + shift;
    if (m > kMaxNumber) m -= kMaxNumber;
    if (m < kMinNumber) m += kMaxNumber;
    return m;
}

// Numbers 1..48 as bits of a set; other bytes are no number.
inline std::uint64_t ShiftedSet(const TCombination& c, int shift) {
    std::uint64_t set = 0;
    for (auto n : c) set |= kNumberBit[static_cast<std::size_t>(ShiftedNumber(n, shift))];
    return set;
}

inline int SharedCount(const TCombination& c, std::uint64_t earlier) { return std::popcount(NumberSet(c) & earlier); }

// The numbers that a draw (or a combination standing for it) at `index` is
// compared with.
using EarlierSet = std::uint64_t (*)(const TCustomStat& stat, int index);

// The numbers of the draw `Distance` draws before, shifted.
template <int Distance, int Shift>
std::uint64_t ShiftedDraw(const TCustomStat& stat, int index) {
    return ShiftedSet(stat.GetDraw(index - Distance).Numbers, Shift);
}
// The numbers drawn both one and two draws before.
std::uint64_t InBothBefore(const TCustomStat& stat, int index) {
    return NumberSet(stat.GetDraw(index - 1).Numbers) & NumberSet(stat.GetDraw(index - 2).Numbers);
}
// The numbers drawn one draw before but not two draws before.
std::uint64_t InLastBeforeOnly(const TCustomStat& stat, int index) {
    return NumberSet(stat.GetDraw(index - 1).Numbers) & ~NumberSet(stat.GetDraw(index - 2).Numbers);
}

// How many numbers of the item are in the earlier set: for a draw the set of
// its own earlier draws, for a combination that of the draw it would follow.
template <EarlierSet Earlier>
struct RepeatCount {
    static constexpr bool kWholeKeys = false;
    static constexpr bool kReadsDraws = true;

    template <class Sink>
    static void Values(const TCustomStat& stat, const TStatItem& item, Sink&& sink) {
        sink(SharedCount(item.Numbers, Earlier(stat, item.Index)));
    }
    static void Match(const TCustomStat& stat, std::span<const TCombination> combs, const TStatDrawArray& values,
                      std::uint8_t* out) {
        const std::uint64_t earlier = Earlier(stat, stat.Context().LastIndex + 1);
        kernels::MatchValue(combs, kernels::SelectKey0(values), out,
                            [earlier](const TCombination& c) { return SharedCount(c, earlier); });
    }
    // A bare combination adds no value (TDrawValuesOnlyStat).
    static void Histogram(const TCustomStat&, std::span<const TCombination>, TStatDrawArray&) {}
};

// The numbers of the reference draw (the newest of the window) that stood in
// the draw `Distance` draws before draw a and come back, shifted, in draw a:
// the value is the shifted number.
template <int Distance, int Shift>
struct TwoDrawRepeats {
    static constexpr int kShift = Shift;
    template <class Sink>
    static void Of(const TCustomStat& stat, const TStatItem& item, Sink&& sink) {
        const std::uint64_t reference = NumberSet(stat.PrevDraw().Numbers);
        const std::uint64_t drawn = NumberSet(item.Numbers);
        for (auto n : stat.GetDraw(item.Index - Distance).Numbers) {
            if (!(kNumberBit[n] & reference)) continue;
            const int shifted = ShiftedNumber(n, Shift);
            if (kNumberBit[static_cast<std::size_t>(shifted)] & drawn) sink(shifted);
        }
    }
};

// The numbers of draw a that are in the reference draw and in the earlier set
// of draw a.
template <EarlierSet Earlier>
struct ThreeDrawRepeats {
    static constexpr int kShift = 0;
    template <class Sink>
    static void Of(const TCustomStat& stat, const TStatItem& item, Sink&& sink) {
        const std::uint64_t wanted = NumberSet(stat.PrevDraw().Numbers) & Earlier(stat, item.Index);
        for (auto n : item.Numbers)
            if (kNumberBit[n] & wanted) sink(n);
    }
};

// Repeated numbers as values. A draw's values come from Pick; the rows are
// numbers, so a combination matches when one of its numbers is selected (the
// filter tests its six numbers). The seeded rows are the reference draw's
// numbers in drawn order, shifted as Pick shifts.
template <class Pick>
struct RepeatValues {
    static constexpr bool kWholeKeys = false;
    static constexpr bool kReadsDraws = true;

    template <class Sink>
    static void Values(const TCustomStat& stat, const TStatItem& item, Sink&& sink) {
        if (item.Draw) {
            Pick::Of(stat, item, sink);
        } else {
            for (auto n : item.Numbers) sink(n);
        }
    }
    static void Match(const TCustomStat&, std::span<const TCombination> combs, const TStatDrawArray& values,
                      std::uint8_t* out) {
        kernels::MatchPattern(combs, kernels::SelectKey0(values), kernels::AnyPattern(), out);
    }
    // A bare combination adds no value (TDrawValuesOnlyStat).
    static void Histogram(const TCustomStat&, std::span<const TCombination>, TStatDrawArray&) {}
    static void Seed(const TCustomStat& stat, const TValueSink& sink) {
        const TDrawRec reference = corvel::GetDraw(*stat.Context().Draws, stat.Context().LastIndex, false);
        for (auto n : reference.Numbers)
            if (const int shifted = ShiftedNumber(n, Pick::kShift)) sink(shifted);
    }
};

template <class Pick>
class TRepeatValuesStat : public TDrawValuesOnlyStat<RepeatValues<Pick>> {
  public:
    using TDrawValuesOnlyStat<RepeatValues<Pick>>::TDrawValuesOnlyStat;

  protected:
    void SeedValues(const TValueSink& sink) override { RepeatValues<Pick>::Seed(*this, sink); }
};

constexpr std::uint8_t kSN = kFlagS | kFlagN;
constexpr std::uint8_t kSequences = 6;
constexpr std::uint8_t kRepeats = 7;

template <class Pick>
constexpr TStatClass RepeatValuesRow(const char* className, const char* code, i18n::TextId caption) {
    return RowOf<TRepeatValuesStat<Pick>>(
        {.ClassName = className, .Code = code, .Caption = caption, .Group = kRepeats, .Flags = kFlagD});
}

// The counts seed 1..6: the row 0 appears once a draw without repeats occurs.
template <EarlierSet Earlier>
constexpr TStatClass RepeatCountRow(const char* className, const char* code, i18n::TextId caption) {
    return RowOf<TDrawValuesOnlyStat<RepeatCount<Earlier>>>({.ClassName = className,
                                                             .Code = code,
                                                             .Caption = caption,
                                                             .Group = kRepeats,
                                                             .Flags = kFlagD,
                                                             .SeedFirst = 1,
                                                             .SeedLast = kNumbersPerDraw});
}

const TStatClass kFamily[] = {
    StatRow<StepValues<RunLengths>>({.ClassName = "TstSequenceLen",
                                     .Code = "SEQL",
                                     .Caption = texts::kStatSequenceLen,
                                     .Group = kSequences,
                                     .Flags = kSN,
                                     .SeedFirst = 1,
                                     .SeedLast = kNumbersPerDraw}),
    RowOf<TPlottedRunStat<RunCountValue, LongRuns>>({.ClassName = "TstSequenceCnt",
                                                     .Code = "SEQS",
                                                     .Caption = texts::kStatSequenceCount,
                                                     .Group = kSequences,
                                                     .Flags = kSN,
                                                     .Graph = true,
                                                     .SeedFirst = 0,
                                                     .SeedLast = kNumbersPerDraw / 2}),
    RowOf<TPlottedRunStat<LongestRunValue, PlottedLongestRun>>({.ClassName = "TstSequenceLenMax",
                                                                .Code = "LENS",
                                                                .Caption = texts::kStatSequenceLenMax,
                                                                .Group = kSequences,
                                                                .Flags = kSN,
                                                                .Graph = true,
                                                                .SeedFirst = 1,
                                                                .SeedLast = kNumbersPerDraw}),
    RepeatValuesRow<TwoDrawRepeats<1, 0>>("TstRepValues2", "RPV2", texts::kStatRepValues2),
    RepeatValuesRow<ThreeDrawRepeats<InBothBefore>>("TstRepValues3", "RPV3", texts::kStatRepValues3),
    RepeatValuesRow<ThreeDrawRepeats<InLastBeforeOnly>>("TstRepValues2B3", "PRL2", texts::kStatRepValues2B3),
    RepeatValuesRow<TwoDrawRepeats<2, 0>>("TstRepValues2over1", "PRV2O1", texts::kStatRepValues2Over1),
    RepeatValuesRow<TwoDrawRepeats<3, 0>>("TstRepValues2over2", "PRV2O2", texts::kStatRepValues2Over2),
    RepeatValuesRow<TwoDrawRepeats<4, 0>>("TstRepValues2over3", "PRV2O3", texts::kStatRepValues2Over3),
    RepeatValuesRow<TwoDrawRepeats<1, 1>>("TstRepValues2P1", "PRV+1", texts::kStatRepValues2P1),
    RepeatValuesRow<TwoDrawRepeats<1, -1>>("TstRepValues2N1", "PRV-1", texts::kStatRepValues2N1),
    RepeatValuesRow<TwoDrawRepeats<1, 2>>("TstRepValues2P2", "PRV+2", texts::kStatRepValues2P2),
    RepeatValuesRow<TwoDrawRepeats<1, -2>>("TstRepValues2N2", "PRV-2", texts::kStatRepValues2N2),
    RepeatCountRow<ShiftedDraw<1, 0>>("TstRepCount2", "RPC2", texts::kStatRepCount2),
    RepeatCountRow<InBothBefore>("TstRepCount3", "RPC3", texts::kStatRepCount3),
    RepeatCountRow<InLastBeforeOnly>("TstRepCount2B3", "PRB2", texts::kStatRepCount2B3),
    // The one-draw-between count is keyed RPO1, unlike its two siblings.
    RepeatCountRow<ShiftedDraw<2, 0>>("TstRepCount2over1", "RPO1", texts::kStatRepCount2Over1),
    RepeatCountRow<ShiftedDraw<3, 0>>("TstRepCount2over2", "PRC2O2", texts::kStatRepCount2Over2),
    RepeatCountRow<ShiftedDraw<4, 0>>("TstRepCount2over3", "PRC2O3", texts::kStatRepCount2Over3),
    RepeatCountRow<ShiftedDraw<1, 1>>("TstRepCount2P1", "PRC+1", texts::kStatRepCount2P1),
    RepeatCountRow<ShiftedDraw<1, -1>>("TstRepCount2N1", "PRC-1", texts::kStatRepCount2N1),
    RepeatCountRow<ShiftedDraw<1, 2>>("TstRepCount2P2", "PRC+2", texts::kStatRepCount2P2),
    RepeatCountRow<ShiftedDraw<1, -2>>("TstRepCount2N2", "PRC-2", texts::kStatRepCount2N2),
};

}  // namespace

std::span<const TStatClass> SequenceClasses() { return kFamily; }

}  // namespace corvel
