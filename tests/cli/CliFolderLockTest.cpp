// Writers of one data folder never lose each other's changes: every command
// that writes a data file takes the folder lock the desktop program holds,
// waits for it a short while, and is refused without changing anything when
// it cannot have it. Real processes throughout.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include "TestSupport.h"
#include "app/FolderLock.h"
#include "model/DrawArchive.h"

namespace corvel {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::set<int> DrawNumbers(const fs::path& archive) {
    std::set<int> numbers;
    for (const TDrawRec& rec : ReadArchiveFile(archive)) numbers.insert(rec.Number);
    return numbers;
}

std::vector<std::string> AddDrawArgs(const fs::path& dir, int number) {
    return {"--data-dir", dir.string(), "add-draw", std::to_string(number), "1;2;3;4;5;6;7;8", "--date", "01.01.2027"};
}

TEST(CliFolderLock, TwoAddDrawsStartedTogetherBothLand) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    const fs::path archive = dir / "CorvelLotto_6x48.ldr";
    std::set<int> expected = DrawNumbers(archive);
    for (int round = 0; round < 25; ++round) {
        const int a = 2000 + 2 * round, b = a + 1;
        test::ChildProcess first(CORVEL_CLI_PATH, AddDrawArgs(dir.path(), a));
        test::ChildProcess second(CORVEL_CLI_PATH, AddDrawArgs(dir.path(), b));
        ASSERT_EQ(first.Wait(30s), 0) << first.Err();
        ASSERT_EQ(second.Wait(30s), 0) << second.Err();
        expected.insert({a, b});
    }
    EXPECT_EQ(DrawNumbers(archive), expected);
}

TEST(CliFolderLock, WriterWaitsForTheLockToBeReleased) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    app::FolderLock holder;
    ASSERT_TRUE(holder.Acquire(dir / "CorvelLotto_6x48.lsk"));
    std::vector<std::string> args{"--lock-wait", "20"};
    for (auto& a : AddDrawArgs(dir.path(), 1501)) args.push_back(a);
    test::ChildProcess writer(CORVEL_CLI_PATH, args);
    EXPECT_EQ(writer.Wait(400ms), -1) << "the writer must wait while the folder is held";
    holder.Release();
    ASSERT_EQ(writer.Wait(30s), 0) << writer.Err();
    EXPECT_TRUE(DrawNumbers(dir / "CorvelLotto_6x48.ldr").contains(1501));
}

// Every writing command is refused while another process holds the folder,
// with the exclusive-access error and exit 1, and the folder stays as it was.
struct RefusedCase {
    const char* Name;
    std::vector<std::string> Args;
    friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.Name; }
};

class CliFolderLockRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(CliFolderLockRefused, ChangesNothing) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    const std::string before = test::ReadBytes(dir / "CorvelLotto_6x48.ldr");
    app::FolderLock holder;
    ASSERT_TRUE(holder.Acquire(dir / "CorvelLotto_6x48.lsk"));
    // A scenario lives outside the data folder, so the folder listing below stays exact.
    test::TempDir scripts;
    test::WriteBytes(scripts / "t.lsc", "FULL#RAND| | | | | | | |\r\n");
    std::vector<std::string> args{"--data-dir", dir.path().string(), "--lock-wait", "0"};
    for (const auto& a : GetParam().Args) args.push_back(a == "{SCRIPT}" ? (scripts / "t.lsc").string() : a);
    const test::ProcessResult r = test::RunCorvel(args);
    EXPECT_EQ(r.ExitCode, 1) << r.Err;
    EXPECT_NE(r.Err.find("Невозможно получить монопольный доступ к файлам данных!"), std::string::npos) << r.Err;
    EXPECT_EQ(test::ReadBytes(dir / "CorvelLotto_6x48.ldr"), before);
    EXPECT_FALSE(fs::exists(dir / "Prefetchs" / "corvel-lotto_EVEN.dfc"));
    EXPECT_EQ(test::ReadBytes(dir / "CorvelLotto_6x48.lsk"), "");
    EXPECT_EQ(test::FolderEntries(dir.path()),
              (std::vector<std::string>{"CorvelLotto_6x48.ldr", "CorvelLotto_6x48.lsk"}));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliFolderLockRefused,
    testing::Values(RefusedCase{"AddDraw", {"add-draw", "1501", "1;2;3;4;5;6;7;8"}},
                    RefusedCase{"EditDraw", {"edit-draw", "1500", "1;2;3;4;5;6;7;8"}},
                    RefusedCase{"DeleteDraw", {"delete-draw", "1500"}}, RefusedCase{"Prefetch", {"prefetch", "EVEN"}},
                    RefusedCase{"StatsBuildingACache", {"stats", "EVEN", "--prefetch"}},
                    RefusedCase{"FilterBuildingACache",
                                {"filter", "--prefetch", "--definition", "TSD4#EVEN:10#DMV:0#ST:1"}},
                    RefusedCase{"StakesAdd", {"stakes", "add", "1501", "1;2;3;4;5;6"}},
                    RefusedCase{"StakesAddRandom", {"stakes", "add-random", "1501", "--seed", "1"}},
                    RefusedCase{"StakesDelete", {"stakes", "delete", "--where", "hits<0"}},
                    RefusedCase{"StakesClear", {"stakes", "clear"}}, RefusedCase{"StakesCheck", {"stakes", "check"}},
                    RefusedCase{"ScriptRun", {"script", "run", "{SCRIPT}", "--seed", "1"}},
                    RefusedCase{"SystemsPlay", {"systems", "play"}},
                    RefusedCase{"ScriptTest", {"script", "test", "{SCRIPT}", "--count", "2", "--seed", "1"}},
                    RefusedCase{"TablesAdd", {"tables", "add", "--comment", "Регуляр", "--last-draw"}},
                    RefusedCase{"TablesDelete", {"tables", "delete", "1"}},
                    RefusedCase{"TablesStake", {"tables", "stake", "1"}},
                    RefusedCase{"TablesTest", {"tables", "test", "1", "--count", "2"}}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(CliFolderLock, ReadingCommandsNeedNoLock) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    app::FolderLock holder;
    ASSERT_TRUE(holder.Acquire(dir / "CorvelLotto_6x48.lsk"));
    for (std::vector<std::string> args : {std::vector<std::string>{"draws", "--last", "1"},
                                          {"values", "EVEN", "--window", "10"},
                                          {"stats", "EVEN", "--window", "10"},
                                          {"stakes", "list"},
                                          {"stakes", "summary"},
                                          {"tables", "list"},
                                          {"systems", "list"}}) {
        args.insert(args.begin(), {"--data-dir", dir.path().string(), "--lock-wait", "0"});
        const test::ProcessResult r = test::RunCorvel(args);
        EXPECT_EQ(r.ExitCode, 0) << args[4] << " " << args[5] << ": " << r.Err;
    }
}

}  // namespace
}  // namespace corvel
