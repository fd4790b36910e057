#include "stats/families/Combined.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

#include "i18n/Texts.h"
#include "stats/ValueStat.h"
#include "stats/families/DrawValuesOnly.h"

namespace corvel {
namespace {

using namespace values;

constexpr std::size_t Choose(std::size_t n, std::size_t k) {
    std::size_t r = 1;
    for (std::size_t i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

template <std::size_t K>
using Positions = std::array<std::uint8_t, K>;

// Every choice of K of the six positions, each ascending, in lexicographic
// order: (0, 1), (0, 2) ... (4, 5) for pairs.
template <std::size_t K>
constexpr auto kAllChoices = [] {
    std::array<Positions<K>, Choose(kNumbersPerDraw, K)> choices{};
    Positions<K> at{};
    for (std::size_t k = 0; k < K; ++k) at[k] = static_cast<std::uint8_t>(k);
    for (auto& choice : choices) {
        choice = at;
        // The next choice: raise the last position that can still rise and
        // put the ones after it right behind it.
        std::size_t k = K;
        while (k > 0 && at[k - 1] == std::size_t{kNumbersPerDraw} - K + k - 1) --k;
        if (k == 0) break;
        ++at[k - 1];
        for (std::size_t j = k; j < K; ++j) at[j] = static_cast<std::uint8_t>(at[j - 1] + 1);
    }
    return choices;
}();

// The K positions starting at each position: (0, 1), (1, 2) ... (4, 5).
template <std::size_t K>
constexpr auto kNeighbourChoices = [] {
    std::array<Positions<K>, kNumbersPerDraw - K + 1> choices{};
    for (std::size_t first = 0; first < choices.size(); ++first)
        for (std::size_t k = 0; k < K; ++k) choices[first][k] = static_cast<std::uint8_t>(first + k);
    return choices;
}();

// The numbers at the positions as a key: one word each, the rest 0.
template <std::size_t K>
TStatKey TupleAt(const TCombination& c, const Positions<K>& at) {
    TStatKey key{};
    for (std::size_t k = 0; k < K; ++k) key[k] = c[at[k]];
    return key;
}

// The tuples at the given choices of positions.
template <std::size_t K, const auto& Choices>
struct TuplesAt {
    static constexpr std::size_t kSize = K;
    static constexpr std::size_t kMaxPerItem = Choices.size();
    static constexpr std::size_t kMaxDistinct = std::size_t{1} << (8 * K);
    template <class Sink>
    static void Of(const TCombination& c, int, Sink&& sink) {
        for (const auto& at : Choices) sink(TupleAt<K>(c, at));
    }
};

template <std::size_t K>
using AllTuples = TuplesAt<K, kAllChoices<K>>;
template <std::size_t K>
using NeighbourTuples = TuplesAt<K, kNeighbourChoices<K>>;

// The neighbouring tuples of the numbers sorted ascending.
template <std::size_t K>
struct SortedNeighbourTuples {
    static constexpr std::size_t kSize = K;
    static constexpr std::size_t kMaxPerItem = NeighbourTuples<K>::kMaxPerItem;
    static constexpr std::size_t kMaxDistinct = NeighbourTuples<K>::kMaxDistinct;
    template <class Sink>
    static void Of(const TCombination& c, int, Sink&& sink) {
        TCombination sorted = c;
        std::sort(sorted.begin(), sorted.end());
        NeighbourTuples<K>::Of(sorted, 0, sink);
    }
};

// The one tuple starting at position p (the parameter, 1-based); none when
// it would not fit into the six positions.
template <std::size_t K>
struct TupleFrom {
    static constexpr std::size_t kSize = K;
    static constexpr std::size_t kMaxPerItem = 1;
    static constexpr std::size_t kMaxDistinct = std::size_t{1} << (8 * K);
    template <class Sink>
    static void Of(const TCombination& c, int p, Sink&& sink) {
        if (p < 1 || p + static_cast<int>(K) - 1 > kNumbersPerDraw) return;
        sink(TupleAt<K>(c, kNeighbourChoices<K>[static_cast<std::size_t>(p - 1)]));
    }
};

// Tuples as whole keys. A filter on pairs looks each pair up in a table of
// 256 x 256 bits instead of hashing it.
template <class Tuples>
struct TupleValues : KeyValues<Tuples> {
    static void Match(int param, std::span<const TCombination> combs, const TStatDrawArray& values, std::uint8_t* out) {
        if constexpr (Tuples::kSize == 2) {
            std::array<std::uint64_t, 256 * 256 / 64> selected{};
            for (const auto& v : values)
                if (v.Key[0] < 256 && v.Key[1] < 256 && v.Key[2] == 0 && v.Key[3] == 0) {
                    const unsigned bit = v.Key[0] * 256u + v.Key[1];
                    selected[bit / 64] |= std::uint64_t{1} << (bit % 64);
                }
            auto lookUp = [&](const TCombination& c) {
                std::uint64_t hit = 0;
                Tuples::Of(c, param, [&](const TStatKey& key) {
                    const unsigned bit = key[0] * 256u + key[1];
                    hit |= selected[bit / 64] >> (bit % 64);
                });
                return static_cast<std::uint8_t>(hit & 1);
            };
            if constexpr (std::is_same_v<Tuples, AllTuples<2>>) {
                // Every pair of positions: some later number is a selected
                // partner of an earlier one. With the partners below 64 of
                // each number as a 64-bit set, that is one test per position
                // against the set of the numbers after it, five instead of
                // fifteen lookups; a combination with a later byte of 64 or
                // more takes the lookups.
                std::array<std::uint64_t, 256> partners{};
                for (unsigned a = 0; a < 256; ++a)
                    for (unsigned b = 0; b < 64; ++b) {
                        const unsigned bit = a * 256u + b;
                        partners[a] |= (selected[bit / 64] >> (bit % 64) & 1) << b;
                    }
                for (std::size_t i = 0; i < combs.size(); ++i) {
                    const TCombination& c = combs[i];
                    if ((c[1] | c[2] | c[3] | c[4] | c[5]) >= 64) [[unlikely]] {
                        out[i] = lookUp(c);
                        continue;
                    }
                    std::uint64_t after = 0, hit = 0;
                    for (std::size_t k = kNumbersPerDraw - 1; k > 0; --k) {
                        after |= std::uint64_t{1} << c[k];
                        hit |= partners[c[k - 1]] & after;
                    }
                    out[i] = hit != 0;
                }
            } else {
                for (std::size_t i = 0; i < combs.size(); ++i) out[i] = lookUp(combs[i]);
            }
        } else {
            KeyValues<Tuples>::Match(param, combs, values, out);
        }
    }
};

// A tuple is written as its numbers joined by ":" (5:17:23). The tuples are
// values of draws; a bare combination adds none, but is filtered by its own.
template <class Tuples>
class TTupleStat : public TDrawValuesOnlyStat<TupleValues<Tuples>> {
  public:
    using TDrawValuesOnlyStat<TupleValues<Tuples>>::TDrawValuesOnlyStat;
    std::string ValueToText(const TStatDrawRec& value) const override {
        std::string text;
        for (std::size_t k = 0; k < Tuples::kSize; ++k) {
            if (k) text += ':';
            text += std::to_string(value.Key[k]);
        }
        return text;
    }
};

// A tuple's text does not turn back into a value.
template <class Tuples>
constexpr TStatClass TupleRow(TStatClass row) {
    row.CanParseValue = false;
    row.Create = &CreateStatOf<TTupleStat<Tuples>>;
    return row;
}

const TStatClass kFamily[] = {
    TupleRow<AllTuples<2>>(
        {.ClassName = "TstCombValMix2", .Code = "KNM2", .Caption = texts::kStatCombValMix2, .Flags = kFlagS}),
    TupleRow<AllTuples<3>>(
        {.ClassName = "TstCombValMix3", .Code = "KNM3", .Caption = texts::kStatCombValMix3, .Flags = kFlagS}),
    TupleRow<AllTuples<4>>(
        {.ClassName = "TstCombValMix4", .Code = "KNM4", .Caption = texts::kStatCombValMix4, .Flags = kFlagS}),
    TupleRow<NeighbourTuples<2>>(
        {.ClassName = "TstCombValSeq2", .Code = "KNS2", .Caption = texts::kStatCombValSeq2, .Flags = kFlagS}),
    TupleRow<NeighbourTuples<3>>(
        {.ClassName = "TstCombValSeq3", .Code = "KNS3", .Caption = texts::kStatCombValSeq3, .Flags = kFlagS}),
    TupleRow<NeighbourTuples<4>>(
        {.ClassName = "TstCombValSeq4", .Code = "KNS4", .Caption = texts::kStatCombValSeq4, .Flags = kFlagS}),
    TupleRow<TupleFrom<2>>({.ClassName = "TstCombValPos2",
                            .Code = "KNP2%d",
                            .Caption = texts::kStatCombValPos2,
                            .FamilyCode = "KNP2",
                            .Flags = kFlagS,
                            .ParamRange = &FixedParams<1, 5>}),
    TupleRow<TupleFrom<3>>({.ClassName = "TstCombValPos3",
                            .Code = "KNP3%d",
                            .Caption = texts::kStatCombValPos3,
                            .FamilyCode = "KNP3",
                            .Flags = kFlagS,
                            .ParamRange = &FixedParams<1, 4>}),
    TupleRow<TupleFrom<4>>({.ClassName = "TstCombValPos4",
                            .Code = "KNP4%d",
                            .Caption = texts::kStatCombValPos4,
                            .FamilyCode = "KNP4",
                            .Flags = kFlagS,
                            .ParamRange = &FixedParams<1, 3>}),
    // The tuples of the sorted numbers are not offered: the classes are never
    // registered.
    TupleRow<SortedNeighbourTuples<2>>(
        {.ClassName = "TstCombValSort2", .Code = "KNO2", .Caption = texts::kStatCombValSort2, .Enabled = false}),
    TupleRow<SortedNeighbourTuples<3>>(
        {.ClassName = "TstCombValSort3", .Code = "KNO3", .Caption = texts::kStatCombValSort3, .Enabled = false}),
    TupleRow<SortedNeighbourTuples<4>>(
        {.ClassName = "TstCombValSort4", .Code = "KNO4", .Caption = texts::kStatCombValSort4, .Enabled = false}),
};

}  // namespace

std::span<const TStatClass> CombinedValueClasses() { return kFamily; }

}  // namespace corvel
