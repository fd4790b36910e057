// The real program when the archive cannot be rewritten: a full disk
// (simulated with a file-size limit) and a data folder without write rights.
// The old archive must stay byte-identical and no temporary file may remain.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

enum class Failure { FullDisk, ReadOnlyFolder };

struct WriteFailureCase {
    const char* Name;
    Failure Kind;
    std::vector<std::string> Command;
};

void PrintTo(const WriteFailureCase& c, std::ostream* os) { *os << c.Name; }

class CliWriteFailure : public ::testing::TestWithParam<WriteFailureCase> {};

TEST_P(CliWriteFailure, ArchiveStaysAsItWas) {
    const WriteFailureCase& c = GetParam();
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    test::WriteBytes(dir / "CorvelLotto_6x48.lsk", "");  // the lock file of a desktop run
    const fs::path archive = dir / "CorvelLotto_6x48.ldr";
    const std::string before = test::ReadBytes(archive);
    std::vector<std::string> args{"--data-dir", dir.path().string()};
    args.insert(args.end(), c.Command.begin(), c.Command.end());

    long sizeLimit = 0;
    bool asNobody = false;
    if (c.Kind == Failure::FullDisk) {
        sizeLimit = 1000;  // far below the 36,000 bytes of the archive
    } else {
        // Readable and searchable for everybody, writable for nobody.
        fs::permissions(dir.path(), static_cast<fs::perms>(0555));
        fs::permissions(archive, static_cast<fs::perms>(0644));
        fs::permissions(dir / "CorvelLotto_6x48.lsk", static_cast<fs::perms>(0644));
        asNobody = true;
        const test::ProcessResult probe =
            test::RunCorvel({"--data-dir", dir.path().string(), "draws", "--last", "1"}, 0, true);
        if (probe.ExitCode == 126 || probe.ExitCode == 127)
            GTEST_SKIP() << "the program cannot be started as user nobody here (exit " << probe.ExitCode << ")";
        ASSERT_EQ(probe.ExitCode, 0) << "the archive must stay readable: " << probe.Err;
        ASSERT_NE(probe.Out.find("\n1500\t"), std::string::npos) << probe.Out;
    }

    const test::ProcessResult r = test::RunCorvel(args, sizeLimit, asNobody);
    EXPECT_EQ(r.ExitCode, 1) << r.Err;
    // Without write rights the folder lock cannot be taken: the exclusive-access
    // error, whose reasons name missing rights, with the system's reason.
    const char* start = c.Kind == Failure::FullDisk ? "Ошибка записи в файл тиражей!\n\n"
                                                    : "Невозможно получить монопольный доступ к файлам данных!";
    EXPECT_EQ(r.Err.rfind(start, 0), 0u) << r.Err;
    if (c.Kind == Failure::ReadOnlyFolder) {
        EXPECT_NE(r.Err.find("CorvelLotto_6x48.lsk: "), std::string::npos) << r.Err;
    }
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(test::ReadBytes(archive), before);
    EXPECT_EQ(test::FolderEntries(dir.path()),
              (std::vector<std::string>{"CorvelLotto_6x48.ldr", "CorvelLotto_6x48.lsk"}));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliWriteFailure,
    ::testing::Values(
        WriteFailureCase{
            "FullDiskAdd", Failure::FullDisk, {"add-draw", "1501", "1;2;3;4;5;6;7;8", "--date", "06.12.2026"}},
        WriteFailureCase{"FullDiskEdit", Failure::FullDisk, {"edit-draw", "3", "9;8;7;6;5;4;3;2"}},
        WriteFailureCase{"FullDiskDelete", Failure::FullDisk, {"delete-draw", "1500"}},
        WriteFailureCase{"ReadOnlyFolderAdd",
                         Failure::ReadOnlyFolder,
                         {"add-draw", "1501", "1;2;3;4;5;6;7;8", "--date", "06.12.2026"}},
        WriteFailureCase{"ReadOnlyFolderEdit", Failure::ReadOnlyFolder, {"edit-draw", "3", "9;8;7;6;5;4;3;2"}},
        WriteFailureCase{"ReadOnlyFolderDelete", Failure::ReadOnlyFolder, {"delete-draw", "1500"}}),
    [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace corvel
