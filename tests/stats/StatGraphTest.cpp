// The graph of a statistic over the recent draws, on a hand-made archive:
// the even counts of its five draws are 3, 4, 4, 3, 1.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"
#include "stats/CustomStat.h"
#include "stats/StatFixtures.h"
#include "stats/StatGraph.h"
#include "stats/StatList.h"

namespace corvel {
namespace {

TDrawsArray FiveDraws() {
    return {test::MakeDraw(11, {2, 4, 6, 1, 3, 5}), test::MakeDraw(12, {2, 4, 6, 8, 1, 3}),
            test::MakeDraw(13, {10, 12, 14, 16, 1, 3}), test::MakeDraw(14, {2, 4, 6, 1, 3, 5}),
            test::MakeDraw(15, {9, 1, 3, 5, 7, 2})};
}

class StatGraphTest : public testing::Test {
  protected:
    void SetUp() override { test::RegisterOver(list_, draws_); }
    TStatGraph Graph(const char* code, int length, int offset, bool sorted = false) {
        auto stat = list_.CreateStat(list_.FindMethod(code));
        return ComputeStatGraph(*stat, draws_, length, offset, sorted);
    }
    TDrawsArray draws_ = FiveDraws();
    TStatList list_;
};

TEST_F(StatGraphTest, ValuesMeanAndTheFirstOfTheMostFrequent) {
    // Longer than the archive: every draw from the oldest. 3 and 4 occur
    // twice each; 3 comes first.
    TStatGraph g = Graph("EVEN", 100, 0);
    ASSERT_EQ(g.Points.size(), 5u);
    EXPECT_EQ(g.Points.front().Draw, 11);
    std::vector<int> values;
    for (const auto& p : g.Points) values.push_back(p.Value);
    EXPECT_EQ(values, (std::vector<int>{3, 4, 4, 3, 1}));
    EXPECT_DOUBLE_EQ(g.Mean, 3.0);
    EXPECT_EQ(g.MostFrequent, 3);

    // Three draws ending one before the newest: 4, 4, 3.
    g = Graph("EVEN", 3, 1);
    ASSERT_EQ(g.Points.size(), 3u);
    EXPECT_EQ(g.Points.front().Draw, 12);
    EXPECT_EQ(g.Points.back().Draw, 14);
    EXPECT_DOUBLE_EQ(g.Mean, 11.0 / 3);
    EXPECT_EQ(g.MostFrequent, 4);

    // The number at position 1 follows the order of the numbers.
    EXPECT_EQ(Graph("POS1", 1, 0, false).Points.at(0).Value, 9);
    EXPECT_EQ(Graph("POS1", 1, 0, true).Points.at(0).Value, 1);

    EXPECT_TRUE(Graph("EVEN", 10, 5).Points.empty());
    TDrawsArray none;
    auto stat = list_.CreateStat(list_.FindMethod("EVEN"));
    const TStatGraph empty = ComputeStatGraph(*stat, none, 100, 0, false);
    EXPECT_TRUE(empty.Points.empty());
    EXPECT_EQ(empty.MostFrequent, 0);

    // Only graph methods are listed: EVEN is one, NUMS is not.
    const std::vector<int> graphs = GraphMethods(list_);
    EXPECT_NE(std::find(graphs.begin(), graphs.end(), list_.FindMethod("EVEN")), graphs.end());
    EXPECT_EQ(std::find(graphs.begin(), graphs.end(), list_.FindMethod("NUMS")), graphs.end());
}

TEST(CliGraph, PrintsTheSeriesOfTheTab) {
    test::TempDir dir;
    WriteArchiveFile(dir / "CorvelLotto_6x48.ldr", FiveDraws());
    auto r =
        test::RunCliInProcess({"--data-dir", dir.path().string(), "graph", "EVEN", "--length", "3", "--offset", "1"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out,
              "Тираж\tЗначение\n12\t4\n13\t4\n14\t3\n"
              "Среднее значение\t3.667\nНаиболее часто встречающееся значение\t4\n");
    r = test::RunCliInProcess({"--data-dir", dir.path().string(), "graph", "NUMS"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_NE(r.Err.find("Для метода NUMS графики не строятся"), std::string::npos) << r.Err;
}

}  // namespace
}  // namespace corvel
