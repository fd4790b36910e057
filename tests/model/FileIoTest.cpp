// Whole-file reading and the crash-safe rewrite through a temporary file.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <string>
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
    const std::string message =
        FailureOf([&] { WriteFileAtomically(dir / "no" / "data.bin", "new"); });
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
        draws.push_back(test::MakeDraw(i, {1, 2, 3, 4, 5, static_cast<std::uint8_t>(6 + i % 40)},
                                       {7, 8}, "01.01.2020"));
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
