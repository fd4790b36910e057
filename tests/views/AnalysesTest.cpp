// The analyses of the menus: repeats of numbers between draws on a hand-made
// archive, the sum distribution of all combinations against a brute-force
// count, and the detail values of a draw and of a combination (which must
// never read a draw after the analysed window).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "TestSupport.h"
#include "model/DrawArchive.h"
#include "stats/StatFixtures.h"
#include "views/Details.h"
#include "views/RepeatsAnalysis.h"
#include "views/SumDistribution.h"

namespace corvel {
namespace {

TDrawsArray FiveDraws() {
    return {test::MakeDraw(1, {1, 2, 3, 4, 5, 6}), test::MakeDraw(2, {1, 2, 3, 10, 11, 12}),
            test::MakeDraw(3, {20, 21, 22, 23, 24, 25}), test::MakeDraw(4, {1, 2, 20, 30, 31, 32}),
            test::MakeDraw(5, {1, 10, 20, 40, 41, 42})};
}

struct RowCase {
    int Draw, Matches, Repeats;
    const char* Earlier;
};

void ExpectRows(const TRepeatsAnalysis& a, const std::vector<RowCase>& expected) {
    ASSERT_EQ(a.Rows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(a.Rows[i].Draw, expected[i].Draw) << i;
        EXPECT_EQ(a.Rows[i].Matches, expected[i].Matches) << i;
        EXPECT_EQ(a.Rows[i].Repeats, expected[i].Repeats) << i;
        EXPECT_EQ(RepeatDrawsText(a.Rows[i]), expected[i].Earlier) << i;
    }
}

TEST(Repeats, EachDrawCountsTheEarlierDrawsSharingExactlyKNumbers) {
    TSilentProgress progress;
    // The last three draws, two draws deep; draw 3 shares nothing with 1 or 2.
    const TRepeatsAnalysis shallow = AnalyzeRepeats(FiveDraws(), 3, 2, progress);
    ExpectRows(shallow, {{5, 2, 1, "4"}, {5, 1, 1, "3"}, {4, 1, 1, "3"}, {4, 2, 1, "2"}});
    EXPECT_EQ(shallow.LargestMatch, 2);

    // Deeper than the archive: every earlier draw; the oldest draw has no row.
    const TRepeatsAnalysis deep = AnalyzeRepeats(FiveDraws(), 5, 10, progress);
    ExpectRows(deep, {{5, 2, 2, "4 2"}, {5, 1, 2, "3 1"}, {4, 1, 1, "3"}, {4, 2, 2, "2 1"}, {2, 3, 1, "1"}});
    EXPECT_EQ(deep.LargestMatch, 3);

    // One series per match count, the oldest draw's point first.
    const TGraph graph = RepeatsGraph(deep);
    ASSERT_EQ(graph.Series.size(), 3u);
    EXPECT_EQ(graph.Series[0].Name, "Совпадений: 1");
    ASSERT_EQ(graph.Series[1].Points.size(), 2u);
    EXPECT_EQ(graph.Series[1].Points[0].X, 4);
    EXPECT_EQ(graph.Series[1].Points[0].Y, 2);
    EXPECT_EQ(graph.Series[1].Points[1].X, 5);
    EXPECT_EQ(graph.Series[2].Points.size(), 1u);
    // The colours are the same on every run.
    EXPECT_EQ(graph.Series[0].Colour, RepeatsGraph(deep).Series[0].Colour);
    EXPECT_NE(graph.Series[0].Colour, graph.Series[1].Colour);

    EXPECT_TRUE(AnalyzeRepeats({}, 10, 10, progress).Rows.empty());
}

TEST(SumDistribution, EqualsABruteForceCountOfEveryCombination) {
    std::map<int, std::int64_t> brute;
    for (int a = 1; a <= 43; ++a)
        for (int b = a + 1; b <= 44; ++b)
            for (int c = b + 1; c <= 45; ++c)
                for (int d = c + 1; d <= 46; ++d)
                    for (int e = d + 1; e <= 47; ++e)
                        for (int f = e + 1; f <= 48; ++f) ++brute[a + b + c + d + e + f];
    const std::vector<TSumCount> counts = CombinationSumCounts();
    ASSERT_EQ(counts.size(), 253u);
    std::int64_t total = 0;
    for (const TSumCount& c : counts) {
        EXPECT_EQ(c.Count, brute[c.Sum]) << c.Sum;
        total += c.Count;
    }
    EXPECT_EQ(total, 12'271'512);
    EXPECT_EQ(counts.front().Sum, 21);
    EXPECT_EQ(counts.front().Count, 1);
    EXPECT_EQ(counts.back().Sum, 273);
    EXPECT_EQ(counts.back().Count, 1);
    EXPECT_EQ(counts[147 - 21].Count, 148'718);
}

TEST(SumDistribution, BandsAndTheArchiveSums) {
    // Sums 21, 21 and 147.
    const TDrawsArray draws = {test::MakeDraw(1, {1, 2, 3, 4, 5, 6}), test::MakeDraw(2, {6, 5, 4, 3, 2, 1}),
                               test::MakeDraw(3, {10, 20, 30, 40, 42, 5})};
    const TSumDistribution d = ComputeSumDistribution(draws);
    ASSERT_EQ(d.Draws.size(), 2u);
    EXPECT_EQ(d.Draws[0].Sum, 21);
    EXPECT_EQ(d.Draws[0].Count, 2);
    EXPECT_EQ(d.Draws[1].Sum, 147);
    EXPECT_EQ(d.DrawsMax, 2);
    EXPECT_EQ(d.CombinationsMax, 148'718);
    EXPECT_EQ(d.CombinationsMin, 1);
    // 1 + 148,718 / 3, 1 + 148,718 / 2 and 1 + 2 x 148,718 / 3, rounded.
    const std::int64_t thresholds[3] = {49'574, 74'360, 99'146};
    for (std::size_t b = 0; b < 3; ++b) {
        const TSumBand& band = d.Bands[b];
        EXPECT_EQ(band.Threshold, thresholds[b]);
        // The first sum from each end that reaches the threshold; the
        // distribution is symmetric about 147 (n and 49 - n).
        ASSERT_GT(band.Lower, 21);
        EXPECT_GE(d.Combinations[static_cast<std::size_t>(band.Lower - 21)].Count, band.Threshold);
        EXPECT_LT(d.Combinations[static_cast<std::size_t>(band.Lower - 22)].Count, band.Threshold);
        EXPECT_EQ(band.Lower + band.Upper, 294);
    }
    EXPECT_LT(d.Bands[0].Lower, d.Bands[1].Lower);
    EXPECT_LT(d.Bands[1].Lower, d.Bands[2].Lower);

    const TGraph graph = SumDistributionGraph(d);
    ASSERT_EQ(graph.Series.size(), 5u);
    EXPECT_EQ(graph.Series[0].Points.size(), 2u);
    // The combinations scaled to the draws' peak: 148,718 combinations at 147 stand at 2.
    EXPECT_DOUBLE_EQ(graph.Series[1].Points[147 - 21].Y, 2.0);
    EXPECT_EQ(graph.Series[2].Name, "Диапазон 1 (от 1/3 и выше по оси Y) - суммы " + std::to_string(d.Bands[0].Lower) +
                                        "-" + std::to_string(d.Bands[0].Upper));
}

const TDetailRow* Find(const std::vector<TDetailRow>& rows, std::string_view property) {
    for (const TDetailRow& row : rows)
        if (row.Property == property) return &row;
    return nullptr;
}

TEST(Details, ADrawShowsItsNumberAndDateAndACombinationFollowsTheWindow) {
    // Sums 21, 150 and 60.
    const TDrawsArray draws = {test::MakeDraw(7, {1, 2, 3, 4, 5, 6}, {1, 2}, "01.01.2026"),
                               test::MakeDraw(8, {20, 21, 22, 23, 24, 40}, {1, 2}, "04.01.2026"),
                               test::MakeDraw(9, {5, 6, 7, 8, 9, 25}, {1, 2}, "08.01.2026")};
    TStatList list;
    test::RegisterOver(list, draws);
    const auto drawRows = DrawDetails(list, draws, 1, false);
    ASSERT_GE(drawRows.size(), 3u);
    EXPECT_EQ(drawRows[0].Property, "Номер тиража:");
    EXPECT_EQ(drawRows[0].Value, "8");
    EXPECT_EQ(drawRows[1].Property, "Дата тиража:");
    EXPECT_EQ(drawRows[1].Value, "04.01.2026");
    const TDetailRow* sum = Find(drawRows, "Сумма тиража: все значения");
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->Value, "150");
    const TDetailRow* change = Find(drawRows, "Сумма тиража: изменения (точно)");
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->Value, "129");

    // The combination 10..15 (sum 75) as the draw after the window: with no
    // offset it follows draw 9 (sum 60), one draw back it follows draw 8 (sum
    // 150) and never reads draw 9.
    const TCombination comb{10, 11, 12, 13, 14, 15};
    const auto newest = CombinationDetails(list, draws, comb, 0, false);
    EXPECT_EQ(Find(newest, "Номер тиража:"), nullptr);
    EXPECT_EQ(Find(newest, "Сумма тиража: все значения")->Value, "75");
    EXPECT_EQ(Find(newest, "Сумма тиража: изменения (точно)")->Value, "15");
    const auto back = CombinationDetails(list, draws, comb, 1, false);
    EXPECT_EQ(Find(back, "Сумма тиража: изменения (точно)")->Value, "-75");
    // Every row but the two of a draw stands for a listed graph method.
    EXPECT_EQ(newest.size() + 2, drawRows.size());
    EXPECT_TRUE(DrawDetails(list, draws, 3, false).empty());
}

}  // namespace
}  // namespace corvel
