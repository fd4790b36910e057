// Serial groups and periods over hand-made archives worked out by hand, their
// filters over the full list against combinatorics, keep and remove as
// complements, and the "next occurrence" of a period value.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "model/CombinationEnumeration.h"
#include "model/CombsArray.h"
#include "stats/AllCombinations.h"
#include "stats/CustomStat.h"
#include "stats/FilterApply.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

using test::AllCombinations;
using test::Binomial;

std::unique_ptr<TCustomStat> Create(const TStatList& list, const char* code) { return test::CreateByCode(list, code); }

// Draw numbers 1..5; the newest draw (the window's end) holds 1 2 3 20 21 22.
//   #1: 1 2 3 4 5 6      channels 1
//   #2: 1 2 7 8 9 10     channels 1 2
//   #3: 1 11 12 13 14 15 channels 1 2 3
//   #4: 1 2 16 17 18 19  channels 1 3 4
//   #5: 1 2 3 20 21 22   channels 1 4
TDrawsArray FiveDraws() {
    return {test::MakeDraw(1, {1, 2, 3, 4, 5, 6}), test::MakeDraw(2, {1, 2, 7, 8, 9, 10}),
            test::MakeDraw(3, {1, 11, 12, 13, 14, 15}), test::MakeDraw(4, {1, 2, 16, 17, 18, 19}),
            test::MakeDraw(5, {1, 2, 3, 20, 21, 22})};
}

// "text:count" of every entry, sorted by key.
std::string Table(TCustomStat& stat, const TStatWindow& window) {
    TStatDrawArray values = ComputeWindowValues(stat, window, false);
    SortStatValues(values);
    std::string s;
    for (const auto& v : values) s += (s.empty() ? "" : ", ") + stat.ValueToText(v) + ":" + std::to_string(v.Count);
    return s;
}

struct TableCase {
    const char* Code;
    const char* Expected;
};

class HandWorkedTables : public ::testing::TestWithParam<TableCase> {};

// Groups: 1 is present in all five draws (one run of 5 reaching the end);
// 2 in #1-#2 and #4-#5 (two runs of 2); 3 in #1 and #5 (two runs of 1); 20,
// 21, 22 only in #5. Pauses: 2 misses #3 (gap 1), 3 misses #2-#4 (gap 3),
// 20-22 miss #1-#4 (gap 4); 1 is never absent, and numbers absent from #5
// report nothing. Periods: 1 every draw (four periods of 1), 2 after 1 (#1
// to #2, #4 to #5) and after 2 (#2 to #4), 3 after 4 (#1 to #5). Channels
// with the default size 6: channel 1 is in every draw, channel 4 in #4-#5.
TEST_P(HandWorkedTables, WholeWindow) {
    const TDrawsArray draws = FiveDraws();
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = Create(list, GetParam().Code);
    EXPECT_EQ(Table(*stat, {0, 4}), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Members, HandWorkedTables,
                         ::testing::Values(TableCase{"GRPV", "1 x 5:1, 2 x 2:2, 3 x 1:2, 20 x 1:1, 21 x 1:1, 22 x 1:1"},
                                           TableCase{"GRPP", "2 x 1:1, 3 x 3:1, 20 x 4:1, 21 x 4:1, 22 x 4:1"},
                                           TableCase{"GRCV", "01 x 5:1, 04 x 2:1"}, TableCase{"GRCP", "04 x 3:1"},
                                           // One segment holds every number: one run over all draws.
                                           TableCase{"GRSV", "1 x 5:1"}, TableCase{"GRSP", ""},
                                           TableCase{"PRDV", "1 x 1:4, 2 x 1:2, 2 x 2:1, 3 x 4:1"},
                                           // #4 holds three numbers of channel 3: one period, not three.
                                           TableCase{"PRDC", "01 x 1:4, 02 x 1:1, 03 x 1:1, 04 x 1:1"},
                                           TableCase{"PRDG", "1 x 1:4"}),
                         [](const auto& row) { return std::string(row.param.Code); });

TEST(Series, RunDatesAndIntervals) {
    const TDrawsArray draws = FiveDraws();
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = Create(list, "GRPV");
    const TStatDrawArray values = ComputeWindowValues(*stat, {0, 4}, false);
    auto find = [&](std::uint16_t item, std::uint16_t length) {
        auto it = std::find_if(values.begin(), values.end(),
                               [&](const TStatDrawRec& v) { return v.Key[0] == item && v.Key[1] == length; });
        EXPECT_NE(it, values.end()) << item << " x " << length;
        return it != values.end() ? *it : TStatDrawRec{};
    };
    // The runs of 2 end in #2 (depth 4) and #5 (depth 1): dated by the
    // newer, three draws apart.
    const TStatDrawRec two = find(2, 2);
    EXPECT_EQ(two.LastDraw, 5);
    EXPECT_EQ(two.Depth, 1);
    EXPECT_EQ(two.MinInterval, 3);
    EXPECT_EQ(two.MaxInterval, 3);
    // A number present in the last four draws and in the newest gives its
    // run once, at the window end.
    TStatDrawArray four = ComputeWindowValues(*stat, {1, 4}, false);
    EXPECT_EQ(std::count_if(four.begin(), four.end(), [](const TStatDrawRec& v) { return v.Key[0] == 1; }), 1);
    EXPECT_EQ(Table(*stat, {1, 4}), "1 x 4:1, 2 x 1:1, 2 x 2:1, 3 x 1:1, 20 x 1:1, 21 x 1:1, 22 x 1:1");
    // An empty window lists nothing, and nothing is seeded.
    for (const char* code : {"GRPV", "GRPP", "GRCV", "GRCP", "GRSV", "GRSP", "PRDV", "PRDC", "PRDG"})
        EXPECT_TRUE(ComputeWindowValues(*Create(list, code), MakeStatWindow(draws.size(), 0, 0), false).empty())
            << code;
}

// As the draw after #5 (index 4).
std::int64_t FullListMatches(const TStatList& list, const char* code, const TStatDrawArray& values) {
    return test::FullListMatchCount(list, code, values, 4);
}

TEST(SeriesFilter, ComparesTheItemOfEachNumber) {
    const TDrawsArray draws = FiveDraws();
    TStatList list;
    test::RegisterOver(list, draws);
    // Numbers: combinations holding 2 or 20.
    EXPECT_EQ(FullListMatches(list, "GRPV", test::SelectedKeys({{2, 2}, {20, 1}})), Binomial(48, 6) - Binomial(46, 6));
    // Channels: the value 04 x 2 keeps combinations with a number in channel
    // 4 (19..24), not those holding the number 4.
    EXPECT_EQ(FullListMatches(list, "GRCV", test::SelectedKeys({{4, 2}})), Binomial(48, 6) - Binomial(42, 6));
    auto pauses = Create(list, "GRCP");
    pauses->PrepareFilter(4, false);
    EXPECT_TRUE(pauses->CombMatches({19, 30, 31, 32, 33, 34}, test::SelectedKeys({{4, 3}}), false));
    EXPECT_FALSE(pauses->CombMatches({4, 30, 31, 32, 33, 34}, test::SelectedKeys({{4, 3}}), false));
    // Segments: one segment holds every number.
    EXPECT_EQ(FullListMatches(list, "GRSV", test::SelectedKeys({{1, 5}})), Binomial(48, 6));
}

TEST(PeriodsFilter, MatchesItemsThatWouldComeBackAfterTheSelectedPeriod) {
    const TDrawsArray draws = FiveDraws();
    TStatList list;
    test::RegisterOver(list, draws);
    // As the draw after #5: 2 after a period of 2 means 2 was in #4 (it was);
    // 3 after 4 means 3 in #2 (it was not); 5 after 5 means 5 in #1 (it was).
    EXPECT_EQ(FullListMatches(list, "PRDV", test::SelectedKeys({{2, 2}, {3, 4}})), Binomial(47, 5));
    EXPECT_EQ(FullListMatches(list, "PRDV", test::SelectedKeys({{2, 2}, {5, 5}})), Binomial(48, 6) - Binomial(46, 6));
    EXPECT_EQ(FullListMatches(list, "PRDV", test::SelectedKeys({{3, 4}})), 0);
    // A period reaching before the archive matches nothing.
    EXPECT_EQ(FullListMatches(list, "PRDV", test::SelectedKeys({{1, 9}})), 0);
    // Channels: channel 3 after 2 draws (in #4) keeps combinations with a
    // number in 13..18.
    EXPECT_EQ(FullListMatches(list, "PRDC", test::SelectedKeys({{3, 2}})), Binomial(48, 6) - Binomial(42, 6));
}

TEST(PeriodsFilter, KeepAndRemoveAreComplements) {
    static TCombsArray full;
    if (full.Empty()) full.SetCount(EnumerateAllCombinations(full.Room()));
    const TDrawsArray draws = FiveDraws();
    TStatList list;
    test::RegisterOver(list, draws);
    const int index = list.FindMethod("PRDV");
    auto factory = [&] {
        auto s = list.CreateStat(index);
        s->PrepareFilter(4, false);
        return s;
    };
    const TStatDrawArray values = test::SelectedKeys({{2, 2}, {3, 4}});
    TCombsArray kept, removed;
    const std::size_t keep = FilterCombinationList(full, kept, factory, values, false);
    const std::size_t remove = FilterCombinationList(full, removed, factory, values, true);
    EXPECT_EQ(keep, static_cast<std::size_t>(Binomial(47, 5)));
    EXPECT_EQ(keep + remove, full.Count());
    EXPECT_TRUE(std::none_of(removed.Items().begin(), removed.Items().end(),
                             [](const TCombination& c) { return std::find(c.begin(), c.end(), 2) != c.end(); }));
}

TEST(Periods, FactFindsTheNextOccurrenceOfThePeriod) {
    // The window ends at #5; #6 brings 2 back after one draw, #7 brings 3
    // back after two (not four) and 1 does not come back.
    TDrawsArray draws = FiveDraws();
    draws.push_back(test::MakeDraw(6, {2, 30, 31, 32, 33, 34}));
    draws.push_back(test::MakeDraw(7, {3, 35, 36, 37, 38, 39}));
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = Create(list, "PRDV");
    const TStatDrawArray values = ComputeWindowValues(*stat, {0, 4}, false);
    auto fact = [&](std::uint16_t item, std::uint16_t period) {
        for (const auto& v : values)
            // From the draw after the one the value was last seen in (draw
            // number n is at index n - 1), as the table asks.
            if (v.Key[0] == item && v.Key[1] == period) return stat->FindValueDraw(v, v.LastDraw);
        ADD_FAILURE() << item << " x " << period << " not in the table";
        return -2;
    };
    EXPECT_EQ(fact(2, 1), 6);
    EXPECT_EQ(fact(1, 1), -1);
    EXPECT_EQ(fact(3, 4), -1);
    // 2 x 2 was last seen in #4: from #5 on, 2 comes back after 1 each time.
    EXPECT_EQ(fact(2, 2), -1);
}

}  // namespace
}  // namespace corvel
