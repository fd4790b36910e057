#include "combs/CombsBuffer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>

#include "model/PercentBlocks.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/GameConstants.h"

namespace corvel {
namespace {

constexpr std::size_t kRecordSize = sizeof(TCombination);
static_assert(kRecordSize == 6, "buffer records are the 6 bytes of a combination");

class FileHandle {
  public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd_; }
    // Closes now, so that an error of the close itself is seen.
    int Close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

  private:
    int fd_;
};

[[noreturn]] void ThrowFileError(const std::filesystem::path& path, int err) {
    throw EFileError(Format("%s: %s", {path.string(), SystemErrorText(err)}));
}

void WriteAll(int fd, const char* data, std::size_t size, const std::filesystem::path& path) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowFileError(path, errno);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void ReadAll(int fd, char* data, std::size_t size, const std::filesystem::path& path) {
    while (size > 0) {
        const ssize_t n = ::read(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowFileError(path, errno);
        }
        if (n == 0) ThrowFileError(path, EIO);  // the file shrank while it was read
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

// The records go to the disk exactly as the list holds them in memory: six
// bytes per combination, nothing between them.
void WriteBufferFile(const std::filesystem::path& path, const TCombsArray& list, TProgress& progress) {
    FileHandle fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.get() < 0) ThrowFileError(path, errno);
    const char* bytes = reinterpret_cast<const char*>(list.Data());
    ForEachPercentBlock(list.Count(), [&](std::size_t begin, std::size_t end, std::size_t percent) {
        if (begin > 0) progress.Status(Format(texts::kCombsBufferSavingProgress, {static_cast<double>(percent)}));
        WriteAll(fd.get(), bytes + begin * kRecordSize, (end - begin) * kRecordSize, path);
    });
    if (fd.Close() != 0) ThrowFileError(path, errno);
}

void ReadBufferFile(const std::filesystem::path& path, TCombsArray& list, TProgress& progress) {
    FileHandle fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) ThrowFileError(path, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) ThrowFileError(path, errno);
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size % kRecordSize != 0) throw EFileError(Format(texts::kCombsBufferDamaged, {size}));
    const std::size_t count = size / kRecordSize;
    if (count > list.Capacity()) throw ECorvelError(Format(texts::kCombsTooMany, {count, list.Capacity()}));

    // Read aside first: a read that fails half-way must not leave the list
    // half overwritten, since the caller goes on with it.
    auto scratch = std::make_unique_for_overwrite<char[]>(size ? size : 1);
    ForEachPercentBlock(count, [&](std::size_t begin, std::size_t end, std::size_t percent) {
        if (begin > 0) progress.Status(Format(texts::kCombsBufferLoadingProgress, {static_cast<double>(percent)}));
        ReadAll(fd.get(), scratch.get() + begin * kRecordSize, (end - begin) * kRecordSize, path);
    });
    if (size) std::memcpy(list.Data(), scratch.get(), size);
    list.SetCount(count);
}

}  // namespace

std::filesystem::path CombsBufferPath(const std::filesystem::path& dataFolder) {
    return dataFolder / (std::string(kProgramStem) + ".~buff");
}

TCombsBuffer::TCombsBuffer(std::filesystem::path file) : file_(std::move(file)) {}

void TCombsBuffer::Save(const TCombsArray& list, TCombsBufferKey key, TProgress& progress) {
    if (key_ == key) return;
    key_.reset();
    progress.Status(texts::kCombsBufferSaving);
    try {
        WriteBufferFile(file_, list, progress);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(file_, ignored);
        throw;
    }
    key_ = key;
    progress.Status("");
}

bool TCombsBuffer::Holds(TCombsBufferKey key) {
    if (key_ != key) return false;
    std::error_code ec;
    if (std::filesystem::exists(file_, ec)) return true;
    key_.reset();
    return false;
}

bool TCombsBuffer::Load(TCombsArray& list, TCombsBufferKey key, TProgress& progress) {
    if (!Holds(key)) return false;
    progress.Status(texts::kCombsBufferLoading);
    try {
        ReadBufferFile(file_, list, progress);
    } catch (...) {
        Reset();
        throw;
    }
    progress.Status("");
    return true;
}

void TCombsBuffer::Reset() {
    key_.reset();
    std::error_code ignored;
    std::filesystem::remove(file_, ignored);
}

}  // namespace corvel
