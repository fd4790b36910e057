// Choosing the data folder and naming the files in it.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "TestSupport.h"
#include "app/DataFolder.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

struct FolderCase {
    const char* Name;
    std::optional<fs::path> Switch;
    const char* Environment;
    bool ProgramFolderExists;  // an existing folder of the test is writable; a missing one is not
    const char* XdgDataHome;
    const char* Home;
    const char* Expected;  // "<program>" stands for the program folder
};

void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.Name; }

class DataFolderChoice : public ::testing::TestWithParam<FolderCase> {};

TEST_P(DataFolderChoice, FirstAvailableSourceWins) {
    const FolderCase& c = GetParam();
    test::TempDir dir;
    const fs::path program = c.ProgramFolderExists ? dir.path() : dir / "missing";
    const fs::path expected =
        std::string(c.Expected) == "<program>" ? program : fs::path(c.Expected);
    EXPECT_EQ(app::ResolveDataFolder(c.Switch, c.Environment, program, c.XdgDataHome, c.Home),
              expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, DataFolderChoice,
    ::testing::Values(FolderCase{"SwitchFirst", fs::path("/d/switch"), "/d/env", true, "/d/xdg",
                                 "/home/u", "/d/switch"},
                      FolderCase{"EmptySwitchIgnored", fs::path(), "/d/env", true, "/d/xdg",
                                 "/home/u", "/d/env"},
                      FolderCase{"EnvironmentSecond", std::nullopt, "/d/env", true, "/d/xdg",
                                 "/home/u", "/d/env"},
                      FolderCase{"EmptyEnvironmentIgnored", std::nullopt, "", true, "/d/xdg",
                                 "/home/u", "<program>"},
                      FolderCase{"WritableProgramFolder", std::nullopt, nullptr, true, "/d/xdg",
                                 "/home/u", "<program>"},
                      FolderCase{"XdgDataHome", std::nullopt, nullptr, false, "/d/xdg", "/home/u",
                                 "/d/xdg/corvel-lotto"},
                      FolderCase{"EmptyXdgFallsBackToHome", std::nullopt, nullptr, false, "",
                                 "/home/u", "/home/u/.local/share/corvel-lotto"},
                      FolderCase{"HomeShare", std::nullopt, nullptr, false, nullptr, "/home/u",
                                 "/home/u/.local/share/corvel-lotto"},
                      FolderCase{"NoHomeAtAll", std::nullopt, nullptr, false, nullptr, nullptr,
                                 "./.local/share/corvel-lotto"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(DataFiles, NamesInsideTheFolder) {
    const app::DataFiles files{fs::path("/data")};
    EXPECT_EQ(files.Archive(), fs::path("/data/CorvelLotto_6x48.ldr"));
    EXPECT_EQ(files.GameSettings(), fs::path("/data/CorvelLotto_6x48.ini"));
    EXPECT_EQ(files.Stakes(), fs::path("/data/CorvelLotto_6x48.lsk"));
    EXPECT_EQ(files.ViewSettings(), fs::path("/data/corvel-lotto.frm"));
    EXPECT_EQ(files.FilterNames(), fs::path("/data/corvel-lotto.flt"));
    EXPECT_EQ(files.PrefetchFolder(), fs::path("/data/Prefetchs"));
}

TEST(DataFiles, ProgramFolderIsTheFolderOfTheRunningProgram) {
    const fs::path folder = app::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::exists(folder / "corvel_tests"));
}

}  // namespace
}  // namespace corvel
