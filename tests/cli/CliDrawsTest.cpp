// corvel draws: the draws list, newest first.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <ostream>
#include <string>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"

namespace corvel {
namespace {

const char* const kHeader = "Тираж\t1\t2\t3\t4\t5\t6\tE1\tE2\tS\tДата тиража";

class CliDraws : public ::testing::Test {
  protected:
    test::CliResult Draws(std::vector<std::string> extra = {}) {
        std::vector<std::string> args{"--data-dir", dir_.path().string(), "draws"};
        args.insert(args.end(), extra.begin(), extra.end());
        return test::RunCliInProcess(args);
    }
    std::filesystem::path Archive() const { return dir_ / "CorvelLotto_6x48.ldr"; }

    test::TempDir dir_;
};

// Three draws with a gap in the numbering, unsorted numbers and one without a date.
TDrawsArray SmallArchive() {
    return {test::MakeDraw(7, {40, 3, 17, 25, 1, 9}, {5, 48}, "02.03.2024"),
            test::MakeDraw(9, {2, 4, 6, 8, 10, 12}, {1, 1}, ""),
            test::MakeDraw(12, {48, 47, 1, 2, 30, 31}, {44, 3}, "16.03.2024")};
}

TEST_F(CliDraws, ListsNewestFirstWithSumAndDate) {
    WriteArchiveFile(Archive(), SmallArchive());
    const test::CliResult r = Draws();
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(r.Out, std::string(kHeader) +
                         "\n"
                         "12\t48\t47\t1\t2\t30\t31\t44\t3\t159\t16.03.2024\n"
                         "9\t2\t4\t6\t8\t10\t12\t1\t1\t42\t\n"
                         "7\t40\t3\t17\t25\t1\t9\t5\t48\t95\t02.03.2024\n");
}

TEST_F(CliDraws, SortedSortsTheSixNumbersOnlyAndLeavesTheFile) {
    WriteArchiveFile(Archive(), SmallArchive());
    const std::string before = test::ReadBytes(Archive());
    const test::CliResult r = Draws({"--sorted"});
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Out, std::string(kHeader) +
                         "\n"
                         "12\t1\t2\t30\t31\t47\t48\t44\t3\t159\t16.03.2024\n"
                         "9\t2\t4\t6\t8\t10\t12\t1\t1\t42\t\n"
                         "7\t1\t3\t9\t17\t25\t40\t5\t48\t95\t02.03.2024\n");
    EXPECT_EQ(test::ReadBytes(Archive()), before);
}

struct LastCase {
    const char* Name;
    const char* Last;
    std::vector<std::string> Numbers;  // first column of the rows
};

void PrintTo(const LastCase& c, std::ostream* os) { *os << c.Name; }

class CliDrawsLast : public CliDraws, public ::testing::WithParamInterface<LastCase> {};

TEST_P(CliDrawsLast, ShowsTheNewestRows) {
    WriteArchiveFile(Archive(), SmallArchive());
    const test::CliResult r = Draws({"--last", GetParam().Last});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const auto lines = test::Lines(r.Out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], kHeader);
    std::vector<std::string> numbers;
    for (std::size_t i = 1; i < lines.size(); ++i) numbers.push_back(test::Fields(lines[i])[0]);
    EXPECT_EQ(numbers, GetParam().Numbers);
}

INSTANTIATE_TEST_SUITE_P(Counts, CliDrawsLast,
                         ::testing::Values(LastCase{"One", "1", {"12"}}, LastCase{"Two", "2", {"12", "9"}},
                                           LastCase{"MoreThanTheArchive", "50", {"12", "9", "7"}},
                                           LastCase{"ZeroMeansAll", "0", {"12", "9", "7"}}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST_F(CliDraws, NegativeLastIsAUsageError) {
    WriteArchiveFile(Archive(), SmallArchive());
    const test::CliResult r = Draws({"--last", "-1"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(r.Out, "");
}

TEST_F(CliDraws, SampleArchiveRowsAreConsistent) {
    test::CopySampleArchive(dir_.path());
    const test::CliResult r = Draws();
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const auto lines = test::Lines(r.Out);
    ASSERT_EQ(lines.size(), 1501u);
    EXPECT_EQ(lines[0], kHeader);
    for (std::size_t row = 1; row < lines.size(); ++row) {
        const auto f = test::Fields(lines[row]);
        ASSERT_EQ(f.size(), 11u) << lines[row];
        EXPECT_EQ(f[0], std::to_string(1501 - row));  // newest first
        std::set<int> six;
        int sum = 0;
        for (int k = 1; k <= 6; ++k) {
            const int n = std::stoi(f[static_cast<std::size_t>(k)]);
            EXPECT_TRUE(n >= 1 && n <= 48) << lines[row];
            six.insert(n);
            sum += n;
        }
        EXPECT_EQ(six.size(), 6u) << lines[row];
        EXPECT_EQ(f[9], std::to_string(sum)) << lines[row];
        EXPECT_EQ(f[10].size(), 10u) << lines[row];
        if (::testing::Test::HasFailure()) break;  // one broken row is enough to see
    }
    EXPECT_EQ(lines[1], "1500\t48\t23\t32\t45\t24\t38\t22\t31\t210\t05.12.2026");
    EXPECT_EQ(lines[1500], "1\t20\t7\t36\t26\t33\t28\t10\t34\t150\t25.07.2012");
}

TEST_F(CliDraws, SortedSampleKeepsNumbersSumsAndExtras) {
    test::CopySampleArchive(dir_.path());
    const auto plain = test::Lines(Draws({"--last", "200"}).Out);
    const auto sorted = test::Lines(Draws({"--last", "200", "--sorted"}).Out);
    ASSERT_EQ(plain.size(), 201u);
    ASSERT_EQ(sorted.size(), plain.size());
    for (std::size_t row = 1; row < plain.size(); ++row) {
        auto p = test::Fields(plain[row]), s = test::Fields(sorted[row]);
        std::vector<int> pn, sn;
        for (std::size_t k = 1; k <= 6; ++k) {
            pn.push_back(std::stoi(p[k]));
            sn.push_back(std::stoi(s[k]));
        }
        EXPECT_TRUE(std::is_sorted(sn.begin(), sn.end())) << sorted[row];
        std::sort(pn.begin(), pn.end());
        EXPECT_EQ(sn, pn) << sorted[row];
        for (std::size_t k : {0u, 7u, 8u, 9u, 10u}) EXPECT_EQ(s[k], p[k]) << sorted[row];
        if (::testing::Test::HasFailure()) break;
    }
}

TEST_F(CliDraws, MissingArchiveIsAnEmptyList) {
    const test::CliResult r = Draws();
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Out, std::string(kHeader) + "\n");
    EXPECT_EQ(r.Err, "");
    EXPECT_FALSE(std::filesystem::exists(Archive()));  // reading never creates the file
}

TEST_F(CliDraws, TrailingPartOfARecordIsIgnored) {
    test::CopySampleArchive(dir_.path());
    const std::string whole = Draws().Out;
    std::string bytes = test::ReadBytes(Archive());
    test::WriteBytes(Archive(), bytes + std::string(23, '\x31'));
    const test::CliResult r = Draws();
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(r.Out, whole);
}

TEST_F(CliDraws, UnreadableArchiveWarnsAndListsNothing) {
    std::filesystem::create_directory(Archive());
    const test::CliResult r = Draws();
    EXPECT_EQ(r.ExitCode, 1);  // what could be read is listed, but the run failed
    EXPECT_EQ(r.Out, std::string(kHeader) + "\n");
    EXPECT_EQ(r.Err.rfind("Ошибка чтения файла тиражей!\n\n", 0), 0u) << r.Err;
}

TEST_F(CliDraws, ProgramPrintsWhatTheInProcessRunPrints) {
    test::CopySampleArchive(dir_.path());
    const test::ProcessResult p = test::RunCorvel({"--data-dir", dir_.path().string(), "draws", "--last", "5"});
    EXPECT_EQ(p.ExitCode, 0) << p.Err;
    EXPECT_EQ(p.Err, "");
    EXPECT_EQ(p.Out, Draws({"--last", "5"}).Out);
    EXPECT_EQ(test::Lines(p.Out).size(), 6u);
}

}  // namespace
}  // namespace corvel
