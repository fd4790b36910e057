#include "stats/families/Differences.h"

#include <algorithm>
#include <array>

#include "i18n/Texts.h"
#include "model/Format.h"
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
    const TDifferences d = DifferencesOf(c);
    return *std::max_element(d.begin(), d.end());
}

int Spread(const TCombination& c, int) {
    const auto [low, high] = std::minmax_element(c.begin(), c.end());
    return *high - *low;
}

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
// differences equal to one of them (compared without a branch).
int MostRepeated(const TCombination& c, int) {
    const TDifferences d = DifferencesOf(c);
    int most = 0;
    for (std::uint8_t a : d) {
        int same = 0;
        for (std::uint8_t b : d) same += a == b;
        most = std::max(most, same);
    }
    return most;
}

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
        // One counter set per position keeps the five increments of a
        // combination independent of each other.
        std::array<std::array<std::uint64_t, 256>, kDifferenceCount> counts{};
        for (const TCombination& c : combs) {
            const TDifferences d = DifferencesOf(c);
            for (std::size_t k = 0; k < kDifferenceCount; ++k) ++counts[k][d[k]];
        }
        for (std::size_t v = 0; v < 256; ++v) {
            std::uint64_t total = 0;
            for (const auto& position : counts) total += position[v];
            if (total) kernels::AddCount(values, static_cast<std::uint16_t>(v), total);
        }
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
        for (std::size_t i = 0; i < combs.size(); ++i) {
            const TRepeats r = RepeatsOf(combs[i]);
            std::uint8_t hit = 0;
            for (std::size_t k = 0; k < r.Size; ++k) hit |= sel[PairIndex(r.Difference[k], r.Count[k])];
            out[i] = hit;
        }
    }
    static void Histogram(int, std::span<const TCombination> combs, TStatDrawArray& values) {
        std::array<std::uint64_t, kPairs> counts{};
        for (const TCombination& c : combs) {
            const TRepeats r = RepeatsOf(c);
            for (std::size_t k = 0; k < r.Size; ++k) ++counts[PairIndex(r.Difference[k], r.Count[k])];
        }
        for (std::size_t d = 0; d < 256; ++d)
            for (std::size_t n = 1; n <= kDifferenceCount; ++n)
                if (const std::uint64_t total = counts[d * (kDifferenceCount + 1) + n])
                    kernels::AddCount(
                        values, TStatKey{static_cast<std::uint16_t>(d), static_cast<std::uint16_t>(n), 0, 0}, total);
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
