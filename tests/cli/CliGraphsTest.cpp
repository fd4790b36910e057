// corvel stakes graph and corvel ratings graph: the series of the graphs of
// the stakes and ratings tabs as text. Stake price 2; 10 for three matches.
#include <gtest/gtest.h>

#include <cstdio>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"

namespace corvel {
namespace {

const std::string kNoData =
    "Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более одного тиража!";

class CliGraphs : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteArchiveFile(dir_ / "CorvelLotto_6x48.ldr",
                         {test::MakeDraw(1, {1, 2, 3, 4, 5, 6}), test::MakeDraw(2, {7, 8, 9, 10, 11, 12})});
        test::WriteBytes(dir_ / "CorvelLotto_6x48.ini",
                         "[STAKES]\r\nCost=2\r\nProfits=1\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=10\r\n");
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir_.path().string()});
        return test::RunCliInProcess(args);
    }
    void Stake(const char* draw, const char* numbers, const char* comment) {
        const auto r = Run({"stakes", "add", draw, numbers, "--comment", comment});
        ASSERT_EQ(r.ExitCode, 0) << r.Err;
    }
    // The stakes of the graphs: draw 1 with 3 and 2 matches (8 and -2), draw 2
    // with 3 (8), and one waiting for draw 3 (its cost, -2).
    void MakeStakes() {
        Stake("1", "1;2;3;40;41;42", "Мой");
        Stake("1", "1;2;39;40;41;42", "другой");
        Stake("2", "7;8;9;40;41;42", "МОЙ");
        Stake("3", "1;2;3;4;5;6", "мой");
    }
    std::string Graph(std::vector<std::string> args) {
        const auto r = Run(args);
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        return r.Out;
    }
    test::TempDir dir_;
};

TEST_F(CliGraphs, ProfitPerDrawWithItsMeanAndRunningTotal) {
    MakeStakes();
    // Draw 1: 8 - 2 = 6; draw 2: 8; draw 3: -2. Total 12 over three draws.
    EXPECT_EQ(Graph({"stakes", "graph"}),
              "Суммарный профит по тиражам\n"
              "Суммарный профит ставок по тиражу\n1\t6.00\n2\t8.00\n3\t-2.00\n"
              "Среднее значение\n1\t4.00\n2\t4.00\n3\t4.00\n"
              "Накопленное значение\n1\t6.00\n2\t14.00\n3\t12.00\n");
}

TEST_F(CliGraphs, GraphsOfRatingRows) {
    MakeStakes();
    // The ratings by the average, descending: "Мой" (3 and 3 matches), then "другой" (2).
    EXPECT_EQ(Graph({"ratings", "graph", "overlap", "1"}), "График совпадений ставок\nМой\n1\t3\n2\t3\n");
    EXPECT_EQ(Graph({"ratings", "graph", "profits", "2", "1"}),
              "График профита ставок\nМой\n1\t8.00\n2\t8.00\nдругой\n1\t-2.00\n");

    // Normal values of two stakes (the larger row): 2 C(6, i) C(42, 6 - i) / C(48, 6).
    auto binomial = [](int n, int k) {
        double c = 1;
        for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
        return c;
    };
    std::string expected = "Количество совпадений\nНормальные значения\n";
    for (int i = 0; i <= 6; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%d\t%.3f\n", i, 2 * binomial(6, i) * binomial(42, 6 - i) / binomial(48, 6));
        expected += line;
    }
    expected += "Мой\n0\t0\n1\t0\n2\t0\n3\t2\n4\t0\n5\t0\n6\t0\n";
    expected += "другой\n0\t0\n1\t0\n2\t1\n3\t0\n4\t0\n5\t0\n6\t0\n";
    EXPECT_EQ(Graph({"ratings", "graph", "matches", "1", "2"}), expected);

    const auto r = Run({"ratings", "graph", "matches", "3"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Err.find("Строки 3 нет в рейтинге (строк: 2)"), std::string::npos) << r.Err;
}

TEST_F(CliGraphs, GraphsWithoutDataFailWithTheirText) {
    auto r = Run({"stakes", "graph"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, kNoData + "\n");

    // Checked stakes of one draw only; the other waits for its draw.
    Stake("1", "1;2;3;40;41;42", "Мой");
    Stake("1", "1;2;3;4;41;42", "Мой");
    Stake("3", "1;2;3;40;41;42", "Мой");
    r = Run({"ratings", "graph", "profits", "1"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err, kNoData + "\n");
}

}  // namespace
}  // namespace corvel
