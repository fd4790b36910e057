// Deleting the stakes logs: every "CorvelLotto_6x48-*.log" of the data folder
// goes, nothing else does, and the summary says how many.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "TestSupport.h"
#include "stakes/StakeLogs.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

TEST(DeleteStakeLogs, DeletesEveryLogAndNothingElse) {
    test::TempDir dir;
    for (const char* name : {"CorvelLotto_6x48-0.log", "CorvelLotto_6x48-6.log", "CorvelLotto_6x48-12.log"})
        test::WriteBytes(dir / name, "line\r\n");
    // Neighbours that only look alike stay.
    for (const char* name : {"CorvelLotto_6x48.lsk", "CorvelLotto_6x48-1.txt", "Other-1.log", "CorvelLotto_6x48.log"})
        test::WriteBytes(dir / name, "keep");
    fs::create_directory(dir / "CorvelLotto_6x48-3.log");

    const TStakeLogsDeletion result = DeleteStakeLogs(dir.path());
    EXPECT_EQ(result.Found, 3);
    EXPECT_EQ(result.Deleted, 3);
    EXPECT_TRUE(result.Errors.empty());
    EXPECT_EQ(test::FolderEntries(dir.path()),
              (std::vector<std::string>{"CorvelLotto_6x48-1.txt", "CorvelLotto_6x48-3.log", "CorvelLotto_6x48.log",
                                        "CorvelLotto_6x48.lsk", "Other-1.log"}));
    EXPECT_EQ(StakeLogsDeletionText(result),
              "Удалено файлов журналов: 3 из 3.\r\rВсе найденные файлы журналов удалены.");
}

TEST(DeleteStakeLogs, AFolderWithoutLogsFindsNone) {
    test::TempDir dir;
    test::WriteBytes(dir / "CorvelLotto_6x48.lsk", "");
    const TStakeLogsDeletion result = DeleteStakeLogs(dir.path());
    EXPECT_EQ(result.Found, 0);
    EXPECT_EQ(result.Deleted, 0);
    EXPECT_TRUE(result.Errors.empty());
}

TEST(DeleteStakeLogs, ALogThatCannotBeDeletedIsReportedAndTheOthersGo) {
    if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    test::TempDir dir;
    const fs::path locked = dir / "locked";
    fs::create_directory(locked);
    test::WriteBytes(locked / "CorvelLotto_6x48-2.log", "x");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    const TStakeLogsDeletion result = DeleteStakeLogs(locked);
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(result.Found, 1);
    EXPECT_EQ(result.Deleted, 0);
    ASSERT_EQ(result.Errors.size(), 1u);
    EXPECT_NE(result.Errors[0].find("CorvelLotto_6x48-2.log"), std::string::npos);
    EXPECT_NE(StakeLogsDeletionText(result).find("Удалено файлов журналов: 0 из 1."), std::string::npos);
}

}  // namespace
}  // namespace corvel
