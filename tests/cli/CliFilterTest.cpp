// corvel stats, prefetch, generate and filter on a copy of the sample archive.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "CliRunner.h"
#include "TestSupport.h"
#include "model/Cp1251.h"

namespace corvel {
namespace {

class CliFilter : public ::testing::Test {
  protected:
    void SetUp() override { test::CopySampleArchive(dir_.path()); }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir_.path().string()});
        return test::RunCliInProcess(args);
    }
    test::TempDir dir_;
};

TEST_F(CliFilter, StatsTableHasTheCaptionsAndOneRowPerValue) {
    const auto r = Run({"stats", "EVEN", "--window", "500", "--sort", "0"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const auto lines = test::Lines(r.Out);
    ASSERT_GE(lines.size(), 7u);
    const auto header = test::Fields(lines[0]);
    ASSERT_EQ(header.size(), 20u);
    EXPECT_EQ(header[0], "Значение");
    EXPECT_EQ(header[19], "+/- КРН");
    int total = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto f = test::Fields(lines[i]);
        ASSERT_EQ(f.size(), 20u);
        EXPECT_EQ(f[3], "-");  // no prefetch asked
        total += std::stoi(f[1]);
    }
    EXPECT_EQ(total, 500);
    EXPECT_EQ(test::Fields(lines[1])[0], "0:6");  // sorted by the value text
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Prefetchs"));

    const auto withPrefetch = Run({"stats", "EVEN", "--prefetch", "--offset", "5"});
    ASSERT_EQ(withPrefetch.ExitCode, 0) << withPrefetch.Err;
    EXPECT_NE(test::Fields(test::Lines(withPrefetch.Out)[1])[3], "-");
    EXPECT_TRUE(std::filesystem::exists(dir_ / "Prefetchs" / "corvel-lotto_EVEN.dfc"));

    EXPECT_EQ(Run({"stats", "NOPE"}).ExitCode, 2);
    EXPECT_EQ(Run({"stats", "EVEN", "--offset", "1500"}).ExitCode, 2);
}

TEST_F(CliFilter, PrefetchBuildsAndRebuildsCaches) {
    auto r = Run({"prefetch", "POS1", "EVEN"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_TRUE(std::filesystem::exists(dir_ / "Prefetchs" / "corvel-lotto_POS1.dfc"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Prefetchs" / "corvel-lotto_NUMS.dfc"));
    EXPECT_EQ(Run({"prefetch", "POE1"}).ExitCode, 2);  // not prefetchable

    // A damaged cache is rebuilt by a plain run; the others are kept.
    test::WriteBytes(dir_ / "Prefetchs" / "corvel-lotto_EVEN.dfc", "short");
    r = Run({"prefetch"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Err.find("100 %"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(dir_ / "Prefetchs" / "corvel-lotto_EVEN.dfc"), 8u * 12);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "Prefetchs" / "corvel-lotto_NUMS.dfc"));
}

TEST_F(CliFilter, GenerateCountsAndWrites) {
    auto r = Run({"generate"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "12271512\n");
    r = Run({"generate", "--mode", "2", "--params", "1;2;3;4;5;6;7", "-o", (dir_ / "seven.lcv").string()});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "7\n");
    const std::string file = test::ReadBytes(dir_ / "seven.lcv");
    EXPECT_EQ(file.substr(0, 13), "1;2;3;4;5;6\r\n");
    EXPECT_EQ(Run({"generate", "--mode", "9"}).ExitCode, 2);
}

TEST_F(CliFilter, StepsRunInCommandLineOrder) {
    test::WriteBytes(dir_ / "in.lcv", "1;2;3;4;5;6\r\n2;4;6;8;10;12\r\n1;3;5;7;9;11\r\n7;8;9;10;11;12\r\njunk\r\n");
    auto r = Run({"filter", "--from", (dir_ / "in.lcv").string(), "--remove", "NUMS:10=1", "--keep", "EVEN:100=3:3",
                  "-o", (dir_ / "out.lcv").string()});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const auto lines = test::Lines(r.Out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(test::Fields(lines[1])[1], "1");
    EXPECT_EQ(test::Fields(lines[1])[2], "2");  // 1;2;3... and 1;3;5... removed
    EXPECT_EQ(test::Fields(lines[2])[2], "1");  // of 2;4;6.. and 7;8;9.., only the latter has three even
    EXPECT_EQ(lines[3], "Комбинаций: 1");
    EXPECT_EQ(test::ReadBytes(dir_ / "out.lcv"), "7;8;9;10;11;12\r\n");
}

TEST_F(CliFilter, DefinitionsAndBadSteps) {
    auto r = Run({"filter", "--definition", "TSD1#EVEN:100#LNO:#ST:2"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(test::Lines(r.Out).size(), 4u);  // header, two steps, count

    EXPECT_EQ(Run({"filter", "--keep", "EVEN:100=9:9"}).ExitCode, 2);
    EXPECT_EQ(Run({"filter", "--keep", "EVEN100"}).ExitCode, 2);
    EXPECT_EQ(Run({"filter", "--definition", "TSD1#NOPE:10#LNO:#SF:1"}).ExitCode, 2);
    EXPECT_EQ(Run({"filter", "--definition", "TSD1#EVEN:#LNO:#SF:1"}).ExitCode,
              2);  // bad input, like the unknown method
    EXPECT_EQ(Run({"filter", "--exclude-last", "x"}).ExitCode, 2);
}

// The cap on the parts of one definition: refused at once as a data error,
// before any memory is spent on the parts.
TEST_F(CliFilter, DefinitionWithTooManyPartsIsRefusedAtOnce) {
    const auto r = Run({"filter", "--definition", "TSD1#NUMS:1-1000000;1#LMV:1-1000000;1#ST:0"});
    EXPECT_EQ(r.ExitCode, 1) << r.Err;
    EXPECT_NE(r.Err.find("дает слишком много вариантов (допустимо не более 100 000)"), std::string::npos) << r.Err;
    EXPECT_EQ(r.Out, "");
}

// A long definition shows its progress and stops at Ctrl+C, ending with exit 1
// and writing no list. 100,000 windows whose level never picks a row: each
// part computes a table and filters nothing.
TEST_F(CliFilter, LongDefinitionShowsProgressAndStopsOnInterrupt) {
    using namespace std::chrono_literals;
    const auto out = dir_ / "out.lcv";
    test::ChildProcess run(CORVEL_CLI_PATH, {"--data-dir", dir_.path().string(), "filter", "--definition",
                                             "TSD1#NUMS:1-100000;1#LMV:100000#ST:1", "-o", out.string()});
    bool progress = false;
    for (auto deadline = std::chrono::steady_clock::now() + 60s;
         !progress && std::chrono::steady_clock::now() < deadline;) {
        progress =
            run.Err().find("Применение фильтра TSD1#NUMS:1-100000;1#LMV:100000#ST:1... 1 %") != std::string::npos;
        if (!progress) std::this_thread::sleep_for(20ms);
        ASSERT_EQ(run.Wait(0ms), -1) << "ended before its first percent: " << run.Err();
    }
    ASSERT_TRUE(progress) << run.Err();
    run.Signal(SIGINT);
    EXPECT_EQ(run.Wait(20s), 1) << run.Err();
    EXPECT_NE(run.Err().find("Операция прервана пользователем!"), std::string::npos) << run.Err();
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace corvel
