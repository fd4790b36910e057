#include "stats/families/Differences.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "stats/CombinationVector.h"
#include "stats/ValueStat.h"

namespace corvel {
namespace {

using namespace values;

constexpr std::size_t kDifferenceCount = kNumbersPerDraw - 1;
using TDifferences = std::array<std::uint8_t, kDifferenceCount>;

// The five differences between neighbouring positions in the order the item
// holds its numbers: the gaps for ascending numbers, the jumps from number to
// number for drawn order; 0..255 for any bytes.
constexpr TDifferences DifferencesOf(const TCombination& c) {
    TDifferences d{};
    for (std::size_t i = 0; i < kDifferenceCount; ++i)
        d[i] = static_cast<std::uint8_t>(c[i + 1] > c[i] ? c[i + 1] - c[i] : c[i] - c[i + 1]);
    return d;
}

int LargestDifference(const TCombination& c, int) {
#if CORVEL_COMB_SSE
    return vec::LargestLane<5>(vec::NeighbourDifferences(vec::LoadCombination(c)));
#else
    const TDifferences d = DifferencesOf(c);
    return std::max({d[0], d[1], d[2], d[3], d[4]});
#endif
}

int Spread(const TCombination& c, int) {
#if CORVEL_COMB_SSE
    const __m128i v = vec::LoadCombination(c);
    return vec::LargestLane<6>(v) - vec::SmallestLane<6>(v);
#else
    return std::max({c[0], c[1], c[2], c[3], c[4], c[5]}) - std::min({c[0], c[1], c[2], c[3], c[4], c[5]});
#endif
}

// For each of the five differences, how many of the five equal it (itself
// included): the differences compared with their four rotations within the
// five.
#if CORVEL_COMB_SSE
struct TMultiplicities {
    __m128i Differences;  // bytes 0..4
    __m128i Counts;       // bytes 0..4: 1..5; the other bytes 0
};

inline TMultiplicities MultiplicitiesOf(const TCombination& c) {
    const __m128i d = vec::NeighbourDifferences(vec::LoadCombination(c));
    // Lanes 5..15 of the rotations read lane 15 of d, which is 0, and are
    // masked off below.
    const __m128i r1 = _mm_shuffle_epi8(d, _mm_setr_epi8(1, 2, 3, 4, 0, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15));
    const __m128i r2 = _mm_shuffle_epi8(d, _mm_setr_epi8(2, 3, 4, 0, 1, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15));
    const __m128i r3 = _mm_shuffle_epi8(d, _mm_setr_epi8(3, 4, 0, 1, 2, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15));
    const __m128i r4 = _mm_shuffle_epi8(d, _mm_setr_epi8(4, 0, 1, 2, 3, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15));
    // Each equal lane is -1: subtracting counts it.
    __m128i n = _mm_set1_epi8(1);
    n = _mm_sub_epi8(n, _mm_cmpeq_epi8(d, r1));
    n = _mm_sub_epi8(n, _mm_cmpeq_epi8(d, r2));
    n = _mm_sub_epi8(n, _mm_cmpeq_epi8(d, r3));
    n = _mm_sub_epi8(n, _mm_cmpeq_epi8(d, r4));
    n = _mm_and_si128(n, _mm_setr_epi8(-1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    return {d, n};
}

inline int LargestMultiplicity(const TCombination& c) { return vec::LargestLane<5>(MultiplicitiesOf(c).Counts); }

template <class Visit>
inline void ForEachMultiplicity(const TCombination& c, Visit&& visit) {
    const TMultiplicities m = MultiplicitiesOf(c);
    const auto d = static_cast<std::uint64_t>(_mm_cvtsi128_si64(m.Differences));
    const auto n = static_cast<std::uint64_t>(_mm_cvtsi128_si64(m.Counts));
    for (std::size_t k = 0; k < kDifferenceCount; ++k)
        visit(k, static_cast<std::uint8_t>(d >> (8 * k)), static_cast<std::uint8_t>(n >> (8 * k)));
}
#else
template <class Visit>
inline void ForEachMultiplicity(const TCombination& c, Visit&& visit) {
    const TDifferences d = DifferencesOf(c);
    for (std::size_t k = 0; k < kDifferenceCount; ++k) {
        std::uint8_t n = 0;
        for (std::uint8_t other : d) n = static_cast<std::uint8_t>(n + (other == d[k]));
        visit(k, d[k], n);
    }
}

inline int LargestMultiplicity(const TCombination& c) {
    int most = 0;
    ForEachMultiplicity(c, [&](std::size_t, std::uint8_t, std::uint8_t n) { most = std::max<int>(most, n); });
    return most;
}
#endif

// The distinct differences in order of first appearance, each with how many
// of the five differences equal it.
struct TRepeats {
    std::array<std::uint8_t, kDifferenceCount> Difference{};
    std::array<std::uint8_t, kDifferenceCount> Count{};
    std::size_t Size = 0;
};

constexpr TRepeats RepeatsOf(const TCombination& c) {
    TRepeats r;
    for (std::uint8_t d : DifferencesOf(c)) {
        std::size_t k = 0;
        while (k < r.Size && r.Difference[k] != d) ++k;
        if (k == r.Size) r.Difference[r.Size++] = d;
        ++r.Count[k];
    }
    return r;
}

// The largest count of the multiplicity table, as the largest number of
// differences equal to one of them.
int MostRepeated(const TCombination& c, int) { return LargestMultiplicity(c); }

// DIFA: each of the five differences is a value of its own (Key[0]), so one
// item adds five counts. A selection turns into a byte table; the histogram
// counts bytes.
struct EachDifference {
    static constexpr bool kWholeKeys = false;

    template <class Sink>
    static void Values(int, const TStatItem& item, Sink&& sink) {
        for (std::uint8_t d : DifferencesOf(item.Numbers)) sink(d);
    }
    static void Match(int, std::span<const TCombination> combs, const TStatDrawArray& values, std::uint8_t* out) {
        const ByteTable sel = kernels::SelectKey0(values);
        for (std::size_t i = 0; i < combs.size(); ++i) {
            const TDifferences d = DifferencesOf(combs[i]);
            out[i] = sel[d[0]] | sel[d[1]] | sel[d[2]] | sel[d[3]] | sel[d[4]];
        }
    }
    static void Histogram(int, std::span<const TCombination> combs, TStatDrawArray& values) {
        // The first three differences depend on the first four numbers, which
        // a generated or filtered list changes rarely: they are counted once
        // per run of an equal four-byte prefix. The last two go to one counter
        // of the pair while both are below 64, as differences of a game's
        // numbers are (16 KB, in the first-level cache), split at the end.
        kernels::ByteCounts total{};
        if (combs.empty()) return;
        auto prefixOf = [](const TCombination& c) {
            std::uint32_t p;
            std::memcpy(&p, c.data(), sizeof p);
            return p;
        };
        const TCombination* runStart = &combs[0];
        std::uint32_t prefix = prefixOf(combs[0]);
        std::uint64_t run = 0;
        auto flush = [&] {
            const TDifferences d = DifferencesOf(*runStart);
            for (std::size_t k = 0; k < 3; ++k) total[d[k]] += run;
        };
        constexpr unsigned kPairSide = 64;
        std::array<std::uint32_t, kPairSide * kPairSide> pairs{};
        kernels::ForEachBlock(combs, [&](std::span<const TCombination> block) {
            for (const TCombination& c : block) {
                if (const std::uint32_t p = prefixOf(c); p == prefix) {
                    ++run;
                } else {
                    flush();
                    prefix = p;
                    runStart = &c;
                    run = 1;
                }
                const unsigned a = c[4] > c[3] ? c[4] - c[3] : c[3] - c[4];
                const unsigned b = c[5] > c[4] ? c[5] - c[4] : c[4] - c[5];
                if ((a | b) < kPairSide) {
                    ++pairs[a * kPairSide + b];
                } else {
                    ++total[a];
                    ++total[b];
                }
            }
            for (unsigned a = 0; a < kPairSide; ++a) {
                std::uint64_t row = 0;
                for (unsigned b = 0; b < kPairSide; ++b) {
                    const std::uint32_t v = pairs[a * kPairSide + b];
                    row += v;
                    total[b] += v;
                }
                total[a] += row;
            }
            pairs = {};
        });
        flush();
        for (std::size_t v = 0; v < 256; ++v)
            if (total[v]) kernels::AddCount(values, static_cast<std::uint16_t>(v), total[v]);
    }
};

// DIFO: every distinct difference with its count (Key[0], Key[1]), merged in
// the order of the multiplicity table. The pairs of any bytes are at most
// 256 x 5, so a selection and a histogram are tables indexed by the pair.
struct RepeatedDifferences {
    static constexpr bool kWholeKeys = true;
    static constexpr std::size_t kPairs = 256 * (kDifferenceCount + 1);
    static constexpr std::size_t PairIndex(std::uint8_t difference, std::uint8_t count) {
        return std::size_t{difference} * (kDifferenceCount + 1) + count;
    }

    template <class Sink>
    static void Values(int, const TStatItem& item, Sink&& sink) {
        const TRepeats r = RepeatsOf(item.Numbers);
        for (std::size_t k = 0; k < r.Size; ++k) sink(TStatKey{r.Difference[k], r.Count[k], 0, 0});
    }
    static void Match(int, std::span<const TCombination> combs, const TStatDrawArray& values, std::uint8_t* out) {
        std::array<std::uint8_t, kPairs> sel{};
        for (const auto& v : values)
            if (v.Key[0] < 256 && v.Key[1] <= kDifferenceCount && v.Key[2] == 0 && v.Key[3] == 0)
                sel[PairIndex(static_cast<std::uint8_t>(v.Key[0]), static_cast<std::uint8_t>(v.Key[1]))] = 1;
        // A difference repeated n times gives the pair (d, n) at each of its
        // n positions: testing every position tests every distinct pair.
        for (std::size_t i = 0; i < combs.size(); ++i) {
            std::uint8_t hit = 0;
            ForEachMultiplicity(combs[i],
                                [&](std::size_t, std::uint8_t d, std::uint8_t n) { hit |= sel[PairIndex(d, n)]; });
            out[i] = hit;
        }
    }
    static void Histogram(int, std::span<const TCombination> combs, TStatDrawArray& values) {
        // Counting the pair (d, n) at every position counts a combination n
        // times for each difference it repeats n times; dividing by n at the
        // end leaves one count per combination. One counter set per position
        // keeps the five increments independent.
        std::array<std::array<std::uint32_t, kPairs>, kDifferenceCount> counts{};
        std::array<std::uint64_t, kPairs> total{};
        kernels::ForEachBlock(combs, [&](std::span<const TCombination> block) {
            for (const TCombination& c : block)
                ForEachMultiplicity(
                    c, [&](std::size_t k, std::uint8_t d, std::uint8_t n) { ++counts[k][PairIndex(d, n)]; });
            for (auto& position : counts)
                for (std::size_t p = 0; p < kPairs; ++p) {
                    total[p] += position[p];
                    position[p] = 0;
                }
        });
        for (std::size_t d = 0; d < 256; ++d)
            for (std::size_t n = 1; n <= kDifferenceCount; ++n)
                if (const std::uint64_t sum =
                        total[PairIndex(static_cast<std::uint8_t>(d), static_cast<std::uint8_t>(n))])
                    kernels::AddCount(
                        values, TStatKey{static_cast<std::uint16_t>(d), static_cast<std::uint16_t>(n), 0, 0}, sum / n);
    }
};

// KDS2..KDS4: every run of Length neighbouring differences (Key[0..Length-1]).
template <std::size_t Length>
struct DifferenceRuns {
    static constexpr std::size_t kMaxPerItem = kDifferenceCount - Length + 1;
    static constexpr std::size_t kMaxDistinct = std::size_t{1} << (8 * Length);
    template <class Sink>
    static void Of(const TCombination& c, int, Sink&& sink) {
        const TDifferences d = DifferencesOf(c);
        for (std::size_t first = 0; first + Length <= kDifferenceCount; ++first) {
            TStatKey key{};
            for (std::size_t k = 0; k < Length; ++k) key[k] = d[first + k];
            sink(key);
        }
    }
};

std::string RepeatedText(const TStatDrawRec& value, int) {
    return Format(texts::kStatDiffRepeated, {value.Key[0], value.Key[1]});
}

template <std::size_t Length>
std::string RunText(const TStatDrawRec& value, int) {
    std::string text = std::to_string(value.Key[0]);
    for (std::size_t k = 1; k < Length; ++k) {
        text += texts::kStatDiffRunSeparator;
        text += std::to_string(value.Key[k]);
    }
    return text;
}

// The caption of a run family names its fixed run length.
template <std::size_t Length>
std::string RunCaption(std::string_view caption, int) {
    return Format(caption, {Length});
}

constexpr std::uint8_t kGroup = 2;
constexpr std::uint8_t kSN = kFlagS | kFlagN;
// Neighbouring numbers differ by 1..47.
constexpr int kLargestDifference = kMaxNumber - kMinNumber;

template <std::size_t Length>
constexpr TStatClass RunRow(const char* className, const char* code) {
    return StatRow<KeyValues<DifferenceRuns<Length>>>({.ClassName = className,
                                                       .Code = code,
                                                       .Caption = texts::kStatCombDiffSeq,
                                                       .CaptionText = &RunCaption<Length>,
                                                       .Group = kGroup,
                                                       .Flags = kFlagS,
                                                       .CanParseValue = false,
                                                       .ValueText = &RunText<Length>});
}

const TStatClass kFamily[] = {
    StatRow<EachDifference>({.ClassName = "TstDiffTotal",
                             .Code = "DIFA",
                             .Caption = texts::kStatDiffTotal,
                             .Group = kGroup,
                             .Flags = kSN,
                             .SeedFirst = 1,
                             .SeedLast = kLargestDifference}),
    StatRow<OneValue<LargestDifference>>({.ClassName = "TstDiffMax",
                                          .Code = "DIFM",
                                          .Caption = texts::kStatDiffMax,
                                          .Group = kGroup,
                                          .Flags = kSN,
                                          .Graph = true,
                                          .SeedFirst = 1,
                                          .SeedLast = kLargestDifference}),
    // Six different numbers spread over at least 5, yet rows 1..4 show too.
    StatRow<OneValue<Spread>>({.ClassName = "TstMinMaxDiffs",
                               .Code = "DIFD",
                               .Caption = texts::kStatMinMaxDiffs,
                               .Group = kGroup,
                               .Flags = kFlagN,
                               .Graph = true,
                               .SeedFirst = 1,
                               .SeedLast = kLargestDifference}),
    StatRow<RepeatedDifferences>({.ClassName = "TstDiffSame",
                                  .Code = "DIFO",
                                  .Caption = texts::kStatDiffSame,
                                  .Group = kGroup,
                                  .Flags = kSN,
                                  .CanParseValue = false,
                                  .ValueText = &RepeatedText}),
    StatRow<OneValue<MostRepeated>>({.ClassName = "TstDiffSameCnt",
                                     .Code = "DIFK",
                                     .Caption = texts::kStatDiffSameCnt,
                                     .Group = kGroup,
                                     .Flags = kSN,
                                     .Graph = true,
                                     .SeedFirst = 1,
                                     .SeedLast = static_cast<int>(kDifferenceCount)}),
    RunRow<2>("TstCombDiffSeq2", "KDS2"),
    RunRow<3>("TstCombDiffSeq3", "KDS3"),
    RunRow<4>("TstCombDiffSeq4", "KDS4"),
};

}  // namespace

std::span<const TStatClass> DifferenceClasses() { return kFamily; }

}  // namespace corvel
