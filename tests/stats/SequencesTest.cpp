// Runs of consecutive numbers and repeats from earlier draws: distributions
// over the full list against a brute force, draw values of hand-made archives
// worked out by hand, filters whose counts combinatorics gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"
#include "stats/AllCombinations.h"
#include "stats/CustomStat.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

using test::AllCombinations;
using test::Binomial;

// "key:count" of every entry in the order of the array.
std::string Entries(const TStatDrawArray& values) {
    std::string text;
    for (const auto& v : values)
        text += (text.empty() ? "" : " ") + std::to_string(v.Key[0]) + ":" + std::to_string(v.Count);
    return text;
}

std::unique_ptr<TCustomStat> Create(const TStatList& list, const char* code) { return test::CreateByCode(list, code); }

// ---- runs over the full list

// The run lengths of six numbers read straight from the definition: a run is
// a maximal stretch in which every number is one greater than the one before.
std::vector<int> RunLengthsOf(const int (&x)[6]) {
    std::vector<int> runs{1};
    for (int i = 1; i < 6; ++i) {
        if (x[i] - x[i - 1] == 1)
            ++runs.back();
        else
            runs.push_back(1);
    }
    return runs;
}

struct RunCounts {
    std::map<int, std::int64_t> Lengths, Runs, Longest;
};

// Every combination, counted by its own loops.
const RunCounts& BruteForceRuns() {
    static const RunCounts counts = [] {
        RunCounts c;
        test::ForEachCombination([&](const int(&x)[6]) {
            const std::vector<int> runs = RunLengthsOf(x);
            for (int r : runs) ++c.Lengths[r];
            ++c.Runs[static_cast<int>(std::count_if(runs.begin(), runs.end(), [](int r) { return r >= 2; }))];
            ++c.Longest[*std::max_element(runs.begin(), runs.end())];
        });
        return c;
    }();
    return counts;
}

TEST(SequencesFullList, RunLengthsCountsAndLongestMatchTheBruteForce) {
    const RunCounts& expected = BruteForceRuns();
    EXPECT_EQ(test::FullListCountsOfKey0("SEQL"), expected.Lengths);
    EXPECT_EQ(test::FullListCountsOfKey0("SEQS"), expected.Runs);
    EXPECT_EQ(test::FullListCountsOfKey0("LENS"), expected.Longest);
    // Combinatorics besides: no two consecutive numbers in C(43, 6)
    // combinations, a run of all six in 43, and the lengths add up to six.
    EXPECT_EQ(expected.Longest.at(1), Binomial(43, 6));
    EXPECT_EQ(expected.Runs.at(0), Binomial(43, 6));
    EXPECT_EQ(expected.Longest.at(6), 43);
    std::int64_t numbers = 0;
    for (const auto& [length, count] : expected.Lengths) numbers += length * count;
    EXPECT_EQ(numbers, 6 * Binomial(48, 6));
}

std::int64_t FullListMatches(const TStatList& list, const char* code, std::vector<std::uint16_t> keys, int lastIndex) {
    const int index = list.FindMethod(code);
    TStatDrawArray values;
    for (auto k : keys) {
        TStatDrawRec v;
        v.Key[0] = k;
        values.push_back(v);
    }
    std::vector<std::uint8_t> out(AllCombinations().size());
    ParallelSpanMatch(
        [&] {
            auto s = list.CreateStat(index);
            s->PrepareFilter(lastIndex, false);
            return s;
        },
        AllCombinations(), values, false, out.data());
    return std::count(out.begin(), out.end(), 1);
}

TEST(SequencesFullList, KeepFiltersLeaveTheCombinatorialCounts) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    // No two consecutive numbers.
    EXPECT_EQ(FullListMatches(list, "LENS", {1}, -1), Binomial(43, 6));
    // Six consecutive numbers: 1..6 up to 43..48.
    EXPECT_EQ(FullListMatches(list, "SEQL", {6}, -1), 43);
    EXPECT_EQ(FullListMatches(list, "LENS", {6}, -1), 43);
    // Some run of two or more.
    EXPECT_EQ(FullListMatches(list, "SEQS", {1, 2, 3}, -1), Binomial(48, 6) - Binomial(43, 6));
    // A value no combination has.
    EXPECT_EQ(FullListMatches(list, "SEQS", {4, 7, 300}, -1), 0);
}

// ---- runs of one draw

struct RunCase {
    const char* Name;
    TCombination Numbers;
    bool Sorted;
    const char* Code;
    const char* Entries;  // the draw's values merged into an empty table
    int Graph;            // the plotted number; -1 for a method without a graph
};

class RunsOfOneDraw : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunsOfOneDraw, ValuesInPositionOrderAndPlottedValue) {
    const RunCase& c = GetParam();
    TDrawsArray draws{test::MakeDraw(9, c.Numbers)};
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = Create(list, c.Code);
    stat->SetContext(0, c.Sorted);
    TStatDrawArray values;
    stat->DrawValues(0, values);
    EXPECT_EQ(Entries(values), c.Entries);
    if (c.Graph >= 0) {
        EXPECT_EQ(stat->DrawGraphValue(0), c.Graph);
    }
    // A bare combination holding the draw's numbers in the same order has
    // the same values.
    TStatDrawArray comb;
    stat->CombValues(stat->GetDraw(0).Numbers, comb);
    EXPECT_EQ(Entries(comb), c.Entries);
}

INSTANTIATE_TEST_SUITE_P(
    Draws, RunsOfOneDraw,
    ::testing::Values(RunCase{"LengthsInPositionOrder", {1, 2, 3, 10, 20, 21}, true, "SEQL", "3:1 1:1 2:1", -1},
                      RunCase{"TwoRuns", {1, 2, 3, 10, 20, 21}, true, "SEQS", "2:1", 2},
                      RunCase{"LongestOfThree", {1, 2, 3, 10, 20, 21}, true, "LENS", "3:1", 3},
                      RunCase{"NoRunSixOnes", {2, 9, 17, 30, 38, 45}, true, "SEQL", "1:6", -1},
                      RunCase{"NoRunCountsNone", {2, 9, 17, 30, 38, 45}, true, "SEQS", "0:1", 0},
                      // The table says 1, the graph 0: no step at all.
                      RunCase{"NoRunLongestOne", {2, 9, 17, 30, 38, 45}, true, "LENS", "1:1", 0},
                      // Drawn order: only rising steps make runs in the table,
                      // the graph takes the falling ones too.
                      RunCase{"FallingStepsAreNoRun", {21, 20, 5, 4, 3, 40}, false, "SEQL", "1:6", -1},
                      RunCase{"FallingStepsCountOnTheGraph", {21, 20, 5, 4, 3, 40}, false, "SEQS", "0:1", 2},
                      RunCase{"FallingLongestOnTheGraph", {21, 20, 5, 4, 3, 40}, false, "LENS", "1:1", 3},
                      RunCase{"SortedTheSameDrawHasRuns", {21, 20, 5, 4, 3, 40}, true, "SEQL", "3:1 2:1 1:1", -1},
                      RunCase{"SortedLongest", {21, 20, 5, 4, 3, 40}, true, "LENS", "3:1", 3},
                      RunCase{"RisingInDrawnOrder", {7, 8, 9, 1, 2, 30}, false, "SEQL", "3:1 2:1 1:1", -1},
                      RunCase{"AllSix", {11, 12, 13, 14, 15, 16}, false, "LENS", "6:1", 6}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(Sequences, SeededRowsAndTheirOrder) {
    TDrawsArray draws{test::MakeDraw(1, {1, 2, 3, 4, 5, 6})};
    TStatList list;
    test::RegisterOver(list, draws);
    auto seeded = [&](const char* code) {
        auto stat = Create(list, code);
        return Entries(ComputeWindowValues(*stat, MakeStatWindow(1, 0, 1), false));
    };
    EXPECT_EQ(seeded("SEQL"), "1:0 2:0 3:0 4:0 5:0 6:1");
    EXPECT_EQ(seeded("SEQS"), "0:0 1:1 2:0 3:0");
    EXPECT_EQ(seeded("LENS"), "1:0 2:0 3:0 4:0 5:0 6:1");
}

// ---- repeats

// Five draws; the newest is drawn as 40 1 31 6 20 13. Index: numbers
//   0: 1 2 3 4 5 6        1: 4 5 6 7 8 9        2: 5 6 9 10 11 12
//   3: 6 9 12 20 30 48    4: 40 1 31 6 20 13
TDrawsArray RepeatArchive() {
    return {test::MakeDraw(1, {1, 2, 3, 4, 5, 6}), test::MakeDraw(2, {4, 5, 6, 7, 8, 9}),
            test::MakeDraw(3, {5, 6, 9, 10, 11, 12}), test::MakeDraw(4, {6, 9, 12, 20, 30, 48}),
            test::MakeDraw(5, {40, 1, 31, 6, 20, 13})};
}

struct RepeatCase {
    const char* Code;
    const char* Entries;  // the table over all five draws, worked out by hand
};

using RepeatParam = std::tuple<RepeatCase, bool>;

class RepeatTable : public ::testing::TestWithParam<RepeatParam> {};

// The value methods' rows are the newest draw's numbers in drawn order,
// shifted; the count methods seed 1..6 and add 0 where a draw has no repeat.
// Neither depends on the order of the numbers.
TEST_P(RepeatTable, WholeArchiveInEitherOrder) {
    const auto& [c, sorted] = GetParam();
    const TDrawsArray draws = RepeatArchive();
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = Create(list, c.Code);
    EXPECT_EQ(Entries(ComputeWindowValues(*stat, MakeStatWindow(draws.size(), 0, 10), sorted)), c.Entries);
}

INSTANTIATE_TEST_SUITE_P(
    Archive, RepeatTable,
    ::testing::Combine(
        ::testing::Values(
            // 6 comes back in draws 2..5, 20 in draw 5 (both are in the newest draw).
            RepeatCase{"RPV2", "40:0 1:0 31:0 6:4 20:1 13:0"}, RepeatCase{"RPV3", "40:0 1:0 31:0 6:3 20:0 13:0"},
            // 6 in draws 1, 2 but not before; 20 in draws 4, 5 but not in 3.
            RepeatCase{"PRL2", "40:0 1:0 31:0 6:1 20:1 13:0"}, RepeatCase{"PRV2O1", "40:0 1:0 31:0 6:3 20:0 13:0"},
            RepeatCase{"PRV2O2", "40:0 1:0 31:0 6:2 20:0 13:0"}, RepeatCase{"PRV2O3", "40:0 1:1 31:0 6:1 20:0 13:0"},
            // 6 of draw 1 comes back as 7 in draw 2.
            RepeatCase{"PRV+1", "41:0 2:0 32:0 7:1 21:0 14:0"},
            // 1 - 1 is 48.
            RepeatCase{"PRV-1", "39:0 48:0 30:0 5:2 19:0 12:0"}, RepeatCase{"PRV+2", "42:0 3:0 33:0 8:1 22:0 15:0"},
            RepeatCase{"PRV-2", "38:0 47:0 29:0 4:1 18:0 11:0"},
            // Counts per draw 1..5: RPC2 0 3 3 3 2.
            RepeatCase{"RPC2", "1:0 2:1 3:3 4:0 5:0 6:0 0:1"},
            RepeatCase{"RPC3", "1:1 2:2 3:0 4:0 5:0 6:0 0:2"},    // 0 0 2 2 1
            RepeatCase{"PRB2", "1:3 2:0 3:1 4:0 5:0 6:0 0:1"},    // 0 3 1 1 1
            RepeatCase{"RPO1", "1:1 2:2 3:0 4:0 5:0 6:0 0:2"},    // 0 0 2 2 1
            RepeatCase{"PRC2O2", "1:2 2:0 3:0 4:0 5:0 6:0 0:3"},  // 0 0 0 1 1
            RepeatCase{"PRC2O3", "1:0 2:1 3:0 4:0 5:0 6:0 0:4"},  // 0 0 0 0 2
            // 48 + 1 = 1 is among the 3 of draw 5 (13, 31, 1).
            RepeatCase{"PRC+1", "1:0 2:1 3:1 4:2 5:0 6:0 0:1"},   // 0 4 4 2 3
            RepeatCase{"PRC-1", "1:1 2:2 3:0 4:0 5:0 6:0 0:2"},   // 0 2 2 1 0
            RepeatCase{"PRC+2", "1:1 2:0 3:0 4:1 5:1 6:0 0:2"},   // 0 5 4 1 0
            RepeatCase{"PRC-2", "1:2 2:1 3:0 4:0 5:0 6:0 0:2"}),  // 0 1 2 1 0
        ::testing::Bool()),
    [](const auto& row) {
        std::string name = std::get<0>(row.param).Code;
        std::replace(name.begin(), name.end(), '+', 'P');
        std::replace(name.begin(), name.end(), '-', 'N');
        return name + (std::get<1>(row.param) ? "_Sorted" : "_Drawn");
    });

TEST(Repeats, BookkeepingOfARepeatedNumber) {
    const TDrawsArray draws = RepeatArchive();
    TStatList list;
    test::RegisterOver(list, draws);
    auto rpv2 = Create(list, "RPV2");
    const TStatDrawArray values = ComputeWindowValues(*rpv2, MakeStatWindow(draws.size(), 0, 10), false);
    const auto six = std::find_if(values.begin(), values.end(), [](const auto& v) { return v.Key[0] == 6; });
    ASSERT_NE(six, values.end());
    EXPECT_EQ(six->LastDraw, 5);
    EXPECT_EQ(six->Depth, 1);
    EXPECT_EQ(six->MinInterval, 1);
    EXPECT_EQ(six->MaxInterval, 1);
    auto prl2 = Create(list, "PRL2");
    const TStatDrawArray only = ComputeWindowValues(*prl2, MakeStatWindow(draws.size(), 0, 10), false);
    const auto six2 = std::find_if(only.begin(), only.end(), [](const auto& v) { return v.Key[0] == 6; });
    ASSERT_NE(six2, only.end());
    EXPECT_EQ(six2->LastDraw, 2);
    EXPECT_EQ(six2->Depth, 4);
}

// With the newest draw hidden the reference draw is the last analysed one
// (6 9 12 20 30 48), and the newest draw is never read.
TEST(Repeats, ReferenceIsTheLastAnalysedDraw) {
    const TDrawsArray draws = RepeatArchive();
    TStatList list;
    test::RegisterOver(list, draws);
    auto rpv2 = Create(list, "RPV2");
    EXPECT_EQ(Entries(ComputeWindowValues(*rpv2, MakeStatWindow(draws.size(), 1, 10), false)),
              "6:3 9:2 12:1 20:0 30:0 48:0");
    // A window without the oldest draw has no draw without repeats: no row 0.
    auto rpc2 = Create(list, "RPC2");
    EXPECT_EQ(Entries(ComputeWindowValues(*rpc2, MakeStatWindow(draws.size(), 0, 4), false)),
              "1:0 2:1 3:3 4:0 5:0 6:0");
    // A draw whose predecessor shares nothing with the reference draw adds
    // nothing, whatever it repeats: with draw 2 (4..9) as the reference,
    // draw 2 repeats 4 5 6 of draw 1, draw 1 has no predecessor.
    EXPECT_EQ(Entries(ComputeWindowValues(*rpv2, MakeStatWindow(draws.size(), 3, 10), false)),
              "4:1 5:1 6:1 7:0 8:0 9:0");
}

// Two draws: the shift wraps around 48.
struct ShiftCase {
    const char* Name;
    TCombination Before, After;
    const char* Code;
    const char* Entries;
};

class RepeatShift : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(RepeatShift, WrapsAroundTheRange) {
    const ShiftCase& c = GetParam();
    TDrawsArray draws{test::MakeDraw(1, c.Before), test::MakeDraw(2, c.After)};
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = Create(list, c.Code);
    stat->SetContext(1, false);
    TStatDrawArray values;
    stat->DrawValues(1, values);
    EXPECT_EQ(Entries(values), c.Entries);
}

INSTANTIATE_TEST_SUITE_P(
    Draws, RepeatShift,
    ::testing::Values(ShiftCase{"PlusOneOf48Is1", {48, 10, 20, 30, 40, 41}, {1, 11, 2, 3, 4, 5}, "PRC+1", "2:1"},
                      ShiftCase{"PlusOneValue1", {48, 10, 20, 30, 40, 41}, {1, 11, 2, 3, 4, 48}, "PRV+1", "1:1"},
                      ShiftCase{"MinusTwoOf2Is48", {2, 10, 11, 12, 13, 14}, {2, 48, 20, 21, 22, 23}, "PRV-2", "48:1"},
                      ShiftCase{"MinusOneOf1Is48", {1, 2, 3, 4, 5, 6}, {48, 7, 8, 9, 10, 11}, "PRC-1", "1:1"},
                      ShiftCase{"PlusTwoOf47And48", {47, 48, 3, 4, 5, 6}, {1, 2, 30, 31, 32, 33}, "PRC+2", "2:1"},
                      ShiftCase{"PlainRepeat", {1, 2, 3, 4, 5, 6}, {6, 5, 4, 40, 41, 42}, "RPC2", "3:1"}),
    [](const auto& row) { return std::string(row.param.Name); });

// A combination stands for the draw after the last analysed one (draw 5,
// index 4): the counts compare it with the draws before it.
struct FilterCase {
    const char* Code;
    TCombination Comb;
    int Count;
};

class RepeatFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(RepeatFilter, CombinationFollowsTheLastDraw) {
    const FilterCase& c = GetParam();
    const TDrawsArray draws = RepeatArchive();
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = Create(list, c.Code);
    stat->PrepareFilter(4, false);
    auto selection = [](int key) {
        TStatDrawRec v;
        v.Key[0] = static_cast<std::uint16_t>(key);
        return TStatDrawArray{v};
    };
    EXPECT_TRUE(stat->CombMatches(c.Comb, selection(c.Count), false));
    EXPECT_FALSE(stat->CombMatches(c.Comb, selection(c.Count + 1), false));
    EXPECT_FALSE(stat->CombMatches(c.Comb, selection(c.Count - 1), true));
}

INSTANTIATE_TEST_SUITE_P(Archive, RepeatFilter,
                         ::testing::Values(FilterCase{"RPC2", {1, 6, 13, 2, 3, 4}, 3},       // in draw 5
                                           FilterCase{"RPC3", {6, 20, 1, 2, 3, 4}, 2},       // in draws 5 and 4
                                           FilterCase{"PRB2", {1, 13, 6, 20, 2, 3}, 2},      // in draw 5, not in draw 4
                                           FilterCase{"RPO1", {9, 12, 48, 1, 2, 3}, 3},      // in draw 4
                                           FilterCase{"PRC2O3", {4, 5, 10, 11, 12, 13}, 2},  // in draw 2
                                           FilterCase{"PRC+1", {2, 7, 14, 1, 3, 4}, 3},      // draw 5 + 1
                                           FilterCase{"PRC-1", {48, 5, 1, 2, 3, 4}, 2}),     // draw 5 - 1, 1 - 1 = 48
                         [](const auto& row) {
                             std::string name = row.param.Code;
                             std::replace(name.begin(), name.end(), '+', 'P');
                             std::replace(name.begin(), name.end(), '-', 'N');
                             return name;
                         });

TEST(Repeats, ValueMethodsFilterByTheNumbersThemselves) {
    const TDrawsArray draws = RepeatArchive();
    TStatList list;
    test::RegisterOver(list, draws);
    TStatDrawRec six;
    six.Key[0] = 6;
    for (const char* code : {"RPV2", "RPV3", "PRL2", "PRV2O3", "PRV+1"}) {
        auto stat = Create(list, code);
        stat->PrepareFilter(4, false);
        EXPECT_TRUE(stat->CombMatches({30, 6, 7, 8, 9, 10}, {six}, false)) << code;
        EXPECT_FALSE(stat->CombMatches({1, 2, 3, 4, 5, 7}, {six}, false)) << code;
    }
}

// Repeats are values of draws: a bare combination adds none to a table,
// though a filter tests it.
TEST(Repeats, BareCombinationAddsNoValue) {
    const TDrawsArray draws = RepeatArchive();
    TStatList list;
    test::RegisterOver(list, draws);
    const TCombination comb{1, 6, 13, 2, 3, 4};
    for (const char* code : {"RPV2", "PRV-1", "RPC2", "PRB2", "PRC+2"}) {
        auto stat = Create(list, code);
        stat->PrepareFilter(4, false);
        TStatDrawArray none;
        stat->CombValues(comb, none);
        stat->SpanHistogram(std::span(&comb, 1), none);
        EXPECT_TRUE(none.empty()) << code;
    }
}

// Over the full list: the combinations sharing exactly k numbers with a set
// of m numbers are C(m, k) * C(48 - m, 6 - k).
TEST(RepeatsFullList, KeepFiltersLeaveTheCombinatorialCounts) {
    const TDrawsArray draws = RepeatArchive();
    TStatList list;
    test::RegisterOver(list, draws);
    const int last = 4;
    for (int k = 0; k <= 2; ++k) {
        // Draw 5 has six numbers, shifted or not.
        EXPECT_EQ(FullListMatches(list, "RPC2", {static_cast<std::uint16_t>(k)}, last),
                  Binomial(6, k) * Binomial(42, 6 - k));
        EXPECT_EQ(FullListMatches(list, "PRC-2", {static_cast<std::uint16_t>(k)}, last),
                  Binomial(6, k) * Binomial(42, 6 - k));
    }
    // Draws 5 and 4 share 6 and 20; draw 5 without draw 4: 1 13 31 40.
    EXPECT_EQ(FullListMatches(list, "RPC3", {1}, last), Binomial(2, 1) * Binomial(46, 5));
    EXPECT_EQ(FullListMatches(list, "PRB2", {2}, last), Binomial(4, 2) * Binomial(44, 4));
    // The draw three before the next one is draw 2 (4..9).
    EXPECT_EQ(FullListMatches(list, "PRC2O2", {6}, last), 1);
    // Value methods keep the combinations holding a selected number.
    EXPECT_EQ(FullListMatches(list, "RPV2", {6, 20}, last), Binomial(48, 6) - Binomial(46, 6));
}

// ---- the command line on a hand-made archive

class RepeatsCli : public ::testing::Test {
  protected:
    void SetUp() override { WriteArchiveFile(dir_ / "CorvelLotto_6x48.ldr", RepeatArchive()); }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir_.path().string()});
        return test::RunCliInProcess(args);
    }
    test::TempDir dir_;
};

TEST_F(RepeatsCli, ValuesOfARepeatMethod) {
    const test::CliResult r = Run({"values", "RPV2"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    // The rows of the newest draw by value; 6 in draws 2, 3, 4, 5; 20 in draw 5.
    EXPECT_EQ(r.Out,
              "value\tcount\tdepth\tlast_draw\tmin_interval\tmax_interval\n"
              "1\t0\t0\t0\t0\t0\n"
              "6\t4\t1\t5\t1\t1\n"
              "13\t0\t0\t0\t0\t0\n"
              "20\t1\t1\t5\t0\t0\n"
              "31\t0\t0\t0\t0\t0\n"
              "40\t0\t0\t0\t0\t0\n");
    // One draw hidden: the reference draw is draw 4, window draws 3 and 4.
    const test::CliResult hidden = Run({"values", "RPC2", "--offset", "1", "--window", "2"});
    ASSERT_EQ(hidden.ExitCode, 0) << hidden.Err;
    EXPECT_EQ(hidden.Out,
              "value\tcount\tdepth\tlast_draw\tmin_interval\tmax_interval\n"
              "1\t0\t0\t0\t0\t0\n"
              "2\t0\t0\t0\t0\t0\n"
              "3\t2\t1\t4\t1\t1\n"
              "4\t0\t0\t0\t0\t0\n"
              "5\t0\t0\t0\t0\t0\n"
              "6\t0\t0\t0\t0\t0\n");
}

TEST_F(RepeatsCli, FilterByARepeatCount) {
    // The last draw (5) holds 40 1 31 6 20 13; the combinations share 3, 1, 2
    // and 4 numbers with it.
    test::WriteBytes(dir_ / "in.lcv", "1;6;13;2;3;4\r\n1;2;3;4;5;7\r\n1;6;2;3;4;5\r\n6;13;31;40;41;42\r\n");
    // RPC2 of draw 2 is 3 (a value of the table): keep the combinations sharing
    // three numbers with the last draw.
    const test::CliResult r = Run(
        {"filter", "--from", (dir_ / "in.lcv").string(), "--keep", "RPC2:5=3;2", "-o", (dir_ / "out.lcv").string()});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(test::Lines(r.Out).back(), "Комбинаций: 2");
    EXPECT_EQ(test::ReadBytes(dir_ / "out.lcv"), "1;6;13;2;3;4\r\n1;6;2;3;4;5\r\n");
    // A count the table does not have is refused with the table's values.
    const test::CliResult bad = Run({"filter", "--from", (dir_ / "in.lcv").string(), "--keep", "RPC2:5=7"});
    EXPECT_EQ(bad.ExitCode, 2);
    EXPECT_NE(bad.Err.find("\"7\""), std::string::npos) << bad.Err;
}

}  // namespace
}  // namespace corvel
