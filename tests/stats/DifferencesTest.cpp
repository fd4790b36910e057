// The differences family: full-list distributions against a brute force and
// combinatorics, values and texts of hand-checked draws in drawn and sorted
// order, intervals of values a draw gives more than once, and filters.
#include <gtest/gtest.h>

#include <map>

#include "TestSupport.h"
#include "stats/CustomStat.h"
#include "stats/FullListFigures.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

using test::BruteForceFigures;
using test::Choose;
using test::FullList;

TStatDrawArray FullListHistogram(const TStatList& list, const char* code) {
    const int index = list.FindMethod(code);
    EXPECT_GE(index, 0) << code;
    return ParallelSpanHistogram([&] { return list.CreateStat(index); }, FullList());
}

template <std::size_t N>
std::map<int, std::int64_t> NonZero(const std::array<std::int64_t, N>& figures) {
    std::map<int, std::int64_t> counts;
    for (std::size_t v = 0; v < N; ++v)
        if (figures[v]) counts[static_cast<int>(v)] = figures[v];
    return counts;
}

std::map<int, std::int64_t> ByKey0(const TStatDrawArray& values) {
    std::map<int, std::int64_t> counts;
    for (const auto& v : values) counts[v.Key[0]] += v.Count;
    return counts;
}

// Five equal gaps d: x, x + d, ..., x + 5d with x + 5d <= 48.
std::int64_t FiveEqualGaps() {
    std::int64_t n = 0;
    for (int d = 1; 5 * d < 48; ++d) n += 48 - 5 * d;
    return n;
}

TEST(DifferencesFullList, BruteForceAgreesWithCombinatorics) {
    const auto& f = BruteForceFigures();
    for (int d = 1; d <= 47; ++d) {
        // Neighbours x and x + d with nothing chosen between: 48 - d places
        // for x, the other four numbers from the 47 - d outside [x, x + d].
        EXPECT_EQ(f.EachGap[d], (48 - d) * Choose(47 - d, 4)) << d;
        // Smallest m and largest m + d: 48 - d places, four numbers between.
        EXPECT_EQ(f.Spread[d], (48 - d) * Choose(d - 1, 4)) << d;
    }
    // All five gaps 1: six numbers in a row.
    EXPECT_EQ(f.LargestGap[1], 43);
    EXPECT_EQ(f.MostRepeatedGap[5], FiveEqualGaps());
    std::int64_t withGapTwice = 0;
    for (int d = 1; d <= 47; ++d) withGapTwice += f.GapTimes[d][2] + f.GapTimes[d][3] + f.GapTimes[d][4];
    EXPECT_GT(withGapTwice, 0);
}

TEST(DifferencesFullList, HistogramsAreTheBruteForce) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    const auto& f = BruteForceFigures();
    EXPECT_EQ(ByKey0(FullListHistogram(list, "DIFA")), NonZero(f.EachGap));
    EXPECT_EQ(ByKey0(FullListHistogram(list, "DIFM")), NonZero(f.LargestGap));
    EXPECT_EQ(ByKey0(FullListHistogram(list, "DIFD")), NonZero(f.Spread));
    EXPECT_EQ(ByKey0(FullListHistogram(list, "DIFK")), NonZero(f.MostRepeatedGap));

    std::map<std::pair<int, int>, std::int64_t> repeats, expected;
    for (const auto& v : FullListHistogram(list, "DIFO")) repeats[{v.Key[0], v.Key[1]}] += v.Count;
    for (int d = 1; d < 48; ++d)
        for (int times = 1; times <= 5; ++times)
            if (f.GapTimes[d][times]) expected[{d, times}] = f.GapTimes[d][times];
    EXPECT_EQ(repeats, expected);
}

// ---- hand-checked draws

struct DrawCase {
    const char* Name;
    TCombination Numbers;
    bool Sorted;
    const char* Code;
    std::vector<std::pair<std::string, int>> Rows;  // text and count, in order of first appearance
};

class DifferenceValues : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DifferenceValues, DrawGivesTheValuesInOrder) {
    const DrawCase& c = GetParam();
    TDrawsArray draws{test::MakeDraw(9, c.Numbers)};
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod(c.Code));
    stat->SetContext(0, c.Sorted);
    TStatDrawArray values;
    stat->DrawValues(0, values);
    std::vector<std::pair<std::string, int>> rows;
    for (const auto& v : values) rows.emplace_back(stat->ValueToText(v), v.Count);
    EXPECT_EQ(rows, c.Rows);
}

const TCombination kAscending{3, 6, 9, 12, 20, 41};
const TCombination kDrawn{41, 3, 20, 6, 12, 9};

INSTANTIATE_TEST_SUITE_P(
    Draws, DifferenceValues,
    ::testing::Values(
        DrawCase{"AllGaps", kAscending, false, "DIFA", {{"3", 3}, {"8", 1}, {"21", 1}}},
        DrawCase{"LargestGap", kAscending, false, "DIFM", {{"21", 1}}},
        DrawCase{"Spread", kAscending, false, "DIFD", {{"38", 1}}},
        DrawCase{"RepeatedGaps", kAscending, false, "DIFO", {{"3 x 3", 1}, {"8 x 1", 1}, {"21 x 1", 1}}},
        DrawCase{"MostRepeatedGap", kAscending, false, "DIFK", {{"3", 1}}},
        DrawCase{"RunsOfTwo", kAscending, false, "KDS2", {{"3:3", 2}, {"3:8", 1}, {"8:21", 1}}},
        DrawCase{"RunsOfThree", kAscending, false, "KDS3", {{"3:3:3", 1}, {"3:3:8", 1}, {"3:8:21", 1}}},
        DrawCase{"RunsOfFour", kAscending, false, "KDS4", {{"3:3:3:8", 1}, {"3:3:8:21", 1}}},
        // Drawn order: the jumps 38, 17, 14, 6, 3 from number to number.
        DrawCase{"JumpsInDrawnOrder", kDrawn, false, "DIFA", {{"38", 1}, {"17", 1}, {"14", 1}, {"6", 1}, {"3", 1}}},
        DrawCase{"LargestJump", kDrawn, false, "DIFM", {{"38", 1}}},
        DrawCase{"SpreadInDrawnOrder", kDrawn, false, "DIFD", {{"38", 1}}},
        DrawCase{"JumpRuns", kDrawn, false, "KDS3", {{"38:17:14", 1}, {"17:14:6", 1}, {"14:6:3", 1}}},
        // Sorted, the drawn draw gives the gaps again.
        DrawCase{"GapsOfTheSortedDraw", kDrawn, true, "DIFA", {{"3", 3}, {"8", 1}, {"21", 1}}},
        DrawCase{"RunsOfTheSortedDraw", kDrawn, true, "KDS2", {{"3:3", 2}, {"3:8", 1}, {"8:21", 1}}},
        DrawCase{"AllGapsEqual", {1, 9, 17, 25, 33, 41}, false, "DIFK", {{"5", 1}}},
        DrawCase{"AllGapsEqualRepeats", {1, 9, 17, 25, 33, 41}, false, "DIFO", {{"8 x 5", 1}}}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(Differences, CaptionsSeedsAndParsing) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    EXPECT_EQ(list.GetMethodCaption(list.FindMethod("KDS2")), "Сочетания из 2 разностей между числами");
    EXPECT_EQ(list.GetMethodCaption(list.FindMethod("KDS4")), "Сочетания из 4 разностей между числами");
    EXPECT_EQ(list.GetMethodText(list.FindMethod("KDS3"), true),
              "{ dif } Сочетания из 3 разностей между числами [ S ]");

    auto rows = [&](const char* code) {
        TStatDrawArray values;
        list.CreateStat(list.FindMethod(code))->EnumValues(values);
        return ByKey0(values);
    };
    std::map<int, std::int64_t> oneTo47;
    for (int d = 1; d <= 47; ++d) oneTo47[d] = 0;
    EXPECT_EQ(rows("DIFA"), oneTo47);
    EXPECT_EQ(rows("DIFM"), oneTo47);
    EXPECT_EQ(rows("DIFD"), oneTo47);
    EXPECT_EQ(rows("DIFK"), (std::map<int, std::int64_t>{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}));
    EXPECT_TRUE(rows("DIFO").empty());
    EXPECT_TRUE(rows("KDS2").empty());

    auto parse = [&](const char* code, const char* text) {
        return list.CreateStat(list.FindMethod(code))->ParseValue(text);
    };
    EXPECT_EQ(parse("DIFA", "21"), 21);
    EXPECT_EQ(parse("DIFM", "x"), 0);
    EXPECT_EQ(parse("DIFO", "3 x 2"), 0);
    EXPECT_EQ(parse("KDS3", "3:11:2"), 0);
}

// A value a draw gives twice counts twice but is one occurrence: the
// intervals are the distances between the draws that hold it, wherever in
// the draw it stands.
TEST(Differences, RepeatsWithinADrawAreNoInterval) {
    // Draw 10: gaps 3, 3, 3, 8, 21; draw 13: gaps 1, 3, 3, 5, 7 (3 not first);
    // draw 17: gaps 2, 3, 3, 1, 1.
    const TDrawsArray draws{test::MakeDraw(10, {3, 6, 9, 12, 20, 41}), test::MakeDraw(13, {1, 2, 5, 8, 13, 20}),
                            test::MakeDraw(17, {1, 3, 6, 9, 10, 11})};
    TStatList list;
    test::RegisterOver(list, draws);
    auto intervals = [&](const char* code, TStatKey key) {
        auto stat = list.CreateStat(list.FindMethod(code));
        for (const auto& v : ComputeWindowValues(*stat, {0, 2}, false))
            if (v.Key == key)
                return std::tuple{v.Count, static_cast<int>(v.MinInterval), static_cast<int>(v.MaxInterval)};
        return std::tuple{-1, -1, -1};
    };
    EXPECT_EQ(intervals("DIFA", {3, 0, 0, 0}), std::tuple(7, 3, 4));
    EXPECT_EQ(intervals("DIFA", {1, 0, 0, 0}), std::tuple(3, 4, 4));
    // The run 3:3 of draws 10 (twice) and 17.
    EXPECT_EQ(intervals("KDS2", {3, 3, 0, 0}), std::tuple(4, 3, 4));
}

// ---- filters

struct FilterCase {
    const char* Name;
    const char* Code;
    std::vector<TStatKey> Selected;
    std::int64_t (*Expected)();
};

class DifferenceFullFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(DifferenceFullFilter, KeptCountIsTheCombinatorialCount) {
    const FilterCase& c = GetParam();
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    const int index = list.FindMethod(c.Code);
    ASSERT_GE(index, 0);
    TStatDrawArray selection;
    for (const TStatKey& key : c.Selected) {
        TStatDrawRec v;
        v.Key = key;
        selection.push_back(v);
    }
    const auto& all = FullList();
    std::vector<std::uint8_t> out(all.size());
    ParallelSpanMatch([&] { return list.CreateStat(index); }, all, selection, false, out.data());
    EXPECT_EQ(std::count(out.begin(), out.end(), 1), c.Expected());
}

INSTANTIATE_TEST_SUITE_P(
    Values, DifferenceFullFilter,
    ::testing::Values(
        // Some two neighbours: all but the C(43,6) combinations without two
        // consecutive numbers.
        FilterCase{"SomeGapOne", "DIFA", {{1, 0, 0, 0}}, [] { return Choose(48, 6) - Choose(43, 6); }},
        FilterCase{
            "GapTooLarge", "DIFA", {{47, 0, 0, 0}, {48, 0, 0, 0}, {300, 0, 0, 0}}, [] { return std::int64_t{0}; }},
        FilterCase{"SixInARow", "DIFD", {{5, 0, 0, 0}}, [] { return std::int64_t{43}; }},
        FilterCase{"WholeRange", "DIFD", {{47, 0, 0, 0}}, [] { return Choose(46, 4); }},
        FilterCase{"LargestGapOne", "DIFM", {{1, 0, 0, 0}}, [] { return std::int64_t{43}; }},
        FilterCase{"FiveEqualGaps", "DIFK", {{5, 0, 0, 0}}, FiveEqualGaps},
        // Gap 1 five times, and the words above are compared too.
        FilterCase{"GapOneFiveTimes", "DIFO", {{1, 5, 0, 0}, {1, 5, 1, 0}}, [] { return std::int64_t{43}; }},
        FilterCase{"RunOfFourOnes",
                   "KDS4",
                   {{1, 1, 1, 1}},
                   [] {
                       // Five numbers in a row x..x+4 first and the sixth
                       // above them, or last and the first below them; six in
                       // a row are both.
                       std::int64_t n = 0;
                       for (int x = 1; x <= 43; ++x) n += 48 - (x + 4);
                       for (int y = 2; y <= 44; ++y) n += y - 1;
                       return n - 43;
                   }}),
    [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace corvel
