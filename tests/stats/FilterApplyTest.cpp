// Keep and remove filters over the full list against a brute-force check.
#include <gtest/gtest.h>

#include "model/CombinationEnumeration.h"
#include "stats/CustomStat.h"
#include "stats/FilterApply.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

struct FilterCase {
    const char* Name;
    const char* Code;
    std::vector<std::uint16_t> Keys;
    bool Exclude;
};

class FullListFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FullListFilter, MatchesBruteForce) {
    static TCombsArray full;  // filled once for all rows
    if (full.Empty()) full.SetCount(EnumerateAllCombinations(full.Room()));
    const FilterCase& c = GetParam();
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    const int index = list.FindMethod(c.Code);
    TStatDrawArray values;
    for (auto k : c.Keys) {
        TStatDrawRec v;
        v.Key[0] = k;
        values.push_back(v);
    }
    auto factory = [&] {
        auto s = list.CreateStat(index);
        s->PrepareFilter(-1, false);
        return s;
    };
    TCombsArray target;
    const std::size_t count = FilterCombinationList(full, target, factory, values, c.Exclude);
    ASSERT_EQ(count, target.Count());

    // Brute force: the per-combination test on every combination, in order.
    auto stat = factory();
    std::size_t k = 0;
    for (const TCombination& comb : full.Items()) {
        if (stat->CombMatches(comb, values, c.Exclude) == c.Exclude) continue;
        ASSERT_LT(k, target.Count());
        ASSERT_EQ(target[k], comb) << "at " << k;
        ++k;
    }
    EXPECT_EQ(k, target.Count());
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FullListFilter,
    ::testing::Values(FilterCase{"KeepEven3", "EVEN", {3}, false}, FilterCase{"RemoveEven2And4", "EVEN", {2, 4}, true},
                      FilterCase{"KeepPrimeMasks", "PRMV", {0, 7, 33, 63}, false},
                      FilterCase{"RemoveSixNumbers", "NUMS", {1, 7, 13, 19, 25, 48}, true},
                      FilterCase{"KeepNothingMatches", "POS1", {44}, false},
                      FilterCase{"RemoveEverything", "DIGS", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, true}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(FilterList, SmallAndEmptyLists) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    const int index = list.FindMethod("NUMS");
    auto factory = [&] { return list.CreateStat(index); };
    TStatDrawRec five;
    five.Key[0] = 5;
    TCombsArray source(4), target(4);
    EXPECT_EQ(FilterCombinationList(source, target, factory, {five}, false), 0u);
    source.Append({5, 1, 2, 3, 4, 6});
    source.Append({7, 8, 9, 10, 11, 12});
    source.Append({99, 0, 255, 5, 200, 1});  // bytes as a file may hold them
    EXPECT_EQ(FilterCombinationList(source, target, factory, {five}, false), 2u);
    EXPECT_EQ(target[1], (TCombination{99, 0, 255, 5, 200, 1}));
    EXPECT_EQ(FilterCombinationList(source, target, factory, {five}, true), 1u);
    EXPECT_EQ(target[0], (TCombination{7, 8, 9, 10, 11, 12}));
}

}  // namespace
}  // namespace corvel
