// Ognev numbers: the full-list distributions against a brute force written
// from the reduction's definition, reductions worked out by hand, and the
// dynamic member that lists numbers for the draw after the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "stats/AllCombinations.h"
#include "stats/CustomStat.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

using test::AllCombinations;

std::unique_ptr<TCustomStat> Create(const TStatList& list, const char* code) { return test::CreateByCode(list, code); }

// The reduction straight from its words: replace the sequence by the
// absolute differences of neighbours while it has three or more elements.
std::vector<int> Reduced(std::vector<int> x) {
    while (x.size() >= 3) {
        std::vector<int> next;
        for (std::size_t k = 0; k + 1 < x.size(); ++k) next.push_back(std::abs(x[k + 1] - x[k]));
        x = next;
    }
    return x;
}

int Ognev1(const std::vector<int>& x) {
    const std::vector<int> p = Reduced(x);
    return std::abs(p[1] - p[0]);
}

int Ognev2(const std::vector<int>& x) {
    const std::vector<int> p = Reduced(x);
    const int r = std::abs(p[1] - p[0]);
    return r <= 1 ? p[0] + p[1] : r;
}

TEST(OgnevFullList, HistogramsAndFiltersMatchTheBruteForce) {
    std::map<int, std::int64_t> first, second;
    test::ForEachCombination([&](const int(&x)[6]) {
        const std::vector<int> v(x, x + 6);
        ++first[Ognev1(v)];
        ++second[Ognev2(v)];
    });
    EXPECT_EQ(test::FullListCountsOfKey0("HCO1"), first);
    EXPECT_EQ(test::FullListCountsOfKey0("HCO2"), second);

    // A keep filter on two values of each leaves their brute-force counts.
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    const TStatDrawArray values = test::SelectedKeys({{1}, {11}});
    EXPECT_EQ(test::FullListMatchCount(list, "HCO1", values), first[1] + first[11]);
    EXPECT_EQ(test::FullListMatchCount(list, "HCO2", values), second[1] + second[11]);
}

struct ReductionCase {
    const char* Name;
    TCombination Numbers;
    int Ognev1;
    int Ognev2;
    const char* Dynamic;  // the values of HCO3 for the draw, as the table writes them
};

class OgnevOfOneDraw : public ::testing::TestWithParam<ReductionCase> {};

// Worked by hand:
//  3 10 17 25 31 44 -> 7 7 8 6 13 -> 0 1 2 7 -> 1 1 5 -> 0 4: r = 4.
//  1 2 3 4 10 32 -> 1 1 1 6 22 -> 0 0 5 16 -> 0 5 11 -> 5 6: r = 1, x1 + x2 = 11.
//  1 2 3 4 11 12 -> 1 1 1 7 1 -> 0 0 6 6 -> 0 6 0 -> 6 6: r = 0, x1 + x2 = 12.
//  Drawn order 32 1 10 2 4 3 -> 31 9 8 2 1 -> 22 1 6 1 -> 21 5 5 -> 16 0: r = 16.
TEST_P(OgnevOfOneDraw, ValuesPlotAndDynamicNumbers) {
    const ReductionCase& c = GetParam();
    TDrawsArray draws{test::MakeDraw(7, c.Numbers)};
    TStatList list;
    test::RegisterOver(list, draws);
    auto first = Create(list, "HCO1");
    auto second = Create(list, "HCO2");
    auto dynamic = Create(list, "HCO3");
    first->SetContext(0, false);
    second->SetContext(0, false);
    EXPECT_EQ(first->DrawGraphValue(0), c.Ognev1);
    EXPECT_EQ(second->DrawGraphValue(0), c.Ognev2);
    TStatDrawArray comb;
    second->CombValues(c.Numbers, comb);
    ASSERT_EQ(comb.size(), 1u);
    EXPECT_EQ(comb[0].Key[0], c.Ognev2);

    const TStatDrawArray values = ComputeWindowValues(*dynamic, MakeStatWindow(1, 0, 1), false);
    std::string texts;
    for (const auto& v : values) {
        texts += (texts.empty() ? "" : ", ") + dynamic->ValueToText(v);
        // The draw after the window is not read: nothing is counted.
        EXPECT_EQ(v.Count, 0) << dynamic->ValueToText(v);
        EXPECT_EQ(v.LastDraw, 7);
    }
    EXPECT_EQ(texts, c.Dynamic);
}

INSTANTIATE_TEST_SUITE_P(
    Draws, OgnevOfOneDraw,
    ::testing::Values(
        // f = 4: 16 is below 48, so the multiples come down from 64: 48 .. 8.
        ReductionCase{"Example", {3, 10, 17, 25, 31, 44}, 4, 4, "4, 48, 44, 40, 36, 32, 28, 24, 20, 16, 12, 8"},
        ReductionCase{"LastPairDiffersByOne", {1, 2, 3, 4, 10, 32}, 1, 11, "11 (1), 44, 33, 22"},
        ReductionCase{"LastPairEqual", {1, 2, 3, 4, 11, 12}, 0, 12, "12, 48, 36, 24"},
        ReductionCase{"DrawnOrderCounts", {32, 1, 10, 2, 4, 3}, 16, 16, "16, 48, 32"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(OgnevDynamic, SmallNumbersAndOnlyTheWindowEnd) {
    // f = 5 adds 45 .. 10 (from 125 down), f = 2 adds 8, 6, 4 (from 8).
    // 1 2 3 4 5 10 -> 1 1 1 1 5 -> 0 0 0 4 -> 0 0 4 -> 0 4: r = 4 (not used).
    // 5 10 15 20 25 35 -> 5 5 5 5 10 -> 0 0 0 5 -> 0 0 5 -> 0 5: r = 5.
    // 1 3 5 7 9 12 -> 2 2 2 2 3 -> 0 0 0 1 -> 0 0 1 -> 0 1: r = 1, x1 + x2 = 1.
    // 2 4 6 8 10 14 -> 2 2 2 2 4 -> 0 0 0 2 -> 0 0 2 -> 0 2: r = 2.
    TDrawsArray draws{test::MakeDraw(1, {1, 2, 3, 4, 5, 10}), test::MakeDraw(2, {5, 10, 15, 20, 25, 35}),
                      test::MakeDraw(3, {1, 3, 5, 7, 9, 12}), test::MakeDraw(4, {2, 4, 6, 8, 10, 14})};
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = Create(list, "HCO3");
    auto texts = [&](int last) {
        std::string s;
        for (const auto& v : ComputeWindowValues(*stat, {0, last}, false)) s += stat->ValueToText(v) + " ";
        return s;
    };
    // Only the last draw of the window gives values, whatever the window.
    EXPECT_EQ(texts(1), "5 45 40 35 30 25 20 15 10 ");
    EXPECT_EQ(texts(2), "1 (1) ");
    EXPECT_EQ(texts(3), "2 8 6 4 ");

    // The filter keeps combinations holding one of the selected numbers.
    const TStatDrawArray selected = ComputeWindowValues(*stat, {0, 3}, false);
    stat->PrepareFilter(3, false);
    EXPECT_TRUE(stat->CombMatches({1, 4, 11, 13, 17, 19}, selected, false));
    EXPECT_FALSE(stat->CombMatches({1, 3, 5, 7, 9, 11}, selected, false));
    // Its values do not parse back from their texts.
    EXPECT_FALSE(stat->Class().CanParseValue);
    // An empty window has no values.
    EXPECT_TRUE(ComputeWindowValues(*stat, MakeStatWindow(4, 0, 0), false).empty());
}

}  // namespace
}  // namespace corvel
