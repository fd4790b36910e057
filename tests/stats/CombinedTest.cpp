// Pairs, triples and quadruples of the numbers themselves: draw values worked
// out by hand, counts over the full list from combinatorics, texts and bad
// input.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"
#include "stats/AllCombinations.h"
#include "stats/CustomStat.h"
#include "stats/FilterDefinition.h"
#include "stats/StatClassTable.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

using test::AllCombinations;
using test::Binomial;

// The texts of the entries in array order, each with its count when it is
// not 1.
std::string Texts(const TCustomStat& stat, const TStatDrawArray& values) {
    std::string text;
    for (const auto& v : values) {
        text += (text.empty() ? "" : " ") + stat.ValueToText(v);
        if (v.Count != 1) text += "x" + std::to_string(v.Count);
    }
    return text;
}

TStatDrawRec Tuple(std::initializer_list<int> numbers) {
    TStatDrawRec v;
    std::size_t k = 0;
    for (int n : numbers) v.Key[k++] = static_cast<std::uint16_t>(n);
    v.Count = 1;
    return v;
}

// The class row of a method that is not registered.
const TStatClass& ClassNamed(std::string_view name) {
    for (const TBuiltFamily& f : BuiltFamilies())
        for (const TStatClass& c : f.Classes)
            if (c.ClassName == name) return c;
    throw std::runtime_error("no class " + std::string(name));
}

struct DrawCase {
    const char* Name;
    TCombination Numbers;
    bool Sorted;
    const char* Code;
    const char* Texts;
};

class TuplesOfOneDraw : public ::testing::TestWithParam<DrawCase> {};

TEST_P(TuplesOfOneDraw, ValuesInPositionOrder) {
    const DrawCase& c = GetParam();
    TDrawsArray draws{test::MakeDraw(3, c.Numbers)};
    TStatList list;
    test::RegisterOver(list, draws);
    const int index = list.FindMethod(c.Code);
    ASSERT_GE(index, 0) << c.Code;
    auto stat = list.CreateStat(index);
    const TStatDrawArray values = ComputeWindowValues(*stat, MakeStatWindow(1, 0, 1), c.Sorted);
    EXPECT_EQ(Texts(*stat, values), c.Texts);
    for (const auto& v : values) {
        EXPECT_EQ(v.LastDraw, 3);
        EXPECT_EQ(v.Depth, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Draws, TuplesOfOneDraw,
    ::testing::Values(
        DrawCase{"AllPairs",
                 {5, 17, 23, 30, 40, 41},
                 true,
                 "KNM2",
                 "5:17 5:23 5:30 5:40 5:41 17:23 17:30 17:40 17:41 23:30 23:40 23:41 30:40 30:41 40:41"},
        DrawCase{"AllTriples",
                 {1, 2, 3, 4, 5, 6},
                 false,
                 "KNM3",
                 "1:2:3 1:2:4 1:2:5 1:2:6 1:3:4 1:3:5 1:3:6 1:4:5 1:4:6 1:5:6 2:3:4 2:3:5 2:3:6 2:4:5 2:4:6 2:5:6 "
                 "3:4:5 3:4:6 3:5:6 4:5:6"},
        DrawCase{"AllQuadruples",
                 {1, 2, 3, 4, 5, 6},
                 false,
                 "KNM4",
                 "1:2:3:4 1:2:3:5 1:2:3:6 1:2:4:5 1:2:4:6 1:2:5:6 1:3:4:5 1:3:4:6 1:3:5:6 1:4:5:6 2:3:4:5 2:3:4:6 "
                 "2:3:5:6 2:4:5:6 3:4:5:6"},
        DrawCase{"NeighbourPairs", {5, 17, 23, 30, 40, 41}, true, "KNS2", "5:17 17:23 23:30 30:40 40:41"},
        DrawCase{"NeighbourTriples", {5, 17, 23, 30, 40, 41}, true, "KNS3", "5:17:23 17:23:30 23:30:40 30:40:41"},
        DrawCase{"NeighbourQuadruples", {5, 17, 23, 30, 40, 41}, true, "KNS4", "5:17:23:30 17:23:30:40 23:30:40:41"},
        DrawCase{"PairAtThree", {5, 17, 23, 30, 40, 41}, true, "KNP23", "23:30"},
        DrawCase{"LastPair", {5, 17, 23, 30, 40, 41}, true, "KNP25", "40:41"},
        DrawCase{"TripleAtFour", {5, 17, 23, 30, 40, 41}, true, "KNP34", "30:40:41"},
        DrawCase{"QuadrupleAtOne", {5, 17, 23, 30, 40, 41}, true, "KNP41", "5:17:23:30"},
        // Drawn order: the tuples follow the order the numbers were drawn in.
        DrawCase{"DrawnNeighbourPairs", {41, 5, 30, 17, 40, 23}, false, "KNS2", "41:5 5:30 30:17 17:40 40:23"},
        DrawCase{"DrawnFirstPair", {41, 5, 30, 17, 40, 23}, false, "KNP21", "41:5"},
        DrawCase{"SortedFirstPair", {41, 5, 30, 17, 40, 23}, true, "KNP21", "5:17"},
        DrawCase{"DrawnQuadrupleAtThree", {41, 5, 30, 17, 40, 23}, false, "KNP43", "30:17:40:23"}),
    [](const auto& row) { return std::string(row.param.Name); });

// 5:41 and 41:5 are different values: two rows in drawn order, one sorted.
TEST(Combined, OrderOfTheNumbersMakesDifferentRows) {
    TDrawsArray draws{test::MakeDraw(1, {5, 41, 2, 3, 4, 6}), test::MakeDraw(2, {41, 5, 2, 3, 4, 6})};
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod("KNP21"));
    EXPECT_EQ(Texts(*stat, ComputeWindowValues(*stat, MakeStatWindow(2, 0, 2), false)), "5:41 41:5");
    EXPECT_EQ(Texts(*stat, ComputeWindowValues(*stat, MakeStatWindow(2, 0, 2), true)), "2:3x2");
    auto knm2 = list.CreateStat(list.FindMethod("KNM2"));
    const TStatDrawArray drawn = ComputeWindowValues(*knm2, MakeStatWindow(2, 0, 2), false);
    EXPECT_EQ(drawn.size(), 16u);  // 15 pairs each, 14 of them shared
    const TStatDrawArray sorted = ComputeWindowValues(*knm2, MakeStatWindow(2, 0, 2), true);
    EXPECT_EQ(sorted.size(), 15u);
    for (const auto& v : sorted) EXPECT_EQ(v.Count, 2);
}

TEST(Combined, MethodListHoldsThePositionMethodsAndNoSortedOnes) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    std::vector<std::string> codes;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string code = list.Item(i).Code();
        if (code.rfind("KN", 0) == 0) codes.push_back(code);
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"KNM2", "KNM3", "KNM4", "KNS2", "KNS3", "KNS4", "KNP21", "KNP22",
                                               "KNP23", "KNP24", "KNP25", "KNP31", "KNP32", "KNP33", "KNP34", "KNP41",
                                               "KNP42", "KNP43"}));
    EXPECT_EQ(list.Item(list.FindMethod("KNP34")).StatClass->CaptionFor(4),
              "Сочетания из 3-х чисел тиража начиная с 4 позиции");
    EXPECT_EQ(list.Item(list.FindMethod("KNP22")).StatClass->GetFamilyCode(), "KNP2");
}

// The sorted-tuple classes are not registered, but their values follow the
// numbers sorted ascending whatever the order.
TEST(Combined, SortedTupleClassesSortTheNumbers) {
    TDrawsArray draws{test::MakeDraw(1, {41, 5, 30, 17, 40, 23})};
    TStatList list;
    test::RegisterOver(list, draws);
    EXPECT_LT(list.FindMethod("KNO2"), 0);
    struct {
        const char* Name;
        const char* Texts;
        TStatDrawRec Neighbours;  // neighbours of 40 41 1 2 3 4 once sorted
    } const cases[] = {{"TstCombValSort2", "5:17 17:23 23:30 30:40 40:41", Tuple({3, 4})},
                       {"TstCombValSort3", "5:17:23 17:23:30 23:30:40 30:40:41", Tuple({2, 3, 4})},
                       {"TstCombValSort4", "5:17:23:30 17:23:30:40 23:30:40:41", Tuple({3, 4, 40, 41})}};
    for (const auto& c : cases) {
        const TStatClass& cls = ClassNamed(c.Name);
        EXPECT_FALSE(cls.Enabled);
        EXPECT_EQ(cls.Flags, 0);
        auto stat = cls.Create(cls, list, 0);
        EXPECT_EQ(Texts(*stat, ComputeWindowValues(*stat, MakeStatWindow(1, 0, 1), false)), c.Texts) << c.Name;
        EXPECT_TRUE(stat->CombMatches({40, 41, 1, 2, 3, 4}, {c.Neighbours}, false)) << c.Name;
        EXPECT_FALSE(stat->CombMatches({40, 41, 1, 2, 3, 4}, {Tuple({40, 41, 1, 2})}, false)) << c.Name;
    }
}

// A pair never equals a triple or a pair in the other order: all four key
// words are compared.
TEST(Combined, FilterComparesWholeTuples) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    auto knm2 = list.CreateStat(list.FindMethod("KNM2"));
    auto knm3 = list.CreateStat(list.FindMethod("KNM3"));
    auto knp22 = list.CreateStat(list.FindMethod("KNP22"));
    const TCombination comb{5, 17, 23, 30, 40, 41};
    EXPECT_TRUE(knm2->CombMatches(comb, {Tuple({23, 41})}, false));
    EXPECT_FALSE(knm2->CombMatches(comb, {Tuple({41, 23})}, false));
    EXPECT_FALSE(knm2->CombMatches(comb, {Tuple({5, 17, 23})}, false));
    EXPECT_FALSE(knm2->CombMatches(comb, {Tuple({5})}, false));
    EXPECT_TRUE(knm3->CombMatches(comb, {Tuple({5, 17, 23})}, false));
    EXPECT_FALSE(knm3->CombMatches(comb, {Tuple({5, 17})}, false));
    EXPECT_TRUE(knp22->CombMatches(comb, {Tuple({1, 2}), Tuple({17, 23})}, false));
    EXPECT_FALSE(knp22->CombMatches(comb, {Tuple({5, 17})}, false));
    // The tuples are values of draws: a bare combination adds none to a table.
    TStatDrawArray none;
    knm2->CombValues(comb, none);
    knp22->SpanHistogram(std::span(&comb, 1), none);
    EXPECT_TRUE(none.empty());
}

std::int64_t FullListMatches(const TStatList& list, const char* code, const TStatDrawArray& values) {
    const int index = list.FindMethod(code);
    std::vector<std::uint8_t> out(AllCombinations().size());
    ParallelSpanMatch([&] { return list.CreateStat(index); }, AllCombinations(), values, false, out.data());
    return std::count(out.begin(), out.end(), 1);
}

struct FullListCase {
    const char* Name;
    const char* Code;
    std::vector<std::vector<int>> Keep;
    std::int64_t Count;
};

class CombinedFullList : public ::testing::TestWithParam<FullListCase> {};

TEST_P(CombinedFullList, KeepFilterLeavesTheCombinatorialCount) {
    const FullListCase& c = GetParam();
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    TStatDrawArray values;
    for (const auto& numbers : c.Keep) {
        TStatDrawRec v;
        for (std::size_t k = 0; k < numbers.size(); ++k) v.Key[k] = static_cast<std::uint16_t>(numbers[k]);
        values.push_back(v);
    }
    EXPECT_EQ(FullListMatches(list, c.Code, values), c.Count);
}

// The full list holds its numbers ascending.
INSTANTIATE_TEST_SUITE_P(
    Tuples, CombinedFullList,
    ::testing::Values(FullListCase{"PairAnywhere", "KNM2", {{5, 17}}, Binomial(46, 4)},
                      FullListCase{"PairReversedNever", "KNM2", {{17, 5}}, 0},
                      // Holding 5 or 17 with 30: inclusion and exclusion.
                      FullListCase{"TwoPairs", "KNM2", {{5, 30}, {17, 30}}, 2 * Binomial(46, 4) - Binomial(45, 3)},
                      FullListCase{"TripleAnywhere", "KNM3", {{5, 17, 23}}, Binomial(45, 3)},
                      FullListCase{"QuadrupleAnywhere", "KNM4", {{1, 2, 3, 4}}, Binomial(44, 2)},
                      // Pair (a, b) stands at neighbouring places when none of
                      // the other four numbers lies between them: they come
                      // from the 47 - (b - a) numbers outside a..b.
                      FullListCase{"NeighboursWithAGap", "KNS2", {{5, 7}}, Binomial(45, 4)},
                      FullListCase{"ConsecutiveAlwaysNeighbours", "KNS2", {{5, 6}}, Binomial(46, 4)},
                      FullListCase{"NeighboursFarApart", "KNS2", {{10, 30}}, Binomial(27, 4)},
                      FullListCase{"NeighboursAtTheWidestGap", "KNS2", {{1, 44}}, 1},
                      FullListCase{"NeighboursTooFarApart", "KNS2", {{1, 45}}, 0},
                      FullListCase{"NeighbourTriple", "KNS3", {{10, 11, 12}}, Binomial(45, 3)},
                      // The smallest two are 2 and 3: four more from 4..48.
                      FullListCase{"FirstPair", "KNP21", {{2, 3}}, Binomial(45, 4)},
                      FullListCase{"LastQuadruple", "KNP43", {{45, 46, 47, 48}}, Binomial(44, 2)},
                      FullListCase{"TripleAtTwo", "KNP32", {{2, 3, 4}}, 1 * Binomial(44, 2)}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(Combined, TextsDoNotParseBack) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod("KNM4"));
    EXPECT_FALSE(stat->Class().CanParseValue);
    EXPECT_EQ(stat->ValueToText(Tuple({5, 17, 23, 40})), "5:17:23:40");
    EXPECT_EQ(stat->ParseValue("5:17:23:40"), 0);
    EXPECT_EQ(stat->ParseValue("abc"), 0);
    // Bytes a list file may hold are written as they are.
    EXPECT_EQ(list.CreateStat(list.FindMethod("KNP21"))->ValueToText(Tuple({0, 255})), "0:255");
}

// The level mode "from a list of values" needs values that parse.
TEST(Combined, ListLevelIsRefusedForTuples) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    const TFilterItem item = ParseFilterItem("TSD1#KNM2:10#LVA:5#SF:1", list);
    ASSERT_EQ(list.Item(item.Method).Code(), "KNM2");
    const TFilterItemCheck check = CheckFilterItem(item, list);
    EXPECT_EQ(check.Error, "Для данного вида статистики не доступен режим выделения по списку значений!");
    EXPECT_EQ(check.Focus, TFilterItemCheck::kLevel);
}

class CombinedCli : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteArchiveFile(dir_ / "CorvelLotto_6x48.ldr",
                         {test::MakeDraw(1, {41, 5, 30, 17, 40, 23}), test::MakeDraw(2, {5, 17, 1, 2, 3, 4})});
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir_.path().string()});
        return test::RunCliInProcess(args);
    }
    test::TempDir dir_;
};

TEST_F(CombinedCli, ValuesAndAFilterByATuple) {
    const test::CliResult values = Run({"values", "KNP21"});
    ASSERT_EQ(values.ExitCode, 0) << values.Err;
    EXPECT_EQ(values.Out,
              "value\tcount\tdepth\tlast_draw\tmin_interval\tmax_interval\n"
              "5:17\t1\t1\t2\t0\t0\n"
              "41:5\t1\t2\t1\t0\t0\n");
    test::WriteBytes(dir_ / "in.lcv", "5;17;1;2;3;4\r\n17;5;1;2;3;4\r\n41;5;6;7;8;9\r\n");
    const test::CliResult r = Run(
        {"filter", "--from", (dir_ / "in.lcv").string(), "--keep", "KNP21:2=5:17", "-o", (dir_ / "out.lcv").string()});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(test::Lines(r.Out).back(), "Комбинаций: 1");
    EXPECT_EQ(test::ReadBytes(dir_ / "out.lcv"), "5;17;1;2;3;4\r\n");
    // A tuple that is no value of the table.
    const test::CliResult bad = Run({"filter", "--from", (dir_ / "in.lcv").string(), "--keep", "KNP21:2=17:5"});
    EXPECT_EQ(bad.ExitCode, 2);
    EXPECT_NE(bad.Err.find("\"17:5\""), std::string::npos) << bad.Err;
}

}  // namespace
}  // namespace corvel
