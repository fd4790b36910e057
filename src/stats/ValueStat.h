#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

#include "stats/CustomStat.h"
#include "stats/SpanKernels.h"

// The generic value classes. A value definition says which values a draw or a
// combination has and which span kernels compute them for a whole list;
// TValueStat<Definition> is the method built on it. A family is a table of
// StatRow<Definition>({...}) rows: the class facts and, where the family has a
// new idea, one small value function handed to a definition below.
namespace corvel {

// A definition whose values depend on earlier draws of the archive (a change
// against the draw before, repeats from the draws before) says
//   static constexpr bool kReadsDraws = true;
// and its functions then take the method itself instead of the parameter:
// Values(const TCustomStat&, item, sink), Match(const TCustomStat&, combs,
// values, out), Histogram(const TCustomStat&, combs, values). The method
// gives the parameter, the context (the last analysed draw, which a bare
// combination follows) and GetDraw for any earlier draw; a draw is never read
// past the context's last index.
template <class Definition>
concept ReadsDraws = requires {
    requires Definition::kReadsDraws;
};

// A family may derive from it where a method seeds, writes or plots its
// values its own way.
template <class Definition>
class TValueStat : public TCustomStat {
  public:
    TValueStat(const TStatClass& cls, const TStatList& list, int param)
        : TCustomStat(cls, list, param, Definition::kWholeKeys) {}

    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool,
                   std::uint8_t* out) override {
        Definition::Match(Arg(), combs, values, out);
    }
    void SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) override {
        Definition::Histogram(Arg(), combs, values);
    }

  protected:
    void Values(const TStatItem& item, const TValueSink& sink) override { Definition::Values(Arg(), item, sink); }
    // The same definition with the test inlined into it.
    bool AnySelected(const TStatItem& item, const TStatDrawArray& values) override {
        bool found = false;
        Definition::Values(Arg(), item, [&](const auto& value) {
            if constexpr (Definition::kWholeKeys)
                found = found || HasKey(values, ToKey(value));
            else
                found = found || HasKeyWord(values, 0, ToKey(value)[0]);
        });
        return found;
    }

  private:
    // What the definition's functions take first: the parameter, or the
    // method itself for a definition that reads earlier draws.
    decltype(auto) Arg() const {
        if constexpr (ReadsDraws<Definition>)
            return static_cast<const TCustomStat&>(*this);
        else
            return Param();
    }
};

// A family row: the class facts, with instances made from the definition.
template <class Definition>
constexpr TStatClass StatRow(TStatClass row) {
    row.Create = &CreateStatOf<TValueStat<Definition>>;
    return row;
}

namespace values {

using kernels::ByteTable;

constexpr ByteTable PropertyTable(bool (*property)(int)) {
    ByteTable t{};
    for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = property(b) ? 1 : 0;
    return t;
}

// Up to three values of one number, a function of the number alone.
struct NumberValues {
    std::uint8_t Count = 0;
    std::array<std::uint8_t, 3> Values{};
};

// Every number of the item gives the values Of(number), for example the
// number itself or its digits. A selection turns into a byte property (some
// value of the number is selected), matched as a non-empty pattern over the
// six positions; the histogram follows from how often each byte stands at
// each position.
template <NumberValues (*Of)(int)>
struct PerNumber {
    static constexpr bool kWholeKeys = false;
    static constexpr std::array<NumberValues, 256> kTable = [] {
        std::array<NumberValues, 256> t{};
        for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = Of(b);
        return t;
    }();

    template <class Sink>
    static void Values(int, const TStatItem& item, Sink&& sink) {
        for (auto n : item.Numbers)
            for (std::size_t k = 0; k < kTable[n].Count; ++k) sink(kTable[n].Values[k]);
    }
    static void Match(int, std::span<const TCombination> combs, const TStatDrawArray& values, std::uint8_t* out) {
        const ByteTable selected = kernels::SelectKey0(values);
        ByteTable property{};
        for (std::size_t b = 0; b < 256; ++b)
            for (std::size_t k = 0; k < kTable[b].Count; ++k) property[b] |= selected[kTable[b].Values[k]];
        kernels::MatchPattern(combs, property, kernels::AnyPattern(), out);
    }
    static void Histogram(int, std::span<const TCombination> combs, TStatDrawArray& values) {
        kernels::PositionCounts counts{};
        kernels::CountBytesByPosition(combs, counts);
        std::array<std::uint64_t, 256> byValue{};
        for (std::size_t b = 0; b < 256; ++b) {
            std::uint64_t total = 0;
            for (const auto& position : counts) total += position[b];
            for (std::size_t k = 0; k < kTable[b].Count; ++k) byValue[kTable[b].Values[k]] += total;
        }
        for (std::size_t v = 0; v < byValue.size(); ++v)
            if (byValue[v]) kernels::AddCount(values, static_cast<std::uint16_t>(v), byValue[v]);
    }
};

// One value per item that is a function of the six-bit pattern of a number
// property (bit p set: the number at position p has it); the span kernels
// work on the pattern and a 64-entry table.
template <bool (*Property)(int), int (*OfPattern)(int)>
struct PatternValue {
    static constexpr bool kWholeKeys = false;
    static constexpr ByteTable kProperty = PropertyTable(Property);
    static constexpr std::array<std::uint8_t, 64> kValue = [] {
        std::array<std::uint8_t, 64> t{};
        for (int p = 0; p < 64; ++p) t[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(OfPattern(p));
        return t;
    }();

    template <class Sink>
    static void Values(int, const TStatItem& item, Sink&& sink) {
        sink(kValue[static_cast<std::size_t>(kernels::PatternOf(kProperty, item.Numbers))]);
    }
    static void Match(int, std::span<const TCombination> combs, const TStatDrawArray& values, std::uint8_t* out) {
        const ByteTable sel = kernels::SelectKey0(values);
        kernels::PatternTable byPattern{};
        for (std::size_t p = 0; p < 64; ++p) byPattern[p] = sel[kValue[p]];
        kernels::MatchPattern(combs, kProperty, byPattern, out);
    }
    static void Histogram(int, std::span<const TCombination> combs, TStatDrawArray& values) {
        kernels::PatternCounts counts{};
        kernels::CountPatterns(combs, kProperty, counts);
        std::array<std::uint64_t, 64> byValue{};
        for (std::size_t p = 0; p < 64; ++p) byValue[kValue[p]] += counts[p];
        for (std::size_t v = 0; v < byValue.size(); ++v)
            if (byValue[v]) kernels::AddCount(values, static_cast<std::uint16_t>(v), byValue[v]);
    }
};

constexpr int PatternCount(int pattern) { return std::popcount(static_cast<unsigned>(pattern)); }
// The mask puts the first number in bit 5: the pattern read backwards.
constexpr int PatternMask(int pattern) {
    int mask = 0;
    for (int p = 0; p < kNumbersPerDraw; ++p) mask |= (pattern >> p & 1) << (kNumbersPerDraw - 1 - p);
    return mask;
}

// How many of the six numbers have the property; their mask in number order.
template <bool (*Property)(int)>
using PropertyCount = PatternValue<Property, PatternCount>;
template <bool (*Property)(int)>
using PropertyMask = PatternValue<Property, PatternMask>;

// One value per item, below Limit for any bytes, from the numbers and the
// parameter. Up to 256 the kernels use byte tables, beyond that 16-bit tables
// (sums reach 273; six bytes sum to at most 1530).
template <int (*Of)(const TCombination&, int param), std::size_t Limit = 256>
struct OneValue {
    static_assert(Limit <= 65536, "values are 16-bit words");
    static constexpr bool kWholeKeys = false;

    template <class Sink>
    static void Values(int param, const TStatItem& item, Sink&& sink) {
        sink(Of(item.Numbers, param));
    }
    static void Match(int param, std::span<const TCombination> combs, const TStatDrawArray& values, std::uint8_t* out) {
        auto valueOf = [param](const TCombination& c) { return Of(c, param); };
        if constexpr (Limit <= 256)
            kernels::MatchValue(combs, kernels::SelectKey0(values), out, valueOf);
        else
            kernels::MatchValue(combs, kernels::WordSet(values), out, valueOf);
    }
    static void Histogram(int param, std::span<const TCombination> combs, TStatDrawArray& values) {
        kernels::HistogramOfValue<Limit>(combs, values, [param](const TCombination& c) { return Of(c, param); });
    }
};

// A value read from the draw record itself rather than from its six numbers;
// a bare combination has none, so it never matches and adds nothing.
template <int (*Of)(const TDrawRec&, int param)>
struct DrawValue {
    static constexpr bool kWholeKeys = false;

    template <class Sink>
    static void Values(int param, const TStatItem& item, Sink&& sink) {
        if (item.Draw) sink(Of(*item.Draw, param));
    }
    static void Match(int, std::span<const TCombination> combs, const TStatDrawArray&, std::uint8_t* out) {
        std::memset(out, 0, combs.size());
    }
    static void Histogram(int, std::span<const TCombination>, TStatDrawArray&) {}
};

// Values whose keys use several words (tuples, 32- and 64-bit patterns), any
// number of them per item, compared as whole keys. Def supplies
//   template <class Sink> static void Of(const TCombination&, int param, Sink&& sink)
// calling sink(TStatKey) per value, and the bounds kMaxPerItem (values of one
// item) and kMaxDistinct (different keys over all byte combinations) that
// size the tables of a span once.
template <class Def>
struct KeyValues {
    static constexpr bool kWholeKeys = true;

    template <class Sink>
    static void Values(int param, const TStatItem& item, Sink&& sink) {
        Def::Of(item.Numbers, param, sink);
    }
    static void Match(int param, std::span<const TCombination> combs, const TStatDrawArray& values, std::uint8_t* out) {
        const kernels::KeySet sel(values);
        for (std::size_t i = 0; i < combs.size(); ++i) {
            bool hit = false;
            Def::Of(combs[i], param, [&](const TStatKey& key) { hit = hit || sel.Has(key); });
            out[i] = hit ? 1 : 0;
        }
    }
    static void Histogram(int param, std::span<const TCombination> combs, TStatDrawArray& values) {
        kernels::KeyCounts counts(std::min<std::size_t>(Def::kMaxDistinct, combs.size() * Def::kMaxPerItem));
        for (const TCombination& c : combs) Def::Of(c, param, [&](const TStatKey& key) { counts.Add(key); });
        counts.AddTo(values);
    }
};

}  // namespace values
}  // namespace corvel
