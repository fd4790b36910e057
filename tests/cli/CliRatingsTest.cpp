// corvel ratings: the ratings that checking fills, shown, exported, rebuilt
// and turned back into scenario lines. Stake price 2; 10 for three matches.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"

namespace corvel {
namespace {

class CliRatings : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteArchiveFile(dir_ / "CorvelLotto_6x48.ldr", {test::MakeDraw(1, {1, 2, 3, 4, 5, 6})});
        test::WriteBytes(dir_ / "CorvelLotto_6x48.ini",
                         "[STAKES]\r\nCost=2\r\nProfits=1\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=10\r\n");
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir_.path().string()});
        return test::RunCliInProcess(args);
    }
    void Stake(const char* numbers, const char* comment) {
        const auto r = Run({"stakes", "add", "1", numbers, "--comment", comment});
        ASSERT_EQ(r.ExitCode, 0) << r.Err;
    }
    std::vector<std::vector<std::string>> Rows(std::vector<std::string> extra = {}) {
        extra.insert(extra.begin(), "ratings");
        const auto r = Run(extra);
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        std::vector<std::vector<std::string>> rows;
        const auto lines = test::Lines(r.Out);
        for (std::size_t i = 1; i < lines.size(); ++i) rows.push_back(test::Fields(lines[i]));
        return rows;
    }
    test::TempDir dir_;
};

TEST_F(CliRatings, CheckedStakesFillTheRowsOfTheirComments) {
    const char* scenario = "01.001: Мой @ FULL#RAND + TSD1#EVEN:10#LMV:1#ST:3";
    Stake("1;2;3;40;41;42", scenario);   // 3 matches: -2 + 10
    Stake("1;2;39;40;41;42", "ручная");  // 2 matches: -2
    Stake("1;2;3;4;41;42", "РУЧНАЯ");    // 4 matches: -2
    auto rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    // Sorted by the average matches, descending: 3 against (2 + 4) / 2 = 3,
    // and equal averages keep the order the rows were made in.
    EXPECT_EQ(rows[0][0], scenario);
    EXPECT_EQ((std::vector<std::string>(rows[0].begin() + 1, rows[0].begin() + 13)),
              (std::vector<std::string>{"1", "3", "3.000", "8.00", "8.00", "0", "0", "0", "1", "0", "0", "0"}));
    EXPECT_EQ(rows[1][0], "ручная");
    EXPECT_EQ(rows[1][1], "2");
    EXPECT_EQ(rows[1][4], "-4.00");
    // Mode 0: the expected counts of two stakes, round(2 p_i): 1, 1, 0, ...
    const auto expected = Rows({"--mode", "0", "--sort", "1", "--desc"});
    EXPECT_EQ(expected[0][0], "ручная");
    EXPECT_EQ((std::vector<std::string>(expected[0].begin() + 13, expected[0].end())),
              (std::vector<std::string>{"1", "1", "0", "0", "0", "0", "0"}));

    // The scenario stake's row becomes its line again.
    auto r = Run({"ratings", "to-script", "1", "-o", (dir_ / "back.lsc").string()});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "FULL:0#RAND|TSD1#EVEN:10#LMV:1#ST:3| | | | | | |01.001: Мой\n");
    r = Run({"ratings", "to-script", "2", "-o", (dir_ / "none.lsc").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Err.find("невозможно добавить в сценарий!"), std::string::npos) << r.Err;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "none.lsc"));

    r = Run({"ratings", "export", (dir_ / "r.csv").string()});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(test::Lines(test::ReadBytes(dir_ / "r.csv")).size(), 3u);
}

TEST_F(CliRatings, RebuildAsksFirstAndForgetsDeletedStakes) {
    Stake("1;2;3;40;41;42", "первая");
    Stake("1;2;39;40;41;42", "вторая");
    ASSERT_EQ(Run({"stakes", "delete", "2"}).ExitCode, 0);
    EXPECT_EQ(Rows().size(), 2u) << "deleting stakes leaves the ratings as they were";
    const std::string before = test::ReadBytes(dir_ / "CorvelLotto_6x48.lrt");
    auto r = Run({"ratings", "rebuild"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Err.find("Пересчитать рейтинг только по текущим ставкам?"), std::string::npos) << r.Err;
    EXPECT_TRUE(test::ReadBytes(dir_ / "CorvelLotto_6x48.lrt") == before);
    r = Run({"ratings", "rebuild", "--yes"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "первая");
}

}  // namespace
}  // namespace corvel
