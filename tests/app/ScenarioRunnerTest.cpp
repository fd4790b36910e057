// The scenario runner on real files: the result modes over a small list, the
// stake comments, stakes only new to the file, the test's offsets (restored,
// or left where a stop came), the checked stakes kept by CLR, the report's
// random baseline, and no look-ahead: what a test stakes for a past draw is
// what a run makes on the archive cut back to just before that draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "FakeUiHooks.h"
#include "TestSupport.h"
#include "app/ScenarioRunner.h"
#include "app/Workspace.h"
#include "model/DrawArchive.h"

namespace corvel {
namespace {

std::vector<TStakeRec> Stakes(app::Workspace& ws) {
    std::vector<TStakeRec> out;
    const TStakesFile& file = ws.Stakes().File();
    for (std::int64_t i = 0; i < file.Count(); ++i)
        if (const TStakeRec rec = file.Read(i); !rec.IsSeparator()) out.push_back(rec);
    return out;
}

TCombination Numbers(const TStakeRec& rec) {
    TCombination c{};
    std::copy_n(rec.Stake.Values.begin(), kNumbersPerDraw, c.begin());
    return c;
}

std::int64_t Choose(int n, int k) {
    std::int64_t r = 1;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

// A workspace over the sample archive whose list holds a few pasted
// combinations, for lines that start from the current list.
class ScenarioRunnerSmallList : public testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir_.path());
        ws_.OpenSettingsAndRegistry();
        ASSERT_TRUE(ws_.Stakes().Open());
        ws_.Archive().Load();
    }
    void UseList(const char* text) { ASSERT_TRUE(ws_.Combinations().Paste(text)); }
    std::vector<TStakeRec> RunLine(const std::string& line, std::uint64_t seed = 1) {
        app::ScenarioRunner runner(ws_);
        app::TScenarioRunOptions options;
        options.Seed = seed;
        runner.Run({line}, options);
        return Stakes(ws_);
    }
    test::TempDir dir_;
    test::FakeUiHooks hooks_;
    app::Workspace ws_{app::DataFiles{dir_.path()}, hooks_, 16};
};

constexpr const char* kThree = "1 2 3 4 5 6\r\n7 8 9 10 11 12\r\n13 14 15 16 17 18\r\n";

struct ModeCase {
    const char* Mode;
    std::vector<TCombination> Stakes;  // from the three-combination list
};

TEST_F(ScenarioRunnerSmallList, EveryResultModeOverThreeCombinations) {
    const std::vector<ModeCase> cases = {
        {"FIRST", {{1, 2, 3, 4, 5, 6}}},
        {"LAST", {{13, 14, 15, 16, 17, 18}}},
        {"ALL", {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}, {13, 14, 15, 16, 17, 18}}},
        {"SKIP", {}},
        {"NONE", {}},
    };
    for (const ModeCase& c : cases) {
        ASSERT_TRUE(ws_.Stakes().Clear());
        UseList(kThree);
        const auto stakes = RunLine(std::string("CURR#") + c.Mode + "| | | | | | | |Строка");
        ASSERT_EQ(stakes.size(), c.Stakes.size()) << c.Mode;
        for (std::size_t i = 0; i < stakes.size(); ++i) {
            EXPECT_EQ(Numbers(stakes[i]), c.Stakes[i]) << c.Mode;
            EXPECT_EQ(stakes[i].Kind, TStakeKind::Scenario);
            EXPECT_EQ(stakes[i].Draw, 1501);
            EXPECT_EQ(stakes[i].Sample, 3);
            // Line 1 without a filter variant, then the short options.
            EXPECT_EQ(stakes[i].Comment(), std::string("01.000: Строка @ CURR#") + c.Mode) << c.Mode;
        }
    }
    EXPECT_TRUE(hooks_.Errors.empty());
}

TEST_F(ScenarioRunnerSmallList, RandomPicksOneCombinationAndRepeatsWithTheSeed) {
    UseList(kThree);
    const auto first = RunLine("CURR#RAND", 42);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_TRUE(ws_.Stakes().Clear());
    UseList(kThree);
    const auto again = RunLine("CURR#RAND", 42);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(Numbers(again[0]), Numbers(first[0]));
}

TEST_F(ScenarioRunnerSmallList, OneCombinationLeftIsStakedInEveryModeButNone) {
    for (const char* mode : {"RAND", "FIRST", "LAST", "ALL", "STOP", "SKIP"}) {
        ASSERT_TRUE(ws_.Stakes().Clear());
        UseList("5 9 20 31 40 44\r\n");
        const auto stakes = RunLine(std::string("CURR#") + mode);
        ASSERT_EQ(stakes.size(), 1u) << mode;
        EXPECT_EQ(Numbers(stakes[0]), (TCombination{5, 9, 20, 31, 40, 44}));
    }
    ASSERT_TRUE(ws_.Stakes().Clear());
    UseList("5 9 20 31 40 44\r\n");
    EXPECT_TRUE(RunLine("CURR#NONE").empty());
    EXPECT_TRUE(hooks_.Warnings.empty());
}

TEST_F(ScenarioRunnerSmallList, StopWithSeveralLeftStopsTheRunWithAWarning) {
    UseList(kThree);
    app::ScenarioRunner runner(ws_);
    EXPECT_FALSE(runner.Run({"CURR#STOP| | | | | | | |Первая", "CURR#FIRST"}, {}));
    ASSERT_EQ(hooks_.Warnings.size(), 1u);
    EXPECT_NE(hooks_.Warnings[0].find(": 3!"), std::string::npos);
    EXPECT_NE(hooks_.Warnings[0].find("01.000: Первая @ CURR#STOP"), std::string::npos);
    // The second line never ran.
    EXPECT_TRUE(Stakes(ws_).empty());
}

TEST_F(ScenarioRunnerSmallList, NewOnlySkipsAStakeAlreadyInTheFileWhateverItsComment) {
    UseList(kThree);
    TStakeRec manual = ws_.Stakes().NewStake({7, 8, 9, 10, 11, 12}, 3);
    ASSERT_TRUE(ws_.Stakes().Add(manual, 1));
    const auto stakes = RunLine("CURR#ALL#NEX");
    // The manual stake, then the two combinations not staked yet.
    ASSERT_EQ(stakes.size(), 3u);
    EXPECT_EQ(Numbers(stakes[1]), (TCombination{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Numbers(stakes[2]), (TCombination{13, 14, 15, 16, 17, 18}));
    // A second run of the same line adds nothing.
    EXPECT_EQ(RunLine("CURR#ALL#NEX").size(), 3u);
}

TEST_F(ScenarioRunnerSmallList, EachCycleStartsAfterASeparator) {
    UseList(kThree);
    ASSERT_TRUE(ws_.Stakes().Add(ws_.Stakes().NewStake({1, 2, 3, 4, 5, 6}, 3), 1));
    RunLine("CURR#FIRST");
    const TStakesFile& file = ws_.Stakes().File();
    ASSERT_EQ(file.Count(), 3);
    EXPECT_TRUE(file.Read(1).IsSeparator());
}

TEST_F(ScenarioRunnerSmallList, TestRunsTheOffsetsDownToOneAndRestoresTheOffset) {
    UseList(kThree);
    ws_.Archive().SetOffset(7);
    app::ScenarioRunner runner(ws_);
    ASSERT_TRUE(runner.Test({"CURR#FIRST"}, 3, {}));
    EXPECT_EQ(ws_.Archive().Offset(), 7);
    const auto stakes = Stakes(ws_);
    ASSERT_EQ(stakes.size(), 3u);
    // Offsets 3, 2, 1: the draws after the windows ending at 1497, 1498, 1499.
    EXPECT_EQ(stakes[0].Draw, 1498);
    EXPECT_EQ(stakes[1].Draw, 1499);
    EXPECT_EQ(stakes[2].Draw, 1500);
    // Checked at once against the real draws.
    for (const TStakeRec& rec : stakes) EXPECT_TRUE(rec.Checked);
    ASSERT_EQ(runner.Report().Lines.size(), 1u);
    EXPECT_EQ(runner.Report().Lines[0].Stakes, 3);
    EXPECT_EQ(runner.Report().Lines[0].Draws, 3);
}

TEST_F(ScenarioRunnerSmallList, AStoppedTestLeavesTheOffsetWhereItStopped) {
    UseList(kThree);
    app::ScenarioRunner runner(ws_);
    runner.StateChanged = [&] {
        if (runner.Cycle() == 2) runner.RequestStop();
    };
    EXPECT_FALSE(runner.Test({"CURR#FIRST"}, 3, {}));
    EXPECT_EQ(ws_.Archive().Offset(), 2);
    EXPECT_FALSE(runner.Running());
    // The first cycle's stake is whole in the file.
    const auto stakes = Stakes(ws_);
    ASSERT_EQ(stakes.size(), 1u);
    EXPECT_EQ(stakes[0].Draw, 1498);
}

TEST_F(ScenarioRunnerSmallList, ATestEndedByAnErrorGetsItsOffsetBack) {
    UseList(kThree);
    ws_.Archive().SetOffset(7);
    app::ScenarioRunner runner(ws_);
    // The second line's filter has no window length: an invalid definition.
    EXPECT_FALSE(runner.Test({"CURR#FIRST", "CURR#FIRST|TSD1#EVEN:#LNO:#SF:0"}, 3, {}));
    EXPECT_TRUE(runner.Failed());
    ASSERT_EQ(hooks_.Errors.size(), 1u);
    EXPECT_NE(hooks_.Errors[0].find("Некорректное описание фильтра"), std::string::npos);
    EXPECT_EQ(ws_.Archive().Offset(), 7);
    // The first line of the first cycle had staked before the error.
    EXPECT_EQ(Stakes(ws_).size(), 1u);
    EXPECT_FALSE(runner.Running());
}

TEST_F(ScenarioRunnerSmallList, ClearingKeepsTheStakesStillWaitingForTheirDraw) {
    UseList(kThree);
    // One stake for a past draw (checked when added), one for the next draw.
    TStakeRec past = ws_.Stakes().NewStake({1, 2, 3, 4, 5, 6}, 3);
    past.Draw = 1400;
    ASSERT_TRUE(ws_.Stakes().Add(past, 1));
    ASSERT_TRUE(ws_.Stakes().Add(ws_.Stakes().NewStake({40, 41, 42, 43, 44, 45}, 3), 1));
    const auto stakes = RunLine("CURR#FIRST#CLR");
    ASSERT_EQ(stakes.size(), 2u);
    EXPECT_EQ(Numbers(stakes[0]), (TCombination{40, 41, 42, 43, 44, 45}));
    EXPECT_EQ(Numbers(stakes[1]), (TCombination{1, 2, 3, 4, 5, 6}));
}

TEST_F(ScenarioRunnerSmallList, TestsOutsideTheArchiveAreRefused) {
    UseList(kThree);
    app::ScenarioRunner runner(ws_);
    EXPECT_FALSE(runner.Test({"CURR#FIRST"}, 1500, {}));
    EXPECT_FALSE(runner.Test({"CURR#FIRST"}, 0, {}));
    EXPECT_EQ(hooks_.Errors.size(), 2u);
    EXPECT_TRUE(Stakes(ws_).empty());
}

// System play in a line: the system for the list's eight numbers (5 9 20 31
// 40 44 2 45 in order of appearance) over the three pasted combinations.
constexpr const char* kEightNumbers = "5 9 20 31 40 44\r\n2 9 20 31 40 45\r\n5 9 20 31 40 45\r\n";

TEST_F(ScenarioRunnerSmallList, SystemLinesStakeTheWholeSystemOrOnlyWhatTheListHolds) {
    std::filesystem::create_directory(dir_ / "Systems");
    test::WriteBytes(dir_ / "Systems" / "6-08-0_0001.dat", "1 2 3 4 5 6\r\n7 8 1 2 3 4\r\n7 2 3 4 5 8\r\n");
    UseList(kEightNumbers);
    const auto all = RunLine("CURR#SYSA| | | | | | | |Сис");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(Numbers(all[0]), (TCombination{5, 9, 20, 31, 40, 44}));
    EXPECT_EQ(Numbers(all[1]), (TCombination{2, 5, 9, 20, 31, 45}));
    EXPECT_EQ(Numbers(all[2]), (TCombination{2, 9, 20, 31, 40, 45}));
    EXPECT_EQ(all[0].Kind, TStakeKind::Scenario);
    EXPECT_EQ(all[0].Comment(), "01.000: Сис @ CURR#SYSA");
    ASSERT_TRUE(ws_.Stakes().Clear());
    UseList(kEightNumbers);
    const auto listed = RunLine("CURR#SYSC");
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(Numbers(listed[0]), (TCombination{5, 9, 20, 31, 40, 44}));
    EXPECT_EQ(Numbers(listed[1]), (TCombination{2, 9, 20, 31, 40, 45}));
    EXPECT_TRUE(hooks_.Errors.empty());
    EXPECT_TRUE(hooks_.Warnings.empty());
}

TEST_F(ScenarioRunnerSmallList, ALineWithoutItsSystemMakesNoStakesAndSaysSoOnce) {
    UseList(kEightNumbers);
    app::ScenarioRunner runner(ws_);
    app::TScenarioRunOptions options;
    options.Log = true;
    EXPECT_TRUE(runner.Test({"CURR#SYSA"}, 2, options));
    EXPECT_TRUE(Stakes(ws_).empty());
    ASSERT_EQ(hooks_.Warnings.size(), 1u);
    EXPECT_NE(hooks_.Warnings[0].find("Система для 8 чисел не найдена"), std::string::npos);
    ASSERT_FALSE(runner.LogFile().empty());
    const std::string log = test::ReadBytes(runner.LogFile());
    EXPECT_NE(log.find("Системная игра для 8 чисел [ОШИБКА]"), std::string::npos);
}

// The full list with two filter definitions and the first combination left:
// nothing random, so a test and a run must agree stake for stake.
constexpr const char* kDeterministicLine = "FULL#FIRST|TSD1#EVEN:10#LMV:1#ST:3|TSD1#SUMS:50#LMV:1#ST:2";

std::vector<TStakeRec> RunOnCutArchive(int newestCut) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    test::FakeUiHooks hooks;
    app::Workspace ws{app::DataFiles{dir.path()}, hooks};
    ws.Open();
    EXPECT_TRUE(ws.Stakes().Open());
    EXPECT_TRUE(ws.Archive().Change([&](TDrawsArray& draws) { draws.resize(draws.size() - newestCut); }));
    app::ScenarioRunner runner(ws);
    EXPECT_TRUE(runner.Run({kDeterministicLine}, {}));
    EXPECT_TRUE(hooks.Errors.empty());
    return Stakes(ws);
}

TEST(ScenarioRunnerFullList, ATestStakesForAPastDrawWhatARunMakesOnTheArchiveCutBeforeIt) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    test::FakeUiHooks hooks;
    app::Workspace ws{app::DataFiles{dir.path()}, hooks};
    ws.Open();
    ASSERT_TRUE(ws.Stakes().Open());
    app::ScenarioRunner runner(ws);
    ASSERT_TRUE(runner.Test({kDeterministicLine}, 3, {}));
    const auto tested = Stakes(ws);
    ASSERT_FALSE(tested.empty());
    for (int o : {1, 2, 3}) {
        const int draw = 1501 - o;
        std::vector<TCombination> fromTest;
        for (const TStakeRec& rec : tested)
            if (rec.Draw == draw) fromTest.push_back(Numbers(rec));
        const auto run = RunOnCutArchive(o);
        std::vector<TCombination> fromRun;
        for (const TStakeRec& rec : run) {
            EXPECT_EQ(rec.Draw, draw);
            fromRun.push_back(Numbers(rec));
        }
        EXPECT_FALSE(fromRun.empty()) << o;
        EXPECT_EQ(fromTest, fromRun) << o;
    }
}

TEST(ChanceBaseline, ExpectationIsTheHypergeometricLawAndTheReplaysRepeat) {
    TConfigData config;
    const std::int64_t all = Choose(48, 6);
    const TChanceBaseline b = ChanceBaseline(100, TMoney{}, config, 5);
    for (int m = 0; m <= 6; ++m) {
        const double expected =
            100.0 * static_cast<double>(Choose(6, m) * Choose(42, 6 - m)) / static_cast<double>(all);
        EXPECT_NEAR(b.ExpectedByMatches[static_cast<std::size_t>(m)], expected, 1e-9) << m;
    }
    // Three matches: 100 x 20 x 11480 / 12271512.
    EXPECT_NEAR(b.ExpectedByMatches[3], 100.0 * 229600 / 12271512, 1e-9);
    EXPECT_EQ(b.Replays, kChanceReplays);
    // Nothing won: every replay does at least as well.
    EXPECT_EQ(b.AtLeastAsWell, kChanceReplays);
}

TEST(ChanceBaseline, AFixedSeedGivesTheSameProbabilityEveryTime) {
    TConfigData config;
    config.Profits.push_back({3, TMoney::FromDouble(100)});
    const TChanceBaseline a = ChanceBaseline(1000, TMoney::FromDouble(3000), config, 77);
    const TChanceBaseline b = ChanceBaseline(1000, TMoney::FromDouble(3000), config, 77);
    EXPECT_EQ(a.AtLeastAsWell, b.AtLeastAsWell);
    EXPECT_EQ(a.PValue, b.PValue);
    // 1000 stakes expect 18.7 stakes of three matches, 1871 in prizes; 3000
    // (30 such stakes) lies far in the tail.
    EXPECT_NEAR(a.ExpectedPrizes, 1000.0 * 229600 / 12271512 * 100, 1e-6);
    EXPECT_LT(a.PValue, 0.05);
    EXPECT_GT(a.PValue, 0.0);
}

}  // namespace
}  // namespace corvel
