#pragma once

#include <span>

#include "stats/CustomStat.h"

// Number properties (group 0): each of the six numbers by itself — the numbers,
// their digits, how many are even, small or prime and the pattern of those
// properties in number order, the number at a position, and the extra numbers.
namespace corvel {

// Per-byte property tables, defined for every byte 0..255.
bool IsEvenNumber(int n);
bool IsSmallNumber(int n);   // n <= 24
bool IsPrimeNumber(int n);   // the fixed set {1, 2, 3, 5, 7, ..., 47}; 1 counts as prime

// NUMS: each of the six numbers.
class TstValues : public TCustomValuesStat {
public:
    using TCustomValuesStat::TCustomValuesStat;
    void EnumValues(int lastIndex, TStatDrawArray& values) override;
    void CombValues(const TCombination& comb, TStatDrawArray& values) override;
    void DrawValues(int index, int lastIndex, TLastValueArray& lastValues, TStatWorkArea& state,
                    TStatDrawArray& values, bool sorted) override;
    bool CombMatches(const TCombination& comb, const TStatDrawArray& values, bool exclude, bool sorted,
                     int lastIndex) override;
    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool exclude, bool sorted,
                   int lastIndex, std::uint8_t* out) override;
    void SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) override;
};

// DIGS: every decimal digit of every number (6 to 12 values per draw).
class TstDigits : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    void CombValues(const TCombination& comb, TStatDrawArray& values) override;
    void DrawValues(int index, int lastIndex, TLastValueArray& lastValues, TStatWorkArea& state,
                    TStatDrawArray& values, bool sorted) override;
    bool CombMatches(const TCombination& comb, const TStatDrawArray& values, bool exclude, bool sorted,
                     int lastIndex) override;
    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool exclude, bool sorted,
                   int lastIndex, std::uint8_t* out) override;
    void SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) override;
};

// The members with one small value per combination (counts, masks, positions)
// share their value operations through this template; `Derived::ValueOf` turns
// six numbers into the value (0..255) and is inlined into the span loops.
template <class Base, class Derived>
class TSingleValueStat : public Base {
public:
    using Base::Base;
    void CombValues(const TCombination& comb, TStatDrawArray& values) override;
    void DrawValues(int index, int lastIndex, TLastValueArray& lastValues, TStatWorkArea& state,
                    TStatDrawArray& values, bool sorted) override;
    bool CombMatches(const TCombination& comb, const TStatDrawArray& values, bool exclude, bool sorted,
                     int lastIndex) override;
    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool exclude, bool sorted,
                   int lastIndex, std::uint8_t* out) override;
    void SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) override;

protected:
    int Value(const TCombination& c) const { return static_cast<const Derived*>(this)->ValueOf(c); }
};

// EVEN, SMAL, PRIM: how many of the six numbers have the property; seeded 1..6.
template <class Derived>
class TPropertyCountStat : public TSingleValueStat<TCustomRatioStat, Derived> {
public:
    using TSingleValueStat<TCustomRatioStat, Derived>::TSingleValueStat;
    void EnumValues(int lastIndex, TStatDrawArray& values) override;
    int GraphValue(const TCombination& numbers, int index, int lastIndex, bool sorted) override;
};

class TstEvenCount : public TPropertyCountStat<TstEvenCount> {
public:
    using TPropertyCountStat::TPropertyCountStat;
    int ValueOf(const TCombination& c) const;
};

class TstSmallCount : public TPropertyCountStat<TstSmallCount> {
public:
    using TPropertyCountStat::TPropertyCountStat;
    int ValueOf(const TCombination& c) const;
};

class TstPrimeCount : public TPropertyCountStat<TstPrimeCount> {
public:
    using TPropertyCountStat::TPropertyCountStat;
    int ValueOf(const TCombination& c) const;
};

// EVNV, SMLV, PRMV: the 6-bit pattern of the property in number order.
class TstEvenValues : public TSingleValueStat<TCustomMaskStat, TstEvenValues> {
public:
    using TSingleValueStat::TSingleValueStat;
    int ValueOf(const TCombination& c) const;  // bit 1 = odd
    std::string_view GetClearLetter() const override;
    std::string_view GetSetLetter() const override;
};

class TstSmallValues : public TSingleValueStat<TCustomMaskStat, TstSmallValues> {
public:
    using TSingleValueStat::TSingleValueStat;
    int ValueOf(const TCombination& c) const;  // bit 1 = n >= 25
    std::string_view GetClearLetter() const override;
    std::string_view GetSetLetter() const override;
};

class TstPrimeValues : public TSingleValueStat<TCustomMaskStat, TstPrimeValues> {
public:
    using TSingleValueStat::TSingleValueStat;
    int ValueOf(const TCombination& c) const;  // bit 1 = prime
    std::string_view GetClearLetter() const override;
    std::string_view GetSetLetter() const override;
};

// POS1..POS6: the number at position p.
class TstPosVal : public TSingleValueStat<TCustomGraphStat, TstPosVal> {
public:
    using TSingleValueStat::TSingleValueStat;
    int ValueOf(const TCombination& c) const { return c[static_cast<std::size_t>(Param() - 1)]; }
    void EnumValues(int lastIndex, TStatDrawArray& values) override;
    int GraphValue(const TCombination& numbers, int index, int lastIndex, bool sorted) override;
};

// POE1, POE2: the draw's extra number; never matches a combination.
class TstPosExt : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    void DrawValues(int index, int lastIndex, TLastValueArray& lastValues, TStatWorkArea& state,
                    TStatDrawArray& values, bool sorted) override;
    bool CombMatches(const TCombination& comb, const TStatDrawArray& values, bool exclude, bool sorted,
                     int lastIndex) override;
    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool exclude, bool sorted,
                   int lastIndex, std::uint8_t* out) override;
    int GraphValue(const TCombination& numbers, int index, int lastIndex, bool sorted) override;
};

// The family's class descriptors in registration order.
std::span<const TStatClass* const> NumberPropertyClasses();

}  // namespace corvel
