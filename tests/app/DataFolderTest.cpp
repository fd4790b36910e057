// Choosing the data folder and naming the files in it.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "TestSupport.h"
#include "app/DataFolder.h"
#include "model/Errors.h"

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
    const fs::path expected = std::string(c.Expected) == "<program>" ? program : fs::path(c.Expected);
    EXPECT_EQ(app::ResolveDataFolder(c.Switch, c.Environment, program, c.XdgDataHome, c.Home), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, DataFolderChoice,
    ::testing::Values(
        FolderCase{"SwitchFirst", fs::path("/d/switch"), "/d/env", true, "/d/xdg", "/home/u", "/d/switch"},
        FolderCase{"EmptySwitchIgnored", fs::path(), "/d/env", true, "/d/xdg", "/home/u", "/d/env"},
        FolderCase{"EnvironmentSecond", std::nullopt, "/d/env", true, "/d/xdg", "/home/u", "/d/env"},
        FolderCase{"EmptyEnvironmentIgnored", std::nullopt, "", true, "/d/xdg", "/home/u", "<program>"},
        FolderCase{"WritableProgramFolder", std::nullopt, nullptr, true, "/d/xdg", "/home/u", "<program>"},
        FolderCase{"XdgDataHome", std::nullopt, nullptr, false, "/d/xdg", "/home/u", "/d/xdg/corvel-lotto"},
        FolderCase{"EmptyXdgFallsBackToHome", std::nullopt, nullptr, false, "", "/home/u",
                   "/home/u/.local/share/corvel-lotto"},
        FolderCase{"HomeShare", std::nullopt, nullptr, false, nullptr, "/home/u", "/home/u/.local/share/corvel-lotto"},
        FolderCase{"NoHomeAtAll", std::nullopt, nullptr, false, nullptr, nullptr, "./.local/share/corvel-lotto"}),
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

// --- Making sure the data folder exists before writing ------------------------

enum class FolderState { Missing, MissingWithParents, Folder, LinkToFolder, RegularFile, LinkLoop, DanglingLink };

struct EnsureCase {
    const char* Name;
    FolderState State;
    const char* Reason;  // nullptr: the folder is there afterwards
};

void PrintTo(const EnsureCase& c, std::ostream* os) { *os << c.Name; }

class EnsureDataFolder : public ::testing::TestWithParam<EnsureCase> {};

TEST_P(EnsureDataFolder, CreatesAMissingFolderAndRefusesAnythingElse) {
    const EnsureCase& c = GetParam();
    test::TempDir dir;
    fs::path folder = dir / "data";
    switch (c.State) {
        case FolderState::Missing:
            break;
        case FolderState::MissingWithParents:
            folder = dir / "a" / "b" / "data";
            break;
        case FolderState::Folder:
            fs::create_directory(folder);
            break;
        case FolderState::LinkToFolder:
            fs::create_directory(dir / "real");
            fs::create_symlink("real", folder);
            break;
        case FolderState::RegularFile:
            test::WriteBytes(folder, "x");
            break;
        case FolderState::LinkLoop:
            fs::create_symlink("data", folder);
            break;
        case FolderState::DanglingLink:
            fs::create_symlink("nowhere", folder);
            break;
    }
    const auto before = test::FolderEntries(dir.path());
    if (!c.Reason) {
        app::EnsureDataFolder(folder);
        EXPECT_TRUE(fs::is_directory(folder));
        return;
    }
    try {
        app::EnsureDataFolder(folder);
        ADD_FAILURE() << "accepted";
    } catch (const EFileError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind(folder.string() + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(c.Reason), std::string::npos) << message;
    }
    EXPECT_EQ(test::FolderEntries(dir.path()), before);  // nothing created or replaced
    EXPECT_FALSE(fs::exists(dir / "nowhere"));
}

INSTANTIATE_TEST_SUITE_P(States, EnsureDataFolder,
                         ::testing::Values(EnsureCase{"Missing", FolderState::Missing, nullptr},
                                           EnsureCase{"MissingWithParents", FolderState::MissingWithParents, nullptr},
                                           EnsureCase{"Folder", FolderState::Folder, nullptr},
                                           EnsureCase{"LinkToFolder", FolderState::LinkToFolder, nullptr},
                                           EnsureCase{"RegularFile", FolderState::RegularFile, "не является папкой"},
                                           EnsureCase{"LinkLoop", FolderState::LinkLoop, "ссылки образуют петлю"},
                                           EnsureCase{"DanglingLink", FolderState::DanglingLink,
                                                      "ссылка указывает на несуществующий путь"}),
                         [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace corvel
