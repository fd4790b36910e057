// Whole-file reading and the crash-safe rewrite through a temporary file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"
#include "model/FileIo.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

std::string Pattern(std::size_t size) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    return s;
}

// While alive, files of this process cannot grow past the limit: writes fail
// with EFBIG as on a full disk (the signal that would end the process is
// ignored, as the program itself does).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// Runs the write and returns the message of the EFileError it must throw.
template <typename Write>
std::string FailureOf(Write write) {
    try {
        write();
    } catch (const EFileError& e) {
        return e.what();
    }
    ADD_FAILURE() << "the write did not fail";
    return {};
}

TEST(WriteFileAtomically, ReplacesContentsAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const auto file = dir / "data.bin";
    test::WriteBytes(file, "old contents that are longer than the new ones");
    WriteFileAtomically(file, "new");
    EXPECT_EQ(test::ReadBytes(file), "new");
    const std::string big = Pattern(300'000);  // more than one read buffer
    WriteFileAtomically(file, big);
    EXPECT_EQ(ReadFileBytes(file), big);
    WriteFileAtomically(file, "");
    EXPECT_EQ(ReadFileBytes(file), "");
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"data.bin"});
}

TEST(WriteFileAtomically, FullDiskKeepsTheOldFile) {
    test::TempDir dir;
    const auto file = dir / "data.bin";
    const std::string old = Pattern(1000);
    test::WriteBytes(file, old);
    std::string message;
    {
        FileSizeLimit limit(64 * 1024);
        message = FailureOf([&] { WriteFileAtomically(file, Pattern(256 * 1024)); });
    }
    EXPECT_NE(message.find("Превышен допустимый размер файла"), std::string::npos) << message;
    EXPECT_NE(message.find(file.string()), std::string::npos) << message;
    EXPECT_EQ(test::ReadBytes(file), old);
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"data.bin"});
}

TEST(WriteFileAtomically, FailedRenameRemovesTheTemporaryFile) {
    test::TempDir dir;
    const auto target = dir / "data.bin";
    fs::create_directory(target);  // a folder with contents cannot be replaced by a file
    test::WriteBytes(target / "inside", "x");
    FailureOf([&] { WriteFileAtomically(target, "new"); });
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"data.bin"});
    EXPECT_EQ(test::ReadBytes(target / "inside"), "x");
}

TEST(WriteFileAtomically, MissingFolderIsReported) {
    test::TempDir dir;
    const std::string message = FailureOf([&] { WriteFileAtomically(dir / "no" / "data.bin", "new"); });
    EXPECT_NE(message.find("Файл или папка не найдены"), std::string::npos) << message;
    EXPECT_TRUE(test::FolderEntries(dir.path()).empty());
}

TEST(WriteFileAtomically, ExistingFileKeepsItsModeNewFileGetsTheRequestedOne) {
    test::TempDir dir;
    const mode_t oldMask = ::umask(022);
    const auto existing = dir / "existing";
    test::WriteBytes(existing, "x");
    fs::permissions(existing, static_cast<fs::perms>(0640));
    WriteFileAtomically(existing, "y");
    WriteFileAtomically(dir / "private", "z", 0600);
    WriteFileAtomically(dir / "shared", "z", 0666);
    ::umask(oldMask);
    EXPECT_EQ(static_cast<unsigned>(fs::status(existing).permissions()), 0640u);
    EXPECT_EQ(static_cast<unsigned>(fs::status(dir / "private").permissions()), 0600u);
    EXPECT_EQ(static_cast<unsigned>(fs::status(dir / "shared").permissions()),
              0644u);  // umask applies
}

TEST(WriteArchiveFile, FullDiskKeepsTheOldArchive) {
    test::TempDir dir;
    const auto file = dir / "CorvelLotto_6x48.ldr";
    TDrawsArray draws;
    for (int i = 1; i <= 100; ++i)
        draws.push_back(
            test::MakeDraw(i, {1, 2, 3, 4, 5, static_cast<std::uint8_t>(6 + i % 40)}, {7, 8}, "01.01.2020"));
    WriteArchiveFile(file, draws);
    const std::string old = test::ReadBytes(file);
    ASSERT_EQ(old.size(), 2400u);
    draws.resize(10'000, draws.back());  // 240,000 bytes
    {
        FileSizeLimit limit(100'000);
        FailureOf([&] { WriteArchiveFile(file, draws); });
    }
    EXPECT_EQ(test::ReadBytes(file), old);
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"CorvelLotto_6x48.ldr"});
}

TEST(ReadFileBytes, ReportsWhyAFileCannotBeRead) {
    test::TempDir dir;
    std::string message = FailureOf([&] { ReadFileBytes(dir / "none"); });
    EXPECT_NE(message.find("none"), std::string::npos) << message;
    EXPECT_NE(message.find("Файл или папка не найдены"), std::string::npos) << message;
    message = FailureOf([&] { ReadFileBytes(dir.path()); });
    EXPECT_NE(message.find("Указанный путь является папкой"), std::string::npos) << message;
}

}  // namespace
}  // namespace corvel

namespace corvel {
namespace {

TEST(WriteFileAtomically, RewritesThroughASymbolicLink) {
    test::TempDir dir;
    const auto target = dir / "real.ldr";
    const auto link = dir / "CorvelLotto_6x48.ldr";
    test::WriteBytes(target, "old");
    std::filesystem::create_symlink(target, link);
    WriteFileAtomically(link, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::ReadBytes(target), "new");
}

}  // namespace
}  // namespace corvel

// --- Hostile paths and leftovers of killed rewrites -------------------------

namespace corvel {
namespace {

namespace fs = std::filesystem;

enum class Hostile { Fifo, LinkToDevZero, LinkToFifo, Folder, LinkLoop, PathThroughAFile };

// Makes the hostile entry at dir/"data.bin" and returns the path to use.
fs::path MakeHostile(Hostile kind, const test::TempDir& dir) {
    const fs::path p = dir / "data.bin";
    switch (kind) {
        case Hostile::Fifo:
            if (::mkfifo(p.c_str(), 0644) != 0) throw std::runtime_error("mkfifo failed");
            return p;
        case Hostile::LinkToDevZero:
            fs::create_symlink("/dev/zero", p);
            return p;
        case Hostile::LinkToFifo:
            if (::mkfifo((dir / "pipe").c_str(), 0644) != 0) throw std::runtime_error("mkfifo failed");
            fs::create_symlink("pipe", p);
            return p;
        case Hostile::Folder:
            fs::create_directory(p);
            return p;
        case Hostile::LinkLoop:
            fs::create_symlink("data.bin", p);
            return p;
        case Hostile::PathThroughAFile:
            test::WriteBytes(p, "a file");
            return p / "inner.bin";
    }
    return p;
}

struct HostileReadCase {
    const char* Name;
    Hostile Kind;
    const char* Reason;
};

void PrintTo(const HostileReadCase& c, std::ostream* os) { *os << c.Name; }

// How a read in a child process ended: the message of its EFileError, or
// "read N bytes", or what else happened. The child has a few seconds and a
// limited address space, so a read that waits or runs without end fails the
// test instead of hanging or exhausting the machine.
std::string ReadOutcomeInChild(const fs::path& path) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        const rlim_t memory = rlim_t{1} << 30;
        rlimit limit{memory, memory};
        ::setrlimit(RLIMIT_AS, &limit);
        std::string outcome;
        try {
            outcome = "read " + std::to_string(ReadFileBytes(path).size()) + " bytes";
        } catch (const EFileError& e) {
            outcome = e.what();
        } catch (const std::exception& e) {
            outcome = std::string("other exception: ") + e.what();
        }
        (void)!::write(pipeFds[1], outcome.data(), outcome.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int status = 0;
    std::string outcome;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            outcome = "still reading after 5 s";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (outcome.empty()) {
        char buf[4096];
        ssize_t n;
        while ((n = ::read(pipeFds[0], buf, sizeof buf)) > 0) outcome.append(buf, static_cast<std::size_t>(n));
        if (outcome.empty()) outcome = "child ended without an answer, status " + std::to_string(status);
    }
    ::close(pipeFds[0]);
    return outcome;
}

class ReadFileBytesRefuses : public ::testing::TestWithParam<HostileReadCase> {};

TEST_P(ReadFileBytesRefuses, ClearlyAndAtOnce) {
    const HostileReadCase& c = GetParam();
    test::TempDir dir;
    const fs::path path = MakeHostile(c.Kind, dir);
    const std::string outcome = ReadOutcomeInChild(path);
    EXPECT_EQ(outcome.rfind(path.string() + ": ", 0), 0u) << outcome;
    EXPECT_NE(outcome.find(c.Reason), std::string::npos) << outcome;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ReadFileBytesRefuses,
    ::testing::Values(HostileReadCase{"Fifo", Hostile::Fifo, "является именованным каналом, а не файлом"},
                      HostileReadCase{"LinkToDevZero", Hostile::LinkToDevZero, "является устройством, а не файлом"},
                      HostileReadCase{"LinkToFifo", Hostile::LinkToFifo, "является именованным каналом"},
                      HostileReadCase{"Folder", Hostile::Folder, "Указанный путь является папкой"},
                      HostileReadCase{"LinkLoop", Hostile::LinkLoop, "Символические ссылки образуют петлю"},
                      HostileReadCase{"PathThroughAFile", Hostile::PathThroughAFile, "Часть пути не является папкой"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(ReadFileBytes, SizeLimitAndMissingFileHaveTheirOwnErrors) {
    test::TempDir dir;
    const fs::path file = dir / "data.bin";
    const std::string bytes = Pattern(100'000);
    test::WriteBytes(file, bytes);
    EXPECT_EQ(ReadFileBytes(file, 100'000), bytes);  // the limit itself is allowed
    try {
        ReadFileBytes(file, 99'999);
        ADD_FAILURE() << "a file over the limit was read";
    } catch (const EFileTooLarge& e) {
        EXPECT_EQ(e.Size(), 100'000u);
        EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    }
    EXPECT_THROW(ReadFileBytes(dir / "none"), EFileNotFound);
    // A folder in the way is no missing file.
    try {
        ReadFileBytes(dir.path());
        ADD_FAILURE() << "a folder was read";
    } catch (const EFileNotFound&) {
        ADD_FAILURE() << "a folder was taken for a missing file";
    } catch (const EFileError&) {
    }
}

struct HostileWriteCase {
    const char* Name;
    Hostile Kind;
    const char* Reason;
};

void PrintTo(const HostileWriteCase& c, std::ostream* os) { *os << c.Name; }

// What lstat says about a path: type, identity and, for a link, where it points.
std::string EntryState(const fs::path& p) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0) return "missing";
    std::string state = std::to_string(st.st_mode) + " " + std::to_string(st.st_ino);
    if (S_ISLNK(st.st_mode)) state += " -> " + fs::read_symlink(p).string();
    return state;
}

class WriteFileAtomicallyRefuses : public ::testing::TestWithParam<HostileWriteCase> {};

TEST_P(WriteFileAtomicallyRefuses, AndLeavesTheEntryAsItWas) {
    const HostileWriteCase& c = GetParam();
    test::TempDir dir;
    const fs::path path = MakeHostile(c.Kind, dir);
    const auto entriesBefore = test::FolderEntries(dir.path());
    const std::string stateBefore = EntryState(dir / "data.bin");
    const std::string message = FailureOf([&] { WriteFileAtomically(path, "new"); });
    EXPECT_NE(message.find(c.Reason), std::string::npos) << message;
    EXPECT_EQ(EntryState(dir / "data.bin"), stateBefore);
    EXPECT_EQ(test::FolderEntries(dir.path()), entriesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WriteFileAtomicallyRefuses,
    ::testing::Values(HostileWriteCase{"Fifo", Hostile::Fifo, "является именованным каналом"},
                      HostileWriteCase{"LinkToFifo", Hostile::LinkToFifo, "является именованным каналом"},
                      HostileWriteCase{"Folder", Hostile::Folder, "является папкой"},
                      HostileWriteCase{"LinkLoop", Hostile::LinkLoop, "ссылки образуют петлю"},
                      HostileWriteCase{"PathThroughAFile", Hostile::PathThroughAFile, "не является папкой"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(RemoveStaleTemporaryFiles, RemovesOnlyDeadLeftoversOfThatFile) {
    test::TempDir dir;
    const fs::path file = dir / "data.bin";
    test::WriteBytes(file, "old");
    test::WriteBytes(dir / ".data.bin.~tmpAb3xY9", Pattern(5000));  // leftovers of killed rewrites
    test::WriteBytes(dir / ".data.bin.~tmp000000", "");
    const std::vector<std::string> keep{
        ".data.bin.~tmpAb3xY",    // one character short
        ".data.bin.~tmpAb3xY9Z",  // one too many
        ".data.bin.~tmpAb-xY9",   // not what mkstemp puts
        "data.bin.~tmpAb3xY9",    // not hidden
        ".other.bin.~tmpAb3xY9",  // another file's
        ".data.bin.~tmpLocked",   // a rewrite in progress holds its lock
    };
    for (const auto& name : keep) test::WriteBytes(dir / name, "keep");
    fs::create_directory(dir / ".data.bin.~tmpFolder");                       // not a regular file
    fs::create_symlink("data.bin.~tmpAb3xY9", dir / ".data.bin.~tmpLinked");  // nor is a link

    const int lockFd = ::open((dir / ".data.bin.~tmpLocked").c_str(), O_RDONLY);
    ASSERT_GE(lockFd, 0);
    ASSERT_EQ(::flock(lockFd, LOCK_EX), 0);
    WriteFileAtomically(file, "new");
    ::close(lockFd);

    std::vector<std::string> expected = keep;
    expected.insert(expected.end(), {".data.bin.~tmpFolder", ".data.bin.~tmpLinked", "data.bin"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::FolderEntries(dir.path()), expected);
    for (const auto& name : keep) EXPECT_EQ(test::ReadBytes(dir / name), "keep") << name;
    EXPECT_EQ(test::ReadBytes(file), "new");
}

// A real writer killed in the middle of its rewrite: the child stops itself
// when its file reaches the size limit, and is then killed with SIGKILL.
TEST(RemoveStaleTemporaryFiles, LeftoverOfAKilledWriterGoesAtTheNextRewrite) {
    test::TempDir dir;
    const fs::path file = dir / "data.bin";
    test::WriteBytes(file, "old");
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        rlimit limit{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, [](int) { ::raise(SIGSTOP); });
        try {
            WriteFileAtomically(file, Pattern(1 << 20));
        } catch (...) {
        }
        ::_exit(0);  // not reached when stopped and killed
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, WUNTRACED), pid);
    ASSERT_TRUE(WIFSTOPPED(status)) << "the writer ended by itself, status " << status;
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    const auto left = test::FolderEntries(dir.path());
    ASSERT_EQ(left.size(), 2u);  // the file and the killed writer's temporary file
    EXPECT_EQ(left[0].rfind(".data.bin.~tmp", 0), 0u) << left[0];
    EXPECT_EQ(fs::file_size(dir / left[0]), 64u * 1024u);
    EXPECT_EQ(test::ReadBytes(file), "old");

    WriteFileAtomically(file, "new");
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"data.bin"});
    EXPECT_EQ(test::ReadBytes(file), "new");
}

}  // namespace
}  // namespace corvel
