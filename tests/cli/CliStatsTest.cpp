// corvel values (corvel methods: MethodsGoldenTest).
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"

namespace corvel {
namespace {

const char* const kValuesHeader = "value\tcount\tdepth\tlast_draw\tmin_interval\tmax_interval\n";

class CliStats : public ::testing::Test {
  protected:
    void SetUp() override {
        // Five draws 11..15. POS1 (first number drawn): 1, 1, 3, 1, 2.
        // POE1 (first extra number): 7, 9, 7, 7, 9. Sorted, every draw starts with 1.
        WriteArchiveFile(
            dir_ / "CorvelLotto_6x48.ldr",
            {test::MakeDraw(11, {1, 2, 3, 4, 5, 6}, {7, 1}), test::MakeDraw(12, {1, 2, 3, 4, 5, 7}, {9, 1}),
             test::MakeDraw(13, {3, 2, 1, 4, 5, 6}, {7, 1}), test::MakeDraw(14, {1, 9, 3, 4, 5, 6}, {7, 1}),
             test::MakeDraw(15, {2, 1, 3, 4, 5, 6}, {9, 1})});
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir_.path().string()});
        return test::RunCliInProcess(args);
    }

    test::TempDir dir_;
};

// The listing of `corvel methods` is held by the golden file (MethodsGoldenTest).

TEST_F(CliStats, ValuesOfTheWholeArchive) {
    const test::CliResult r = Run({"values", "POE1"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    // 7 in draws 11, 13, 14: last 14, two draws back, gaps 2 and 1. 9 in 12 and 15.
    EXPECT_EQ(r.Out, std::string(kValuesHeader) +
                         "7\t3\t2\t14\t1\t2\n"
                         "9\t2\t1\t15\t3\t3\n");
}

struct WindowCase {
    const char* Name;
    std::vector<std::string> Args;
    const char* Rows;
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.Name; }

class CliValuesWindow : public CliStats, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(CliValuesWindow, CountsOnlyTheDrawsOfTheWindow) {
    const WindowCase& c = GetParam();
    const test::CliResult r = Run(c.Args);
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, std::string(kValuesHeader) + c.Rows);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, CliValuesWindow,
    ::testing::Values(
        // Draw 15 hidden: depth counts from draw 14, 9 is seen once.
        WindowCase{"OffsetOne", {"values", "POE1", "--offset", "1"}, "7\t3\t1\t14\t1\t2\n9\t1\t3\t12\t0\t0\n"},
        WindowCase{"OffsetOneWindowTwo", {"values", "POE1", "--offset", "1", "--window", "2"}, "7\t2\t1\t14\t1\t1\n"},
        WindowCase{"WindowLongerThanTheArchive",
                   {"values", "POE1", "--window", "50"},
                   "7\t3\t2\t14\t1\t2\n9\t2\t1\t15\t3\t3\n"},
        WindowCase{"LowerCaseCode", {"values", "poe1", "--window", "1"}, "9\t1\t1\t15\t0\t0\n"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST_F(CliStats, FirstPositionListsEveryPossibleValue) {
    const test::CliResult r = Run({"values", "POS1"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const auto lines = test::Lines(r.Out);
    ASSERT_EQ(lines.size(), 49u);  // header and the values 1..48, seen or not
    EXPECT_EQ(lines[1], "1\t3\t2\t14\t1\t2");
    EXPECT_EQ(lines[2], "2\t1\t1\t15\t0\t0");
    EXPECT_EQ(lines[3], "3\t1\t3\t13\t0\t0");
    EXPECT_EQ(lines[48], "48\t0\t0\t0\t0\t0");

    // The sorted view changes what the first position holds: 1 in every draw.
    const auto sorted = test::Lines(Run({"values", "POS1", "--sorted", "--offset", "2"}).Out);
    ASSERT_EQ(sorted.size(), 49u);
    EXPECT_EQ(sorted[1], "1\t3\t1\t13\t1\t1");
    EXPECT_EQ(sorted[2], "2\t0\t0\t0\t0\t0");
    EXPECT_EQ(sorted[3], "3\t0\t0\t0\t0\t0");
}

TEST_F(CliStats, UnknownMethodNamesSimilarCodes) {
    const test::CliResult r = Run({"values", "POS7"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(r.Out, "");
    const auto lines = test::Lines(r.Err);
    ASSERT_EQ(lines.size(), 2u) << r.Err;
    EXPECT_EQ(lines[0], "Неизвестный метод расчета статистики: POS7");
    EXPECT_EQ(lines[1].rfind("Похожие методы: POS1, POS2, POS3, POS4, POS5, POS6", 0), 0u) << lines[1];
}

TEST_F(CliStats, OffsetMustLeaveADraw) {
    const test::CliResult r = Run({"values", "POE1", "--offset", "5"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_NE(r.Err.find("(5)"), std::string::npos) << r.Err;
    EXPECT_EQ(Run({"values", "POE1", "--offset", "4"}).Out, std::string(kValuesHeader) + "7\t1\t1\t11\t0\t0\n");
}

}  // namespace
}  // namespace corvel
