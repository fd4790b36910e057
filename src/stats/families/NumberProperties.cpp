#include "stats/families/NumberProperties.h"

#include <bit>
#include <cstring>

#include "stats/SpanKernels.h"
#include "stats/StatList.h"

namespace corvel {
namespace {

using kernels::ByteTable;

constexpr ByteTable MakeTable(bool (*property)(int)) {
    ByteTable t{};
    for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = property(b) ? 1 : 0;
    return t;
}

constexpr bool Even(int n) { return n % 2 == 0; }
constexpr bool Odd(int n) { return n % 2 != 0; }
constexpr bool Small(int n) { return n <= 24; }
constexpr bool Large(int n) { return n >= 25; }
constexpr bool Prime(int n) {
    constexpr int kPrimes[] = {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47};
    for (int p : kPrimes)
        if (p == n) return true;
    return false;
}

constexpr ByteTable kEven = MakeTable(Even);
constexpr ByteTable kOdd = MakeTable(Odd);
constexpr ByteTable kSmall = MakeTable(Small);
constexpr ByteTable kLarge = MakeTable(Large);
constexpr ByteTable kPrime = MakeTable(Prime);

inline int CountOf(const ByteTable& t, const TCombination& c) {
    return t[c[0]] + t[c[1]] + t[c[2]] + t[c[3]] + t[c[4]] + t[c[5]];
}

inline int MaskOf(const ByteTable& t, const TCombination& c) {
    return t[c[0]] << 5 | t[c[1]] << 4 | t[c[2]] << 3 | t[c[3]] << 2 | t[c[4]] << 1 | t[c[5]];
}

// Digits of every byte as decimal text without leading zeros.
struct DigitInfo {
    std::uint8_t Count = 0;
    std::array<std::uint8_t, 3> Digits{};
    std::uint16_t Mask = 0;  // bit d set when digit d occurs
};

constexpr std::array<DigitInfo, 256> MakeDigits() {
    std::array<DigitInfo, 256> table{};
    for (int b = 0; b < 256; ++b) {
        DigitInfo& info = table[static_cast<std::size_t>(b)];
        int divisor = b >= 100 ? 100 : b >= 10 ? 10 : 1;
        for (; divisor > 0; divisor /= 10) {
            const int d = b / divisor % 10;
            info.Digits[info.Count++] = static_cast<std::uint8_t>(d);
            info.Mask = static_cast<std::uint16_t>(info.Mask | 1 << d);
        }
    }
    return table;
}

constexpr std::array<DigitInfo, 256> kDigits = MakeDigits();

// Pattern table that accepts every pattern but the empty one.
const kernels::PatternTable& AnyPosition() {
    static constexpr kernels::PatternTable kAny = [] {
        kernels::PatternTable t{};
        for (std::size_t p = 1; p < t.size(); ++p) t[p] = 1;
        return t;
    }();
    return kAny;
}

void SeedRange(TStatDrawRec& work, TStatDrawArray& values, int first, int last) {
    for (int v = first; v <= last; ++v) {
        work.Key[0] = static_cast<std::uint16_t>(v);
        AddStatValue(values, work, false);
    }
}

}  // namespace

bool IsEvenNumber(int n) { return n >= 0 && n < 256 && kEven[static_cast<std::size_t>(n)]; }
bool IsSmallNumber(int n) { return n >= 0 && n < 256 && kSmall[static_cast<std::size_t>(n)]; }
bool IsPrimeNumber(int n) { return n >= 0 && n < 256 && kPrime[static_cast<std::size_t>(n)]; }

// ---- NUMS

void TstValues::EnumValues(int lastIndex, TStatDrawArray& values) {
    TCustomValuesStat::EnumValues(lastIndex, values);
    SeedRange(Work, values, kMinNumber, kMaxNumber);
}

void TstValues::CombValues(const TCombination& comb, TStatDrawArray& values) {
    TCustomValuesStat::CombValues(comb, values);
    for (auto n : comb) {
        Work.Key[0] = n;
        AddStatValue(values, Work, false);
    }
}

void TstValues::DrawValues(int index, int lastIndex, TLastValueArray& lastValues, TStatWorkArea& state,
                           TStatDrawArray& values, bool sorted) {
    TCustomValuesStat::DrawValues(index, lastIndex, lastValues, state, values, sorted);
    for (auto n : CurDraw.Numbers) {
        Work.Key[0] = n;
        AddStatValue(values, Work, true);
    }
}

bool TstValues::CombMatches(const TCombination& comb, const TStatDrawArray& values, bool, bool, int) {
    for (auto n : comb)
        if (HasKeyWord(values, 0, n)) return true;
    return false;
}

void TstValues::SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool, bool, int,
                          std::uint8_t* out) {
    // A combination matches when any position holds a selected number: the
    // pattern of "selected" over the six positions is not empty.
    kernels::MatchPattern(combs, kernels::SelectKey0(values), AnyPosition(), out);
}

void TstValues::SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) {
    kernels::PositionCounts counts{};
    kernels::CountBytesByPosition(combs, counts);
    for (std::size_t v = 0; v < 256; ++v) {
        std::uint64_t total = 0;
        for (const auto& position : counts) total += position[v];
        if (total) kernels::AddCount(values, static_cast<std::uint16_t>(v), total);
    }
}

// ---- DIGS

void TstDigits::CombValues(const TCombination& comb, TStatDrawArray& values) {
    TCustomNumbersStat::CombValues(comb, values);
    for (auto n : comb) {
        const DigitInfo& info = kDigits[n];
        for (std::size_t k = 0; k < info.Count; ++k) {
            Work.Key[0] = info.Digits[k];
            AddStatValue(values, Work, false);
        }
    }
}

void TstDigits::DrawValues(int index, int lastIndex, TLastValueArray& lastValues, TStatWorkArea& state,
                           TStatDrawArray& values, bool sorted) {
    TCustomNumbersStat::DrawValues(index, lastIndex, lastValues, state, values, sorted);
    for (auto n : CurDraw.Numbers) {
        const DigitInfo& info = kDigits[n];
        for (std::size_t k = 0; k < info.Count; ++k) {
            Work.Key[0] = info.Digits[k];
            AddStatValue(values, Work, true);
        }
    }
}

bool TstDigits::CombMatches(const TCombination& comb, const TStatDrawArray& values, bool, bool, int) {
    for (auto n : comb) {
        const DigitInfo& info = kDigits[n];
        for (std::size_t k = 0; k < info.Count; ++k)
            if (HasKeyWord(values, 0, info.Digits[k])) return true;
    }
    return false;
}

void TstDigits::SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool, bool, int,
                          std::uint8_t* out) {
    std::uint16_t selected = 0;
    for (const auto& v : values)
        if (v.Key[0] < 10) selected = static_cast<std::uint16_t>(selected | 1 << v.Key[0]);
    ByteTable sel{};
    for (std::size_t b = 0; b < 256; ++b) sel[b] = (kDigits[b].Mask & selected) ? 1 : 0;
    kernels::MatchPattern(combs, sel, AnyPosition(), out);
}

void TstDigits::SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) {
    // Digits follow from how often each number occurs.
    kernels::PositionCounts counts{};
    kernels::CountBytesByPosition(combs, counts);
    std::array<std::uint64_t, 10> digits{};
    for (std::size_t v = 0; v < 256; ++v) {
        std::uint64_t total = 0;
        for (const auto& position : counts) total += position[v];
        for (std::size_t k = 0; k < kDigits[v].Count; ++k) digits[kDigits[v].Digits[k]] += total;
    }
    for (std::size_t d = 0; d < digits.size(); ++d)
        if (digits[d]) kernels::AddCount(values, static_cast<std::uint16_t>(d), digits[d]);
}

// ---- one value per combination

namespace {

// Members whose value is a function of the six-bit pattern of one byte
// property (bit p = the number at position p has it): their span operations
// run on the pattern kernels. Value(pattern) must equal ValueOf.
template <class Derived>
struct PatternValue {
    static constexpr bool kDefined = false;
};

struct PatternCount {
    static constexpr bool kDefined = true;
    static constexpr int Value(int pattern) { return std::popcount(static_cast<unsigned>(pattern)); }
};

// MaskOf puts the first number in bit 5: the pattern read backwards.
struct PatternMask {
    static constexpr bool kDefined = true;
    static constexpr int Value(int pattern) {
        int mask = 0;
        for (int p = 0; p < kNumbersPerDraw; ++p) mask |= (pattern >> p & 1) << (kNumbersPerDraw - 1 - p);
        return mask;
    }
};

template <>
struct PatternValue<TstEvenCount> : PatternCount {
    static const ByteTable& Property() { return kEven; }
};
template <>
struct PatternValue<TstSmallCount> : PatternCount {
    static const ByteTable& Property() { return kSmall; }
};
template <>
struct PatternValue<TstPrimeCount> : PatternCount {
    static const ByteTable& Property() { return kPrime; }
};
template <>
struct PatternValue<TstEvenValues> : PatternMask {
    static const ByteTable& Property() { return kOdd; }
};
template <>
struct PatternValue<TstSmallValues> : PatternMask {
    static const ByteTable& Property() { return kLarge; }
};
template <>
struct PatternValue<TstPrimeValues> : PatternMask {
    static const ByteTable& Property() { return kPrime; }
};

}  // namespace

template <class Base, class Derived>
void TSingleValueStat<Base, Derived>::CombValues(const TCombination& comb, TStatDrawArray& values) {
    Base::CombValues(comb, values);
    this->Work.Key[0] = static_cast<std::uint16_t>(Value(comb));
    AddStatValue(values, this->Work, false);
}

template <class Base, class Derived>
void TSingleValueStat<Base, Derived>::DrawValues(int index, int lastIndex, TLastValueArray& lastValues,
                                                 TStatWorkArea& state, TStatDrawArray& values, bool sorted) {
    Base::DrawValues(index, lastIndex, lastValues, state, values, sorted);
    this->Work.Key[0] = static_cast<std::uint16_t>(Value(this->CurDraw.Numbers));
    AddStatValue(values, this->Work, true);
}

template <class Base, class Derived>
bool TSingleValueStat<Base, Derived>::CombMatches(const TCombination& comb, const TStatDrawArray& values, bool, bool,
                                                  int) {
    return HasKeyWord(values, 0, static_cast<std::uint16_t>(Value(comb)));
}

template <class Base, class Derived>
void TSingleValueStat<Base, Derived>::SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values,
                                                bool, bool, int, std::uint8_t* out) {
    const ByteTable sel = kernels::SelectKey0(values);
    if constexpr (PatternValue<Derived>::kDefined) {
        kernels::PatternTable byPattern{};
        for (int p = 0; p < 64; ++p)
            byPattern[static_cast<std::size_t>(p)] = sel[static_cast<std::size_t>(PatternValue<Derived>::Value(p))];
        kernels::MatchPattern(combs, PatternValue<Derived>::Property(), byPattern, out);
    } else {
        const auto* self = static_cast<const Derived*>(this);
        kernels::MatchValue(combs, sel, out, [self](const TCombination& c) { return self->ValueOf(c); });
    }
}

template <class Base, class Derived>
void TSingleValueStat<Base, Derived>::SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) {
    if constexpr (PatternValue<Derived>::kDefined) {
        kernels::PatternCounts counts{};
        kernels::CountPatterns(combs, PatternValue<Derived>::Property(), counts);
        std::array<std::uint64_t, 64> byValue{};
        for (int p = 0; p < 64; ++p)
            byValue[static_cast<std::size_t>(PatternValue<Derived>::Value(p))] += counts[static_cast<std::size_t>(p)];
        for (std::size_t v = 0; v < byValue.size(); ++v)
            if (byValue[v]) kernels::AddCount(values, static_cast<std::uint16_t>(v), byValue[v]);
    } else {
        const auto* self = static_cast<const Derived*>(this);
        kernels::HistogramOfValue(combs, values, [self](const TCombination& c) { return self->ValueOf(c); });
    }
}

template <class Derived>
void TPropertyCountStat<Derived>::EnumValues(int lastIndex, TStatDrawArray& values) {
    TCustomRatioStat::EnumValues(lastIndex, values);
    // Seeded 1..6: the row 0:6 appears only once a draw had none.
    SeedRange(this->Work, values, 1, kNumbersPerDraw);
}

template <class Derived>
int TPropertyCountStat<Derived>::GraphValue(const TCombination& numbers, int, int, bool) {
    return this->Value(numbers);
}

int TstEvenCount::ValueOf(const TCombination& c) const { return CountOf(kEven, c); }
int TstSmallCount::ValueOf(const TCombination& c) const { return CountOf(kSmall, c); }
int TstPrimeCount::ValueOf(const TCombination& c) const { return CountOf(kPrime, c); }

int TstEvenValues::ValueOf(const TCombination& c) const { return MaskOf(kOdd, c); }
std::string_view TstEvenValues::GetClearLetter() const { return "Ч"; }
std::string_view TstEvenValues::GetSetLetter() const { return "н"; }

// SMLV seeds all 64 patterns like its siblings EVNV and PRMV, so that patterns
// that never occurred still show (with their expected counts) in the table.
int TstSmallValues::ValueOf(const TCombination& c) const { return MaskOf(kLarge, c); }
std::string_view TstSmallValues::GetClearLetter() const { return "1"; }
std::string_view TstSmallValues::GetSetLetter() const { return "2"; }

int TstPrimeValues::ValueOf(const TCombination& c) const { return MaskOf(kPrime, c); }
std::string_view TstPrimeValues::GetClearLetter() const { return "С"; }
std::string_view TstPrimeValues::GetSetLetter() const { return "П"; }

void TstPosVal::EnumValues(int lastIndex, TStatDrawArray& values) {
    TCustomGraphStat::EnumValues(lastIndex, values);
    SeedRange(Work, values, kMinNumber, kMaxNumber);
}

int TstPosVal::GraphValue(const TCombination& numbers, int, int, bool) { return ValueOf(numbers); }

// ---- POE

void TstPosExt::DrawValues(int index, int lastIndex, TLastValueArray& lastValues, TStatWorkArea& state,
                           TStatDrawArray& values, bool sorted) {
    TCustomGraphStat::DrawValues(index, lastIndex, lastValues, state, values, sorted);
    Work.Key[0] = CurDraw.Extra[static_cast<std::size_t>(Param() - 1)];
    AddStatValue(values, Work, true);
}

bool TstPosExt::CombMatches(const TCombination&, const TStatDrawArray&, bool, bool, int) { return false; }

void TstPosExt::SpanMatch(std::span<const TCombination> combs, const TStatDrawArray&, bool, bool, int,
                          std::uint8_t* out) {
    std::memset(out, 0, combs.size());
}

int TstPosExt::GraphValue(const TCombination&, int index, int lastIndex, bool sorted) {
    LoadDraws(index, lastIndex, sorted);
    return CurDraw.Extra[static_cast<std::size_t>(Param() - 1)];
}

// ---- class descriptors

namespace {

void PositionRange(const TGameSettings&, int& low, int& high) {
    low = 1;
    high = kNumbersPerDraw;
}

void ExtraRange(const TGameSettings&, int& low, int& high) {
    low = 1;
    high = kExtraPerDraw;
}

const TStatClass kValues{.ClassName = "TstValues", .Code = "NUMS", .Caption = "Числа тиража", .Group = 0,
                         .Flags = kFlagN, .Create = &CreateStatOf<TstValues>};
const TStatClass kDigitsClass{.ClassName = "TstDigits", .Code = "DIGS", .Caption = "Цифры тиража", .Group = 0,
                              .Flags = kFlagN, .Create = &CreateStatOf<TstDigits>};
const TStatClass kEvenCount{.ClassName = "TstEvenCount", .Code = "EVEN",
                            .Caption = "Количество четных чисел в тираже (Ч:Н)", .Group = 0, .Flags = kFlagN,
                            .Graph = true, .Create = &CreateStatOf<TstEvenCount>};
const TStatClass kEvenValues{.ClassName = "TstEvenValues", .Code = "EVNV",
                             .Caption = "Четные и нечетные числа в тираже (Чн..нЧ)", .Group = 0,
                             .Flags = kFlagS | kFlagN, .Create = &CreateStatOf<TstEvenValues>};
const TStatClass kSmallCount{.ClassName = "TstSmallCount", .Code = "SMAL",
                             .Caption = "Количество чисел из первой половины диапазона (1П:2П)", .Group = 0,
                             .Flags = kFlagN, .Graph = true, .Create = &CreateStatOf<TstSmallCount>};
const TStatClass kSmallValues{.ClassName = "TstSmallValues", .Code = "SMLV",
                              .Caption = "Числа из первой половины диапазона (12..12)", .Group = 0,
                              .Flags = kFlagS | kFlagN, .Create = &CreateStatOf<TstSmallValues>};
const TStatClass kPrimeCount{.ClassName = "TstPrimeCount", .Code = "PRIM", .Caption = "Количество простых чисел (П:С)",
                             .Group = 0, .Flags = kFlagN, .Graph = true, .Create = &CreateStatOf<TstPrimeCount>};
const TStatClass kPrimeValues{.ClassName = "TstPrimeValues", .Code = "PRMV",
                              .Caption = "Простые и составные числа (ПС..СП)", .Group = 0, .Flags = kFlagS | kFlagN,
                              .Create = &CreateStatOf<TstPrimeValues>};
const TStatClass kPosVal{.ClassName = "TstPosVal", .Code = "POS%d", .Caption = "Число в %0:d позиции тиража",
                         .FamilyCode = "POSx", .Group = 0, .Flags = kFlagS | kFlagN, .Graph = true,
                         .ParamRange = &PositionRange, .Create = &CreateStatOf<TstPosVal>};
const TStatClass kPosExt{.ClassName = "TstPosExt", .Code = "POE%d",
                         .Caption = "Extra (Bonus, Star...) - число (!без фильтра!)", .FamilyCode = "POSx",
                         .Group = 0, .Flags = 0, .Graph = true, .ParamRange = &ExtraRange,
                         .Create = &CreateStatOf<TstPosExt>};

const TStatClass* const kFamily[] = {&kValues,      &kDigitsClass, &kEvenCount,   &kEvenValues, &kSmallCount,
                                     &kSmallValues, &kPrimeCount,  &kPrimeValues, &kPosVal,     &kPosExt};

}  // namespace

std::span<const TStatClass* const> NumberPropertyClasses() { return kFamily; }

}  // namespace corvel
