// The sums family: full-list distributions against a brute force and
// combinatorics, values and texts of hand-checked draws, the sum changes over
// small archives worked out by hand, and filters.
#include <gtest/gtest.h>

#include <map>
#include <numeric>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"
#include "stats/CustomStat.h"
#include "stats/FullListFigures.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

using test::BruteForceFigures;
using test::FullList;

// Counts by Key[0] of the method's histogram over the full list.
std::map<int, std::int64_t> FullListCounts(const char* code) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    const int index = list.FindMethod(code);
    EXPECT_GE(index, 0) << code;
    std::map<int, std::int64_t> counts;
    for (const auto& v : ParallelSpanHistogram([&] { return list.CreateStat(index); }, FullList())) {
        EXPECT_EQ(v.Key[1], 0);
        counts[v.Key[0]] += v.Count;
    }
    return counts;
}

template <std::size_t N>
std::map<int, std::int64_t> NonZero(const std::array<std::int64_t, N>& figures) {
    std::map<int, std::int64_t> counts;
    for (std::size_t v = 0; v < N; ++v)
        if (figures[v]) counts[static_cast<int>(v)] = figures[v];
    return counts;
}

TEST(SumsFullList, BruteForceAgreesWithCombinatorics) {
    const auto& f = BruteForceFigures();
    ASSERT_EQ(f.Total, 12'271'512);
    EXPECT_EQ(f.Sum[21], 1);   // 1 2 3 4 5 6
    EXPECT_EQ(f.Sum[22], 1);   // 1 2 3 4 5 7
    EXPECT_EQ(f.Sum[23], 2);   // ... 5 8 and ... 4 6 7
    EXPECT_EQ(f.Sum[273], 1);  // 43 .. 48
    // n -> 49 - n turns a sum s into 294 - s.
    for (int s = 21; s <= 273; ++s) EXPECT_EQ(f.Sum[s], f.Sum[294 - s]) << s;
    EXPECT_EQ(std::accumulate(f.Sum.begin(), f.Sum.end(), std::int64_t{0}), f.Total);
    // No even number: the sum of the even numbers is 0 for C(24,6) combinations.
    EXPECT_EQ(f.EvenSum[0], test::Choose(24, 6));
    EXPECT_EQ(f.PrimeSum[0], test::Choose(32, 6));
}

struct DistributionCase {
    const char* Name;
    const char* Code;
    std::map<int, std::int64_t> (*Expected)();
};

class SumsDistribution : public ::testing::TestWithParam<DistributionCase> {};

TEST_P(SumsDistribution, FullListHistogramIsTheBruteForce) {
    EXPECT_EQ(FullListCounts(GetParam().Code), GetParam().Expected());
}

std::map<int, std::int64_t> InBand(int low, int high) {
    const auto& f = BruteForceFigures();
    std::int64_t in = 0;
    for (int s = low; s <= high; ++s) in += f.Sum[s];
    return {{0, f.Total - in}, {1, in}};
}

INSTANTIATE_TEST_SUITE_P(
    Methods, SumsDistribution,
    ::testing::Values(DistributionCase{"Sum", "SUMS", [] { return NonZero(BruteForceFigures().Sum); }},
                      DistributionCase{"EvenSum", "SUME", [] { return NonZero(BruteForceFigures().EvenSum); }},
                      DistributionCase{"PrimeSum", "SUMP", [] { return NonZero(BruteForceFigures().PrimeSum); }},
                      DistributionCase{"TwoMakeThird", "S2T3",
                                       [] { return NonZero(BruteForceFigures().TwoMakeThird); }},
                      DistributionCase{"Band1", "SUM1", [] { return InBand(98, 196); }},
                      DistributionCase{"Band2", "SUM2", [] { return InBand(108, 186); }},
                      DistributionCase{"Band3", "SUM3", [] { return InBand(118, 176); }}),
    [](const auto& row) { return std::string(row.param.Name); });

// ---- single values of hand-checked combinations

struct ValueCase {
    const char* Name;
    TCombination Numbers;
    const char* Code;
    int Value;
    const char* Text;
};

class SumsValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(SumsValue, DrawAndCombinationGiveValueAndText) {
    const ValueCase& c = GetParam();
    TDrawsArray draws{test::MakeDraw(5, c.Numbers)};
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod(c.Code));
    stat->SetContext(0, false);
    TStatDrawArray values;
    stat->DrawValues(0, values);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].Key, (TStatKey{static_cast<std::uint16_t>(c.Value), 0, 0, 0}));
    EXPECT_EQ(stat->ValueToText(values[0]), c.Text);
    EXPECT_EQ(stat->DrawGraphValue(0), c.Value);
    TStatDrawArray comb;
    stat->CombValues(c.Numbers, comb);
    ASSERT_EQ(comb.size(), 1u);
    EXPECT_EQ(comb[0].Key, values[0].Key);
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, SumsValue,
    ::testing::Values(ValueCase{"SmallestSum", {1, 2, 3, 4, 5, 6}, "SUMS", 21, "21"},
                      ValueCase{"EvenOfSmallest", {1, 2, 3, 4, 5, 6}, "SUME", 12, "12"},
                      // 1 counts as prime: 1 + 2 + 3 + 5.
                      ValueCase{"PrimeOfSmallest", {1, 2, 3, 4, 5, 6}, "SUMP", 11, "11"},
                      // 3 = 1 + 2; 4 = 1 + 3; 5 = 1 + 4 = 2 + 3; 6 = 1 + 5 = 2 + 4.
                      ValueCase{"TriplesOfSmallest", {1, 2, 3, 4, 5, 6}, "S2T3", 6, "6"},
                      ValueCase{"NoTriple", {1, 3, 5, 7, 9, 11}, "S2T3", 0, "0"},
                      ValueCase{"TriplesInDrawnOrder", {30, 10, 20, 40, 47, 1}, "S2T3", 2, "2"},
                      // Bytes a list file may hold: 10 = 5 + 5, and 5 = 5 + 0 for each 5.
                      ValueCase{"TriplesOfRepeatsAndZero", {5, 5, 10, 0, 1, 2}, "S2T3", 3, "3"},
                      // 255 = 200 + 55, 200 = 100 + 100, 100 = 100 + 0 twice.
                      ValueCase{"TriplesOfLargeBytes", {200, 100, 100, 55, 255, 0}, "S2T3", 4, "4"},
                      // Every position with each pair of the other five.
                      ValueCase{"TriplesOfZeros", {0, 0, 0, 0, 0, 0}, "S2T3", 60, "60"},
                      ValueCase{"NoEvenNumber", {1, 3, 5, 7, 9, 11}, "SUME", 0, "0"},
                      ValueCase{"SmallestOutsideBand1", {1, 2, 3, 4, 5, 6}, "SUM1", 0, "Остальные"},
                      ValueCase{"SmallestOutsideBand3", {1, 2, 3, 4, 5, 6}, "SUM3", 0, "Остальные"},
                      // 1 + 2 + 3 + 4 + 40 + 48 = 98, 48 + 47 + 46 + 45 + 9 + 1 = 196.
                      ValueCase{"LowBoundInBand1", {1, 2, 3, 4, 40, 48}, "SUM1", 1, "98-196"},
                      ValueCase{"LowBoundOutsideBand2", {1, 2, 3, 4, 40, 48}, "SUM2", 0, "Остальные"},
                      ValueCase{"LowBoundOutsideBand3", {1, 2, 3, 4, 40, 48}, "SUM3", 0, "Остальные"},
                      ValueCase{"HighBoundInBand1", {48, 47, 46, 45, 9, 1}, "SUM1", 1, "98-196"},
                      ValueCase{"HighBoundOutsideBand2", {48, 47, 46, 45, 9, 1}, "SUM2", 0, "Остальные"},
                      // 108 and 176: the low bound of band 2 and the high bound of band 3.
                      ValueCase{"LowBoundInBand2", {1, 2, 3, 10, 44, 48}, "SUM2", 1, "108-186"},
                      ValueCase{"HighBoundInBand3", {48, 47, 46, 30, 4, 1}, "SUM3", 1, "118-176"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(Sums, CaptionsSeedsAndParsing) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    EXPECT_EQ(list.GetMethodCaption(list.FindMethod("SUM1")), "Сумма тиража: диапазон 1 (1/3)");
    EXPECT_EQ(list.GetMethodCaption(list.FindMethod("SUM2")), "Сумма тиража: диапазон 2 (1/2)");
    EXPECT_EQ(list.GetMethodCaption(list.FindMethod("SUM3")), "Сумма тиража: диапазон 3 (2/3)");
    EXPECT_EQ(list.FindMethod("SUM4"), -1);

    auto rows = [&](const char* code) {
        TStatDrawArray values;
        list.CreateStat(list.FindMethod(code))->EnumValues(values);
        return values;
    };
    const TStatDrawArray sums = rows("SUMS");
    ASSERT_EQ(sums.size(), 253u);
    EXPECT_EQ(sums.front().Key[0], 21);
    EXPECT_EQ(sums.back().Key[0], 273);
    EXPECT_EQ(rows("SUM2").size(), 2u);
    EXPECT_EQ(rows("SUME").size(), 0u);
    EXPECT_EQ(rows("SUMC").size(), 0u);
    EXPECT_EQ(rows("SUMV").size(), 0u);
    // SUMT seeds 0, 1 and -1 (two words 65535) in that order.
    const TStatDrawArray trend = rows("SUMT");
    ASSERT_EQ(trend.size(), 3u);
    EXPECT_EQ(trend[0].Key, (TStatKey{0, 0, 0, 0}));
    EXPECT_EQ(trend[1].Key, (TStatKey{1, 0, 0, 0}));
    EXPECT_EQ(trend[2].Key, (TStatKey{65535, 65535, 0, 0}));

    // The plain sums read their text back; bands and changes cannot, and any
    // text gives 0 for them rather than failing.
    auto parse = [&](const char* code, const char* text) {
        return list.CreateStat(list.FindMethod(code))->ParseValue(text);
    };
    EXPECT_EQ(parse("SUMS", "150"), 150);
    EXPECT_EQ(parse("SUMP", "abc"), 0);
    EXPECT_EQ(parse("SUMS", ""), 0);
    EXPECT_EQ(parse("SUM1", "98-196"), 0);
    EXPECT_EQ(parse("SUMC", "+05 : 150 + 5 = 155"), 0);
    EXPECT_EQ(parse("SUMV", "- 03"), 0);
    EXPECT_EQ(parse("SUMT", "+"), 0);
}

// ---- the sum changes on a small archive

// Sums of the draws 101..106 (indexes 0..5): 21, 150, 25, 150, 155, 150.
TDrawsArray ChangeArchive() {
    return {test::MakeDraw(101, {1, 2, 3, 4, 5, 6}),      test::MakeDraw(102, {10, 20, 30, 40, 41, 9}),
            test::MakeDraw(103, {1, 2, 3, 4, 5, 10}),     test::MakeDraw(104, {5, 15, 25, 35, 40, 30}),
            test::MakeDraw(105, {6, 15, 25, 35, 40, 34}), test::MakeDraw(106, {41, 40, 30, 20, 10, 9})};
}

struct ChangeRow {
    std::string Text;
    int Count;
    int Depth;
    int LastDraw;
};

void PrintTo(const ChangeRow& r, std::ostream* os) {
    *os << r.Text << " x" << r.Count << " depth " << r.Depth << " last " << r.LastDraw;
}
bool operator==(const ChangeRow& a, const ChangeRow& b) {
    return a.Text == b.Text && a.Count == b.Count && a.Depth == b.Depth && a.LastDraw == b.LastDraw;
}

struct ChangeCase {
    const char* Name;
    const char* Code;
    int LastIndex;
    bool Sorted;
    std::vector<ChangeRow> Rows;  // in the order of the window's values
};

class SumChanges : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(SumChanges, WindowValuesFollowDrawsLikeTheReference) {
    const ChangeCase& c = GetParam();
    const TDrawsArray draws = ChangeArchive();
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod(c.Code));
    const TStatDrawArray values = ComputeWindowValues(*stat, {0, c.LastIndex}, c.Sorted);
    std::vector<ChangeRow> rows;
    for (const auto& v : values) rows.push_back({stat->ValueToText(v), v.Count, v.Depth, v.LastDraw});
    EXPECT_EQ(rows, c.Rows);
}

INSTANTIATE_TEST_SUITE_P(
    Archive, SumChanges,
    ::testing::Values(
        // Reference sum 150 (draw 106). After the 150 of draw 102 came 25,
        // after the 150 of draw 104 came 155; draw 101 follows nothing.
        ChangeCase{"ExactAfterTheNewestSum",
                   "SUMC",
                   5,
                   false,
                   {{"- 125 : 150 - 125 = 25", 1, 4, 103}, {"+05 : 150 + 5 = 155", 1, 2, 105}}},
        ChangeCase{"ExactSorted",
                   "SUMC",
                   5,
                   true,
                   {{"- 125 : 150 - 125 = 25", 1, 4, 103}, {"+05 : 150 + 5 = 155", 1, 2, 105}}},
        ChangeCase{
            "DirectionAfterTheNewestSum", "SUMT", 5, false, {{"=", 0, 0, 0}, {"+", 1, 2, 105}, {"-", 1, 4, 103}}},
        // Within 25 of 150: the sums 150 (102, 104) and 155 (105).
        ChangeCase{"NearbyAfterTheNewestSum",
                   "SUMV",
                   5,
                   false,
                   {{"- 125", 1, 4, 103}, {"+05", 1, 2, 105}, {"- 05", 1, 1, 106}}},
        // Draw 106 hidden: the reference is 155 (draw 105). No earlier draw
        // had 155, and draw 106, which followed it, is not read.
        ChangeCase{"ExactWithTheNewestHidden", "SUMC", 4, false, {}},
        ChangeCase{"DirectionWithTheNewestHidden", "SUMT", 4, false, {{"=", 0, 0, 0}, {"+", 0, 0, 0}, {"-", 0, 0, 0}}},
        // Within 25 of 155: 150 (102, 104); the change after 104 is +5.
        ChangeCase{"NearbyWithTheNewestHidden", "SUMV", 4, false, {{"- 125", 1, 3, 103}, {"+05", 1, 1, 105}}},
        // Reference 21 (draw 101): the oldest draw follows no draw, although
        // the empty record before it, of sum 0, lies within 25 of 21.
        ChangeCase{"OldestDrawFollowsNothing", "SUMV", 0, false, {}}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(SumChanges, NearbyCountsWithinTheToleranceOnly) {
    // Sums 125, 124, 175, 176, then the reference 150: the changes after 125
    // (-1) and after 175 (+1) count, those after 124 and 176 do not.
    const TDrawsArray archive{
        test::MakeDraw(1, {10, 20, 30, 40, 21, 4}),  // 125
        test::MakeDraw(2, {10, 20, 30, 40, 21, 3}),  // 124
        test::MakeDraw(3, {48, 47, 40, 20, 11, 9}),  // 175
        test::MakeDraw(4, {48, 47, 40, 20, 12, 9}),  // 176
        test::MakeDraw(5, {48, 47, 30, 10, 11, 4}),  // 150
    };
    TStatList list;
    test::RegisterOver(list, archive);
    auto stat = list.CreateStat(list.FindMethod("SUMV"));
    const TStatDrawArray values = ComputeWindowValues(*stat, {0, 4}, false);
    std::map<std::string, int> counts;
    for (const auto& v : values) counts[stat->ValueToText(v)] += v.Count;
    EXPECT_EQ(counts, (std::map<std::string, int>{{"- 01", 1}, {"+01", 1}}));
}

TEST(SumChanges, GraphIsTheChangeFromTheDrawBefore) {
    const TDrawsArray draws = ChangeArchive();
    TStatList list;
    test::RegisterOver(list, draws);
    auto change = list.CreateStat(list.FindMethod("SUMC"));
    auto trend = list.CreateStat(list.FindMethod("SUMT"));
    change->SetContext(5, false);
    trend->SetContext(5, false);
    // Whatever the reference: 21 - 0, 150 - 21, 25 - 150, 150 - 25, 155 - 150, 150 - 155.
    const int changes[] = {21, 129, -125, 125, 5, -5};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(change->DrawGraphValue(i), changes[i]) << i;
        EXPECT_EQ(trend->DrawGraphValue(i), changes[i] > 0 ? 1 : -1) << i;
    }
    TDrawsArray same{test::MakeDraw(1, {1, 2, 3, 4, 5, 6}), test::MakeDraw(2, {6, 5, 4, 3, 2, 1})};
    TStatList sameList;
    test::RegisterOver(sameList, same);
    auto sameTrend = sameList.CreateStat(sameList.FindMethod("SUMT"));
    sameTrend->SetContext(1, true);
    EXPECT_EQ(sameTrend->DrawGraphValue(1), 0);
}

// A combination plays the draw after the last analysed one (sum 150).
struct ChangeFilterCase {
    const char* Name;
    const char* Code;
    std::vector<TStatKey> Selected;
    TCombination Numbers;
    bool Matches;
};

class SumChangeFilter : public ::testing::TestWithParam<ChangeFilterCase> {};

TStatKey Int32Key(int v, int word2 = 0) {
    TStatKey key{};
    SetKeyInt32(key, 0, v);
    SetKeyInt32(key, 2, word2);
    return key;
}

TEST_P(SumChangeFilter, CombinationAgainstTheLastAnalysedDraw) {
    const ChangeFilterCase& c = GetParam();
    const TDrawsArray draws = ChangeArchive();
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod(c.Code));
    stat->PrepareFilter(5, false);
    TStatDrawArray selection;
    for (const TStatKey& key : c.Selected) {
        TStatDrawRec v;
        v.Key = key;
        selection.push_back(v);
    }
    EXPECT_EQ(stat->CombMatches(c.Numbers, selection, false), c.Matches);
    std::uint8_t out = 9;
    stat->SpanMatch(std::span(&c.Numbers, 1), selection, false, &out);
    EXPECT_EQ(out, c.Matches ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, SumChangeFilter,
    ::testing::Values(
        // 6 15 25 35 40 34 = 155, 5 15 25 35 40 30 = 150, 1 2 3 4 5 10 = 25.
        ChangeFilterCase{"ExactSumThatFollowed", "SUMC", {Int32Key(150, 155)}, {6, 15, 25, 35, 40, 34}, true},
        ChangeFilterCase{"ExactOtherSum", "SUMC", {Int32Key(150, 155)}, {5, 15, 25, 35, 40, 30}, false},
        // Only the sum that followed is compared, not the sum before it.
        ChangeFilterCase{"ExactIgnoresTheSumBefore", "SUMC", {Int32Key(90, 25)}, {1, 2, 3, 4, 5, 10}, true},
        ChangeFilterCase{"ExactFarOutsideKeys",
                         "SUMC",
                         {{65535, 65535, 65535, 65535}, Int32Key(150, 100000)},
                         {6, 15, 25, 35, 40, 34},
                         false},
        ChangeFilterCase{"NearbyPlusFive", "SUMV", {Int32Key(5)}, {6, 15, 25, 35, 40, 34}, true},
        ChangeFilterCase{"NearbyMinusFive", "SUMV", {Int32Key(-5)}, {6, 15, 25, 35, 40, 34}, false},
        ChangeFilterCase{"NearbyMinus125", "SUMV", {Int32Key(-125), Int32Key(7)}, {1, 2, 3, 4, 5, 10}, true},
        ChangeFilterCase{"NearbyZero", "SUMV", {Int32Key(0)}, {5, 15, 25, 35, 40, 30}, true},
        ChangeFilterCase{"DirectionUp", "SUMT", {Int32Key(1)}, {6, 15, 25, 35, 40, 34}, true},
        ChangeFilterCase{"DirectionUpNotSame", "SUMT", {Int32Key(1)}, {5, 15, 25, 35, 40, 30}, false},
        ChangeFilterCase{"DirectionSame", "SUMT", {Int32Key(0)}, {5, 15, 25, 35, 40, 30}, true},
        ChangeFilterCase{"DirectionDown", "SUMT", {Int32Key(-1)}, {1, 2, 3, 4, 5, 10}, true},
        ChangeFilterCase{"DirectionNothingSelected", "SUMT", {}, {1, 2, 3, 4, 5, 10}, false},
        ChangeFilterCase{"ImpossibleBytes", "SUMV", {Int32Key(1380)}, {255, 255, 255, 255, 255, 255}, true}),
    [](const auto& row) { return std::string(row.param.Name); });

// ---- filters over the full list

struct FullFilterCase {
    const char* Name;
    const char* Code;
    std::vector<int> Keys;  // Key[0] of the selected rows (32-bit values for SUMT)
    std::int64_t (*Expected)();
};

class SumsFullFilter : public ::testing::TestWithParam<FullFilterCase> {};

TEST_P(SumsFullFilter, KeptCountIsTheCombinatorialCount) {
    const FullFilterCase& c = GetParam();
    // One draw of sum 147, the middle of the sums, for the changes.
    const TDrawsArray draws{test::MakeDraw(1, {10, 20, 30, 40, 45, 2})};
    TStatList list;
    test::RegisterOver(list, draws);
    const int index = list.FindMethod(c.Code);
    ASSERT_GE(index, 0);
    TStatDrawArray selection;
    for (int k : c.Keys) {
        TStatDrawRec v;
        v.Key = Int32Key(k);
        selection.push_back(v);
    }
    const auto& all = FullList();
    std::vector<std::uint8_t> out(all.size());
    ParallelSpanMatch(
        [&] {
            auto s = list.CreateStat(index);
            s->PrepareFilter(0, false);
            return s;
        },
        all, selection, false, out.data());
    EXPECT_EQ(std::count(out.begin(), out.end(), 1), c.Expected());
}

std::int64_t SumsBetween(int low, int high) {
    std::int64_t n = 0;
    for (int s = low; s <= high; ++s) n += BruteForceFigures().Sum[s];
    return n;
}

INSTANTIATE_TEST_SUITE_P(
    Values, SumsFullFilter,
    ::testing::Values(FullFilterCase{"SmallestSum", "SUMS", {21}, [] { return std::int64_t{1}; }},
                      FullFilterCase{"ThreeSmallestSums", "SUMS", {21, 22, 23}, [] { return std::int64_t{4}; }},
                      FullFilterCase{"SumsOutOfRange", "SUMS", {20, 274, 300, 1000}, [] { return std::int64_t{0}; }},
                      FullFilterCase{"Band1", "SUM1", {1}, [] { return SumsBetween(98, 196); }},
                      FullFilterCase{"OutsideBand3", "SUM3", {0}, [] { return 12'271'512 - SumsBetween(118, 176); }},
                      // Both rows of a band are every combination.
                      FullFilterCase{"BothRowsOfBand2", "SUM2", {0, 1}, [] { return std::int64_t{12'271'512}; }},
                      FullFilterCase{"NoEvenNumber", "SUME", {0}, [] { return test::Choose(24, 6); }},
                      // Up from 147: half of all but the sum 147, by the symmetry.
                      FullFilterCase{"Up", "SUMT", {1}, [] { return (12'271'512 - BruteForceFigures().Sum[147]) / 2; }},
                      FullFilterCase{"Same", "SUMT", {0}, [] { return BruteForceFigures().Sum[147]; }},
                      FullFilterCase{"NearbyUpByOne", "SUMV", {1}, [] { return BruteForceFigures().Sum[148]; }},
                      FullFilterCase{"ExactlyDownBy126", "SUMV", {-126}, [] { return std::int64_t{1}; }}),
    [](const auto& row) { return std::string(row.param.Name); });

// ---- the command line on an archive file

TEST(SumsCli, ValuesOfTheChangesAfterTheNewestSum) {
    test::TempDir dir;
    WriteArchiveFile(dir / "CorvelLotto_6x48.ldr", ChangeArchive());
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir.path().string()});
        return test::RunCliInProcess(args);
    };
    const test::CliResult exact = run({"values", "SUMC"});
    ASSERT_EQ(exact.ExitCode, 0) << exact.Err;
    EXPECT_EQ(exact.Out,
              "value\tcount\tdepth\tlast_draw\tmin_interval\tmax_interval\n"
              "- 125 : 150 - 125 = 25\t1\t4\t103\t0\t0\n"
              "+05 : 150 + 5 = 155\t1\t2\t105\t0\t0\n");
    // One draw hidden: the reference is draw 105 (155), which no draw before had.
    const test::CliResult hidden = run({"values", "SUMT", "--offset", "1"});
    ASSERT_EQ(hidden.ExitCode, 0) << hidden.Err;
    EXPECT_EQ(hidden.Out,
              "value\tcount\tdepth\tlast_draw\tmin_interval\tmax_interval\n"
              "=\t0\t0\t0\t0\t0\n+\t0\t0\t0\t0\t0\n-\t0\t0\t0\t0\t0\n");
}

TEST(SumsCli, FilterByAValueTheTableDoesNotHold) {
    test::TempDir dir;
    WriteArchiveFile(dir / "CorvelLotto_6x48.ldr", ChangeArchive());
    const test::CliResult r =
        test::RunCliInProcess({"--data-dir", dir.path().string(), "filter", "--keep", "SUMS:6=300"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_NE(r.Err.find("300"), std::string::npos) << r.Err;
    const test::CliResult band =
        test::RunCliInProcess({"--data-dir", dir.path().string(), "filter", "--keep", "SUM1:6=98-196"});
    ASSERT_EQ(band.ExitCode, 0) << band.Err;
    EXPECT_NE(band.Out.find(std::to_string(SumsBetween(98, 196))), std::string::npos) << band.Out;
}

}  // namespace
}  // namespace corvel
