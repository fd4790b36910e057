// Format: the pattern language of the system's texts.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "model/Format.h"

namespace corvel {
namespace {

struct FormatCase {
    const char* Name;
    std::function<std::string()> Run;  // the call, so every row can pass its own argument list
    const char* Expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.Name; }

class FormatPattern : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatPattern, GivesTheText) { EXPECT_EQ(GetParam().Run(), GetParam().Expected); }

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatPattern,
    ::testing::Values(FormatCase{"ZeroPaddedInteger", [] { return Format("(%.3d)", {7}); }, "(007)"},
                      FormatCase{"ZeroPaddingKeepsLongerNumbers", [] { return Format("%.3d", {12345}); }, "12345"},
                      FormatCase{"ZeroPaddedNegative", [] { return Format("%.3d", {-7}); }, "-007"},
                      FormatCase{"SmallestInteger", [] { return Format("%d", {-9223372036854775807LL - 1}); },
                                 "-9223372036854775808"},
                      FormatCase{"IndexedReordering",
                                 [] {
                                     return Format("{ %1:s } %0:s", {"Числа тиража", "num"});
                                 },
                                 "{ num } Числа тиража"},
                      FormatCase{"IndexThenContinues",
                                 [] {
                                     return Format("%1:s %s %0:s %s", {"a", "b", "c"});
                                 },
                                 "b c a b"},
                      FormatCase{"IndexedInteger",
                                 [] {
                                     return Format("%1:d/%0:d", {1, 2});
                                 },
                                 "2/1"},
                      FormatCase{"TwoDecimals", [] { return Format("%.2f", {3.14159}); }, "3.14"},
                      FormatCase{"TwoDecimalsRoundsUp", [] { return Format("%.2f", {2.675001}); }, "2.68"},
                      FormatCase{"IntegerAsFixed", [] { return Format("%.2f", {2}); }, "2.00"},
                      FormatCase{"FixedDefaultsToTwoDecimals", [] { return Format("%f", {0.5}); }, "0.50"},
                      FormatCase{"ThousandsGrouped", [] { return Format("%n", {1234567.891}); }, "1 234 567.89"},
                      FormatCase{"ThousandsWithoutDecimals", [] { return Format("%.0n", {1234567}); }, "1 234 567"},
                      FormatCase{"ThousandsNegative", [] { return Format("%.0n", {-123456}); }, "-123 456"},
                      FormatCase{"ThousandsShortNumber", [] { return Format("%n", {999}); }, "999.00"},
                      FormatCase{"MissingArgument", [] { return Format("%d and %d", {1}); }, "1 and ?"},
                      FormatCase{"NoArguments", [] { return Format("Архив тиражей: %d"); }, "Архив тиражей: ?"},
                      FormatCase{"IndexPastTheArguments", [] { return Format("%5:s", {"a"}); }, "?"},
                      FormatCase{"HugeIndex", [] { return Format("%99999999999999999999:s|", {"a"}); }, "?|"},
                      FormatCase{"WidthPadsLeft", [] { return Format("[%5d]", {42}); }, "[   42]"},
                      FormatCase{"MinusAlignsLeft", [] { return Format("[%-5d]", {42}); }, "[42   ]"},
                      FormatCase{"WidthCountsCharacters", [] { return Format("[%-7s]", {"Тираж"}); }, "[Тираж  ]"},
                      FormatCase{"PrecisionCutsText", [] { return Format("%.2s", {"abcdef"}); }, "ab"},
                      FormatCase{"PrecisionCutsCharacters", [] { return Format("%.3s", {"Дата тиража"}); }, "Дат"},
                      FormatCase{"Hexadecimal",
                                 [] {
                                     return Format("%x %.4x", {255, 255});
                                 },
                                 "FF 00FF"},
                      FormatCase{"TypeLettersIgnoreCase",
                                 [] {
                                     return Format("%S=%D", {"k", 5});
                                 },
                                 "k=5"},
                      FormatCase{"PercentSign", [] { return Format("100%% of %d", {6}); }, "100% of 6"},
                      FormatCase{"LonePercentAtTheEnd", [] { return Format("50%", {1}); }, "50%"},
                      FormatCase{"IntegerAsText", [] { return Format("%s", {12}); }, "12"},
                      FormatCase{"TextForAnInteger", [] { return Format("%d", {"abc"}); }, "abc"}),
    [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace corvel
