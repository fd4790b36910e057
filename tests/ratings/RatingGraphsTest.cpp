// The data of the graphs of the stakes and the ratings, from small stakes
// files written by the test, against figures worked out by hand.
#include <gtest/gtest.h>

#include "i18n/Texts.h"
#include "ratings/RatingGraphs.h"
#include "ratings/StakesFixture.h"
#include "stakes/StakesFile.h"

namespace corvel {
namespace {

using Points = std::vector<std::pair<double, double>>;

Points PointsOf(const TGraphSeries& s) {
    Points p;
    for (const TSeriesPoint& pt : s.Points) p.emplace_back(pt.X, pt.Y);
    return p;
}

// A rating row with the comment and counts.
TRatingRec Row(std::string_view comment, std::array<std::uint32_t, 7> byMatches = {}) {
    TStakeRec stake;
    stake.SetComment(comment);
    TRatingRec row;
    row.CommentBytes = stake.CommentBytes;
    row.ByMatches = byMatches;
    for (std::size_t i = 0; i < 7; ++i) {
        row.Stakes += byMatches[i];
        row.Matches += static_cast<std::uint32_t>(i) * byMatches[i];
    }
    return row;
}

class RatingGraphs : public ::testing::Test {
  protected:
    const TStakesFile& File(const std::vector<TStakeRec>& recs) {
        test::WriteStakesFile(dir_ / "s.lsk", recs);
        file_.OpenForReading();
        return file_;
    }
    test::TempDir dir_;
    TStakesFile file_{dir_ / "s.lsk"};
};

TEST_F(RatingGraphs, DrawProfitsSumEachDrawInTheOrderTheFileFirstNamesIt) {
    TStakeRec zero = test::MakeStake(0, "разделитель", 0, 100);  // draw 0 is a separator too
    const TGraph g = DrawProfitsGraph(File({
        test::MakeStake(7, "a", -1, -2),  // waiting for its draw: counted with its cost
        BlankStake(),
        test::MakeStake(5, "b", 3, 8),
        test::MakeStake(7, "c", 0, -2),
        zero,
        test::MakeStake(5, "d", -1, -2.5),
        test::MakeStake(9, "e", 1, 0),
    }));
    EXPECT_EQ(g.Caption, "Суммарный профит по тиражам");
    ASSERT_EQ(g.Series.size(), 3u);
    const TGraphSeries &sums = g.Series[0], &mean = g.Series[1], &running = g.Series[2];
    EXPECT_EQ(sums.Name, "Суммарный профит ставок по тиражу");
    EXPECT_EQ(mean.Name, "Среднее значение");
    EXPECT_EQ(running.Name, "Накопленное значение");
    // Draws 7, 5, 9: -2 - 2 = -4; 8 - 2.5 = 5.5; 0. Total 1.5 over three draws.
    EXPECT_EQ(PointsOf(sums), (Points{{7, -4}, {5, 5.5}, {9, 0}}));
    EXPECT_EQ(PointsOf(mean), (Points{{7, 0.5}, {5, 0.5}, {9, 0.5}}));
    EXPECT_EQ(PointsOf(running), (Points{{7, -4}, {5, 1.5}, {9, 1.5}}));
    EXPECT_EQ(std::make_tuple(sums.Colour, sums.Markers, sums.Marks), std::make_tuple(0x008000u, true, true));
    EXPECT_EQ(std::make_tuple(mean.Colour, mean.Markers, mean.Marks), std::make_tuple(0x0000FFu, false, false));
    EXPECT_EQ(std::make_tuple(running.Colour, running.Markers, running.Marks), std::make_tuple(0xFF0000u, true, true));
}

TEST_F(RatingGraphs, StakesOfRowsGoToTheSeriesOfTheirCommentInAnyCase) {
    const std::vector<TStakeRec> recs = {
        test::MakeStake(1, "Другой", 5, 40),       test::MakeStake(1, "abc", 2, -2),
        test::MakeStake(1, "МОЙ сценарий", 3, 8),  BlankStake(),
        test::MakeStake(2, "мой СЦЕНАРИЙ", 0, -2), test::MakeStake(2, "ABC", 1, -1.5),
        test::MakeStake(3, "мой сценарий"),  // waiting for its draw
    };
    const std::vector<TRatingRec> rows = {Row("Мой Сценарий"), Row("ABC"), Row("Нет ставок")};
    const TGraph hits = StakesOfRowsGraph(File(recs), rows, TStakeGraphValue::Hits);
    EXPECT_EQ(hits.Caption, "График совпадений ставок");
    // In the order of their first stake; a row without stakes has no series.
    ASSERT_EQ(hits.Series.size(), 2u);
    EXPECT_EQ(hits.Series[0].Name, "ABC");
    EXPECT_EQ(PointsOf(hits.Series[0]), (Points{{1, 2}, {2, 1}}));
    EXPECT_EQ(hits.Series[1].Name, "Мой Сценарий");
    EXPECT_EQ(PointsOf(hits.Series[1]), (Points{{1, 3}, {2, 0}}));
    for (const TGraphSeries& s : hits.Series)
        EXPECT_EQ(std::make_tuple(s.Colour, s.Markers, s.Marks), std::make_tuple(0u, true, true));

    const TGraph profits = StakesOfRowsGraph(file_, rows, TStakeGraphValue::Profit);
    EXPECT_EQ(profits.Caption, "График профита ставок");
    ASSERT_EQ(profits.Series.size(), 2u);
    EXPECT_EQ(PointsOf(profits.Series[0]), (Points{{1, -2}, {2, -1.5}}));
    EXPECT_EQ(PointsOf(profits.Series[1]), (Points{{1, 8}, {2, -2}}));
}

TEST_F(RatingGraphs, StakeGraphsTakeOnlyTheLastHundredDrawsWithCheckedStakes) {
    // Twelve stakes a draw, so that the file is read in several blocks.
    std::vector<TStakeRec> recs;
    for (int draw = 1; draw <= 101; ++draw)
        for (int k = 0; k < 12; ++k) recs.push_back(test::MakeStake(draw, "x", (draw + k) % 7, 0));
    recs.push_back(test::MakeStake(102, "x"));  // not checked yet: no draw of the graph
    const TGraph g = StakesOfRowsGraph(File(recs), std::vector<TRatingRec>{Row("X")}, TStakeGraphValue::Hits);
    ASSERT_EQ(g.Series.size(), 1u);
    Points expected;
    for (int draw = 2; draw <= 101; ++draw)
        for (int k = 0; k < 12; ++k) expected.emplace_back(draw, (draw + k) % 7);
    EXPECT_EQ(PointsOf(g.Series[0]), expected);
}

struct NoDataCase {
    const char* Name;
    std::vector<TStakeRec> Recs;
    bool DrawProfits;  // else the stake graph of the rows
    std::vector<TRatingRec> Rows;
};

class RatingGraphsWithoutData : public RatingGraphs, public ::testing::WithParamInterface<NoDataCase> {};

TEST_P(RatingGraphsWithoutData, AreRefusedWithTheirText) {
    const NoDataCase& c = GetParam();
    const TStakesFile& file = File(c.Recs);
    const std::string error = test::ErrorOf([&] {
        if (c.DrawProfits)
            DrawProfitsGraph(file);
        else
            StakesOfRowsGraph(file, c.Rows, TStakeGraphValue::Profit);
    });
    EXPECT_EQ(error, texts::kGraphNeedsDraws.Str());
    EXPECT_EQ(error,
              "Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более одного тиража!");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RatingGraphsWithoutData,
    ::testing::Values(
        NoDataCase{"EmptyFile", {}, true, {}},
        NoDataCase{"OnlySeparators", {BlankStake(), test::MakeStake(0, "", 0, 5)}, true, {}},
        NoDataCase{"NoRowSelected", {test::MakeStake(1, "a", 1, 0), test::MakeStake(2, "a", 1, 0)}, false, {}},
        NoDataCase{"OneCheckedDraw",
                   {test::MakeStake(1, "a", 1, 0), test::MakeStake(1, "a", 2, 0), test::MakeStake(2, "a")},
                   false,
                   {Row("a")}},
        NoDataCase{"NothingChecked", {test::MakeStake(1, "a"), test::MakeStake(2, "a")}, false, {Row("a")}}),
    [](const auto& row) { return std::string(row.param.Name); });

// C(n, k), counted by the test.
double Binomial(int n, int k) {
    double c = 1;
    for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
    return c;
}

TEST(RatingMatchCounts, NormalValuesForTheLargestRowThenEachRow) {
    const std::vector<TRatingRec> rows = {Row("Первая", {3, 4, 2, 1, 0, 0, 0}), Row("Вторая", {20, 15, 4, 1, 0, 0, 0}),
                                          Row("ПЕРВАЯ", {1, 0, 0, 0, 0, 0, 0})};
    const TGraph g = MatchCountsGraph(rows);
    EXPECT_EQ(g.Caption, "Количество совпадений");
    // A row of the same comment in another case would only repeat the first's series.
    ASSERT_EQ(g.Series.size(), 3u);
    const TGraphSeries& normal = g.Series[0];
    EXPECT_EQ(normal.Name, "Нормальные значения");
    EXPECT_EQ(std::make_tuple(normal.Colour, normal.Markers, normal.Marks), std::make_tuple(0x808080u, true, false));
    ASSERT_EQ(normal.Points.size(), 7u);
    double sum = 0;
    for (int i = 0; i <= 6; ++i) {
        // 40 stakes (the second row) spread as the C(48, 6) combinations match a draw.
        const double expected = Binomial(6, i) * Binomial(42, 6 - i) * 40 / Binomial(48, 6);
        EXPECT_EQ(normal.Points[static_cast<std::size_t>(i)].X, i);
        EXPECT_NEAR(normal.Points[static_cast<std::size_t>(i)].Y, expected, 1e-9) << i;
        sum += normal.Points[static_cast<std::size_t>(i)].Y;
    }
    EXPECT_NEAR(sum, 40, 1e-9);
    EXPECT_EQ(g.Series[1].Name, "Первая");
    EXPECT_EQ(PointsOf(g.Series[1]), (Points{{0, 3}, {1, 4}, {2, 2}, {3, 1}, {4, 0}, {5, 0}, {6, 0}}));
    EXPECT_EQ(g.Series[2].Name, "Вторая");
    EXPECT_EQ(PointsOf(g.Series[2]), (Points{{0, 20}, {1, 15}, {2, 4}, {3, 1}, {4, 0}, {5, 0}, {6, 0}}));
    EXPECT_EQ(std::make_tuple(g.Series[1].Colour, g.Series[1].Markers, g.Series[1].Marks),
              std::make_tuple(0u, true, false));
}

}  // namespace
}  // namespace corvel
