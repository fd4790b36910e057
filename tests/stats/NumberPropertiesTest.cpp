// Values and texts of the number-property family on hand-checked draws.
#include <gtest/gtest.h>

#include <map>

#include "TestSupport.h"
#include "stats/CustomStat.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

struct DrawCase {
    const char* Name;
    TCombination Numbers;
    const char* Code;
    const char* Text;  // ValueToText of the draw's single value
};

class SingleValue : public ::testing::TestWithParam<DrawCase> {};

TEST_P(SingleValue, DrawGivesValueAndText) {
    const DrawCase& c = GetParam();
    TDrawsArray draws{test::MakeDraw(7, c.Numbers)};
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod(c.Code));
    TStatDrawArray values;
    stat->SetContext(0, false);
    stat->DrawValues(0, values);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(stat->ValueToText(values[0]), c.Text);
    EXPECT_EQ(values[0].LastDraw, 7);
    EXPECT_EQ(values[0].Depth, 1);
    // The text reads back to the same value.
    EXPECT_EQ(stat->TextToValue(c.Text), values[0].Key[0]);
    // The bare combination has the same value.
    TStatDrawArray comb;
    stat->CombValues(c.Numbers, comb);
    ASSERT_EQ(comb.size(), 1u);
    EXPECT_EQ(comb[0].Key, values[0].Key);
}

INSTANTIATE_TEST_SUITE_P(Draws, SingleValue,
                         ::testing::Values(DrawCase{"AllEvenCount", {2, 4, 6, 8, 10, 12}, "EVEN", "6:0"},
                                           DrawCase{"AllEvenMask", {2, 4, 6, 8, 10, 12}, "EVNV", "ЧЧЧЧЧЧ (000)"},
                                           DrawCase{"AllSmallCount", {2, 4, 6, 8, 10, 12}, "SMAL", "6:0"},
                                           DrawCase{"AllSmallMask", {2, 4, 6, 8, 10, 12}, "SMLV", "111111 (000)"},
                                           DrawCase{"OnePrime", {2, 4, 6, 8, 10, 12}, "PRIM", "1:5"},
                                           DrawCase{"FirstPrimeMask", {2, 4, 6, 8, 10, 12}, "PRMV", "ПССССС (032)"},
                                           DrawCase{"OneCountsAsPrime", {1, 11, 13, 25, 40, 48}, "PRIM", "3:3"},
                                           DrawCase{"MixedEvenMask", {2, 5, 8, 10, 13, 15}, "EVNV", "ЧнЧЧнн (019)"},
                                           DrawCase{"LargeMask", {30, 5, 17, 40, 1, 48}, "SMLV", "211212 (037)"},
                                           DrawCase{"PositionInDrawnOrder", {33, 5, 17, 2, 9, 40}, "POS1", "33"},
                                           DrawCase{"ThirdPosition", {33, 5, 17, 2, 9, 40}, "POS3", "17"}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(NumberProperties, DigitsCountEveryCharacter) {
    TDrawsArray draws{test::MakeDraw(1, {1, 11, 13, 25, 40, 48})};
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod("DIGS"));
    TStatDrawArray values = ComputeWindowValues(*stat, MakeStatWindow(draws.size(), 0, 10), false);
    SortStatValues(values);
    // Digits 1, 1, 1, 1, 3, 2, 5, 4, 0, 4, 8.
    std::map<int, int> counts;
    for (const auto& v : values) counts[v.Key[0]] = v.Count;
    EXPECT_EQ(counts, (std::map<int, int>{{0, 1}, {1, 4}, {2, 1}, {3, 1}, {4, 2}, {5, 1}, {8, 1}}));
}

TEST(NumberProperties, SortedModeChangesOrderDependentMethodsOnly) {
    TDrawsArray draws{test::MakeDraw(1, {33, 5, 17, 44, 28, 9})};
    TStatList list;
    test::RegisterOver(list, draws);
    auto valueText = [&](const char* code, bool sorted) {
        auto stat = list.CreateStat(list.FindMethod(code));
        TStatDrawArray values = ComputeWindowValues(*stat, MakeStatWindow(1, 0, 1), sorted);
        std::string text;
        for (const auto& v : values)
            if (v.Count) text += stat->ValueToText(v) + " ";
        return text;
    };
    EXPECT_EQ(valueText("POS1", false), "33 ");
    EXPECT_EQ(valueText("POS1", true), "5 ");
    EXPECT_NE(valueText("EVNV", false), valueText("EVNV", true));
    EXPECT_EQ(valueText("NUMS", false), valueText("NUMS", true));
    EXPECT_EQ(valueText("EVEN", false), valueText("EVEN", true));
    // The archive keeps the drawn order.
    EXPECT_EQ(draws[0].Numbers[0], 33);
}

TEST(NumberProperties, ExtraNumbersAreValuesButNeverFilter) {
    TDrawsArray draws{test::MakeDraw(1, {1, 2, 3, 4, 5, 6}, {7, 40}), test::MakeDraw(2, {1, 2, 3, 4, 5, 6}, {7, 41})};
    TStatList list;
    test::RegisterOver(list, draws);
    auto poe1 = list.CreateStat(list.FindMethod("POE1"));
    TStatDrawArray values = ComputeWindowValues(*poe1, MakeStatWindow(2, 0, 10), false);
    ASSERT_EQ(values.size(), 1u);  // no seeded rows
    EXPECT_EQ(values[0].Key[0], 7);
    EXPECT_EQ(values[0].Count, 2);
    EXPECT_FALSE(poe1->CombMatches({7, 8, 9, 10, 11, 12}, values, false));
    auto poe2 = list.CreateStat(list.FindMethod("POE2"));
    poe2->SetContext(1, false);
    EXPECT_EQ(poe2->DrawGraphValue(1), 41);
}

TEST(NumberProperties, SeedingShowsValuesThatNeverOccurred) {
    TDrawsArray draws{test::MakeDraw(1, {1, 3, 5, 7, 9, 11})};  // six odd numbers
    TStatList list;
    test::RegisterOver(list, draws);
    auto rows = [&](const char* code) {
        auto stat = list.CreateStat(list.FindMethod(code));
        TStatDrawArray values;
        stat->EnumValues(values);
        return values.size();
    };
    EXPECT_EQ(rows("NUMS"), 48u);
    EXPECT_EQ(rows("EVEN"), 6u);  // 1..6: no row 0:6 until a draw has no even number
    EXPECT_EQ(rows("EVNV"), 64u);
    EXPECT_EQ(rows("SMLV"), 64u);
    EXPECT_EQ(rows("DIGS"), 0u);
    EXPECT_EQ(rows("POS2"), 48u);

    auto even = list.CreateStat(list.FindMethod("EVEN"));
    TStatDrawArray values = ComputeWindowValues(*even, MakeStatWindow(1, 0, 1), false);
    ASSERT_EQ(values.size(), 7u);
    EXPECT_EQ(even->ValueToText(values.back()), "0:6");
    EXPECT_EQ(values.back().Count, 1);
}

TEST(NumberProperties, MaskAndRatioTextsParseBack) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    EXPECT_EQ(list.CreateStat(list.FindMethod("EVNV"))->TextToValue("нЧЧЧЧЧ (032)"), 32);
    EXPECT_EQ(list.CreateStat(list.FindMethod("PRMV"))->TextToValue("ПССССП (033)"), 33);
    EXPECT_EQ(list.CreateStat(list.FindMethod("SMLV"))->TextToValue("222222"), 63);
    EXPECT_EQ(list.CreateStat(list.FindMethod("EVEN"))->TextToValue("4:2"), 4);
    EXPECT_EQ(list.CreateStat(list.FindMethod("NUMS"))->TextToValue("abc"), 0);
}

}  // namespace
}  // namespace corvel
