#include "stats/families/Ognev.h"

#include <array>
#include <cstdlib>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "stats/CombinationVector.h"
#include "stats/ValueStat.h"

namespace corvel {

int OgnevPair(const TCombination& numbers) {
    std::array<int, kNumbersPerDraw> x{};
    for (std::size_t k = 0; k < x.size(); ++k) x[k] = numbers[k];
    // Four rounds leave two values.
    for (std::size_t len = x.size(); len > 2; --len)
        for (std::size_t k = 0; k + 1 < len; ++k) x[k] = std::abs(x[k + 1] - x[k]);
    return x[0] | x[1] << 8;
}

namespace {

constexpr int OgnevOfPair(int pair, int mode) {
    const int x1 = pair & 0xFF, x2 = pair >> 8;
    const int r = x1 > x2 ? x1 - x2 : x2 - x1;
    if (mode != 1) return r;
    // Without a branch: r is 0 or 1 for about a tenth of the combinations,
    // at random, which a branch would mispredict.
    const int useSum = -static_cast<int>(r <= 1);
    return ((x1 + x2) & useSum) | (r & ~useSum);
}

}  // namespace

int OgnevNumber(const TCombination& numbers, int mode) { return OgnevOfPair(OgnevPair(numbers), mode); }

namespace {

using kernels::ByteTable;

// The Ognev numbers of two combinations at once: each sits in one 64-bit
// half of a register, and a byte shift within the halves lines every number
// up with its right neighbour. The last difference, the pair's sum and the
// choice between them stay in the register too.
template <int Mode, class Body>
void ForEachOgnev(std::span<const TCombination> combs, Body&& body) {
    std::size_t i = 0;
#if CORVEL_COMB_SSE
    const __m128i lowByte = _mm_set1_epi64x(0xFF), lowTwoBytes = _mm_set1_epi64x(0xFFFF);
    for (; i + 2 <= combs.size(); i += 2) {
        __m128i v = _mm_unpacklo_epi64(vec::LoadCombination(combs[i]), vec::LoadCombination(combs[i + 1]));
        for (int round = 0; round < 4; ++round) {
            const __m128i next = _mm_srli_epi64(v, 8);
            v = _mm_sub_epi8(_mm_max_epu8(v, next), _mm_min_epu8(v, next));
        }
        // v holds x1, x2 in bytes 0, 1 of each half.
        const __m128i next = _mm_srli_epi64(v, 8);
        __m128i value = _mm_and_si128(_mm_sub_epi8(_mm_max_epu8(v, next), _mm_min_epu8(v, next)), lowByte);
        if constexpr (Mode == 1) {
            const __m128i sum = _mm_sad_epu8(_mm_and_si128(v, lowTwoBytes), _mm_setzero_si128());
            value = _mm_blendv_epi8(value, sum, _mm_cmpgt_epi32(_mm_set1_epi32(2), value));
        }
        body(i, _mm_extract_epi16(value, 0));
        body(i + 1, _mm_extract_epi16(value, 4));
    }
#endif
    for (; i < combs.size(); ++i) body(i, OgnevOfPair(OgnevPair(combs[i]), Mode));
}

// x1 + x2 of bytes reaches 510.
constexpr std::size_t kOgnevLimit = 512;

// HCO1 and HCO2: one value per combination.
template <int Mode>
struct OgnevValue {
    static constexpr bool kWholeKeys = false;

    template <class Sink>
    static void Values(int, const TStatItem& item, Sink&& sink) {
        sink(OgnevNumber(item.Numbers, Mode));
    }
    static void Match(int, std::span<const TCombination> combs, const TStatDrawArray& values, std::uint8_t* out) {
        std::array<std::uint8_t, kOgnevLimit> selected{};
        for (const auto& v : values)
            if (v.Key[0] < kOgnevLimit) selected[v.Key[0]] = 1;
        ForEachOgnev<Mode>(combs,
                           [&](std::size_t i, int value) { out[i] = selected[static_cast<std::size_t>(value)]; });
    }
    static void Histogram(int, std::span<const TCombination> combs, TStatDrawArray& values) {
        std::array<std::uint64_t, kOgnevLimit> total{};
        kernels::ForEachBlock(combs, [&](std::span<const TCombination> block) {
            // Two counters, one per half of a register, so that neighbouring
            // combinations (mostly of one value) do not wait on each other.
            std::array<std::array<std::uint32_t, kOgnevLimit>, 2> counts{};
            ForEachOgnev<Mode>(block,
                               [&](std::size_t i, int value) { ++counts[i & 1][static_cast<std::size_t>(value)]; });
            for (std::size_t v = 0; v < kOgnevLimit; ++v) total[v] += std::uint64_t{counts[0][v]} + counts[1][v];
        });
        for (std::size_t v = 0; v < kOgnevLimit; ++v)
            if (total[v]) kernels::AddCount(values, static_cast<std::uint16_t>(v), total[v]);
    }
};

// Key[3] marks the sum that a reduction ending in a difference of 1 gives
// beside the value 1.
constexpr std::uint16_t kSumMarker = 2;

// HCO3: the Ognev numbers of the newest draw of the window in mode 2 and
// their multiples up to 48, the numbers a filter keeps or removes. Only the
// window's last draw gives values. The count of a value would say whether the
// following draw held it; that draw lies past the analysed window, which no
// method reads, so every count is 0.
class TOgnevDynamicStat final : public TCustomStat {
  public:
    TOgnevDynamicStat(const TStatClass& cls, const TStatList& list, int param) : TCustomStat(cls, list, param, true) {}

    void DrawValues(int index, TStatDrawArray& values) override {
        if (index != Context().LastIndex) return;
        const TDrawRec draw = GetDraw(index);
        TStatDrawRec work;
        work.LastDraw = draw.Number;
        work.PrevDraw = draw.Number;
        work.Depth = 1;
        work.Count = 0;
        Keys(draw.Numbers, [&](const TStatKey& key) {
            work.Key = key;
            AddStatValue(values, work, false);
        });
    }
    std::string ValueToText(const TStatDrawRec& value) const override {
        if (value.Key[3] == kSumMarker) return Format("%d (%d)", {value.Key[0], value.Key[1]});
        return std::to_string(value.Key[0]);
    }
    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool,
                   std::uint8_t* out) override {
        kernels::MatchPattern(combs, kernels::SelectKey0(values), kernels::AnyPattern(), out);
    }

  protected:
    void Values(const TStatItem& item, const TValueSink& sink) override {
        if (item.Draw && item.Index == Context().LastIndex) Keys(item.Numbers, sink);
    }
    bool AnySelected(const TStatItem& item, const TStatDrawArray& values) override {
        for (auto n : item.Numbers)
            if (HasKeyWord(values, 0, n)) return true;
        return false;
    }

  private:
    template <class Sink>
    static void Keys(const TCombination& numbers, Sink&& sink) {
        const int pair = OgnevPair(numbers);
        const int x1 = pair & 0xFF, x2 = pair >> 8;
        const int r = x1 > x2 ? x1 - x2 : x2 - x1;
        int f = r;
        if (r == 0) {
            f = x1 + x2;
            sink(TStatKey{static_cast<std::uint16_t>(f), 0, 0, 0});
        } else if (r == 1) {
            f = x1 + x2;
            sink(TStatKey{static_cast<std::uint16_t>(f), 1, 0, kSumMarker});
        } else {
            sink(TStatKey{static_cast<std::uint16_t>(f), 0, 0, 0});
        }
        // The multiples of f below f * f (or f * f * f for a small f) that
        // are numbers, largest first.
        for (int g = f * f > kMaxNumber - 1 ? f * f : f * f * f; g > f; g -= f)
            if (g >= kMinNumber && g <= kMaxNumber) sink(TStatKey{static_cast<std::uint16_t>(g), 0, 0, 0});
    }
};

constexpr std::uint8_t kGroupOgnev = 11;

const TStatClass kFamily[] = {
    StatRow<OgnevValue<0>>({.ClassName = "TstOgnev1",
                            .Code = "HCO1",
                            .Caption = texts::kStatOgnev1,
                            .Group = kGroupOgnev,
                            .Flags = kFlagS | kFlagN,
                            .Graph = true}),
    StatRow<OgnevValue<1>>({.ClassName = "TstOgnev2",
                            .Code = "HCO2",
                            .Caption = texts::kStatOgnev2,
                            .Group = kGroupOgnev,
                            .Flags = kFlagS | kFlagN,
                            .Graph = true}),
    {.ClassName = "TstOgnev3",
     .Code = "HCO3",
     .Caption = texts::kStatOgnev3,
     .Group = kGroupOgnev,
     .Flags = kFlagS | kFlagD,
     .CanParseValue = false,
     .Create = &CreateStatOf<TOgnevDynamicStat>},
};

}  // namespace

std::span<const TStatClass> OgnevClasses() { return kFamily; }

}  // namespace corvel
