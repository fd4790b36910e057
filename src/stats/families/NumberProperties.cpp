#include "stats/families/NumberProperties.h"

#include "i18n/Texts.h"
#include "stats/ValueStat.h"

namespace corvel {
namespace {

using namespace values;

constexpr bool IsOdd(int n) { return !IsEvenNumber(n); }
constexpr bool IsLarge(int n) { return !IsSmallNumber(n); }

constexpr NumberValues NumberItself(int n) { return {1, {static_cast<std::uint8_t>(n)}}; }

// The decimal digits of the number without leading zeros: 7 gives 7, 40 gives
// 4 and 0.
constexpr NumberValues DigitsOf(int n) {
    NumberValues v;
    for (int divisor = n >= 100 ? 100 : n >= 10 ? 10 : 1; divisor > 0; divisor /= 10)
        v.Values[v.Count++] = static_cast<std::uint8_t>(n / divisor % 10);
    return v;
}

constexpr int NumberAt(const TCombination& c, int position) { return c[static_cast<std::size_t>(position - 1)]; }
constexpr int ExtraNumber(const TDrawRec& draw, int which) { return draw.Extra[static_cast<std::size_t>(which - 1)]; }

constexpr std::uint8_t kSN = kFlagS | kFlagN;

const TStatClass kFamily[] = {
    StatRow<PerNumber<NumberItself>>({.ClassName = "TstValues",
                                      .Code = "NUMS",
                                      .Caption = texts::kStatGroupNumbers,
                                      .Flags = kFlagN,
                                      .SeedFirst = kMinNumber,
                                      .SeedLast = kMaxNumber}),
    StatRow<PerNumber<DigitsOf>>(
        {.ClassName = "TstDigits", .Code = "DIGS", .Caption = texts::kStatDigits, .Flags = kFlagN}),
    // The counts seed 1..6: the row 0:6 appears only once a draw had none.
    StatRow<PropertyCount<IsEvenNumber>>({.ClassName = "TstEvenCount",
                                          .Code = "EVEN",
                                          .Caption = texts::kStatEvenCount,
                                          .Flags = kFlagN,
                                          .Graph = true,
                                          .Text = TValueText::Ratio,
                                          .SeedFirst = 1,
                                          .SeedLast = 6}),
    StatRow<PropertyMask<IsOdd>>({.ClassName = "TstEvenValues",
                                  .Code = "EVNV",
                                  .Caption = texts::kStatEvenValues,
                                  .Flags = kSN,
                                  .Text = TValueText::Mask,
                                  .ClearLetter = texts::kStatMaskEven,
                                  .SetLetter = texts::kStatMaskOdd,
                                  .SeedLast = 63}),
    StatRow<PropertyCount<IsSmallNumber>>({.ClassName = "TstSmallCount",
                                           .Code = "SMAL",
                                           .Caption = texts::kStatSmallCount,
                                           .Flags = kFlagN,
                                           .Graph = true,
                                           .Text = TValueText::Ratio,
                                           .SeedFirst = 1,
                                           .SeedLast = 6}),
    // SMLV seeds all 64 patterns like its siblings EVNV and PRMV, so that
    // patterns that never occurred still show (with their expected counts).
    StatRow<PropertyMask<IsLarge>>({.ClassName = "TstSmallValues",
                                    .Code = "SMLV",
                                    .Caption = texts::kStatSmallValues,
                                    .Flags = kSN,
                                    .Text = TValueText::Mask,
                                    .ClearLetter = texts::kStatMaskFirstHalf,
                                    .SetLetter = texts::kStatMaskSecondHalf,
                                    .SeedLast = 63}),
    StatRow<PropertyCount<IsPrimeNumber>>({.ClassName = "TstPrimeCount",
                                           .Code = "PRIM",
                                           .Caption = texts::kStatPrimeCount,
                                           .Flags = kFlagN,
                                           .Graph = true,
                                           .Text = TValueText::Ratio,
                                           .SeedFirst = 1,
                                           .SeedLast = 6}),
    StatRow<PropertyMask<IsPrimeNumber>>({.ClassName = "TstPrimeValues",
                                          .Code = "PRMV",
                                          .Caption = texts::kStatPrimeValues,
                                          .Flags = kSN,
                                          .Text = TValueText::Mask,
                                          .ClearLetter = texts::kStatMaskComposite,
                                          .SetLetter = texts::kStatMaskPrime,
                                          .SeedLast = 63}),
    StatRow<OneValue<NumberAt>>({.ClassName = "TstPosVal",
                                 .Code = "POS%d",
                                 .Caption = texts::kStatNumberAtPosition,
                                 .FamilyCode = "POSx",
                                 .Flags = kSN,
                                 .Graph = true,
                                 .SeedFirst = kMinNumber,
                                 .SeedLast = kMaxNumber,
                                 .ParamRange = &FixedParams<1, kNumbersPerDraw>}),
    // The extra numbers are values of the draws only: never a filter.
    StatRow<DrawValue<ExtraNumber>>({.ClassName = "TstPosExt",
                                     .Code = "POE%d",
                                     .Caption = texts::kStatExtraNumber,
                                     .FamilyCode = "POSx",
                                     .Graph = true,
                                     .ParamRange = &FixedParams<1, kExtraPerDraw>}),
};

}  // namespace

std::span<const TStatClass> NumberPropertyClasses() { return kFamily; }

}  // namespace corvel
