// corvel tables: the regulars tab from the command line on a hand-made
// archive of four draws; every stake and match count is worked out by hand.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"

namespace corvel {
namespace {

class CliTables : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteArchiveFile(dir_ / "CorvelLotto_6x48.ldr",
                         {test::MakeDraw(1, {1, 2, 3, 4, 5, 6}), test::MakeDraw(2, {7, 8, 9, 10, 11, 12}),
                          test::MakeDraw(3, {13, 14, 15, 16, 17, 18}), test::MakeDraw(4, {8, 9, 10, 11, 12, 13})});
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir_.path().string()});
        return test::RunCliInProcess(args);
    }
    std::vector<std::string> List() {
        const test::CliResult r = Run({"tables", "list"});
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        return test::Lines(r.Out);
    }
    test::TempDir dir_;
};

TEST_F(CliTables, AddsListsStakesTestsAndDeletes) {
    test::CliResult r = Run({"tables", "add", "--comment", "Шаг", "--start", "48;47;46;45;44;43"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "Добавлено регулярных ставок: 1. Всего регулярных ставок: 1.\n");
    ASSERT_EQ(Run({"tables", "add", "--comment", "Тираж", "--last-draw"}).ExitCode, 0);
    EXPECT_EQ(List(),
              (std::vector<std::string>{"Строка\tКомментарий\tСтартовая комбинация\tШаг\tТекущая комбинация\tСтавок",
                                        "1\tШаг\t43;44;45;46;47;48\t1\t43;44;45;46;47;48\t0", "2\tТираж\t\t1\t\t0"}));

    r = Run({"tables", "stake", "1"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "Ставка на тираж 5: 1;44;45;46;47;48\n");
    EXPECT_EQ(List()[1], "1\tШаг\t43;44;45;46;47;48\t1\t1;44;45;46;47;48\t1");

    // Offsets 3, 2, 1: draws 1, 2, 3 moved by one are staked on draws 2, 3, 4.
    r = Run({"tables", "test", "2", "--count", "3"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "Создано ставок: 3. Всего записей: 4.\n");
    EXPECT_EQ(List()[2], "2\tТираж\t\t1\t14;15;16;17;18;19\t3");
    const std::vector<std::string> stakes = test::Lines(Run({"stakes", "list"}).Out);
    ASSERT_EQ(stakes.size(), 5u);
    struct Row {
        const char* Draw;
        const char* Numbers;
        const char* Hits;
    };
    // 2..7 against 7..12: 7; 8..13 against 13..18: 13; 14..19 against 8..13: none.
    const Row expected[] = {{"2", "2;3;4;5;6;7", "1"}, {"3", "8;9;10;11;12;13", "1"}, {"4", "14;15;16;17;18;19", "0"}};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::vector<std::string> f = test::Fields(stakes[i + 2]);
        ASSERT_GE(f.size(), 10u);
        EXPECT_EQ(f[1], "Регуляр") << i;
        EXPECT_EQ(f[2], expected[i].Draw) << i;
        EXPECT_EQ(f[3], "1") << i;
        EXPECT_EQ(f[4], expected[i].Numbers) << i;
        EXPECT_EQ(f[6], expected[i].Hits) << i;
        EXPECT_EQ(f[9], "Тираж") << i;
    }

    r = Run({"tables", "delete", "1"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "Удалено регулярных ставок: 1\n");
    EXPECT_EQ(List().size(), 2u);
}

struct RefusedCase {
    const char* Name;
    std::vector<std::string> Args;
    int ExitCode;
    friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.Name; }
};

class CliTablesRefused : public CliTables, public testing::WithParamInterface<RefusedCase> {};

TEST_P(CliTablesRefused, ChangesNothing) {
    ASSERT_EQ(Run({"tables", "add", "--comment", "Шаг", "--start", "1;2;3;4;5;6"}).ExitCode, 0);
    const std::string before = test::ReadBytes(dir_ / "CorvelLotto_6x48.ltb");
    const test::CliResult r = Run(GetParam().Args);
    EXPECT_EQ(r.ExitCode, GetParam().ExitCode) << r.Err;
    EXPECT_FALSE(r.Err.empty());
    EXPECT_TRUE(test::ReadBytes(dir_ / "CorvelLotto_6x48.ltb") == before);
    EXPECT_EQ(test::Lines(Run({"stakes", "list"}).Out).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliTablesRefused,
    testing::Values(
        RefusedCase{"NoStart", {"tables", "add", "--comment", "Новая"}, 2},
        RefusedCase{
            "StartAndLastDraw", {"tables", "add", "--comment", "Новая", "--start", "1;2;3;4;5;6", "--last-draw"}, 2},
        RefusedCase{"FiveNumbers", {"tables", "add", "--comment", "Новая", "--start", "1;2;3;4;5"}, 2},
        RefusedCase{"StepTooLarge", {"tables", "add", "--comment", "Новая", "--last-draw", "--step", "49"}, 2},
        RefusedCase{"EmptyComment", {"tables", "add", "--comment", " ", "--last-draw"}, 2},
        RefusedCase{"CommentTaken", {"tables", "add", "--comment", "шаг", "--last-draw"}, 1},
        RefusedCase{"DeleteMissingRow", {"tables", "delete", "1", "2"}, 1},
        RefusedCase{"StakeRowZero", {"tables", "stake", "0"}, 2},
        RefusedCase{"StakeMissingRow", {"tables", "stake", "2"}, 1},
        RefusedCase{"TestCountBeyondTheArchive", {"tables", "test", "1", "--count", "4"}, 1},
        RefusedCase{"TestWithoutCount", {"tables", "test", "1"}, 2}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST_F(CliTables, ADamagedFileIsReportedAndKept) {
    const std::string damaged(281, '\0');
    test::WriteBytes(dir_ / "CorvelLotto_6x48.ltb", damaged);
    for (std::vector<std::string> args :
         {std::vector<std::string>{"tables", "list"}, {"tables", "add", "--comment", "Новая", "--last-draw"}}) {
        const test::CliResult r = Run(args);
        EXPECT_EQ(r.ExitCode, 1) << args[1];
        EXPECT_NE(r.Err.find("Ошибка чтения файла регулярных ставок!"), std::string::npos) << r.Err;
    }
    EXPECT_TRUE(test::ReadBytes(dir_ / "CorvelLotto_6x48.ltb") == damaged);
}

}  // namespace
}  // namespace corvel
