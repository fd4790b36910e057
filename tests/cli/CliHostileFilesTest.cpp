// The real program on hostile data files and folders: an archive that is a
// FIFO, a device, a link loop or a folder; a data folder that is a file or a
// link loop; a damaged or oversized archive. Every run must end within a few
// seconds with the expected exit code and message and leave everything on the
// disk as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kRunLimit = 10s;

struct TimedRun {
    bool TimedOut = false;
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// Runs the built program like a user would. A run that does not end within
// kRunLimit is killed and reported as timed out, so a hang fails the test
// instead of holding up the whole suite; the address space is limited so that
// a program reading without end fails quickly instead of filling the memory.
TimedRun RunCorvelWithin(const std::vector<std::string>& args) {
    test::ChildProcess child(CORVEL_CLI_PATH, args, {}, 4LL << 30);
    TimedRun run;
    run.ExitCode = child.Wait(kRunLimit);
    run.TimedOut = run.ExitCode == -1;
    run.Out = child.Out();
    run.Err = child.Err();
    return run;
}

// What a folder tree looks like on the disk, without following links: for
// every entry its type, identity, size, time of change, link target and (for
// files small enough) its bytes. Equal snapshots mean nothing was replaced,
// rewritten, added or removed.
void AddToSnapshot(const fs::path& root, const fs::path& folder, std::map<std::string, std::string>& entries) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const fs::path& p = entry.path();
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) throw std::runtime_error("lstat failed: " + p.string());
        std::string state = std::to_string(st.st_mode) + " " + std::to_string(st.st_ino) + " " +
                            std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." +
                            std::to_string(st.st_mtim.tv_nsec);
        if (S_ISLNK(st.st_mode)) state += " -> " + fs::read_symlink(p).string();
        if (S_ISREG(st.st_mode) && st.st_size <= (1 << 20)) state += " " + test::ReadBytes(p);
        entries[p.lexically_relative(root).string()] = state;
        if (S_ISDIR(st.st_mode)) AddToSnapshot(root, p, entries);
    }
}

std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    AddToSnapshot(root, root, entries);
    return entries;
}

const char* const kArchiveName = "CorvelLotto_6x48.ldr";
const char* const kLockName = "CorvelLotto_6x48.lsk";
constexpr std::uintmax_t kRecordLimit = 10'000'000;

// The draw the writing rows add, and its 24 bytes in the archive format worked
// out by hand: 1501 = 0x05DD little-endian, six numbers, two extras, the date
// with its length byte and one zero byte of room.
const std::vector<std::string> kAddDraw{"add-draw", "1501", "1;2;3;4;5;6;7;8", "--date", "06.12.2026"};
std::string NewDrawBytes() {
    return std::string("\xDD\x05\x00\x00\x01\x02\x03\x04\x05\x06\x07\x08\x0A", 13) + "06.12.2026" +
           std::string(1, '\0');
}

enum class Setup {
    ArchiveFifo,
    ArchiveLinkToDevZero,
    ArchiveLinkLoop,
    ArchiveFolder,
    DataFolderIsAFile,
    DataFolderLinkLoop,
    PartialTrailingRecord,
    OverRecordLimit,
    AtRecordLimit,
    MissingArchive,
    MissingDataFolder,
};

enum class After { Unchanged, SampleAndTheNewDraw, OnlyTheNewDraw };

struct HostileCase {
    const char* Name;
    Setup Kind;
    std::vector<std::string> Command;
    int ExitCode;
    const char* ErrStart;  // how stderr begins ("" for nothing at all)
    const char* ErrPart;   // a distinctive part of the message
    const char* OutPart;   // a part of stdout ("" when nothing is required)
    After Archive;
};

void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.Name; }

// Prepares the hostile entry inside root and returns the data folder to pass.
fs::path Prepare(Setup kind, const fs::path& root) {
    const fs::path data = root / "data";
    switch (kind) {
        case Setup::DataFolderIsAFile:
            test::WriteBytes(data, "not a folder");
            return data;
        case Setup::DataFolderLinkLoop:
            fs::create_symlink("data", data);
            return data;
        case Setup::MissingDataFolder:
            return data;
        default:
            break;
    }
    fs::create_directory(data);
    // The empty stakes file a desktop run leaves; writing commands lock it.
    test::WriteBytes(data / kLockName, "");
    const fs::path archive = data / kArchiveName;
    switch (kind) {
        case Setup::ArchiveFifo:
            if (::mkfifo(archive.c_str(), 0644) != 0) throw std::runtime_error("mkfifo failed");
            break;
        case Setup::ArchiveLinkToDevZero:
            fs::create_symlink("/dev/zero", archive);
            break;
        case Setup::ArchiveLinkLoop:
            fs::create_symlink(kArchiveName, archive);
            break;
        case Setup::ArchiveFolder:
            fs::create_directory(archive);
            break;
        case Setup::PartialTrailingRecord:
            test::CopySampleArchive(data);
            test::WriteBytes(archive, test::ReadBytes(archive) + "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A");
            break;
        case Setup::OverRecordLimit:
        case Setup::AtRecordLimit: {
            // Sparse: the size of a huge archive without its disk space.
            test::WriteBytes(archive, "");
            const std::uintmax_t records = kind == Setup::AtRecordLimit ? kRecordLimit : kRecordLimit + 1;
            fs::resize_file(archive, records * 24);
            break;
        }
        default:
            break;
    }
    return data;
}

class CliHostileFiles : public ::testing::TestWithParam<HostileCase> {};

TEST_P(CliHostileFiles, EndsQuicklyWithTheExpectedOutcome) {
    const HostileCase& c = GetParam();
    test::TempDir root;
    const fs::path data = Prepare(c.Kind, root.path());
    const auto before = Snapshot(root.path());
    std::vector<std::string> args{"--data-dir", data.string()};
    args.insert(args.end(), c.Command.begin(), c.Command.end());

    const TimedRun r = RunCorvelWithin(args);
    ASSERT_FALSE(r.TimedOut) << "the program did not end within " << kRunLimit.count() << " s";
    EXPECT_EQ(r.ExitCode, c.ExitCode) << r.Err;
    EXPECT_EQ(r.Err.rfind(c.ErrStart, 0), 0u) << r.Err;
    if (*c.ErrStart == '\0') {
        EXPECT_EQ(r.Err, "");
    }
    EXPECT_NE(r.Err.find(c.ErrPart), std::string::npos) << r.Err;
    EXPECT_NE(r.Out.find(c.OutPart), std::string::npos) << r.Out.substr(0, 500);

    const fs::path archive = data / kArchiveName;
    switch (c.Archive) {
        case After::Unchanged:
            EXPECT_EQ(Snapshot(root.path()), before);
            break;
        case After::SampleAndTheNewDraw: {
            const std::string sample = test::ReadBytes(fs::path(CORVEL_SAMPLE_DIR) / kArchiveName);
            EXPECT_EQ(test::ReadBytes(archive), sample + NewDrawBytes());
            EXPECT_EQ(test::FolderEntries(data), (std::vector<std::string>{kArchiveName, kLockName}));
            break;
        }
        case After::OnlyTheNewDraw:
            EXPECT_EQ(test::ReadBytes(archive), NewDrawBytes());
            EXPECT_EQ(test::FolderEntries(data), (std::vector<std::string>{kArchiveName, kLockName}));
            break;
    }
}

const char* const kReadError = "Ошибка чтения файла тиражей!\n\n";
const char* const kWriteError = "Ошибка записи в файл тиражей!\n\n";
const char* const kHeader = "Тираж\t1\t2\t3\t4\t5\t6\tE1\tE2\tS\tДата тиража\n";
const std::vector<std::string> kDraws{"draws"};

INSTANTIATE_TEST_SUITE_P(
    Inputs, CliHostileFiles,
    ::testing::Values(
        // A reading command prints what it could read (here: nothing but the
        // header) and still ends with the data-error code.
        HostileCase{"ArchiveFifoDraws", Setup::ArchiveFifo, kDraws, 1, kReadError, "именованным каналом", kHeader,
                    After::Unchanged},
        HostileCase{"ArchiveFifoAdd", Setup::ArchiveFifo, kAddDraw, 1, kReadError, "именованным каналом", "",
                    After::Unchanged},
        HostileCase{"ArchiveLinkToDevZeroDraws", Setup::ArchiveLinkToDevZero, kDraws, 1, kReadError, "устройством",
                    kHeader, After::Unchanged},
        HostileCase{"ArchiveLinkToDevZeroAdd", Setup::ArchiveLinkToDevZero, kAddDraw, 1, kReadError, "устройством", "",
                    After::Unchanged},
        HostileCase{"ArchiveLinkLoopDraws", Setup::ArchiveLinkLoop, kDraws, 1, kReadError, "ссылки образуют петлю",
                    kHeader, After::Unchanged},
        HostileCase{"ArchiveLinkLoopAdd", Setup::ArchiveLinkLoop, kAddDraw, 1, kReadError, "ссылки образуют петлю", "",
                    After::Unchanged},
        HostileCase{"ArchiveFolderDraws", Setup::ArchiveFolder, kDraws, 1, kReadError, "является папкой", kHeader,
                    After::Unchanged},
        HostileCase{"ArchiveFolderAdd", Setup::ArchiveFolder, kAddDraw, 1, kReadError, "является папкой", "",
                    After::Unchanged},
        HostileCase{"DataFolderIsAFileDraws", Setup::DataFolderIsAFile, kDraws, 1, kReadError, "не является папкой",
                    kHeader, After::Unchanged},
        HostileCase{"DataFolderIsAFileAdd", Setup::DataFolderIsAFile, kAddDraw, 1, kReadError, "не является папкой", "",
                    After::Unchanged},
        HostileCase{"DataFolderLinkLoopDraws", Setup::DataFolderLinkLoop, kDraws, 1, kReadError,
                    "ссылки образуют петлю", kHeader, After::Unchanged},
        HostileCase{"DataFolderLinkLoopAdd", Setup::DataFolderLinkLoop, kAddDraw, 1, kReadError,
                    "ссылки образуют петлю", "", After::Unchanged},
        // Bytes after the last whole record are not a draw: they are ignored
        // when reading and gone after the next rewrite.
        HostileCase{"PartialTrailingRecordDraws", Setup::PartialTrailingRecord, kDraws, 0, "", "", "\n1500\t",
                    After::Unchanged},
        HostileCase{"PartialTrailingRecordAdd", Setup::PartialTrailingRecord, kAddDraw, 0, "", "", "",
                    After::SampleAndTheNewDraw},
        HostileCase{"OverRecordLimitDraws", Setup::OverRecordLimit, kDraws, 1, kReadError,
                    "допустимо не больше 10000000", kHeader, After::Unchanged},
        HostileCase{"OverRecordLimitAdd", Setup::OverRecordLimit, kAddDraw, 1, kReadError,
                    "допустимо не больше 10000000", "", After::Unchanged},
        // Exactly at the limit the archive is read; one more draw is refused.
        HostileCase{"AtRecordLimitDraws",
                    Setup::AtRecordLimit,
                    {"draws", "--last", "1"},
                    0,
                    "",
                    "",
                    "\n0\t0\t",
                    After::Unchanged},
        HostileCase{"AtRecordLimitAdd", Setup::AtRecordLimit, kAddDraw, 1, kWriteError,
                    "не может содержать больше 10000000", "", After::Unchanged},
        // The normal first start: no archive yet, or not even the data folder.
        HostileCase{"MissingArchiveDraws", Setup::MissingArchive, kDraws, 0, "", "", kHeader, After::Unchanged},
        HostileCase{"MissingArchiveAdd", Setup::MissingArchive, kAddDraw, 0, "", "", "", After::OnlyTheNewDraw},
        HostileCase{"MissingDataFolderDraws", Setup::MissingDataFolder, kDraws, 0, "", "", kHeader, After::Unchanged},
        HostileCase{"MissingDataFolderAdd", Setup::MissingDataFolder, kAddDraw, 0, "", "", "", After::OnlyTheNewDraw}),
    [](const auto& row) { return std::string(row.param.Name); });

// A rewrite killed halfway leaves its temporary file behind; the next rewrite
// of the archive removes it, and nothing that only looks similar.
TEST(CliHostileFiles, NextRewriteRemovesALeftoverTemporaryFile) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    const std::string leftover = std::string(".") + kArchiveName + ".~tmpAb3xY9";
    test::WriteBytes(dir / leftover, std::string(1 << 20, 'x'));
    const std::vector<std::string> keep{std::string(".") + kArchiveName + ".~tmpAb3xY",  // one character short
                                        std::string(kArchiveName) + ".~tmpAb3xY9",       // not hidden
                                        ".CorvelLotto_6x48.lsk.~tmpAb3xY9",              // another file's
                                        "notes.txt"};
    for (const auto& name : keep) test::WriteBytes(dir / name, "keep");

    std::vector<std::string> args{"--data-dir", dir.path().string()};
    args.insert(args.end(), kAddDraw.begin(), kAddDraw.end());
    const TimedRun r = RunCorvelWithin(args);
    ASSERT_FALSE(r.TimedOut);
    EXPECT_EQ(r.ExitCode, 0) << r.Err;

    std::vector<std::string> expected = keep;
    expected.push_back(kArchiveName);
    expected.push_back(kLockName);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::FolderEntries(dir.path()), expected);
    for (const auto& name : keep) EXPECT_EQ(test::ReadBytes(dir / name), "keep") << name;
}

}  // namespace
}  // namespace corvel
