#include "stats/families/Sums.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "stats/CombinationVector.h"
#include "stats/ValueStat.h"
#include "stats/families/NumberProperties.h"

namespace corvel {
namespace {

using namespace values;

// Any six bytes sum to at most 6 x 255: every sum below is a 16-bit value
// under this limit, whatever a combination read from a file holds.
constexpr std::size_t kSumLimit = kNumbersPerDraw * 255 + 1;

constexpr int SumOf(const TCombination& c) { return c[0] + c[1] + c[2] + c[3] + c[4] + c[5]; }

int Sum(const TCombination& c, int) { return SumOf(c); }

#if CORVEL_COMB_SSE
constexpr vec::TBitTable kPrimeBits = vec::MakeBitTable(IsPrimeNumber);

// The numbers with the property summed in one pass over the lanes (the
// empty lanes 6..15 add 0).
int EvenSum(const TCombination& c, int) {
    const __m128i v = vec::LoadCombination(c);
    const __m128i even = _mm_cmpeq_epi8(_mm_and_si128(v, _mm_set1_epi8(1)), _mm_setzero_si128());
    return vec::SumOfLanes(_mm_and_si128(v, even));
}

int PrimeSum(const TCombination& c, int) {
    const __m128i v = vec::LoadCombination(c);
    return vec::SumOfLanes(_mm_and_si128(v, vec::PropertyLanes(v, kPrimeBits)));
}
#else
// The number itself where it has the property, else 0: six loads and adds.
constexpr ByteTable PropertyValueTable(bool (*property)(int)) {
    ByteTable t{};
    for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = property(b) ? static_cast<std::uint8_t>(b) : 0;
    return t;
}

constexpr ByteTable kEvenValue = PropertyValueTable(IsEvenNumber);
constexpr ByteTable kPrimeValue = PropertyValueTable(IsPrimeNumber);

int TableSum(const ByteTable& table, const TCombination& c) {
    return table[c[0]] + table[c[1]] + table[c[2]] + table[c[3]] + table[c[4]] + table[c[5]];
}

int EvenSum(const TCombination& c, int) { return TableSum(kEvenValue, c); }

int PrimeSum(const TCombination& c, int) { return TableSum(kPrimeValue, c); }
#endif

// How many times a number equals the sum of two others: every pair of
// positions with every third position whose number is the pair's sum (at most
// 6 x 10 for six equal bytes 0).
int SumOfTwoIsThirdAnyBytes(const TCombination& c) {
    int count = 0;
    for (std::size_t j = 0; j < c.size(); ++j)
        for (std::size_t k = j + 1; k < c.size(); ++k) {
            const int sum = c[j] + c[k];
            for (std::size_t i = 0; i < c.size(); ++i) count += i != j && i != k && c[i] == sum;
        }
    return count;
}

#if CORVEL_COMB_SSE
// All fifteen pair sums at once in the lanes of a vector, compared with each
// of the six numbers. For six different numbers 1..127, as every real
// combination holds, a sum never overflows its byte and is larger than both
// numbers of its pair, so a match is always a third position; any other bytes
// take the plain count.
int SumOfTwoIsThird(const TCombination& c, int) {
    const __m128i v = vec::LoadCombination(c);
    // Lane 15 of both is zeroed (index with the high bit set): its sum 0 is
    // no number and its pair is ignored below.
    const __m128i a = _mm_shuffle_epi8(v, _mm_setr_epi8(0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 3, 3, 4, -128));
    const __m128i b = _mm_shuffle_epi8(v, _mm_setr_epi8(1, 2, 3, 4, 5, 2, 3, 4, 5, 3, 4, 5, 4, 5, 5, -128));
    const int equalPair = _mm_movemask_epi8(_mm_cmpeq_epi8(a, b)) & 0x7FFF;
    // A zero byte or a byte of 128 and more.
    const int outside = _mm_movemask_epi8(_mm_or_si128(v, _mm_cmpeq_epi8(v, _mm_setzero_si128()))) & 0x3F;
    if ((equalPair | outside) != 0) [[unlikely]]
        return SumOfTwoIsThirdAnyBytes(c);
    const __m128i sums = _mm_add_epi8(a, b);
    __m128i matches = _mm_setzero_si128();
    // Each equal lane is -1: subtracting counts it.
    matches = _mm_sub_epi8(matches, _mm_cmpeq_epi8(sums, _mm_shuffle_epi8(v, _mm_set1_epi8(0))));
    matches = _mm_sub_epi8(matches, _mm_cmpeq_epi8(sums, _mm_shuffle_epi8(v, _mm_set1_epi8(1))));
    matches = _mm_sub_epi8(matches, _mm_cmpeq_epi8(sums, _mm_shuffle_epi8(v, _mm_set1_epi8(2))));
    matches = _mm_sub_epi8(matches, _mm_cmpeq_epi8(sums, _mm_shuffle_epi8(v, _mm_set1_epi8(3))));
    matches = _mm_sub_epi8(matches, _mm_cmpeq_epi8(sums, _mm_shuffle_epi8(v, _mm_set1_epi8(4))));
    matches = _mm_sub_epi8(matches, _mm_cmpeq_epi8(sums, _mm_shuffle_epi8(v, _mm_set1_epi8(5))));
    return vec::SumOfLanes(matches);
}
#else
// Six different numbers 1..63, as every real combination holds, fit in a
// 64-bit set S. A pair x < y of them counts when x + y is in S, which for each
// x is a bit test of all larger y at once: bit y of S >> x is bit x + y of S.
// So the count is the sum over x of popcount(S & (S >> x) & [y > x]) (the
// third number, larger than both, is never one of the pair).
int SumOfTwoIsThird(const TCombination& c, int) {
    std::uint64_t set = 0;
    bool outside = false;
    for (auto n : c) {
        set |= std::uint64_t{1} << (n & 63);
        outside |= static_cast<unsigned>(n - 1) >= 63;
    }
    if (outside || std::popcount(set) != kNumbersPerDraw) [[unlikely]]
        return SumOfTwoIsThirdAnyBytes(c);
    int count = 0;
    for (auto x : c) {
        // 2 << 63 wraps to 0, leaving no larger y for x = 63.
        const std::uint64_t larger = ~((std::uint64_t{2} << x) - 1);
        count += std::popcount(set & (set >> x) & larger);
    }
    return count;
}
#endif

// ---- sum bands

constexpr TSumBand kBands[] = {{98, 196, 1, 3}, {108, 186, 1, 2}, {118, 176, 2, 3}};

int InBand(int sum, int band) {
    const TSumBand& b = SumBand(band);
    return sum >= b.Low && sum <= b.High ? 1 : 0;
}

// SUM1..SUM3: 1 when the sum lies within the band, else 0. Both kernels work
// on the sum, with the band's answer for every sum in a table.
struct SumInBand {
    static constexpr bool kWholeKeys = false;

    template <class Sink>
    static void Values(int band, const TStatItem& item, Sink&& sink) {
        sink(InBand(SumOf(item.Numbers), band));
    }
    static void Match(int band, std::span<const TCombination> combs, const TStatDrawArray& values, std::uint8_t* out) {
        const ByteTable selected = kernels::SelectKey0(values);
        std::array<std::uint8_t, kSumLimit> bySum{};
        for (std::size_t sum = 0; sum < kSumLimit; ++sum) bySum[sum] = selected[InBand(static_cast<int>(sum), band)];
        kernels::MatchValue(combs, bySum, out, [](const TCombination& c) { return SumOf(c); });
    }
    static void Histogram(int band, std::span<const TCombination> combs, TStatDrawArray& values) {
        TStatDrawArray bySum;
        kernels::HistogramOfValue<kSumLimit>(combs, bySum, [](const TCombination& c) { return SumOf(c); });
        std::array<std::uint64_t, 2> counts{};
        for (const TStatDrawRec& s : bySum) counts[InBand(s.Key[0], band)] += static_cast<std::uint64_t>(s.Count);
        for (std::uint16_t v = 0; v < counts.size(); ++v)
            if (counts[v]) kernels::AddCount(values, v, counts[v]);
    }
};

std::string BandCaption(std::string_view caption, int band) {
    const TSumBand& b = SumBand(band);
    return Format(caption, {band, b.CaptionX, b.CaptionY});
}

std::string BandText(const TStatDrawRec& value, int band) {
    const TSumBand& b = SumBand(band);
    return value.Key[0] == 1 ? Format(texts::kStatSumBand, {b.Low, b.High}) : texts::kStatSumOutsideBand.Str();
}

// ---- changes of the sum

// The changes of the sum from draw i - 1 to draw i, counted only for the
// draws i - 1 whose sum resembles the sum of the reference draw (the last
// analysed draw). A bare combination plays the draw after the reference draw:
// the draw before it is the reference draw itself, so its change always
// counts (unless there is no draw at all). A Change says when a change
// counts, how it is kept as a key, which selected entries a key matches,
// which rows are seeded and what is plotted.
template <class Change>
class TSumChangeStat final : public TCustomStat {
  public:
    TSumChangeStat(const TStatClass& cls, const TStatList& list, int param) : TCustomStat(cls, list, param, true) {}

    // The change from the draw before, whether or not it resembles the
    // reference draw.
    int GraphValue(const TCombination& numbers, int index) override {
        return Change::Plotted(SumOf(GetDraw(index - 1).Numbers), SumOf(numbers));
    }

    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool,
                   std::uint8_t* out) override {
        if (!HasReference()) {
            std::fill(out, out + combs.size(), std::uint8_t{0});
            return;
        }
        const int reference = SumOf(PrevDraw().Numbers);
        // Whether a combination matches depends on its sum alone.
        std::array<std::uint8_t, kSumLimit> bySum{};
        for (std::size_t s = 0; s < kSumLimit; ++s)
            bySum[s] = IsSelected(values, Change::Key(reference, static_cast<int>(s))) ? 1 : 0;
        kernels::MatchValue(combs, bySum, out, [](const TCombination& c) { return SumOf(c); });
    }

    void SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) override {
        if (!HasReference()) return;
        const int reference = SumOf(PrevDraw().Numbers);
        TStatDrawArray bySum;
        kernels::HistogramOfValue<kSumLimit>(combs, bySum, [](const TCombination& c) { return SumOf(c); });
        for (const TStatDrawRec& s : bySum)
            kernels::AddCount(values, Change::Key(reference, s.Key[0]), static_cast<std::uint64_t>(s.Count));
    }

  protected:
    void Values(const TStatItem& item, const TValueSink& sink) override {
        // The oldest draw follows none: the empty record before it is no sum
        // of 0 to change from (it would lie within the tolerance of 21..25).
        if (item.Index < 1) return;

        const int before = SumOf(GetDraw(item.Index - 1).Numbers);
        if (Change::Counts(before, SumOf(PrevDraw().Numbers))) sink(Change::Key(before, SumOf(item.Numbers)));
    }
    void SeedValues(const TValueSink& sink) override { Change::Seed(sink); }
    bool AnySelected(const TStatItem& item, const TStatDrawArray& values) override {
        bool found = false;
        auto test = [&](const TStatKey& key) { found = found || IsSelected(values, key); };
        Values(item, TValueSink(test));
        return found;
    }

  private:
    // A bare combination follows the last analysed draw; with none it has no
    // change.
    bool HasReference() const { return Context().LastIndex >= 0; }
    static bool IsSelected(const TStatDrawArray& values, const TStatKey& key) {
        return std::any_of(values.begin(), values.end(),
                           [&](const TStatDrawRec& entry) { return Change::Selects(entry.Key, key); });
    }
};

constexpr int Sign(int v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

TStatKey Int32Key(int v) {
    TStatKey key{};
    SetKeyInt32(key, 0, v);
    return key;
}

// SUMC: the sum that followed a draw with exactly the reference sum, kept
// with that sum (32-bit values in words 0..1 and 2..3). A selected entry
// matches the combinations of the sum that followed.
struct ExactChange {
    static bool Counts(int before, int reference) { return before == reference; }
    static TStatKey Key(int before, int after) {
        TStatKey key{};
        SetKeyInt32(key, 0, before);
        SetKeyInt32(key, 2, after);
        return key;
    }
    static bool Selects(const TStatKey& entry, const TStatKey& key) { return KeyInt32(entry, 2) == KeyInt32(key, 2); }
    static void Seed(const TValueSink&) {}
    static int Plotted(int before, int after) { return after - before; }
};

// SUMV: the change after a draw whose sum lies within the tolerance of the
// reference sum (a 32-bit value in words 0..1).
struct ChangeNearby {
    static bool Counts(int before, int reference) { return std::abs(before - reference) <= kSumChangeTolerance; }
    static TStatKey Key(int before, int after) { return Int32Key(after - before); }
    static bool Selects(const TStatKey& entry, const TStatKey& key) { return entry == key; }
    static void Seed(const TValueSink&) {}
    static int Plotted(int before, int after) { return after - before; }
};

// SUMT: the direction of the change after a draw with exactly the reference
// sum: 0 unchanged, 1 up, -1 down (a 32-bit value in words 0..1).
struct ChangeDirection {
    static bool Counts(int before, int reference) { return before == reference; }
    static TStatKey Key(int before, int after) { return Int32Key(Sign(after - before)); }
    static bool Selects(const TStatKey& entry, const TStatKey& key) { return entry == key; }
    static void Seed(const TValueSink& sink) {
        for (int direction : {0, 1, -1}) sink(Int32Key(direction));
    }
    static int Plotted(int before, int after) { return Sign(after - before); }
};

std::string ExactChangeText(const TStatDrawRec& value, int) {
    const int before = KeyInt32(value.Key, 0), after = KeyInt32(value.Key, 2);
    return after < before ? Format(texts::kStatSumChangeDown, {before - after, before, after})
                          : Format(texts::kStatSumChangeUp, {after - before, before, after});
}

std::string ChangeText(const TStatDrawRec& value, int) {
    const int change = KeyInt32(value.Key, 0);
    return change >= 0 ? Format(texts::kStatSumDeltaUp, {change}) : Format(texts::kStatSumDeltaDown, {-change});
}

std::string DirectionText(const TStatDrawRec& value, int) {
    const int direction = KeyInt32(value.Key, 0);
    return direction > 0   ? texts::kStatSumTrendUp.Str()
           : direction < 0 ? texts::kStatSumTrendDown.Str()
                           : texts::kStatSumTrendSame.Str();
}

template <class Change>
constexpr TStatClass SumChangeRow(TStatClass row) {
    row.Create = &CreateStatOf<TSumChangeStat<Change>>;
    return row;
}

constexpr std::uint8_t kGroup = 1;

const TStatClass kFamily[] = {
    StatRow<OneValue<Sum, kSumLimit>>({.ClassName = "TstSumValues",
                                       .Code = "SUMS",
                                       .Caption = texts::kStatSumValues,
                                       .Group = kGroup,
                                       .Flags = kFlagN,
                                       .Graph = true,
                                       .SeedFirst = kSmallestSum,
                                       .SeedLast = kLargestSum}),
    StatRow<SumInBand>({.ClassName = "TstSumRanges",
                        .Code = "SUM%d",
                        .Caption = texts::kStatSumRange,
                        .CaptionText = &BandCaption,
                        .Group = kGroup,
                        .Flags = kFlagN,
                        .Graph = true,
                        .CanParseValue = false,
                        .ValueText = &BandText,
                        .SeedFirst = 0,
                        .SeedLast = 1,
                        .ParamRange = &FixedParams<1, 3>}),
    SumChangeRow<ExactChange>({.ClassName = "TstSumChange",
                               .Code = "SUMC",
                               .Caption = texts::kStatSumChange,
                               .Group = kGroup,
                               .Flags = kFlagD,
                               .Graph = true,
                               .CanParseValue = false,
                               .ValueText = &ExactChangeText}),
    SumChangeRow<ChangeNearby>({.ClassName = "TstSumChangeSome",
                                .Code = "SUMV",
                                .Caption = texts::kStatSumChangeSome,
                                .Group = kGroup,
                                .Flags = kFlagD,
                                .CanParseValue = false,
                                .ValueText = &ChangeText}),
    SumChangeRow<ChangeDirection>({.ClassName = "TstSumTrend",
                                   .Code = "SUMT",
                                   .Caption = texts::kStatSumTrend,
                                   .Group = kGroup,
                                   .Flags = kFlagD,
                                   .Graph = true,
                                   .CanParseValue = false,
                                   .ValueText = &DirectionText}),
    StatRow<OneValue<EvenSum, kSumLimit>>({.ClassName = "TstSumEvenValues",
                                           .Code = "SUME",
                                           .Caption = texts::kStatSumEvenValues,
                                           .Group = kGroup,
                                           .Flags = kFlagN,
                                           .Graph = true}),
    StatRow<OneValue<PrimeSum, kSumLimit>>({.ClassName = "TstSumPrimeValues",
                                            .Code = "SUMP",
                                            .Caption = texts::kStatSumPrimeValues,
                                            .Group = kGroup,
                                            .Flags = kFlagN,
                                            .Graph = true}),
    StatRow<OneValue<SumOfTwoIsThird>>({.ClassName = "TstSum2To3",
                                        .Code = "S2T3",
                                        .Caption = texts::kStatSum2To3,
                                        .Group = kGroup,
                                        .Flags = kFlagN,
                                        .Graph = true}),
};

}  // namespace

const TSumBand& SumBand(int band) { return kBands[std::clamp(band, 1, 3) - 1]; }

std::span<const TStatClass> SumClasses() { return kFamily; }

}  // namespace corvel
