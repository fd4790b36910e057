// The graphs as the stakes and ratings services give them: the status text
// while they are built, the busy state given back, and a graph without data
// reported as an error with nothing returned.
#include <gtest/gtest.h>

#include "FakeUiHooks.h"
#include "TestSupport.h"
#include "app/Workspace.h"
#include "ratings/StakesFixture.h"

namespace corvel {
namespace {

class GraphsService : public ::testing::Test {
  protected:
    void Open(const std::vector<TStakeRec>& recs) {
        test::WriteStakesFile(dir_ / "CorvelLotto_6x48.lsk", recs);
        ws_.OpenSettingsAndRegistry();
        ASSERT_TRUE(ws_.Stakes().Open());
        ASSERT_TRUE(ws_.Ratings().Rebuild(ws_.Stakes()));
        hooks_.Statuses.clear();
    }
    void ExpectStatusShownAndCleared() {
        EXPECT_EQ(hooks_.Statuses, (std::vector<std::string>{"Создание графиков...", ""}));
        EXPECT_EQ(hooks_.Busy, 0);
        hooks_.Statuses.clear();
    }
    test::TempDir dir_;
    test::FakeUiHooks hooks_;
    app::Workspace ws_{app::DataFiles{dir_.path()}, hooks_, 16};
};

TEST_F(GraphsService, GraphsOfTheStakesAndTheRows) {
    Open({test::MakeStake(1, "Мой", 2, -2), test::MakeStake(2, "МОЙ", 3, 8), test::MakeStake(2, "чужой", 1, -2)});
    const TRatingsTable& table = ws_.Ratings().Table();
    ASSERT_EQ(table.Count(), 2u);
    const std::size_t mine = table.Rows()[0].Comment() == "Мой" ? 0 : 1;

    const auto profits = ws_.Stakes().DrawProfitsGraph();
    ExpectStatusShownAndCleared();
    ASSERT_TRUE(profits);
    EXPECT_EQ(profits->Series[0].Points.size(), 2u);

    // Rows past the end of the table are left out.
    const auto hits = ws_.Ratings().StakesGraph(ws_.Stakes(), {mine, 7}, TStakeGraphValue::Hits);
    ExpectStatusShownAndCleared();
    ASSERT_TRUE(hits);
    ASSERT_EQ(hits->Series.size(), 1u);
    EXPECT_EQ(hits->Series[0].Points.size(), 2u);

    const auto counts = ws_.Ratings().MatchCountsGraph({mine});
    ExpectStatusShownAndCleared();
    ASSERT_TRUE(counts);
    EXPECT_EQ(counts->Series.size(), 2u);
    EXPECT_TRUE(hooks_.Errors.empty());
}

TEST_F(GraphsService, AGraphWithoutDataIsReported) {
    Open({BlankStake(), test::MakeStake(1, "а", 1, 0)});
    const std::string text =
        "Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более одного тиража!";
    EXPECT_FALSE(ws_.Ratings().StakesGraph(ws_.Stakes(), {0}, TStakeGraphValue::Profit));
    ExpectStatusShownAndCleared();
    EXPECT_FALSE(ws_.Ratings().StakesGraph(ws_.Stakes(), {}, TStakeGraphValue::Hits));
    EXPECT_EQ(hooks_.Errors, (std::vector<std::string>{text, text}));

    ASSERT_TRUE(ws_.Stakes().Clear());
    hooks_.Statuses.clear();
    EXPECT_FALSE(ws_.Stakes().DrawProfitsGraph());
    ExpectStatusShownAndCleared();
    EXPECT_EQ(hooks_.Errors.size(), 3u);
}

}  // namespace
}  // namespace corvel
